// A small PNG writer for 8-bit RGB pictures (libpng).
#pragma once

#include <cstdint>
#include <vector>

// Writes width x height pixels 0x00RRGGBB, row 0 at the top; false on failure.
bool writePng(const char* path, int width, int height, const std::vector<uint32_t>& pixels);
