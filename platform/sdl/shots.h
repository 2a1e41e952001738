// Writing the screenshot files of the window program.
#pragma once

#include <string>

struct ShotFiles {
    bool ok;
    std::string screen;  // file names within the folder
    std::string window;
    std::string message;  // where they went, or why they could not be written
};

// Writes the screen at 1:1 and the window at zoom as PNG files named by the
// local time into dir (null: the current folder); never overwrites a file.
ShotFiles sdlSaveShots(const char* dir, int zoom);
