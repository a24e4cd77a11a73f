#include "support/TempSettings.h"

#include <vellum/basalt/IntlMeasurement.h>

#include <gtest/gtest.h>

#include <limits>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace vellum::test {
namespace {

class IntlMeasurement : public ::testing::Test {
protected:
    // A measurement made and configured as a distance label makes it.
    std::unique_ptr<CIntlMeasurement> Make() {
        auto measurement = std::make_unique<CIntlMeasurement>(MEASURE_LENGTH, &m_settings);
        measurement->SetMetricParam(METRIC_MILLIMETRE, 2, 0.0);
        measurement->SetEnglishParam(ENGLISH_INCH, 2, 0.0);
        return measurement;
    }
    std::string Shown(double millimetres) {
        auto measurement = Make();
        measurement->SetMMValue(millimetres);
        return measurement->GetString(1, 1).str();
    }
    // The value in metres that a typed text reads as; expects it to be a length.
    double Typed(const char* text) {
        auto measurement = Make();
        EXPECT_EQ(measurement->SetString(text), TRUE) << '"' << text << '"';
        return measurement->GetValue();
    }
    static void English() { CRegionalSettings::SetUnitSystem(EUnitSystem::english); }

    TempSettings m_file;
    CRegionalSettings m_settings;
};

TEST_F(IntlMeasurement, ShowsTwoDecimalsRoundingHalvesAwayFromZero) {
    // 12.345 is a half in decimal but just below it in binary; 1234.5 takes no thousands
    // separator; -0.004 never shows "-0.00"; 3.175 mm is 0.125 in, 0.127 mm 0.005 in.
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const std::pair<double, const char*> metric[] = {
        {12.345, "12.35 mm"},    {12.344, "12.34 mm"},
        {2.675, "2.68 mm"},      {0.0049, "0.00 mm"},
        {1234.5, "1234.50 mm"},  {-12.345, "-12.35 mm"},
        {-0.004, "0.00 mm"},     {9.995, "10.00 mm"},
        {-99.995, "-100.00 mm"}, {1e20, "100000000000000000000.00 mm"},
        {nan, "nan mm"},         {-inf, "-inf mm"}};
    for (const auto& [millimetres, text] : metric)
        EXPECT_EQ(Shown(millimetres), text) << millimetres;
    EXPECT_EQ(Shown(-std::numeric_limits<double>::max()).size(), 309u + 1 + 3 + 3);
    // The unit and the space before it are optional.
    auto measurement = Make();
    measurement->SetMMValue(12.345);
    EXPECT_EQ(measurement->GetString(1, 0), "12.35mm");
    EXPECT_EQ(measurement->GetString(0, 1), "12.35");
    EXPECT_EQ(measurement->GetString(0, 0), "12.35");
    English();
    const std::pair<double, const char*> english[] = {{12.345, "0.49 in"}, {3.175, "0.13 in"},
                                                      {0.127, "0.01 in"},  {-3.175, "-0.13 in"},
                                                      {-0.1, "0.00 in"},   {304.8, "12.00 in"}};
    for (const auto& [millimetres, text] : english)
        EXPECT_EQ(Shown(millimetres), text) << millimetres;
}

TEST_F(IntlMeasurement, OtherUnitsDecimalsAndSteps) {
    // Steps round halves away from zero too; decimals are clamped to 0..10; unknown units are
    // the first of their system.
    const struct {
        bool english;
        int unit, decimals;
        double step, millimetres;
        const char* text;
    } cases[] = {
        {false, METRIC_CENTIMETRE, 1, 0.0, 1234.5678, "123.5 cm"},
        {false, METRIC_METRE, 3, 0.0, 1234.5678, "1.235 m"},
        {false, METRIC_MILLIMETRE, 2, 0.5, 1234.5678, "1234.50 mm"},
        {false, METRIC_MILLIMETRE, 1, 25.0, 1234.5678, "1225.0 mm"},
        {false, METRIC_MILLIMETRE, 2, 0.5, -1.25, "-1.50 mm"},
        {false, METRIC_MILLIMETRE, -3, 0.0, 1234.5678, "1235 mm"},
        {false, METRIC_MILLIMETRE, 40, 0.0, 1234.5678, "1234.5678000000 mm"},
        {false, -1, 1, 0.0, 12.0, "12.0 mm"},
        {true, ENGLISH_FOOT, 2, 0.0, 457.2, "1.50 ft"},
        {true, ENGLISH_INCH, 3, 0.125, 26.0, "1.000 in"}, // 1.0236 in to the eighth
        {true, -1, 2, 0.0, 25.4, "1.00 in"},
    };
    for (const auto& c : cases) {
        CRegionalSettings::SetUnitSystem(c.english ? EUnitSystem::english : EUnitSystem::metric);
        CIntlMeasurement measurement(MEASURE_LENGTH, &m_settings);
        measurement.SetMetricParam(static_cast<EMetricUnit>(c.unit), c.decimals, c.step);
        measurement.SetEnglishParam(static_cast<EEnglishUnit>(c.unit), c.decimals, c.step);
        measurement.SetMMValue(c.millimetres);
        EXPECT_EQ(measurement.GetString(1, 1), c.text);
        const std::string text = c.text;
        EXPECT_EQ(measurement.GetUnitString().str(), text.substr(text.find(' ') + 1));
    }
}

TEST_F(IntlMeasurement, ReadsLengthsInEveryUnitAndTheFormsUsersType) {
    const std::pair<const char*, double> cases[] = {
        {"20 mm", 0.02},  {"2 cm", 0.02},    {"0.02 m", 0.02},    {"0.787 in", 0.0199898},
        {"1 ft", 0.3048}, {"1 IN", 0.0254},  {"20,5 mm", 0.0205}, {"20.5 mm", 0.0205},
        {"\t20MM", 0.02}, {".5 cm", 0.005},  {"5. mm", 0.005},    {"  20 mm  ", 0.02},
        {"0 mm", 0.0},    {"-5 mm", -0.005}, {"20", 0.02},        {" 20,5 ", 0.0205}};
    for (const auto& [text, metres] : cases)
        EXPECT_NEAR(Typed(text), metres, 1e-15) << '"' << text << '"';
    // A bare number is in the current unit; a unit still wins.
    auto centimetres = Make();
    centimetres->SetMetricParam(METRIC_CENTIMETRE, 2, 0.0);
    EXPECT_EQ(centimetres->SetString("3"), TRUE);
    EXPECT_DOUBLE_EQ(centimetres->GetValue(), 0.03);
    English();
    EXPECT_NEAR(Typed("2"), 0.0508, 1e-15);
    EXPECT_DOUBLE_EQ(Typed("20 mm"), 0.02);
}

TEST_F(IntlMeasurement, TextThatIsNotALengthGivesZero) {
    std::vector<std::string> rejects = {
        "abc", "12 parsecs", "",       "mm", "   ", "12 mm x", "1.2.3", "1,2,3 mm", "- 5 mm",
        "--5", "5 m m",      "12 mm.", ".",  ",mm", "5e3 mm",  "0x10",  "12 in2",   "1e999"};
    rejects.push_back(std::string(400, '9') + " m"); // too large for a double
    for (const std::string& text : rejects) {
        auto measurement = Make();
        measurement->SetMMValue(42.0); // a previous value does not survive a bad text
        EXPECT_EQ(measurement->SetString(text.c_str()), FALSE) << '"' << text << '"';
        EXPECT_EQ(measurement->GetValue(), 0.0) << '"' << text << '"';
    }
    auto measurement = Make();
    EXPECT_EQ(measurement->SetString(nullptr), FALSE);
    EXPECT_EQ(measurement->GetValue(), 0.0);
}

} // namespace
} // namespace vellum::test
