#include "QtUiHost.h"

#include "DialogPage.h"
#include "TextEdge.h"

#include <vellum/platform/ColorDialog.h>
#include <vellum/platform/Dialog.h>
#include <vellum/platform/FontDialog.h>
#include <vellum/platform/Menu.h>
#include <vellum/platform/PropertyPage.h>
#include <vellum/platform/PropertySheet.h>

#include <QColorDialog>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFontDialog>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <cstring>
#include <functional>
#include <memory>
#include <vector>

namespace vellum::viewer {

namespace {

const QString kApplicationTitle = QStringLiteral("Vellum");

// A Qt dialog whose Escape key and close button ask the library's dialog first.
class HostDialog : public QDialog {
public:
    HostDialog(QWidget* parent, std::function<bool()> cancel)
        : QDialog(parent), m_cancel(std::move(cancel)) {}
    void reject() override {
        if (m_cancel())
            QDialog::reject();
    }

private:
    std::function<bool()> m_cancel;
};

int PointsFromHeight(LONG height) {
    // A negative height is the character height in pixels at 96 pixels per inch. Rounded to
    // the nearest point, so that a size read and written back stays the same size.
    return height == 0 ? 10 : static_cast<int>((std::abs(height) * 72 + 48) / 96);
}

void AddEntries(QMenu& target, const CMenu& menu) {
    for (UINT i = 0; i < menu.GetMenuItemCount(); ++i) {
        const UINT state = menu.GetMenuState(i, MF_BYPOSITION);
        CString text;
        menu.GetMenuString(i, text, MF_BYPOSITION);
        if (state & MF_SEPARATOR) {
            target.addSeparator();
        } else if (state & MF_POPUP) {
            if (const CMenu* popup = menu.GetSubMenu(static_cast<int>(i)))
                AddEntries(*target.addMenu(ToQString(text)), *popup);
        } else {
            QAction* action = target.addAction(ToQString(text));
            action->setData(menu.GetMenuItemID(static_cast<int>(i)));
            action->setEnabled((state & MF_GRAYED) == 0);
            action->setCheckable((state & MF_CHECKED) != 0);
            action->setChecked((state & MF_CHECKED) != 0);
        }
    }
}

} // namespace

void QtUiHost::RunModalDialog(CDialog& dialog) {
    const CDialogTemplate* dialogTemplate = dialog.GetTemplate();
    if (!dialogTemplate)
        return;
    HostDialog box(m_owner, [&dialog] {
        dialog.PressCancel();
        return !dialog.IsOpen();
    });
    box.setWindowTitle(ToQString(CString(dialogTemplate->caption)));
    auto* page = new DialogPage(*dialogTemplate, &box);
    auto* layout = new QVBoxLayout(&box);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(page);
    page->Bind(&dialog);
    QObject::connect(page, &DialogPage::inputDelivered, &box, [&] {
        if (!dialog.IsOpen())
            box.done(QDialog::Accepted);
    });
    page->FollowFocus();
    box.exec();
}

void QtUiHost::RunPropertySheet(CPropertySheet& sheet) {
    HostDialog box(m_owner, [&sheet] {
        sheet.PressCancel();
        return !sheet.IsOpen();
    });
    box.setWindowTitle(ToQString(sheet.GetCaption()));
    auto* layout = new QVBoxLayout(&box);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    auto* tabs = new QTabWidget(&box);
    layout->addWidget(tabs);

    // Every tab is as large as the largest page; a page's widgets are made the first time it
    // is shown, when the sheet has opened it.
    QSize largest;
    const DialogUnits units(box.font());
    for (int i = 0; i < sheet.GetPageCount(); ++i) {
        if (const CDialogTemplate* pageTemplate = sheet.GetPage(i)->GetTemplate())
            largest = largest.expandedTo(units.ToPixels(pageTemplate->cx, pageTemplate->cy));
        auto* holder = new QWidget;
        holder->setFixedSize(largest);
        tabs->addTab(holder, ToQString(sheet.GetPage(i)->GetCaption()));
    }
    for (int i = 0; i < tabs->count(); ++i)
        tabs->widget(i)->setFixedSize(largest);
    std::vector<DialogPage*> pages(static_cast<std::size_t>(sheet.GetPageCount()), nullptr);
    const auto showActive = [&] {
        const int index = sheet.GetActiveIndex();
        CPropertyPage* page = sheet.GetActivePage();
        if (!page)
            return;
        DialogPage*& shown = pages[static_cast<std::size_t>(index)];
        if (!shown && page->IsOpen()) {
            shown = new DialogPage(*page->GetTemplate(), tabs->widget(index));
            shown->show();
            shown->Bind(page);
            QObject::connect(shown, &DialogPage::inputDelivered, &box, [&] {
                if (!sheet.IsOpen())
                    box.done(QDialog::Accepted);
            });
        }
        if (shown)
            shown->Refresh();
        const QSignalBlocker blocker(tabs);
        tabs->setCurrentIndex(index);
    };
    QObject::connect(tabs, &QTabWidget::currentChanged, &box, [&](int index) {
        if (index != sheet.GetActiveIndex())
            sheet.SetActivePage(index);
        showActive();
        if (DialogPage* page = pages[static_cast<std::size_t>(sheet.GetActiveIndex())])
            page->FollowFocus();
    });

    auto* buttons = new QDialogButtonBox(&box);
    QPushButton* ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("Annulla"), QDialogButtonBox::RejectRole);
    ok->setDefault(true);
    if (sheet.HasApplyButton()) {
        QPushButton* apply =
            buttons->addButton(QStringLiteral("Applica"), QDialogButtonBox::ApplyRole);
        QObject::connect(apply, &QPushButton::clicked, &box, [&] {
            sheet.PressApply();
            showActive();
        });
    }
    layout->addWidget(buttons);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &box, [&] {
        sheet.PressOK();
        if (!sheet.IsOpen()) {
            box.done(QDialog::Accepted);
            return;
        }
        // A page refused its data: it is shown with the focus on the refused control.
        showActive();
        if (DialogPage* page = pages[static_cast<std::size_t>(sheet.GetActiveIndex())])
            page->FollowFocus();
    });
    QObject::connect(buttons, &QDialogButtonBox::rejected, &box, &QDialog::reject);

    showActive();
    box.exec();
}

BOOL QtUiHost::ChooseColor(CHOOSECOLOR& choice) {
    const COLORREF start = choice.rgbResult;
    const QColor chosen = QColorDialog::getColor(
        QColor(GetRValue(start), GetGValue(start), GetBValue(start)), m_owner);
    if (!chosen.isValid())
        return FALSE;
    choice.rgbResult = RGB(chosen.red(), chosen.green(), chosen.blue());
    return TRUE;
}

BOOL QtUiHost::ChooseFont(CHOOSEFONT& choice) {
    LOGFONT& logFont = *choice.lpLogFont;
    QFont start(ToQString(CString(logFont.lfFaceName)), PointsFromHeight(logFont.lfHeight));
    start.setWeight(static_cast<QFont::Weight>(std::clamp<int>(logFont.lfWeight, 1, 1000)));
    start.setItalic(logFont.lfItalic != 0);
    start.setUnderline(logFont.lfUnderline != 0);
    start.setStrikeOut(logFont.lfStrikeOut != 0);
    bool ok = false;
    const QFont chosen = QFontDialog::getFont(&ok, start, m_owner);
    if (!ok)
        return FALSE;
    const CString face = FromQString(chosen.family());
    std::memset(logFont.lfFaceName, 0, sizeof logFont.lfFaceName);
    std::strncpy(logFont.lfFaceName, face.GetString(), sizeof logFont.lfFaceName - 1);
    const int points = chosen.pointSize() > 0 ? chosen.pointSize() : 10;
    logFont.lfHeight = -(points * 96 + 36) / 72;
    logFont.lfWeight = chosen.weight();
    logFont.lfItalic = chosen.italic() ? 1 : 0;
    logFont.lfUnderline = chosen.underline() ? 1 : 0;
    logFont.lfStrikeOut = chosen.strikeOut() ? 1 : 0;
    choice.iPointSize = points * 10;
    return TRUE;
}

int QtUiHost::MessageBox(CWnd*, const char* text, const char* caption, UINT type) {
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    switch (type & MB_ICONMASK) {
    case MB_ICONSTOP:
        icon = QMessageBox::Critical;
        break;
    case MB_ICONQUESTION:
        icon = QMessageBox::Question;
        break;
    case MB_ICONEXCLAMATION:
        icon = QMessageBox::Warning;
        break;
    case MB_ICONINFORMATION:
        icon = QMessageBox::Information;
        break;
    }
    QMessageBox box(icon, caption ? ToQString(CString(caption)) : kApplicationTitle,
                    ToQString(CString(text)), QMessageBox::NoButton, m_owner);
    struct Button {
        QMessageBox::StandardButton button;
        int answer;
    };
    std::vector<Button> buttons;
    switch (type & MB_TYPEMASK) {
    case MB_OKCANCEL:
        buttons = {{QMessageBox::Ok, IDOK}, {QMessageBox::Cancel, IDCANCEL}};
        break;
    case MB_ABORTRETRYIGNORE:
        buttons = {{QMessageBox::Abort, IDABORT},
                   {QMessageBox::Retry, IDRETRY},
                   {QMessageBox::Ignore, IDIGNORE}};
        break;
    case MB_YESNOCANCEL:
        buttons = {
            {QMessageBox::Yes, IDYES}, {QMessageBox::No, IDNO}, {QMessageBox::Cancel, IDCANCEL}};
        break;
    case MB_YESNO:
        buttons = {{QMessageBox::Yes, IDYES}, {QMessageBox::No, IDNO}};
        break;
    case MB_RETRYCANCEL:
        buttons = {{QMessageBox::Retry, IDRETRY}, {QMessageBox::Cancel, IDCANCEL}};
        break;
    default:
        buttons = {{QMessageBox::Ok, IDOK}};
    }
    QMessageBox::StandardButtons all;
    for (const Button& button : buttons)
        all |= button.button;
    box.setStandardButtons(all);
    const auto chosen = static_cast<QMessageBox::StandardButton>(box.exec());
    for (const Button& button : buttons)
        if (button.button == chosen)
            return button.answer;
    // Closed without a button: the answer of Escape.
    return buttons.size() == 1 ? IDOK : buttons.back().answer == IDNO ? IDNO : IDCANCEL;
}

UINT QtUiHost::TrackPopupMenu(const CMenu& menu, UINT, POINT screen, CWnd*) {
    QMenu popup(m_owner);
    AddEntries(popup, menu);
    const QAction* chosen = popup.exec(QPoint(screen.x, screen.y));
    return chosen ? chosen->data().toUInt() : 0;
}

void QtUiHost::SetCursor(UINT cursorId) {
    if (!m_cursorWidget)
        return;
    Qt::CursorShape shape = Qt::ArrowCursor;
    switch (cursorId) {
    case IDC_CROSS:
        shape = Qt::CrossCursor;
        break;
    case IDC_SIZENWSE:
        shape = Qt::SizeFDiagCursor;
        break;
    case IDC_SIZENESW:
        shape = Qt::SizeBDiagCursor;
        break;
    case IDC_SIZEWE:
        shape = Qt::SizeHorCursor;
        break;
    case IDC_SIZENS:
        shape = Qt::SizeVerCursor;
        break;
    case IDC_SIZEALL:
        shape = Qt::SizeAllCursor;
        break;
    }
    m_cursorWidget->setCursor(shape);
}

} // namespace vellum::viewer
