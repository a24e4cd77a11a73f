#pragma once
// Overlay files (.vla): an item list stored as one archived object, the same bytes as
// CGraphicItemList::GetGlobalHandle writes.

#include <memory>
#include <stdexcept>
#include <string>

namespace vellum {
class CGraphicItemList;
}

namespace vellum::viewer {

// Why a file could not be read or written, in words for the user.
class OverlayError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Reads an overlay for an image of width x height pixels. An overlay with an item that lies
// wholly outside that image belongs to an image of another size and is refused.
std::unique_ptr<CGraphicItemList> ReadOverlay(const std::string& path, int width, int height);
// Writes the list, replacing the file only once all of it is written.
void WriteOverlay(CGraphicItemList& list, const std::string& path);

} // namespace vellum::viewer
