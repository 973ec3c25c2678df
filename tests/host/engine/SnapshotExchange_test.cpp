// The settings hand-over between the user-interface and audio threads: the reader never sees a
// torn value and never goes back to an older one.
#include <thread>

#include <gtest/gtest.h>

#include "host/lib/SnapshotExchange.h"

namespace {

struct Sample {
    unsigned long sequence;
    unsigned long copies[7];
};

TEST(SnapshotExchangeTest, ReaderSeesWholeValuesInOrderWhileTheWriterRuns) {
    SnapshotExchange<Sample> exchange;
    constexpr unsigned long kLast = 200000;
    std::thread writer([&] {
        for (unsigned long n = 1; n <= kLast; ++n) {
            Sample sample{n, {}};
            for (unsigned long& copy : sample.copies) copy = n;
            exchange.Publish(sample);
        }
    });
    unsigned long seen = 0, reads = 0;
    Sample sample{};
    while (seen < kLast) {
        if (!exchange.TakeLatest(sample)) continue;
        ++reads;
        for (unsigned long copy : sample.copies) ASSERT_EQ(copy, sample.sequence);
        ASSERT_GT(sample.sequence, seen);
        seen = sample.sequence;
    }
    writer.join();
    EXPECT_GE(reads, 1u);
    EXPECT_FALSE(exchange.TakeLatest(sample));  // nothing new since the last value
}

}  // namespace
