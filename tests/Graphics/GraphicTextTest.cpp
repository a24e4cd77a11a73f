#include "Graphics/GraphicsTesting.h"

#include <vellum/Graphics/GraphicText.h>

namespace vellum::test {
namespace {

// The user types text into the text page and confirms.
void Type(CGraphicText& item, const std::string& text) {
    CScriptedUiHost host;
    CUiHostScope scope(host);
    host.AddScript([&](CScriptedUser& user) {
        user.Type(IDC_TEXT, text.c_str());
        user.OK();
    });
    ASSERT_EQ(item.Properties(nullptr, 0), 1);
}

// A text box from (x, y), w by h, in a font 20 pixels high with 10-pixel characters at zoom 1.
std::unique_ptr<CGraphicText> TextBox(double x, double y, double w, double h,
                                      const std::string& text) {
    auto item = Placed<CGraphicText>({{x, y}, {x + w, y + h}}, 0);
    item->SetFontSize(15);
    Type(*item, text);
    return item;
}

Lines Texts(const std::vector<CString>& lines) {
    Lines texts;
    for (const CString& line : lines)
        texts.push_back(line.str());
    return texts;
}

void ExpectCorners(const CGraphicText& item, std::vector<CVector> expected) {
    for (int i = 0; i < 4; ++i) {
        EXPECT_NEAR(item.GetCorner(i).x, expected[i].x, 1e-9) << "corner " << i;
        EXPECT_NEAR(item.GetCorner(i).y, expected[i].y, 1e-9) << "corner " << i;
    }
}

TEST(GraphicText, CutsTheTextIntoWordsThatKeepTheirWhiteSpace) {
    struct Case {
        std::string text;
        Lines words;
    };
    const Case cases[] = {
        {"  one   two  ", {"one   ", "two"}},
        {"a  b\r\nc", {"a  ", "b\r\n", "c"}},
        {"a\r\n\r\nb", {"a\r\n\r\n", "b"}},
        {"\tPropriet\xE0 perch\xE9\t", {"Propriet\xE0 ", "perch\xE9"}},
        {"", {}},
        {" \t\r\n ", {}},
    };
    for (const Case& c : cases) {
        auto item = TextBox(0, 0, 100, 20, c.text);
        EXPECT_EQ(Texts(item->GetWords()), c.words) << c.text;
    }
    EXPECT_EQ(CGraphicText().GetWords(), std::vector<CString>(20)); // twenty empty words
}

TEST(GraphicText, LaysWordsOutGreedilyWithAStrictFit) {
    struct Case {
        double width;
        std::string text;
        Lines lines;
    };
    // "aa " is 30 pixels wide, "aa bb " 60, "aa bb cc" 80.
    const Case cases[] = {
        {61, "aa bb cc", {"aa bb ", "cc"}},
        {60, "aa bb cc", {"aa ", "bb cc"}}, // exactly as wide as "aa bb ": does not fit
        {81, "aa bb cc", {"aa bb cc"}},
        {80, "aa bb cc", {"aa bb ", "cc"}},
        {100, "a\r\n\r\nb", {"a", "b"}},   // consecutive breaks count as one
        {100, "a b\nc d", {"a b", "c d"}}, // a break ends the line that fits
        {25, "a b c", {"a ", "b ", "c"}},
        {100, "", {}},
        {100, "x\r\nyy zz\r\n", {"x", "yy zz"}},
    };
    for (const Case& c : cases) {
        auto item = TextBox(0, 0, c.width, 10, c.text);
        CRecordingDC dc;
        EXPECT_EQ(Texts(item->LayOutLines(&dc, 1.0)), c.lines) << c.width << " " << c.text;
        item->Draw(&dc, 1.0, 0, 0, 1.0);
        EXPECT_EQ(TextOuts(dc).size(), c.lines.size()) << c.width << " " << c.text;
    }
}

TEST(GraphicText, DrawsLinesDownTheLeftEdgeAndGrowsTheBoxToTheText) {
    auto item = TextBox(10, 10, 61, 5, "aa bb cc");
    CRecordingDC dc;
    item->Draw(&dc, 1.0, 0, 0, 1.0);
    EXPECT_EQ(dc.LinesNamed("TextOut"),
              (Lines{"TextOut (10,10) \"aa bb \" font -20/0/400/\"Arial\" colour 0x00000000 "
                     "align 0 bk 1/0x00FFFFFF",
                     "TextOut (10,30) \"cc\" font -20/0/400/\"Arial\" colour 0x00000000 align 0 "
                     "bk 1/0x00FFFFFF"}));
    // Two lines need 40 units: c1 and c2 went down; the width was enough.
    ExpectCorners(*item, {{10, 10}, {10, 50}, {71, 50}, {71, 10}});
    EXPECT_EQ(dc.GetBkMode(), OPAQUE);

    // A word wider than the box widens it and stands on its own line.
    auto wide = TextBox(0, 0, 30, 50, "abcdefgh ab");
    wide->Draw(&dc, 1.0, 0, 0, 1.0);
    ExpectCorners(*wide, {{0, 0}, {0, 50}, {80, 50}, {80, 0}});
    EXPECT_EQ(Texts(wide->LayOutLines(&dc, 1.0)), (Lines{"abcdefgh ", "ab"}));

    dc.Clear();
    Type(*item, "aa");
    item->Draw(&dc, 1.0, 0, CGraphicText::flagRightAligned, 1.0);
    EXPECT_EQ(dc.LinesNamed("SetTextAlign"), (Lines{"SetTextAlign 2", "SetTextAlign 0"}));

    // An empty text has no height; a new one has one empty line.
    dc.Clear();
    auto empty = TextBox(0, 0, 50, 30, "   ");
    empty->Draw(&dc, 1.0, 0, 0, 1.0);
    EXPECT_EQ(empty->GetTextHeight(), 0.0);
    EXPECT_EQ(empty->GetTextWidth(), 1.0);
    EXPECT_TRUE(dc.LinesNamed("TextOut").empty());

    auto fresh = Placed<CGraphicText>({{0, 0}, {50, 5}}, 0);
    fresh->SetFontSize(15);
    fresh->Draw(&dc, 1.0, 0, 0, 1.0);
    EXPECT_EQ(fresh->GetTextHeight(), 20.0);
    EXPECT_EQ(dc.LinesNamed("TextOut").size(), 1u);
}

TEST(GraphicText, KeepsItsSizeOnScreenInProportionToTheZoom) {
    auto item = TextBox(10, 10, 61, 40, "aa bb cc");
    CRecordingDC dc;
    item->Draw(&dc, 1.0, 0, 0, 1.0);

    // A new zoom alone lays the text out again: twice the font, the same size in image units.
    dc.Clear();
    item->Draw(&dc, 2.0, 0, 0, 1.0);
    EXPECT_EQ(item->GetTextWidth(), 20.0);
    EXPECT_EQ(item->GetTextHeight(), 40.0);
    EXPECT_EQ(TextOuts(dc), (Lines{"(20,20) aa bb  -40/0", "(20,60) cc -40/0"}));

    // A transient drawing neither tracks the zoom nor lays out.
    Type(*item, "aa bb cc dd ee ff");
    item->Draw(&dc, 3.0, CGraphicItem::drawTransient, 0, 1.0);
    EXPECT_EQ(item->IsLayoutPending(), 1);
    EXPECT_EQ(item->GetTextHeight(), 40.0);

    // A printer's font follows extra, whatever the zoom; measured in it and divided by the
    // zoom, more words fit in a line.
    CRecordingDC printer(DT_RASPRINTER);
    item->Draw(&printer, 2.0, 0, 0, 1.0);
    EXPECT_EQ(TextOuts(printer).front(), "(20,20) aa bb cc dd  -20/0");
}

TEST(GraphicText, TurnsTheTextWithTheBox) {
    auto item = TextBox(100, 100, 61, 40, "aa bb cc");
    CVector corner(100, 100);
    item->Rotate(PI / 2, &corner);
    CRecordingDC dc;
    item->Draw(&dc, 1.0, 0, 0, 1.0);
    // Lines step to the right (the box's left edge, turned), the characters go up.
    EXPECT_EQ(TextOuts(dc), (Lines{"(100,100) aa bb  -20/900", "(120,100) cc -20/900"}));

    // A turned box grows along its own edges: up to the widest word, right to the line.
    auto growing = TextBox(100, 100, 30, 10, "abcdefgh");
    growing->Rotate(PI / 2, &corner);
    growing->Draw(&dc, 1.0, 0, 0, 1.0);
    ExpectCorners(*growing, {{100, 100}, {120, 100}, {120, 20}, {100, 20}});

    // Sums beyond a full turn come back by one turn; a mirror turns the text the other way.
    auto turned = TextBox(0, 0, 50, 20, "x");
    turned->Rotate(7 * PI / 4, nullptr);
    turned->Rotate(PI / 2, nullptr);
    EXPECT_NEAR(turned->GetAngle(), PI / 4, 1e-12);
    turned->Rotate(-5 * PI / 4, nullptr);
    turned->Rotate(-5 * PI / 4, nullptr);
    EXPECT_NEAR(turned->GetAngle(), -PI / 4, 1e-12);
    turned->FlipHorizontal(100);
    EXPECT_NEAR(turned->GetAngle(), PI / 4, 1e-12);
}

TEST(GraphicText, StretchesANewBoxNeverSmallerThanItsText) {
    CGraphicText item;
    CVector start(10, 10), upLeft(20, 5), down(20, 30);
    item.SetStart(&start);
    item.SetEnd(&upLeft, 0);
    ExpectCorners(item, {{10, 5}, {10, 10}, {20, 10}, {20, 5}});
    item.SetEnd(&down, 0);
    ExpectCorners(item, {{10, 5}, {10, 30}, {20, 30}, {20, 5}}); // keeps what it gained above

    // Above and to the left of the start: the end becomes c0.
    auto back = Placed<CGraphicText>({{50, 50}, {20, 30}}, 0);
    ExpectCorners(*back, {{20, 30}, {20, 50}, {50, 50}, {50, 30}});

    // A zero box becomes one unit; after a layout the box holds the text.
    ExpectCorners(*Placed<CGraphicText>({{5, 5}, {5, 5}}, 0), {{5, 5}, {5, 6}, {6, 6}, {6, 5}});
    auto laidOut = TextBox(0, 0, 120, 10, "abcde fghij"); // one line: 50 wide, 20 high
    CRecordingDC dc;
    laidOut->Draw(&dc, 1.0, 0, 0, 1.0);
    CVector origin(0, 0), small(3, 4);
    laidOut->SetStart(&origin);
    laidOut->SetEnd(&small, 0);
    ExpectCorners(*laidOut, {{0, 0}, {0, 20}, {50, 20}, {50, 0}});
    EXPECT_EQ(laidOut->IsLayoutPending(), 1);

    // Dragging a corner lays out again; moving the whole box does not.
    laidOut->Draw(&dc, 1.0, 0, 0, 1.0);
    laidOut->Move(5, 5, -1);
    EXPECT_EQ(laidOut->IsLayoutPending(), 0);
    laidOut->Move(5, 0, 3);
    EXPECT_EQ(laidOut->IsLayoutPending(), 1);
}

TEST(GraphicText, StoresTheRectangleThenTagFontAngleAndText) {
    auto item = TextBox(1, 2, 30, 40, "Propriet\xE0\r\nperch\xE9");
    item->SetColor(RGB(1, 2, 3));
    item->SetClass(0x0010);
    CVector centre(1, 2);
    item->Rotate(PI, &centre);
    const Bytes bytes = StoreObject(item.get());
    Bytes expected;
    AppendNewClass(expected, "CGraphicText");
    AppendItemBody(expected, {}, 0x0010, 0x00030201); // the base node array stays empty
    AppendDword(expected, 1);                         // rectangle tag
    for (int i = 0; i < 4; ++i) {
        AppendDouble(expected, item->GetCorner(i).x);
        AppendDouble(expected, item->GetCorner(i).y);
    }
    AppendDword(expected, 1); // text tag
    AppendFont(expected, "Arial", "Regular", 0, 400, 0, 0, 0, 15, 0x00030201);
    AppendDouble(expected, PI);
    Append(expected, {17});
    AppendText(expected, "Propriet\xE0\r\nperch\xE9");
    EXPECT_EQ(bytes, expected);

    const auto loaded = LoadObject<CGraphicText>(bytes);
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(Texts(loaded->GetWords()), (Lines{"Propriet\xE0\r\n", "perch\xE9"}));
    EXPECT_EQ(loaded->IsLayoutPending(), 1);
    EXPECT_EQ(StoreObject(loaded.get()), bytes);

    // An angle that is not a number reads as 0.
    Bytes damaged = bytes;
    const double nan = std::nan("");
    std::memcpy(damaged.data() + damaged.size() - 18 - 8, &nan, 8);
    EXPECT_EQ(LoadObject<CGraphicText>(damaged)->GetAngle(), 0.0);
}

TEST(GraphicText, PropertiesTakeTheTextAndAChosenFontAndMayExchangeTheCorners) {
    TempSettings settings;
    CScriptedUiHost host;
    CUiHostScope scope(host);
    auto item = TextBox(0, 0, 50, 20, "old");

    host.AnswerFont(ChosenFont("DejaVu Serif", 120));
    host.AddScript([](CScriptedUser& user) {
        EXPECT_EQ(user.Sheet().GetCaption(), "Propiet\xE0");
        EXPECT_EQ(user.Sheet().GetPageCount(), 2);
        EXPECT_EQ(user.Sheet().HasApplyButton(), FALSE);
        EXPECT_EQ(user.Text(IDC_TEXT), "old");
        user.Type(IDC_TEXT, "new text");
        ASSERT_TRUE(user.Tab(1));
        user.Click(IDC_SELECT_FONT);
        user.OK();
    });
    EXPECT_EQ(item->Properties(nullptr, 0), 1);
    EXPECT_EQ(item->GetText(), "new text");
    EXPECT_EQ(item->GetFont().m_strFaceName, "DejaVu Serif");
    EXPECT_EQ(item->GetFontSize(), 12);
    ExpectCorners(*item, {{0, 0}, {0, 20}, {50, 20}, {50, 0}});

    // OK without choosing a font keeps the font; Cancel keeps everything, but bit 0x1 of the
    // flags exchanges the corners in either case.
    host.AddScript([](CScriptedUser& user) {
        user.Type(IDC_TEXT, "typed");
        user.OK();
    });
    EXPECT_EQ(item->Properties(nullptr, CGraphicText::flagRightAligned), 1);
    EXPECT_EQ(item->GetFont().m_strFaceName, "DejaVu Serif");
    ExpectCorners(*item, {{50, 0}, {50, 20}, {0, 20}, {0, 0}});
    host.AddScript([](CScriptedUser& user) {
        user.Type(IDC_TEXT, "discarded");
        user.Cancel();
    });
    EXPECT_EQ(item->Properties(nullptr, CGraphicText::flagRightAligned), 0);
    EXPECT_EQ(item->GetText(), "typed");
    ExpectCorners(*item, {{0, 0}, {0, 20}, {50, 20}, {50, 0}});
    EXPECT_EQ(settings.Contents(), "");
}

TEST(GraphicText, ADraggedBoxShowsItsOutlineInsteadOfItsText) {
    auto item = TextBox(10, 10, 30, 20, "aa");
    item->SetFocus(-1);
    CRecordingDC dc;
    item->Draw(&dc, 1.0, 0, 0, 1.0);
    EXPECT_EQ(dc.LinesNamed("TextOut").size(), 1u);
    EXPECT_EQ(dc.LinesNamed("FillSolidRect").size(), 4u); // the corner squares

    item->SetDrag(1);
    dc.Clear();
    item->Draw(&dc, 2.0, 0, 0, 1.0);
    EXPECT_EQ(dc.DrawingLines(), Lines{"Polygon (20,20)-(20,60)-(80,60)-(80,20) pen 0/2/0x00000000 "
                                       "brush 0/0x00FFFFFF rop 13 fill 1"});
    dc.Clear();
    item->Draw(&dc, 2.0, CGraphicItem::drawOwnLabel, 0, 1.0);
    EXPECT_TRUE(dc.DrawingLines().empty());
}

// A huge text in a huge box, and a long word in a box of no width.
TEST(GraphicText, HostileTextsAndBoxesLayOutInBoundedTime) {
    std::string many;
    for (int i = 0; i < 3000; ++i)
        many += "ab ";
    auto huge = TextBox(0, 0, 1e12, 10, many);
    CRecordingDC dc;
    huge->Draw(&dc, 1.0, 0, 0, 1.0);
    const auto lines = huge->LayOutLines(&dc, 1.0); // no line holds 1024 characters
    EXPECT_EQ(lines.size(), 9u);
    EXPECT_EQ(lines.front().GetLength(), 1023);

    auto narrow = TextBox(0, 0, 0, 0, std::string(5000, 'x') + " y");
    narrow->Draw(&dc, 0.0, 0, 0, 1.0); // zoom 0: every extent is infinite
    EXPECT_EQ(Texts(narrow->LayOutLines(&dc, 0.0)).size(), 2u);
}

} // namespace
} // namespace vellum::test
