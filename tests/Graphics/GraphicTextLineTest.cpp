#include "Graphics/GraphicsTesting.h"

#include <vellum/Graphics/GraphicTextLine.h>
#include <vellum/platform/Exceptions.h>

namespace vellum::test {
namespace {

// A label at anchor in a font 20 pixels high with 10-pixel characters at zoom 1.
std::unique_ptr<CGraphicTextLine> Label(CVector anchor, const char* text) {
    auto label = Placed<CGraphicTextLine>({anchor, anchor});
    label->GetFont().SetSize(15);
    label->SetText(text);
    return label;
}

TEST(GraphicTextLine, FormatsValuesAsPrintfDoes) {
    struct Case {
        double value;
        int decimals;
        const char* unit;
        const char* text;
    };
    const Case cases[] = {
        {3.14159, 2, "mm", "3.14 mm"},
        {2.5, 0, "mm", "2 mm"},      // no decimal point; an exact half goes to the even digit
        {12.0, 1, nullptr, "12.0 "}, // a null unit leaves the space
        {-0.004, 2, "", "-0.00 "},
        {1234.5678, 3, "\xB0", "1234.568 \xB0"},
    };
    for (const Case& c : cases) {
        CGraphicTextLine label;
        EXPECT_EQ(label.SetDoubleValue(c.value, c.decimals, c.unit), c.text) << c.value;
        EXPECT_EQ(label.GetText(), c.text);
    }
}

TEST(GraphicTextLine, MeasuresItsBoxInImageUnitsAtEveryZoom) {
    auto label = Label(CVector(10, 20), "abc");
    CRecordingDC dc;
    label->Draw(&dc, 1.0, 0, 0, 1.0);
    EXPECT_EQ(label->GetNode(1), CVector(40, 40));
    EXPECT_EQ(dc.LinesNamed("TextOut"),
              Lines{"TextOut (10,20) \"abc\" font -20/0/400/\"Arial\" colour 0x00000000 align 0 "
                    "bk 1/0x00FFFFFF"});
    EXPECT_EQ(dc.GetBkMode(), OPAQUE); // put back

    // Twice the zoom: a font twice as large, the same box in image units.
    dc.Clear();
    label->Draw(&dc, 2.0, 0, 0, 1.0);
    EXPECT_EQ(label->GetNode(1), CVector(40, 40));
    EXPECT_EQ(TextOuts(dc), Lines{"(20,40) abc -40/0"});

    // A transient drawing at another zoom neither tracks the zoom nor measures.
    label->SetText("abcdef");
    label->Draw(&dc, 3.0, CGraphicItem::drawTransient, 0, 1.0);
    EXPECT_EQ(label->GetLastZoom(), 2.0);
    EXPECT_EQ(label->IsMeasurePending(), 1);
    EXPECT_EQ(label->GetNode(1), CVector(40, 40));
    label->Draw(&dc, 2.0, 0, 0, 1.0);
    EXPECT_EQ(label->IsMeasurePending(), 0);
    EXPECT_EQ(label->GetNode(1), CVector(70, 40));

    // A printer's font is the size of zoom 1 times extra, measured then divided by the zoom.
    auto printed = Label(CVector(10, 20), "abc");
    CRecordingDC printer(DT_RASPRINTER);
    printed->Draw(&printer, 2.0, 0, 0, 1.0);
    EXPECT_EQ(printed->GetExtent(), CVector(15, 10));
    EXPECT_EQ(TextOuts(printer), Lines{"(20,40) abc -20/0"});
}

TEST(GraphicTextLine, ShowsItsBoxWhenDraggedAndMovesAndTurnsItsAnchorAlone) {
    auto label = Label(CVector(10, 20), "abc");
    CRecordingDC dc;
    label->Draw(&dc, 1.0, 0, 0, 1.0);
    label->SetDrag(1);

    dc.Clear();
    label->Draw(&dc, 2.0, 0, 0, 1.0);
    EXPECT_TRUE(dc.DrawingLines().empty()); // no focus: nothing

    label->SetFocus(-1);
    dc.Clear();
    label->Draw(&dc, 2.0, 0, 0, 1.0);
    EXPECT_EQ(dc.DrawingLines(), Lines{"Polygon (20,40)-(80,40)-(80,80)-(20,80) pen 0/2/0x00000000 "
                                       "brush 0/0x00FFFFFF rop 13 fill 1"});

    dc.Clear();
    label->Draw(&dc, 2.0, CGraphicItem::drawOwnLabel, 0, 1.0);
    EXPECT_TRUE(dc.DrawingLines().empty()); // the measurement draws the frame itself
    label->SetDrag(0);

    // Node 1 alone: node 2 lags until the next measurement.
    label->Move(5, -5, 1);
    EXPECT_EQ(Nodes(*label), (Points{{15, 15}, {40, 40}}));
    label->UpdateRect();
    label->Draw(&dc, 1.0, 0, 0, 1.0);
    EXPECT_EQ(label->GetNode(1), CVector(45, 35));

    // The whole label; SetEnd takes both corners along at the current extent.
    label->Move(-5, 5, -1);
    EXPECT_EQ(Nodes(*label), (Points{{10, 20}, {40, 40}}));
    CVector to(100, 100);
    label->SetEnd(&to, 0);
    EXPECT_EQ(Nodes(*label), (Points{{100, 100}, {130, 120}}));

    // A quarter turn counter-clockwise about the origin moves the anchor; the text stays
    // horizontal, node 2 comes back beside it at the next measurement.
    CVector origin(0, 0);
    label->Rotate(PI / 2, &origin);
    EXPECT_EQ(label->IsMeasurePending(), 1);
    EXPECT_NEAR(label->GetNode(0).x, 100, 1e-9);
    EXPECT_NEAR(label->GetNode(0).y, -100, 1e-9);
    label->Draw(&dc, 1.0, 0, 0, 1.0);
    EXPECT_NEAR(label->GetNode(1).x, 130, 1e-9);
    EXPECT_NEAR(label->GetNode(1).y, -80, 1e-9);
}

TEST(GraphicTextLine, StoresItsFieldsAfterTheItemAndRefusesAStreamWithoutBothCorners) {
    auto label = Label(CVector(1, 2), "5 \xB0 perch\xE9");
    label->GetFont().SetColor(RGB(1, 2, 3));
    CRecordingDC dc;
    label->Draw(&dc, 1.0, 0, 0, 1.0); // node 2 at (101, 22)
    const Bytes bytes = StoreObject(label.get());
    Bytes expected;
    AppendNewClass(expected, "CGraphicTextLine");
    AppendItemBody(expected, {1, 2, 101, 22});
    AppendDword(expected, 1); // label tag
    AppendFont(expected, "Arial", "Regular", 0, 400, 0, 0, 0, 15, 0x00030201);
    Append(expected, {10});
    AppendText(expected, "5 \xB0 perch\xE9");
    EXPECT_EQ(bytes, expected);

    const auto loaded = LoadObject<CGraphicTextLine>(bytes);
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(loaded->IsMeasurePending(), 1);
    EXPECT_EQ(StoreObject(loaded.get()), bytes);

    // The same body with a single node.
    Bytes oneNode;
    AppendItemBody(oneNode, {1, 2});
    const std::size_t header = 22, twoNodes = 6 + 32 + 14;
    oneNode.insert(oneNode.end(), bytes.begin() + header + twoNodes, bytes.end());
    CGraphicTextLine refused;
    EXPECT_EQ(CauseOf([&] { Load(oneNode, [&](CArchive& ar) { refused.Serialize(ar); }); }),
              CArchiveException::generic);
}

TEST(GraphicTextLine, PropertiesApplyOnlyAChosenFont) {
    CScriptedUiHost host;
    CUiHostScope scope(host);
    auto label = Label(CVector(0, 0), "abc");
    CRecordingDC dc;
    label->Draw(&dc, 1.0, 0, 0, 1.0);

    // Cancelled, and OK without choosing: nothing changes.
    host.AnswerFont(ChosenFont("DejaVu Serif", 240));
    host.AddScript([](CScriptedUser& user) {
        user.Click(IDC_SELECT_FONT);
        user.Cancel();
    });
    host.AddScript([](CScriptedUser& user) { user.OK(); });
    EXPECT_EQ(label->Properties(nullptr, 0), 0);
    EXPECT_EQ(label->Properties(nullptr, 0), 0);
    EXPECT_EQ(label->GetFont().m_strFaceName, "Arial");
    EXPECT_EQ(label->GetColor(), RGB(0, 255, 0));
    EXPECT_EQ(label->IsMeasurePending(), 0);

    host.AnswerFont(ChosenFont("DejaVu Serif", 240));
    host.AddScript([](CScriptedUser& user) {
        EXPECT_EQ(user.Sheet().GetPageCount(), 1);
        EXPECT_EQ(user.Sheet().GetCaption(), "Propiet\xE0");
        user.Click(IDC_SELECT_FONT);
        user.OK();
    });
    EXPECT_EQ(label->Properties(nullptr, 0), 1);
    EXPECT_EQ(label->GetFont().m_strFaceName, "DejaVu Serif");
    EXPECT_EQ(label->GetFont().GetSize(), 24);
    EXPECT_EQ(label->GetColor(), RGB(255, 0, 0));
    EXPECT_EQ(label->IsMeasurePending(), 1);
}

} // namespace
} // namespace vellum::test
