// The script writer: each command as the line that parses back to it, so a
// recorded session or a generated script reads like a hand-written one.
#include <charconv>
#include <string>

#include "script/script.h"

// ---- Private helpers ----------------------------------------------------------

namespace {

// The shortest decimal that reads back as the same float.
std::string floatText(float v) {
    char buf[32];
    const auto r = std::to_chars(buf, buf + sizeof buf, v);
    return std::string(buf, r.ptr);
}

std::string hexText(uint32_t v, int digits) {
    constexpr char HEX[] = "0123456789ABCDEF";
    std::string s = "0x";
    for (int i = digits - 1; i >= 0; --i) s += HEX[(v >> (4 * i)) & 0xFu];
    return s;
}

// Appends word after a space. Building "literal" + string temporaries instead
// trips a false -Wrestrict warning of GCC 12 in optimised builds.
void addWord(std::string& s, const std::string& word) {
    s += ' ';
    s += word;
}

std::string twoDigits(int v) {
    return std::string(1, static_cast<char>('0' + v / 10)) + static_cast<char>('0' + v % 10);
}

// Whole seconds or hundredths as "1.5s"; otherwise plain ticks.
std::string durationText(long long ticks, bool inSeconds) {
    if (!inSeconds) return std::to_string(ticks);
    std::string s = std::to_string(ticks / FAST_TICKS_PER_SECOND);
    const int hundredths = static_cast<int>(ticks % FAST_TICKS_PER_SECOND);
    if (hundredths != 0) {
        s += '.';
        s += hundredths % 10 == 0 ? std::to_string(hundredths / 10) : twoDigits(hundredths);
    }
    return s + "s";
}

std::string clockText(const ScriptCommand& c) {
    std::string s = "clock ";
    if (c.clockHasDate) {
        s += std::to_string(c.clock.year) + "-" + twoDigits(c.clock.month) + "-" +
             twoDigits(c.clock.day) + " ";
    }
    return s + twoDigits(c.clock.hour) + ":" + twoDigits(c.clock.minute) + ":" +
           twoDigits(c.clock.second);
}

std::string setText(const ScriptCommand& c) {
    const DeviceField& f = *c.field;
    std::string s = std::string("set ") + f.name;
    for (int i = 0; i < f.indices; ++i) {
        s += '[';
        s += std::to_string(i == 0 ? c.row : c.col);
        s += ']';
    }
    if (f.type == FieldType::Float) return s + " " + floatText(static_cast<float>(c.value));
    if (f.type == FieldType::Colour) return s + " " + hexText(static_cast<uint32_t>(c.value), 8);
    return s + " " + std::to_string(static_cast<long long>(c.value));
}

std::string shotText(const ScriptCommand& c) {
    std::string s = "shot " + c.path;
    if (c.window) s += " window";
    if (c.scale != 1) {
        addWord(s, "scale");
        addWord(s, std::to_string(c.scale));
    }
    return s;
}

std::string journalText(const ScriptCommand& c) {
    std::string s = std::string("expect journal ") + scriptRequestName(c.request.op);
    if (c.args >= 1) addWord(s, std::to_string(c.request.a));
    if (c.args >= 2) addWord(s, std::to_string(c.request.b));
    if (c.args >= 3) addWord(s, floatText(c.request.x));
    if (c.count >= 0) {
        addWord(s, "count");
        addWord(s, std::to_string(c.count));
    }
    return s;
}

std::string pixelText(const ScriptCommand& c) {
    return std::string("expect pixel ") + (c.window ? "window " : "") + std::to_string(c.x) + " " +
           std::to_string(c.y) + " " + scriptColourText(c.colour);
}

std::string screenText(const ScriptCommand& c) {
    std::string s = "expect screen " + c.path;
    if (c.window) s += " window";
    if (c.width > 0) {
        addWord(s, "region");
        for (int v : {c.x, c.y, c.width, c.height}) addWord(s, std::to_string(v));
    }
    return s;
}

std::string buttonText(const char* verb, const ScriptCommand& c) {
    std::string s = std::string(verb) + " " + scriptButtonName(c.button);
    if (c.op != ScriptOp::Press && c.op != ScriptOp::Release &&
        (c.ticks != scriptDefaultTicks(c.op, c.button) || c.inSeconds)) {
        addWord(s, durationText(c.ticks, c.inSeconds));
    }
    return s;
}

}  // namespace

// ---- Public operations --------------------------------------------------------------

// One command as its script line, without a line break.
std::string scriptFormat(const ScriptCommand& c) {
    switch (c.op) {
        case ScriptOp::Press: return buttonText("press", c);
        case ScriptOp::Release: return buttonText("release", c);
        case ScriptOp::Click: return buttonText("click", c);
        case ScriptOp::Hold: return buttonText("hold", c);
        case ScriptOp::Wait: return "wait " + durationText(c.ticks, c.inSeconds);
        case ScriptOp::Clock: return clockText(c);
        case ScriptOp::Set: return setText(c);
        case ScriptOp::Slot:
            return "slot " + std::to_string(c.slot) + " " + std::to_string(c.slotValue);
        case ScriptOp::JournalClear: return "journal clear";
        case ScriptOp::Shot: return shotText(c);
        case ScriptOp::ExpectPage: return std::string("expect page ") + scriptPageName(c.page);
        case ScriptOp::ExpectSlot:
            return "expect slot " + std::to_string(c.slot) + " " + std::to_string(c.slotValue);
        case ScriptOp::ExpectJournal: return journalText(c);
        case ScriptOp::ExpectPixel: return pixelText(c);
        case ScriptOp::ExpectScreen: return screenText(c);
        case ScriptOp::Repeat: return "repeat " + std::to_string(c.repeat);
        case ScriptOp::End: return "end";
    }
    return "# ?";
}

// Six hexadecimal digits; alpha is not part of a script's colours.
std::string scriptColourText(uint32_t rgb) { return hexText(rgb & 0xFFFFFFu, 6); }
