#include "fuzz/support/Scratch.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace fuzzsupport {

namespace {

std::string BaseDirectory() {
    if (const char* own = std::getenv("KVX4_FUZZ_TMPDIR"); own && *own) return own;
    if (access("/dev/shm", W_OK) == 0) return "/dev/shm";
    return std::filesystem::temp_directory_path().string();
}

void RemoveScratch() {
    std::error_code ignored;
    std::filesystem::remove_all(ScratchDirectory(), ignored);
}

}  // namespace

const std::string& ScratchDirectory() {
    // Never destroyed, so that the exit handler which removes the directory can still name it.
    static const std::string* directory = [] {
        std::string pattern = BaseDirectory() + "/kvx4-fuzz-XXXXXX";
        if (!mkdtemp(pattern.data())) {
            std::perror(pattern.c_str());
            std::abort();
        }
        auto* made = new std::string(pattern);
        std::atexit(RemoveScratch);
        return made;
    }();
    return *directory;
}

std::string MakeScratchSubdirectory(const std::string& name) {
    std::string path = ScratchDirectory() + "/" + name;
    std::filesystem::create_directories(path);
    return path;
}

void ReplaceFile(const std::string& path, std::string_view bytes) {
    const std::string fresh = path + ".new";
    {
        std::ofstream out(fresh, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        if (!out) Fail("cannot write " + fresh);
    }
    if (std::rename(fresh.c_str(), path.c_str()) != 0) Fail("cannot rename " + fresh);
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void Fail(const std::string& what) {
    std::fprintf(stderr, "\n*** invariant broken: %s\n\n", what.c_str());
    std::fflush(stderr);
    std::abort();
}

std::string Printable(std::string_view bytes) {
    static const char hex[] = "0123456789abcdef";
    std::string out = "\"";
    for (char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte < 0x7F && c != '"' && c != '\\') {
            out += c;
        } else {
            out += "\\x";
            out += hex[byte >> 4];
            out += hex[byte & 15];
        }
    }
    return out + "\"";
}

}  // namespace fuzzsupport
