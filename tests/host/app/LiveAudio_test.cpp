// Live audio: the buffers the audio thread fills, at the edges of their sources, and the host's
// behaviour on a machine without a sound device (as CI is).
#include <sndfile.h>

#include <vector>

#include <gtest/gtest.h>

#include "host/app/AudioFeeds.h"
#include "tests/host/app/HostProgramFixture.h"

namespace {

using namespace hosttest;

constexpr float kCanary = -12345.0f;

TEST(AudioFeedsTest, LoopWrapsAtItsEndAndWritesExactlyTheFramesAsked) {
    constexpr std::size_t kLoopFrames = 5;
    std::vector<float> loop;
    for (std::size_t i = 0; i < kLoopFrames; ++i) loop.insert(loop.end(), {float(i), float(100 + i)});
    for (std::size_t frames : {kLoopFrames - 1, kLoopFrames, kLoopFrames + 1}) {
        std::vector<float> out(2 * frames + 1, kCanary);
        std::size_t position = 3;
        FillFromLoop(loop, position, out.data(), frames);
        for (std::size_t i = 0; i < frames; ++i) {
            EXPECT_EQ(out[2 * i], float((3 + i) % kLoopFrames)) << frames << " frames, frame " << i;
            EXPECT_EQ(out[2 * i + 1], float(100 + (3 + i) % kLoopFrames));
        }
        EXPECT_EQ(out.back(), kCanary) << frames;
        EXPECT_EQ(position, 3 + frames - (3 + frames > kLoopFrames ? kLoopFrames : 0));
    }
    std::vector<float> silent(2 * 3 + 1, kCanary);
    std::size_t position = 0;
    FillFromLoop({}, position, silent.data(), 3);
    EXPECT_EQ(std::vector<float>(silent.begin(), silent.end() - 1), std::vector<float>(6, 0.0f));
    EXPECT_EQ(silent.back(), kCanary);
}

TEST(AudioFeedsTest, InputBecomesStereoWithoutReadingOrWritingPastEither) {
    constexpr std::size_t kFrames = 4;
    for (int channels : {1, 2}) {
        for (std::size_t frames : {kFrames - 1, kFrames, kFrames + 1}) {
            // The source holds exactly `frames` frames; the canary after it must not come out.
            std::vector<float> input(frames * std::size_t(channels) + 1, kCanary);
            for (std::size_t i = 0; i + 1 < input.size(); ++i) input[i] = float(i + 1);
            std::vector<float> out(2 * frames + 1, kCanary);
            CopyInputAsStereo(input.data(), channels, out.data(), frames);
            for (std::size_t i = 0; i < frames; ++i) {
                EXPECT_EQ(out[2 * i], input[i * std::size_t(channels)]);
                EXPECT_EQ(out[2 * i + 1], input[i * std::size_t(channels) + std::size_t(channels - 1)]);
            }
            EXPECT_EQ(out.back(), kCanary);
            for (std::size_t i = 0; i + 1 < out.size(); ++i) EXPECT_NE(out[i], kCanary) << channels << "/" << frames;
        }
    }
}

TEST_F(HostProgramTest, WithoutASoundDeviceTheHostSaysSoOnceAndRunsOn) {
    if (Run("--list-audio").output.find("no audio devices found") == std::string::npos)
        GTEST_SKIP() << "this machine has a sound device";
    SF_INFO info{};
    info.samplerate = 48000;
    info.channels = 1;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    SNDFILE* file = sf_open((directory_ / "tone.wav").c_str(), SFM_WRITE, &info);
    ASSERT_NE(file, nullptr);
    std::vector<float> samples(4800, 0.25f);
    sf_writef_float(file, samples.data(), sf_count_t(samples.size()));
    sf_close(file);

    for (const std::string source : {"--play tone.wav", "--audio-in"}) {
        RunResult run = Run("--headless --library '" KVX4_DLL_PATH "' --script '" + Script("wait 100\nquit\n") + "' " + source);
        EXPECT_EQ(run.exitCode, 0) << run.output;
        const std::size_t said = run.output.find("no audio device found");
        EXPECT_NE(said, std::string::npos) << run.output;
        EXPECT_EQ(run.output.find("no audio device", said + 1), std::string::npos) << run.output;
        EXPECT_EQ(run.output.find("ALSA lib"), std::string::npos) << run.output;
        EXPECT_NE(run.output.find("script ran 2 commands"), std::string::npos) << run.output;
    }
    // A file that cannot be played is the user's to fix, device or not.
    RunResult missing = Run("--headless --library '" KVX4_DLL_PATH "' --play missing.wav");
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_NE(missing.output.find("cannot read sound file missing.wav: No such file or directory"), std::string::npos)
        << missing.output;
}

}  // namespace
