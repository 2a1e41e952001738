// Writes the generated C++ sources the program compiles: the font tables and
// the splash picture.
#pragma once

#include "tools/font_recipes.h"

#include <cstdint>
#include <string>
#include <vector>

// One generated font: its fixed tables, packed strip and how it was made.
struct GeneratedFont {
    const FontRecipe* recipe;
    std::vector<uint8_t> strip;  // packed 4-bit rows, bottom row first
    std::string origin;          // face and size, for the file's header comment
};

// Source text of gfx/font_data.cpp.
std::string fontDataSource(const std::vector<GeneratedFont>& fonts);

// Source text of desk/ui_font_data.cpp: the window's own face as UI_FONT.
std::string uiFontDataSource(const GeneratedFont& font);

// Source text of gfx/splash_data.cpp; pixels are 0x0RGB, rows bottom first.
std::string splashDataSource(const std::vector<uint16_t>& pixels);

// Writes text to path unless the file already holds exactly that text, so an
// unchanged table does not trigger a rebuild. Returns false on failure.
bool writeIfChanged(const std::string& path, const std::string& text, bool& changed);
