#include <vellum/platform/DataExchange.h>

#include <vellum/platform/Dialog.h>
#include <vellum/platform/DialogItem.h>
#include <vellum/platform/UiHost.h>

#include <charconv>
#include <cmath>
#include <string_view>

namespace vellum {

namespace {
// The framework's prompts.
constexpr const char* kPromptInt = "Please enter an integer.";
constexpr const char* kPromptUInt = "Please enter a positive integer.";
constexpr const char* kPromptReal = "Please enter a number.";
constexpr const char* kPromptIntRange = "Please enter an integer between %s and %s.";
constexpr const char* kPromptRealRange = "Please enter a number between %s and %s.";

constexpr int kDoubleDigits = 15;

[[noreturn]] void Refuse(CDataExchange* dx, const CString& prompt) {
    AfxGetUiHost().MessageBox(dx->m_pDlgWnd, prompt, nullptr, MB_ICONEXCLAMATION);
    dx->Fail();
}

// The text without the blanks around it.
std::string_view Trimmed(const CString& text) {
    std::string_view view = text.str();
    const auto first = view.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    return view.substr(first, view.find_last_not_of(" \t") - first + 1);
}

// Parses the whole of text; a leading '+' is allowed where from_chars does not take one.
template <class T, class... Format>
bool ParseWhole(std::string_view text, T& value, Format... format) {
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
        if (!text.empty() && text.front() == '-')
            return false;
    }
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value, format...);
    return error == std::errc() && stop == end;
}

CString FormatDouble(double value) {
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value,
                                      std::chars_format::general, kDoubleDigits);
    return CString(std::string_view(buffer, static_cast<std::size_t>(result.ptr - buffer)));
}

CString RangePrompt(const char* format, const CString& low, const CString& high) {
    CString prompt;
    prompt.Format(format, low.GetString(), high.GetString());
    return prompt;
}

CString Decimal(long long value) {
    CString text;
    text.Format("%lld", value);
    return text;
}
} // namespace

CDataExchange::CDataExchange(CDialog* dialog, BOOL saveAndValidate)
    : m_bSaveAndValidate(saveAndValidate), m_pDlgWnd(dialog) {}

CDialogItem* CDataExchange::PrepareCtrl(int id) {
    CDialogItem* item = m_pDlgWnd->GetDlgItem(id);
    if (!item)
        throw CInvalidArgException();
    m_idLastControl = id;
    return item;
}

CDialogItem* CDataExchange::PrepareEditCtrl(int id) {
    return PrepareCtrl(id);
}

void CDataExchange::Fail() {
    if (m_idLastControl)
        m_pDlgWnd->GotoDlgCtrl(m_idLastControl);
    throw CUserException();
}

void DDX_Text(CDataExchange* dx, int id, int& value) {
    CDialogItem* item = dx->PrepareEditCtrl(id);
    if (!dx->m_bSaveAndValidate) {
        item->SetWindowText(Decimal(value));
        return;
    }
    int parsed = 0;
    if (!ParseWhole(Trimmed(item->GetText()), parsed))
        Refuse(dx, kPromptInt);
    value = parsed;
}

void DDX_Text(CDataExchange* dx, int id, UINT& value) {
    CDialogItem* item = dx->PrepareEditCtrl(id);
    if (!dx->m_bSaveAndValidate) {
        item->SetWindowText(Decimal(value));
        return;
    }
    UINT parsed = 0;
    if (!ParseWhole(Trimmed(item->GetText()), parsed))
        Refuse(dx, kPromptUInt);
    value = parsed;
}

void DDX_Text(CDataExchange* dx, int id, double& value) {
    CDialogItem* item = dx->PrepareEditCtrl(id);
    if (!dx->m_bSaveAndValidate) {
        item->SetWindowText(FormatDouble(value));
        return;
    }
    double parsed = 0;
    if (!ParseWhole(Trimmed(item->GetText()), parsed, std::chars_format::general) ||
        !std::isfinite(parsed))
        Refuse(dx, kPromptReal);
    value = parsed;
}

void DDX_Text(CDataExchange* dx, int id, CString& value) {
    CDialogItem* item = dx->PrepareEditCtrl(id);
    if (dx->m_bSaveAndValidate)
        item->GetWindowText(value);
    else
        item->SetWindowText(value);
}

void DDX_Check(CDataExchange* dx, int id, int& value) {
    CDialogItem* item = dx->PrepareCtrl(id);
    if (dx->m_bSaveAndValidate)
        value = item->GetCheck();
    else
        item->SetCheck(value);
}

void DDX_Control(CDataExchange* dx, int id, CDialogItemWnd& control) {
    dx->PrepareCtrl(id);
    control.SubclassDlgItem(id, dx->m_pDlgWnd);
}

void DDV_MinMaxInt(CDataExchange* dx, int value, int minValue, int maxValue) {
    if (dx->m_bSaveAndValidate && (value < minValue || value > maxValue))
        Refuse(dx, RangePrompt(kPromptIntRange, Decimal(minValue), Decimal(maxValue)));
}

void DDV_MinMaxUInt(CDataExchange* dx, UINT value, UINT minValue, UINT maxValue) {
    if (dx->m_bSaveAndValidate && (value < minValue || value > maxValue))
        Refuse(dx, RangePrompt(kPromptIntRange, Decimal(minValue), Decimal(maxValue)));
}

void DDV_MinMaxDouble(CDataExchange* dx, const double& value, double minValue, double maxValue) {
    if (dx->m_bSaveAndValidate && !(value >= minValue && value <= maxValue))
        Refuse(dx, RangePrompt(kPromptRealRange, FormatDouble(minValue), FormatDouble(maxValue)));
}

} // namespace vellum
