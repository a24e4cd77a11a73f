#include "OverlayFile.h"

#include <vellum/Graphics/GrItmlst.h>
#include <vellum/Graphics/GraphicItem.h>
#include <vellum/archive/Archive.h>
#include <vellum/platform/Exceptions.h>
#include <vellum/platform/File.h>
#include <vellum/platform/GlobalMemory.h>

#include <QSaveFile>
#include <QString>

#include <algorithm>
#include <cstring>
#include <optional>

namespace vellum::viewer {

namespace {

// The bounds of the first item that lies wholly outside the image, if one does.
std::optional<CRect> ItemOutside(const CGraphicItemList& list, const CRect& image) {
    POSITION group = list.GetStartPosition();
    while (group) {
        WORD key = 0;
        CObject* items = nullptr;
        list.GetNextAssoc(group, key, items);
        const auto* itemList = dynamic_cast<const CObList*>(items);
        if (!itemList)
            continue;
        for (POSITION at = itemList->GetHeadPosition(); at;) {
            auto* item = dynamic_cast<CGraphicItem*>(itemList->GetNext(at));
            if (!item)
                continue;
            CRect bounds = item->GetBoundsRect(0);
            bounds.NormalizeRect();
            // Points and horizontal or vertical lines have an empty rectangle: give them a pixel.
            bounds.right = std::max(bounds.right, bounds.left + 1);
            bounds.bottom = std::max(bounds.bottom, bounds.top + 1);
            CRect common;
            if (!common.IntersectRect(&bounds, &image))
                return bounds;
        }
    }
    return std::nullopt;
}

} // namespace

std::unique_ptr<CGraphicItemList> ReadOverlay(const std::string& path, int width, int height) {
    std::unique_ptr<CGraphicItemList> list;
    try {
        CFile file(path.c_str(), CFile::modeRead);
        CArchive ar(&file, CArchive::load);
        std::unique_ptr<CObject> object(ar.ReadObject(RUNTIME_CLASS(CGraphicItemList)));
        if (!object)
            throw OverlayError("the file holds no item list");
        list.reset(static_cast<CGraphicItemList*>(object.release()));
    } catch (const CArchiveException& e) {
        throw OverlayError(e.m_cause == CArchiveException::badClass
                               ? "not an overlay (unknown or unexpected class)"
                               : std::string("the overlay is damaged (") +
                                     CArchiveException::CauseName(e.m_cause) + ")");
    } catch (const CFileException& e) {
        throw OverlayError(std::strerror(e.m_lOsError));
    } catch (const CException& e) {
        throw OverlayError(e.what());
    }
    if (const std::optional<CRect> bounds = ItemOutside(*list, CRect(0, 0, width, height))) {
        throw OverlayError("it belongs to an image of another size: an item at (" +
                           std::to_string(bounds->left) + ", " + std::to_string(bounds->top) +
                           ") lies outside this image of " + std::to_string(width) + " x " +
                           std::to_string(height) + " pixels");
    }
    return list;
}

void WriteOverlay(CGraphicItemList& list, const std::string& path) {
    void* block = list.GetGlobalHandle();
    if (!block)
        throw OverlayError("the overlay could not be stored");
    QSaveFile file(QString::fromStdString(path));
    bool written = file.open(QIODevice::WriteOnly);
    if (written) {
        const auto* bytes = static_cast<const char*>(GlobalLock(block));
        const auto size = static_cast<qint64>(GlobalSize(block));
        written = file.write(bytes, size) == size;
        GlobalUnlock(block);
    }
    GlobalFree(block);
    if (!written || !file.commit())
        throw OverlayError(file.errorString().toStdString());
}

} // namespace vellum::viewer
