// Reading a whole file of bounded size, with the reason when it cannot be
// read. The size of a regular file is checked before anything is read, and
// from a pipe at most one byte more than the limit is read, so a huge input
// costs neither time nor memory before it is refused.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>

// Reads path into *text; false with the reason in *why ("no such file", "it
// is a folder", "permission denied", "it is larger than 4 MiB (N bytes)").
bool readBoundedFile(const std::string& path, size_t limit, std::string* text, std::string* why);
// Reads the rest of an open stream (standard input) the same way.
bool readBoundedStream(FILE* in, size_t limit, std::string* text, std::string* why);
