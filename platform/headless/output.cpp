// Shot files of the headless runner: path checks before the run, PNG writing,
// and the comparison with reference pictures that the golden tests use.
#include "platform/headless/output.h"

#include <sys/stat.h>
#include <unistd.h>

#include "platform/png/png_file.h"

// ---- Constants ----------------------------------------------------------------

namespace {

constexpr const char* ERR_SUFFIX = "_err.png";
constexpr size_t PNG_EXT_LENGTH = 4;  // ".png"

// ---- Private helpers ----------------------------------------------------------

std::string baseName(const std::string& path) {
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Empty when a file can be created or replaced at path, else why not.
std::string writeProblem(const std::string& path) {
    const std::string folder = headlessFolderOf(path);
    struct stat st {};
    if (stat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode))
        return "folder " + folder + " does not exist";
    if (access(folder.c_str(), W_OK | X_OK) != 0) return "folder " + folder + " is not writable";
    if (stat(path.c_str(), &st) == 0) {
        if (S_ISDIR(st.st_mode)) return path + " is a folder";
        if (access(path.c_str(), W_OK) != 0) return path + " is not writable";
    }
    return {};
}

// Where the picture taken for a differing shot goes: NAME_err.png in the
// output folder.
std::string errPath(const HeadlessOutput& out, const std::string& shotPath) {
    const std::string name = baseName(shotPath);
    return headlessResolve(out.outDir, name.substr(0, name.size() - PNG_EXT_LENGTH) + ERR_SUFFIX);
}

ShotResult writeShot(const HeadlessOutput& out, const ScriptPicture& p, std::string& message) {
    const std::string path = headlessResolve(out.outDir, p.command->path);
    if (pngWrite(path.c_str(), p.pixels.data(), p.width, p.height, PngChannels::Rgb, &message)) {
        return ShotResult::Stored;
    }
    return ShotResult::Failed;
}

// Compares the colours of every pixel (the pictures are opaque); on a
// difference the picture taken is written beside the output for a look.
ShotResult compareShot(const HeadlessOutput& out, const ScriptPicture& p, std::string& message) {
    const std::string refPath = headlessResolve(out.compareDir, p.command->path);
    std::vector<uint32_t> ref;
    int w = 0, h = 0;
    std::string readError;
    if (!pngRead(refPath.c_str(), &ref, &w, &h, &readError)) {
        message = readError + " (make golden writes the reference pictures)";
        return ShotResult::Differs;
    }
    if (w != p.width || h != p.height) {
        message = refPath + " is " + std::to_string(w) + " x " + std::to_string(h) +
                  ", the picture taken " + std::to_string(p.width) + " x " +
                  std::to_string(p.height);
    } else {
        long long differing = 0;
        size_t first = 0;
        for (size_t i = 0; i < ref.size(); ++i) {
            if (((ref[i] ^ p.pixels[i]) & 0xFFFFFFu) != 0 && differing++ == 0) first = i;
        }
        if (differing == 0) return ShotResult::Stored;
        const int x = static_cast<int>(first % p.width), y = static_cast<int>(first / p.width);
        message = p.command->path + " differs from " + refPath + " in " +
                  std::to_string(differing) + " pixels; the first at (" + std::to_string(x) + ", " +
                  std::to_string(y) + "): reference " + scriptColourText(ref[first] & 0xFFFFFFu) +
                  ", taken " + scriptColourText(p.pixels[first] & 0xFFFFFFu);
    }
    const std::string err = errPath(out, p.command->path);
    std::string writeError;
    if (pngWrite(err.c_str(), p.pixels.data(), p.width, p.height, PngChannels::Rgb, &writeError)) {
        message += "; picture taken: " + err;
    } else {
        message += "; " + writeError;
    }
    return ShotResult::Differs;
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

// Checks every shot's destination (or the output folder when comparing).
void headlessCheckOutput(const Script& script, const HeadlessOutput& out,
                         std::vector<ScriptError>& errors) {
    for (const ScriptCommand& c : script.commands) {
        if (c.op != ScriptOp::Shot) continue;
        const std::string path =
            out.compareDir.empty() ? headlessResolve(out.outDir, c.path) : errPath(out, c.path);
        const std::string problem = writeProblem(path);
        if (!problem.empty())
            errors.push_back({c.line, "shot: cannot write " + path + ": " + problem});
    }
}

// Writes shots, or compares them when a reference folder is given.
ScriptShotSink headlessShotSink(const HeadlessOutput& out) {
    return [out](const ScriptPicture& p, std::string& message) {
        return out.compareDir.empty() ? writeShot(out, p, message) : compareShot(out, p, message);
    };
}
