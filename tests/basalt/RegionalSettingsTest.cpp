#include "support/TempSettings.h"

#include <vellum/basalt/RegionalSettings.h>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace vellum::test {
namespace {

// Counts the notifications it receives and runs an optional action on each.
class CountingCallback : public CRegionalSettingsCallback {
public:
    void OnRegionalSettingsChanged() override {
        ++calls;
        if (action)
            action();
    }
    int calls = 0;
    std::function<void()> action;
};

TEST(RegionalSettings, NoNotificationWhenTheSystemDoesNotChange) {
    TempSettings file;
    CountingCallback list;
    CRegionalSettings settings(&list);
    CRegionalSettings::SetUnitSystem(EUnitSystem::metric); // metric already, by default
    EXPECT_EQ(list.calls, 0);
    EXPECT_EQ(file.Contents(), ""); // nothing written either
    CRegionalSettings::SetUnitSystem(EUnitSystem::english);
    CRegionalSettings::SetUnitSystem(EUnitSystem::english);
    EXPECT_EQ(list.calls, 1);
    // An unknown stored value is metric, so setting metric over it changes nothing.
    file.Write("[RegionalSettings]\nUnitSystem=5\n");
    CRegionalSettings::SetUnitSystem(EUnitSystem::metric);
    EXPECT_EQ(list.calls, 1);
}

TEST(RegionalSettings, ChangeNotifiesEveryRegisteredCallbackOnly) {
    TempSettings file;
    CountingCallback released, kept, replaced, replacement;
    CRegionalSettings symbols(&released);
    CRegionalSettings list(&kept); // registered at construction
    CRegionalSettings other;
    other.SetCallbackWnd(&replaced);
    symbols.ReleaseWnd();
    other.SetCallbackWnd(&replacement);
    CRegionalSettings::SetUnitSystem(EUnitSystem::english);
    EXPECT_EQ(released.calls, 0);
    EXPECT_EQ(kept.calls, 1);
    EXPECT_EQ(replaced.calls, 0);
    EXPECT_EQ(replacement.calls, 1);
    // Registering again brings the notifications back.
    symbols.SetCallbackWnd(&released);
    CRegionalSettings::SetUnitSystem(EUnitSystem::metric);
    EXPECT_EQ(released.calls, 1);
    EXPECT_EQ(kept.calls, 2);
    EXPECT_EQ(replacement.calls, 2);
}

// An object destroyed during a notification is skipped; one created waits for the next change.
TEST(RegionalSettings, ObjectsDestroyedOrCreatedDuringTheNotification) {
    TempSettings file;
    CountingCallback first, second, opener, opened;
    auto settingsA = std::make_unique<CRegionalSettings>(&first);
    auto settingsB = std::make_unique<CRegionalSettings>(&second);
    // Whichever is notified first destroys the other, as closing a document would.
    first.action = [&] { settingsB.reset(); };
    second.action = [&] { settingsA.reset(); };
    CRegionalSettings settings(&opener);
    std::unique_ptr<CRegionalSettings> created;
    opener.action = [&] {
        if (!created)
            created = std::make_unique<CRegionalSettings>(&opened);
    };
    CRegionalSettings::SetUnitSystem(EUnitSystem::english);
    EXPECT_EQ(first.calls + second.calls, 1);
    EXPECT_NE(settingsA == nullptr, settingsB == nullptr);
    EXPECT_EQ(opener.calls, 1);
    EXPECT_EQ(opened.calls, 0);
    ASSERT_NE(created, nullptr);
    CRegionalSettings::SetUnitSystem(EUnitSystem::metric);
    EXPECT_EQ(opener.calls, 2);
    EXPECT_EQ(opened.calls, 1);
}

} // namespace
} // namespace vellum::test
