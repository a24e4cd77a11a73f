#pragma once
// Points the per-user settings at a fresh temporary file for the life of a test.

#include "support/Files.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include <gtest/gtest.h>

namespace vellum::test {

class TempSettings {
public:
    TempSettings() {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        m_path = ::testing::TempDir() + "vellum-settings-" + info->test_suite_name() + "-" +
                 info->name() + ".ini";
        std::remove(m_path.c_str());
        setenv("VELLUM_SETTINGS", m_path.c_str(), 1);
    }
    ~TempSettings() {
        std::remove(m_path.c_str());
        unsetenv("VELLUM_SETTINGS");
    }
    TempSettings(const TempSettings&) = delete;
    TempSettings& operator=(const TempSettings&) = delete;

    const std::string& Path() const { return m_path; }
    std::string Contents() const { return ReadFileBytes(m_path); }
    void Write(const std::string& text) const {
        std::ofstream out(m_path, std::ios::binary | std::ios::trunc);
        out << text;
    }

private:
    std::string m_path;
};

} // namespace vellum::test
