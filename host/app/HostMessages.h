#pragma once
// How the host program talks to its user: news on standard output, failures on standard error,
// each one line that starts with the program's name.
#include <cstdio>
#include <string>

inline void Say(const std::string& text) { std::printf("kvx4-host: %s\n", text.c_str()); }
inline void Complain(const std::string& text) { std::fprintf(stderr, "kvx4-host: %s\n", text.c_str()); }
