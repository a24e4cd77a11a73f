// vellum-viewer [IMAGE [OVERLAY]] [--screenshot FILE.png [--properties]]: the desktop viewer.
// With --screenshot it opens the files, waits until the view is painted, writes the window's
// picture and exits; --properties first opens the property sheet of an item of the overlay,
// so that the picture shows it.

#include "ImageView.h"
#include "ViewerWindow.h"

#include <vellum/Graphics/GrItmlst.h>
#include <vellum/Graphics/GraphicItem.h>
#include <vellum/module/VellumModule.h>
#include <vellum/window/GraphicWnd.h>

#include <QApplication>
#include <QPainter>
#include <QTimer>

#include <cstdio>

namespace {

using vellum::viewer::ViewerWindow;

// The main window's picture with the modal dialog in front of it, where it stands.
QImage WindowPicture(ViewerWindow& window) {
    QImage picture = window.grab().toImage();
    if (QWidget* modal = QApplication::activeModalWidget(); modal && modal != &window) {
        // Beside the image rather than over it.
        modal->move(window.mapToGlobal(
            QPoint(window.width() - modal->width() - 12, window.height() - modal->height() - 40)));
        QPainter painter(&picture);
        painter.drawPixmap(window.mapFromGlobal(modal->mapToGlobal(QPoint(0, 0))), modal->grab());
    }
    return picture;
}

// Selects the first item of the overlay with a click and opens its property sheet, as the
// context menu's entry does.
void OpenFirstItemProperties(ViewerWindow& window) {
    using namespace vellum;
    CGraphicItemList* list = window.List();
    POSITION group = list->GetStartPosition();
    if (!group)
        return;
    WORD key = 0;
    vellum::CObject* items = nullptr;
    list->GetNextAssoc(group, key, items);
    auto* itemList = dynamic_cast<vellum::CObList*>(items);
    if (!itemList || itemList->IsEmpty())
        return;
    auto* item = dynamic_cast<vellum::CGraphicItem*>(itemList->GetHead());
    vellum::CGraphicWnd& graphic = window.View().Graphic();
    const vellum::CPoint at = graphic.FromImagePnt(vellum::CPoint(POINT(item->GetNode(0))));
    graphic.LButtonDown(0, at);
    graphic.LButtonUp(0, at);
    window.View().UpdateWindow();
    graphic.OnProperties();
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    // The library starts as a host starts it: resources and classes, the default font, then
    // the symbol library that the settings name; it unloads when main returns.
    vellum::CVellumModule module;
    vellum::VellumDLLInit();
    vellum::SymbolLibraryInit();
    QApplication::setApplicationName(QStringLiteral("vellum-viewer"));
    QApplication::setOrganizationName(QStringLiteral("Vellum"));

    QStringList files;
    QString screenshot;
    bool properties = false;
    const QStringList args = QApplication::arguments().mid(1);
    for (int i = 0; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--screenshot") && i + 1 < args.size())
            screenshot = args[++i];
        else if (args[i] == QLatin1String("--properties"))
            properties = true;
        else if (!args[i].startsWith(QLatin1Char('-')) && files.size() < 2)
            files << args[i];
        else {
            std::fprintf(stderr, "usage: vellum-viewer [IMAGE [OVERLAY]] [--screenshot FILE.png "
                                 "[--properties]]\n");
            return 2;
        }
    }

    ViewerWindow window;
    window.show();
    if (!files.isEmpty() && !window.OpenImage(files[0]) && !screenshot.isEmpty())
        return 1;
    if (files.size() > 1 && !window.OpenOverlay(files[1]) && !screenshot.isEmpty())
        return 1;
    if (screenshot.isEmpty())
        return QApplication::exec();

    int status = 0;
    const auto capture = [&] {
        if (!WindowPicture(window).save(screenshot)) {
            std::fprintf(stderr, "vellum-viewer: %s: cannot be written\n", qPrintable(screenshot));
            status = 1;
        }
        // Leaves any dialog's loop as well as the application's.
        QApplication::exit(status);
    };
    QObject::connect(&window.View(), &vellum::viewer::ImageView::painted, &window, [&] {
        static bool started = false;
        if (started)
            return;
        started = true;
        if (properties) {
            QTimer::singleShot(300, &window, capture);
            QTimer::singleShot(0, &window, [&] { OpenFirstItemProperties(window); });
        } else {
            QTimer::singleShot(50, &window, capture);
        }
    });
    QApplication::exec();
    return status;
}
