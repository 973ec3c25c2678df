// The host's session file under failing system calls: a save lands whole or reports the path and
// the reason with the old file byte for byte; a file that cannot be read or set aside stays where
// it is and is not saved over.
#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>

#include "host/app/SessionFile.h"
#include "tests/faults/FileFaults.h"
#include "tests/platform/kernel/TempDirectory.h"

namespace {

using faults::Call;
using win::test::ReadBytes;
using win::test::WriteBytes;

SessionState Session(unsigned long effect) {
    SessionState state;
    state.Value(BlockField::Effect) = effect;
    state.registrations.push_back({BlockField::LowFreq, 1, 2, 7});
    return state;
}

class SessionFaults : public ::testing::Test {
protected:
    win::test::TempDirectory directory;
    const std::string path = directory / "session.kvx4session";
};

TEST_F(SessionFaults, ASaveEitherLandsWholeOrLeavesTheOldFileAndSaysWhy) {
    const std::string old = FormatSession(Session(1));
    const struct {
        Call call;
        int error;
        const char* reason;
    } cases[] = {{Call::Open, EACCES, "access is denied"},
                 {Call::Write, ENOSPC, "there is not enough space on the disk"},
                 {Call::Write, EIO, "the system cannot write to the specified device"},
                 {Call::Fsync, EIO, "the system cannot write to the specified device"},
                 {Call::Rename, EACCES, "access is denied"}};
    for (const auto& c : cases) {
        WriteBytes(path, old);
        faults::Arm(directory.Path(), c.call, 1, c.error);
        std::string error;
        const bool saved = SaveSessionFile(path, Session(2), &error);
        const bool struck = faults::Struck();
        faults::Disarm();
        const std::string what = std::string(faults::CallName(c.call)) + " fails with " + strerrordesc_np(c.error);
        ASSERT_TRUE(struck) << what;
        EXPECT_FALSE(saved) << what;
        EXPECT_EQ(ReadBytes(path), old) << what;
        EXPECT_NE(error.find("cannot save the session " + path + ": " + c.reason), std::string::npos) << what << ": " << error;
        EXPECT_EQ(win::test::CountEntries(directory.Path()), 1) << what << ": a temporary file was left behind";
    }
}

TEST_F(SessionFaults, AFileThatCannotBeReadOrSetAsideStaysWhereItIs) {
    const std::string good = FormatSession(Session(3));
    WriteBytes(path, good);
    faults::Arm(directory.Path(), Call::Open, 1, EACCES);
    SessionLoad load = LoadSessionFile(path);
    faults::Disarm();
    EXPECT_EQ(load.outcome, SessionLoad::Outcome::Unreadable);
    EXPECT_NE(load.message.find("cannot read the session " + path + ": access is denied"), std::string::npos) << load.message;
    EXPECT_EQ(ReadBytes(path), good);

    WriteBytes(path, "not a session");
    faults::Arm(directory.Path(), Call::Rename, 1, EACCES);
    load = LoadSessionFile(path);
    faults::Disarm();
    EXPECT_EQ(load.outcome, SessionLoad::Outcome::Unreadable);
    EXPECT_NE(load.message.find("cannot be set aside (Permission denied)"), std::string::npos) << load.message;
    EXPECT_EQ(ReadBytes(path), "not a session");
    EXPECT_FALSE(std::filesystem::exists(path + ".damaged"));
}

}  // namespace
