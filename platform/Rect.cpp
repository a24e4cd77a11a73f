#include <vellum/platform/Rect.h>

#include <vellum/platform/Exceptions.h>

#include <algorithm>
#include <utility>

namespace vellum {

void CRect::NormalizeRect() {
    if (left > right)
        std::swap(left, right);
    if (top > bottom)
        std::swap(top, bottom);
}

BOOL CRect::UnionRect(const RECT* src1, const RECT* src2) {
    if (src1 == nullptr || src2 == nullptr)
        throw CInvalidArgException();
    const CRect a(*src1);
    const CRect b(*src2);
    if (a.IsRectEmpty() && b.IsRectEmpty()) {
        SetRectEmpty();
        return FALSE;
    }
    if (a.IsRectEmpty())
        *this = b;
    else if (b.IsRectEmpty())
        *this = a;
    else
        SetRect(std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
                std::max(a.bottom, b.bottom));
    return TRUE;
}

BOOL CRect::IntersectRect(const RECT* src1, const RECT* src2) {
    if (src1 == nullptr || src2 == nullptr)
        throw CInvalidArgException();
    // An empty source leaves an empty overlap, so only the overlap itself needs checking.
    const CRect overlap(std::max(src1->left, src2->left), std::max(src1->top, src2->top),
                        std::min(src1->right, src2->right), std::min(src1->bottom, src2->bottom));
    if (overlap.IsRectEmpty()) {
        SetRectEmpty();
        return FALSE;
    }
    *this = overlap;
    return TRUE;
}

} // namespace vellum
