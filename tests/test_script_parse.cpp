// The script language: what each command parses to, the error for each kind
// of bad line (with its line number), and that the writer's line parses back
// to the same command, which the session recorder relies on.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>

#include "device/device_fields.h"
#include "script/script.h"
#include "script/words.h"
#include "tests/script_fuzz_check.h"

namespace {

ScriptCommand one(const std::string& line) {
    const Script s = scriptParse(line);
    EXPECT_TRUE(s.errors.empty()) << line << ": " << (s.errors.empty() ? "" : s.errors[0].message);
    EXPECT_EQ(s.commands.size(), 1u) << line;
    return s.commands.empty() ? ScriptCommand{} : s.commands[0];
}

// The single error a one-line script gives.
std::string errorOf(const std::string& line) {
    const Script s = scriptParse(line);
    EXPECT_EQ(s.errors.size(), 1u) << line;
    return s.errors.empty() ? std::string() : s.errors[0].message;
}

void expectSameCommand(const ScriptCommand& a, const ScriptCommand& b, const std::string& context) {
    EXPECT_TRUE(fuzzcheck::sameCommand(a, b)) << context;
}

}  // namespace

TEST(ScriptParse, ButtonsAndDurations) {
    EXPECT_EQ(one("press view").op, ScriptOp::Press);
    EXPECT_EQ(one("RELEASE Both").button, ScriptButton::Both);
    EXPECT_EQ(one("click left").ticks, SCRIPT_CLICK_TICKS);
    EXPECT_EQ(one("click right 12").ticks, 12);
    EXPECT_EQ(one("hold view").ticks, 60);
    EXPECT_EQ(one("hold left").ticks, 60);
    EXPECT_EQ(one("hold right").ticks, 120);
    EXPECT_EQ(one("hold both").ticks, 61);
    EXPECT_EQ(one("hold right 1.5s").ticks, 150);
    EXPECT_EQ(one("wait 250").ticks, 250);
    EXPECT_EQ(one("wait 250 ticks").ticks, 250);
    EXPECT_EQ(one("wait 1 tick").ticks, 1);
    EXPECT_EQ(one("wait 0").ticks, 0);
    EXPECT_EQ(one("wait 2s").ticks, 200);
    EXPECT_EQ(one("wait 2 seconds").ticks, 200);
    EXPECT_EQ(one("wait 0.07 s").ticks, 7);
    EXPECT_EQ(one("wait 1.5S").ticks, 150);
    EXPECT_TRUE(one("wait 3s").inSeconds);
    EXPECT_EQ(one("wait 1000000s").ticks, 100000000);
    EXPECT_EQ(one("wait 5m").ticks, 30000);
    EXPECT_EQ(one("wait 1.5h").ticks, 540000);
    EXPECT_EQ(one("wait 1h30m").ticks, 540000);
    EXPECT_EQ(one("wait 1m7.5s").ticks, 6750);
    EXPECT_EQ(one("wait 2 minutes").ticks, 12000);
    EXPECT_EQ(one("wait 0.25 h").ticks, 90000);
    EXPECT_EQ(one("wait 1.230s").ticks, 123) << "trailing zeros are still whole ticks";
    EXPECT_TRUE(one("wait 1h").inSeconds);
}

TEST(ScriptParse, ClockSetAndSlots) {
    const ScriptCommand t = one("clock 23:59:58");
    EXPECT_FALSE(t.clockHasDate);
    EXPECT_EQ(t.clock.hour * 10000 + t.clock.minute * 100 + t.clock.second, 235958);
    const ScriptCommand d = one("clock 2024-02-29 00:00:00");
    EXPECT_TRUE(d.clockHasDate);
    EXPECT_EQ(d.clock.year * 10000 + d.clock.month * 100 + d.clock.day, 20240229);

    const ScriptCommand bus = one("set busVoltage 4.9");
    EXPECT_STREQ(bus.field->name, "busVoltage");
    EXPECT_EQ(bus.value, static_cast<double>(4.9f))
        << "a float field holds the float nearest the text";
    const ScriptCommand pair = one("set AXISPAIRREADING[2][1] -0.25");
    EXPECT_EQ(pair.row, 2);
    EXPECT_EQ(pair.col, 1);
    EXPECT_EQ(one("set gLimitInput[1] 1").row, 1);
    EXPECT_EQ(one("set backgroundColour 0xFF102030").value, static_cast<double>(0xFF102030u));
    EXPECT_EQ(one("set densityAltitude 1e4").value, 10000.0);
    EXPECT_EQ(one("set busVoltage 0x10").value, 16.0) << "whole numbers in hex everywhere";
    EXPECT_EQ(one("set inFlight 0x1").value, 1.0);

    const ScriptCommand slot = one("slot 99 -2");
    EXPECT_EQ(slot.slot, 99);
    EXPECT_EQ(slot.slotValue, -2);
    EXPECT_EQ(one("slot 2 0x7F").slotValue, 127);
    EXPECT_EQ(one("slot 3 0xFFFFFFFF").slotValue, -1);
    EXPECT_EQ(one("journal clear").op, ScriptOp::JournalClear);
}

TEST(ScriptParse, ShotsAndExpectations) {
    const ScriptCommand s = one("shot out/data.png window scale 3");
    EXPECT_EQ(s.path, "out/data.png");
    EXPECT_TRUE(s.window);
    EXPECT_EQ(s.scale, 3);
    EXPECT_FALSE(one("shot a.PNG screen").window);

    EXPECT_EQ(one("expect page gmeter").page, 5);
    EXPECT_EQ(one("expect page 7").page, 7);
    EXPECT_EQ(one("expect slot 11 2").slotValue, 2);

    const ScriptCommand j = one("expect journal Sound 3 2 count 4");
    EXPECT_EQ(j.request.op, DevOp::Sound);
    EXPECT_EQ(j.args, 2);
    EXPECT_EQ(j.request.a, 3);
    EXPECT_EQ(j.request.b, 2);
    EXPECT_EQ(j.count, 4);
    const ScriptCommand w = one("expect journal writeParameter 80 1 0.5");
    EXPECT_EQ(w.args, 3);
    EXPECT_EQ(w.request.x, 0.5f);
    EXPECT_EQ(one("expect journal demoOff").count, -1);

    const ScriptCommand p = one("expect pixel window 449 549 0xFFFFFF");
    EXPECT_TRUE(p.window);
    EXPECT_EQ(p.x, 449);
    EXPECT_EQ(p.colour, 0xFFFFFFu);
    EXPECT_EQ(one("expect pixel 3 4 0xFF00FF00").colour, 0x00FF00u) << "alpha is ignored";
}

TEST(ScriptParse, CommentsBlankLinesAndLineNumbers) {
    const Script s = scriptParse("# header\n\n  wait 5   # five ticks\r\n\t click view\n#end");
    ASSERT_TRUE(s.errors.empty());
    ASSERT_EQ(s.commands.size(), 2u);
    EXPECT_EQ(s.commands[0].line, 3);
    EXPECT_EQ(s.commands[1].line, 4);
    EXPECT_TRUE(scriptParse("").commands.empty());
    EXPECT_TRUE(scriptParse("").errors.empty());
}

TEST(ScriptParse, EachBadLineNamesItsProblem) {
    struct Case {
        const char* line;
        const char* message;
    };
    const Case cases[] = {
        {"jump view", "unknown command 'jump'"},
        {"press", "press: missing button (view, left, right or both)"},
        {"press up", "press: unknown button 'up' (view, left, right or both)"},
        {"press view twice", "press: unexpected 'twice'"},
        {"click view 0", "click: duration of 0 ticks outside 1 to 100000000"},
        {"wait", "wait: missing duration"},
        {"wait x1", "wait: bad duration 'x1': ticks, or a time such as 2s, 1.5m or 1h30m"},
        {"wait -5", "wait: duration of -5 ticks outside 0 to 100000000"},
        {"wait 1.234s", "wait: bad duration '1.234s': ticks, or a time such as 2s, 1.5m or 1h30m"},
        {"wait 1000000.01s", "wait: duration of 100000001 ticks outside 0 to 100000000"},
        {"wait 300h", "wait: duration of 108000000 ticks outside 0 to 100000000"},
        {"wait 1m1h", "wait: bad duration '1m1h': ticks, or a time such as 2s, 1.5m or 1h30m"},
        {"wait 1h1h", "wait: bad duration '1h1h': ticks, or a time such as 2s, 1.5m or 1h30m"},
        {"wait 1.5h30m",
         "wait: bad duration '1.5h30m': ticks, or a time such as 2s, 1.5m or 1h30m"},
        {"wait 0.00001h",
         "wait: bad duration '0.00001h': ticks, or a time such as 2s, 1.5m or 1h30m"},
        {"wait h", "wait: bad duration 'h': ticks, or a time such as 2s, 1.5m or 1h30m"},
        {"wait 5 ms", "wait: unexpected 'ms'"},
        {"repeat", "repeat: missing count"},
        {"repeat 0", "repeat: count 0 outside 1 to 100000"},
        {"repeat 100001", "repeat: count 100001 outside 1 to 100000"},
        {"repeat 2", "repeat without end"},
        {"end", "end without repeat"},
        {"end 2", "end: unexpected '2'"},
        {"wait 99999999999999999999",
         "wait: bad duration '99999999999999999999': ticks, or a time such as 2s, 1.5m or 1h30m"},
        {"clock 24:00:00", "clock: bad time '24:00:00' (HH:MM:SS)"},
        {"clock 2023-02-29 10:00:00", "clock: bad date '2023-02-29' (YYYY-MM-DD)"},
        {"clock 12:5", "clock: bad time '12:5' (HH:MM:SS)"},
        {"set warpFactor 9", "set: unknown device field 'warpFactor'"},
        {"set busVoltage", "set: missing value"},
        {"set busVoltage high", "set: busVoltage takes a number from 0 to 60, not 'high'"},
        {"set busVoltage nan", "set: busVoltage takes a number from 0 to 60, not 'nan'"},
        {"set busVoltage inf", "set: busVoltage takes a number from 0 to 60, not 'inf'"},
        {"set busVoltage 61", "set: busVoltage takes a number from 0 to 60, not '61'"},
        {"set inFlight 0.5", "set: inFlight takes 0 or 1, not '0.5'"},
        {"set inFlight 2", "set: inFlight takes 0 or 1, not '2'"},
        {"set gLimitInput 1", "set: gLimitInput takes one index"},
        {"set busVoltage[0] 1", "set: busVoltage takes no index"},
        {"set gLimitInput[3] 1", "set: the index of gLimitInput runs 0 to 2, not 'gLimitInput[3]'"},
        {"set axisPairReading[0] 1", "set: axisPairReading takes two indices"},
        {"set gLimitInput[x] 1",
         "set: bad index in 'gLimitInput[x]': the index of gLimitInput runs 0 to 2"},
        {"set gLimitInput[1 1",
         "set: bad index in 'gLimitInput[1': the index of gLimitInput runs 0 to 2"},
        {"set axisPairReading[3][0] 1",
         "set: the indices of axisPairReading run 0 to 2 and 0 to 1, not 'axisPairReading[3][0]'"},
        {"slot x 1", "slot: bad slot 'x': a whole number from 0 to 99, decimal or 0x hexadecimal"},
        {"slot 100 1", "slot: slot 100 outside 0 to 99"},
        {"slot -1 1", "slot: slot -1 outside 0 to 99"},
        {"slot 5 4294967296", "slot: value 4294967296 outside -2147483648 to 4294967295"},
        {"journal", "journal: journal takes 'clear'"},
        {"feed", "feed: missing file name"},
        {"feed a.feed b.feed", "feed: unexpected 'b.feed'"},
        {"shot", "shot: missing file name"},
        {"shot picture.jpg", "shot: file name 'picture.jpg' must end in .png"},
        {"shot .png", "shot: file name '.png' must end in .png"},
        {"shot a.png scale 9", "shot: scale 9 outside 1 to 8"},
        {"shot a.png sideways", "shot: unexpected 'sideways'"},
        {"expect", "expect: missing what to expect (page, slot, journal, pixel or screen)"},
        {"expect colour red",
         "expect: cannot expect 'colour' (page, slot, journal, pixel or screen)"},
        {"expect screen", "expect: missing reference"},
        {"expect screen ref.bmp", "expect: reference 'ref.bmp' must end in .png"},
        {"expect screen a.png region 0 0 129 1",
         "expect: region 0 0 129 1 reaches outside the screen (128 x 160)"},
        {"expect screen a.png region 1 549 1 2 window",
         "expect: region 1 549 1 2 reaches outside the window (450 x 550)"},
        {"expect screen a.png region 0 0 0 1", "expect: width 0 outside 1 to 550"},
        {"expect screen a.png region 0 0 1", "expect: missing height"},
        {"expect page 8",
         "expect: unknown page '8' (0 to 7, or splash, data, runtime, timer1, timer2, gmeter, "
         "attitude, setup)"},
        {"expect slot 100 0", "expect: slot 100 outside 0 to 99"},
        {"expect journal beep", "expect: unknown request 'beep'"},
        {"expect journal sound 1 2 3 4", "expect: unexpected '4'"},
        {"expect journal sound count", "expect: missing count"},
        {"expect pixel 128 0 0", "expect: x 128 outside 0 to 127"},
        {"expect pixel window 0 550 0", "expect: y 550 outside 0 to 549"},
        {"expect pixel 0 0 0x1FFFFFFFF", "expect: colour 8589934591 outside 0 to 4294967295"},
        {"click view 1 2 3 4 5 6 7 8 9 10 11", "too many words"},
        {"click\x01 view", "control character in the line"},
    };
    for (const Case& c : cases) EXPECT_EQ(errorOf(c.line), c.message) << c.line;
}

TEST(ScriptParse, ErrorsCarryTheirLinesAndTheParserGoesOn) {
    const Script s = scriptParse("wait 1\nfly\nwait 2\nslot 200 0\nshot a.png\nshot a.png\n");
    ASSERT_EQ(s.errors.size(), 3u);
    EXPECT_EQ(s.errors[0].line, 2);
    EXPECT_EQ(s.errors[1].line, 4);
    EXPECT_EQ(s.errors[2].line, 6);
    EXPECT_EQ(s.errors[2].message, "shot: a.png is already taken on line 5");
    EXPECT_EQ(s.commands.size(), 4u);

    std::string many;
    for (int i = 0; i < 50; ++i) many += "nonsense\n";
    const Script m = scriptParse(many);
    ASSERT_EQ(static_cast<int>(m.errors.size()), SCRIPT_MAX_ERRORS + 1);
    EXPECT_EQ(m.errors.back().message, "too many errors; the rest of the script was not checked");
}

TEST(ScriptParse, RepeatsPairWithTheirEndsAndRefuseShotsTheyWouldRepeat) {
    const char* text =
        "repeat 2\n"
        "  repeat 3\n"
        "    wait 1\n"
        "  end\n"
        "  shot a.png\n"
        "end\n"
        "repeat 1\n"
        "  shot b.png\n"
        "end\n";
    const Script s = scriptParse(text);
    ASSERT_EQ(s.errors.size(), 1u) << "a repeat of one pass takes its shot once";
    EXPECT_EQ(s.errors[0].line, 5);
    EXPECT_EQ(s.errors[0].message,
              "shot: a.png would be taken again on each pass of the repeat on line 1, each picture "
              "replacing the last");
    ASSERT_EQ(s.commands.size(), 9u);
    EXPECT_EQ(s.commands[0].match, 5);
    EXPECT_EQ(s.commands[5].match, 0);
    EXPECT_EQ(s.commands[1].match, 3);
    EXPECT_EQ(s.commands[3].match, 1);

    // Unpaired lines are dropped with their errors, in line order; what is
    // left still nests and is written back to the same commands.
    const char* unpaired = "end\nrepeat 2\nwait 1\nrepeat 3\nend\nend\nend\nrepeat 4\n";
    const Script u = scriptParse(unpaired);
    ASSERT_EQ(u.errors.size(), 3u);
    EXPECT_EQ(u.errors[0].line, 1);
    EXPECT_EQ(u.errors[1].line, 7);
    EXPECT_EQ(u.errors[2].line, 8);
    EXPECT_EQ(u.commands.size(), 5u);

    // Nested repeats may not run a line more often than one repeat may.
    const char* nested =
        "repeat 1000\nrepeat 100\nwait 1\nend\nrepeat 101\nrepeat 1\nend\nend\nend\n";
    const Script n = scriptParse(nested);
    ASSERT_EQ(n.errors.size(), 1u) << "one error for the repeat that passes the limit";
    EXPECT_EQ(n.errors[0].line, 5);
    EXPECT_EQ(
        n.errors[0].message,
        "repeat: with the repeats around it, its lines would run 101000 times; at most 100000");
    for (const char* t : {text, unpaired}) {
        EXPECT_EQ(fuzzcheck::check(reinterpret_cast<const uint8_t*>(t), std::strlen(t), false), "");
    }
}

TEST(ScriptFormat, EveryCommandParsesBackFromItsLine) {
    const char* lines[] = {
        "press view",
        "release both",
        "click left",
        "click right 7",
        "hold view",
        "hold right 2.5s",
        "hold both 0.01s",
        "wait 123",
        "wait 4s",
        "wait 1.05s",
        "clock 07:08:09",
        "clock 2026-12-31 23:59:59",
        "set busVoltage 4.9",
        "set statusQuality[6] 0.25",
        "set axisPairReading[1][0] -1234.5",
        "set gLimitInput[2] 1",
        "set backgroundColour 0xFF0000FF",
        "slot 16 0",
        "slot 15 -2",
        "journal clear",
        "shot a.png",
        "shot dir/b.png window scale 2",
        "expect page attitude",
        "expect slot 2 127",
        "expect journal secondTick count 3",
        "expect journal writeValue 8 0 0",
        "expect journal writeParameter 80 1 -0.125",
        "expect pixel 0 159 0xFF00FF",
        "expect pixel window 10 20 0x000000",
        "expect screen ref.png",
        "expect screen dir/w.png window region 10 20 300 400",
        "feed flights/turn.feed",
    };
    for (const char* line : lines) {
        const ScriptCommand c = one(line);
        const std::string written = scriptFormat(c);
        EXPECT_EQ(written, line);
        expectSameCommand(one(written), c, line);
    }
}

TEST(ScriptFormat, RandomDeviceValuesSurviveTheRoundTrip) {
    std::mt19937 rng(7);
    for (int i = 0; i < 2000; ++i) {
        const DeviceField& f = deviceFieldAt(static_cast<int>(rng() % deviceFieldCount()));
        ScriptCommand c;
        c.op = ScriptOp::Set;
        c.field = &f;
        c.row = static_cast<int>(rng() % f.rows);
        c.col = static_cast<int>(rng() % f.cols);
        const double u = std::uniform_real_distribution<double>(f.min, f.max)(rng);
        c.value =
            f.type == FieldType::Float ? static_cast<double>(static_cast<float>(u)) : std::floor(u);
        if (!deviceFieldAccepts(f, c.value)) continue;  // a float rounded just past a bound
        expectSameCommand(one(scriptFormat(c)), c, scriptFormat(c));
    }
}

// The browser build reads floats with strtof: it must accept, refuse and
// round every word exactly as std::from_chars does here.
TEST(ScriptWords, FloatsReadTheSameWithStrtofAsWithFromChars) {
    std::vector<std::string> words = {"4.9",
                                      "-0.25",
                                      "1e4",
                                      "1E-3",
                                      "+2.5",
                                      "+-5",
                                      "1.",
                                      ".5",
                                      "-.5",
                                      "0",
                                      "-0",
                                      "00012",
                                      "1e-40",
                                      "1.4e-45",
                                      "7e-46",
                                      "1e-50",
                                      "0e-99999",
                                      "1e39",
                                      "3.4028235e38",
                                      "3.40282357e38",
                                      ".",
                                      "",
                                      "-",
                                      "+",
                                      "++1",
                                      "1e",
                                      "1e+",
                                      "e5",
                                      "0x10",
                                      "inf",
                                      "-inf",
                                      "nan",
                                      "infinity",
                                      " 1",
                                      "1 ",
                                      "1.2.3",
                                      "1e5.5",
                                      "1,5",
                                      "1e+05",
                                      "1.e5",
                                      "--1",
                                      "1f"};
    std::mt19937 rng(14);
    char text[64];
    for (int i = 0; i < 4000; ++i) {
        const float x = std::bit_cast<float>(static_cast<uint32_t>(rng()));
        const char* formats[] = {"%.9g", "%.3g", "%.12e", "%.6f"};
        std::snprintf(text, sizeof text, formats[i % 4], static_cast<double>(x));
        words.push_back(text);
        std::snprintf(text, sizeof text, "%u.%08ue%d", static_cast<unsigned>(rng()),
                      static_cast<unsigned>(rng() % 100000000u), static_cast<int>(rng() % 90) - 50);
        words.push_back(text);
    }
    for (const std::string& w : words) {
        float a = -7.0f, b = -7.0f;
        const bool readA = wordToFloat(w, a);
        EXPECT_EQ(readA, wordToFloatByStrtof(w, b)) << "'" << w << "'";
        if (readA) {
            EXPECT_EQ(std::bit_cast<uint32_t>(a), std::bit_cast<uint32_t>(b)) << w;
        }
    }
}

TEST(DeviceFields, TableNamesEveryFieldAndKeepsItsShape) {
    EXPECT_EQ(deviceFieldFind("GREADING"), deviceFieldFind("gReading"));
    EXPECT_EQ(deviceFieldFind("gReadin"), nullptr);
    EXPECT_EQ(deviceFieldFind(""), nullptr);
    const DeviceField* quality = deviceFieldFind("statusQuality");
    ASSERT_NE(quality, nullptr);
    EXPECT_EQ(quality->rows, DEV_STATUS_LETTERS);
    EXPECT_EQ(quality->indices, 1);

    SimDevice dev;
    const DeviceField* pair = deviceFieldFind("axisPairReading");
    deviceFieldWrite(dev, *pair, 2, 1, 7.5);
    EXPECT_EQ(dev.axisPairReading[2][1], 7.5f);
    EXPECT_EQ(dev.axisPairReading[1][1], 0.0f);
    EXPECT_EQ(deviceFieldRead(dev, *pair, 2, 1), 7.5);
    deviceFieldWrite(dev, *deviceFieldFind("backgroundColour"), 0, 0, 4278255360.0);
    EXPECT_EQ(dev.backgroundColour, 0xFF00FF00u);
    deviceFieldWrite(dev, *deviceFieldFind("aoaInput"), 2, 0, 1);
    EXPECT_EQ(dev.aoaInput[2], 1);

    // Writes outside the shape or the range change nothing.
    const SimDevice before = dev;
    deviceFieldWrite(dev, *pair, 3, 0, 1.0);
    deviceFieldWrite(dev, *deviceFieldFind("busVoltage"), 0, 0, 1000.0);
    deviceFieldWrite(dev, *deviceFieldFind("inFlight"), 0, 0, 0.5);
    EXPECT_EQ(std::memcmp(&before, &dev, sizeof dev), 0);
    EXPECT_EQ(deviceFieldRead(dev, *pair, -1, 0), 0.0);

    // Every field reads back its defaults as the device starts.
    const SimDevice fresh;
    for (int i = 0; i < deviceFieldCount(); ++i) {
        const DeviceField& f = deviceFieldAt(i);
        for (int r = 0; r < f.rows; ++r) {
            for (int c = 0; c < f.cols; ++c) {
                EXPECT_TRUE(deviceFieldAccepts(f, deviceFieldRead(fresh, f, r, c)))
                    << f.name << " default in range";
            }
        }
    }
}
