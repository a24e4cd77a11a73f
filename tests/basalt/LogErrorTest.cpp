#include "support/Files.h"

#include <vellum/basalt/LogError.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

namespace vellum::test {
namespace {

class LogError : public ::testing::Test {
protected:
    LogError()
        : m_dir(std::filesystem::path(::testing::TempDir()) /
                (std::string("vellum-log-") +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name())),
          m_log((m_dir / "error.log").string()), m_env("VELLUM_LOG", m_log.c_str()) {
        std::filesystem::remove_all(m_dir);
        std::filesystem::create_directories(m_dir);
    }
    ~LogError() override { std::filesystem::remove_all(m_dir); }

    static std::vector<std::string> Lines(const std::filesystem::path& path) {
        std::vector<std::string> lines;
        std::istringstream in(ReadFileBytes(path.string()));
        for (std::string line; std::getline(in, line);)
            lines.push_back(line);
        return lines;
    }

    std::filesystem::path m_dir;
    std::string m_log;
    ScopedEnv m_env;
};

const std::regex kLine(R"((\d{4}-\d\d-\d\dT\d\d:\d\d:\d\d)([+-]\d\d:\d\d)\t([^\t]*)\t([^\t]*))"
                       R"(\t([^\t]*)\t([^\t]*))");

TEST_F(LogError, AppendsOneWellFormedLinePerErrorThatTextsCannotBreak) {
    WriteLogError(17000, ".\\Graphics\\GrItmlst", 1685, "Tue Mar 04 10:12:00 1997");
    WriteLogError(3, "tab\there\nnew\rline", 4,
                  "\x1b"
                  "esc\x7f");
    WriteLogError(5, nullptr, 6, "");
    EXPECT_EQ(ReadFileBytes(m_log).back(), '\n');
    const std::vector<std::string> lines = Lines(m_log);
    ASSERT_EQ(lines.size(), 3u);
    std::smatch fields;
    ASSERT_TRUE(std::regex_match(lines[0], fields, kLine)) << lines[0];
    EXPECT_EQ(fields[3], "17000");
    EXPECT_EQ(fields[4], ".\\Graphics\\GrItmlst");
    EXPECT_EQ(fields[5], "1685");
    EXPECT_EQ(fields[6], "Tue Mar 04 10:12:00 1997");
    ASSERT_TRUE(std::regex_match(lines[1], fields, kLine)) << lines[1];
    EXPECT_EQ(fields[4], "tab here new line");
    EXPECT_EQ(fields[6], " esc ");
    ASSERT_TRUE(std::regex_match(lines[2], fields, kLine)) << lines[2];
    EXPECT_EQ(fields[4], "-");
    EXPECT_EQ(fields[6], "-");
}

TEST_F(LogError, FallsBackToTheStateFoldersAndCreatesThem) {
    ScopedEnv log("VELLUM_LOG", nullptr);
    const std::filesystem::path state = m_dir / "state";
    {
        ScopedEnv xdg("XDG_STATE_HOME", state.string().c_str());
        EXPECT_EQ(GetErrorLogPath(), (state / "vellum" / "error.log").string());
        WriteLogError(9, "y.cpp", 10, "t");
        EXPECT_EQ(Lines(state / "vellum" / "error.log").size(), 1u);
    }
    const std::filesystem::path home = m_dir / "home";
    ScopedEnv xdg("XDG_STATE_HOME", nullptr);
    ScopedEnv homeEnv("HOME", home.string().c_str());
    const std::filesystem::path expected = home / ".local" / "state" / "vellum" / "error.log";
    EXPECT_EQ(GetErrorLogPath(), expected.string());
    WriteLogError(11, "z.cpp", 12, "u");
    EXPECT_EQ(Lines(expected).size(), 1u);
    // An empty variable counts as unset.
    ScopedEnv emptyLog("VELLUM_LOG", "");
    ScopedEnv emptyState("XDG_STATE_HOME", "");
    EXPECT_EQ(GetErrorLogPath(), expected.string());
}

TEST_F(LogError, UnwritableLogIsLeftOutQuietly) {
    // The log's folder would have to be where a file already is.
    const std::filesystem::path blocker = m_dir / "blocker";
    std::ofstream(blocker, std::ios::binary) << "keep";
    ScopedEnv log("VELLUM_LOG", (blocker / "error.log").string().c_str());
    WriteLogError(13, "w.cpp", 14, "v");
    EXPECT_TRUE(std::filesystem::is_regular_file(blocker));
    EXPECT_EQ(ReadFileBytes(blocker.string()), "keep");
    EXPECT_FALSE(std::filesystem::exists(m_log));
}

} // namespace
} // namespace vellum::test
