#include <vellum/basalt/RegionalSettings.h>

#include <vellum/platform/UserSettings.h>

#include <algorithm>
#include <vector>

namespace vellum {

namespace {
constexpr const char* kSection = "RegionalSettings";
constexpr const char* kEntry = "UnitSystem";

// Every live settings object, so that a change reaches all of them. Objects are made and
// destroyed on the user-interface thread only.
std::vector<CRegionalSettings*>& LiveSettings() {
    static std::vector<CRegionalSettings*> live;
    return live;
}
} // namespace

CRegionalSettings::CRegionalSettings(CRegionalSettingsCallback* callback) : m_pCallback(callback) {
    LiveSettings().push_back(this);
}

CRegionalSettings::~CRegionalSettings() {
    auto& live = LiveSettings();
    live.erase(std::remove(live.begin(), live.end(), this), live.end());
}

void CRegionalSettings::SetCallbackWnd(CRegionalSettingsCallback* callback) {
    m_pCallback = callback;
}

EUnitSystem CRegionalSettings::GetUnitSystem() const {
    return CUserSettings::GetProfileInt(kSection, kEntry, 0) == 1 ? EUnitSystem::english
                                                                    : EUnitSystem::metric;
}

void CRegionalSettings::SetUnitSystem(EUnitSystem system) {
    const int stored = CUserSettings::GetProfileInt(kSection, kEntry, 0) == 1 ? 1 : 0;
    const int wanted = system == EUnitSystem::english ? 1 : 0;
    if (stored == wanted)
        return;
    CUserSettings::WriteProfileInt(kSection, kEntry, wanted);
    // A callback may create or destroy settings objects: notify a snapshot, skipping any
    // that went away meanwhile.
    const std::vector<CRegionalSettings*> snapshot = LiveSettings();
    for (CRegionalSettings* settings : snapshot) {
        const auto& live = LiveSettings();
        if (std::find(live.begin(), live.end(), settings) == live.end())
            continue;
        if (settings->m_pCallback)
            settings->m_pCallback->OnRegionalSettingsChanged();
    }
}

} // namespace vellum
