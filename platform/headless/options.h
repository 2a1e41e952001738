// The headless runner's command line, and the scripts it names: files as
// given, every *.qx70 of a folder in name order, `-` for standard input.
#pragma once

#include <string>
#include <vector>

#include "platform/headless/job.h"

inline constexpr int HEADLESS_MAX_JOBS = 1024;
// The ending of the scripts a folder holds.
inline constexpr const char* SCRIPT_EXT = ".qx70";

struct HeadlessOptions {
    HeadlessJobOptions job;
    int parallel = 0;  // 0: one per processor
    std::string junit;
    bool quiet = false;
    bool verbose = false;
    bool fields = false;
    bool help = false;
    bool version = false;
    std::vector<std::string> scripts;  // as given, before folders are opened
};

// Reads the command line; false with a message when it is wrong.
bool headlessParseOptions(int argc, char** argv, HeadlessOptions& o, std::string& error);
// The scripts to run, folders opened and standard input read; false with a
// message when a folder holds no script or standard input cannot be read.
bool headlessListJobs(const HeadlessOptions& o, std::vector<HeadlessJob>& jobs, std::string& error);
// The number of processors this process may run on.
int headlessProcessors();
