// The host program as a user runs it: headless, against the built component, with scripts, a
// private registry store and the failures a user meets first. Each run takes a fraction of a
// second on the virtual clock.
#include <stdio.h>
#include <stdlib.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "host/app/ComponentLibrary.h"
#include "host/app/ComponentLocator.h"
#include "tests/platform/kernel/TempDirectory.h"

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

    RunResult Run(const std::string& arguments) {
        std::string command = "cd '" + directory_.string() + "' && '" + kHost + "' " + arguments + " 2>&1";
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

TEST_F(HostProgramTest, BadCommandLineExitsWithUsageError) {
    RunResult run = Run("--scale 0");
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_NE(run.output.find("--scale"), std::string::npos);
    EXPECT_EQ(Run("--help").exitCode, 0);
}

TEST_F(HostProgramTest, ADamagedSessionIsReportedSetAsideAndNotOverwritten) {
    const std::string session = (directory_ / "session.kvx4session").string();
    win::test::WriteBytes(session, "effect 12\n");
    RunResult run = Run("--headless --library '" KVX4_DLL_PATH "' --session '" + session + "' --script '" + Script("wait 10\n") + "'");
    ASSERT_EQ(run.exitCode, 0) << run.output;
    EXPECT_NE(run.output.find("the session " + session + " is damaged (line 1: not a kvx4-host session"), std::string::npos)
        << run.output;
    EXPECT_EQ(win::test::ReadBytes(session + ".damaged"), "effect 12\n");
    EXPECT_NE(win::test::ReadBytes(session).find("kvx4-session 1\n"), std::string::npos);
}

TEST_F(HostProgramTest, AHeadlessRunKeepsNoSessionUnlessGivenOne) {
    win::test::ScopedEnvironment home("HOME", (directory_ / "home").c_str());
    win::test::ScopedEnvironment state("XDG_STATE_HOME", nullptr);
    RunResult run = Run("--headless --library '" KVX4_DLL_PATH "' --script '" + Script("set effect 1\n") + "'");
    ASSERT_EQ(run.exitCode, 0) << run.output;
    EXPECT_EQ(run.output.find("new session"), std::string::npos) << run.output;
    EXPECT_EQ(run.output.find("session saved"), std::string::npos) << run.output;
    EXPECT_FALSE(fs::exists(directory_ / "home/.local/state"));
    EXPECT_EQ(Run("--session a --no-session").exitCode, 2);
}

TEST_F(HostProgramTest, WithoutAMidiSystemTheHostSaysSoOnceAndRunsOn) {
    if (fs::exists("/dev/snd/seq")) GTEST_SKIP() << "this machine has an ALSA sequencer; the test needs one without";
    RunResult run = Run("--headless --library '" KVX4_DLL_PATH "' --midi-in Keyboard --script '" +
                        Script("cc 0 0 1 2\n") + "'");
    EXPECT_EQ(run.exitCode, 0) << run.output;
    const std::size_t said = run.output.find("no MIDI input (cannot open the ALSA sequencer: ");
    EXPECT_NE(said, std::string::npos) << run.output;
    EXPECT_EQ(run.output.find("MIDI", run.output.find('\n', said)), std::string::npos) << "said more than once:\n" << run.output;
    EXPECT_NE(run.output.find("script ran 1 commands"), std::string::npos) << run.output;
}

// A real window on a private X server: the defaults a user meets (a session under the XDG state
// folder, MIDI ports opened) and a session that survives a restart.
class HostProgramInWindowTest : public HostProgramTest {
protected:
    void SetUp() override {
        HostProgramTest::SetUp();
        if (IsSkipped()) return;
        if (system("command -v Xvfb >/dev/null 2>&1") != 0) GTEST_SKIP() << "Xvfb is not installed (scripts/install-deps installs it)";
        int pipeEnds[2];
        ASSERT_EQ(pipe(pipeEnds), 0);
        server_ = fork();
        ASSERT_GE(server_, 0);
        if (server_ == 0) {
            close(pipeEnds[0]);
            const std::string fd = std::to_string(pipeEnds[1]);
            execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1280x1024x24", "-nolisten", "tcp",
                   static_cast<char*>(nullptr));
            _exit(127);
        }
        close(pipeEnds[1]);
        FILE* reader = fdopen(pipeEnds[0], "r");
        int display = -1;
        const bool started = fscanf(reader, "%d", &display) == 1;
        fclose(reader);
        ASSERT_TRUE(started) << "Xvfb did not start";
        display_ = std::make_unique<win::test::ScopedEnvironment>("DISPLAY", (":" + std::to_string(display)).c_str());
        wayland_ = std::make_unique<win::test::ScopedEnvironment>("WAYLAND_DISPLAY", nullptr);
        state_ = std::make_unique<win::test::ScopedEnvironment>("XDG_STATE_HOME", (directory_ / "state").c_str());
        // Under AddressSanitizer: X11 and SDL keep allocations for the life of the process. The
        // headless runs check the host's own code for leaks.
        const char* asan = getenv("ASAN_OPTIONS");
        asan_ = std::make_unique<win::test::ScopedEnvironment>(
            "ASAN_OPTIONS", ((asan ? std::string(asan) + ":" : std::string()) + "detect_leaks=0").c_str());
    }
    void TearDown() override {
        if (server_ > 0) {
            kill(server_, SIGTERM);
            waitpid(server_, nullptr, 0);
        }
        asan_.reset();
        state_.reset();
        wayland_.reset();
        display_.reset();
        HostProgramTest::TearDown();
    }

    pid_t server_ = -1;
    std::unique_ptr<win::test::ScopedEnvironment> display_, wayland_, state_, asan_;
};

TEST_F(HostProgramInWindowTest, TheSessionSurvivesARestartOfTheWindowedHost) {
    const std::string session = (directory_ / "state/kvx4/session.kvx4session").string();
    const std::string host = "--library '" KVX4_DLL_PATH "' --script ";
    RunResult first = Run(host + "'" + Script("automate midFreq 2 3 4\nset optionFlags 0x20\nquit\n") + "'");
    ASSERT_EQ(first.exitCode, 0) << first.output;
    ASSERT_NE(first.output.find("window open"), std::string::npos) << first.output;
    EXPECT_NE(first.output.find("session saved to " + session), std::string::npos) << first.output;
    if (!fs::exists("/dev/snd/seq"))
        EXPECT_NE(first.output.find("no MIDI input (cannot open the ALSA sequencer"), std::string::npos) << first.output;

    // The restored registration takes the controller, and stays out of the editor's call log.
    RunResult second = Run("--calls " + host + "'" + Script("cc 2 3 4 11\nquit\n") + "'");
    ASSERT_EQ(second.exitCode, 0) << second.output;
    EXPECT_NE(second.output.find("session restored from " + session), std::string::npos) << second.output;
    EXPECT_EQ(second.output.find("AddAutomation"), std::string::npos) << second.output;
    const std::string saved = win::test::ReadBytes(session);
    for (const char* line : {"\nmidFreq 11\n", "\noptionFlags 32\n", "\nautomate midFreq 2 3 4\n"})
        EXPECT_NE(saved.find(line), std::string::npos) << line << " missing from:\n" << saved;

    // --no-session starts fresh and leaves the file alone.
    RunResult fresh = Run("--no-session " + host + "'" + Script("cc 2 3 4 50\nquit\n") + "'");
    ASSERT_EQ(fresh.exitCode, 0) << fresh.output;
    EXPECT_EQ(win::test::ReadBytes(session), saved);
}

}  // namespace
