#include "DensityTesting.h"

#include "support/ItemBytes.h"

#include <vellum/density/GrDensityArea.h>

#include <gtest/gtest.h>

#include <memory>
#include <utility>

namespace vellum::test {
namespace {

CGrDensityArea* NewArea(CVector from, CVector to) {
    auto* area = new CGrDensityArea;
    area->SetStart(&from);
    area->SetEnd(&to, 0);
    return area;
}

TEST(DensityArea, GathersOverItsBoundsOnInit) {
    auto bitmap = Ramp();
    std::unique_ptr<CGrDensityArea> area(NewArea({1, 4}, {4, 6}));
    // The item's bounds: each edge's rectangle grows by one, so (0, 3)-(5, 7), 20 pixels:
    // fifteen of 30 and the five levels of row 5.
    const int result = area->Init(&bitmap);
    ExpectStatistics(*area->GetHistogram(), result, {1, 0, 255, 30, 15, 20, 53.1, 40.17});
    EXPECT_EQ(area->GetStartPoint(), CPoint(0, 3));
    EXPECT_EQ(area->GetEndPoint(), CPoint(5, 7));

    // Moving does not gather again.
    area->Move(1, 1, CGraphicItem::hitBody);
    EXPECT_EQ(area->GetStartPoint(), CPoint(0, 3));
    EXPECT_EQ(area->Init(nullptr), 0);
}

TEST(DensityArea, TurnsByQuarterTurnsOnly) {
    // Turned: ±π/2, ±π and 3π/2; left as they are: 0, 0.5, 2π and just past π/2.
    const double half = 3.14159265358979 / 2.0;
    const std::pair<double, bool> cases[] = {
        {half, true}, {-half, true}, {2 * half, true},  {-2 * half, true},    {3 * half, true},
        {0.0, false}, {0.5, false},  {4 * half, false}, {half + 1e-15, false}};
    for (const auto& [angle, turns] : cases) {
        std::unique_ptr<CGrDensityArea> area(NewArea({0, 0}, {20, 10}));
        CVector centre(10, 5);
        area->Rotate(angle, &centre);
        EXPECT_EQ(area->GetCorner(2) != CVector(20, 10), turns ? 1 : 0) << angle;
    }
}

TEST(DensityArea, StoredAsTheRectangleAndLoadedWithoutHistogram) {
    std::unique_ptr<CGrDensityArea> area(NewArea({1, 2}, {3, 4}));
    const Bytes bytes = Store([&](CArchive& ar) { ar.WriteObject(area.get()); });
    Bytes expected;
    AppendNewClass(expected, "CGrDensityArea");
    AppendItemBody(expected, {});
    AppendDword(expected, 1); // rectangle tag
    for (double v : {1.0, 2.0, 1.0, 4.0, 3.0, 4.0, 3.0, 2.0})
        AppendDouble(expected, v);
    EXPECT_EQ(bytes, expected);
    std::unique_ptr<CObject> loaded;
    Load(bytes, [&](CArchive& ar) { loaded.reset(ar.ReadObject(RUNTIME_CLASS(CGraphicRect))); });
    auto* again = dynamic_cast<CGrDensityArea*>(loaded.get());
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(again->GetHistogram()->GetSize(), 0u);
    EXPECT_EQ(again->GetCorner(2), CVector(3, 4));
}

} // namespace
} // namespace vellum::test
