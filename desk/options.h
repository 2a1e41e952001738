// Command-line options of the window program.
#pragma once

inline constexpr const char* DESK_USAGE =
    "usage: qx70sim [--zoom N] [--shots DIR] [--record FILE] [--mute] [--help] [--version]";
inline constexpr int DESK_OPTION_ERROR_CAPACITY = 160;

struct DeskOptions {
    int zoom = 0;                      // 1 to 4; 0 when not given
    const char* shotsDir = nullptr;    // where F12 saves; null for the current folder
    const char* recordFile = nullptr;  // where the session is recorded; null for none
    bool mute = false;                 // no sound at all
    bool help = false;                 // print the usage and the keys, then exit
    bool version = false;              // print the version, then exit
};

// Reads argv[1..argc-1]; each option may come as "--name value" or
// "--name=value", a repeated option takes its last value. On a bad option or
// value returns false with one line of explanation in error.
bool deskParseOptions(int argc, const char* const* argv, DeskOptions* options,
                      char (&error)[DESK_OPTION_ERROR_CAPACITY]);
