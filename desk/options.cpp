// Option parsing without getopt: few options, and every mistake gets a
// precise one-line reason before the usage line.
#include "desk/options.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <iterator>
#include <string_view>

#include "desk/zoom.h"

// ---- Types ----------------------------------------------------------------

namespace {

enum class Kind { Zoom, Shots, Record, Feed, FeedRecord, Mute, Help, Version };

struct Option {
    const char* name;
    Kind kind;
    bool takesValue;
};

// ---- Constants ------------------------------------------------------------

constexpr Option OPTIONS[] = {
    {"--zoom", Kind::Zoom, true},
    {"--shots", Kind::Shots, true},
    {"--record", Kind::Record, true},
    {"--feed", Kind::Feed, true},
    {"--feed-record", Kind::FeedRecord, true},
    {"--mute", Kind::Mute, false},
    {"--help", Kind::Help, false},
    {"-h", Kind::Help, false},
    {"--version", Kind::Version, false},
};

// ---- Private helpers ------------------------------------------------------

// The option named by arg ("--name" or "--name=value"); *inlineValue points
// past the '=' when there is one.
const Option* findOption(const char* arg, const char** inlineValue) {
    *inlineValue = nullptr;
    const char* eq = std::strchr(arg, '=');
    const size_t len = eq != nullptr ? static_cast<size_t>(eq - arg) : std::strlen(arg);
    for (const Option& o : OPTIONS) {
        if (std::strlen(o.name) != len || std::strncmp(o.name, arg, len) != 0) continue;
        if (eq != nullptr) *inlineValue = eq + 1;
        return &o;
    }
    return nullptr;
}

// Digits only, from 0 to hi.
bool parseNumber(std::string_view v, long hi, long* n) {
    if (v.empty() || v.size() > 5) return false;
    *n = 0;
    for (char c : v) {
        if (c < '0' || c > '9') return false;
        *n = *n * 10 + (c - '0');
    }
    return *n <= hi;
}

// A whole number from ZOOM_MIN to ZOOM_MAX written in digits only.
bool parseZoom(const char* v, int* zoom) {
    long n = 0;
    if (!parseNumber(v, ZOOM_MAX, &n) || n < ZOOM_MIN) return false;
    *zoom = static_cast<int>(n);
    return true;
}

// "udp:PORT" on the loopback address, or "udp:A.B.C.D:PORT".
bool parseFeed(const char* value, FeedAddress* out) {
    std::string_view v = value;
    if (v.substr(0, 4) != "udp:") return false;
    v.remove_prefix(4);
    FeedAddress a;
    std::copy(std::begin(FEED_LOOPBACK), std::end(FEED_LOOPBACK), a.ip);
    const size_t colon = v.rfind(':');
    if (colon != std::string_view::npos) {
        std::string_view ip = v.substr(0, colon);
        for (int i = 0; i < 4; ++i) {
            const size_t dot = i < 3 ? ip.find('.') : ip.size();
            long n = 0;
            if (dot == std::string_view::npos || !parseNumber(ip.substr(0, dot), 255, &n))
                return false;
            a.ip[i] = static_cast<uint8_t>(n);
            ip = i < 3 ? ip.substr(dot + 1) : std::string_view{};
        }
        v.remove_prefix(colon + 1);
    }
    long port = 0;
    if (!parseNumber(v, 65535, &port) || port == 0) return false;
    a.port = static_cast<uint16_t>(port);
    *out = a;
    return true;
}

bool fail(char (&error)[DESK_OPTION_ERROR_CAPACITY], const char* what, const char* arg) {
    std::snprintf(error, sizeof error, "%s '%s'", what, arg);
    return false;
}

// A file or folder name: anything but empty.
bool takeName(const char* value, const char** into, const char* need,
              char (&error)[DESK_OPTION_ERROR_CAPACITY]) {
    if (value[0] == '\0') return fail(error, need, value);
    *into = value;
    return true;
}

bool apply(const Option& o, const char* value, DeskOptions* options,
           char (&error)[DESK_OPTION_ERROR_CAPACITY]) {
    switch (o.kind) {
        case Kind::Zoom:
            if (!parseZoom(value, &options->zoom))
                return fail(error, "--zoom takes a whole number from 1 to 4, not", value);
            return true;
        case Kind::Shots:
            return takeName(value, &options->shotsDir, "--shots needs a folder, not", error);
        case Kind::Record:
            return takeName(value, &options->recordFile, "--record needs a file name, not", error);
        case Kind::Feed:
            if (!parseFeed(value, &options->feed))
                return fail(error, "--feed takes udp:PORT or udp:ADDRESS:PORT, not", value);
            return true;
        case Kind::FeedRecord:
            return takeName(value, &options->feedRecordFile, "--feed-record needs a file name, not",
                            error);
        case Kind::Mute: options->mute = true; return true;
        case Kind::Help: options->help = true; return true;
        case Kind::Version: options->version = true; return true;
    }
    return false;
}

}  // namespace

// ---- Public operations ----------------------------------------------------

// Options in any order; nothing but options is accepted.
bool deskParseOptions(int argc, const char* const* argv, DeskOptions* options,
                      char (&error)[DESK_OPTION_ERROR_CAPACITY]) {
    *options = {};
    error[0] = '\0';
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        const char* value = nullptr;
        const Option* o = findOption(arg, &value);
        if (o == nullptr) return fail(error, "unknown option", arg);
        if (!o->takesValue && value != nullptr) return fail(error, "no value allowed in", arg);
        if (o->takesValue && value == nullptr) {
            if (i + 1 >= argc) return fail(error, "missing value after", arg);
            value = argv[++i];
        }
        if (!apply(*o, value, options, error)) return false;
    }
    if (options->feedRecordFile != nullptr && options->feed.port == 0) {
        std::snprintf(error, sizeof error, "--feed-record needs --feed");
        return false;
    }
    if (options->feedRecordFile != nullptr && options->recordFile != nullptr &&
        std::strcmp(options->feedRecordFile, options->recordFile) == 0) {
        return fail(error, "--record and --feed-record name the same file", options->recordFile);
    }
    return true;
}

void deskFeedText(const FeedAddress& a, char (&out)[32]) {
    std::snprintf(out, sizeof out, "udp:%d.%d.%d.%d:%d", a.ip[0], a.ip[1], a.ip[2], a.ip[3],
                  a.port);
}
