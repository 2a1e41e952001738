// The six fonts the unit carries.
#include "tools/font_recipes.h"

#include <utility>

#include "tools/text_advances.h"

namespace {

// The 94 printable characters from '!' to '~'.
std::string printableAscii() {
    std::string s;
    for (char c = '!'; c <= '~'; ++c) s += c;
    return s;
}

FontRecipe makeRecipe(const char* name, int height, int stripWidth, std::string charset,
                      std::vector<int> advances, int topRow, int bottomRow, const char* faceFile) {
    FontRecipe s;
    s.name = name;
    s.height = height;
    s.stripWidth = stripWidth;
    s.charset = std::move(charset);
    s.advances = std::move(advances);
    s.topRow = topRow;
    s.bottomRow = bottomRow;
    s.digitFont = s.charset.find('A') == std::string::npos;
    s.faceFile = faceFile;
    return s;
}

// DejaVu Sans with its own TrueType hinting everywhere: whole-pixel stems.
// The 18-pixel text uses the bold face: the book face's stems fall between
// one and two pixels at that size, and hinting would make some glyphs heavy
// and others light.
std::vector<FontRecipe> makeRecipes() {
    const char* book = "DejaVuSans.ttf";
    const char* bold = "DejaVuSans-Bold.ttf";
    return {
        makeRecipe("TEXT_14", 14, 588, printableAscii(), TEXT_14_ADVANCES, 1, 11, book),
        makeRecipe("TEXT_18", 18, 756, printableAscii(), TEXT_18_ADVANCES, 1, 14, bold),
        makeRecipe("NUM_20", 20, 224, "0123456789+,-.tdkn:cfm",
                   {11, 11, 11, 11, 11, 11, 11, 11, 11, 11, 10, 4, 7, 4, 6, 8, 6, 10, 6, 9, 9, 21},
                   1, 18, book),
        makeRecipe("NUM_23", 23, 256, "0123456789+,-./dkn:cf",
                   {12, 12, 12, 12, 12, 12, 12, 12, 12, 12, 12, 5, 8, 5, 7, 9, 7, 11, 6, 11, 9}, 2,
                   21, book),
        makeRecipe(
            "NUM_29", 29, 324, "0123456789+,-./dkn:cfm",
            {15, 15, 15, 15, 15, 15, 15, 15, 15, 15, 15, 6, 11, 6, 10, 12, 8, 14, 8, 14, 10, 26}, 2,
            26, book),
        makeRecipe("NUM_51", 51, 360, "0123456789.+-",
                   {31, 31, 31, 31, 31, 31, 31, 31, 31, 31, 7, 17, 16}, 1, 51, book),
    };
}

}  // namespace

FontRecipe uiFontRecipe() {
    // Capitals on rows 2 to 10 (9 pixels), three rows below the baseline for
    // descenders: a 14-row cell.
    return makeRecipe("UI", 14, 0, " " + printableAscii(), {}, 2, 10, "DejaVuSans.ttf");
}

const std::vector<FontRecipe>& fontRecipes() {
    static const std::vector<FontRecipe> recipes = makeRecipes();
    return recipes;
}
