// PNG writing and reading through libpng's simplified interface, which
// reports errors in the image record instead of jumping out of the caller.
#include "platform/png/png_file.h"

#include <png.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "platform/files/whole_file.h"

// ---- Constants ----------------------------------------------------------------

namespace {

// Pictures larger than this are refused on reading: every picture of the
// simulator is far smaller, and a broken header must not ask for gigabytes.
constexpr long long MAX_READ_PIXELS = 16LL * 1024 * 1024;

// ---- Private helpers ----------------------------------------------------------

void say(std::string* message, const std::string& text) {
    if (message != nullptr) *message = text;
}

}  // namespace

// ---- Public operations --------------------------------------------------------------

// Packs the pixels into bytes in the file's channel order and writes them.
bool pngWrite(const char* path, const uint32_t* pixels, int width, int height, PngChannels channels,
              std::string* message) {
    std::string ignored;
    if (width <= 0 || height <= 0) {
        say(message, std::string("no pixels to write to ") + path);
        return false;
    }
    const int bytesPerPixel = channels == PngChannels::Rgb ? 3 : 4;
    const size_t count = static_cast<size_t>(width) * height;
    std::vector<png_byte> bytes(count * bytesPerPixel);
    for (size_t i = 0; i < count; ++i) {
        const uint32_t p = pixels[i];
        png_byte* b = &bytes[i * bytesPerPixel];
        b[0] = static_cast<png_byte>(p >> 16);
        b[1] = static_cast<png_byte>(p >> 8);
        b[2] = static_cast<png_byte>(p);
        if (bytesPerPixel == 4) b[3] = static_cast<png_byte>(p >> 24);
    }
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(width);
    image.height = static_cast<png_uint_32>(height);
    image.format = channels == PngChannels::Rgb ? PNG_FORMAT_RGB : PNG_FORMAT_RGBA;
    // The simulator's pictures are small and mostly flat colour: libpng's fast
    // setting (no row filters, zlib level 3) writes them four to five times
    // faster than the default, and no larger.
    image.flags = PNG_IMAGE_FLAG_FAST;
    WholeFile file;
    if (!wholeFileBegin(&file, path, message != nullptr ? message : &ignored)) return false;
    errno = 0;
    if (png_image_write_to_stdio(&image, file.file, 0, bytes.data(), 0, nullptr) == 0) {
        // A write the system refused (a full disk, a size limit) says why
        // rather than libpng's bare "Write Error".
        const int writeError = errno;
        const bool refused = std::ferror(file.file) != 0 && writeError != 0;
        say(message, std::string("cannot write ") + path + ": " +
                         (refused ? std::strerror(writeError) : image.message));
        wholeFileAbandon(&file);
        return false;
    }
    return wholeFileCommit(&file, message != nullptr ? message : &ignored);
}

// Reads the file as 8-bit RGBA whatever its own format, then packs it.
bool pngRead(const char* path, std::vector<uint32_t>* pixels, int* width, int* height,
             std::string* message) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (png_image_begin_read_from_file(&image, path) == 0) {
        say(message, std::string("cannot read ") + path + ": " + image.message);
        return false;
    }
    if (static_cast<long long>(image.width) * image.height > MAX_READ_PIXELS) {
        png_image_free(&image);
        say(message, std::string(path) + " is too large to compare");
        return false;
    }
    image.format = PNG_FORMAT_RGBA;
    std::vector<png_byte> bytes(PNG_IMAGE_SIZE(image));
    if (png_image_finish_read(&image, nullptr, bytes.data(), 0, nullptr) == 0) {
        say(message, std::string("cannot read ") + path + ": " + image.message);
        return false;
    }
    const size_t count = static_cast<size_t>(image.width) * image.height;
    pixels->resize(count);
    for (size_t i = 0; i < count; ++i) {
        const png_byte* b = &bytes[i * 4];
        (*pixels)[i] = static_cast<uint32_t>(b[3]) << 24 | static_cast<uint32_t>(b[0]) << 16 |
                       static_cast<uint32_t>(b[1]) << 8 | b[2];
    }
    *width = static_cast<int>(image.width);
    *height = static_cast<int>(image.height);
    return true;
}
