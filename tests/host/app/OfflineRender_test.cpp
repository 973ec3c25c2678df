// kvx4-host --render as a user runs it: generated sound files through the headless host, the
// script's edits measured in the output, and every kind of bad input refused with one line.
#include <sndfile.h>

#include <csignal>
#include <cmath>
#include <cstring>
#include <vector>

#include <gtest/gtest.h>

#include "host/app/SlotEngine.h"
#include "host/app/SoundFile.h"
#include "tests/host/app/HostProgramFixture.h"
#include "tests/support/AudioMeasure.h"

namespace {

using namespace hosttest;
using audiotest::ToDb;

constexpr int kRate = 48000;

struct Sound {
    int rate = 0, channels = 0;
    std::vector<float> samples;
};

bool WriteSound(const fs::path& path, const std::vector<float>& samples, int channels, int format) {
    SF_INFO info{};
    info.samplerate = kRate;
    info.channels = channels;
    info.format = format;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    if (!file) return false;
    const sf_count_t frames = sf_count_t(samples.size()) / channels;
    const bool ok = sf_writef_float(file, samples.data(), frames) == frames;
    return sf_close(file) == 0 && ok;
}

Sound ReadSound(const fs::path& path) {
    SF_INFO info{};
    Sound sound;
    SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
    if (!file) return sound;
    sound.rate = info.samplerate;
    sound.channels = info.channels;
    sound.samples.resize(std::size_t(info.frames * info.channels));
    sf_readf_float(file, sound.samples.data(), info.frames);
    sf_close(file);
    return sound;
}

class OfflineRenderTest : public HostProgramTest {
protected:
    RunResult Render(const std::string& in, const std::string& out, const std::string& script = "quit\n",
                     const std::string& prefix = "") {
        return Run("--library '" KVX4_DLL_PATH "' --script '" + Script(script) + "' --screenshot shot.png --render '" +
                   in + "' '" + out + "'", prefix);
    }
    std::string Path(const char* name) { return (directory_ / name).string(); }
    // What the folder holds besides the run's own files: no half-written output may stay.
    std::vector<std::string> Leftovers() {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(directory_))
            if (entry.path().filename().string().find(".partial-") != std::string::npos) names.push_back(entry.path().filename());
        return names;
    }
    static int Lines(const std::string& text) { return int(std::count(text.begin(), text.end(), '\n')); }
};

TEST_F(OfflineRenderTest, ScriptEditsAndControllersLandInTheAudioAtTheirTimes) {
    ASSERT_TRUE(WriteSound(Path("tone.wav"), audiotest::StereoSine(50, 0.05, kRate, 4 * kRate), 2,
                           SF_FORMAT_WAV | SF_FORMAT_FLOAT));
    RunResult run = Render(Path("tone.wav"), Path("out.flac"),
                           "set effect 127\nset midCutoff 54\nautomate lowFreq 0 0 7\nwait 970\n"
                           "set lowFreq 127\nwait 1000\ncc 0 0 7 0\nwait 1000\nset optionFlags 0x40\nquit\n");
    ASSERT_EQ(run.exitCode, 0) << run.output;
    EXPECT_NE(run.output.find("rendered 192000 frames to " + Path("out.flac")), std::string::npos) << run.output;
    Sound out = ReadSound(Path("out.flac"));
    ASSERT_EQ(out.rate, kRate);
    ASSERT_EQ(out.samples.size(), 2u * 4 * kRate);
    auto levelDb = [&](int side, double from, double to) {
        return ToDb(audiotest::ToneAmplitude(out.samples, side, 50, kRate, std::size_t(from * kRate), std::size_t(to * kRate)) / 0.05);
    };
    // The commands run 10 ms apart: the jump to +18 dB at 1.0 s, the controller to -18 dB at 2.01 s,
    // the left output off at 3.02 s.
    EXPECT_NEAR(levelDb(0, 0.3, 0.98), 0.0, 0.5);
    EXPECT_NEAR(levelDb(0, 1.04, 1.98), 18.0, 0.5);
    EXPECT_NEAR(levelDb(0, 2.06, 3.0), -18.0, 0.5);
    EXPECT_NEAR(levelDb(0, 3.08, 4.0), 0.0, 0.5);
    EXPECT_NEAR(levelDb(1, 3.08, 4.0), -18.0, 0.5);
    EXPECT_TRUE(fs::exists(directory_ / "shot.png"));
}

TEST_F(OfflineRenderTest, BypassedAudioIsTheInputBitForBitAndMonoFeedsBothSides) {
    std::vector<float> noise(kRate);
    unsigned seed = 1;
    for (float& sample : noise) sample = float(int((seed = seed * 1103515245u + 12345u) >> 8) % 20001 - 10000) / 10000.0f;
    ASSERT_TRUE(WriteSound(Path("noise.wav"), noise, 1, SF_FORMAT_WAV | SF_FORMAT_FLOAT));
    RunResult run = Render(Path("noise.wav"), Path("out.wav"), "set bypass 1\nset lowFreq 0\nwait 900\nquit\n");
    ASSERT_EQ(run.exitCode, 0) << run.output;
    Sound out = ReadSound(Path("out.wav"));
    ASSERT_EQ(out.channels, 2);
    ASSERT_EQ(out.samples.size(), 2 * noise.size());
    // The bypass fades in over 20 ms from the first tick; from 50 ms on not one bit differs.
    for (std::size_t i = kRate / 20; i < noise.size(); ++i) {
        ASSERT_EQ(std::memcmp(&out.samples[2 * i], &noise[i], sizeof(float)), 0) << "frame " << i;
        ASSERT_EQ(std::memcmp(&out.samples[2 * i + 1], &noise[i], sizeof(float)), 0) << "frame " << i;
    }
}

TEST_F(OfflineRenderTest, BadInputGivesOneLineExitOneAndNoOutput) {
    std::vector<float> tone = audiotest::StereoSine(440, 0.5, kRate, kRate);
    ASSERT_TRUE(WriteSound(Path("good.wav"), tone, 2, SF_FORMAT_WAV | SF_FORMAT_PCM_16));
    std::ifstream good(Path("good.wav"), std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(good)), std::istreambuf_iterator<char>());
    std::ofstream(Path("truncated.wav"), std::ios::binary) << bytes.substr(0, bytes.size() / 2);
    std::ofstream(Path("header-only.wav"), std::ios::binary) << bytes.substr(0, 44);
    std::ofstream(Path("empty.wav"), std::ios::binary).flush();
    std::ofstream(Path("notes.wav")) << "These are notes, not audio.\n";
    std::vector<float> fourChannels(4 * 1000, 0.1f);
    ASSERT_TRUE(WriteSound(Path("quad.wav"), fourChannels, 4, SF_FORMAT_WAV | SF_FORMAT_PCM_16));
    fs::create_directory(directory_ / "folder.wav");

    struct Case {
        std::string in, out, says;
    };
    const Case cases[] = {
        {Path("missing.wav"), Path("out.wav"), "No such file or directory"},
        {Path("empty.wav"), Path("out.wav"), "the file is empty"},
        {Path("truncated.wav"), Path("out.wav"), "truncated"},
        {Path("header-only.wav"), Path("out.wav"), "truncated"},
        {Path("notes.wav"), Path("out.wav"), "Format not recognised"},
        {Path("quad.wav"), Path("out.wav"), "4 channels"},
        {Path("folder.wav"), Path("out.wav"), "not a regular file"},
        {Path("good.wav"), Path("no-such-folder/out.wav"), "No such file or directory"},
        {Path("good.wav"), Path("out.xyz"), "no sound file format has the extension 'xyz'"},
        {Path("good.wav"), Path("folder.wav"), "not a regular file"},
    };
    for (const Case& c : cases) {
        RunResult run = Render(c.in, c.out);
        EXPECT_EQ(run.exitCode, 1) << c.in << " -> " << c.out << "\n" << run.output;
        const std::string named = c.says.find("extension") != std::string::npos || c.out.find("folder") != std::string::npos ? c.out : c.in;
        const std::size_t at = run.output.find("kvx4-host: cannot ");
        ASSERT_NE(at, std::string::npos) << run.output;
        const std::string line = run.output.substr(at, run.output.find('\n', at) - at);
        EXPECT_NE(line.find(named), std::string::npos) << line;
        EXPECT_NE(line.find(c.says), std::string::npos) << line;
        EXPECT_EQ(run.output.find("kvx4-host: cannot ", at + 1), std::string::npos) << run.output;
        EXPECT_FALSE(fs::exists(directory_ / "out.wav")) << c.in;
        EXPECT_TRUE(Leftovers().empty()) << c.in;
    }
    EXPECT_TRUE(fs::is_directory(directory_ / "folder.wav"));
}

TEST_F(OfflineRenderTest, AFailedWriteLeavesNoHalfFileAndKeepsTheOldOne) {
    // Ten seconds of float stereo is far more than the 64 KiB the file-size limit lets through, so
    // the write fails part-way; the shell ignores SIGXFSZ for the host, which then sees EFBIG.
    ASSERT_TRUE(WriteSound(Path("long.wav"), audiotest::StereoSine(440, 0.5, kRate, 10 * kRate), 2,
                           SF_FORMAT_WAV | SF_FORMAT_FLOAT));
    std::ofstream(Path("out.wav")) << "the previous render";
    RunResult run = Render(Path("long.wav"), Path("out.wav"), "quit\n", "trap '' XFSZ; ulimit -f 64; ");
    EXPECT_EQ(run.exitCode, 1) << run.output;
    EXPECT_NE(run.output.find("kvx4-host: cannot write " + Path("out.wav")), std::string::npos) << run.output;
    EXPECT_TRUE(Leftovers().empty());
    std::ifstream old(Path("out.wav"));
    std::string text((std::istreambuf_iterator<char>(old)), std::istreambuf_iterator<char>());
    EXPECT_EQ(text, "the previous render");
}

TEST_F(OfflineRenderTest, ARenderKilledMidWayLeavesNoPartialFile) {
    for (int signal : {SIGINT, SIGTERM}) {
        EXPECT_EXIT(
            {
                SoundFileWriter writer;
                std::string error;
                std::vector<float> block(2 * 512, 0.25f);
                if (!writer.Open(Path("out.wav"), kRate, SF_FORMAT_PCM_16, &error) || !writer.WriteStereo(block.data(), 512, &error))
                    std::_Exit(3);
                raise(signal);
                std::_Exit(4);
            },
            ::testing::KilledBySignal(signal), "");
        EXPECT_TRUE(Leftovers().empty()) << "signal " << signal;
        EXPECT_FALSE(fs::exists(directory_ / "out.wav"));
    }
}

TEST(SlotEngineTest, ClipBitFollowsTheEngineAndTheHostsOverrideStandsUntilItChanges) {
    CEffectsPlugin slot;
    slot.GetInterface()->optionFlags = OPTION_LEFT_OUT | OPTION_RIGHT_OUT;
    slot.GetInterface()->effect.value = 127;
    slot.GetInterface()->lowFreq.value = 127;
    slot.GetInterface()->midCutoff.value = 54;
    SlotEngine link(slot, kRate);
    std::vector<float> hot = audiotest::StereoSine(50, 0.5, kRate, kRate / 10);
    link.Engine().Process(hot.data(), hot.size() / 2);
    link.ReflectClip();
    EXPECT_TRUE(slot.GetInterface()->statusFlags & STATUS_CLIP);

    std::vector<float> silence(3 * kRate, 0.0f);  // the hold outlasts the boosted band's ring by a second
    link.Engine().Process(silence.data(), silence.size() / 2);
    link.ReflectClip();
    EXPECT_FALSE(slot.GetInterface()->statusFlags & STATUS_CLIP);

    // The host's Clip button sets the bit by hand; the quiet engine leaves it alone.
    slot.SetStatusFlags(STATUS_CLIP | 0x01);
    link.Engine().Process(silence.data(), 480);
    link.ReflectClip();
    EXPECT_EQ(slot.GetInterface()->statusFlags, STATUS_CLIP | 0x01);

    // Bypass and band edits reach the engine through Publish.
    slot.SetBypassMode(true);
    link.Publish();
    std::vector<float> loud = audiotest::StereoSine(50, 0.5, kRate, kRate / 10);
    const std::vector<float> input = loud;
    link.Engine().Process(loud.data(), loud.size() / 2);
    const std::size_t faded = 2 * std::size_t(kRate * eq::EqualiserEngine::kGlideSeconds);
    EXPECT_EQ(std::memcmp(loud.data() + faded, input.data() + faded, (loud.size() - faded) * sizeof(float)), 0);
}

}  // namespace
