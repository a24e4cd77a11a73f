#pragma once
// CSpinButtonCtrl: a dialog member that stands for an up-down control (bind it with
// DDX_Control). While the control is not there, setting does nothing and reading gives 0.

#include <vellum/platform/DialogItem.h>
#include <vellum/platform/Types.h>

namespace vellum {

class CSpinButtonCtrl : public CDialogItemWnd {
public:
    void SetRange(short lower, short upper) { SetRange32(lower, upper); }
    void SetRange32(int lower, int upper);
    void GetRange32(int& lower, int& upper) const;
    // Moves to pos (clamped into the range) and returns the previous position.
    int SetPos(int pos) { return SetPos32(pos); }
    int SetPos32(int pos);
    int GetPos() const { return GetPos32(); }
    int GetPos32() const;
    CDialogItem* GetBuddy() const;
};

} // namespace vellum
