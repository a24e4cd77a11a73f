#pragma once
// CIntlMeasurement: a length with its display parameters, shown and read in the unit system of
// the user's regional settings. The value is kept in millimetres; GetValue gives it in metres.
//
// Display parameters, one set per unit system (SetMetricParam, SetEnglishParam):
//   unit      the unit lengths are shown in and bare typed numbers are read in;
//   decimals  the number of decimals shown (clamped to 0..10);
//   step      the resolution: a positive step rounds the shown value to a multiple of it (in
//             the display unit) before the decimals are applied; 0 or less rounds to the
//             decimals alone.
// Until they are set, the metric system shows millimetres and the English system inches, both
// with two decimals and no step.
//
// Text forms. GetString(1, 1) gives the number, one space and the unit, such as "12.35 mm" or
// "0.49 in": '.' as decimal separator, a '-' sign for negative values (never "-0.00"), no
// thousands separators. The value's decimal form to 15 significant digits is rounded half away
// from zero, so that 12.345 mm shows as "12.35 mm" although its binary form lies just below the
// half; non-finite values show as "nan", "inf" or "-inf". GetUnitString gives the unit alone: "mm",
// "cm", "m", "in" or "ft".
//
// Typed lengths (SetString): optional blanks, an optional sign, a number with '.' or ',' as
// decimal separator ("20", "20.5", "20,5", ".5"), optional blanks, an optional unit, optional
// blanks. Units compare without regard to case: "mm", "cm", "m", "in" and "ft"; a bare number
// is in the display unit of the current system. Anything else is not a length: the value
// becomes 0 and SetString returns FALSE.

#include <vellum/basalt/RegionalSettings.h>
#include <vellum/platform/String.h>
#include <vellum/platform/Types.h>

namespace vellum {

// What is measured. Only lengths are; other codes behave as lengths.
enum EMeasurementType : int { MEASURE_LENGTH = 1 };

// Display units of the metric system; unknown codes mean millimetres.
enum EMetricUnit : int { METRIC_MILLIMETRE = 0, METRIC_CENTIMETRE = 1, METRIC_METRE = 2 };

// Display units of the English system; unknown codes mean inches.
enum EEnglishUnit : int { ENGLISH_INCH = 0, ENGLISH_FOOT = 1 };

class CIntlMeasurement {
public:
    // settings gives the unit system; without settings lengths are metric. The settings object
    // must outlive the measurement.
    CIntlMeasurement(EMeasurementType type, CRegionalSettings* settings);
    virtual ~CIntlMeasurement();
    CIntlMeasurement(const CIntlMeasurement&) = default;
    CIntlMeasurement& operator=(const CIntlMeasurement&) = default;

    void SetMetricParam(EMetricUnit unit, int decimals, double step);
    void SetEnglishParam(EEnglishUnit unit, int decimals, double step);

    void SetMMValue(double millimetres) { m_mm = millimetres; }
    double GetMMValue() const { return m_mm; }
    // The value in metres.
    double GetValue() const { return m_mm / 1000.0; }

    // The value in the display unit of the current system. withUnit non-zero appends the
    // unit; withSpace non-zero puts one space between number and unit.
    CString GetString(int withUnit, int withSpace) const;
    // The display unit of the current system.
    CString GetUnitString() const;

    // Reads a typed length; TRUE when the text is a length, else the value becomes 0.
    BOOL SetString(const char* text);

    EMeasurementType GetType() const { return m_type; }
    // The unit system of the settings; metric without settings.
    EUnitSystem GetUnitSystem() const;

private:
    struct DisplayParam {
        double millimetresPerUnit;
        const char* unitText;
        int decimals;
        double step;
    };
    const DisplayParam& CurrentParam() const;

    EMeasurementType m_type;
    CRegionalSettings* m_pSettings;
    DisplayParam m_metric;
    DisplayParam m_english;
    double m_mm = 0.0;
};

} // namespace vellum
