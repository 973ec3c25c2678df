#pragma once
// Runs the built host program as a user does: headless, in a private temporary folder with its own
// registry store and Windows directory, collecting everything it prints and its exit status.
#include <stdio.h>
#include <stdlib.h>
#include <sys/wait.h>

#include <filesystem>
#include <fstream>
#include <string>

#include <gtest/gtest.h>

namespace hosttest {

namespace fs = std::filesystem;

inline const std::string kHost = std::string(KVX4_BIN_DIR) + "/kvx4-host";

struct RunResult {
    int exitCode = -1;
    std::string output;  // stdout and stderr together
};

class HostProgramTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!fs::exists(kHost)) GTEST_SKIP() << kHost << " is not built";
        std::string pattern = (fs::temp_directory_path() / "kvx4-host-run-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        directory_ = pattern;
        setenv("KVX4_REGISTRY_DIR", (directory_ / "registry").c_str(), 1);
        setenv("KVX4_WINDOWS_DIR", (directory_ / "windows").c_str(), 1);
    }
    void TearDown() override {
        unsetenv("KVX4_REGISTRY_DIR");
        unsetenv("KVX4_WINDOWS_DIR");
        if (!directory_.empty()) fs::remove_all(directory_);
    }

    // `shell` runs first in the same shell, e.g. to set a resource limit.
    RunResult Run(const std::string& arguments, const std::string& shell = "") {
        std::string command = "cd '" + directory_.string() + "' && " + shell + "'" + kHost + "' " + arguments + " 2>&1";
        RunResult result;
        FILE* pipe = popen(command.c_str(), "r");
        if (!pipe) return result;
        char buffer[4096];
        size_t n;
        while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) result.output.append(buffer, n);
        int status = pclose(pipe);
        result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        return result;
    }

    std::string Script(const std::string& text) {
        fs::path path = directory_ / "test.kvx4script";
        std::ofstream(path) << text;
        return path.string();
    }

    static bool IsPng(const fs::path& path) {
        std::ifstream file(path, std::ios::binary);
        char signature[8] = {};
        file.read(signature, 8);
        return file && std::string(signature, 8) == "\x89PNG\r\n\x1a\n";
    }

    fs::path directory_;
};

}  // namespace hosttest
