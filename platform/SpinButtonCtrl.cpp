#include <vellum/platform/SpinButtonCtrl.h>

namespace vellum {

void CSpinButtonCtrl::SetRange32(int lower, int upper) {
    if (CDialogItem* item = GetItem())
        item->SetRange32(lower, upper);
}

void CSpinButtonCtrl::GetRange32(int& lower, int& upper) const {
    lower = upper = 0;
    if (const CDialogItem* item = GetItem())
        item->GetRange32(lower, upper);
}

int CSpinButtonCtrl::SetPos32(int pos) {
    CDialogItem* item = GetItem();
    return item ? item->SetPos32(pos) : 0;
}

int CSpinButtonCtrl::GetPos32() const {
    const CDialogItem* item = GetItem();
    return item ? item->GetPos32() : 0;
}

CDialogItem* CSpinButtonCtrl::GetBuddy() const {
    const CDialogItem* item = GetItem();
    return item ? item->GetBuddy() : nullptr;
}

} // namespace vellum
