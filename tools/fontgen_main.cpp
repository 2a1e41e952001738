// fontgen: renders the six fonts, the window's own face and the splash
// picture and writes the tables the program compiles (gfx/font_data.cpp,
// desk/ui_font_data.cpp, gfx/splash_data.cpp).
// Usage: fontgen <source directory>
#include "tools/font_build.h"
#include "tools/font_recipes.h"
#include "tools/splash_art.h"
#include "tools/table_writer.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

const char* hintingName(Hinting h) {
    switch (h) {
        case Hinting::None: return "unhinted";
        case Hinting::Vertical: return "light auto-hinting";
        case Hinting::Full: return "TrueType hinting (monochrome mode)";
    }
    return "";
}

bool write(const std::string& path, const std::string& text) {
    bool changed = false;
    if (!writeIfChanged(path, text, changed)) {
        std::fprintf(stderr, "fontgen: cannot write %s\n", path.c_str());
        return false;
    }
    std::printf("fontgen: %s %s\n", path.c_str(), changed ? "written" : "unchanged");
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: fontgen <source directory>\n");
        return 2;
    }
    std::string root = argv[1];
    std::vector<GeneratedFont> fonts;
    for (const FontRecipe& recipe : fontRecipes()) {
        double ppem = 0;
        Coverage strip = buildFontStrip(recipe, &ppem);
        char origin[160];
        std::snprintf(origin, sizeof origin, "%s at %.2f px per em, %s, coverage gamma %.2f",
                      recipe.faceFile, ppem, hintingName(recipe.hinting), recipe.gamma);
        fonts.push_back({&recipe, packStrip(strip, recipe.gamma), origin});
        std::printf("fontgen: %s from %s\n", recipe.name.c_str(), origin);
    }
    FontRecipe ui = uiFontRecipe();
    setNaturalAdvances(ui);
    double ppem = 0;
    const Coverage uiStrip = buildFontStrip(ui, &ppem);
    char uiOrigin[160];
    std::snprintf(uiOrigin, sizeof uiOrigin, "%s at %.2f px per em, %s, own advances", ui.faceFile,
                  ppem, hintingName(ui.hinting));
    std::printf("fontgen: UI from %s\n", uiOrigin);
    bool ok = write(root + "/gfx/font_data.cpp", fontDataSource(fonts));
    ok = write(root + "/desk/ui_font_data.cpp",
               uiFontDataSource({&ui, packStrip(uiStrip, ui.gamma), uiOrigin})) &&
         ok;
    ok = write(root + "/gfx/splash_data.cpp", splashDataSource(paintSplash())) && ok;
    return ok ? 0 : 1;
}
