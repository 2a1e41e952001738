// The feed's steps. A line is given only when an element's value changes, so
// a steady stream costs no lines at all, and every line is a set or slot line
// exactly as a script writes it.
#include "desk/feed.h"

#include <algorithm>
#include <cstdio>

#include "app/controller.h"
#include "device/settings_slots.h"

// ---- Constants ----------------------------------------------------------------

namespace {

// Each reading with the validity input that says whether it may be believed.
struct Validity {
    const char* reading;
    const char* input;
};

constexpr Validity VALIDITIES[] = {
    {"rollAngle", "attitudeValid"},   {"pitchAngle", "attitudeValid"},
    {"slipReading", "attitudeValid"}, {"aoaAngle", "aoaValid"},
    {"trueAirspeed", "airDataValid"}, {"densityAltitude", "airDataValid"},
    {"oatCelsius", "oatValid"},
};

// ---- Module state -------------------------------------------------------------

FeedState windowFeed;

// ---- Private helpers ----------------------------------------------------------

int element(const char* name) {
    const DeviceField* f = deviceFieldFind(name);
    return f != nullptr ? deviceFieldElement(*f, 0, 0) : -1;
}

ScriptCommand setLine(const DeviceField& f, int row, int col, double v) {
    ScriptCommand c;
    c.op = ScriptOp::Set;
    c.field = &f;
    c.row = row;
    c.col = col;
    c.value = v;
    return c;
}

// A line for the element unless it already holds v.
void write(FeedState& s, const DeviceField& f, int row, int col, double v,
           std::vector<ScriptCommand>& lines) {
    const int e = deviceFieldElement(f, row, col);
    s.driven[e] = true;
    if (s.written[e] && s.writtenValue[e] == v) return;
    s.written[e] = true;
    s.writtenValue[e] = v;
    lines.push_back(setLine(f, row, col, v));
}

void writeScalar(FeedState& s, const char* name, double v, std::vector<ScriptCommand>& lines) {
    const DeviceField* f = deviceFieldFind(name);
    if (f != nullptr) write(s, *f, 0, 0, v, lines);
}

bool drivenByName(const FeedState& s, const char* name) {
    const int e = element(name);
    return e >= 0 && s.driven[e];
}

// Valid again: what the source last sent for the input, else 1.
void validitiesBack(FeedState& s, std::vector<ScriptCommand>& lines) {
    for (const Validity& v : VALIDITIES) {
        if (!drivenByName(s, v.reading)) continue;
        const int e = element(v.input);
        writeScalar(s, v.input, s.sent[e] ? s.sentValue[e] : 1.0, lines);
    }
}

void validitiesLost(FeedState& s, std::vector<ScriptCommand>& lines) {
    for (const Validity& v : VALIDITIES)
        if (drivenByName(s, v.input)) writeScalar(s, v.input, 0.0, lines);
}

void applyPending(FeedState& s, long long tick, std::vector<ScriptCommand>& lines) {
    s.link = FeedLink::Live;
    s.lastDataTick = tick;
    if (!s.demoSwitchedOff) {
        s.demoSwitchedOff = true;  // demo mode would hide every fed reading
        ScriptCommand demo;
        demo.op = ScriptOp::Slot;
        demo.slot = SLOT_DEMO_MODE;
        demo.slotValue = 0;
        lines.push_back(demo);
    }
    for (int i = 0; i < s.pending.count; ++i) {
        const FeedValue& v = s.pending.values[i];
        const int e = deviceFieldElement(*v.field, v.row, v.col);
        s.sent[e] = true;
        s.sentValue[e] = v.value;
        write(s, *v.field, v.row, v.col, v.value, lines);
    }
    if (drivenByName(s, "pitchAngle")) writeScalar(s, "pitchRamps", 0.0, lines);
    validitiesBack(s, lines);
    s.pending.count = 0;
    s.pendingSets = 0;
}

// sets data sets merged into what the next step applies.
void take(FeedState& s, const FeedDataSet& set, FeedFormat format, int sets) {
    feedMerge(&s.pending, set);
    s.pendingSets += sets;
    s.format = format;
    s.received += sets;
}

// The data sets applied over each whole second of ticks before this step.
void countRate(FeedState& s, long long tick) {
    const long long span = tick - s.secondStart;
    if (span >= FAST_TICKS_PER_SECOND) {
        s.rate = static_cast<int>(s.setsThisSecond * FAST_TICKS_PER_SECOND / span);
        s.setsThisSecond = 0;
        s.secondStart = tick;
    }
    s.setsThisSecond += s.pendingSets;
}

}  // namespace

// ---- Public operations --------------------------------------------------------

void feedReset(FeedState& s, const char* source) {
    s = FeedState{};
    std::snprintf(s.source, sizeof s.source, "%s", source != nullptr ? source : "");
}

bool feedWantsMore(const FeedState& s) {
    return s.datagramsThisTick < FEED_DATAGRAMS_PER_TICK && s.bytesThisTick < FEED_BYTES_PER_TICK;
}

void feedReceive(FeedState& s, const uint8_t* data, size_t size) {
    ++s.datagramsThisTick;
    s.bytesThisTick += std::min(size, FEED_MAX_DATAGRAM);
    FeedDataSet set;
    const FeedParsed p = feedParseDatagram(data, size, &set);
    s.dropped += p.dropped;
    if (p.dropped > 0) s.lastReject = p.reject;
    if (p.accepted > 0) take(s, set, p.format, p.accepted);
}

void feedAccept(FeedState& s, const FeedDataSet& set, FeedFormat format) {
    take(s, set, format, 1);
}

// Data wins over silence; silence is noticed once, a second after the last data.
void feedStep(FeedState& s, long long tick, std::vector<ScriptCommand>& lines) {
    lines.clear();
    s.datagramsThisTick = 0;
    s.bytesThisTick = 0;
    countRate(s, tick);
    if (s.pendingSets > 0) {
        applyPending(s, tick, lines);
    } else if (s.link == FeedLink::Live && tick - s.lastDataTick >= FEED_SILENCE_TICKS) {
        s.link = FeedLink::Silent;
        validitiesLost(s, lines);
    }
}

bool feedDrives(const FeedState& s, const DeviceField& f, int row, int col) {
    return deviceFieldHasElement(f, row, col) && s.driven[deviceFieldElement(f, row, col)];
}

void feedStatusText(const FeedState& s, long long tick, char (&out)[FEED_STATUS_CAPACITY]) {
    switch (s.link) {
        case FeedLink::Waiting:
            std::snprintf(out, sizeof out, "Feed %s: waiting for data", s.source);
            return;
        case FeedLink::Live:
            if (s.rate < 0) {
                std::snprintf(out, sizeof out, "Feed %s: %s", s.source, feedFormatName(s.format));
            } else {
                std::snprintf(out, sizeof out, "Feed %s: %s, %d data sets/s", s.source,
                              feedFormatName(s.format), s.rate);
            }
            return;
        case FeedLink::Silent:
            std::snprintf(out, sizeof out, "Feed %s: no data for %lld s, readings invalid",
                          s.source, (tick - s.lastDataTick) / FAST_TICKS_PER_SECOND);
            return;
    }
}

FeedState& deskFeed() { return windowFeed; }
