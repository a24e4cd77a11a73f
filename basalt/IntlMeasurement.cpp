#include <vellum/basalt/IntlMeasurement.h>

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <optional>
#include <string>
#include <string_view>

namespace vellum {

namespace {

struct Unit {
    const char* text;
    double millimetres;
};

constexpr std::array<Unit, 3> kMetricUnits{{{"mm", 1.0}, {"cm", 10.0}, {"m", 1000.0}}};
constexpr std::array<Unit, 2> kEnglishUnits{{{"in", 25.4}, {"ft", 304.8}}};
constexpr int kMaxDecimals = 10;

template <std::size_t N> const Unit& UnitOf(const std::array<Unit, N>& units, int code) {
    return code >= 0 && code < static_cast<int>(N) ? units[static_cast<std::size_t>(code)]
                                                   : units[0];
}

// Classic-locale blanks, so that reading does not depend on the user's locale.
bool IsBlank(char ch) {
    return ch == ' ' || (ch >= '\t' && ch <= '\r');
}
bool IsDigit(char ch) {
    return ch >= '0' && ch <= '9';
}
char ToLower(char ch) {
    return ch >= 'A' && ch <= 'Z' ? static_cast<char>(ch - 'A' + 'a') : ch;
}

std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

// Millimetres per unit of a typed unit name, or nothing when it is not a length unit.
std::optional<double> TypedUnit(std::string_view name) {
    std::string lower;
    for (char ch : name)
        lower += ToLower(ch);
    for (const Unit& unit : kMetricUnits) {
        if (lower == unit.text)
            return unit.millimetres;
    }
    for (const Unit& unit : kEnglishUnits) {
        if (lower == unit.text)
            return unit.millimetres;
    }
    return std::nullopt;
}

// A typed length in millimetres; bareUnit is the millimetres per unit of a bare number.
std::optional<double> ParseLength(std::string_view text, double bareUnit) {
    text = TrimBlanks(text);
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    // The number, with its decimal separator normalised to '.' for the locale-free reader.
    std::string number = "0";
    bool digits = false;
    bool separator = false;
    for (; i < text.size(); ++i) {
        const char ch = text[i];
        if (IsDigit(ch)) {
            number += ch;
            digits = true;
        } else if ((ch == '.' || ch == ',') && !separator) {
            number += '.';
            separator = true;
        } else {
            break;
        }
    }
    if (!digits)
        return std::nullopt;
    if (separator)
        number += '0'; // "5." reads as "5.0"; a trailing zero after the point changes nothing
    double value = 0.0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (error != std::errc() || end != number.data() + number.size())
        return std::nullopt;
    const std::string_view unitName = TrimBlanks(text.substr(i));
    const std::optional<double> unit = unitName.empty() ? bareUnit : TypedUnit(unitName);
    if (!unit)
        return std::nullopt;
    const double millimetres = (negative ? -value : value) * *unit;
    if (!std::isfinite(millimetres))
        return std::nullopt;
    return millimetres;
}

// Significant digits that a double holds reliably.
constexpr int kSignificantDigits = 15;

// The value in fixed notation with '.' and the given decimals: its decimal form to 15
// significant digits, rounded half away from zero. Rounding the decimal form rather than the
// binary one shows 12.345 (stored just below the half) as 12.35, as the user expects.
std::string FixedDecimal(double value, int decimals) {
    if (!std::isfinite(value))
        return std::isnan(value) ? "nan" : value > 0 ? "inf" : "-inf";
    // "d.dddddddddddddde±XX": the digits d0 d1 ... with d0 in the place of 10^exponent.
    std::array<char, 32> scientific{};
    const char* end = std::to_chars(scientific.data(), scientific.data() + scientific.size(), value,
                                    std::chars_format::scientific, kSignificantDigits - 1)
                          .ptr;
    std::string_view text(scientific.data(), static_cast<std::size_t>(end - scientific.data()));
    const bool negative = text.front() == '-';
    if (negative)
        text.remove_prefix(1);
    const std::string digits =
        std::string(1, text[0]).append(text.substr(2, kSignificantDigits - 1));
    std::string_view exponentText = text.substr(text.find('e') + 1);
    if (exponentText.front() == '+')
        exponentText.remove_prefix(1);
    int exponent = 0;
    std::from_chars(exponentText.data(), exponentText.data() + exponentText.size(), exponent);

    // The integer round(|value| × 10^decimals) as a digit string.
    const int keep = exponent + 1 + decimals;
    std::string scaled;
    if (keep <= 0) {
        scaled = keep == 0 && digits[0] >= '5' ? "1" : "0";
    } else if (keep >= kSignificantDigits) {
        scaled = digits + std::string(static_cast<std::size_t>(keep - kSignificantDigits), '0');
    } else {
        scaled = digits.substr(0, static_cast<std::size_t>(keep));
        if (digits[static_cast<std::size_t>(keep)] >= '5') {
            std::size_t i = scaled.size();
            while (i > 0 && scaled[i - 1] == '9')
                scaled[--i] = '0';
            if (i == 0)
                scaled.insert(scaled.begin(), '1');
            else
                ++scaled[i - 1];
        }
    }
    const auto width = static_cast<std::size_t>(decimals) + 1;
    if (scaled.size() < width)
        scaled.insert(0, width - scaled.size(), '0');
    const bool zero = scaled.find_first_not_of('0') == std::string::npos;
    std::string fixed = negative && !zero ? "-" : "";
    fixed.append(scaled, 0, scaled.size() - static_cast<std::size_t>(decimals));
    if (decimals > 0)
        fixed.append(".").append(scaled, scaled.size() - static_cast<std::size_t>(decimals));
    return fixed;
}

// The value rounded to a multiple of the step (when positive) and then to the decimals.
std::string FormatNumber(double value, int decimals, double step) {
    if (step > 0.0 && std::isfinite(value / step)) {
        const std::string steps = FixedDecimal(value / step, 0);
        double count = 0.0;
        std::from_chars(steps.data(), steps.data() + steps.size(), count);
        value = count * step;
    }
    return FixedDecimal(value, decimals);
}

} // namespace

CIntlMeasurement::CIntlMeasurement(EMeasurementType type, CRegionalSettings* settings)
    : m_type(type),
      m_pSettings(settings), m_metric{1.0, "mm", 2, 0.0}, m_english{25.4, "in", 2, 0.0} {}

CIntlMeasurement::~CIntlMeasurement() = default;

void CIntlMeasurement::SetMetricParam(EMetricUnit unit, int decimals, double step) {
    const Unit& shown = UnitOf(kMetricUnits, unit);
    m_metric = {shown.millimetres, shown.text, std::clamp(decimals, 0, kMaxDecimals), step};
}

void CIntlMeasurement::SetEnglishParam(EEnglishUnit unit, int decimals, double step) {
    const Unit& shown = UnitOf(kEnglishUnits, unit);
    m_english = {shown.millimetres, shown.text, std::clamp(decimals, 0, kMaxDecimals), step};
}

EUnitSystem CIntlMeasurement::GetUnitSystem() const {
    return m_pSettings ? m_pSettings->GetUnitSystem() : EUnitSystem::metric;
}

const CIntlMeasurement::DisplayParam& CIntlMeasurement::CurrentParam() const {
    return GetUnitSystem() == EUnitSystem::english ? m_english : m_metric;
}

CString CIntlMeasurement::GetString(int withUnit, int withSpace) const {
    const DisplayParam& param = CurrentParam();
    std::string text = FormatNumber(m_mm / param.millimetresPerUnit, param.decimals, param.step);
    if (withUnit) {
        if (withSpace)
            text += ' ';
        text += param.unitText;
    }
    return CString(std::move(text));
}

CString CIntlMeasurement::GetUnitString() const {
    return CString(CurrentParam().unitText);
}

BOOL CIntlMeasurement::SetString(const char* text) {
    const std::optional<double> millimetres =
        ParseLength(text ? text : "", CurrentParam().millimetresPerUnit);
    m_mm = millimetres.value_or(0.0);
    return millimetres ? TRUE : FALSE;
}

} // namespace vellum
