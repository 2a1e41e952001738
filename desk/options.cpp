// Option parsing without getopt: few options, and every mistake gets a
// precise one-line reason before the usage line.
#include "desk/options.h"

#include <cstdio>
#include <cstring>

#include "desk/zoom.h"

// ---- Types ----------------------------------------------------------------

namespace {

enum class Kind { Zoom, Shots, Record, Mute, Help, Version };

struct Option {
    const char* name;
    Kind kind;
    bool takesValue;
};

// ---- Constants ------------------------------------------------------------

constexpr Option OPTIONS[] = {
    {"--zoom", Kind::Zoom, true},        {"--shots", Kind::Shots, true},
    {"--record", Kind::Record, true},    {"--mute", Kind::Mute, false},
    {"--help", Kind::Help, false},       {"-h", Kind::Help, false},
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

// A whole number from ZOOM_MIN to ZOOM_MAX written in digits only.
bool parseZoom(const char* v, int* zoom) {
    if (v[0] == '\0' || std::strlen(v) > 3) return false;
    int n = 0;
    for (const char* p = v; *p != '\0'; ++p) {
        if (*p < '0' || *p > '9') return false;
        n = n * 10 + (*p - '0');
    }
    if (n < ZOOM_MIN || n > ZOOM_MAX) return false;
    *zoom = n;
    return true;
}

bool fail(char (&error)[DESK_OPTION_ERROR_CAPACITY], const char* what, const char* arg) {
    std::snprintf(error, sizeof error, "%s '%s'", what, arg);
    return false;
}

bool apply(const Option& o, const char* value, DeskOptions* options,
           char (&error)[DESK_OPTION_ERROR_CAPACITY]) {
    switch (o.kind) {
        case Kind::Zoom:
            if (!parseZoom(value, &options->zoom))
                return fail(error, "--zoom takes a whole number from 1 to 4, not", value);
            return true;
        case Kind::Shots:
            if (value[0] == '\0') return fail(error, "--shots needs a folder, not", value);
            options->shotsDir = value;
            return true;
        case Kind::Record:
            if (value[0] == '\0') return fail(error, "--record needs a file name, not", value);
            options->recordFile = value;
            return true;
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
    return true;
}
