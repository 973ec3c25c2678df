// The engine measured as a listener would hear it: tones and impulse responses through real
// settings, compared with the crossovers' analogue design and the block's mapping.
#include <cmath>
#include <cstring>
#include <random>
#include <vector>

#include <gtest/gtest.h>

#include "host/lib/EqualiserEngine.h"
#include "tests/support/AudioMeasure.h"

namespace {

using audiotest::ToDb;
using eq::EqualiserEngine;

constexpr double kRate = 48000;
constexpr int kBlock = 256;

struct Values {
    int effect = 127, low = 64, mid = 64, high = 64, cutoff = 64;
    win::BYTE options = OPTION_LEFT_OUT | OPTION_RIGHT_OUT;
    bool bypass = false;
};

eq::EngineSettings Settings(const Values& v) {
    tagEffectParams block{};
    block.effect.value = win::BYTE(v.effect);
    block.lowFreq.value = win::BYTE(v.low);
    block.midFreq.value = win::BYTE(v.mid);
    block.highFreq.value = win::BYTE(v.high);
    block.midCutoff.value = win::BYTE(v.cutoff);
    block.optionFlags = v.options;
    return eq::SettingsFromBlock(block, v.bypass);
}

void ProcessAll(EqualiserEngine& engine, std::vector<float>& stereo) {
    for (std::size_t frame = 0; frame < stereo.size() / 2; frame += kBlock)
        engine.Process(stereo.data() + 2 * frame, std::min<std::size_t>(kBlock, stereo.size() / 2 - frame));
}

std::vector<float> Impulse(std::size_t frames) {
    std::vector<float> stereo(frames * 2, 0.0f);
    stereo[0] = stereo[1] = 1.0f;
    return stereo;
}

std::vector<double> ResponseFrequencies() {
    std::vector<double> frequencies;
    for (double hz = 20; hz <= 20000; hz *= std::pow(2.0, 1.0 / 3)) frequencies.push_back(hz);
    frequencies.push_back(20000);
    return frequencies;
}

// Largest deviation from 0 dB of one side's magnitude response, 20 Hz to 20 kHz.
double WorstFlatnessDb(const Values& values, int side, double rate) {
    EqualiserEngine engine(rate, Settings(values));
    std::vector<float> response = Impulse(std::size_t(rate / 2));
    ProcessAll(engine, response);
    double worst = 0;
    for (double hz : ResponseFrequencies())
        worst = std::max(worst, std::fabs(ToDb(audiotest::ResponseAt(response, side, hz, rate))));
    return worst;
}

TEST(EqualiserDesignTest, MappingFollowsTheContourGraph) {
    EXPECT_NEAR(eq::GraphFrequency(110), 16.0, 1e-9);
    EXPECT_NEAR(eq::GraphFrequency(365), 16000.0, 1e-6);
    EXPECT_NEAR(eq::HighCrossoverHz(), 1600.0, 1e-6);
    EXPECT_NEAR(eq::LowCrossoverHz(0), 1600.0, 1e-6);
    EXPECT_NEAR(eq::LowCrossoverHz(127), 16.0, 1e-9);
    EXPECT_EQ(eq::LowCrossoverX(64), 280 - 86);  // MulDiv rounds 85.67 up
    EXPECT_DOUBLE_EQ(eq::BandGainDb(127), 18.0);
    EXPECT_DOUBLE_EQ(eq::BandGainDb(64), 0.0);
    EXPECT_DOUBLE_EQ(eq::BandGainDb(0), -18.0);
    EXPECT_DOUBLE_EQ(eq::BandGainDb(32), -9.0);
    EXPECT_DOUBLE_EQ(eq::BandGainDb(200), 18.0);  // the host may write any byte
}

TEST(EqualiserEngineTest, TonesFollowTheDesignAtEveryBandSetting) {
    const Values base{.cutoff = 54};  // low/mid crossover near 227 Hz, between the 50 Hz and 1 kHz tones
    const double lower = eq::LowCrossoverHz(base.cutoff), upper = eq::HighCrossoverHz();
    for (int band = 0; band < 3; ++band) {
        for (int value : {127, 64, 0}) {
            Values v = base;
            (band == 0 ? v.low : band == 1 ? v.mid : v.high) = value;
            double gains[3] = {1, 1, 1};
            gains[band] = eq::DbToGain(eq::BandGainDb(value));
            for (double hz : {50.0, 1000.0, 8000.0}) {
                EqualiserEngine engine(kRate, Settings(v));
                std::vector<float> stereo = audiotest::StereoSine(hz, 0.05, kRate, std::size_t(1.5 * kRate));
                ProcessAll(engine, stereo);
                const double measured = ToDb(audiotest::ToneAmplitude(stereo, 0, hz, kRate, kRate / 2, 3 * kRate / 2) / 0.05);
                const double design = ToDb(std::abs(audiotest::DesignResponse(hz, lower, upper, gains)));
                EXPECT_NEAR(measured, design, 0.5) << "band " << band << " at " << value << ", " << hz << " Hz";
                // A tone deep inside a band gets that band's gain.
                const int home = hz < lower ? 0 : hz > 4 * upper ? 2 : -1;
                if (home >= 0) {
                    EXPECT_NEAR(measured, ToDb(gains[home]), 0.5) << hz << " Hz";
                }
            }
        }
    }
}

TEST(EqualiserEngineTest, AllBandsAtZeroDbAreFlatAtEveryCrossoverAndRate) {
    struct Case {
        double rate;
        int cutoff, effect;
    };
    for (const Case& c : {Case{48000, 0, 127}, Case{48000, 64, 127}, Case{48000, 127, 127}, Case{48000, 64, 64},
                          Case{44100, 127, 127}, Case{96000, 127, 100}})
        EXPECT_LT(WorstFlatnessDb(Values{.effect = c.effect, .cutoff = c.cutoff}, 0, c.rate), 0.1)
            << c.rate << " Hz, midCutoff " << c.cutoff << ", effect " << c.effect;
}

TEST(EqualiserEngineTest, SwitchesAndEffectLevelBlendTheDrySignal) {
    // A side whose switch is off, and effect 0, carry the dry signal: flat however the bands stand.
    const Values boosted{.low = 127, .mid = 0, .high = 127, .options = OPTION_RIGHT_OUT};
    EXPECT_LT(WorstFlatnessDb(boosted, 0, kRate), 0.1);
    EXPECT_GT(WorstFlatnessDb(boosted, 1, kRate), 17.0);
    Values leftOnly = boosted;
    leftOnly.options = OPTION_LEFT_OUT;
    EXPECT_GT(WorstFlatnessDb(leftOnly, 0, kRate), 17.0);
    EXPECT_LT(WorstFlatnessDb(leftOnly, 1, kRate), 0.1);
    Values dry = boosted;
    dry.effect = 0;
    dry.options = OPTION_LEFT_OUT | OPTION_RIGHT_OUT;
    EXPECT_LT(WorstFlatnessDb(dry, 0, kRate), 0.1);

    // Half-way, a 50 Hz tone deep in the low band gets half the boost's amplitude.
    for (int effect : {32, 64, 96}) {
        EqualiserEngine engine(kRate, Settings({.effect = effect, .low = 127, .cutoff = 54}));
        std::vector<float> stereo = audiotest::StereoSine(50, 0.05, kRate, std::size_t(1.5 * kRate));
        ProcessAll(engine, stereo);
        const double share = effect / 127.0;
        const double expected = 1 + share * (eq::DbToGain(18) - 1);
        EXPECT_NEAR(ToDb(audiotest::ToneAmplitude(stereo, 1, 50, kRate, kRate / 2, 3 * kRate / 2) / 0.05),
                    ToDb(expected), 0.1)
            << "effect " << effect;
    }
}

TEST(EqualiserEngineTest, BypassIsBitExactAfterItsFade) {
    std::mt19937 random(7);
    std::uniform_real_distribution<float> noise(-1.5f, 1.5f);
    std::vector<float> input(2 * 9600);
    for (float& sample : input) sample = noise(random);

    EqualiserEngine bypassed(kRate, Settings({.low = 127, .high = 0, .bypass = true}));
    std::vector<float> output = input;
    ProcessAll(bypassed, output);
    EXPECT_EQ(std::memcmp(output.data(), input.data(), input.size() * sizeof(float)), 0);

    // Switched on mid-stream: after the glide, every sample is the input's again.
    EqualiserEngine engine(kRate, Settings({.low = 127, .high = 0}));
    output = input;
    engine.Process(output.data(), 480);
    engine.Publish(Settings({.low = 127, .high = 0, .bypass = true}));
    engine.Process(output.data() + 2 * 480, output.size() / 2 - 480);
    const std::size_t settled = 2 * (480 + std::size_t(kRate * EqualiserEngine::kGlideSeconds));
    EXPECT_NE(std::memcmp(output.data(), input.data(), settled * sizeof(float)), 0);
    EXPECT_EQ(std::memcmp(output.data() + settled, input.data() + settled, (input.size() - settled) * sizeof(float)), 0);
}

TEST(EqualiserEngineTest, NonFiniteOrHugeInputDoesNotPoisonTheFilters) {
    EqualiserEngine engine(kRate, Settings({.low = 100, .cutoff = 54}));
    std::vector<float> bad = {std::nanf(""), 1.0f, INFINITY, -INFINITY, 3e38f, -3e38f};
    engine.Process(bad.data(), bad.size() / 2);
    std::vector<float> tone = audiotest::StereoSine(1000, 0.05, kRate, kRate);
    ProcessAll(engine, tone);
    for (float sample : tone) ASSERT_TRUE(std::isfinite(sample));
    EXPECT_NEAR(ToDb(audiotest::ToneAmplitude(tone, 0, 1000, kRate, kRate / 2, kRate) / 0.05), 0.0, 0.5);
}

TEST(EqualiserEngineTest, ClipBitRisesOnAHotOutputAndFallsOneSecondAfterTheLast) {
    EqualiserEngine engine(kRate, Settings({.low = 127, .cutoff = 54}));
    std::vector<float> hot = audiotest::StereoSine(50, 0.5, kRate, 4800);  // +18 dB: about 4 times full scale
    engine.Process(hot.data(), hot.size() / 2);
    EXPECT_TRUE(engine.ClipHeld());
    EXPECT_GT(engine.TakePeak(eq::kLeft), 1.0f);
    std::size_t lastClipped = 0;
    for (std::size_t i = 0; i < hot.size(); ++i)
        if (std::fabs(hot[i]) > 1.0f) lastClipped = i / 2;

    // Silence after it (the boosted band rings on for a moment): held for a second of output
    // counted from the last clipped sample, then cleared.
    std::size_t processed = hot.size() / 2, fellAt = 0;
    std::vector<float> silence(2 * 48);
    while (!fellAt && processed < 3 * std::size_t(kRate)) {
        std::fill(silence.begin(), silence.end(), 0.0f);
        engine.Process(silence.data(), 48);
        for (std::size_t i = 0; i < silence.size(); ++i)
            if (std::fabs(silence[i]) > 1.0f) lastClipped = processed + i / 2;
        processed += 48;
        if (!engine.ClipHeld()) fellAt = processed;
    }
    const std::size_t holdEnds = lastClipped + 1 + std::size_t(kRate * EqualiserEngine::kClipHoldSeconds);
    EXPECT_GE(fellAt, holdEnds);
    EXPECT_LE(fellAt, holdEnds + 48);
    engine.TakePeak(eq::kLeft);
    engine.Process(silence.data(), 48);
    EXPECT_LT(engine.TakePeak(eq::kLeft), 0.01f);  // the meter reads afresh
}

TEST(EqualiserEngineTest, AParameterJumpGlidesWithoutAStep) {
    // A steady level in the low band; the jump from 0 to +18 dB may move it by at most its share
    // of the glide per sample, and it lands on the new gain after the glide.
    constexpr float kLevel = 0.1f;
    EqualiserEngine engine(kRate, Settings({}));
    std::vector<float> steady(2 * 48000, kLevel);
    ProcessAll(engine, steady);
    engine.Publish(Settings({.low = 127}));
    std::vector<float> after(2 * 4800, kLevel);
    ProcessAll(engine, after);
    const double gain = eq::DbToGain(18);
    const double glideSamples = kRate * EqualiserEngine::kGlideSeconds;
    const double allowed = kLevel * (gain - 1) / glideSamples * 1.01;
    double largest = std::fabs(after[0] - steady[steady.size() - 2]);
    for (std::size_t i = 2; i < after.size(); i += 2) largest = std::max(largest, double(std::fabs(after[i] - after[i - 2])));
    EXPECT_LT(largest, allowed);
    EXPECT_GT(largest, allowed / 2);  // it did move
    EXPECT_NEAR(after[2 * std::size_t(glideSamples)], kLevel * gain, 1e-4);
    EXPECT_NEAR(after.back(), kLevel * gain, 1e-4);
}

}  // namespace
