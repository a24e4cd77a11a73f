#include "Commands.h"

#include <vellum/archive/Archive.h>
#include <vellum/imaging/io/ImageFile.h>
#include <vellum/platform/Exceptions.h>
#include <vellum/platform/File.h>
#include <vellum/platform/GlobalMemory.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>

namespace vellum::tool {

std::unique_ptr<CGraphicItemList> LoadList(const std::string& path) {
    try {
        CFile file(path.c_str(), CFile::modeRead);
        CArchive ar(&file, CArchive::load);
        std::unique_ptr<CObject> object(ar.ReadObject(RUNTIME_CLASS(CGraphicItemList)));
        if (!object)
            throw CommandError(path + ": holds no item list");
        return std::unique_ptr<CGraphicItemList>(static_cast<CGraphicItemList*>(object.release()));
    } catch (const CArchiveException& e) {
        const std::string cause = e.m_cause == CArchiveException::badClass
                                      ? "not an item list (unknown or unexpected class)"
                                      : std::string("not a readable item list (") +
                                            CArchiveException::CauseName(e.m_cause) + ")";
        throw CommandError(path + ": " + cause);
    } catch (const CFileException& e) {
        throw CommandError(path + ": " + std::strerror(e.m_lOsError));
    } catch (const CException& e) {
        throw CommandError(path + ": " + e.what());
    }
}

void WriteListFile(CGraphicItemList* list, const std::string& path) {
    void* block = list ? list->GetGlobalHandle() : nullptr;
    if (!block)
        throw CommandError(path + ": the list could not be stored");
    const auto* bytes = static_cast<const char*>(GlobalLock(block));
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes, static_cast<std::streamsize>(GlobalSize(block)));
    GlobalUnlock(block);
    GlobalFree(block);
    if (!out.flush())
        throw CommandError(path + ": cannot be written");
}

std::unique_ptr<struct_LEAD_Bitmap> LoadImage(const std::string& path, CImageFileInfo* info) {
    try {
        return LoadImageFile(path.c_str(), info);
    } catch (const CImageFormatException& e) {
        throw CommandError(e.what());
    } catch (const CFileException& e) {
        throw CommandError(path + ": " + std::strerror(e.m_lOsError));
    } catch (const CException& e) {
        throw CommandError(path + ": " + e.what());
    }
}

std::vector<BYTE> DisplayPixels(const struct_LEAD_Bitmap& bitmap) {
    const int width = bitmap.Width;
    const int height = bitmap.Height;
    const int bytes = bitmap.BytesPerSample();
    const auto sample = [&](int x, int toolkitRow) {
        const BYTE* at = bitmap.Data.data() +
                         static_cast<std::size_t>(toolkitRow) * bitmap.BytesPerLine() +
                         static_cast<std::size_t>(x) * bytes;
        return bytes == 1 ? at[0] : static_cast<unsigned>(at[0] | (at[1] << 8));
    };
    unsigned lowest = 0xFFFF, highest = 0;
    if (bytes == 2) {
        for (int row = 0; row < height; ++row)
            for (int x = 0; x < width; ++x) {
                lowest = std::min(lowest, sample(x, row));
                highest = std::max(highest, sample(x, row));
            }
    }
    std::vector<BYTE> pixels(static_cast<std::size_t>(width) * height);
    for (int y = 0; y < height; ++y) {
        const int toolkitRow = height - 1 - y; // the toolkit counts rows from the bottom
        for (int x = 0; x < width; ++x) {
            const unsigned value = sample(x, toolkitRow);
            BYTE grey;
            if (bytes == 1)
                grey = value < bitmap.Colors.size() ? bitmap.Colors[value].rgbRed
                                                    : static_cast<BYTE>(value);
            else
                grey = highest > lowest
                           ? static_cast<BYTE>((value - lowest) * 255u / (highest - lowest))
                           : 0;
            pixels[static_cast<std::size_t>(y) * width + x] = grey;
        }
    }
    return pixels;
}

void DrawScene(CCairoDC& dc, const struct_LEAD_Bitmap* image, CGraphicItemList& list, double zoom,
               POINT origin) {
    if (image) {
        const std::vector<BYTE> pixels = DisplayPixels(*image);
        dc.DrawGreyImage(pixels.data(), image->Width, image->Height, image->Width, origin.x,
                         origin.y, zoom);
    }
    // The window puts the context's origin at the image origin; items draw from there.
    const CPoint previous = dc.SetViewportOrg(origin);
    list.Draw(&dc, zoom, 0, 0, 1.0);
    dc.SetViewportOrg(previous);
}

double ParseNumber(const std::string& text, const std::string& option) {
    char* end = nullptr;
    const double value = std::strtod(text.c_str(), &end);
    if (text.empty() || *end != '\0')
        throw CommandError(option + " needs a number, not '" + text + "'");
    return value;
}

std::vector<ListGroup> GroupsOf(CGraphicItemList& list) {
    std::vector<ListGroup> groups;
    for (POSITION pos = list.GetStartPosition(); pos;) {
        WORD key;
        CObject* group;
        list.GetNextAssoc(pos, key, group);
        groups.push_back({key, static_cast<CGrItemList*>(group)});
    }
    return groups;
}

FileArgs ParseFileArgs(const Args& args, const std::string& missing) {
    FileArgs parsed;
    for (const std::string& arg : args) {
        if (arg == "--json")
            parsed.json = true;
        else if (parsed.path.empty() && !arg.starts_with("-"))
            parsed.path = arg;
        else
            throw CommandError("unexpected argument '" + arg + "'");
    }
    if (parsed.path.empty())
        throw CommandError(missing);
    return parsed;
}

std::string JsonString(const std::string& utf8) {
    std::string out = "\"";
    for (const char ch : utf8) {
        if (ch == '"' || ch == '\\')
            out += '\\';
        if (static_cast<unsigned char>(ch) < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", ch);
            out += escaped;
        } else {
            out += ch;
        }
    }
    return out + "\"";
}

const std::string& OptionValue(const Args& args, std::size_t& i) {
    if (i + 1 >= args.size())
        throw CommandError(args[i] + " needs a value");
    return args[++i];
}

} // namespace vellum::tool
