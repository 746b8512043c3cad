// Runs velmora-tool as a user would, in a folder of its own, and collects what it says.
#pragma once

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

struct ToolRun {
    int status;
    std::string out;
    std::string err;
};

class ToolTest : public testing::Test {
protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() / ("velmora-tool-test-" + std::to_string(::getpid()));
        fs::create_directories(folder_);
    }
    void TearDown() override { fs::remove_all(folder_); }

    // Runs the tool with the arguments; environment is prefixed ("NAME=value ").
    ToolRun tool(const std::string& args, const std::string& environment = {}) {
        std::string errFile = (folder_ / "stderr.txt").string();
        std::string command =
            environment + std::string(VELMORA_TOOL) + " " + args + " 2>" + errFile;
        ToolRun run{-1, {}, {}};
        FILE* pipe = ::popen(command.c_str(), "r");
        std::array<char, 65536> buffer;
        while (std::size_t got = std::fread(buffer.data(), 1, buffer.size(), pipe)) {
            run.out.append(buffer.data(), got);
        }
        int status = ::pclose(pipe);
        run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        run.err = read(errFile);
        return run;
    }
    std::string path(const std::string& name) const { return (folder_ / name).string(); }
    static std::string read(const fs::path& file) {
        std::ifstream in(file, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    void write(const std::string& name, const std::string& text) {
        std::ofstream(folder_ / name, std::ios::binary) << text;
    }
    // Builds NAME.Velmora: a clock with nothing but a background carrying the bytes.
    std::string schemeWithBackground(const std::string& name, const std::string& image) {
        write(name + ".bin", image);
        write(name + ".json", R"({"type": "Clock", "name": "", "textId": 0, "children": [
            {"type": "FileProperty", "name": "BackgroundImage", "textId": 21,
             "sourcePath": "background", "size": )" +
                                  std::to_string(image.size()) + R"(, "dataFile": ")" + name +
                                  R"(.bin"}]})");
        const std::string scheme = path(name + ".Velmora");
        const ToolRun build = tool("build " + path(name + ".json") + " " + scheme);
        EXPECT_EQ(build.status, 0) << build.err;
        return scheme;
    }

    fs::path folder_;
};
