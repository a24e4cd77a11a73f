// Reads arbitrary bytes as an archived object of any registered class.
//
// The first byte chooses the class the reader asks for (0: any class, k: the k-th registered
// class in name order); the rest is the archive. Malformed data must end in CArchiveException
// or CMemoryException, and never in a crash, a leak or an allocation beyond what the data
// could fill. An item that loads is then exercised, stored, and read back: storing it again
// must give the same bytes.

#include <vellum/Graphics/BitmapUser.h>
#include <vellum/Graphics/GrPolyDist.h>
#include <vellum/Graphics/GraphicItem.h>
#include <vellum/archive/Archive.h>
#include <vellum/archive/ClassRegistry.h>
#include <vellum/backends/recording/RecordingDC.h>
#include <vellum/imaging/Bitmap.h>
#include <vellum/platform/DC.h>
#include <vellum/platform/MemFile.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

namespace {

using namespace vellum;

std::vector<BYTE> StoreObject(const CObject* object) {
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        ar << object;
        ar.Close();
    }
    const auto length = static_cast<std::size_t>(file.GetLength());
    BYTE* data = file.Detach();
    std::vector<BYTE> bytes(data, data + length);
    std::free(data);
    return bytes;
}

std::unique_ptr<CObject> LoadObject(std::vector<BYTE> bytes, const CRuntimeClass* requested) {
    CMemFile file(bytes.data(), static_cast<UINT>(bytes.size()));
    CArchive ar(&file, CArchive::load);
    return std::unique_ptr<CObject>(ar.ReadObject(requested));
}

// A drawing context that draws nothing, with fixed text metrics.
class CNullDC : public CDC {
protected:
    void OnLineTo(POINT, POINT) override {}
    void OnPolyline(const POINT*, int) override {}
    void OnPolygon(const POINT*, int) override {}
    void OnPolyBezier(const POINT*, int) override {}
    void OnRectangle(const RECT&) override {}
    void OnFillSolidRect(const RECT&, COLORREF) override {}
    void OnTextOut(POINT, const CString&) override {}
    SIZE OnGetTextExtent(const CString& text) const override {
        return SIZE{static_cast<LONG>(text.GetLength()) * 6, 13};
    }
    void OnGetTextMetrics(TEXTMETRIC& metrics) const override { metrics.tmHeight = 13; }
};

// A small grey image for the items that read one.
struct_LEAD_Bitmap& SmallImage() {
    static struct_LEAD_Bitmap image = [] {
        struct_LEAD_Bitmap bitmap;
        bitmap.Width = 16;
        bitmap.Height = 16;
        for (int i = 0; i < 256; ++i) {
            bitmap.Data.push_back(static_cast<BYTE>(i));
            bitmap.Colors.push_back(
                RGBQUAD{static_cast<BYTE>(i), static_cast<BYTE>(i), static_cast<BYTE>(i), 0});
        }
        return bitmap;
    }();
    return image;
}

// The geometry operations must stay defined whatever coordinates were stored.
void Exercise(CGraphicItem& item) {
    CVector probe(10.4, -3.6);
    item.HitTest(&probe, 1.0);
    item.HitTest(&probe, 0.0);
    item.PntInNodeLines(&probe, 0.5);
    item.GetBoundsRect(1);
    item.GetCenterPoint();
    // Drawing, focused so that node squares are painted too, then dragging a node and the
    // whole item, must cope with any stored coordinates.
    CRecordingDC dc;
    item.SetFocus(-1);
    item.Draw(&dc, 1.0, 0, 0, 1.0);
    item.Draw(&dc, 0.37, 0, 0, 1.0);
    item.Move(2.5, -1.5, 1);
    item.Move(-7.0, 3.0, -1);
    item.Draw(&dc, 3.0, 0, 0, 1.0);
    // Labels and whole angles move apart from the nodes; values follow the resolution.
    item.Move(2.5, -1.5, CGraphicItem::hitLabel);
    item.Move(2.5, -1.5, CGraphicItem::hitWhole);
    item.Rotate(0.5, &probe);
    item.SetResolution(2.0, 4.0);
    item.SetMagnification(0.0, -1.0);
    if (auto* distance = dynamic_cast<CGrPolyDist*>(&item)) {
        if (std::isnan(distance->GetValue()))
            std::abort();
    }
    // Items that read the image gather from it and draw what they gathered, as long as the
    // walk along them stays short (a damaged line may span the whole coordinate range).
    auto* user = dynamic_cast<CBitmapUser*>(&item);
    bool small = user != nullptr;
    for (int i = 0; small && i < item.GetNodeCount(); ++i) {
        const CVector node = item.GetNode(i);
        small = std::fabs(node.x) < 20000 && std::fabs(node.y) < 20000;
    }
    if (small) {
        user->OnBitmapForItems(&SmallImage());
        CNullDC nullDc;
        item.Draw(&nullDc, 1.0, 0, 0, 1.0);
        item.Draw(&nullDc, 0.5, 0, 0, 1.0);
        item.HitTest(&probe, 1.0);
        item.Draw(&nullDc, 2.0, 0, 0, 1.0);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    const auto classes = CClassRegistry::Instance().Classes();
    const std::size_t choice = data[0] % (classes.size() + 1);
    const CRuntimeClass* requested = choice == 0 ? nullptr : classes[choice - 1];

    std::unique_ptr<CObject> object;
    try {
        object = LoadObject(std::vector<BYTE>(data + 1, data + size), requested);
    } catch (const CArchiveException&) {
        return 0;
    } catch (const CMemoryException&) {
        return 0;
    }
    if (!object)
        return 0;
    if (requested && !object->IsKindOf(requested))
        std::abort();

    // What was read stores and reads back to the same bytes. A reloaded list enters its keys
    // afresh, which reverses keys that share a bucket of its map, so it is the second reload
    // that must give the first bytes again.
    const std::vector<BYTE> first = StoreObject(object.get());
    const std::unique_ptr<CObject> again = LoadObject(first, requested);
    const std::unique_ptr<CObject> third = LoadObject(StoreObject(again.get()), requested);
    if (StoreObject(third.get()) != first)
        std::abort();

    if (object->IsKindOf(RUNTIME_CLASS(CGraphicItem)))
        Exercise(static_cast<CGraphicItem&>(*object));
    return 0;
}
