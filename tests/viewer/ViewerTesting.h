#pragma once
// What the viewer's tests share: a window over a plain test image, mouse events sent to the
// real image view, the items of the list, and acting on modal dialogs and menus from inside
// their event loops.

#include "support/TempSettings.h"

#include <ImageView.h>
#include <ViewerWindow.h>

#include <vellum/Graphics/GrItmlst.h>
#include <vellum/Graphics/GraphicItem.h>

#include <QApplication>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QTimer>

#include <functional>
#include <memory>
#include <vector>

namespace vellum::test {

// Every item of the list, group after group.
inline std::vector<CGraphicItem*> Items(CGraphicItemList& list) {
    std::vector<CGraphicItem*> items;
    for (POSITION group = list.GetStartPosition(); group;) {
        WORD key = 0;
        CObject* groupList = nullptr;
        list.GetNextAssoc(group, key, groupList);
        auto* objects = static_cast<CObList*>(groupList);
        for (POSITION at = objects->GetHeadPosition(); at;)
            items.push_back(static_cast<CGraphicItem*>(objects->GetNext(at)));
    }
    return items;
}

// Sends one mouse event to the widget, as the window system delivers it.
inline void Mouse(QWidget* widget, QEvent::Type type, QPoint at,
                  Qt::MouseButton button = Qt::LeftButton) {
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease || type == QEvent::MouseMove
                                      ? Qt::NoButton
                                      : Qt::MouseButtons(button);
    QMouseEvent event(type, QPointF(at), widget->mapToGlobal(QPointF(at)),
                      type == QEvent::MouseMove ? Qt::NoButton : button, held, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

inline void Drag(QWidget* view, QPoint from, QPoint to) {
    Mouse(view, QEvent::MouseButtonPress, from);
    Mouse(view, QEvent::MouseMove, to);
    Mouse(view, QEvent::MouseButtonRelease, to);
}

inline void Click(QWidget* view, QPoint at) {
    Mouse(view, QEvent::MouseButtonPress, at);
    Mouse(view, QEvent::MouseButtonRelease, at);
}

// A double click as Qt reports it: press, release, double click, release.
inline void DoubleClick(QWidget* view, QPoint at) {
    Click(view, at);
    Mouse(view, QEvent::MouseButtonDblClick, at);
    Mouse(view, QEvent::MouseButtonRelease, at);
}

// Runs act on the first modal widget or popup of type W that appears, from inside its event
// loop; fails the test when none appears within five seconds.
template <class W> void WhenShown(std::function<void(W*)> act) {
    auto* timer = new QTimer;
    auto waited = std::make_shared<int>(0);
    QObject::connect(timer, &QTimer::timeout, [timer, waited, act] {
        QWidget* shown = QApplication::activePopupWidget();
        if (!qobject_cast<W*>(shown))
            shown = QApplication::activeModalWidget();
        if (auto* widget = qobject_cast<W*>(shown)) {
            timer->stop();
            timer->deleteLater();
            act(widget);
        } else if (++*waited > 250) {
            timer->stop();
            timer->deleteLater();
            ADD_FAILURE() << "no " << W::staticMetaObject.className() << " was shown";
            if (QWidget* modal = QApplication::activeModalWidget())
                modal->close();
        }
    });
    timer->start(20);
}

// A viewer window over a uniform grey 8-bit image of 100 x 80 pixels at zoom 2, with the
// user's settings in a temporary file.
class ViewerFixture {
public:
    ViewerFixture();
    QString Path(const QString& name) const { return m_dir.filePath(name); }
    viewer::ViewerWindow& Window() { return *m_window; }
    viewer::ImageView& View() { return m_window->View(); }

    static constexpr BYTE kGrey = 60;

private:
    TempSettings m_settings;
    QTemporaryDir m_dir;
    std::unique_ptr<viewer::ViewerWindow> m_window;
};

} // namespace vellum::test
