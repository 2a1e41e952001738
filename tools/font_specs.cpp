// The six fonts the unit carries.
#include "tools/font_specs.h"

namespace {

// The 94 printable characters from '!' to '~'.
std::string printableAscii() {
    std::string s;
    for (char c = '!'; c <= '~'; ++c) s += c;
    return s;
}

const std::vector<int> TEXT_14_ADVANCES = {
    4, 5, 7, 6, 10, 8, 3, 3, 4, 5, 6, 3, 4, 4, 3, 6, 6, 6, 6, 7, 6, 6, 7, 6,
    6, 4, 4, 6, 7, 6, 7, 11, 9, 8, 8, 8, 8, 7, 9, 8, 3, 6, 8, 7, 10, 7, 9, 8,
    9, 8, 7, 7, 8, 8, 10, 8, 7, 8, 3, 3, 3, 7, 7, 4, 6, 6, 7, 7, 6, 4, 7, 7,
    2, 4, 6, 3, 11, 6, 7, 7, 7, 4, 6, 5, 6, 7, 8, 6, 6, 6, 5, 2, 5, 6,
};

const std::vector<int> TEXT_18_ADVANCES = {
    5, 7, 8, 8, 14, 10, 3, 5, 5, 5, 9, 4, 5, 3, 5, 8, 7, 9, 7, 9, 8, 8, 8, 8,
    8, 5, 5, 8, 9, 8, 9, 14, 11, 11, 10, 11, 10, 8, 11, 10, 4, 9, 11, 8, 12, 11, 11, 10,
    11, 10, 10, 9, 10, 10, 14, 10, 9, 10, 4, 4, 5, 8, 9, 4, 8, 9, 8, 9, 8, 5, 9, 9,
    3, 5, 8, 3, 13, 9, 9, 9, 9, 6, 7, 6, 8, 8, 12, 8, 8, 7, 6, 3, 6, 9,
};

std::vector<FontSpec> makeSpecs() {
    std::vector<FontSpec> specs(6);

    FontSpec& t14 = specs[0];
    t14.name = "TEXT_14";
    t14.height = 14;
    t14.stripWidth = 588;
    t14.charset = printableAscii();
    t14.advances = TEXT_14_ADVANCES;
    t14.topRow = 1;
    t14.bottomRow = 11;

    FontSpec& t18 = specs[1];
    t18.name = "TEXT_18";
    t18.height = 18;
    t18.stripWidth = 756;
    t18.charset = printableAscii();
    t18.advances = TEXT_18_ADVANCES;
    t18.topRow = 1;
    t18.bottomRow = 14;

    FontSpec& n20 = specs[2];
    n20.name = "NUM_20";
    n20.height = 20;
    n20.stripWidth = 224;
    n20.charset = "0123456789+,-.tdkn:cfm";
    n20.advances = {11, 11, 11, 11, 11, 11, 11, 11, 11, 11, 10, 4, 7, 4, 6, 8, 6, 10, 6, 9, 9, 21};
    n20.topRow = 1;
    n20.bottomRow = 18;

    FontSpec& n23 = specs[3];
    n23.name = "NUM_23";
    n23.height = 23;
    n23.stripWidth = 256;
    n23.charset = "0123456789+,-./dkn:cf";
    n23.advances = {12, 12, 12, 12, 12, 12, 12, 12, 12, 12, 12, 5, 8, 5, 7, 9, 7, 11, 6, 11, 9};
    n23.topRow = 2;
    n23.bottomRow = 21;

    FontSpec& n29 = specs[4];
    n29.name = "NUM_29";
    n29.height = 29;
    n29.stripWidth = 324;
    n29.charset = "0123456789+,-./dkn:cfm";
    n29.advances = {15, 15, 15, 15, 15, 15, 15, 15, 15, 15, 15, 6, 11, 6, 10, 12, 8, 14, 8, 14, 10, 26};
    n29.topRow = 2;
    n29.bottomRow = 26;

    FontSpec& n51 = specs[5];
    n51.name = "NUM_51";
    n51.height = 51;
    n51.stripWidth = 360;
    n51.charset = "0123456789.+-";
    n51.advances = {31, 31, 31, 31, 31, 31, 31, 31, 31, 31, 7, 17, 16};
    n51.topRow = 1;
    n51.bottomRow = 51;

    for (size_t i = 2; i < specs.size(); ++i) specs[i].digitFont = true;
    // DejaVu Sans with its own TrueType hinting everywhere: whole-pixel stems.
    // The 18-pixel text uses the bold face: the book face's stems fall between
    // one and two pixels at that size, and hinting would make some glyphs
    // heavy and others light.
    for (FontSpec& s : specs) s.faceFile = "DejaVuSans.ttf";
    t18.faceFile = "DejaVuSans-Bold.ttf";
    return specs;
}

}  // namespace

const std::vector<FontSpec>& fontSpecs() {
    static const std::vector<FontSpec> specs = makeSpecs();
    return specs;
}
