#pragma once
// The per-user settings store: the host application's profile (sections and entries, such as
// "UserGraphics" / "DefaultColor") and the registry keys of the current user, kept together in
// one INI file. A registry key is a profile section named after the key's last component, so
// "Software\Brantel\Velmar\DisabledGroups" and the section "DisabledGroups" are the same.
//
// The file is $VELLUM_SETTINGS when set, else $XDG_CONFIG_HOME/vellum/settings.ini, else
// ~/.config/vellum/settings.ini. It is read on every call and written back whole (through a
// temporary file and a rename), so separate processes and tests see each other's changes.
// Section and entry names compare without regard to ASCII case, as the framework's do.

#include <vellum/platform/String.h>
#include <vellum/platform/Types.h>

#include <string>

namespace vellum {

class CUserSettings {
public:
    static std::string GetPath();

    // The value of the entry, or def when the section or entry does not exist.
    static CString GetProfileString(const char* section, const char* entry, const char* def = "");
    // The entry read as an integer (optional sign and leading digits, as atoi reads it), or
    // def when it does not exist.
    static int GetProfileInt(const char* section, const char* entry, int def);
    // Writes the entry, creating the file, section and entry as needed; a null value removes
    // the entry. FALSE when the file cannot be written.
    static BOOL WriteProfileString(const char* section, const char* entry, const char* value);
    static BOOL WriteProfileInt(const char* section, const char* entry, int value);
    // Removes a whole section; FALSE when the file cannot be written.
    static BOOL DeleteSection(const char* section);

    // The profile section that stands for a registry key: its last component.
    static CString SectionOfKey(const char* key);
};

} // namespace vellum
