#include "DialogPage.h"

#include "TextEdge.h"

#include <vellum/platform/Dialog.h>
#include <vellum/platform/DialogItem.h>

#include <QCheckBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace vellum::viewer {

namespace {

constexpr char kControlId[] = "controlId";

// The framework's average character width: the width of the 52 Latin letters, averaged and
// rounded.
int AverageCharWidth(const QFontMetrics& metrics) {
    const QString letters = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    return (metrics.horizontalAdvance(letters) / 26 + 1) / 2;
}

// The arrows of a spin control: up moves towards the upper end of the range.
class SpinArrows : public QWidget {
public:
    explicit SpinArrows(QWidget* parent) : QWidget(parent) {
        auto* layout = new QVBoxLayout(this);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->setSpacing(0);
        for (QToolButton** button : {&up, &down}) {
            *button = new QToolButton(this);
            (*button)->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
            (*button)->setAutoRepeat(true);
            layout->addWidget(*button);
        }
        up->setArrowType(Qt::UpArrow);
        down->setArrowType(Qt::DownArrow);
    }
    QToolButton* up = nullptr;
    QToolButton* down = nullptr;
};

// Windows edits end lines with CR LF; Qt's with LF.
QString FromEditText(const CString& text) {
    return ToQString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

CString ToEditText(QString text) {
    return FromQString(text.replace(QStringLiteral("\n"), QStringLiteral("\r\n")));
}

} // namespace

DialogUnits::DialogUnits(const QFont& font) {
    const QFontMetrics metrics(font);
    m_baseX = AverageCharWidth(metrics);
    m_baseY = metrics.height();
}

QRect DialogUnits::ToPixels(int x, int y, int cx, int cy) const {
    const auto across = [this](int units) { return (units * m_baseX + 2) / 4; };
    const auto down = [this](int units) { return (units * m_baseY + 4) / 8; };
    const int left = across(x);
    const int top = down(y);
    return QRect(left, top, across(x + cx) - left, down(y + cy) - top);
}

QSize DialogUnits::ToPixels(int cx, int cy) const {
    return ToPixels(0, 0, cx, cy).size();
}

DialogPage::DialogPage(const CDialogTemplate& dialogTemplate, QWidget* parent)
    : QWidget(parent), m_template(dialogTemplate) {
    const DialogUnits units(font());
    setFixedSize(units.ToPixels(m_template.cx, m_template.cy));
    for (const CControlTemplate& control : m_template.controls) {
        QWidget* widget = MakeControl(control);
        widget->setProperty(kControlId, control.id);
        widget->setGeometry(units.ToPixels(control.x, control.y, control.cx, control.cy));
        m_controls.push_back(widget);
    }
    // A group box frames the controls after it: it lies beneath them.
    for (QWidget* widget : m_controls)
        if (qobject_cast<QGroupBox*>(widget))
            widget->lower();
}

QWidget* DialogPage::MakeControl(const CControlTemplate& control) {
    const QString text = ToQString(CString(control.text));
    const DWORD style = control.style;
    switch (control.kind) {
    case ControlKind::Label: {
        auto* label = new QLabel(text, this);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        label->setWordWrap(true);
        return label;
    }
    case ControlKind::GroupBox:
        return new QGroupBox(text, this);
    case ControlKind::PushButton: {
        auto* button = new QPushButton(text, this);
        button->setDefault((style & BS_DEFPUSHBUTTON) != 0);
        button->setAutoDefault(false);
        return button;
    }
    case ControlKind::CheckBox:
        return new QCheckBox(text, this);
    case ControlKind::RadioButton: {
        auto* radio = new QRadioButton(text, this);
        // The dialog clears the rest of the group; Qt must not do it on its own.
        radio->setAutoExclusive(false);
        return radio;
    }
    case ControlKind::Edit:
        if (style & ES_MULTILINE) {
            auto* edit = new QPlainTextEdit(this);
            edit->setReadOnly((style & ES_READONLY) != 0);
            edit->setTabChangesFocus(true);
            return edit;
        } else {
            auto* edit = new QLineEdit(this);
            edit->setReadOnly((style & ES_READONLY) != 0);
            return edit;
        }
    case ControlKind::UpDown:
        return new SpinArrows(this);
    case ControlKind::ListBox:
    case ControlKind::CheckListBox: {
        // The dialog's list keeps the lines in their order (sorted or not); the widget shows
        // them as they are, so that its rows are the dialog's line numbers.
        return new QListWidget(this);
    }
    }
    return new QWidget(this);
}

QWidget* DialogPage::ControlById(int id) const {
    for (QWidget* widget : m_controls)
        if (widget->property(kControlId).toInt() == id)
            return widget;
    return nullptr;
}

void DialogPage::Bind(CDialog* dialog) {
    m_dialog = dialog;
    for (std::size_t i = 0; i < m_controls.size(); ++i) {
        QWidget* widget = m_controls[i];
        const int id = m_template.controls[i].id;
        if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
            connect(edit, &QLineEdit::textEdited, this, [this, id](const QString& text) {
                m_dialog->TypeText(id, FromQString(text).GetString());
                Deliver(id);
            });
        } else if (auto* multiline = qobject_cast<QPlainTextEdit*>(widget)) {
            connect(multiline, &QPlainTextEdit::textChanged, this, [this, id, multiline] {
                if (m_refreshing)
                    return;
                m_dialog->TypeText(id, ToEditText(multiline->toPlainText()).GetString());
                Deliver(id);
            });
        } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
            connect(button, &QAbstractButton::clicked, this, [this, id] {
                m_dialog->ClickButton(id);
                Deliver(id);
            });
        } else if (auto* list = qobject_cast<QListWidget*>(widget)) {
            connect(list, &QListWidget::currentRowChanged, this, [this, id](int row) {
                if (m_refreshing || row < 0)
                    return;
                m_dialog->SelectListItem(id, row);
                Deliver(id);
            });
            connect(list, &QListWidget::itemDoubleClicked, this,
                    [this, id, list](QListWidgetItem* line) {
                        m_dialog->DoubleClickListItem(id, list->row(line));
                        Deliver(id);
                    });
            connect(list, &QListWidget::itemChanged, this, [this, id, list](QListWidgetItem* line) {
                if (m_refreshing)
                    return;
                m_dialog->ClickListCheck(id, list->row(line));
                Deliver(id);
            });
        } else if (auto* arrows = dynamic_cast<SpinArrows*>(widget)) {
            connect(arrows->up, &QToolButton::clicked, this, [this, id] {
                m_dialog->MoveSpin(id, 1);
                Deliver(id);
            });
            connect(arrows->down, &QToolButton::clicked, this, [this, id] {
                m_dialog->MoveSpin(id, -1);
                Deliver(id);
            });
        }
    }
    Refresh();
}

void DialogPage::Deliver(int controlId) {
    // Refused input changes nothing in the dialog; showing its state again undoes it on screen.
    // A value refused on OK moves the focus to its control, where the user corrects it.
    if (m_dialog->IsOpen()) {
        Refresh();
        if (m_dialog->GetFocusId() != controlId)
            FollowFocus();
    }
    emit inputDelivered();
}

void DialogPage::Refresh() {
    if (!m_dialog || !m_dialog->IsOpen())
        return;
    m_refreshing = true;
    for (std::size_t i = 0; i < m_controls.size() && static_cast<int>(i) < m_dialog->GetItemCount();
         ++i) {
        const CDialogItem& item = *m_dialog->GetItemAt(static_cast<int>(i));
        QWidget* widget = m_controls[i];
        widget->setEnabled(item.IsWindowEnabled() != FALSE);
        if (auto* label = qobject_cast<QLabel*>(widget)) {
            label->setText(ToQString(item.GetText()));
        } else if (auto* group = qobject_cast<QGroupBox*>(widget)) {
            group->setTitle(ToQString(item.GetText()));
        } else if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
            const QString text = ToQString(item.GetText());
            if (edit->text() != text)
                edit->setText(text);
        } else if (auto* multiline = qobject_cast<QPlainTextEdit*>(widget)) {
            const QString text = FromEditText(item.GetText());
            if (multiline->toPlainText() != text)
                multiline->setPlainText(text);
        } else if (auto* check = qobject_cast<QCheckBox*>(widget)) {
            check->setText(ToQString(item.GetText()));
            check->setCheckState(item.GetCheck() == BST_CHECKED         ? Qt::Checked
                                 : item.GetCheck() == BST_INDETERMINATE ? Qt::PartiallyChecked
                                                                        : Qt::Unchecked);
        } else if (auto* radio = qobject_cast<QRadioButton*>(widget)) {
            radio->setText(ToQString(item.GetText()));
            radio->setChecked(item.GetCheck() == BST_CHECKED);
        } else if (auto* button = qobject_cast<QPushButton*>(widget)) {
            button->setText(ToQString(item.GetText()));
        } else if (auto* list = qobject_cast<QListWidget*>(widget)) {
            ShowLines(*list, item);
        }
    }
    m_refreshing = false;
}

// A list box's lines, their check marks in a check-list box, and its selection.
void DialogPage::ShowLines(QListWidget& list, const CDialogItem& item) {
    const bool checks = item.GetKind() == ControlKind::CheckListBox;
    list.clear();
    for (int i = 0; i < item.GetCount(); ++i) {
        CString text;
        item.GetLineText(i, text);
        auto* line = new QListWidgetItem(ToQString(text), &list);
        if (checks) {
            line->setFlags(line->flags() | Qt::ItemIsUserCheckable);
            line->setCheckState(item.GetLineCheck(i) == BST_CHECKED ? Qt::Checked : Qt::Unchecked);
        }
    }
    list.setCurrentRow(item.GetCurSel());
}

void DialogPage::FollowFocus() {
    if (!m_dialog)
        return;
    if (QWidget* widget = ControlById(m_dialog->GetFocusId())) {
        widget->setFocus();
        if (auto* edit = qobject_cast<QLineEdit*>(widget))
            edit->selectAll();
    }
}

} // namespace vellum::viewer
