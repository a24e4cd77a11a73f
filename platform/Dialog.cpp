#include <vellum/platform/Dialog.h>

#include <vellum/platform/DataExchange.h>
#include <vellum/platform/ResourceTable.h>
#include <vellum/platform/UiHost.h>

#include <algorithm>
#include <climits>

namespace vellum {

IMPLEMENT_DYNAMIC(CDialog, CWnd)

CDialog::CDialog(UINT templateId, CWnd* parent) : m_nIDTemplate(templateId), m_pParentWnd(parent) {}

CDialog::CDialog(const CDialogTemplate* dialogTemplate, CWnd* parent)
    : m_pTemplate(dialogTemplate), m_pParentWnd(parent) {}

const CDialogTemplate* CDialog::GetTemplate() const {
    return m_pTemplate ? m_pTemplate : AfxFindDialogTemplate(m_nIDTemplate);
}

CDialog::~CDialog() = default;

INT_PTR CDialog::DoModal() {
    // The controls go with the dialog however the run ends.
    struct Closer {
        CDialog& dialog;
        ~Closer() { dialog.DestroyItems(); }
    } closer{*this};
    if (!Open())
        return -1;
    if (IsOpen())
        AfxGetUiHost().RunModalDialog(*this);
    // A host that returns early has closed the window: that is Cancel, refused or not.
    if (IsOpen())
        PressCancel();
    if (IsOpen())
        EndDialog(IDCANCEL);
    return m_nModalResult;
}

void CDialog::EndDialog(int result) {
    m_nModalResult = result;
    m_bEnded = true;
}

BOOL CDialog::UpdateData(BOOL saveAndValidate) {
    if (!m_bCreated)
        return FALSE;
    CDataExchange dx(this, saveAndValidate);
    try {
        DoDataExchange(&dx);
    } catch (const CUserException&) {
        return FALSE;
    }
    return TRUE;
}

CDialogItem* CDialog::GetItemAt(int index) const {
    if (index < 0 || index >= GetItemCount())
        return nullptr;
    return m_items[static_cast<std::size_t>(index)].get();
}

CDialogItem* CDialog::GetDlgItem(int id) const {
    for (const auto& item : m_items)
        if (item->GetDlgCtrlID() == id)
            return item.get();
    return nullptr;
}

void CDialog::GotoDlgCtrl(int id) {
    if (GetDlgItem(id))
        m_nFocusId = id;
}

void CDialog::SetDlgItemText(int id, const char* text) {
    if (CDialogItem* item = GetDlgItem(id))
        item->SetWindowText(text);
}

int CDialog::GetDlgItemText(int id, CString& text) const {
    text.Empty();
    if (const CDialogItem* item = GetDlgItem(id))
        item->GetWindowText(text);
    return text.GetLength();
}

void CDialog::SetDlgItemInt(int id, UINT value, BOOL isSigned) {
    CString text;
    if (isSigned)
        text.Format("%d", static_cast<int>(value));
    else
        text.Format("%u", value);
    SetDlgItemText(id, text);
}

void CDialog::CheckDlgButton(int id, UINT check) {
    if (CDialogItem* item = GetDlgItem(id))
        item->SetCheck(static_cast<int>(check));
}

UINT CDialog::IsDlgButtonChecked(int id) const {
    const CDialogItem* item = GetDlgItem(id);
    return item ? static_cast<UINT>(item->GetCheck()) : BST_UNCHECKED;
}

BOOL CDialog::TypeText(int id, const char* text) {
    CDialogItem* item = GetDlgItem(id);
    if (!IsOpen() || !item || !item->IsWindowEnabled() || !item->AcceptsText())
        return FALSE;
    m_nFocusId = id;
    item->SetWindowText(text);
    OnCommand(static_cast<UINT>(id), EN_CHANGE);
    return TRUE;
}

BOOL CDialog::ClickButton(int id) {
    CDialogItem* item = GetDlgItem(id);
    if (!IsOpen() || !item || !item->IsWindowEnabled())
        return FALSE;
    switch (item->GetKind()) {
    case ControlKind::PushButton:
        break;
    case ControlKind::CheckBox:
        item->SetCheck(item->GetCheck() == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED);
        break;
    case ControlKind::RadioButton:
        CheckRadioInGroup(IndexOf(item));
        break;
    default:
        return FALSE;
    }
    m_nFocusId = id;
    OnCommand(static_cast<UINT>(id), BN_CLICKED);
    return TRUE;
}

BOOL CDialog::MoveSpin(int id, int delta) {
    CDialogItem* item = GetDlgItem(id);
    if (!IsOpen() || !item || !item->IsWindowEnabled() || item->GetKind() != ControlKind::UpDown)
        return FALSE;
    item->ReadBuddyInt();
    NMUPDOWN change{{item, static_cast<UINT>(id), UDN_DELTAPOS}, item->GetPos32(), delta};
    LRESULT refused = 0;
    OnNotify(&change.hdr, &refused);
    if (!refused && IsOpen()) {
        const long long target = static_cast<long long>(change.iPos) + change.iDelta;
        item->SetPos32(static_cast<int>(std::clamp<long long>(target, INT_MIN, INT_MAX)));
    }
    return TRUE;
}

CDialogItem* CDialog::ListLine(int id, int index, bool checkList) const {
    CDialogItem* item = GetDlgItem(id);
    if (!IsOpen() || !item || !item->IsWindowEnabled() || index < 0 || index >= item->GetCount())
        return nullptr;
    const ControlKind kind = item->GetKind();
    if (kind != ControlKind::CheckListBox && (checkList || kind != ControlKind::ListBox))
        return nullptr;
    return item;
}

BOOL CDialog::SelectListItem(int id, int index) {
    CDialogItem* item = ListLine(id, index, false);
    if (!item)
        return FALSE;
    m_nFocusId = id;
    if (item->GetCurSel() != index) {
        item->SetCurSel(index);
        OnCommand(static_cast<UINT>(id), LBN_SELCHANGE);
    }
    return TRUE;
}

BOOL CDialog::DoubleClickListItem(int id, int index) {
    if (!SelectListItem(id, index))
        return FALSE;
    if (IsOpen())
        OnCommand(static_cast<UINT>(id), LBN_DBLCLK);
    return TRUE;
}

BOOL CDialog::ClickListCheck(int id, int index) {
    CDialogItem* item = ListLine(id, index, true);
    if (!item)
        return FALSE;
    item->SetLineCheck(index,
                       item->GetLineCheck(index) == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED);
    OnCommand(static_cast<UINT>(id), CLBN_CHKCHANGE);
    return IsOpen() ? SelectListItem(id, index) : TRUE;
}

void CDialog::PressOK() {
    if (IsOpen())
        OnCommand(IDOK, BN_CLICKED);
}

void CDialog::PressCancel() {
    if (IsOpen())
        OnCommand(IDCANCEL, BN_CLICKED);
}

BOOL CDialog::OnCommand(UINT id, UINT code) {
    if (code != BN_CLICKED)
        return FALSE;
    if (id == IDOK) {
        OnOK();
        return TRUE;
    }
    if (id == IDCANCEL) {
        OnCancel();
        return TRUE;
    }
    return FALSE;
}

BOOL CDialog::OnInitDialog() {
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::DoDataExchange(CDataExchange*) {}

void CDialog::OnOK() {
    if (!UpdateData(TRUE))
        return;
    EndDialog(IDOK);
}

void CDialog::OnCancel() {
    EndDialog(IDCANCEL);
}

BOOL CDialog::OnNotify(NMHDR*, LRESULT*) {
    return FALSE;
}

BOOL CDialog::Open() {
    const CDialogTemplate* dialogTemplate = GetTemplate();
    if (!dialogTemplate)
        return FALSE;
    m_items.clear();
    for (const CControlTemplate& control : dialogTemplate->controls)
        m_items.push_back(std::make_unique<CDialogItem>(control));
    for (std::size_t i = 1; i < m_items.size(); ++i) {
        CDialogItem& item = *m_items[i];
        if (item.GetKind() == ControlKind::UpDown && (item.GetStyle() & UDS_AUTOBUDDY))
            item.SetBuddy(m_items[i - 1].get());
    }
    m_bCreated = true;
    m_bEnded = false;
    m_nModalResult = IDCANCEL;
    m_nFocusId = 0;

    if (OnInitDialog() && IsOpen()) {
        const auto first = std::find_if(m_items.begin(), m_items.end(), [](const auto& item) {
            return (item->GetStyle() & WS_TABSTOP) && item->IsWindowEnabled();
        });
        if (first != m_items.end())
            m_nFocusId = (*first)->GetDlgCtrlID();
    }
    return TRUE;
}

void CDialog::DestroyItems() {
    m_items.clear();
    m_bCreated = false;
    m_nFocusId = 0;
}

int CDialog::IndexOf(const CDialogItem* item) const {
    for (int i = 0; i < GetItemCount(); ++i)
        if (m_items[static_cast<std::size_t>(i)].get() == item)
            return i;
    return -1;
}

// A group runs from a control with WS_GROUP (or the first control) up to the next one.
void CDialog::CheckRadioInGroup(int index) {
    int first = index;
    while (first > 0 && !(GetItemAt(first)->GetStyle() & WS_GROUP))
        --first;
    for (int i = first; i < GetItemCount(); ++i) {
        CDialogItem* item = GetItemAt(i);
        if (i > first && (item->GetStyle() & WS_GROUP))
            break;
        if (item->GetKind() == ControlKind::RadioButton)
            item->SetCheck(i == index ? BST_CHECKED : BST_UNCHECKED);
    }
}

} // namespace vellum
