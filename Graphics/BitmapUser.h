#pragma once
// CBitmapUser: the side of an item kind that reads the image under it (the density area and
// the density line). The item list hands such items the image bitmap through it, without
// depending on the kinds themselves.

namespace vellum {

struct struct_LEAD_Bitmap;

class CBitmapUser {
public:
    virtual ~CBitmapUser() = default;
    // The image changed (or was given for the first time): gather from it again. 1 on
    // success, 0 on failure.
    virtual int OnBitmapForItems(struct_LEAD_Bitmap* bitmap) = 0;

protected:
    CBitmapUser() = default;
    CBitmapUser(const CBitmapUser&) = default;
    CBitmapUser& operator=(const CBitmapUser&) = default;
};

} // namespace vellum
