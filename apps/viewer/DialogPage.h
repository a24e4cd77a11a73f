#pragma once
// A dialog template rendered as Qt widgets, from the template alone: each control becomes the
// widget of its kind, placed by its dialog units converted with the font's metrics (a dialog
// unit is a quarter of the font's average character width across and an eighth of its height
// down). Bound to an open dialog, the page shows the controls' state and hands every user
// action to the dialog (TypeText, ClickButton, MoveSpin), as the library's dialogs expect.

#include <vellum/platform/DialogTemplate.h>

#include <QRect>
#include <QWidget>

#include <vector>

class QFont;
class QListWidget;

namespace vellum {
class CDialog;
class CDialogItem;
}

namespace vellum::viewer {

// Dialog units to pixels for one font.
class DialogUnits {
public:
    explicit DialogUnits(const QFont& font);
    int BaseX() const { return m_baseX; }
    int BaseY() const { return m_baseY; }
    // Edges are converted, not sizes, so that controls that touch in dialog units touch in
    // pixels too and never overlap by a rounding.
    QRect ToPixels(int x, int y, int cx, int cy) const;
    QSize ToPixels(int cx, int cy) const;

private:
    int m_baseX;
    int m_baseY;
};

class DialogPage : public QWidget {
    Q_OBJECT
public:
    DialogPage(const CDialogTemplate& dialogTemplate, QWidget* parent = nullptr);

    const CDialogTemplate& Template() const { return m_template; }
    // One widget per control, in template order.
    const std::vector<QWidget*>& Controls() const { return m_controls; }
    QWidget* ControlById(int id) const;

    // Connects the widgets to an open dialog made from the same template and shows its state.
    void Bind(CDialog* dialog);
    // Shows the dialog's controls as they are now: texts, checks, enabled state.
    void Refresh();
    // Puts the keyboard focus on the control the dialog has it on.
    void FollowFocus();

signals:
    // The user did something with a control and the dialog has heard it; it may have ended.
    void inputDelivered();

private:
    QWidget* MakeControl(const CControlTemplate& control);
    // After the user's input to a control has reached the dialog.
    void Deliver(int controlId);
    void ShowLines(QListWidget& list, const CDialogItem& item);

    const CDialogTemplate& m_template;
    std::vector<QWidget*> m_controls;
    CDialog* m_dialog = nullptr;
    bool m_refreshing = false;
};

} // namespace vellum::viewer
