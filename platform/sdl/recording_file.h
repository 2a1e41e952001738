// The file a session is recorded into. It is locked against a second
// simulator recording into the same file, the session is written into a
// temporary file beside it, and only a session that ends (closed, or ended by
// SIGINT, SIGTERM or SIGHUP) replaces the file: a window that never opens, or
// a recording that fails on the way, leaves an earlier file as it was.
#pragma once

#include <string>

// Takes the lock on path and checks that its folder takes new files; false
// with a one-line reason when another simulator records into it or it cannot
// be written.
bool recordingFileLock(const char* path, std::string* why);
// The session has started: its text goes to a new temporary file from now on.
bool recordingFileStart(std::string* why);
// Appends text; false (and the recording stops) when it cannot be written.
bool recordingFileAppend(const std::string& text, std::string* why);
// The session has ended: the recording replaces the file.
bool recordingFileFinish(std::string* why);
// Drops an unfinished recording and the lock; a file that existed only for
// the lock is removed again.
void recordingFileRelease();
