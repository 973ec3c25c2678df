// Every store call fails cleanly whatever system call fails under it: the call reports failure and
// the old file stays byte for byte, or it reports success and the file holds the whole change.
// Each case fails the nth call of one kind (open, read, write, fsync, rename, flock) for n = 1, 2,
// ... until the operation runs out of such calls.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "platform/kernel/LastError.h"
#include "platform/kernel/PrivateProfile.h"
#include "platform/registry/Registry.h"
#include "presets/RoomKeys.h"
#include "tests/faults/FileFaults.h"
#include "tests/platform/kernel/TempDirectory.h"
#include "tests/platform/registry/RegistryFixture.h"
#include "tests/presets/PresetFileFixture.h"

namespace {

using faults::Call;
using win::test::CountEntries;
using win::test::ReadBytes;
using win::test::WriteBytes;

struct Fault {
    Call call;
    int error;
};

// The failures seen in practice: permissions, I/O errors, no descriptors, link loops, full disks.
const Fault kFaults[] = {
    {Call::Open, EACCES}, {Call::Open, EIO},    {Call::Open, EMFILE},  {Call::Open, ELOOP},
    {Call::Read, EIO},    {Call::Write, ENOSPC}, {Call::Write, EIO},   {Call::Fsync, EIO},
    {Call::Rename, EIO},  {Call::Rename, EACCES}, {Call::Lock, ENOLCK},
};

std::string Describe(const Fault& fault, unsigned nth) {
    return std::string(faults::CallName(fault.call)) + " #" + std::to_string(nth) + " fails with " + strerrordesc_np(fault.error);
}

// Runs `attempt` with each fault at each position. `attempt` restores the old file itself, runs the
// operation with the fault armed (through `arm`), and checks the outcome. Returns how many attempts
// failed per fault, so a caller can require that every kind of fault was met.
std::vector<int> ForEachFault(const std::function<bool(const std::function<void()>& arm, const std::string& what)>& attempt,
                              const std::string& directory) {
    std::vector<int> failures;
    for (const Fault& fault : kFaults) {
        int failed = 0;
        for (unsigned nth = 1; nth < 200; ++nth) {
            bool struck = false;
            const bool ok = attempt(
                [&] { faults::Arm(directory, fault.call, nth, fault.error); }, Describe(fault, nth));
            struck = faults::Struck();
            faults::Disarm();
            if (!struck) break;
            if (!ok) ++failed;
        }
        failures.push_back(failed);
    }
    return failures;
}

class ProfileFaults : public ::testing::Test {
protected:
    void SetUp() override { setenv("KVX4_WINDOWS_DIR", windows_.Path().c_str(), 1); }
    void TearDown() override { unsetenv("KVX4_WINDOWS_DIR"); }
    win::test::TempDirectory windows_;
};

TEST_F(ProfileFaults, AWriteEitherLandsWholeOrLeavesTheFileByteForByte) {
    const std::string file = windows_ / "many.ini";
    std::string before = "; forty-two keys\r\n[s]\r\n";
    for (int i = 0; i < 42; ++i) before += "key" + std::to_string(i) + "=" + std::to_string(i * i) + "\r\n";
    const std::string after = before + "added=new\r\n";

    std::vector<int> failures = ForEachFault(
        [&](const std::function<void()>& arm, const std::string& what) {
            WriteBytes(file, before);
            arm();
            const win::BOOL ok = win::WritePrivateProfileStringA("s", "added", "new", "many.ini");
            const win::DWORD error = win::GetLastError();
            faults::Disarm();
            EXPECT_EQ(ReadBytes(file), ok ? after : before) << what;
            EXPECT_TRUE(ok || error != win::ERROR_SUCCESS) << what;
            EXPECT_EQ(CountEntries(windows_.Path()), 1) << what << ": temporary file left behind";
            return ok != win::FALSE;
        },
        windows_.Path());
    for (size_t i = 0; i < failures.size(); ++i)
        EXPECT_GT(failures[i], 0) << faults::CallName(kFaults[i].call) << " never made a write fail";
}

TEST_F(ProfileFaults, AFileThatCannotBeOpenedReadsAsAbsentWithTheReasonAndIsNeverReplaced) {
    const std::string file = windows_ / "three.ini";
    const std::string before = "[Total Number of Rooms]\r\nNumRooms=0300000003\r\n[a]\r\nx=1\r\n";
    WriteBytes(file, before);
    struct Case {
        int errnoValue;
        win::DWORD error;
    };
    for (const Case& c : {Case{EACCES, win::ERROR_ACCESS_DENIED}, Case{EIO, win::ERROR_OPEN_FAILED},
                          Case{EMFILE, win::ERROR_TOO_MANY_OPEN_FILES}, Case{ELOOP, win::ERROR_CANT_RESOLVE_FILENAME}}) {
        int count = 7;
        faults::Arm(windows_.Path(), Call::Open, 1, c.errnoValue);
        EXPECT_FALSE(win::GetPrivateProfileStructA("Total Number of Rooms", "NumRooms", &count, 4, "three.ini"));
        EXPECT_EQ(win::GetLastError(), c.error) << strerrordesc_np(c.errnoValue);
        EXPECT_EQ(count, 7);
        char value[16];
        faults::Arm(windows_.Path(), Call::Open, 1, c.errnoValue);
        EXPECT_EQ(win::GetPrivateProfileStringA("a", "x", "default", value, sizeof value, "three.ini"), 7u);
        EXPECT_EQ(win::GetLastError(), c.error);
        // The write's own read of the file is the second open, after the lock's.
        faults::Arm(windows_.Path(), Call::Open, 2, c.errnoValue);
        EXPECT_FALSE(win::WritePrivateProfileStringA("a", "y", "2", "three.ini"));
        EXPECT_EQ(win::GetLastError(), c.error);
        faults::Disarm();
        EXPECT_EQ(ReadBytes(file), before);
    }
    faults::Arm(windows_.Path(), Call::Read, 1, EIO);
    EXPECT_FALSE(win::WritePrivateProfileStringA("a", "y", "2", "three.ini"));
    EXPECT_EQ(win::GetLastError(), win::ERROR_READ_FAULT);
    faults::Disarm();
    EXPECT_EQ(ReadBytes(file), before);
}

class RegistryFaults : public win::test::RegistryTest {};

TEST_F(RegistryFaults, AChangeEitherLandsWholeOrLeavesTheStoreByteForByte) {
    win::HKEY key = Create("Software\\Maker");
    ASSERT_EQ(SetDword(key, "one", 1), win::ERROR_SUCCESS);
    ASSERT_EQ(SetDword(key, "two", 2), win::ERROR_SUCCESS);
    ASSERT_EQ(SetDword(key, "three", 3), win::ERROR_SUCCESS);
    const std::string before = ReadBytes(StoreFile());
    ASSERT_EQ(SetDword(key, "four", 4), win::ERROR_SUCCESS);
    const std::string after = ReadBytes(StoreFile());

    std::vector<int> failures = ForEachFault(
        [&](const std::function<void()>& arm, const std::string& what) {
            // Written anew each time, so that the store reads it again (and meets the read faults).
            std::remove(StoreFile().c_str());
            WriteBytes(StoreFile(), before);
            arm();
            const win::LSTATUS status = SetDword(key, "four", 4);
            faults::Disarm();
            EXPECT_EQ(ReadBytes(StoreFile()), status == win::ERROR_SUCCESS ? after : before) << what;
            EXPECT_EQ(CountEntries(directory_.Path()), 1) << what << ": temporary file left behind";
            return status == win::ERROR_SUCCESS;
        },
        directory_.Path());
    for (size_t i = 0; i < failures.size(); ++i)
        EXPECT_GT(failures[i], 0) << faults::CallName(kFaults[i].call) << " never made a change fail";
}

TEST_F(RegistryFaults, AStoreThatCannotBeReadAnswersNothingAndKeepsItsValues) {
    win::HKEY key = Create("Software\\Maker");
    ASSERT_EQ(SetDword(key, "one", 1), win::ERROR_SUCCESS);
    ASSERT_EQ(SetDword(key, "two", 2), win::ERROR_SUCCESS);
    ASSERT_EQ(SetDword(key, "three", 3), win::ERROR_SUCCESS);
    const std::string before = ReadBytes(StoreFile());
    std::remove(StoreFile().c_str());
    WriteBytes(StoreFile(), before);

    // Every open of the store fails for as long as it is armed: an unreadable file, not a passing fault.
    faults::Arm(directory_.Path(), Call::Open, 1, EACCES);
    EXPECT_EQ(Query(key, "one"), "<error " + std::to_string(win::ERROR_CANTREAD) + ">");
    faults::Disarm();
    for (unsigned nth = 1; nth <= 2; ++nth) {
        faults::Arm(directory_.Path(), Call::Open, nth, EACCES);
        EXPECT_NE(SetDword(key, "four", 4), win::ERROR_SUCCESS);
        faults::Disarm();
        EXPECT_EQ(ReadBytes(StoreFile()), before);
    }
    EXPECT_EQ(Query(key, "two"), std::string("\x02\0\0\0", 4)) << "readable again once the fault is gone";
}

TEST_F(RegistryFaults, TheStoreTellsWhereAndWhyAChangeWasNotSaved) {
    win::HKEY key = Create("Software\\Maker");
    ASSERT_EQ(SetDword(key, "one", 1), win::ERROR_SUCCESS);
    EXPECT_EQ(win::QueryRegistryStore().saveProblem, win::ERROR_SUCCESS);
    // A folder that cannot be written: the temporary file cannot be created beside the store.
    int refused = 0;
    for (unsigned nth = 1; nth <= 3; ++nth) {
        faults::Arm(directory_.Path(), Call::Open, nth, EACCES);
        const win::LSTATUS status = SetDword(key, "two", 10 + nth);  // a change every time
        const bool struck = faults::Struck();
        faults::Disarm();
        if (!struck || status == win::ERROR_SUCCESS) continue;
        const win::RegistryStoreStatus store = win::QueryRegistryStore();
        EXPECT_EQ(store.path, StoreFile());
        EXPECT_EQ(store.saveProblem, win::ERROR_ACCESS_DENIED) << "open #" << nth;
        ++refused;
    }
    EXPECT_GT(refused, 0) << "no open on the way to a save was refused";
    faults::Arm(directory_.Path(), Call::Rename, 1, EROFS);
    EXPECT_EQ(SetDword(key, "three", 3), win::ERROR_CANTWRITE);
    faults::Disarm();
    EXPECT_EQ(win::QueryRegistryStore().saveProblem, win::ERROR_ACCESS_DENIED);
    ASSERT_EQ(SetDword(key, "three", 3), win::ERROR_SUCCESS);
    EXPECT_EQ(win::QueryRegistryStore().saveProblem, win::ERROR_SUCCESS) << "a saved change clears the problem";
}

class PresetFaults : public presettest::PresetFileTest {};

TEST_F(PresetFaults, ASaveWritesTheRoomAndTheCountOrReportsWhatItCouldNotWrite) {
    using presettest::RecordBytes;
    const std::string directory = IniPath().substr(0, IniPath().rfind('/'));
    const std::string before = "[Total Number of Rooms]\r\nNumRooms=" + presettest::CountHex(3) +
                               "\r\n[Reverb Room Settings]\r\n" + presettest::RoomLine(1, RecordBytes::Sample("One", 1)) +
                               presettest::RoomLine(2, RecordBytes::Sample("Two", 2)) +
                               presettest::RoomLine(3, RecordBytes::Sample("Three", 3));
    const tagUserPreset preset = RecordBytes::Sample("Four", 4).Record();
    // The two states a save may leave behind: the room and the count, or the room alone.
    GivenFile(before);
    ASSERT_TRUE(win::WritePrivateProfileStructA(kRoomSection, "Room 4", &preset, sizeof preset, kFile));
    const std::string roomOnly = FileText();
    GivenFile(before);
    tagUserPreset scratch = preset;
    ASSERT_EQ(store.SaveNewRoom(kFile, &scratch, "Four"), 1);
    const std::string saved = FileText();

    std::vector<int> failures = ForEachFault(
        [&](const std::function<void()>& arm, const std::string& what) {
            GivenFile(before);
            boxes.clear();
            tagUserPreset copy = preset;
            arm();
            const int result = store.SaveNewRoom(kFile, &copy, "Four");
            faults::Disarm();
            EXPECT_EQ(boxes.size(), 1u) << what;
            const std::string shown = boxes.empty() || boxes[0].texts.empty() ? "" : boxes[0].texts[0];
            if (result == 1) {
                EXPECT_EQ(FileText(), saved) << what;
                EXPECT_EQ(shown, "Four has been Saved") << what;
            } else if (FileText() == roomOnly) {
                EXPECT_EQ(shown, "Cannot write number of Rooms to User Settings file") << what;
            } else {
                EXPECT_EQ(FileText(), before) << what;
                EXPECT_EQ(shown, "Cannot write to User Settings file") << what;
            }
            return result == 1;
        },
        directory);
    for (size_t i = 0; i < failures.size(); ++i)
        EXPECT_GT(failures[i], 0) << faults::CallName(kFaults[i].call) << " never made a save fail";
}

}  // namespace
