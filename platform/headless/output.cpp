// Shot files of the headless runner: path checks before the run, PNG writing,
// and the comparison with reference pictures that the golden tests and the
// expect screen lines use.
#include "platform/headless/output.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

#include "gfx/gfx.h"
#include "platform/files/whole_file.h"
#include "platform/png/png_file.h"
#include "shell/shell.h"

// ---- Constants ----------------------------------------------------------------

namespace {

constexpr const char* ERR_SUFFIX = "_err.png";
constexpr const char* DIFF_SUFFIX = "_diff.png";
constexpr size_t PNG_EXT_LENGTH = 4;  // ".png"
constexpr uint32_t RGB_MASK = 0xFFFFFFu;
constexpr uint32_t OPAQUE = 0xFF000000u;
constexpr uint32_t DIFF_MARK = 0xFFFF00FFu;  // brighter than any dimmed pixel around it
constexpr uint32_t DIFF_DIM = 3;             // equal pixels at a third of their brightness

// ---- Types --------------------------------------------------------------------

// How two pictures of the same size differ: the count of pixels whose
// colours differ (the pictures are opaque) and the first of them.
struct Difference {
    long long count = 0;
    size_t first = 0;
};

// ---- Private helpers ----------------------------------------------------------

std::string baseName(const std::string& path) {
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Where a picture derived from a shot or reference goes: NAME + suffix in the
// output folder.
std::string besidePath(const HeadlessOutput& out, const std::string& path, const char* suffix) {
    const std::string name = baseName(path);
    return headlessResolve(out.outDir, name.substr(0, name.size() - PNG_EXT_LENGTH) + suffix);
}

Difference compare(const std::vector<uint32_t>& ref, const std::vector<uint32_t>& taken) {
    Difference d;
    for (size_t i = 0; i < ref.size(); ++i) {
        if (((ref[i] ^ taken[i]) & RGB_MASK) != 0 && d.count++ == 0) d.first = i;
    }
    return d;
}

// The picture taken, dimmed, with every differing pixel marked.
std::vector<uint32_t> diffPicture(const std::vector<uint32_t>& ref,
                                  const std::vector<uint32_t>& taken) {
    std::vector<uint32_t> d(taken.size());
    for (size_t i = 0; i < taken.size(); ++i) {
        if (((ref[i] ^ taken[i]) & RGB_MASK) != 0) {
            d[i] = DIFF_MARK;
            continue;
        }
        const uint32_t p = taken[i];
        d[i] = OPAQUE | ((p >> 16 & 0xFFu) / DIFF_DIM) << 16 | ((p >> 8 & 0xFFu) / DIFF_DIM) << 8 |
               (p & 0xFFu) / DIFF_DIM;
    }
    return d;
}

// Writes one picture for a look and says where it went, or why not.
std::string writeForALook(const std::string& path, const std::vector<uint32_t>& pixels, int width,
                          int height) {
    std::string error;
    return pngWrite(path.c_str(), pixels.data(), width, height, PngChannels::Rgb, &error) ? path
                                                                                          : error;
}

ShotResult writeShot(const HeadlessOutput& out, const ScriptPicture& p, std::string& message) {
    const std::string path = headlessResolve(out.outDir, p.command->path);
    if (pngWrite(path.c_str(), p.pixels.data(), p.width, p.height, PngChannels::Rgb, &message)) {
        return ShotResult::Stored;
    }
    return ShotResult::Failed;
}

// Compares the colours of every pixel; on a difference the picture taken is
// written beside the output for a look, with a picture of where they differ.
ShotResult compareShot(const HeadlessOutput& out, const ScriptPicture& p, std::string& message) {
    const std::string refPath = headlessResolve(out.compareDir, p.command->path);
    std::vector<uint32_t> ref;
    int w = 0, h = 0;
    std::string readError;
    if (!pngRead(refPath.c_str(), &ref, &w, &h, &readError)) {
        message = readError + " (make golden writes the reference pictures)";
        return ShotResult::Differs;
    }
    const std::string err = besidePath(out, p.command->path, ERR_SUFFIX);
    if (w != p.width || h != p.height) {
        message = refPath + " is " + std::to_string(w) + " x " + std::to_string(h) +
                  ", the picture taken " + std::to_string(p.width) + " x " +
                  std::to_string(p.height) +
                  "; picture taken: " + writeForALook(err, p.pixels, p.width, p.height);
        return ShotResult::Differs;
    }
    const Difference d = compare(ref, p.pixels);
    if (d.count == 0) return ShotResult::Stored;
    const int x = static_cast<int>(d.first % p.width), y = static_cast<int>(d.first / p.width);
    message =
        p.command->path + " differs from " + refPath + " in " + std::to_string(d.count) +
        " pixels; the first at (" + std::to_string(x) + ", " + std::to_string(y) + "): reference " +
        scriptColourText(ref[d.first]) + ", taken " + scriptColourText(p.pixels[d.first]) +
        "; picture taken: " + writeForALook(err, p.pixels, p.width, p.height) + "; differences: " +
        writeForALook(besidePath(out, p.command->path, DIFF_SUFFIX), diffPicture(ref, p.pixels),
                      p.width, p.height);
    return ShotResult::Differs;
}

// The width and height of the whole screen or window an expect screen line
// looks at, and of the part it compares.
void wholeSize(const ScriptCommand& c, int& w, int& h) {
    w = c.window ? BEZEL_WIDTH : FB_WIDTH;
    h = c.window ? BEZEL_HEIGHT : FB_HEIGHT;
}

void comparedSize(const ScriptCommand& c, int& w, int& h) {
    wholeSize(c, w, h);
    if (c.width > 0) {
        w = c.width;
        h = c.height;
    }
}

// The reference's pixels for the part compared: the whole file, or the
// line's region of a reference of the whole screen or window.
std::vector<uint32_t> referencePart(const ScriptCommand& c, const HeadlessReference& ref) {
    int w = 0, h = 0;
    comparedSize(c, w, h);
    if (ref.width == w && ref.height == h) return ref.pixels;
    std::vector<uint32_t> part;
    for (int y = 0; y < h; ++y) {
        const auto row =
            ref.pixels.begin() + static_cast<std::ptrdiff_t>(c.y + y) * ref.width + c.x;
        part.insert(part.end(), row, row + w);
    }
    return part;
}

// An expect screen line against its reference, read before the run. The
// first differing pixel is given in the screen's (or window's) coordinates,
// as an expect pixel line would name it.
ShotResult expectScreen(const HeadlessOutput& out, const ScriptPicture& p, std::string& message) {
    const ScriptCommand& c = *p.command;
    const auto found = out.references.find(c.path);
    if (found == out.references.end()) {
        message = c.path + " was not read before the run";
        return ShotResult::Failed;
    }
    const std::vector<uint32_t> ref = referencePart(c, found->second);
    const Difference d = compare(ref, p.pixels);
    if (d.count == 0) return ShotResult::Stored;
    const int x = c.x + static_cast<int>(d.first % p.width);
    const int y = c.y + static_cast<int>(d.first / p.width);
    message = std::string("expected the ") + (c.window ? "window" : "screen") + " as in " + c.path +
              ", found " + std::to_string(d.count) + " pixels different; the first at (" +
              std::to_string(x) + ", " + std::to_string(y) +
              "): " + scriptColourText(p.pixels[d.first]) + " instead of " +
              scriptColourText(ref[d.first]) + "; picture taken: " +
              writeForALook(besidePath(out, c.path, ERR_SUFFIX), p.pixels, p.width, p.height) +
              "; differences: " +
              writeForALook(besidePath(out, c.path, DIFF_SUFFIX), diffPicture(ref, p.pixels),
                            p.width, p.height);
    return ShotResult::Differs;
}

// Reads an expect screen line's reference once; empty when it is usable: of
// the size compared, or of the whole screen or window for a region.
std::string loadReference(const ScriptCommand& c, HeadlessOutput& out) {
    int w = 0, h = 0, wholeW = 0, wholeH = 0;
    comparedSize(c, w, h);
    wholeSize(c, wholeW, wholeH);
    auto found = out.references.find(c.path);
    if (found == out.references.end()) {
        HeadlessReference ref;
        std::string error;
        const std::string path = headlessResolve(out.refDir, c.path);
        if (!pngRead(path.c_str(), &ref.pixels, &ref.width, &ref.height, &error)) return error;
        found = out.references.emplace(c.path, std::move(ref)).first;
    }
    const HeadlessReference& ref = found->second;
    if ((ref.width == w && ref.height == h) || (ref.width == wholeW && ref.height == wholeH))
        return {};
    std::string sizes = std::to_string(w) + " x " + std::to_string(h);
    if (c.width > 0) sizes += " or " + std::to_string(wholeW) + " x " + std::to_string(wholeH);
    return c.path + " is " + std::to_string(ref.width) + " x " + std::to_string(ref.height) +
           ", not " + sizes;
}

// The file a path names, whatever way it is written: the real path of its
// folder and its own name ("a.png", "./a.png" and "d/../a.png" are one).
std::string sameFileKey(const std::string& path) {
    char* folder = realpath(headlessFolderOf(path).c_str(), nullptr);
    if (folder == nullptr) return path;
    const std::string key = std::string(folder) + "/" + baseName(path);
    std::free(folder);
    return key;
}

void checkWritable(const ScriptCommand& c, const char* verb, const std::string& path,
                   std::vector<ScriptError>& errors) {
    const std::string problem = headlessWriteProblem(path);
    if (!problem.empty())
        errors.push_back({c.line, std::string(verb) + ": cannot write " + path + ": " + problem});
}

}  // namespace

// ---- Public operations --------------------------------------------------------------

// Everything before the last slash; "." for a bare name.
std::string headlessFolderOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// Absolute paths as given, relative ones under dir.
std::string headlessResolve(const std::string& dir, const std::string& path) {
    if (!path.empty() && path[0] == '/') return path;
    if (dir.empty() || dir == ".") return path;
    return dir.back() == '/' ? dir + path : dir + "/" + path;
}

// The folder must exist and take a new file (one is written and removed
// there), and a file already at path must be a writable file.
std::string headlessWriteProblem(const std::string& path) {
    const std::string folder = headlessFolderOf(path);
    struct stat st {};
    if (stat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode))
        return "folder " + folder + " does not exist";
    if (stat(path.c_str(), &st) == 0) {
        if (S_ISDIR(st.st_mode)) return path + " is a folder";
        if (access(path.c_str(), W_OK) != 0) return path + " is not writable";
    }
    return wholeFileProbe(path);
}

// Checks every shot's destination (or the output folder when comparing) and
// every reference with the places its pictures would go on a difference.
void headlessCheckOutput(const Script& script, HeadlessOutput& out,
                         std::vector<ScriptError>& errors) {
    std::map<std::string, int> shotFiles;  // the file of each shot, with its line
    for (const ScriptCommand& c : script.commands) {
        if (c.op == ScriptOp::Shot) {
            const std::string path = out.compareDir.empty() ? headlessResolve(out.outDir, c.path)
                                                            : besidePath(out, c.path, ERR_SUFFIX);
            const auto [taken, fresh] = shotFiles.emplace(sameFileKey(path), c.line);
            if (!fresh && out.compareDir.empty()) {
                errors.push_back({c.line, "shot: " + c.path + " is the same file as line " +
                                              std::to_string(taken->second) + "'s"});
                continue;
            }
            checkWritable(c, "shot", path, errors);
        } else if (c.op == ScriptOp::ExpectScreen) {
            const std::string problem = loadReference(c, out);
            if (!problem.empty()) errors.push_back({c.line, "expect: " + problem});
            checkWritable(c, "expect", besidePath(out, c.path, ERR_SUFFIX), errors);
        }
    }
}

// Writes shots, or compares them when a reference folder is given; expect
// screen lines always compare.
ScriptShotSink headlessShotSink(const HeadlessOutput& out) {
    return [&out](const ScriptPicture& p, std::string& message) {
        if (p.command->op == ScriptOp::ExpectScreen) return expectScreen(out, p, message);
        return out.compareDir.empty() ? writeShot(out, p, message) : compareShot(out, p, message);
    };
}
