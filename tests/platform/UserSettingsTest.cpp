#include "support/Files.h"
#include "support/TempSettings.h"

#include <vellum/platform/UserSettings.h>

#include <gtest/gtest.h>

#include <utility>

namespace vellum::test {
namespace {

TEST(UserSettings, WritesKeepTheRestOfTheFile) {
    TempSettings settings;
    settings.Write("; kept\n[UserGraphics]\nDefaultWidth=3\n\n[Symbols]\nSymbolLibrary=a.lib\n");
    ASSERT_TRUE(CUserSettings::WriteProfileString("usergraphics", "DefaultColor", "255,0,0"));
    ASSERT_TRUE(CUserSettings::WriteProfileInt("UserGraphics", "DEFAULTWIDTH", 5));
    ASSERT_TRUE(CUserSettings::WriteProfileString("UserGraphicsFont", "DefaultColor", "0,0,255"));
    EXPECT_EQ(settings.Contents(), "; kept\n"
                                   "[UserGraphics]\n"
                                   "DEFAULTWIDTH=5\n"
                                   "DefaultColor=255,0,0\n"
                                   "\n"
                                   "[Symbols]\n"
                                   "SymbolLibrary=a.lib\n"
                                   "\n"
                                   "[UserGraphicsFont]\n"
                                   "DefaultColor=0,0,255\n");
    EXPECT_EQ(CUserSettings::GetProfileString("USERGRAPHICS", "defaultcolor"), "255,0,0");

    ASSERT_TRUE(CUserSettings::WriteProfileString("UserGraphics", "DefaultColor", nullptr));
    EXPECT_EQ(CUserSettings::GetProfileString("UserGraphics", "DefaultColor", "gone"), "gone");
    ASSERT_TRUE(CUserSettings::DeleteSection("Symbols"));
    EXPECT_EQ(CUserSettings::GetProfileString("Symbols", "SymbolLibrary", "gone"), "gone");
    EXPECT_EQ(CUserSettings::GetProfileInt("UserGraphics", "DefaultWidth", -1), 5);
}

TEST(UserSettings, MissingEntriesGiveTheDefaultAndIntegersAreReadAsAtoiReadsThem) {
    TempSettings settings;
    EXPECT_EQ(CUserSettings::GetProfileString("S", "a", "none"), "none"); // no file
    settings.Write("[S]\na=12abc\nb= -3\nc=abc\nd=\ne=+7\nf=4294967297\n");
    // f wraps to 32 bits; g is missing.
    const std::pair<const char*, int> entries[] = {{"a", 12}, {"b", -3}, {"c", 0}, {"d", 0},
                                                   {"e", 7},  {"f", 1},  {"g", 99}};
    for (const auto& [key, value] : entries)
        EXPECT_EQ(CUserSettings::GetProfileInt("S", key, 99), value) << key;
    EXPECT_EQ(CUserSettings::GetProfileInt("Other", "a", 99), 99); // only in another section
}

TEST(UserSettings, RegistryKeysAreSectionsNamedAfterTheirLastComponent) {
    EXPECT_EQ(CUserSettings::SectionOfKey("Software\\Brantel\\Velmar\\DisabledGroups"),
              "DisabledGroups");
    EXPECT_EQ(CUserSettings::SectionOfKey("Plain"), "Plain");
}

TEST(UserSettings, PathFollowsTheEnvironment) {
    TempSettings settings;
    EXPECT_EQ(CUserSettings::GetPath(), settings.Path());
    ScopedEnv noSettings("VELLUM_SETTINGS", nullptr);
    ScopedEnv config("XDG_CONFIG_HOME", "/tmp/xdg");
    EXPECT_EQ(CUserSettings::GetPath(), "/tmp/xdg/vellum/settings.ini");
}

} // namespace
} // namespace vellum::test
