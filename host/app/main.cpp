// kvx4-host: a small effects host that loads the KVX4 editor component and shows it with a live
// readout of its effect slot. See HostSession for the run and HostOptions for the command line.
#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "host/app/HostOptions.h"
#include "host/app/HostSession.h"

int main(int argc, char** argv) {
    // Line by line even into a pipe, so a script's output and the program's messages arrive as they
    // happen and in order.
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    std::setvbuf(stderr, nullptr, _IOLBF, 0);
    HostOptionsResult parsed = ParseHostOptions(std::vector<std::string>(argv + 1, argv + argc));
    if (!parsed.error.empty()) {
        std::fprintf(stderr, "kvx4-host: %s\n", parsed.error.c_str());
        return 2;
    }
    try {
        HostSession session(parsed.options);
        return session.Run();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "kvx4-host: %s\n", e.what());
        return 1;
    }
}
