// Live readings: the three formats with good, malformed, partial,
// out-of-range and oversized input; the feed's steps (demo off, pitch ramp,
// validity through a silence, the per-tick budget, counts and status); and
// captures, whose lines played by a script reach the unit on the same ticks as
// the set lines the window would have recorded.
#include <gtest/gtest.h>

#include <array>
#include <bit>
#include <cmath>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "desk/feed.h"
#include "desk/panel_model.h"
#include "script/run.h"
#include "script/script.h"

namespace {

using Bytes = std::vector<uint8_t>;

Bytes text(const std::string& s) { return Bytes(s.begin(), s.end()); }

using XpRow = std::pair<int32_t, std::array<float, 8>>;

// A DATA datagram, little-endian, less its last cut bytes.
Bytes xp(const std::vector<XpRow>& rows, size_t cut = 0) {
    Bytes b = {'D', 'A', 'T', 'A', '*'};
    auto put32 = [&b](uint32_t v) {
        for (int i = 0; i < 4; ++i) b.push_back(static_cast<uint8_t>(v >> (8 * i)));
    };
    for (const XpRow& r : rows) {
        put32(static_cast<uint32_t>(r.first));
        for (float v : r.second) put32(std::bit_cast<uint32_t>(v));
    }
    b.resize(b.size() - cut);
    return b;
}

constexpr float NONE = -999.0f;  // what the network output sends in unused columns

const std::vector<XpRow> XP_GOOD = {
    {1, {0.1f, 0.2f, NONE, NONE, NONE, NONE, NONE, NONE}},  // times: not read
    {3, {120.0f, 118.0f, 130.5f, 128.0f, NONE, 138.0f, 150.0f, 147.0f}},
    {4, {0.2f, NONE, 500.0f, NONE, 1.25f, 0.1f, 0.0f, NONE}},
    {6, {24.89f, -5.0f, -4.0f, 0.9f, 130.0f, 40.0f, NONE, 32.2f}},
    {17, {3.5f, -20.0f, 270.0f, 268.0f, NONE, NONE, NONE, NONE}},
    {18, {6.0f, 0.5f, NONE, NONE, NONE, NONE, NONE, 0.4f}},
};

std::vector<XpRow> xpWith(int row, int column, float v) {
    std::vector<XpRow> rows = XP_GOOD;
    for (XpRow& r : rows)
        if (r.first == row) r.second[column] = v;
    return rows;
}

// A plain line padded with blanks to exactly n bytes.
Bytes padded(size_t n) {
    std::string s = "gReading=1.5";
    s.resize(n, ' ');
    return text(s);
}

struct Want {
    const char* field;
    int row;
    double value;
    double tolerance;
};

struct Case {
    const char* what;
    Bytes datagram;
    int accepted;
    int dropped;
    FeedReject reject;
    std::vector<Want> values;
};

const char* FG_GOOD = "10.5,-2.25,1.5,4,100,5000,25,14.2,0\n";

std::vector<Case> cases() {
    using R = FeedReject;
    return {
        {"plain: the guide's example",
         text("roll=12.5 pitch=3 gReading=1.8 busVoltage=14.2"),
         1,
         0,
         R::None,
         {{"rollAngle", 0, 12.5, 0},
          {"pitchAngle", 0, 3, 0},
          {"gReading", 0, 1.8f, 0},
          {"busVoltage", 0, 14.2f, 0}}},
        {"plain: commas, an index, a whole number with a fraction",
         text("rollAngle=-30,aoaInput[1]=1, inFlight=1.0\r\n"),
         1,
         0,
         R::None,
         {{"rollAngle", 0, -30, 0}, {"aoaInput", 1, 1, 0}, {"inFlight", 0, 1, 0}}},
        {"plain: a pair without value", text("roll=1 pitch"), 0, 1, R::Malformed, {}},
        {"plain: no name", text("=3"), 0, 1, R::Malformed, {}},
        {"plain: unknown field", text("roll=1 warp=9"), 0, 1, R::UnknownField, {}},
        {"plain: bad index", text("aoaInput[3]=1"), 0, 1, R::Malformed, {}},
        {"plain: not a number", text("gReading=high"), 0, 1, R::Malformed, {}},
        {"plain: NaN", text("roll=nan"), 0, 1, R::NotFinite, {}},
        {"plain: infinity", text("gReading=-inf"), 0, 1, R::NotFinite, {}},
        {"plain: beyond the field", text("roll=181"), 0, 1, R::OutOfRange, {}},
        {"plain: beyond a float", text("roll=1e39"), 0, 1, R::OutOfRange, {}},
        {"plain: a flag of 0.5", text("inFlight=0.5"), 0, 1, R::OutOfRange, {}},
        {"plain: control character", text("roll=1\x01"), 0, 1, R::Malformed, {}},
        {"plain: only blank lines", text("\n \n"), 0, 1, R::Malformed, {}},
        {"plain: one bad line of three is dropped alone, the newest value wins",
         text("roll=1 pitch=2\nwarp=2\nroll=4\n"),
         2,
         1,
         R::UnknownField,
         {{"rollAngle", 0, 4, 0}, {"pitchAngle", 0, 2, 0}}},
        {"plain: exactly 64 KiB",
         padded(FEED_MAX_DATAGRAM),
         1,
         0,
         R::None,
         {{"gReading", 0, 1.5, 0}}},
        {"any: over 64 KiB", padded(FEED_MAX_DATAGRAM + 1), 0, 1, R::Oversized, {}},
        {"protocol file: a hot day at 5000 ft",
         text(FG_GOOD),
         1,
         0,
         R::None,
         {{"rollAngle", 0, 10.5, 0},
          {"pitchAngle", 0, -2.25, 0},
          {"gReading", 0, 1.5, 0},
          {"aoaAngle", 0, 4, 0},
          {"trueAirspeed", 0, 111.515, 0.01},
          {"densityAltitude", 0, 7261.8, 0.1},
          {"oatCelsius", 0, 25, 0},
          {"busVoltage", 0, 14.2f, 0},
          {"inFlight", 0, 1, 0}}},
        {"protocol file: on the ground",
         text("0,0,1,0,0,0,15,12,1"),
         1,
         0,
         R::None,
         {{"rollAngle", 0, 0, 0},
          {"pitchAngle", 0, 0, 0},
          {"gReading", 0, 1, 0},
          {"aoaAngle", 0, 0, 0},
          {"trueAirspeed", 0, 0, 0},
          {"densityAltitude", 0, 0, 0.001},
          {"oatCelsius", 0, 15, 0},
          {"busVoltage", 0, 12, 0},
          {"inFlight", 0, 0, 0}}},
        {"protocol file: a partial line",
         text("10.5,-2.25,1.5,4,100,5000,25,14.2"),
         0,
         1,
         R::Malformed,
         {}},
        {"protocol file: a value too many", text("1,1,1,1,1,1,1,1,0,1"), 0, 1, R::Malformed, {}},
        {"protocol file: not numbers", text("a,b,c,d,e,f,g,h,i"), 0, 1, R::Malformed, {}},
        {"protocol file: NaN", text("nan,0,1,0,0,0,15,12,0"), 0, 1, R::NotFinite, {}},
        {"protocol file: weight on wheels 2", text("0,0,1,0,0,0,15,12,2"), 0, 1, R::OutOfRange, {}},
        {"protocol file: roll beyond the field",
         text("400,0,1,0,0,0,15,12,0"),
         0,
         1,
         R::OutOfRange,
         {}},
        {"protocol file: above the atmosphere",
         text("0,0,1,0,100,200000,15,12,0"),
         0,
         1,
         R::NotFinite,
         {}},
        {"network output: five rows read, one skipped",
         xp(XP_GOOD),
         1,
         0,
         R::None,
         {{"trueAirspeed", 0, 130.5, 0},
          {"gReading", 0, 1.25, 0},
          {"oatCelsius", 0, -5, 0},
          {"densityAltitude", 0, 3783.2, 0.5},
          {"pitchAngle", 0, 3.5, 0},
          {"rollAngle", 0, -20, 0},
          {"aoaAngle", 0, 6, 0}}},
        {"network output: a row cut short", xp(XP_GOOD, 4), 0, 1, R::Malformed, {}},
        {"network output: no rows", xp({}), 0, 1, R::Malformed, {}},
        {"network output: only rows not read", xp({XP_GOOD[0]}), 0, 1, R::UnknownField, {}},
        {"network output: NaN where read", xp(xpWith(17, 1, NAN)), 0, 1, R::NotFinite, {}},
        {"network output: NaN where not read",
         xp({{17, {3.5f, -20.0f, NAN, 268.0f, NONE, NONE, NONE, NONE}}}),
         1,
         0,
         R::None,
         {{"pitchAngle", 0, 3.5, 0}, {"rollAngle", 0, -20, 0}}},
        {"network output: angle of attack beyond the field",
         xp(xpWith(18, 0, 95.0f)),
         0,
         1,
         R::OutOfRange,
         {}},
    };
}

const DeviceField& field(const char* name) {
    const DeviceField* f = deviceFieldFind(name);
    EXPECT_NE(f, nullptr) << name;
    return *f;
}

const FeedValue* valueOf(const FeedDataSet& s, const char* name, int row) {
    for (int i = 0; i < s.count; ++i)
        if (s.values[i].field == &field(name) && s.values[i].row == row) return &s.values[i];
    return nullptr;
}

std::vector<std::string> formatted(const std::vector<ScriptCommand>& lines) {
    std::vector<std::string> out;
    for (const ScriptCommand& c : lines) out.push_back(scriptFormat(c));
    return out;
}

// One step after a datagram of text.
std::vector<std::string> stepWith(FeedState& s, long long tick, const std::string& datagram) {
    if (!datagram.empty()) {
        const Bytes b = text(datagram);
        feedReceive(s, b.data(), b.size());
    }
    std::vector<ScriptCommand> lines;
    feedStep(s, tick, lines);
    return formatted(lines);
}

using Lines = std::vector<std::string>;

}  // namespace

TEST(FeedFormats, EachFormatGoodMalformedPartialOutOfRangeAndOversized) {
    for (const Case& c : cases()) {
        FeedDataSet set;
        const FeedParsed p = feedParseDatagram(c.datagram.data(), c.datagram.size(), &set);
        EXPECT_EQ(p.accepted, c.accepted) << c.what;
        EXPECT_EQ(p.dropped, c.dropped) << c.what;
        EXPECT_EQ(p.reject, c.reject) << c.what << ": " << feedRejectText(p.reject);
        EXPECT_EQ(set.count, static_cast<int>(c.values.size())) << c.what;
        for (const Want& w : c.values) {
            const FeedValue* v = valueOf(set, w.field, w.row);
            ASSERT_NE(v, nullptr) << c.what << ": " << w.field;
            EXPECT_NEAR(v->value, w.value, w.tolerance) << c.what << ": " << w.field;
        }
    }
}

TEST(FeedFormats, TheFormatIsToldByContent) {
    const Bytes plain = text("gReading=1"), fg = text(FG_GOOD), data = xp(XP_GOOD);
    EXPECT_EQ(feedFormatOf(plain.data(), plain.size()), FeedFormat::Plain);
    EXPECT_EQ(feedFormatOf(fg.data(), fg.size()), FeedFormat::FlightGear);
    EXPECT_EQ(feedFormatOf(data.data(), data.size()), FeedFormat::XPlane);
}

TEST(FeedFormats, TheShippedProtocolFileSendsAsManyValuesAsALineHolds) {
    std::ifstream in(std::string(QX70_SOURCE_DIR) + "/share/qx70/flightgear/qx70.xml");
    std::stringstream xml;
    xml << in.rdbuf();
    const std::string text = xml.str();
    int chunks = 0;
    for (size_t at = text.find("<chunk>"); at != std::string::npos;
         at = text.find("<chunk>", at + 1))
        ++chunks;
    EXPECT_EQ(chunks, FEED_FG_VALUES);
}

TEST(FeedFormats, StandardAtmosphere) {
    EXPECT_NEAR(feedDensityAltitude(0, 15), 0, 0.01) << "sea level, standard day";
    EXPECT_NEAR(feedDensityAltitude(5000, 5.094), 5000, 1) << "standard temperature at 5000 ft";
    EXPECT_NEAR(feedPressureAltitude(29.92126), 0, 0.01);
    EXPECT_NEAR(feedPressureAltitude(24.89), 5006.4, 0.1);
    EXPECT_NEAR(feedTrueAirspeed(100, 0, 15), 100, 1e-9);
}

TEST(Feed, FirstDataSwitchesDemoOffStopsThePitchRampAndMarksTheReadingsValid) {
    FeedState s;
    feedReset(s, "udp:127.0.0.1:5500");
    EXPECT_EQ(stepWith(s, 3, ""), Lines{}) << "nothing received, nothing changes";
    EXPECT_EQ(stepWith(s, 10, "roll=5 pitch=2 trueAirspeed=100"),
              (Lines{"slot 16 0", "set rollAngle 5", "set pitchAngle 2", "set trueAirspeed 100",
                     "set pitchRamps 0", "set attitudeValid 1", "set airDataValid 1"}));
    EXPECT_EQ(stepWith(s, 12, "roll=5 pitch=2 trueAirspeed=100"), Lines{})
        << "a steady stream gives no lines";
    EXPECT_EQ(stepWith(s, 14, "roll=6"), Lines{"set rollAngle 6"});
    EXPECT_TRUE(feedDrives(s, field("pitchRamps"), 0, 0));
    EXPECT_TRUE(feedDrives(s, field("airDataValid"), 0, 0));
    EXPECT_FALSE(feedDrives(s, field("oatValid"), 0, 0));
    EXPECT_FALSE(feedDrives(s, field("gReading"), 0, 0));
}

TEST(Feed, OneSecondOfSilenceMakesTheFedReadingsInvalidUntilDataReturns) {
    FeedState s;
    feedReset(s, "udp:127.0.0.1:5500");
    stepWith(s, 10, "aoaAngle=3 aoaValid=0 oatCelsius=20");
    EXPECT_EQ(s.link, FeedLink::Live);
    EXPECT_EQ(stepWith(s, 109, ""), Lines{});
    EXPECT_EQ(stepWith(s, 110, ""), (Lines{"set oatValid 0"}))
        << "aoaValid was already 0 as the source sent it";
    EXPECT_EQ(s.link, FeedLink::Silent);
    char status[FEED_STATUS_CAPACITY];
    feedStatusText(s, 320, status);
    EXPECT_STREQ(status, "Feed udp:127.0.0.1:5500: no data for 3 s, readings invalid");
    EXPECT_EQ(stepWith(s, 400, ""), Lines{}) << "silence is noticed once";
    EXPECT_EQ(stepWith(s, 410, "oatCelsius=21"), (Lines{"set oatCelsius 21", "set oatValid 1"}))
        << "the source's own aoaValid of 0 stays";
    EXPECT_EQ(s.link, FeedLink::Live);
    EXPECT_EQ(stepWith(s, 509, "aoaValid=1"), (Lines{"set aoaValid 1"}));
    EXPECT_EQ(stepWith(s, 609, ""), (Lines{"set aoaValid 0", "set oatValid 0"}))
        << "data at tick 509 puts the silence at 609";
}

TEST(Feed, AFloodCostsABoundedBudgetPerTickAndIsCounted) {
    FeedState s;
    feedReset(s, "udp:127.0.0.1:5500");
    const Bytes good = text("gReading=1.5"), bad = text("gReading=99");
    int taken = 0;
    for (int i = 0; feedWantsMore(s) && i < 1000; ++i, ++taken) {
        const Bytes& b = i % 2 == 0 ? good : bad;
        feedReceive(s, b.data(), b.size());
    }
    EXPECT_EQ(taken, FEED_DATAGRAMS_PER_TICK);
    EXPECT_EQ(s.received, FEED_DATAGRAMS_PER_TICK / 2);
    EXPECT_EQ(s.dropped, FEED_DATAGRAMS_PER_TICK / 2);
    EXPECT_EQ(s.lastReject, FeedReject::OutOfRange);
    std::vector<ScriptCommand> lines;
    feedStep(s, 1, lines);
    EXPECT_TRUE(feedWantsMore(s)) << "each tick has a fresh budget";
    const Bytes big = padded(FEED_MAX_DATAGRAM);
    for (size_t i = 0; i < FEED_BYTES_PER_TICK / FEED_MAX_DATAGRAM; ++i)
        feedReceive(s, big.data(), big.size());
    EXPECT_FALSE(feedWantsMore(s)) << "large datagrams spend the byte budget";
    feedReceive(s, big.data(), FEED_MAX_DATAGRAM * 4);  // over the limit: not read
    EXPECT_EQ(s.lastReject, FeedReject::Oversized);
}

TEST(Feed, StatusNamesTheSourceItsFormatAndRate) {
    FeedState s;
    feedReset(s, "udp:127.0.0.1:5500");
    char status[FEED_STATUS_CAPACITY];
    feedStatusText(s, 0, status);
    EXPECT_STREQ(status, "Feed udp:127.0.0.1:5500: waiting for data");
    const Bytes fg = text(FG_GOOD);
    for (int tick = 0; tick <= FAST_TICKS_PER_SECOND; tick += 4) {
        feedReceive(s, fg.data(), fg.size());
        std::vector<ScriptCommand> lines;
        feedStep(s, tick, lines);
        if (tick == 0) {
            feedStatusText(s, tick, status);
            EXPECT_STREQ(status, "Feed udp:127.0.0.1:5500: FlightGear") << "no rate yet";
        }
    }
    feedStatusText(s, FAST_TICKS_PER_SECOND, status);
    EXPECT_STREQ(status, "Feed udp:127.0.0.1:5500: FlightGear, 25 data sets/s");
}

TEST(Feed, LiveRowsOfThePanelCannotBeChanged) {
    feedReset(deskFeed(), "udp:127.0.0.1:5500");
    stepWith(deskFeed(), 1, "busVoltage=12");
    int busRow = -1, batteryRow = -1;
    for (int row = 0; row < PANEL_ROWS; ++row) {
        if (std::string(panelLabel(row)) == "Bus voltage") busRow = row;
        if (std::string(panelLabel(row)) == "Battery voltage") batteryRow = row;
    }
    ASSERT_GE(busRow, 0);
    ASSERT_GE(batteryRow, 0);
    EXPECT_TRUE(panelLive(busRow));
    EXPECT_FALSE(panelLive(batteryRow));
    PanelChange changes[PANEL_MAX_CHANGES];
    EXPECT_EQ(panelAdjust(busRow, 1, changes), 0);
    EXPECT_EQ(panelAdjust(batteryRow, 1, changes), 1);
    feedReset(deskFeed(), "");
}

TEST(FeedCapture, LinesBecomeTheWindowsSetLinesWithTheirSilences) {
    std::vector<ScriptTimedCommand> lines;
    std::vector<ScriptError> errors;
    ASSERT_TRUE(
        feedCaptureRead("# a capture\n0 roll=5\n0 roll=6 gReading=2\n"
                        "50 roll=6\n\n300 roll=7 # late\n",
                        lines, errors));
    std::vector<std::string> got;
    for (const ScriptTimedCommand& t : lines)
        got.push_back(std::to_string(t.tick) + " " + scriptFormat(t.command));
    EXPECT_EQ(got, (Lines{"0 slot 16 0", "0 set rollAngle 6", "0 set gReading 2",
                          "0 set attitudeValid 1", "150 set attitudeValid 0", "300 set rollAngle 7",
                          "300 set attitudeValid 1", "400 set attitudeValid 0"}));
}

TEST(FeedCapture, BadLinesAreReportedWithTheirNumbers) {
    std::vector<ScriptTimedCommand> lines;
    std::vector<ScriptError> errors;
    EXPECT_FALSE(
        feedCaptureRead("x roll=1\n5 roll=1\n3 roll=2\n7 warp=1\n8\n-1 roll=1\n", lines, errors));
    ASSERT_EQ(errors.size(), 5u);
    EXPECT_EQ(errors[0].line, 1);
    EXPECT_EQ(errors[0].message, "bad tick 'x'");
    EXPECT_EQ(errors[1].line, 3);
    EXPECT_EQ(errors[1].message, "tick 3 comes before 5");
    EXPECT_EQ(errors[2].message, "data set refused: unknown field");
    EXPECT_EQ(errors[3].message, "data set refused: malformed");
    EXPECT_EQ(errors[4].message, "bad tick '-1'");
}

// A capture played by a feed line and the set lines the window would have
// recorded from the same data give the same pictures, live and after a silence.
TEST(FeedCapture, PlaysOnTheVirtualClockLikeTheRecordedSetLines) {
    Script played = scriptParse(
        "wait 150\nfeed c\nwait 10\nshot a.png\nwait 150\nshot b.png\nwait 50\nshot c.png\n");
    ASSERT_TRUE(played.errors.empty());
    std::vector<ScriptError> errors;
    ASSERT_TRUE(feedCaptureRead("0 oatCelsius=30 busVoltage=12.5\n200 oatCelsius=31\n",
                                played.commands[1].capture, errors));
    const Script recorded = scriptParse(
        "wait 150\nslot 16 0\nset oatCelsius 30\nset busVoltage 12.5\nset oatValid 1\n"
        "wait 10\nshot a.png\nwait 90\nset oatValid 0\nwait 60\nshot b.png\n"
        "wait 40\nset oatCelsius 31\nset oatValid 1\nwait 10\nshot c.png\n");
    ASSERT_TRUE(recorded.errors.empty());
    auto pictures = [](const Script& s) {
        std::vector<std::vector<uint32_t>> out;
        scriptRun(s, [&out](const ScriptPicture& p, std::string&) {
            out.push_back(p.pixels);
            return ShotResult::Stored;
        });
        return out;
    };
    const auto a = pictures(played), b = pictures(recorded);
    ASSERT_EQ(a.size(), 3u);
    EXPECT_TRUE(a == b);
    EXPECT_NE(a[0], a[1]) << "the silence shows";
    EXPECT_NE(a[1], a[2]) << "data brings the reading back";
}
