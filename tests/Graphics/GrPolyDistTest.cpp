#include "Graphics/GraphicsTesting.h"

#include <vellum/Graphics/GrPolyDist.h>
#include <vellum/basalt/RegionalSettings.h>
#include <vellum/ui/CalibrationDlg.h>

namespace vellum::test {
namespace {
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

class GrPolyDistTest : public ::testing::Test {
protected:
    // A distance on this test's regional settings, its label 20 pixels high, with 10-pixel
    // characters.
    std::unique_ptr<CGrPolyDist> Distance(const Points& nodes) {
        auto distance = Placed<CGrPolyDist>(nodes, 1, regional);
        distance->GetLabel().GetFont().SetSize(15);
        return distance;
    }

    TempSettings settings;
    CRegionalSettings regional;
};

TEST_F(GrPolyDistTest, ShowsPixelsOrTheCalibratedLength) {
    struct Case {
        double rx, ry, mx, my;
        const char* text;
        double value;
    };
    const Case cases[] = {
        {0, 0, 1, 1, "50 Pixels", 50},
        {10, 10, 1, 1, "5.00 mm", 5},
        {10, 10, 2, 2, "2.50 mm", 2.5},
        {10, 20, 1, 1, "3.61 mm", std::sqrt(13.0)}, // per-axis 3 and 2
        {10, 0, 1, 1, "50 Pixels", 50},             // one axis is not enough
        {kNaN, 10, 1, 1, "50 Pixels", 50},
        {kInf, 10, 1, 1, "50 Pixels", 50},
        {-10, -10, 1, 1, "50 Pixels", 50},
        {10, 10, 0, kNaN, "5.00 mm", 5}, // unusable factors count 1.0
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        auto distance = Distance({CVector(0, 0), CVector(30, 40)});
        distance->SetResolution(c.rx, c.ry);
        distance->SetMagnification(c.mx, c.my);
        EXPECT_EQ(distance->GetDistanceStr(), c.text);
        EXPECT_DOUBLE_EQ(distance->GetValue(), c.value);
    }
    // A list hands down its resolution and, at once, a new unit system.
    CGraphicItemList list;
    auto* distance =
        Placed<CGrPolyDist>({CVector(0, 0), CVector(30, 40)}, 1, list.GetRegionalSettings())
            .release();
    list.AddItem(CGraphicItem::classMeasure, distance);
    list.SetResolution(10, 10);
    CRegionalSettings::SetUnitSystem(EUnitSystem::english);
    EXPECT_EQ(distance->GetDistanceStr(), "0.20 in");
    // Three nodes, one of them repeated: a zero-length segment adds nothing.
    auto bent = Distance({CVector(0, 0), CVector(3, 4), CVector(3, 4), CVector(3, 10)});
    EXPECT_EQ(bent->GetDistanceStr(), "11 Pixels");
    // Nodes at infinity have no length to show.
    auto unbounded = Distance({CVector(kInf, 0), CVector(kInf, 0)});
    EXPECT_EQ(unbounded->GetDistanceStr(), "");
    EXPECT_EQ(unbounded->GetValue(), 0.0);
}

TEST_F(GrPolyDistTest, DrawsArrowsAndTheLabelFrameWhichIsHitFirst) {
    auto distance = Distance({CVector(10, 10), CVector(40, 50)});
    CRecordingDC dc;
    distance->Draw(&dc, 1.0, 0, 0, 1.0);
    // "50 Pixels" is 90 by 20 at (40, 50); the frame stands 5 pixels off it.
    EXPECT_EQ(dc.DrawingLines(),
              (Lines{"MoveTo (10,10)", "LineTo (10,10)-(40,50) pen 0/1/0x0000FF00 rop 13",
                     "TextOut (40,50) \"50 Pixels\" font -20/0/400/\"Arial\" colour 0x00000000 "
                     "align 0 bk 1/0x00FFFFFF",
                     "MoveTo (18,16)", "LineTo (18,16)-(10,10) pen 0/1/0x0000FF00 rop 13",
                     "MoveTo (14,19)", "LineTo (14,19)-(10,10) pen 0/1/0x0000FF00 rop 13",
                     "MoveTo (32,44)", "LineTo (32,44)-(40,50) pen 0/1/0x0000FF00 rop 13",
                     "MoveTo (36,41)", "LineTo (36,41)-(40,50) pen 0/1/0x0000FF00 rop 13",
                     "Polyline (35,45)-(135,45)-(135,75)-(35,75)-(35,45) pen 2/1/0x0000FF00 rop 13",
                     "MoveTo (40,50)", "LineTo (40,50)-(35,45) pen 2/1/0x0000FF00 rop 13"}));
    EXPECT_EQ(distance->GetLabelFrame(), CRect(35, 45, 135, 75));
    EXPECT_EQ(dc.GetBkMode(), OPAQUE);
    EXPECT_EQ(distance->GetBoundsRect(0), CRect(10, 10, 135, 75));
    EXPECT_EQ(distance->GetBoundsRect(1), CRect(0, 0, 140, 80)); // gap on both, then once more
    // Hits find the label first, then nodes, then segments.
    struct Case {
        double x, y;
        int hit;
    };
    const Case cases[] = {
        {40, 50, -2},    // the last node lies in the frame: the label wins
        {134.4, 74, -2}, // rounds to 134, inside
        {135, 60, 0},    // the frame's right edge is outside; the segment is far
        {10, 12, 1},     // node 1
        {25, 30, -1},    // on the segment
        {25, 37.5, -1},  // 4.5 from it
        {25, 40, 0},     // 6 from it
    };
    for (const Case& c : cases) {
        CVector p(c.x, c.y);
        EXPECT_EQ(distance->HitTest(&p, 1.0), c.hit) << c.x << "," << c.y;
    }

    // The label dragged; zoom 0.5: a box of 36 by 9 at (-30, -5) in a 9-pixel font with 4-pixel
    // characters, a margin of 2, the frame mapped back to image pixels.
    distance->Move(-100, -60, CGraphicItem::hitLabel);
    dc.Clear();
    distance->Draw(&dc, 0.5, 0, 0, 1.0);
    EXPECT_EQ(dc.LinesNamed("Polyline"),
              Lines{"Polyline (-32,-7)-(8,-7)-(8,6)-(-32,6)-(-32,-7) pen 2/1/0x0000FF00 rop 13"});
    EXPECT_EQ(distance->GetLabelFrame(), CRect(-64, -14, 16, 12));

    // A transient drawing keeps the frame; without labels neither label nor frame is drawn.
    distance->Move(100, 60, CGraphicItem::hitLabel);
    dc.Clear();
    distance->Draw(&dc, 1.0, CGraphicItem::drawTransient, 0, 1.0);
    EXPECT_EQ(distance->GetLabelFrame(), CRect(-64, -14, 16, 12));
    dc.Clear();
    distance->Draw(&dc, 1.0, CGraphicItem::drawNoLabels, 0, 1.0);
    EXPECT_TRUE(dc.LinesNamed("Polyline").empty());
    EXPECT_TRUE(dc.LinesNamed("TextOut").empty());
    EXPECT_EQ(distance->GetLabelFrame(), CRect(-64, -14, 16, 12));

    // The arms open 15 degrees either side: (9.659, ±2.588) from a tip at (0, 0.8); 16 degrees
    // would reach y 3.56.
    auto flat = Distance({CVector(0, 0.8), CVector(100, 0.8)});
    dc.Clear();
    flat->Draw(&dc, 1.0, CGraphicItem::drawNoLabels, 0, 1.0);
    EXPECT_EQ(dc.LinesNamed("MoveTo")[1], "MoveTo (10,-2)");
    EXPECT_EQ(dc.LinesNamed("MoveTo")[2], "MoveTo (10,3)");
}

TEST_F(GrPolyDistTest, MovesTheLabelAloneOrTheNodesAlone) {
    auto distance = Distance({CVector(0, 0), CVector(30, 40)});
    distance->Move(5, 5, CGraphicItem::hitLabel);
    EXPECT_EQ(distance->GetNode(0), CVector(0, 0));
    EXPECT_EQ(distance->GetLabel().GetNode(0), CVector(35, 45));
    distance->Move(5, 5, CGraphicItem::hitBody);
    EXPECT_EQ(distance->GetNode(1), CVector(35, 45));
    EXPECT_EQ(distance->GetLabel().GetNode(0), CVector(35, 45));
    // A node drag shows the new length at once.
    distance->Move(30, 40, 2);
    EXPECT_EQ(distance->GetDistanceStr(), "100 Pixels");
    // Rotation needs a centre.
    distance->Rotate(1.0, nullptr);
    EXPECT_EQ(distance->GetNode(1), CVector(65, 85));
    CVector centre(5, 5);
    distance->Rotate(PI, &centre);
    EXPECT_NEAR(distance->GetNode(1).x, -55, 1e-9);
    EXPECT_NEAR(distance->GetLabel().GetNode(0).x, -25, 1e-9);
}

TEST_F(GrPolyDistTest, StoresThePolylineTheTagAndTheLabel) {
    auto distance = Distance({CVector(0, 0), CVector(30, 40)});
    distance->SetResolution(10, 10); // not stored
    const Bytes bytes = StoreObject(distance.get());
    Bytes expected;
    AppendNewClass(expected, "CGrPolyDist");
    AppendItemBody(expected, {0, 0, 30, 40});
    AppendDword(expected, 1);                   // distance tag
    AppendItemBody(expected, {30, 40, 30, 40}); // the label, anchored on the last node
    AppendDword(expected, 1);                   // label tag
    AppendFont(expected, "Arial", "Regular", 0, 400, 0, 0, 0, 15, 0);
    Append(expected, {7});
    AppendText(expected, "5.00 mm");
    EXPECT_EQ(bytes, expected);

    // Loaded alone it shows pixels, and has no unit until it gets regional settings.
    const auto loaded = LoadObject<CGrPolyDist>(bytes);
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(loaded->GetDistanceStr(), "50 Pixels");
    loaded->SetResolution(10, 10);
    EXPECT_EQ(loaded->GetDistanceStr(), "");
    EXPECT_EQ(loaded->Calibrate(), 0);
    loaded->OnRegionalSettingsChanged(regional);
    EXPECT_EQ(loaded->GetDistanceStr(), "5.00 mm");
}

class GrPolyDistCalibration : public GrPolyDistTest {
protected:
    // Answers the calibration dialog with text and, unless empty, a direction button.
    void Answer(const char* text, int direction = 0) {
        host.AddScript([=, this](CScriptedUser& user) {
            shown = {user.Text(IDC_DIRECTION).str(), user.Text(IDC_CURRENT_VALUE).str(),
                     user.Text(IDC_ACTUAL_VALUE).str()};
            if (direction) {
                host.AddScript([=](CScriptedUser& advanced) {
                    advanced.Click(direction);
                    advanced.OK();
                });
                user.Click(IDC_DIRECTION_BUTTON);
            }
            user.Type(IDC_ACTUAL_VALUE, text);
            user.OK();
            if (user.IsOpen())
                user.Cancel();
        });
    }

    CScriptedUiHost host;
    CUiHostScope scope{host};
    std::vector<std::string> shown;
};

TEST_F(GrPolyDistCalibration, SetsTheResolutionFromTheTrueLengthInTheChosenAxes) {
    struct Case {
        const char* typed;
        int direction;
        double rx, ry;
        const char* text;
    };
    const Case cases[] = {
        {"20", 0, 10, 10, "20.00 mm"},
        {"2 cm", IDC_BOTH_AXES, 10, 10, "20.00 mm"},
        {"20,0 mm", IDC_VERTICAL_ONLY, 4, 10, "50.00 mm"}, // x kept: 200 / 4
        {"20", IDC_HORIZONTAL_ONLY, 10, 5, "20.00 mm"},    // y kept
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        auto distance = Distance({CVector(0, 0), CVector(200, 0)});
        distance->SetResolution(4, 5);
        Answer(c.typed, c.direction);
        EXPECT_EQ(distance->Calibrate(), 1);
        double rx = 0, ry = 0;
        distance->GetResolution(&rx, &ry);
        EXPECT_DOUBLE_EQ(rx, c.rx);
        EXPECT_DOUBLE_EQ(ry, c.ry);
        EXPECT_EQ(distance->GetDistanceStr(), c.text);
    }
    EXPECT_TRUE(host.Messages().empty());
    EXPECT_EQ(host.ScriptsLeft(), 0u);

    // An uncalibrated distance proposes "? mm".
    auto distance = Distance({CVector(0, 0), CVector(200, 0)});
    Answer("20");
    ASSERT_EQ(distance->Calibrate(), 1);
    EXPECT_EQ(shown, (std::vector<std::string>{"Calibrazione orizzontale e verticale", "200 Pixels",
                                               "? mm"}));
}

TEST_F(GrPolyDistCalibration, RefusesLengthsThatAreNotAboveZero) {
    for (const char* typed : {"0", "-5", "abc", "? mm", "", "1e400"}) {
        SCOPED_TRACE(typed);
        auto distance = Distance({CVector(0, 0), CVector(200, 0)});
        const std::size_t messages = host.Messages().size();
        Answer(typed);
        EXPECT_EQ(distance->Calibrate(), 0);
        ASSERT_EQ(host.Messages().size(), messages + 1);
        EXPECT_EQ(host.Messages().back().text, CCalibrationDlg::kLengthPrompt);
        EXPECT_EQ(distance->IsCalibrated(), 0);
        EXPECT_EQ(distance->GetDistanceStr(), "200 Pixels");
    }
    // A distance of no length is not calibrated at all.
    auto point = Distance({CVector(7, 7), CVector(7, 7)});
    EXPECT_EQ(point->Calibrate(), 0);
    EXPECT_EQ(host.DialogsRun(), 6);
}

} // namespace
} // namespace vellum::test
