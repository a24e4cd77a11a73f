#pragma once
// CPoint, CSize and CRect: the framework's geometry helpers over POINT, SIZE and RECT.
//
// Arithmetic is 32-bit and wraps around on overflow, as the framework's does on its processors:
// coordinates from damaged data give wrong but defined results.

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
        cx = WrapAdd(cx, size.cx);
        cy = WrapAdd(cy, size.cy);
        return *this;
    }
    CSize& operator-=(SIZE size) {
        cx = WrapSub(cx, size.cx);
        cy = WrapSub(cy, size.cy);
        return *this;
    }
    CSize operator+(SIZE size) const { return CSize(WrapAdd(cx, size.cx), WrapAdd(cy, size.cy)); }
    CSize operator-(SIZE size) const { return CSize(WrapSub(cx, size.cx), WrapSub(cy, size.cy)); }
    CSize operator-() const { return CSize(WrapSub(0, cx), WrapSub(0, cy)); }
};

class CPoint : public POINT {
public:
    CPoint() : POINT{0, 0} {}
    CPoint(int initX, int initY) : POINT{initX, initY} {}
    CPoint(POINT point) : POINT(point) {}
    CPoint(SIZE size) : POINT{size.cx, size.cy} {}

    void Offset(int dx, int dy) {
        x = WrapAdd(x, dx);
        y = WrapAdd(y, dy);
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
        Offset(WrapSub(0, size.cx), WrapSub(0, size.cy));
        return *this;
    }
    CPoint& operator-=(POINT point) {
        Offset(WrapSub(0, point.x), WrapSub(0, point.y));
        return *this;
    }

    CPoint operator+(SIZE size) const { return CPoint(WrapAdd(x, size.cx), WrapAdd(y, size.cy)); }
    CPoint operator+(POINT point) const { return CPoint(WrapAdd(x, point.x), WrapAdd(y, point.y)); }
    CPoint operator-(SIZE size) const { return CPoint(WrapSub(x, size.cx), WrapSub(y, size.cy)); }
    // The distance from another point to this one.
    CSize operator-(POINT point) const { return CSize(WrapSub(x, point.x), WrapSub(y, point.y)); }
    CPoint operator-() const { return CPoint(WrapSub(0, x), WrapSub(0, y)); }
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
        : RECT{topLeft.x, topLeft.y, WrapAdd(topLeft.x, size.cx), WrapAdd(topLeft.y, size.cy)} {}

    int Width() const { return WrapSub(right, left); }
    int Height() const { return WrapSub(bottom, top); }
    CSize Size() const { return CSize(Width(), Height()); }
    // The corners are returned by value: RECT has no POINT members to refer to.
    CPoint TopLeft() const { return CPoint(left, top); }
    CPoint BottomRight() const { return CPoint(right, bottom); }
    // Halves round toward zero, as integer division does.
    CPoint CenterPoint() const {
        return CPoint(WrapAdd(left, right) / 2, WrapAdd(top, bottom) / 2);
    }

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
        left = WrapSub(left, amounts.left);
        top = WrapSub(top, amounts.top);
        right = WrapAdd(right, amounts.right);
        bottom = WrapAdd(bottom, amounts.bottom);
    }
    void DeflateRect(int amount) { DeflateRect(amount, amount); }
    void DeflateRect(int dx, int dy) { DeflateRect(CRect(dx, dy, dx, dy)); }
    void DeflateRect(SIZE size) { DeflateRect(size.cx, size.cy); }
    // Moves each edge inward by the matching field of amounts.
    void DeflateRect(const RECT& amounts) {
        left = WrapAdd(left, amounts.left);
        top = WrapAdd(top, amounts.top);
        right = WrapSub(right, amounts.right);
        bottom = WrapSub(bottom, amounts.bottom);
    }

    void OffsetRect(int dx, int dy) {
        left = WrapAdd(left, dx);
        top = WrapAdd(top, dy);
        right = WrapAdd(right, dx);
        bottom = WrapAdd(bottom, dy);
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
