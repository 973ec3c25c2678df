// The session file: what a slot keeps across runs, read back exactly; a damaged file set aside
// and reported, never read in part or overwritten; where the file lives.
#include <gtest/gtest.h>

#include <filesystem>

#include "host/app/SessionFile.h"
#include "tests/platform/kernel/TempDirectory.h"

namespace {

using win::test::ReadBytes;
using win::test::WriteBytes;

SessionState SomeSession() {
    CEffectsPlugin slot;
    const unsigned long values[] = {12, 0, 64, 127, 5, 3, 0x60, 0x10, 1, 1};
    for (std::size_t i = 0; i < SessionState::kFieldCount; ++i) SetFieldFromHost(slot, static_cast<BlockField>(i), values[i]);
    tagEffectParams* block = slot.GetInterface();
    slot.AddAutomation(&block->midCutoff, 3, 15, 127);
    slot.AddAutomation(&block->effect, 0, 0, 0);
    return CaptureSession(slot);
}

TEST(SessionFileTest, ASlotCapturedFormattedAndParsedComesBackWhole) {
    const SessionState state = SomeSession();
    EXPECT_EQ(state.Value(BlockField::OptionFlags), 0x60u);
    EXPECT_EQ(state.Value(BlockField::Bypass), 1u);
    ASSERT_EQ(state.registrations.size(), 2u);
    EXPECT_EQ(state.registrations[0], (SessionState::Registration{BlockField::Effect, 0, 0, 0}));
    std::string error;
    const auto parsed = ParseSession(FormatSession(state), &error);
    ASSERT_TRUE(parsed) << error;
    EXPECT_EQ(*parsed, state);
    // Written by hand in another order, with Windows line ends and comments, it reads the same.
    std::string text = FormatSession(state);
    const std::size_t automations = text.find("automate");
    text = "# mine\r\n" + text.substr(0, automations) + "automate midCutoff 3 15 127\r\n  automate effect 0 0 0\n";
    const auto reordered = ParseSession(text, &error);
    ASSERT_TRUE(reordered) << error;
    EXPECT_EQ(*reordered, state);
}

TEST(SessionFileTest, AnythingButAWholeSessionIsDamagedWithTheLineThatSaysWhy) {
    const std::string good = FormatSession(SomeSession());
    auto replace = [&](const std::string& from, const std::string& to) {
        std::string text = good;
        text.replace(text.find(from), from.size(), to);
        return text;
    };
    const struct {
        std::string text, error;
    } cases[] = {
        {"", "empty"},
        {"kvx4-session 2\n", "line 1: not a kvx4-host session"},
        {replace("kvx4-session 1", "kvx4-session 1 x"), "line 2: not a kvx4-host session"},
        {replace("effect 12", "effect 256"), "line 3: effect must be 0..255"},
        {replace("bypass 1", "bypass 2"), "bypass must be 0..1"},
        {replace("statusFlags 16", "statusFlags 4294967296"), "statusFlags must be 0..4294967295"},
        {replace("effect 12", "lowFreq 3"), "line 4: lowFreq appears twice"},
        {replace("effect 12", "volume 3"), "line 3: unknown line \"volume\""},
        {replace("effect 12\n", ""), "effect is missing"},
        {replace("automate effect 0 0 0", "automate effect 4 0 0"), "automate takes port 0..3"},
        {replace("automate effect 0 0 0", "automate effect 0 0"), "automate needs a field"},
        {replace("automate effect 0 0 0", "automate bypass 0 0 0"), "bypass cannot be automated"},
        {replace("automate effect 0 0 0", "automate midCutoff 0 0 0"), "midCutoff is automated twice"},
        {replace("effect 12", std::string("effect 1\0", 9) + "2"), "line 3: a NUL byte"},
    };
    for (const auto& c : cases) {
        std::string error;
        EXPECT_FALSE(ParseSession(c.text, &error)) << c.text;
        EXPECT_NE(error.find(c.error), std::string::npos) << "got \"" << error << "\" for:\n" << c.text;
    }
}

class SessionStoreTest : public ::testing::Test {
protected:
    win::test::TempDirectory directory;
    const std::string path = directory / "state/kvx4/session.kvx4session";
};

TEST_F(SessionStoreTest, SavedIntoAFolderMadeForItAndRestoredFromThere) {
    EXPECT_EQ(LoadSessionFile(path).outcome, SessionLoad::Outcome::Missing);
    std::string error;
    ASSERT_TRUE(SaveSessionFile(path, SomeSession(), &error)) << error;
    const SessionLoad load = LoadSessionFile(path);
    ASSERT_EQ(load.outcome, SessionLoad::Outcome::Restored) << load.message;
    EXPECT_EQ(load.state, SomeSession());
    EXPECT_EQ(win::test::CountEntries(directory / "state/kvx4"), 1) << "a temporary file was left behind";
}

TEST_F(SessionStoreTest, ADamagedFileIsSetAsideUnderAFreeNameByteForByteAndReported) {
    const std::string damaged = "kvx4-session 1\neffect 300\n";
    WriteBytes(path, damaged);
    WriteBytes(path + ".damaged", "an older one");
    const SessionLoad load = LoadSessionFile(path);
    EXPECT_EQ(load.outcome, SessionLoad::Outcome::SetAside);
    EXPECT_FALSE(std::filesystem::exists(path));
    EXPECT_EQ(ReadBytes(path + ".damaged-2"), damaged);
    EXPECT_EQ(ReadBytes(path + ".damaged"), "an older one");
    EXPECT_NE(load.message.find(path), std::string::npos) << load.message;
    EXPECT_NE(load.message.find("line 2: effect must be 0..255"), std::string::npos) << load.message;
    EXPECT_NE(load.message.find(path + ".damaged-2"), std::string::npos) << load.message;

    // Too large to be a session: set aside without being read.
    WriteBytes(path, std::string(kSessionFileLimit + 1, '#'));
    EXPECT_EQ(LoadSessionFile(path).outcome, SessionLoad::Outcome::SetAside);
    EXPECT_EQ(std::filesystem::file_size(path + ".damaged-3"), kSessionFileLimit + 1);
    WriteBytes(path, std::string(kSessionFileLimit, '#'));
    EXPECT_NE(LoadSessionFile(path).message.find("empty"), std::string::npos) << "a file at the limit is read";
}

TEST_F(SessionStoreTest, SomethingThatIsNoFileIsLeftAloneAndNotSavedOver) {
    std::filesystem::create_directories(path);
    const SessionLoad load = LoadSessionFile(path);
    EXPECT_EQ(load.outcome, SessionLoad::Outcome::Unreadable);
    EXPECT_NE(load.message.find("cannot read the session " + path), std::string::npos) << load.message;
    EXPECT_TRUE(std::filesystem::is_directory(path));
    std::string error;
    EXPECT_FALSE(SaveSessionFile(path, SomeSession(), &error));
    EXPECT_NE(error.find("cannot save the session " + path + ": "), std::string::npos) << error;
}

TEST(SessionPathTest, FollowsXdgStateHomeWhenAbsoluteElseHome) {
    win::test::ScopedEnvironment home("HOME", "/home/u");
    {
        win::test::ScopedEnvironment state("XDG_STATE_HOME", "/s");
        EXPECT_EQ(DefaultSessionPath(), "/s/kvx4/session.kvx4session");
    }
    win::test::ScopedEnvironment state("XDG_STATE_HOME", "relative");
    EXPECT_EQ(DefaultSessionPath(), "/home/u/.local/state/kvx4/session.kvx4session");
}

}  // namespace
