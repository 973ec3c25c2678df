// The host program as a user runs it: headless, against the built component, with scripts, a
// private registry store and the failures a user meets first. Each run takes a fraction of a
// second on the virtual clock.
#include <stdio.h>
#include <stdlib.h>
#include <sys/wait.h>

#include <filesystem>
#include <fstream>
#include <string>

#include <gtest/gtest.h>

#include "host/app/ComponentLibrary.h"
#include "host/app/ComponentLocator.h"
#include "host/app/HostWindow.h"
#include "platform/gdi/PngFile.h"

namespace {

namespace fs = std::filesystem;

const std::string kHost = std::string(KVX4_BIN_DIR) + "/kvx4-host";

struct RunResult {
    int exitCode = -1;
    std::string output;  // stdout and stderr together
};

class HostProgramTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!fs::exists(kHost)) GTEST_SKIP() << kHost << " is not built";
        std::string pattern = (fs::temp_directory_path() / "kvx4-host-run-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        directory_ = pattern;
        setenv("KVX4_REGISTRY_DIR", (directory_ / "registry").c_str(), 1);
        setenv("KVX4_WINDOWS_DIR", (directory_ / "windows").c_str(), 1);
    }
    void TearDown() override {
        unsetenv("KVX4_REGISTRY_DIR");
        unsetenv("KVX4_WINDOWS_DIR");
        if (!directory_.empty()) fs::remove_all(directory_);
    }

    RunResult Run(const std::string& arguments, const std::string& environment = "") {
        std::string command = "cd '" + directory_.string() + "' && " + environment + "'" + kHost + "' " + arguments + " 2>&1";
        RunResult result;
        FILE* pipe = popen(command.c_str(), "r");
        if (!pipe) return result;
        char buffer[4096];
        size_t n;
        while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) result.output.append(buffer, n);
        int status = pclose(pipe);
        result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        return result;
    }

    std::string Script(const std::string& text) {
        fs::path path = directory_ / "test.kvx4script";
        std::ofstream(path) << text;
        return path.string();
    }

    static bool IsPng(const fs::path& path) {
        std::ifstream file(path, std::ios::binary);
        char signature[8] = {};
        file.read(signature, 8);
        return file && std::string(signature, 8) == "\x89PNG\r\n\x1a\n";
    }

    fs::path directory_;
};

TEST_F(HostProgramTest, HeadlessScriptRunsAgainstTheBuiltComponentAndSavesScreenshots) {
    std::string script = Script(
        "wait 400\n"
        "automate lowFreq 1 2 7\n"
        "cc 1 2 7 99\n"
        "set effect 12\n"
        "press clip\n"
        "click 229 177\n"
        "key Up\n"
        "screenshot middle.png\n"
        "wait 400\n");
    RunResult run = Run("--headless --library '" KVX4_DLL_PATH "' --script '" + script + "' --screenshot end.png");
    EXPECT_EQ(run.exitCode, 0) << run.output;
    EXPECT_TRUE(IsPng(directory_ / "middle.png")) << run.output;
    EXPECT_TRUE(IsPng(directory_ / "end.png")) << run.output;
    EXPECT_NE(run.output.find("script ran 9 commands"), std::string::npos) << run.output;
    EXPECT_NE(run.output.find("screenshot written to " + (directory_ / "end.png").string()), std::string::npos)
        << run.output;
}

TEST_F(HostProgramTest, AutomationDemoAssignsAControllerThroughTheDialogAndPlaysIt) {
    const std::string script = std::string(KVX4_SOURCE_DIR) + "/demo/automation.kvx4script";
    RunResult run = Run("--headless --calls --library '" KVX4_DLL_PATH "' --script '" + script + "'");
    EXPECT_EQ(run.exitCode, 0) << run.output;
    EXPECT_NE(run.output.find("MIDI Automation Configuration"), std::string::npos) << run.output;
    EXPECT_NE(run.output.find("IsAutomated(lowFreq)"), std::string::npos) << run.output;
    EXPECT_NE(run.output.find("AddAutomation(lowFreq,1,2,7)"), std::string::npos) << run.output;
    EXPECT_TRUE(IsPng(directory_ / "automation-dialog.png")) << run.output;
    EXPECT_TRUE(IsPng(directory_ / "automation-played.png")) << run.output;
}

TEST_F(HostProgramTest, BadScriptStopsBeforeLoadingAndNamesEveryBadLine) {
    std::string script = Script("wait 10\nclik 1 2\nset lowFreq 300\n");
    RunResult run = Run("--headless --library '" KVX4_DLL_PATH "' --script '" + script + "'");
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_NE(run.output.find(script + ":2: unknown command 'clik'"), std::string::npos) << run.output;
    EXPECT_NE(run.output.find(script + ":3: lowFreq must be 0..255"), std::string::npos) << run.output;
    EXPECT_EQ(run.output.find("loaded"), std::string::npos) << run.output;
}

TEST_F(HostProgramTest, UnregisteredComponentAsksForRegistration) {
    RunResult run = Run("--headless");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.output.find("--register"), std::string::npos) << run.output;
}

TEST_F(HostProgramTest, RegisterWritesTheLibraryBesideTheProgramAndLoadsItFromTheRegistry) {
    RunResult run = Run("--headless --register --script '" + Script("wait 10\n") + "'");
    ASSERT_EQ(run.exitCode, 0) << run.output;
    LocatedComponent located = FindRegisteredComponent();
    ASSERT_TRUE(located.Found()) << located.error;
    EXPECT_EQ(located.path, CanonicalPath(std::string(KVX4_BIN_DIR) + "/KVX4.dll"));
    EXPECT_NE(run.output.find("loaded " + located.path), std::string::npos) << run.output;

    // A second run finds it without registering again.
    EXPECT_EQ(Run("--headless --script '" + Script("quit\n") + "'").exitCode, 0);
    EXPECT_EQ(ListRegisteredEffects().size(), 1u);
}

TEST_F(HostProgramTest, LibraryProblemsAreReportedClearly) {
    RunResult missing = Run("--headless --library /nonexistent/KVX4.dll");
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_NE(missing.output.find("component library not found: /nonexistent/KVX4.dll"), std::string::npos)
        << missing.output;

    std::ofstream(directory_ / "junk.dll") << "not an ELF object";
    RunResult junk = Run("--headless --library junk.dll");
    EXPECT_EQ(junk.exitCode, 1);
    EXPECT_NE(junk.output.find("cannot load junk.dll: "), std::string::npos) << junk.output;

    RunResult noFactory = Run("--headless --library '" KVX4_BIN_DIR "/libkvx4hostlib.so'");
    EXPECT_EQ(noFactory.exitCode, 1);
    EXPECT_NE(noFactory.output.find("does not export CRVGetComponentInterface"), std::string::npos)
        << noFactory.output;
}

TEST_F(HostProgramTest, FailingScriptCommandEndsTheRunWithItsLine) {
    std::string script = Script("wait 10\nscreenshot /nonexistent/dir/shot.png\nwait 10\n");
    RunResult run = Run("--headless --library '" KVX4_DLL_PATH "' --script '" + script + "'");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.output.find(script + ":2: cannot write screenshot /nonexistent/dir/shot.png"), std::string::npos)
        << run.output;
}

TEST_F(HostProgramTest, HeadlessScreenshotsHonourTheScale) {
    std::string script = Script("screenshot middle.png\n");
    RunResult run = Run("--headless --scale 2 --library '" KVX4_DLL_PATH "' --script '" + script + "' --screenshot end.png");
    ASSERT_EQ(run.exitCode, 0) << run.output;
    auto middle = win::ReadPng((directory_ / "middle.png").string());
    auto end = win::ReadPng((directory_ / "end.png").string());
    ASSERT_TRUE(middle && end) << run.output;
    const win::Size host = HostWindow::OuterSize();
    EXPECT_EQ(middle->Width(), 2 * host.cx);
    EXPECT_EQ(middle->Height(), 2 * host.cy);
    EXPECT_EQ(end->Width(), 2 * host.cx);
}

TEST_F(HostProgramTest, ADisplayThatIsNotThereSaysWhyAndRunsHeadless) {
    // SDL falls back to its off-screen driver here, which shows nothing to anyone. (Under
    // AddressSanitizer the leak checker stays off: SDL's video start-up keeps memory for good.)
    const std::string sanitizer = "ASAN_OPTIONS=detect_leaks=0 ";
    RunResult run = Run("--library '" KVX4_DLL_PATH "' --script '" + Script("wait 10\n") + "'",
                        "env -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER DISPLAY=:97 " + sanitizer);
    EXPECT_EQ(run.exitCode, 0) << run.output;
    EXPECT_NE(run.output.find("no window on DISPLAY=:97: "), std::string::npos) << run.output;
    EXPECT_NE(run.output.find("; running headless"), std::string::npos) << run.output;
    EXPECT_NE(run.output.find("script ran 1 commands"), std::string::npos) << run.output;
    EXPECT_EQ(run.output.find("window open"), std::string::npos) << run.output;
    // A driver that is asked for by name and shows nothing counts as no display too.
    run = Run("--library '" KVX4_DLL_PATH "' --script '" + Script("wait 10\n") + "'",
              "env -u WAYLAND_DISPLAY SDL_VIDEODRIVER=offscreen DISPLAY=:97 " + sanitizer);
    EXPECT_EQ(run.exitCode, 0) << run.output;
    EXPECT_NE(run.output.find("\"offscreen\" video driver"), std::string::npos) << run.output;
}

TEST_F(HostProgramTest, BadCommandLineExitsWithUsageError) {
    RunResult run = Run("--scale 0");
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_NE(run.output.find("--scale"), std::string::npos);
    EXPECT_EQ(Run("--help").exitCode, 0);
}

}  // namespace
