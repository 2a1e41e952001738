// Where the headless runner's pictures go: shot paths resolved against the
// output folder, checked before the run, and either written as PNG files or
// compared with reference pictures; and the references of expect screen
// lines, read before the run. Uses the file system and libpng, so it stays
// out of qx70core.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "script/run.h"
#include "script/script.h"

struct HeadlessReference {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;
};

struct HeadlessOutput {
    std::string outDir;      // relative shot paths resolve here; _err and _diff pictures go here
    std::string compareDir;  // empty: write shots; else compare with pictures here
    std::string refDir;      // expect screen references are read here: the script's folder
    std::map<std::string, HeadlessReference> references;  // by path as written in the script
};

// The folder of a path: everything before its last slash, "." for a bare name.
std::string headlessFolderOf(const std::string& path);
// A shot path as the file to write or compare: absolute paths stay as they
// are, relative ones are taken from dir.
std::string headlessResolve(const std::string& dir, const std::string& path);
// Empty when a file can be created or replaced at path, else why not.
std::string headlessWriteProblem(const std::string& path);
// Every place the run would write to, checked before anything runs: each
// shot's folder exists and is writable (or, when comparing, the output
// folder), and every expect screen reference is a readable PNG of the size
// compared, kept in out.references. Problems are added to errors with the
// line that needs the file.
void headlessCheckOutput(const Script& script, HeadlessOutput& out,
                         std::vector<ScriptError>& errors);
// The sink that writes or compares shots and compares expect screen
// pictures with their references (loaded by headlessCheckOutput); out must
// outlive it.
ScriptShotSink headlessShotSink(const HeadlessOutput& out);
