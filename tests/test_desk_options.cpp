// Options of the window program: accepted forms and every refusal.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "desk/options.h"

namespace {

struct Parsed {
    bool ok;
    DeskOptions options;
    std::string error;
};

Parsed parse(std::vector<const char*> args) {
    args.insert(args.begin(), "qx70sim");
    Parsed p{};
    char error[DESK_OPTION_ERROR_CAPACITY];
    p.ok = deskParseOptions(static_cast<int>(args.size()), args.data(), &p.options, error);
    p.error = error;
    return p;
}

}  // namespace

TEST(DeskOptions, NoOptionsKeepTheDefaults) {
    const Parsed p = parse({});
    ASSERT_TRUE(p.ok);
    EXPECT_EQ(p.options.zoom, 0);
    EXPECT_EQ(p.options.shotsDir, nullptr);
    EXPECT_EQ(p.options.recordFile, nullptr);
    EXPECT_FALSE(p.options.mute);
    EXPECT_FALSE(p.options.help);
    EXPECT_FALSE(p.options.version);
}

TEST(DeskOptions, EveryOptionInBothForms) {
    Parsed p = parse({"--zoom", "3", "--shots", "out", "--record=s.txt", "--mute"});
    ASSERT_TRUE(p.ok) << p.error;
    EXPECT_EQ(p.options.zoom, 3);
    EXPECT_STREQ(p.options.shotsDir, "out");
    EXPECT_STREQ(p.options.recordFile, "s.txt");
    EXPECT_TRUE(p.options.mute);
    p = parse({"--zoom=1", "--zoom", "4", "-h", "--version"});
    ASSERT_TRUE(p.ok) << p.error;
    EXPECT_EQ(p.options.zoom, 4) << "the last of a repeated option counts";
    EXPECT_TRUE(p.options.help);
    EXPECT_TRUE(p.options.version);
    p = parse({"--record", "--weird-but-a-file-name"});
    ASSERT_TRUE(p.ok) << "a value is taken as it stands";
    EXPECT_STREQ(p.options.recordFile, "--weird-but-a-file-name");
}

TEST(DeskOptions, BadZoomValuesAreRefused) {
    for (const char* v : {"0", "5", "-1", "2x", "x", "", "1.5", " 2", "99999999999"}) {
        const Parsed p = parse({"--zoom", v});
        EXPECT_FALSE(p.ok) << "'" << v << "'";
        EXPECT_NE(p.error.find("--zoom"), std::string::npos) << p.error;
    }
}

TEST(DeskOptions, OtherMistakesAreRefusedWithTheirReason) {
    const struct {
        std::vector<const char*> args;
        const char* reason;
    } cases[] = {
        {{"--bogus"}, "unknown option '--bogus'"},
        {{"-z", "2"}, "unknown option '-z'"},
        {{"picture.png"}, "unknown option 'picture.png'"},
        {{"--zoom"}, "missing value after '--zoom'"},
        {{"--mute=yes"}, "no value allowed in '--mute=yes'"},
        {{"--shots="}, "--shots needs a folder"},
        {{"--record", ""}, "--record needs a file name"},
        {{"--zoomy=2"}, "unknown option '--zoomy=2'"},
    };
    for (const auto& c : cases) {
        const Parsed p = parse(c.args);
        EXPECT_FALSE(p.ok) << c.reason;
        EXPECT_NE(p.error.find(c.reason), std::string::npos) << p.error;
    }
}
