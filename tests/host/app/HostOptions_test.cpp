// The host program's command line.
#include <gtest/gtest.h>

#include "host/app/HostOptions.h"

namespace {

HostOptionsResult Parse(std::vector<std::string> arguments) { return ParseHostOptions(arguments); }

TEST(HostOptionsTest, DefaultsWithoutArguments) {
    HostOptionsResult result = Parse({});
    ASSERT_TRUE(result.error.empty());
    EXPECT_FALSE(result.options.headless);
    EXPECT_FALSE(result.options.registerLibrary);
    EXPECT_EQ(result.options.screenshot, "kvx4-host.png");
    EXPECT_FALSE(result.options.screenshotGiven);
    EXPECT_EQ(result.options.scale, 0);  // from the screen's density
    EXPECT_FALSE(result.options.floatEditor);
    EXPECT_TRUE(result.options.library.empty());
}

TEST(HostOptionsTest, ValuesAsNextArgumentOrAfterEquals) {
    HostOptionsResult result =
        Parse({"--register", "--library", "/x/KVX4.dll", "--scale=3", "--script=a b.kvx4script", "--screenshot",
               "out.png", "--headless", "--calls", "--float"});
    ASSERT_TRUE(result.error.empty()) << result.error;
    EXPECT_TRUE(result.options.registerLibrary);
    EXPECT_EQ(result.options.library, "/x/KVX4.dll");
    EXPECT_EQ(result.options.scale, 3);
    EXPECT_EQ(result.options.script, "a b.kvx4script");
    EXPECT_EQ(result.options.screenshot, "out.png");
    EXPECT_TRUE(result.options.screenshotGiven);
    EXPECT_TRUE(result.options.headless);
    EXPECT_TRUE(result.options.printCalls);
    EXPECT_TRUE(result.options.floatEditor);
}

TEST(HostOptionsTest, BadCommandLinesNameTheProblem) {
    EXPECT_NE(Parse({"--scale", "0"}).error.find("--scale"), std::string::npos);
    EXPECT_NE(Parse({"--scale", "2x"}).error.find("'2x'"), std::string::npos);
    EXPECT_NE(Parse({"--scale=9"}).error.find("1..8"), std::string::npos);
    EXPECT_NE(Parse({"--library"}).error.find("needs a value"), std::string::npos);
    EXPECT_NE(Parse({"--script="}).error.find("non-empty"), std::string::npos);
    EXPECT_NE(Parse({"--headless=yes"}).error.find("takes no value"), std::string::npos);
    EXPECT_NE(Parse({"--float=1"}).error.find("takes no value"), std::string::npos);
    EXPECT_NE(Parse({"--fast"}).error.find("unknown option '--fast'"), std::string::npos);
    EXPECT_NE(Parse({"demo.kvx4script"}).error.find("unknown option"), std::string::npos);
}

TEST(HostOptionsTest, EngineSourcesTakeTheirFilesAndExcludeEachOther) {
    HostOptionsResult render = Parse({"--render", "in.wav", "out.flac", "--headless"});
    ASSERT_TRUE(render.error.empty()) << render.error;
    EXPECT_EQ(render.options.renderIn, "in.wav");
    EXPECT_EQ(render.options.renderOut, "out.flac");
    EXPECT_EQ(Parse({"--play=loop.wav"}).options.playFile, "loop.wav");
    EXPECT_TRUE(Parse({"--audio-in"}).options.audioIn);
    EXPECT_TRUE(Parse({"--list-audio"}).options.listAudio);
    EXPECT_NE(Parse({"--render", "in.wav"}).error.find("--render IN OUT"), std::string::npos);
    EXPECT_NE(Parse({"--render=in.wav", "out.wav"}).error.find("--render IN OUT"), std::string::npos);
    EXPECT_NE(Parse({"--play", "a.wav", "--audio-in"}).error.find("give only one"), std::string::npos);
    EXPECT_NE(Parse({"--render", "a", "b", "--play", "c"}).error.find("give only one"), std::string::npos);
}

TEST(HostOptionsTest, HelpMentionsEveryOptionAndTheScriptFormat) {
    std::string help = HostHelpText();
    for (const char* word : {"--register", "--library", "--list", "--headless", "--script", "--screenshot", "--scale",
                             "--float", "--calls", "--render", "--play", "--audio-in", "--list-audio", "--version", "--help",
                             "drag X1 Y1 X2 Y2", "cc PORT CHANNEL CONTROLLER VALUE", "expect FIELD VALUE",
                             "expect-call TEXT", "dump", "editor destroy|create"})
        EXPECT_NE(help.find(word), std::string::npos) << word;
}

TEST(HostOptionsTest, SessionAndMidiOptions) {
    HostOptionsResult result = Parse({"--session", "s.kvx4session", "--midi-in", "A", "--midi-in=B"});
    ASSERT_TRUE(result.error.empty()) << result.error;
    EXPECT_EQ(result.options.session, "s.kvx4session");
    EXPECT_EQ(result.options.midiIn, (std::vector<std::string>{"A", "B"}));
    EXPECT_TRUE(Parse({"--no-session", "--no-midi"}).options.noMidi);
    EXPECT_NE(Parse({"--session", "s", "--no-session"}).error.find("exclude"), std::string::npos);
    EXPECT_NE(Parse({"--midi-in", "A", "--no-midi"}).error.find("exclude"), std::string::npos);
    EXPECT_NE(Parse({"--session="}).error.find("non-empty"), std::string::npos);
    EXPECT_TRUE(Parse({"--midi-in", "1", "--midi-in", "2", "--midi-in", "3", "--midi-in", "4"}).error.empty());
    EXPECT_NE(Parse({"--midi-in", "1", "--midi-in", "2", "--midi-in", "3", "--midi-in", "4", "--midi-in", "5"})
                  .error.find("at most 4"),
              std::string::npos);
}

}  // namespace
