#pragma once
// The user's regional measurement settings: which unit system lengths are shown in, and the
// notification that it changed. Every item list embeds a CRegionalSettings and registers itself
// as its callback; when the host changes the unit system, every registered callback of every
// live settings object is told, on the caller's (user-interface) thread.

#include <vellum/platform/Types.h>

namespace vellum {

enum class EUnitSystem { metric = 0, english = 1 };

class CRegionalSettingsCallback {
public:
    virtual ~CRegionalSettingsCallback() = default;
    virtual void OnRegionalSettingsChanged() = 0;
};

class CRegionalSettings {
public:
    explicit CRegionalSettings(CRegionalSettingsCallback* callback = nullptr);
    virtual ~CRegionalSettings();
    CRegionalSettings(const CRegionalSettings&) = delete;
    CRegionalSettings& operator=(const CRegionalSettings&) = delete;

    // Registers the object to notify (one at a time); null unregisters.
    void SetCallbackWnd(CRegionalSettingsCallback* callback);
    void ReleaseWnd() { SetCallbackWnd(nullptr); }
    CRegionalSettingsCallback* GetCallbackWnd() const { return m_pCallback; }

    // The user's unit system, kept in the per-user settings ("RegionalSettings" /
    // "UnitSystem": 0 metric, 1 English); metric when nothing is stored.
    EUnitSystem GetUnitSystem() const;

    // For the host: stores the user's unit system and, when it changed, notifies the callback
    // of every live settings object.
    static void SetUnitSystem(EUnitSystem system);

private:
    CRegionalSettingsCallback* m_pCallback = nullptr;
};

} // namespace vellum
