#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

// What a run of the built program left: its exit status and what it printed.
struct Outcome {
    int status = -1;
    std::string out;
    std::string err;
};

// The program's two roads: without a display it runs on the engine alone; with one (here Qt's
// offscreen platform) the main window takes the switches.
enum class Road { WithoutWindows, Window };

using Environment = std::map<std::string, std::string>;

// A file's bytes, or "<unreadable>".
std::string contentOf(const std::filesystem::path &path);

// The road's name in the test's name.
std::string roadName(const testing::TestParamInfo<Road> &info);

// Runs the program in `root` with Windows-1251 as its code page, its own settings store, no
// locale but the one given, and a display only on the window's road.
Outcome runProgram(const std::filesystem::path &root, Road road,
                   const std::vector<std::string> &args, const Environment &environment);
