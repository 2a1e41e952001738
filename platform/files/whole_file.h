// Files replaced whole or not at all. What is written goes to a temporary file
// beside the destination (the same folder, so the rename never crosses file
// systems) and is renamed over the final name only once it is complete and
// closed: a reader never sees half a file, a rewrite that fails (a full disk)
// leaves the earlier file as it was, and a process ended by SIGINT, SIGTERM or
// SIGHUP leaves no temporary file behind.
#pragma once

#include <cstdio>
#include <string>

struct WholeFile {
    std::string path;      // the final name
    std::string temp;      // the temporary file; empty when none is open
    FILE* file = nullptr;  // open on temp for writing
    int slot = -1;         // its entry among the files removed on a signal
};

// Creates the temporary file for path; false with the reason in *message.
bool wholeFileBegin(WholeFile* w, const std::string& path, std::string* message);
// Closes the temporary file and renames it over path; on any failure the
// temporary file is removed, path is left as it was, and *message says why.
bool wholeFileCommit(WholeFile* w, std::string* message);
// Closes and removes the temporary file; path stays as it was.
void wholeFileAbandon(WholeFile* w);
// Tries what a write to path will need: a new file in its folder that takes
// some data, created and removed again. Empty when that works, else the
// reason (a missing or read-only folder, a file system that takes no files
// such as /proc, a full disk).
std::string wholeFileProbe(const std::string& path);
// Writes text as the whole content of path.
bool wholeFileWrite(const std::string& path, const std::string& text, std::string* message);

// From now on SIGINT, SIGTERM and SIGHUP first remove every temporary file
// still open, then end the process as the signal would have.
void wholeFileCleanUpOnSignals();
