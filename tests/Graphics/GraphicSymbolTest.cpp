#include "Graphics/GraphicsTesting.h"

#include <vellum/Graphics/GraphicSymbol.h>

namespace vellum::test {
namespace {

// A symbol whose one line spans 100 × 50 pixels, defined as 10 × 5 mm.
std::unique_ptr<CGraphicSymbol> TenByFive() {
    auto symbol = std::make_unique<CGraphicSymbol>();
    symbol->AddItem(NewLine(CVector(30, 40), CVector(130, 90)));
    symbol->Normalize();
    symbol->SetSize(10.0, 5.0);
    return symbol;
}

// Places the symbol at a point and returns what drawing it drew.
Lines Place(CGraphicSymbol& symbol, CVector at) {
    symbol.SetStart(&at);
    symbol.SetEnd(&at, 0);
    CRecordingDC dc;
    symbol.Draw(&dc, 1.0, 0, 0, 1.0);
    return dc.DrawingLines();
}

// Drawing scales the items into the frame.
TEST(GraphicSymbol, NormalizeMovesTheItemsToTheOriginAndKeepsTheirExtent) {
    auto symbol = TenByFive();
    EXPECT_EQ(symbol->GetNaturalRect(), CRect(0, 0, 100, 50));
    symbol->SetResolution(20, 20);
    EXPECT_EQ(Place(*symbol, CVector(300, 200)),
              (Lines{"MoveTo (200,150)", "LineTo (200,150)-(400,250) pen 0/1/0x0000FF00 rop 13"}));
    symbol->Resize(0.0, 10.0); // a new resolution of 0 leaves no finite width
    EXPECT_TRUE(std::isinf(symbol->Width()));
}

// The frame keeps the size in millimetres on every image; an axis without a usable resolution
// or size scales by 0, and then the symbol keeps its natural size.
TEST(GraphicSymbol, ScalesAndFrameFollowResolutionMagnificationAndSize) {
    struct Row {
        double rx, ry, mx, my, width, height;
        double horizontal, vertical; // expected scales
        CVector c0, c2;              // expected frame, placed at (300, 200)
    };
    const Row rows[] = {
        {20, 20, 1, 1, 10, 5, 2.0, 2.0, {200, 150}, {400, 250}},
        {10, 10, 2, 2, 10, 5, 2.0, 2.0, {200, 150}, {400, 250}},
        {40, 10, 1, 1, 10, 5, 4.0, 1.0, {100, 175}, {500, 225}},
        {5, 5, 1, 1, 10, 5, 0.5, 0.5, {275, 187.5}, {325, 212.5}},
        {20, 20, 1, 0.5, 10, 5, 2.0, 1.0, {200, 175}, {400, 225}},
        {0, 20, 1, 1, 10, 5, 0.0, 0.0, {250, 175}, {350, 225}},
        {20, 20, 0, 1, 10, 5, 0.0, 0.0, {250, 175}, {350, 225}},
        {20, 20, 1, 1, 0, 5, 0.0, 2.0, {250, 175}, {350, 225}}, // one axis unusable
        {20, 20, 1, 1, -10, 5, 0.0, 2.0, {250, 175}, {350, 225}},
        {20, 20, 1, 1, 10, 0, 2.0, 0.0, {250, 175}, {350, 225}},
        {20, 20, 1, 1, NAN, 5, 0.0, 2.0, {250, 175}, {350, 225}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(&row - rows);
        auto symbol = TenByFive();
        symbol->SetSize(row.width, row.height);
        symbol->SetResolution(row.rx, row.ry);
        symbol->SetMagnification(row.mx, row.my);
        Place(*symbol, CVector(300, 200));
        EXPECT_DOUBLE_EQ(symbol->GetHorizontalScale(), row.horizontal);
        EXPECT_DOUBLE_EQ(symbol->GetVerticalScale(), row.vertical);
        EXPECT_EQ(symbol->GetCorner(0), row.c0);
        EXPECT_EQ(symbol->GetCorner(2), row.c2);
        EXPECT_EQ(symbol->GetCorner(1), CVector(row.c0.x, row.c2.y));
    }
    CGraphicSymbol empty; // no items: a frame of no size at the point
    empty.SetSize(10, 5);
    empty.SetResolution(20, 20);
    Place(empty, CVector(7, 9));
    EXPECT_EQ(empty.GetCorner(0), CVector(7, 9));
    EXPECT_EQ(empty.GetCorner(2), CVector(7, 9));

    // A turned symbol measures its width along the other axis.
    auto turned = TenByFive();
    turned->SetResolution(20.0, 10.0);
    CVector centre(0, 0);
    turned->Rotate(PI / 2, &centre);
    Place(*turned, CVector(300, 200));
    // Width 100 px now lies along y (10 px per mm): 10 mm already, so scale 1; the height's
    // 50 px lie along x (20 px per mm): 2.5 mm, scaled by 2 to 5 mm.
    EXPECT_NEAR(turned->GetHorizontalScale(), 1.0, 1e-12);
    EXPECT_NEAR(turned->GetVerticalScale(), 2.0, 1e-12);
    EXPECT_DOUBLE_EQ(turned->GetAngle(), PI / 2);
}

TEST(GraphicSymbol, FrozenSymbolsIgnoreDragsAndTwoFlipsRestoreTheItems) {
    auto symbol = TenByFive();
    Place(*symbol, CVector(300, 200));
    symbol->SetFrozen(1);
    symbol->SetDrag(1);
    symbol->Move(10, 5, -1);
    CVector centre(300, 200);
    symbol->Rotate(1.0, &centre);
    EXPECT_EQ(symbol->GetCorner(0), CVector(250, 175));
    EXPECT_EQ(symbol->GetAngle(), 0.0);
    symbol->SetDrag(0);
    symbol->Move(10, 5, 3); // a corner number moves the whole symbol too
    EXPECT_EQ(symbol->GetCorner(0), CVector(260, 180));
    EXPECT_EQ(symbol->GetCorner(2), CVector(360, 230));

    // Two flips restore the items and the flag.
    symbol->SetFrozen(0);
    symbol->FlipHorizontal(0);
    EXPECT_EQ(symbol->IsFlipped(), 1);
    auto* line = static_cast<CGraphicLine*>(symbol->GetItems().GetHead());
    EXPECT_EQ(Nodes(*line), (Points{{100, 0}, {0, 50}})); // mirrored, then normalized
    centre = CVector(0, 0);
    symbol->Rotate(0.5, &centre);
    EXPECT_DOUBLE_EQ(symbol->GetAngle(), -0.5); // a flipped symbol turns the other way
    symbol->FlipHorizontal(0);
    EXPECT_EQ(symbol->IsFlipped(), 0);
    EXPECT_EQ(Nodes(*line), (Points{{0, 0}, {100, 50}}));
}

TEST(GraphicSymbol, ItemsAreAddedRemovedAndDumpedWithoutCopies) {
    CGraphicSymbol symbol;
    CGraphicLine* a = NewLine(CVector(0, 0), CVector(5, 5));
    CGraphicLine* b = NewLine(CVector(1, 1), CVector(6, 6));
    EXPECT_EQ(symbol.AddItem(a), 1);
    symbol.AddItem(b);
    CGraphicItemList list;
    EXPECT_EQ(symbol.DumpItems(&list), 1);
    CObject* group = nullptr;
    ASSERT_TRUE(list.Lookup(1, group));
    EXPECT_EQ(static_cast<CGrItemList*>(group)->GetCount(), 2);
    EXPECT_EQ(static_cast<CGrItemList*>(group)->GetHead(), a);
    EXPECT_EQ(symbol.RemoveItem(b), 1);
    EXPECT_EQ(symbol.RemoveItem(b), 0);
    symbol.RemoveAllItems(); // the list owns both now

    // The other way, every item of every group in the map's order: 0x0001 before 0x0020.
    CGraphicLine* c = NewLine(CVector(0, 0), CVector(1, 1));
    list.AddItem(0x0020, c);
    EXPECT_EQ(list.DumpItems(&symbol), 1);
    EXPECT_EQ(symbol.GetItems().GetCount(), 3);
    EXPECT_EQ(symbol.GetItems().GetHead(), a);
    EXPECT_EQ(symbol.GetItems().GetTail(), c);
    symbol.RemoveAllItems();
}

// Both layouts: the rectangle's fields, the format, the items, then the symbol's own fields.
TEST(GraphicSymbol, StoresFormatTwoAndReadsFormatOne) {
    CGraphicSymbol symbol;
    symbol.AddItem(NewLine(CVector(0, 0), CVector(4, 2)));
    symbol.Normalize();
    symbol.SetName("Freccia");
    symbol.SetInfo("\xE0");
    symbol.SetSize(2.5, 1.0);
    symbol.SetFrozen(1);
    const Bytes stored = StoreObject(&symbol);
    const Bytes rect = Store([&](CArchive& ar) { symbol.CGraphicRect::Serialize(ar); });
    const Bytes items = Store([&](CArchive& ar) { symbol.GetItems().Serialize(ar); });
    const auto head = [&](DWORD format) {
        Bytes out;
        AppendNewClass(out, "CGraphicSymbol");
        out.insert(out.end(), rect.begin(), rect.end());
        AppendDword(out, format);
        out.insert(out.end(), items.begin(), items.end());
        return out;
    };

    Bytes tail;
    for (int v : {0, 0, 4, 2})
        AppendDword(tail, static_cast<DWORD>(v));
    Append(tail, {7});
    AppendText(tail, "Freccia");
    Append(tail, {1, 0xE0});
    AppendDouble(tail, 2.5);
    AppendDouble(tail, 1.0);
    AppendDouble(tail, 0.0);
    AppendDword(tail, 1); // frozen
    AppendDword(tail, 0); // flipped

    Bytes expected = head(2);
    expected.insert(expected.end(), tail.begin(), tail.end());
    EXPECT_EQ(stored, expected);

    // The same symbol in the first layout: two doubles after the natural rectangle.
    Bytes first = head(1);
    first.insert(first.end(), tail.begin(), tail.begin() + 16);
    AppendDouble(first, 123.0);
    AppendDouble(first, 456.0);
    first.insert(first.end(), tail.begin() + 16, tail.end());
    auto loaded = LoadObject<CGraphicSymbol>(first);
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(loaded->GetSymbolFormat(), 1);
    EXPECT_EQ(StoreObject(loaded.get()), expected); // written as format 2

    // Any other format reads nothing after the items.
    loaded = LoadObject<CGraphicSymbol>(head(9));
    ASSERT_NE(loaded, nullptr);
    EXPECT_STREQ(loaded->GetName(), "");
    EXPECT_EQ(loaded->GetItems().GetCount(), 1);
}

TEST(GraphicSymbol, PropertiesFreezeAndRecolourOnOK) {
    TempSettings settings;
    CScriptedUiHost host;
    CUiHostScope scope(host);
    CGraphicSymbol symbol;
    symbol.AddItem(NewLine(CVector(0, 0), CVector(4, 2)));
    symbol.SetName("Croce");
    host.AddScript([](CScriptedUser& user) {
        EXPECT_EQ(user.Text(24266), "Croce");
        user.Check(24265);
        user.OK();
    });
    EXPECT_EQ(symbol.Properties(nullptr, 0), 1);
    EXPECT_EQ(symbol.IsFrozen(), 1);
    EXPECT_EQ(symbol.GetColor(), RGB(0, 255, 0)); // no colour chosen: unchanged
    host.AddScript([](CScriptedUser& user) {
        user.Tab(1);
        user.Click(24252);
        user.OK();
    });
    host.AnswerColor(RGB(9, 8, 7));
    EXPECT_EQ(symbol.Properties(nullptr, 0), 1);
    EXPECT_EQ(static_cast<CGraphicItem*>(symbol.GetItems().GetHead())->GetColor(), RGB(9, 8, 7));
    host.AddScript([](CScriptedUser& user) {
        user.Check(24265, false);
        user.Cancel();
    });
    EXPECT_EQ(symbol.Properties(nullptr, 0), 0);
    EXPECT_EQ(symbol.IsFrozen(), 1);
}

TEST(GraphicSymbol, TheDefinitionDialogSetsNameInfoAndSizeWithinItsRange) {
    CScriptedUiHost host;
    CUiHostScope scope(host);
    CGraphicSymbol symbol;
    host.AddScript([](CScriptedUser& user) {
        user.Type(24262, "Anca");
        user.Type(24269, "protesi");
        user.Type(24264, "500.5"); // width out of range: the dialog stays open
        user.Type(24263, "0");
        user.OK();
        EXPECT_TRUE(user.IsOpen());
        user.Type(24264, "500");
        user.OK();
    });
    EXPECT_EQ(symbol.SymbolDefDlg(), 1);
    EXPECT_STREQ(symbol.GetName(), "Anca");
    EXPECT_STREQ(symbol.GetInfo(), "protesi");
    EXPECT_EQ(symbol.Width(), 500.0);
    EXPECT_EQ(symbol.Height(), 0.0);
    EXPECT_EQ(symbol.SymbolDefDlg(), 0); // cancelled
}

} // namespace
} // namespace vellum::test
