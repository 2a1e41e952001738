// Where the headless runner's pictures go: shot paths resolved against the
// output folder, checked before the run, and either written as PNG files or
// compared with reference pictures. Uses the file system and libpng, so it
// stays out of qx70core.
#pragma once

#include <string>
#include <vector>

#include "script/run.h"
#include "script/script.h"

struct HeadlessOutput {
    std::string outDir;      // relative shot paths resolve here; _err pictures go here
    std::string compareDir;  // empty: write shots; else compare with pictures here
};

// The folder of a path: everything before its last slash, "." for a bare name.
std::string headlessFolderOf(const std::string& path);
// A shot path as the file to write or compare: absolute paths stay as they
// are, relative ones are taken from dir.
std::string headlessResolve(const std::string& dir, const std::string& path);
// Every place the run would write to, checked before anything runs: each
// shot's folder exists and is writable (or, when comparing, the output
// folder). Problems are added to errors with the shot's line.
void headlessCheckOutput(const Script& script, const HeadlessOutput& out,
                         std::vector<ScriptError>& errors);
// The sink that writes or compares the run's pictures.
ScriptShotSink headlessShotSink(const HeadlessOutput& out);
