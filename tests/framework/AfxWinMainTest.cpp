// The main routine's answers that come before any window exists.

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "resources/resources.h"
#include "tests/framework/TestSupport.h"

namespace {

// Sets or clears environment variables for one test and restores them.
class ScopedEnvironment {
public:
    void Set(const char* name, const char* value) {
        const char* old = std::getenv(name);
        m_saved.push_back({name, old ? std::string(old) : std::string(), old != nullptr});
        if (value) setenv(name, value, 1);
        else unsetenv(name);
    }
    ~ScopedEnvironment() {
        for (auto it = m_saved.rbegin(); it != m_saved.rend(); ++it) {
            if (it->wasSet) setenv(it->name.c_str(), it->value.c_str(), 1);
            else unsetenv(it->name.c_str());
        }
    }

private:
    struct Saved {
        std::string name;
        std::string value;
        bool wasSet;
    };
    std::vector<Saved> m_saved;
};

int RunMain(std::vector<std::string> args) {
    std::vector<char*> argv;
    for (std::string& arg : args) argv.push_back(arg.data());
    argv.push_back(nullptr);
    return AfxWinMain(int(args.size()), argv.data());
}

TEST(AfxWinMain, VersionPrintsProductNameAndVersion) {
    brackwell::resources::Register();
    testing::internal::CaptureStdout();
    EXPECT_EQ(RunMain({"brackwell", "--version"}), 0);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Brackwell Application 1, 2, 0, 0\n");
}

TEST(AfxWinMain, HelpPrintsUsage) {
    testing::internal::CaptureStdout();
    EXPECT_EQ(RunMain({"/usr/bin/brackwell", "--help"}), 0);
    EXPECT_EQ(testing::internal::GetCapturedStdout().rfind("usage: brackwell ", 0), 0u);
}

TEST(AfxWinMain, NoDisplayIsOneLineNamingTheAlternatives) {
    ScopedEnvironment environment;
    environment.Set("QT_QPA_PLATFORM", "xcb");
    environment.Set("DISPLAY", nullptr);
    environment.Set("WAYLAND_DISPLAY", nullptr);
    testing::internal::CaptureStderr();
    EXPECT_NE(RunMain({"brackwell"}), 0);
    const std::string message = testing::internal::GetCapturedStderr();
    EXPECT_EQ(std::count(message.begin(), message.end(), '\n'), 1);
    for (const char* alternative : {"xvfb-run", "-platform offscreen", "-platform vnc"})
        EXPECT_NE(message.find(alternative), std::string::npos) << alternative;

    testing::internal::CaptureStderr();
    EXPECT_NE(RunMain({"brackwell", "-platform", "wayland"}), 0);
    EXPECT_FALSE(testing::internal::GetCapturedStderr().empty());
}

}  // namespace
