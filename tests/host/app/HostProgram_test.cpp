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
#include <iterator>
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "host/app/ComponentLibrary.h"
#include "host/app/ComponentLocator.h"
#include "host/app/HostWindow.h"
#include "platform/gdi/PngFile.h"
#include "tests/host/app/HostProgramFixture.h"
#include "tests/platform/kernel/TempDirectory.h"

namespace {

using namespace hosttest;

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

TEST_F(HostProgramTest, PresetsDemoSavesUnderATypedNameAndLoadsItBackThroughTheChooser) {
    const std::string script = std::string(KVX4_SOURCE_DIR) + "/demo/presets.kvx4script";
    RunResult run = Run("--headless --library '" KVX4_DLL_PATH "' --script '" + script + "'");
    EXPECT_EQ(run.exitCode, 0) << run.output;
    EXPECT_NE(run.output.find("Save Custom Effects"), std::string::npos) << run.output;
    EXPECT_NE(run.output.find("> Warm Vocal   (USER DEFINED PATCH)"), std::string::npos) << run.output;
    std::ifstream presets(directory_ / "windows" / "KVX4.ini");
    const std::string stored((std::istreambuf_iterator<char>(presets)), std::istreambuf_iterator<char>());
    EXPECT_NE(stored.find("Room 1="), std::string::npos) << stored;
    for (const char* shot : {"presets-save-dialog.png", "presets-chooser.png", "presets-loaded.png"})
        EXPECT_TRUE(IsPng(directory_ / shot)) << shot << "\n" << run.output;
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
    EXPECT_NE(run.output.find(script + ":2: cannot write screenshot /nonexistent/dir/shot.png: the system cannot find "
                                       "the path specified"),
              std::string::npos)
        << run.output;
}

TEST_F(HostProgramTest, UpStepsTheSelectedSliderAfterAClickOnEveryHostButton) {
    // The M slider selected, then each host button in turn (the editor button twice: hide, show).
    std::string script = Script(
        "wait 300\nclick 254 177\nkey Up\nexpect midFreq 65\n"
        "press clip\nkey Up\nexpect midFreq 66\n"
        "press presets\nkey Up\nexpect midFreq 67\n"
        "press cc\nkey Up\nexpect midFreq 68\n"
        "press editor\nwait 100\npress editor\nwait 100\nkey Up\nexpect midFreq 69\n");
    RunResult run = Run("--headless --library '" KVX4_DLL_PATH "' --script '" + script + "'");
    EXPECT_EQ(run.exitCode, 0) << run.output;
}

TEST_F(HostProgramTest, ScriptChecksReachTheRealEditorAndFailWithTheirLine) {
    // An edit, checked by its value and its call; the component object made again; the slot unbound
    // and bound; and a last check that fails.
    std::string script = Script(
        "wait 300\n"
        "automate lowFreq 1 2 7\n"
        "refresh-automation\n"
        "expect-call RefreshAutomation(lowFreq)\n"
        "click 229 177\nkey Up\nexpect lowFreq 65\n"
        "editor destroy\n"
        "expect lowFreq 65\n"
        "editor create\nwait 300\n"
        "seteffect none\nseteffect slot\nwait 300\n"
        "click 229 177\nkey Up\nexpect lowFreq 66\n"
        "dump\n"
        "print midFreq\n"
        "expect midFreq 1\n"
        "print effect\n");
    RunResult run = Run("--headless --library '" KVX4_DLL_PATH "' --script '" + script + "'");
    EXPECT_EQ(run.exitCode, 1) << run.output;
    EXPECT_NE(run.output.find("\"lowFreq\":66,"), std::string::npos) << run.output;
    EXPECT_NE(run.output.find("{\"field\":\"lowFreq\",\"port\":1,\"channel\":2,\"controller\":7}"), std::string::npos)
        << run.output;
    EXPECT_NE(run.output.find("midFreq = 64\n"), std::string::npos) << run.output;
    EXPECT_NE(run.output.find(script + ":20: expected midFreq = 1, found 64"), std::string::npos) << run.output;
    EXPECT_EQ(run.output.find("effect = "), std::string::npos) << run.output;
}

TEST_F(HostProgramTest, ScriptsThatCannotBeReadSayWhy) {
    RunResult folder = Run("--headless --library '" KVX4_DLL_PATH "' --script '" + directory_.string() + "'");
    EXPECT_EQ(folder.exitCode, 2);
    EXPECT_NE(folder.output.find("cannot read script " + directory_.string() + ": it is a folder"), std::string::npos)
        << folder.output;
    RunResult missing = Run("--headless --script nowhere.kvx4script");
    EXPECT_EQ(missing.exitCode, 2);
    EXPECT_NE(missing.output.find("cannot read script nowhere.kvx4script: there is no such file"), std::string::npos)
        << missing.output;
}

TEST_F(HostProgramTest, RegisterWithListRegistersFirstAndAnUnwritableStoreIsNamedWithItsReason) {
    RunResult listed = Run("--register --list");
    EXPECT_EQ(listed.exitCode, 0) << listed.output;
    EXPECT_NE(listed.output.find("registered \""), std::string::npos) << listed.output;
    EXPECT_NE(listed.output.find(std::string(kComponentDisplayName) + " = " +
                                 CanonicalPath(std::string(KVX4_BIN_DIR) + "/KVX4.dll")),
              std::string::npos)
        << listed.output;

    // A registry folder that cannot be made (a file is in the way), as root can meet it too.
    std::ofstream(directory_ / "blocked") << "a file";
    setenv("KVX4_REGISTRY_DIR", (directory_ / "blocked" / "registry").c_str(), 1);
    RunResult blocked = Run("--register --headless");
    EXPECT_EQ(blocked.exitCode, 1);
    EXPECT_NE(blocked.output.find("cannot register the component: cannot write the registry store " +
                                  (directory_ / "blocked" / "registry" / "HKEY_CURRENT_USER.reg").string() + ": "),
              std::string::npos)
        << blocked.output;
    EXPECT_NE(blocked.output.find("KVX4_REGISTRY_DIR"), std::string::npos) << blocked.output;
}

TEST_F(HostProgramTest, ARegistryFileOfRandomBytesIsReportedAndKeptAsItIs) {
    fs::create_directories(directory_ / "registry");
    const fs::path store = directory_ / "registry" / "HKEY_CURRENT_USER.reg";
    std::string junk;
    for (int i = 0; i < 2000; ++i) junk.push_back(static_cast<char>((i * 7919 + 13) % 251));
    std::ofstream(store, std::ios::binary) << junk;
    for (const char* arguments : {"--register --headless", "--list", "--headless"}) {
        RunResult run = Run(arguments);
        EXPECT_EQ(run.exitCode, 1) << arguments;
        EXPECT_NE(run.output.find("the registry store " + store.string() + " holds no registry data"), std::string::npos)
            << arguments << "\n" << run.output;
        std::ifstream file(store, std::ios::binary);
        EXPECT_EQ(std::string(std::istreambuf_iterator<char>(file), {}), junk) << arguments;
    }
}

TEST_F(HostProgramTest, HelpButtonWithoutAnOpenerTellsWhereTheHelpDocumentIs) {
    std::string script = Script("wait 300\nclick 545 14\nwait 100\n");
    RunResult run = Run("--headless --library '" KVX4_DLL_PATH "' --script '" + script + "'", "PATH=/nonexistent ");
    EXPECT_EQ(run.exitCode, 0) << run.output;
    EXPECT_NE(run.output.find("no desktop opener (xdg-open) could be started to show " +
                              CanonicalPath(std::string(KVX4_BIN_DIR) + "/kvx4.hlp")),
              std::string::npos)
        << run.output;
}

TEST_F(HostProgramTest, VersionAndOutputThatArrivesLineByLineInAPipe) {
    RunResult version = Run("--version");
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(version.output.rfind("kvx4-host (KVX4) 1.", 0), 0u) << version.output;
    // Block-buffered output would put every stdout line after the stderr one; line-buffered keeps
    // the order in which things happened.
    std::string script = Script("wait 10\nprint lowFreq\nexpect lowFreq 1\n");
    RunResult run = Run("--headless --library '" KVX4_DLL_PATH "' --script '" + script + "'");
    const size_t printed = run.output.find("lowFreq = 64"), failed = run.output.find("expected lowFreq = 1");
    ASSERT_NE(printed, std::string::npos) << run.output;
    ASSERT_NE(failed, std::string::npos) << run.output;
    EXPECT_LT(run.output.find("loaded "), printed) << run.output;
    EXPECT_LT(printed, failed) << run.output;
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
