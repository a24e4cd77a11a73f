// Files in the viewer: a DICOM image calibrates the list from its pixel spacing, overlays go
// out and back, pictures are exported, the actions follow the class registry, the gamma
// control brightens with p, and bad files are refused with a message naming the file and the
// cause while the viewer keeps what it had open.

#include "ViewerTesting.h"

#include "support/DicomWriter.h"

#include <OverlayFile.h>
#include <VectorActions.h>

#include <vellum/Graphics/GraphicLine.h>

#include <vellum/archive/ClassRegistry.h>
#include <vellum/density/GrDensityLine.h>
#include <vellum/window/GraphicWnd.h>

#include <QAction>
#include <QFile>
#include <QMessageBox>

#include <gtest/gtest.h>

#include <numeric>

namespace vellum::test {
namespace {

// Runs open while answering the message box it shows; the box's text, or empty.
QString MessageOf(const std::function<bool()>& open) {
    auto text = std::make_shared<QString>();
    WhenShown<QMessageBox>([text](QMessageBox* box) {
        *text = box->text();
        box->accept();
    });
    EXPECT_FALSE(open());
    return *text;
}

TEST(ViewerFiles, ADicomPixelSpacingCalibratesTheList) {
    ViewerFixture viewer;
    DicomImage image;
    image.width = 40;
    image.height = 30;
    image.bitsStored = 12;
    image.highBit = 11;
    image.samples.resize(40 * 30);
    std::iota(image.samples.begin(), image.samples.end(), 100);
    image.pixelSpacing = "0.2\\0.125"; // between rows, between columns
    const QString path = viewer.Path(QStringLiteral("chest.dcm"));
    ASSERT_TRUE(WriteDicom(path.toStdString(), image));

    ASSERT_TRUE(viewer.Window().OpenImage(path));
    // The label reads the list's resolution: across, then down.
    EXPECT_EQ(viewer.Window().CalibrationText(), QStringLiteral("Calibrated 8 x 5 px/mm"));
    // Opening is no change the user would be asked to save.
    EXPECT_FALSE(viewer.Window().isWindowModified());
    EXPECT_EQ(viewer.View().ImageSize(), QSize(40, 30));

    // A small image opens at its own size; the status bar shows the stored value under the
    // pointer: 100 + 30 + 40 * 2 at (30, 2).
    EXPECT_EQ(viewer.View().Zoom(), 1.0);
    Mouse(&viewer.View(), QEvent::MouseMove, QPoint(30, 2));
    EXPECT_EQ(viewer.Window().PositionText(), QStringLiteral("x 30  y 2  value 210"));
}

TEST(ViewerFiles, OverlaysGoOutAndBackAndPicturesExport) {
    ViewerFixture viewer;
    viewer.Window().VectorActionFor(CGraphicWnd::actionLine)->trigger();
    Drag(&viewer.View(), QPoint(20, 20), QPoint(100, 60));
    const QString overlay = viewer.Path(QStringLiteral("grey.vla"));
    ASSERT_TRUE(viewer.Window().SaveOverlay(overlay));
    EXPECT_FALSE(viewer.Window().isWindowModified());

    // The image opens with the overlay beside it.
    ASSERT_TRUE(viewer.Window().OpenImage(viewer.Path(QStringLiteral("grey.pgm"))));
    ASSERT_EQ(Items(*viewer.Window().List()).size(), 1u);
    EXPECT_EQ(Items(*viewer.Window().List())[0]->GetNode(1), CVector(50, 30));
    EXPECT_EQ(viewer.Window().OverlayPath(), overlay);

    for (const char* name : {"out.png", "out.pdf", "out.svg"}) {
        const QString path = viewer.Path(QString::fromLatin1(name));
        EXPECT_TRUE(viewer.Window().ExportPicture(path)) << name;
        EXPECT_GT(QFile(path).size(), 100) << name;
    }
    QImage exported(viewer.Path(QStringLiteral("out.png")));
    EXPECT_EQ(exported.size(), QSize(100, 80));
    EXPECT_EQ(exported.pixel(30, 20) & 0xFFFFFF, 0x00FF00u);
    EXPECT_EQ(exported.pixel(30, 40) & 0xFFFFFF, 0x3C3C3Cu);
}

TEST(ViewerFiles, BadFilesAreRefusedAndTheViewerKeepsItsImage) {
    ViewerFixture viewer;
    viewer.Window().VectorActionFor(CGraphicWnd::actionLine)->trigger();
    Drag(&viewer.View(), QPoint(20, 20), QPoint(100, 60));
    CGraphicItemList* list = viewer.Window().List();

    const auto write = [&](const char* name, const QByteArray& bytes) {
        QFile file(viewer.Path(QString::fromLatin1(name)));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return file.fileName();
    };
    const auto dicom = [&](const char* name, DicomImage image) {
        const QString path = viewer.Path(QString::fromLatin1(name));
        EXPECT_TRUE(WriteDicom(path.toStdString(), image));
        return path;
    };
    // The reasons are the readers'; one of each reader shows that the viewer names the file.
    DicomImage jpeg2000;
    jpeg2000.jpeg2000 = true;
    const std::pair<QString, QString> images[] = {
        {write("notes.txt", "just some words\n"), QStringLiteral("notes.txt: not a binary PGM")},
        {dicom("j2k.dcm", jpeg2000), QStringLiteral("j2k.dcm: the DICOM transfer syntax")},
        {viewer.Path(QStringLiteral("missing.png")), QStringLiteral("missing.png: No such file")},
    };
    for (const auto& [path, message] : images) {
        const QString shown = MessageOf([&] { return viewer.Window().OpenImage(path); });
        EXPECT_TRUE(shown.startsWith(message)) << shown.toStdString();
        EXPECT_EQ(viewer.View().ImageSize(), QSize(100, 80));
        EXPECT_EQ(viewer.Window().List(), list);
    }

    // A damaged overlay.
    ASSERT_TRUE(viewer.Window().SaveOverlay(viewer.Path(QStringLiteral("good.vla"))));
    QFile good(viewer.Path(QStringLiteral("good.vla")));
    ASSERT_TRUE(good.open(QIODevice::ReadOnly));
    const QByteArray bytes = good.readAll();
    const QString damaged = write("damaged.vla", bytes.left(bytes.size() - 9));
    EXPECT_TRUE(MessageOf([&] {
                    return viewer.Window().OpenOverlay(damaged);
                }).startsWith(QStringLiteral("damaged.vla: the overlay is damaged")));
    EXPECT_EQ(viewer.Window().List(), list);
}

// Stores an overlay of the one item, placed from start to end, in the viewer's folder.
std::string OverlayOf(ViewerFixture& viewer, const char* name, CGraphicItem* item, CVector start,
                      CVector end) {
    CGraphicItemList list;
    item->SetStart(&start);
    item->SetEnd(&end, 0);
    list.AddItem(item->GetClass(), item);
    const std::string path = viewer.Path(QString::fromLatin1(name)).toStdString();
    viewer::WriteOverlay(list, path);
    return path;
}

TEST(ViewerFiles, AnOverlayBelongsToAnImageItTouches) {
    ViewerFixture viewer;
    const std::string path =
        OverlayOf(viewer, "corner.vla", new CGraphicLine, CVector(7, 7), CVector(9, 12));
    // The line's first pixel is the last of an 8 x 8 image and lies beyond a 7 x 7 one.
    EXPECT_EQ(Items(*viewer::ReadOverlay(path, 8, 8)).size(), 1u);
    const std::pair<QSize, std::string> refusals[] = {
        {QSize(7, 8), "it belongs to an image of another size: an item at (7, 7) lies outside "
                      "this image of 7 x 8 pixels"},
        {QSize(8, 7), "it belongs to an image of another size: an item at (7, 7) lies outside "
                      "this image of 8 x 7 pixels"},
    };
    for (const auto& [size, message] : refusals) {
        try {
            viewer::ReadOverlay(path, size.width(), size.height());
            ADD_FAILURE() << "read into " << size.width() << " x " << size.height();
        } catch (const viewer::OverlayError& e) {
            EXPECT_EQ(e.what(), message);
        }
    }
}

// A list read from a file hides its density items and has no image until its host acts.
TEST(ViewerFiles, AnOpenedOverlaysDensityLineIsShownOverTheImage) {
    ViewerFixture viewer;
    auto* line = new CGrDensityLine;
    line->SetColor(RGB(255, 0, 0));
    line->SetClass(CGraphicItem::classDensity);
    const std::string path =
        OverlayOf(viewer, "density.vla", line, CVector(10, 30), CVector(60, 30));

    ASSERT_TRUE(viewer.Window().OpenOverlay(QString::fromStdString(path)));
    const auto* loaded = static_cast<CGrDensityLine*>(Items(*viewer.Window().List()).at(0));
    EXPECT_TRUE(loaded->IsInitialised());
    EXPECT_EQ(viewer.View().Backing().pixel(70, 60) & 0xFFFFFF, 0xFF0000u);
}

TEST(ViewerFiles, ZoomStopsWhereTheViewWouldGrowTooLarge) {
    ViewerFixture viewer;
    struct_LEAD_Bitmap wide;
    wide.Width = 2000;
    wide.Height = 20;
    wide.Data.assign(2000 * 20, 90);
    const QString path = viewer.Path(QStringLiteral("wide.pgm"));
    SaveImageFile(path.toLocal8Bit().constData(), wide, ImageFileFormat::Pgm);
    ASSERT_TRUE(viewer.Window().OpenImage(path));
    viewer.Window().SetZoom(32.0);
    // 2000 pixels at 16.38 make a view 32767 pixels wide, the most an image side can have.
    EXPECT_DOUBLE_EQ(viewer.View().Zoom(), 32767.0 / 2000);
    EXPECT_EQ(viewer.View().width(), 32767);
    viewer.Window().SetZoom(1.0 / 64);
    EXPECT_EQ(viewer.View().Zoom(), 1.0 / 16);
}

TEST(ViewerFiles, ActionsFollowTheClassRegistry) {
    ViewerFixture viewer;
    int listed = 0;
    for (const viewer::VectorAction& action : viewer::VectorActions()) {
        ++listed;
        const bool registered =
            !action.itemClass || CClassRegistry::Instance().Find(action.itemClass) != nullptr;
        EXPECT_EQ(viewer.Window().VectorActionFor(action.code) != nullptr, registered)
            << action.name;
    }
    EXPECT_EQ(listed, 15);
    // Registered with the library itself, so never left out.
    for (const int code : {CGraphicWnd::actionLine, CGraphicWnd::actionPolyLine})
        EXPECT_NE(viewer.Window().VectorActionFor(code), nullptr) << code;
    EXPECT_EQ(viewer.Window().VectorActionFor(CGraphicWnd::actionPolyLine)->shortcut(),
              QKeySequence(QStringLiteral("P")));
}

TEST(ViewerFiles, AHigherPShowsABrighterPicture) {
    ViewerFixture viewer;
    struct_LEAD_Bitmap ramp;
    ramp.Width = 256;
    ramp.Height = 4;
    ramp.BitsPerPixel = 16;
    for (int i = 0; i < 256 * 4; ++i) {
        const int value = 1000 + (i % 256) * 8;
        ramp.Data.push_back(static_cast<BYTE>(value & 0xFF));
        ramp.Data.push_back(static_cast<BYTE>(value >> 8));
    }
    const QString path = viewer.Path(QStringLiteral("ramp.png"));
    SaveImageFile(path.toLocal8Bit().constData(), ramp, ImageFileFormat::Png);
    ASSERT_TRUE(viewer.Window().OpenImage(path));
    const auto mean = [&](double p, double fraction) {
        viewer::DisplaySettings settings;
        settings.mode = viewer::DisplaySettings::Mode::Gamma;
        settings.p = p;
        settings.lowerFraction = fraction;
        viewer.Window().SetDisplay(settings);
        const std::vector<BYTE>& grey = viewer.View().Picture();
        return std::accumulate(grey.begin(), grey.end(), 0.0) / static_cast<double>(grey.size());
    };
    // The screen's levels aim at 25.5 + 204 p: 66.3 for p 0.2 and 188.7 for p 0.8.
    EXPECT_NEAR(mean(0.2, 0.0), 66.3, 1.0);
    EXPECT_NEAR(mean(0.8, 0.0), 188.7, 1.0);
    EXPECT_NE(viewer.Window().DisplayGamma(), 1.0);
    // Raising the lower end by half the range blackens the darker half, whatever p asks.
    EXPECT_LT(mean(0.8, 0.5), 130.0);
    EXPECT_EQ(viewer.View().Picture()[0], 0);
}

} // namespace
} // namespace vellum::test
