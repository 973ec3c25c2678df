#pragma once
// The host program's command line.
#include <string>
#include <vector>

struct HostOptions {
    bool help = false;
    bool version = false;          // --version
    bool registerLibrary = false;  // --register
    bool list = false;             // --list
    std::string library;           // --library PATH; empty: the registered path
    bool headless = false;         // --headless
    std::string script;            // --script FILE; empty: the default demo when headless
    std::string screenshot = "kvx4-host.png";
    bool screenshotGiven = false;  // --screenshot PATH was given
    int scale = 0;                 // --scale N; 0: follow the screen's density (1 headless)
    bool floatEditor = false;      // --float
    bool printCalls = false;       // --calls
    std::string renderIn, renderOut;  // --render IN OUT
    std::string playFile;             // --play FILE
    bool audioIn = false;             // --audio-in
    bool listAudio = false;           // --list-audio
    std::string session;           // --session FILE; empty: the default file, in a window only
    bool noSession = false;        // --no-session
    std::vector<std::string> midiIn;  // --midi-in NAME, once per port from Port 1
    bool noMidi = false;           // --no-midi
};

struct HostOptionsResult {
    HostOptions options;
    std::string error;  // empty when the command line is good
};

// `arguments` excludes the program name. Options take their value as the next argument or after
// "=" ("--scale 2", "--scale=2").
HostOptionsResult ParseHostOptions(const std::vector<std::string>& arguments);

std::string HostHelpText();
// "kvx4-host (KVX4) 1.3" and what it loads.
std::string HostVersionText();
