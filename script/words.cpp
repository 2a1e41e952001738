// The word readers of the script parser.
#include "script/words.h"

#include <cctype>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <iterator>
#include <string>

#include "script/script.h"

// ---- Private helpers ----------------------------------------------------------------

namespace {

// A significand with a digit other than 0: such a number is not zero, so a
// zero result means it underflowed.
bool significandNonZero(std::string_view w) {
    for (char c : w) {
        if (wordLower(c) == 'e') return false;
        if (c >= '1' && c <= '9') return true;
    }
    return false;
}

}  // namespace

// ---- Public operations --------------------------------------------------------------

// ASCII letters to lower case; everything else as it is.
char wordLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// Equal but for the case of ASCII letters.
bool wordEquals(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (wordLower(a[i]) != wordLower(b[i])) return false;
    }
    return true;
}

// A word for messages: printable, and cut short when long.
std::string wordQuoted(std::string_view w) {
    constexpr size_t SHOWN = 40;
    std::string s = "'";
    for (size_t i = 0; i < w.size() && i < SHOWN; ++i) {
        const unsigned char c = static_cast<unsigned char>(w[i]);
        s += c >= 0x20 && c < 0x7F ? static_cast<char>(c) : '?';
    }
    if (w.size() > SHOWN) s += "...";
    return s + "'";
}

// A whole word as a signed integer, decimal or 0x hexadecimal.
bool wordToInteger(std::string_view w, long long& v) {
    bool negative = false;
    if (!w.empty() && (w[0] == '-' || w[0] == '+')) {
        negative = w[0] == '-';
        w.remove_prefix(1);
    }
    int base = 10;
    if (w.size() > 2 && w[0] == '0' && wordLower(w[1]) == 'x') {
        base = 16;
        w.remove_prefix(2);
    }
    if (w.empty() || w[0] == '-' || w[0] == '+') return false;
    unsigned long long u = 0;
    const auto r = std::from_chars(w.data(), w.data() + w.size(), u, base);
    if (r.ec != std::errc{} || r.ptr != w.data() + w.size()) return false;
    constexpr unsigned long long LIMIT = 1ULL << 62;  // far beyond any range used here
    if (u > LIMIT) return false;
    v = negative ? -static_cast<long long>(u) : static_cast<long long>(u);
    return true;
}

// A whole word as a finite float, rounded once from the decimal text. The
// C++ library of the browser build has no floating-point std::from_chars;
// there the same words are read with strtof.
bool wordToFloat(std::string_view w, float& v) {
#if defined(__cpp_lib_to_chars)
    if (!w.empty() && w[0] == '+') w.remove_prefix(1);
    if (w.empty() || w[0] == '+') return false;
    const auto r = std::from_chars(w.data(), w.data() + w.size(), v, std::chars_format::general);
    return r.ec == std::errc{} && r.ptr == w.data() + w.size() && std::isfinite(v);
#else
    return wordToFloatByStrtof(w, v);
#endif
}

// The browser build's C++ library has no floating-point from_chars: strtod
// reads the same decimal shapes there.
WordNumber wordToDouble(std::string_view w, double& d) {
    if (!w.empty() && w[0] == '+') w.remove_prefix(1);
    if (w.empty() || w[0] == '+') return WordNumber::NotANumber;
#if defined(__cpp_lib_to_chars)
    const auto r = std::from_chars(w.data(), w.data() + w.size(), d, std::chars_format::general);
    if (r.ptr != w.data() + w.size()) return WordNumber::NotANumber;
    if (r.ec == std::errc::result_out_of_range) return WordNumber::OutOfRange;
    if (r.ec != std::errc{}) return WordNumber::NotANumber;
#else
    if (!wordIsDecimal(w)) return WordNumber::NotANumber;
    const std::string text(w);
    errno = 0;
    d = std::strtod(text.c_str(), nullptr);
    if (errno == ERANGE) return WordNumber::OutOfRange;
#endif
    return std::isfinite(d) ? WordNumber::Finite : WordNumber::NotFinite;
}

// strtof rounds once too, but takes more than std::from_chars does (blanks,
// hexadecimal, infinities), so the word's shape is checked first; a result
// out of range, infinite or underflowed to zero, is refused as from_chars
// refuses it.
bool wordToFloatByStrtof(std::string_view w, float& v) {
    if (!w.empty() && w[0] == '+') w.remove_prefix(1);
    if (!wordIsDecimal(w)) return false;
    const std::string text(w);
    char* end = nullptr;
    const float x = std::strtof(text.c_str(), &end);
    if (end != text.c_str() + text.size() || !std::isfinite(x)) return false;
    if (x == 0.0f && significandNonZero(w)) return false;
    v = x;
    return true;
}

// The decimal words std::from_chars reads in general format: an optional
// minus, digits with at most one point (at least one digit), and an optional
// exponent of an e, an optional sign and digits.
bool wordIsDecimal(std::string_view w) {
    size_t i = !w.empty() && w[0] == '-' ? 1 : 0;
    size_t digits = 0;
    bool point = false;
    for (; i < w.size() && (std::isdigit(static_cast<unsigned char>(w[i])) || w[i] == '.'); ++i) {
        if (w[i] == '.' && point) return false;
        point |= w[i] == '.';
        digits += w[i] != '.';
    }
    if (digits == 0) return false;
    if (i == w.size()) return true;
    if (wordLower(w[i]) != 'e') return false;
    if (++i < w.size() && (w[i] == '+' || w[i] == '-')) ++i;
    if (i == w.size()) return false;
    for (; i < w.size(); ++i) {
        if (!std::isdigit(static_cast<unsigned char>(w[i]))) return false;
    }
    return true;
}

// Ticks in a decimal number of units of unitTicks each, like 1.5, when they
// come out whole: 1.5 minutes are 9000 ticks, 1.234 seconds are no whole
// number of ticks.
bool wordToTicks(std::string_view w, long long unitTicks, long long& ticks) {
    constexpr size_t MAX_FRACTION_DIGITS = 6;
    const size_t dot = w.find('.');
    const std::string_view whole = w.substr(0, dot);
    const std::string_view frac =
        dot == std::string_view::npos ? std::string_view{} : w.substr(dot + 1);
    if (whole.empty() || frac.size() > MAX_FRACTION_DIGITS ||
        (dot != std::string_view::npos && frac.empty())) {
        return false;
    }
    for (char c : whole) {
        if (c < '0' || c > '9') return false;
    }
    long long f = 0, scale = 1;
    for (char c : frac) {
        if (c < '0' || c > '9') return false;
        f = f * 10 + (c - '0');
        scale *= 10;
    }
    long long s = 0;
    if (!wordToInteger(whole, s) || s > SCRIPT_MAX_TICKS) return false;
    if (f * unitTicks % scale != 0) return false;
    ticks = s * unitTicks + f * unitTicks / scale;
    return true;
}

// Hours, minutes and seconds written together, largest first, each once:
// 90s, 5m, 1.5h, 1h30m, 2m7.5s. Only the last part may have a fraction.
bool wordToDuration(std::string_view w, long long& ticks) {
    struct Unit {
        char letter;
        long long ticks;
    };
    constexpr Unit UNITS[] = {
        {'h', SCRIPT_TICKS_PER_HOUR}, {'m', SCRIPT_TICKS_PER_MINUTE}, {'s', FAST_TICKS_PER_SECOND}};
    constexpr size_t UNIT_COUNT = std::size(UNITS);
    long long total = 0;
    size_t smallest = 0;  // the first unit still allowed
    if (w.empty()) return false;
    while (!w.empty()) {
        size_t n = 0;
        while (n < w.size() && ((w[n] >= '0' && w[n] <= '9') || w[n] == '.')) ++n;
        if (n == w.size()) return false;
        size_t u = smallest;
        while (u < UNIT_COUNT && UNITS[u].letter != wordLower(w[n])) ++u;
        if (u == UNIT_COUNT) return false;
        const std::string_view number = w.substr(0, n);
        w.remove_prefix(n + 1);
        if (!w.empty() && number.find('.') != std::string_view::npos) return false;
        long long part = 0;
        if (!wordToTicks(number, UNITS[u].ticks, part)) return false;
        total += part;
        smallest = u + 1;
    }
    ticks = total;
    return true;
}

// Days in a month of the Gregorian calendar; month 1 to 12.
int scriptDaysInMonth(int year, int month) {
    constexpr int DAYS[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : DAYS[month - 1];
}

// Splits "a<sep>b<sep>c" into three whole non-negative numbers.
bool wordToTriple(std::string_view w, char sep, long long out[3]) {
    for (int i = 0; i < 3; ++i) {
        const size_t at = i < 2 ? w.find(sep) : w.size();
        if (at == std::string_view::npos) return false;
        const std::string_view part = w.substr(0, at);
        if (part.empty() || part[0] < '0' || part[0] > '9' || !wordToInteger(part, out[i]))
            return false;
        w = i < 2 ? w.substr(at + 1) : std::string_view{};
    }
    return true;
}
