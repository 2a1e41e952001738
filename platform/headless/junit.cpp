// The JUnit report: XML escaping that keeps the file well-formed for any
// input (invalid UTF-8 and control characters become '?').
#include "platform/headless/junit.h"

#include <cstdio>
#include <cstring>
#include <ctime>

#include "platform/headless/options.h"
#include "platform/headless/output.h"

// ---- Constants ----------------------------------------------------------------

namespace {

constexpr const char* SUITE_NAME = "qx70-run";

// ---- Private helpers ----------------------------------------------------------

// The length of the valid UTF-8 sequence at s[i], or 0.
size_t utf8Length(const std::string& s, size_t i) {
    const unsigned char c = static_cast<unsigned char>(s[i]);
    size_t n = 0;
    uint32_t cp = 0;
    if (c >= 0xC2 && c <= 0xDF) {
        n = 2;
        cp = c & 0x1Fu;
    } else if (c >= 0xE0 && c <= 0xEF) {
        n = 3;
        cp = c & 0x0Fu;
    } else if (c >= 0xF0 && c <= 0xF4) {
        n = 4;
        cp = c & 0x07u;
    } else {
        return 0;
    }
    if (i + n > s.size()) return 0;
    for (size_t k = 1; k < n; ++k) {
        const unsigned char d = static_cast<unsigned char>(s[i + k]);
        if ((d & 0xC0u) != 0x80u) return 0;
        cp = cp << 6 | (d & 0x3Fu);
    }
    const uint32_t least[] = {0, 0, 0x80, 0x800, 0x10000};
    const bool surrogate = cp >= 0xD800 && cp <= 0xDFFF;
    const bool noCharacter = cp == 0xFFFE || cp == 0xFFFF;
    return cp < least[n] || cp > 0x10FFFF || surrogate || noCharacter ? 0 : n;
}

// Text for XML content, or for an attribute value in double quotes, where a
// line break must be written as a reference to survive.
std::string xml(const std::string& s, bool attribute = true) {
    std::string out;
    for (size_t i = 0; i < s.size();) {
        const unsigned char c = static_cast<unsigned char>(s[i]);
        if (c >= 0x80) {
            const size_t n = utf8Length(s, i);
            out += n == 0 ? std::string("?") : s.substr(i, n);
            i += n == 0 ? 1 : n;
            continue;
        }
        switch (c) {
            case '&': out += "&amp;"; break;
            case '<': out += "&lt;"; break;
            case '>': out += "&gt;"; break;
            case '"': out += "&quot;"; break;
            case '\n': out += attribute ? "&#10;" : "\n"; break;
            case '\t': out += "&#9;"; break;
            default: out += c < 0x20 || c == 0x7F ? '?' : static_cast<char>(c); break;
        }
        ++i;
    }
    return out;
}

std::string seconds(double s) {
    char text[32];
    std::snprintf(text, sizeof text, "%.3f", s);
    return text;
}

// A script's name without its folder and extension, and its folder with
// dots for slashes, as CI systems group test cases by class.
void caseNames(const HeadlessJob& job, std::string& name, std::string& classname) {
    if (job.fromStdin) {
        name = job.name;
        classname = "stdin";
        return;
    }
    const size_t slash = job.name.rfind('/');
    name = slash == std::string::npos ? job.name : job.name.substr(slash + 1);
    const size_t ext = name.size() - std::strlen(SCRIPT_EXT);
    if (name.size() > std::strlen(SCRIPT_EXT) &&
        name.compare(ext, std::string::npos, SCRIPT_EXT) == 0)
        name.resize(ext);
    classname = headlessFolderOf(job.name);
    for (char& c : classname) c = c == '/' ? '.' : c;
}

std::string testcase(const HeadlessJob& job, const HeadlessResult& r) {
    std::string name, classname;
    caseNames(job, name, classname);
    std::string s = "    <testcase name=\"" + xml(name) + "\" classname=\"" + xml(classname) +
                    "\" file=\"" + xml(job.name) + "\" time=\"" + seconds(r.seconds) + "\"";
    if (r.status == ScriptStatus::Passed) return s + "/>\n";
    const char* element = r.status == ScriptStatus::Failed ? "failure" : "error";
    const std::string first = r.messages.empty() ? std::string() : r.messages[0].message;
    s += ">\n      <" + std::string(element) + " message=\"" + xml(first) + "\" type=\"" +
         (r.status == ScriptStatus::Failed ? "expect" : "script") + "\">" +
         xml(headlessMessageLines(job.name, r.messages), false) + "</" + element + ">\n";
    return s + "    </testcase>\n";
}

std::string timestamp() {
    const std::time_t now = std::time(nullptr);
    std::tm utc{};
    gmtime_r(&now, &utc);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S", &utc);
    return text;
}

}  // namespace

// ---- Public operations --------------------------------------------------------------

// One testsuite holding every script, in the order they were given.
std::string junitReport(const std::vector<HeadlessJob>& jobs,
                        const std::vector<HeadlessResult>& results) {
    int failures = 0, errors = 0;
    double total = 0.0;
    std::string cases;
    for (size_t i = 0; i < jobs.size(); ++i) {
        failures += results[i].status == ScriptStatus::Failed;
        errors += results[i].status == ScriptStatus::Error;
        total += results[i].seconds;
        cases += testcase(jobs[i], results[i]);
    }
    const std::string counts = "tests=\"" + std::to_string(jobs.size()) + "\" failures=\"" +
                               std::to_string(failures) + "\" errors=\"" + std::to_string(errors) +
                               "\" time=\"" + seconds(total) + "\"";
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<testsuites " + counts +
           ">\n  <testsuite name=\"" + SUITE_NAME + "\" " + counts + " skipped=\"0\" timestamp=\"" +
           timestamp() + "\">\n" + cases + "  </testsuite>\n</testsuites>\n";
}
