#pragma once
// The commands of the vellum tool and what they share: one-line errors, loading lists and
// images with a clear cause, and drawing a list over an image.

#include <vellum/Graphics/GrItmlst.h>
#include <vellum/backends/cairo/CairoDC.h>
#include <vellum/imaging/Bitmap.h>
#include <vellum/imaging/io/ImageFile.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace vellum::tool {

// A failure to report as one line, "vellum COMMAND: MESSAGE", with a non-zero exit status.
class CommandError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

using Args = std::vector<std::string>;

int RunDemo(const Args& args);
int RunInfo(const Args& args);
int RunRender(const Args& args);
int RunGamma(const Args& args);
int RunReplay(const Args& args);
int RunHistogram(const Args& args);
int RunSymbols(const Args& args);
int RunImage(const Args& args);

// The sample symbol library: anatomical markers in the groups "Frecce" and "Marcatori".
std::unique_ptr<CGraphicItemList> SampleSymbolLibrary();

// A group of a list with its key, in the order the list walks its groups.
struct ListGroup {
    WORD key;
    CGrItemList* items;
};
std::vector<ListGroup> GroupsOf(CGraphicItemList& list);

// Reads a stored item list; CommandError names the file and the cause.
std::unique_ptr<CGraphicItemList> LoadList(const std::string& path);
// Stores the list as a list file; CommandError names the file when that fails.
void WriteListFile(CGraphicItemList* list, const std::string& path);
// Reads a grey PGM, PNG or DICOM image, and what the file says of it into *info when info is
// not null; CommandError names the file and the cause.
std::unique_ptr<struct_LEAD_Bitmap> LoadImage(const std::string& path,
                                              CImageFileInfo* info = nullptr);

// An image as 8-bit grey rows, top row first, ready to show: 8-bit samples through the
// bitmap's colour table, deeper ones stretched from their lowest to their highest value.
std::vector<BYTE> DisplayPixels(const struct_LEAD_Bitmap& bitmap);

// Draws the image (when there is one) with its top-left corner at origin, each image pixel
// zoom device pixels wide, and the list over it, as the window does in a paint.
void DrawScene(CCairoDC& dc, const struct_LEAD_Bitmap* image, CGraphicItemList& list, double zoom,
               POINT origin);

// The number in text, or CommandError naming the option.
double ParseNumber(const std::string& text, const std::string& option);
// The arguments of a command that reads one file and may answer in JSON: "FILE [--json]".
struct FileArgs {
    std::string path;
    bool json = false;
};
// CommandError for any other argument, and the message missing when no file is named.
FileArgs ParseFileArgs(const Args& args, const std::string& missing);

// UTF-8 text as a JSON string: quoted, with quotes, backslashes and control characters escaped.
std::string JsonString(const std::string& utf8);
// The value that follows the option at args[i], moving i onto it; CommandError when there is
// none.
const std::string& OptionValue(const Args& args, std::size_t& i);

} // namespace vellum::tool
