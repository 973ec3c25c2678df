// The MIDI input ports on the host's message loop: bytes handed over from another thread arrive as
// controller changes on the next poll, port by port, each port with its own running status.
#include <gtest/gtest.h>

#include <thread>

#include "host/app/MidiInput.h"
#include "tests/support/HeadlessDesktop.h"

namespace {

class MidiInputTest : public testsupport::HeadlessDesktopTest {
protected:
    void SetUp() override {
        HeadlessDesktopTest::SetUp();
        ASSERT_TRUE(input.Start());
    }

    std::vector<std::string> changes;
    MidiInput input{[this](int port, int channel, int controller, int value) {
        changes.push_back(std::to_string(port) + "/" + std::to_string(channel) + "/" + std::to_string(controller) + "=" +
                          std::to_string(value));
    }};
};

using Lines = std::vector<std::string>;

TEST_F(MidiInputTest, BytesFromTheMidiThreadBecomeControllerChangesOnTheNextPoll) {
    std::thread midi([this] {
        const std::uint8_t first[] = {0xB2, 7};  // a message cut between two arrivals
        const std::uint8_t rest[] = {99, 0xF8, 8, 1, 0x90, 60, 100};
        input.Receive(1, first);
        input.Receive(1, rest);
        const std::uint8_t other[] = {7, 5, 0xB0, 7, 5};  // data without status on this port: dropped
        input.Receive(3, other);
        input.Receive(4, other);  // no such port
        input.Receive(-1, other);
    });
    midi.join();
    EXPECT_TRUE(changes.empty());
    Advance(10);
    EXPECT_EQ(changes, (Lines{"1/2/7=99", "1/2/8=1", "3/0/7=5"}));
    // Each port keeps its running status from one poll to the next.
    const std::uint8_t more[] = {9, 2};
    input.Receive(3, more);
    input.Receive(1, more);  // a note there now
    Advance(10);
    EXPECT_EQ(changes.size(), 4u);
    EXPECT_EQ(changes.back(), "3/0/9=2");
}

TEST_F(MidiInputTest, AStalledHostDropsWholeArrivalsBeyondTheLimitAndCountsThem) {
    std::vector<std::uint8_t> fill(MidiInput::kQueueLimit - 3, 0xF8);
    input.Receive(0, fill);
    const std::uint8_t change[] = {0xB0, 1, 2};
    input.Receive(0, change);  // exactly at the limit: kept
    input.Receive(0, change);  // one over: dropped whole
    EXPECT_EQ(input.Dropped(), 1u);
    Advance(10);
    EXPECT_EQ(changes, (Lines{"0/0/1=2"}));
}

}  // namespace
