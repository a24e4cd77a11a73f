#include "ViewerWindow.h"

#include "ImageView.h"
#include "OverlayFile.h"
#include "VectorActions.h"

#include <vellum/Graphics/GrItmlst.h>
#include <vellum/backends/cairo/CairoDC.h>
#include <vellum/platform/Exceptions.h>
#include <vellum/window/GraphicWnd.h>

#include <QActionGroup>
#include <QCloseEvent>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QScrollArea>
#include <QScrollBar>
#include <QSettings>
#include <QSpinBox>
#include <QStatusBar>
#include <QToolBar>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>

namespace vellum::viewer {

namespace {

constexpr double kMinZoom = 1.0 / 16;
constexpr double kMaxZoom = 32.0;
constexpr double kZoomStep = 1.25;
constexpr double kMaxViewPixels = 64.0 * 1024 * 1024;
constexpr int kRecentFiles = 8;
const QString kRecentKey = QStringLiteral("recentFiles");

// The cause of a failed load in words for the user.
QString Describe(const CException& e) {
    if (const auto* format = dynamic_cast<const CImageFormatException*>(&e))
        return QString::fromStdString(format->m_strProblem);
    if (const auto* file = dynamic_cast<const CFileException*>(&e))
        return QString::fromLocal8Bit(std::strerror(file->m_lOsError));
    return QString::fromStdString(e.what());
}

} // namespace

ViewerWindow::ViewerWindow(QWidget* parent)
    : QMainWindow(parent), m_previousHost(AfxSetUiHost(&m_host)), m_scroll(new QScrollArea(this)),
      m_view(new ImageView), m_list(std::make_unique<CGraphicItemList>()) {
    m_host.SetOwnerWidget(this);
    m_host.SetCursorWidget(m_view);
    m_scroll->setWidget(m_view);
    m_scroll->setAlignment(Qt::AlignCenter);
    m_scroll->setBackgroundRole(QPalette::Dark);
    setCentralWidget(m_scroll);
    m_view->Graphic().Initialize(m_list.get());

    BuildActions();
    BuildDisplayControls();
    m_positionLabel = new QLabel(this);
    m_zoomLabel = new QLabel(this);
    m_calibrationLabel = new QLabel(this);
    statusBar()->addWidget(m_positionLabel, 1);
    statusBar()->addPermanentWidget(m_zoomLabel);
    statusBar()->addPermanentWidget(m_calibrationLabel);

    connect(m_view, &ImageView::overlayChanged, this, &ViewerWindow::SyncWithWindow);
    connect(m_view, &ImageView::pointerMoved, this, &ViewerWindow::ShowPointer);
    connect(m_view, &ImageView::zoomRequested, this,
            [this](bool in) { SetZoom(m_view->Zoom() * (in ? kZoomStep : 1 / kZoomStep)); });
    setWindowTitle(QStringLiteral("vellum-viewer[*]"));
    resize(1000, 720);
    SyncWithWindow();
}

ViewerWindow::~ViewerWindow() {
    // The view's window shows the list: it goes first.
    delete m_scroll->takeWidget();
    AfxSetUiHost(m_previousHost);
}

void ViewerWindow::BuildActions() {
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    file->addAction(QStringLiteral("&Open image..."), QKeySequence::Open, this, [this] {
        const QString path = QFileDialog::getOpenFileName(
            this, QStringLiteral("Open image"), QFileInfo(m_imagePath).path(),
            QStringLiteral("Images (*.png *.pgm *.dcm *.dicom *.DCM);;All files (*)"));
        if (!path.isEmpty() && ConfirmDiscard())
            OpenImage(path);
    });
    file->addAction(QStringLiteral("Open &overlay..."),
                    QKeySequence(QStringLiteral("Ctrl+Shift+O")), this, [this] {
                        const QString path = QFileDialog::getOpenFileName(
                            this, QStringLiteral("Open overlay"),
                            QFileInfo(DefaultOverlayPath()).path(),
                            QStringLiteral("Overlays (*.vla);;All files (*)"));
                        if (!path.isEmpty() && ConfirmDiscard())
                            OpenOverlay(path);
                    });
    m_recentMenu = file->addMenu(QStringLiteral("Open &recent"));
    file->addSeparator();
    file->addAction(QStringLiteral("&Save overlay"), QKeySequence::Save, this, [this] {
        SaveOverlay(m_overlayPath.isEmpty() ? DefaultOverlayPath() : m_overlayPath);
    });
    file->addAction(QStringLiteral("Save overlay &as..."), QKeySequence::SaveAs, this, [this] {
        const QString path =
            QFileDialog::getSaveFileName(this, QStringLiteral("Save overlay"), DefaultOverlayPath(),
                                         QStringLiteral("Overlays (*.vla)"));
        if (!path.isEmpty())
            SaveOverlay(path);
    });
    file->addAction(
        QStringLiteral("&Export picture..."), QKeySequence(QStringLiteral("Ctrl+E")), this, [this] {
            const QString path = QFileDialog::getSaveFileName(
                this, QStringLiteral("Export picture"),
                QFileInfo(m_imagePath).path() + QStringLiteral("/") +
                    QFileInfo(m_imagePath).completeBaseName() + QStringLiteral("-overlay.png"),
                QStringLiteral("PNG image (*.png);;PDF document (*.pdf);;SVG drawing (*.svg)"));
            if (!path.isEmpty())
                ExportPicture(path);
        });
    file->addSeparator();
    file->addAction(QStringLiteral("&Quit"), QKeySequence::Quit, this, &QWidget::close);
    RebuildRecentMenu();

    QMenu* view = menuBar()->addMenu(QStringLiteral("&View"));
    QToolBar* viewBar = addToolBar(QStringLiteral("View"));
    const auto addZoom = [&](const QString& text, const QKeySequence& key, auto zoom) {
        QAction* action = view->addAction(text, key, this, zoom);
        viewBar->addAction(action);
    };
    addZoom(QStringLiteral("Zoom &in"), QKeySequence::ZoomIn,
            [this] { SetZoom(m_view->Zoom() * kZoomStep); });
    addZoom(QStringLiteral("Zoom &out"), QKeySequence::ZoomOut,
            [this] { SetZoom(m_view->Zoom() / kZoomStep); });
    addZoom(QStringLiteral("&1:1"), QKeySequence(QStringLiteral("Ctrl+1")),
            [this] { SetZoom(1.0); });
    addZoom(QStringLiteral("&Fit"), QKeySequence(QStringLiteral("Ctrl+0")), [this] {
        const QSize image = m_view->ImageSize();
        const QSize room = m_scroll->viewport()->size();
        if (image.isEmpty())
            return;
        SetZoom(std::min(static_cast<double>(room.width()) / image.width(),
                         static_cast<double>(room.height()) / image.height()));
    });

    QMenu* draw = menuBar()->addMenu(QStringLiteral("&Draw"));
    QToolBar* drawBar = addToolBar(QStringLiteral("Draw"));
    drawBar->setIconSize(QSize(24, 24));
    m_vectorGroup = new QActionGroup(this);
    for (const VectorAction& vector : VectorActions()) {
        if (!IsOffered(vector))
            continue;
        QAction* action = m_vectorGroup->addAction(VectorActionIcon(vector.code),
                                                   QString::fromLatin1(vector.name));
        action->setCheckable(true);
        action->setShortcut(QKeySequence(QString::fromLatin1(vector.shortcut)));
        action->setToolTip(QStringLiteral("%1 (%2)").arg(QString::fromLatin1(vector.name),
                                                         QString::fromLatin1(vector.shortcut)));
        action->setData(vector.code);
        connect(action, &QAction::triggered, this, [this, code = vector.code] {
            m_view->Graphic().SetVectorAction(code);
            m_view->UpdateWindow();
            SyncWithWindow();
        });
        draw->addAction(action);
        drawBar->addAction(action);
        m_vectorActions[vector.code] = action;
    }
}

void ViewerWindow::BuildDisplayControls() {
    QToolBar* bar = addToolBar(QStringLiteral("Display"));
    m_modeBox = new QComboBox(bar);
    m_modeBox->addItems({QStringLiteral("Full range"), QStringLiteral("Window/level"),
                         QStringLiteral("Optimal gamma")});
    m_levelBox = new QSpinBox(bar);
    m_widthBox = new QSpinBox(bar);
    m_levelBox->setRange(0, 65535);
    m_widthBox->setRange(1, 65536);
    m_levelBox->setPrefix(QStringLiteral("L "));
    m_widthBox->setPrefix(QStringLiteral("W "));
    m_pBox = new QDoubleSpinBox(bar);
    m_pBox->setRange(0.0, 1.0);
    m_pBox->setSingleStep(0.05);
    m_pBox->setPrefix(QStringLiteral("p "));
    m_pBox->setToolTip(QStringLiteral("Brightness the gamma aims at: 0 dark, 1 bright"));
    m_fractionBox = new QDoubleSpinBox(bar);
    m_fractionBox->setRange(0.0, 1.0);
    m_fractionBox->setSingleStep(0.05);
    m_fractionBox->setPrefix(QStringLiteral("lower "));
    m_fractionBox->setToolTip(QStringLiteral(
        "Fraction of the occupied range by which the gamma curve starts above the darkest level"));
    m_gammaLabel = new QLabel(bar);
    bar->addWidget(m_modeBox);
    bar->addWidget(m_levelBox);
    bar->addWidget(m_widthBox);
    bar->addWidget(m_pBox);
    bar->addWidget(m_fractionBox);
    bar->addWidget(m_gammaLabel);
    SetDisplay(m_display);
    const auto changed = [this] {
        DisplaySettings settings;
        settings.mode = static_cast<DisplaySettings::Mode>(m_modeBox->currentIndex());
        settings.level = m_levelBox->value();
        settings.width = m_widthBox->value();
        settings.p = m_pBox->value();
        settings.lowerFraction = m_fractionBox->value();
        SetDisplay(settings);
    };
    connect(m_modeBox, &QComboBox::currentIndexChanged, this, changed);
    connect(m_levelBox, &QSpinBox::valueChanged, this, changed);
    connect(m_widthBox, &QSpinBox::valueChanged, this, changed);
    connect(m_pBox, &QDoubleSpinBox::valueChanged, this, changed);
    connect(m_fractionBox, &QDoubleSpinBox::valueChanged, this, changed);
}

void ViewerWindow::SetDisplay(const DisplaySettings& settings) {
    m_display = settings;
    for (QWidget* box :
         std::initializer_list<QWidget*>{m_modeBox, m_levelBox, m_widthBox, m_pBox, m_fractionBox})
        box->blockSignals(true);
    m_modeBox->setCurrentIndex(static_cast<int>(settings.mode));
    m_levelBox->setValue(static_cast<int>(std::lround(settings.level)));
    m_widthBox->setValue(static_cast<int>(std::lround(settings.width)));
    m_pBox->setValue(settings.p);
    m_fractionBox->setValue(settings.lowerFraction);
    for (QWidget* box :
         std::initializer_list<QWidget*>{m_modeBox, m_levelBox, m_widthBox, m_pBox, m_fractionBox})
        box->blockSignals(false);
    const bool window = settings.mode == DisplaySettings::Mode::WindowLevel;
    const bool gamma = settings.mode == DisplaySettings::Mode::Gamma;
    m_levelBox->setEnabled(window);
    m_widthBox->setEnabled(window);
    m_pBox->setEnabled(gamma);
    m_fractionBox->setEnabled(gamma);
    UpdatePicture();
}

void ViewerWindow::UpdatePicture() {
    if (!m_bitmap)
        return;
    DisplayPicture picture = MakeDisplayPicture(*m_bitmap, m_display);
    m_gamma = picture.gamma;
    m_gammaLabel->setText(m_display.mode == DisplaySettings::Mode::Gamma
                              ? QStringLiteral(" gamma %1").arg(m_gamma, 0, 'f', 3)
                              : QString());
    m_view->SetPicture(std::move(picture.grey), QSize(m_bitmap->Width, m_bitmap->Height));
}

bool ViewerWindow::OpenImage(const QString& path) {
    CImageFileInfo info;
    std::unique_ptr<struct_LEAD_Bitmap> bitmap;
    try {
        bitmap = LoadImageFile(path.toLocal8Bit().constData(), &info);
    } catch (const CException& e) {
        Fail(path, Describe(e));
        return false;
    }
    if (bitmap->Width > 32767 || bitmap->Height > 32767) {
        Fail(path, QStringLiteral("the image of %1 x %2 pixels is too large to show")
                       .arg(bitmap->Width)
                       .arg(bitmap->Height));
        return false;
    }
    m_bitmap = std::move(bitmap);
    m_info = info;
    m_imagePath = path;
    // A deep image opens with its occupied range as the window.
    DisplaySettings settings = m_display;
    const double middle = (info.minimum + info.maximum) / 2.0 + info.sampleOffset;
    settings.level = info.inverted ? ((1L << info.bitsStored) - 1) - middle : middle;
    settings.width = std::max<double>(1.0, info.maximum - info.minimum);
    UseList(std::make_unique<CGraphicItemList>(), QString());
    SetDisplay(settings);
    // A large image opens whole, a small one at its own size.
    const QSize room = m_scroll->viewport()->size();
    SetZoom(std::min({1.0, static_cast<double>(room.width()) / m_bitmap->Width,
                      static_cast<double>(room.height()) / m_bitmap->Height}));
    RememberFile(path);
    setWindowTitle(QStringLiteral("vellum-viewer - %1[*]").arg(QFileInfo(path).fileName()));
    const QString beside = DefaultOverlayPath();
    if (QFileInfo::exists(beside))
        OpenOverlay(beside);
    SyncWithWindow();
    return true;
}

bool ViewerWindow::OpenOverlay(const QString& path) {
    std::unique_ptr<CGraphicItemList> list;
    try {
        const QSize size = m_view->ImageSize();
        list = ReadOverlay(path.toLocal8Bit().toStdString(), size.width(), size.height());
    } catch (const OverlayError& e) {
        Fail(path, QString::fromStdString(e.what()));
        return false;
    }
    UseList(std::move(list), path);
    RememberFile(path);
    return true;
}

void ViewerWindow::UseList(std::unique_ptr<CGraphicItemList> list, const QString& path) {
    CGraphicWnd& graphic = m_view->Graphic();
    graphic.Initialize(list.get());
    m_list = std::move(list);
    m_overlayPath = path;
    ApplyImageCalibration();
    // A loaded list shows only some classes until its host picks them: the viewer shows all.
    graphic.SetTypesToDraw(0xFFFF);
    // Density items read their grey levels from the image, whichever list they came in.
    if (m_bitmap)
        graphic.SetBitmap(m_bitmap.get());
    graphic.SetModified(0);
    m_list->SetModified(0);
    m_view->Repaint();
    SyncWithWindow();
}

void ViewerWindow::ApplyImageCalibration() {
    // The image's pixel spacing calibrates the list, so that distances read in millimetres.
    if (!m_info.hasSpacing)
        return;
    CGraphicWnd& graphic = m_view->Graphic();
    graphic.SetResolution(m_info.pixelsPerMmX, m_info.pixelsPerMmY);
    graphic.SetCalibrated(1);
}

bool ViewerWindow::SaveOverlay(const QString& path) {
    if (path.isEmpty())
        return false;
    try {
        WriteOverlay(*m_list, path.toLocal8Bit().toStdString());
    } catch (const OverlayError& e) {
        Fail(path, QString::fromStdString(e.what()));
        return false;
    }
    m_overlayPath = path;
    m_list->SetModified(0);
    m_view->Graphic().SetModified(0);
    RememberFile(path);
    SyncWithWindow();
    return true;
}

bool ViewerWindow::ExportPicture(const QString& path) {
    const QSize size = m_view->ImageSize();
    if (size.isEmpty()) {
        Fail(path, QStringLiteral("there is no image to export"));
        return false;
    }
    const QString extension = QFileInfo(path).suffix().toLower();
    const std::string file = path.toLocal8Bit().toStdString();
    try {
        std::unique_ptr<CCairoDC> dc;
        if (extension == QLatin1String("png"))
            dc = CCairoDC::CreateImage(size.width(), size.height(), RGB(0, 0, 0));
        else if (extension == QLatin1String("pdf"))
            dc = CCairoDC::CreatePdf(file.c_str(), size.width(), size.height());
        else if (extension == QLatin1String("svg"))
            dc = CCairoDC::CreateSvg(file.c_str(), size.width(), size.height());
        else {
            Fail(path, QStringLiteral("the picture is exported as .png, .pdf or .svg"));
            return false;
        }
        const std::vector<BYTE>& grey = m_view->Picture();
        dc->DrawGreyImage(grey.data(), size.width(), size.height(), size.width(), 0, 0, 1.0);
        m_list->Draw(dc.get(), 1.0, 0, 0, 1.0);
        if (dc->IsImage())
            dc->WritePng(file.c_str());
        else
            dc->Finish();
    } catch (const CException& e) {
        Fail(path, Describe(e));
        return false;
    }
    return true;
}

bool ViewerWindow::IsModified() const {
    return m_list->IsModified() || m_view->Graphic().IsModified();
}

bool ViewerWindow::ConfirmDiscard() {
    if (!IsModified())
        return true;
    const auto answer = QMessageBox::question(
        this, QStringLiteral("vellum-viewer"),
        QStringLiteral("The overlay has unsaved changes. Save them?"),
        QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, QMessageBox::Save);
    if (answer == QMessageBox::Cancel)
        return false;
    if (answer == QMessageBox::Discard)
        return true;
    return SaveOverlay(m_overlayPath.isEmpty() ? DefaultOverlayPath() : m_overlayPath);
}

void ViewerWindow::closeEvent(QCloseEvent* event) {
    if (ConfirmDiscard())
        event->accept();
    else
        event->ignore();
}

QString ViewerWindow::DefaultOverlayPath() const {
    if (m_imagePath.isEmpty())
        return QStringLiteral("overlay.vla");
    const QFileInfo image(m_imagePath);
    return image.path() + QStringLiteral("/") + image.completeBaseName() + QStringLiteral(".vla");
}

void ViewerWindow::SetZoom(double zoom) {
    // The view keeps a backing image of its whole size: a large image zooms in only as far
    // as that image stays within kMaxViewPixels and 32767 pixels a side.
    const QSize image = m_view->ImageSize();
    double largest = kMaxZoom;
    if (!image.isEmpty())
        largest = std::min({kMaxZoom,
                            std::sqrt(kMaxViewPixels / (double(image.width()) * image.height())),
                            32767.0 / image.width(), 32767.0 / image.height()});
    zoom = std::clamp(zoom, std::min(kMinZoom, largest), largest);
    // The point at the centre of the viewport stays there.
    const QPointF centre(
        m_scroll->horizontalScrollBar()->value() + m_scroll->viewport()->width() / 2.0,
        m_scroll->verticalScrollBar()->value() + m_scroll->viewport()->height() / 2.0);
    const double ratio = zoom / m_view->Zoom();
    m_view->SetZoom(zoom);
    m_scroll->horizontalScrollBar()->setValue(
        static_cast<int>(centre.x() * ratio - m_scroll->viewport()->width() / 2.0));
    m_scroll->verticalScrollBar()->setValue(
        static_cast<int>(centre.y() * ratio - m_scroll->viewport()->height() / 2.0));
    SyncWithWindow();
}

QAction* ViewerWindow::VectorActionFor(int code) const {
    const auto found = m_vectorActions.find(code);
    return found == m_vectorActions.end() ? nullptr : found->second;
}

void ViewerWindow::SyncWithWindow() {
    // The window puts its action back to select by itself once an item is finished.
    if (QAction* action = VectorActionFor(m_view->Graphic().GetVectorAction()))
        action->setChecked(true);
    setWindowModified(IsModified());
    m_zoomLabel->setText(QStringLiteral("Zoom %1%").arg(m_view->Zoom() * 100.0, 0, 'f', 0));
    m_calibrationLabel->setText(CalibrationText());
}

QString ViewerWindow::CalibrationText() const {
    if (!m_list->IsCalibrated())
        return QStringLiteral("Not calibrated");
    double x = 0.0;
    double y = 0.0;
    m_list->GetResolution(&x, &y);
    return QStringLiteral("Calibrated %1 x %2 px/mm").arg(x, 0, 'g', 5).arg(y, 0, 'g', 5);
}

QString ViewerWindow::PositionText() const {
    return m_positionLabel->text();
}

void ViewerWindow::ShowPointer(QPoint point, bool inside) {
    if (!inside || !m_bitmap || point.x() >= m_bitmap->Width || point.y() >= m_bitmap->Height) {
        m_positionLabel->clear();
        return;
    }
    const unsigned sample = SampleAt(*m_bitmap, point.x(), point.y());
    const long stored = m_info.StoredValue(sample);
    QString text = QStringLiteral("x %1  y %2  value %3").arg(point.x()).arg(point.y()).arg(stored);
    if (m_info.rescaleSlope != 1.0 || m_info.rescaleIntercept != 0.0)
        text += QStringLiteral(" (%1)").arg(stored * m_info.rescaleSlope + m_info.rescaleIntercept,
                                            0, 'g', 6);
    m_positionLabel->setText(text);
}

void ViewerWindow::Fail(const QString& path, const QString& cause) {
    QMessageBox::warning(this, QStringLiteral("vellum-viewer"),
                         QStringLiteral("%1: %2").arg(QFileInfo(path).fileName(), cause));
}

void ViewerWindow::RememberFile(const QString& path) {
    QSettings settings;
    QStringList files = settings.value(kRecentKey).toStringList();
    const QString absolute = QFileInfo(path).absoluteFilePath();
    files.removeAll(absolute);
    files.prepend(absolute);
    while (files.size() > kRecentFiles)
        files.removeLast();
    settings.setValue(kRecentKey, files);
    RebuildRecentMenu();
}

void ViewerWindow::RebuildRecentMenu() {
    m_recentMenu->clear();
    const QStringList files = QSettings().value(kRecentKey).toStringList();
    for (const QString& path : files) {
        m_recentMenu->addAction(QFileInfo(path).fileName(), this, [this, path] {
            if (!ConfirmDiscard())
                return;
            if (path.endsWith(QLatin1String(".vla"), Qt::CaseInsensitive))
                OpenOverlay(path);
            else
                OpenImage(path);
        });
    }
    m_recentMenu->setEnabled(!files.isEmpty());
}

} // namespace vellum::viewer
