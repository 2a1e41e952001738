// PNG files of 32-bit pixels (libpng): the one writer of the project, used by
// the headless runner, the golden tests and the font contact sheet, and the
// reader the golden tests compare with. Kept out of qx70core, which stays
// free of libpng.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

enum class PngChannels : uint8_t {
    Rgb,   // the alpha byte is dropped: pictures of opaque pixels
    Rgba,  // the alpha byte is kept
};

// Writes width x height pixels 0xAARRGGBB, row 0 at the top, replacing path
// whole or not at all (platform/files/whole_file.h). On failure path is left
// as it was and message says why.
bool pngWrite(const char* path, const uint32_t* pixels, int width, int height, PngChannels channels,
              std::string* message = nullptr);

// Reads any PNG as pixels 0xAARRGGBB, row 0 at the top (opaque when the file
// has no alpha); false with message on an unreadable, broken or huge file.
bool pngRead(const char* path, std::vector<uint32_t>* pixels, int* width, int* height,
             std::string* message);
