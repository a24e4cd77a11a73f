#pragma once
// CPoint, CSize and CRect: the framework's geometry helpers over POINT, SIZE and RECT.
//
// Arithmetic is plain 32-bit int arithmetic, as the framework does it. Coordinates are expected
// to lie strictly within ±2^30, so that the sum or difference of any two of them (a width, a
// centre, an offset position) fits in 32 bits; values outside that range can overflow, which
// the sanitizer build reports.

#include <vellum/platform/Types.h>

namespace vellum {

class CSize : public SIZE {
public:
    CSize() : SIZE{0, 0} {}
    CSize(int initCx, int initCy) : SIZE{initCx, initCy} {}
    CSize(SIZE size) : SIZE(size) {}
    CSize(POINT point) : SIZE{point.x, point.y} {}

    bool operator==(const SIZE& other) const { return cx == other.cx && cy == other.cy; }

    CSize& operator+=(SIZE size) {
        cx += size.cx;
        cy += size.cy;
        return *this;
    }
    CSize& operator-=(SIZE size) {
        cx -= size.cx;
        cy -= size.cy;
        return *this;
    }
    CSize operator+(SIZE size) const { return CSize(cx + size.cx, cy + size.cy); }
    CSize operator-(SIZE size) const { return CSize(cx - size.cx, cy - size.cy); }
    CSize operator-() const { return CSize(-cx, -cy); }
};

class CPoint : public POINT {
public:
    CPoint() : POINT{0, 0} {}
    CPoint(int initX, int initY) : POINT{initX, initY} {}
    CPoint(POINT point) : POINT(point) {}
    CPoint(SIZE size) : POINT{size.cx, size.cy} {}

    void Offset(int dx, int dy) {
        x += dx;
        y += dy;
    }
    void Offset(POINT point) { Offset(point.x, point.y); }
    void Offset(SIZE size) { Offset(size.cx, size.cy); }

    bool operator==(const POINT& other) const { return x == other.x && y == other.y; }

    CPoint& operator+=(SIZE size) {
        Offset(size);
        return *this;
    }
    CPoint& operator+=(POINT point) {
        Offset(point);
        return *this;
    }
    CPoint& operator-=(SIZE size) {
        Offset(-size.cx, -size.cy);
        return *this;
    }
    CPoint& operator-=(POINT point) {
        Offset(-point.x, -point.y);
        return *this;
    }

    CPoint operator+(SIZE size) const { return CPoint(x + size.cx, y + size.cy); }
    CPoint operator+(POINT point) const { return CPoint(x + point.x, y + point.y); }
    CPoint operator-(SIZE size) const { return CPoint(x - size.cx, y - size.cy); }
    // The distance from another point to this one.
    CSize operator-(POINT point) const { return CSize(x - point.x, y - point.y); }
    CPoint operator-() const { return CPoint(-x, -y); }
};

// A rectangle whose right and bottom edges lie outside it: a point is inside when
// left <= x < right and top <= y < bottom.
class CRect : public RECT {
public:
    CRect() : RECT{0, 0, 0, 0} {}
    CRect(int l, int t, int r, int b) : RECT{l, t, r, b} {}
    CRect(const RECT& src) : RECT(src) {}
    CRect(POINT topLeft, POINT bottomRight)
        : RECT{topLeft.x, topLeft.y, bottomRight.x, bottomRight.y} {}
    CRect(POINT topLeft, SIZE size)
        : RECT{topLeft.x, topLeft.y, topLeft.x + size.cx, topLeft.y + size.cy} {}

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    CSize Size() const { return CSize(Width(), Height()); }
    // The corners are returned by value: RECT has no POINT members to refer to.
    CPoint TopLeft() const { return CPoint(left, top); }
    CPoint BottomRight() const { return CPoint(right, bottom); }
    // Halves round toward zero, as integer division does.
    CPoint CenterPoint() const { return CPoint((left + right) / 2, (top + bottom) / 2); }

    // True when the rectangle has no area; an inverted rectangle is empty too.
    BOOL IsRectEmpty() const { return right <= left || bottom <= top ? TRUE : FALSE; }
    BOOL IsRectNull() const {
        return left == 0 && top == 0 && right == 0 && bottom == 0 ? TRUE : FALSE;
    }
    BOOL PtInRect(POINT point) const {
        return point.x >= left && point.x < right && point.y >= top && point.y < bottom ? TRUE
                                                                                        : FALSE;
    }
    BOOL EqualRect(const RECT* other) const { return *this == *other ? TRUE : FALSE; }
    bool operator==(const RECT& other) const {
        return left == other.left && top == other.top && right == other.right &&
               bottom == other.bottom;
    }

    void SetRect(int l, int t, int r, int b) {
        left = l;
        top = t;
        right = r;
        bottom = b;
    }
    void SetRectEmpty() { SetRect(0, 0, 0, 0); }
    // Swaps the edges where needed so that left <= right and top <= bottom.
    void NormalizeRect();

    void InflateRect(int amount) { InflateRect(amount, amount); }
    void InflateRect(int dx, int dy) { InflateRect(CRect(dx, dy, dx, dy)); }
    void InflateRect(SIZE size) { InflateRect(size.cx, size.cy); }
    // Moves each edge outward by the matching field of amounts.
    void InflateRect(const RECT& amounts) {
        left -= amounts.left;
        top -= amounts.top;
        right += amounts.right;
        bottom += amounts.bottom;
    }
    void DeflateRect(int amount) { DeflateRect(amount, amount); }
    void DeflateRect(int dx, int dy) { DeflateRect(CRect(dx, dy, dx, dy)); }
    void DeflateRect(SIZE size) { DeflateRect(size.cx, size.cy); }
    // Moves each edge inward by the matching field of amounts.
    void DeflateRect(const RECT& amounts) {
        left += amounts.left;
        top += amounts.top;
        right -= amounts.right;
        bottom -= amounts.bottom;
    }

    void OffsetRect(int dx, int dy) {
        left += dx;
        top += dy;
        right += dx;
        bottom += dy;
    }
    void OffsetRect(POINT point) { OffsetRect(point.x, point.y); }
    void OffsetRect(SIZE size) { OffsetRect(size.cx, size.cy); }

    // The smallest rectangle holding both sources; an empty source is ignored. When both are
    // empty the result is (0,0,0,0) and the answer FALSE. Either source may be this rectangle.
    // Throws CInvalidArgException for a null source.
    BOOL UnionRect(const RECT* src1, const RECT* src2);
    // The overlap of both sources; when there is none the result is (0,0,0,0) and the answer
    // FALSE. Either source may be this rectangle. Throws CInvalidArgException for a null source.
    BOOL IntersectRect(const RECT* src1, const RECT* src2);

    CRect& operator|=(const RECT& other) {
        UnionRect(this, &other);
        return *this;
    }
    CRect& operator&=(const RECT& other) {
        IntersectRect(this, &other);
        return *this;
    }
};

} // namespace vellum
