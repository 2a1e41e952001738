// The window program: SDL events and a monotonic clock drive the shell. The
// loop sleeps in SDL_WaitEventTimeout until the next tick is due, so an idle
// window costs almost nothing. Beside the mouse on the bezel it offers keys
// for the buttons, zoom, the key help, the device panel, screenshots, pause
// and single frames, sound, a recording of the session as a script, and live
// readings from a feed.
#include <SDL.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <string>

#include "app/timekeeping.h"
#include "desk/feed.h"
#include "desk/keys.h"
#include "desk/options.h"
#include "desk/panel.h"
#include "desk/session.h"
#include "desk/session_record.h"
#include "desk/ui.h"
#include "desk/view.h"
#include "desk/zoom.h"
#include "device/device.h"
#include "device/settings.h"
#include "device/settings_slots.h"
#include "platform/files/whole_file.h"
#include "platform/sdl/audio.h"
#include "platform/sdl/end_signals.h"
#include "platform/sdl/feed_link.h"
#include "platform/sdl/keys.h"
#include "platform/sdl/recording_file.h"
#include "platform/sdl/shots.h"
#include "platform/sdl/window.h"
#include "qx70_version.h"
#include "shell/bezel.h"
#include "shell/shell.h"

namespace {

namespace fs = std::filesystem;

constexpr int EXIT_USAGE = 2;
constexpr const char* VERSION_LINE = "qx70sim " QX70_VERSION_TEXT "\n";
constexpr int SIGNAL_POLL_MS = 200;

// ---- Types ----------------------------------------------------------------

// A recording of the session (--record) or of its feed (--feed-record).
struct Recording {
    RecordStream stream = RecordStream::Session;
    const char* path = nullptr;  // null when not asked for
    RecordingFile file;
    bool on = false;  // being written
};

// ---- Module state ---------------------------------------------------------

DeskOptions options;
bool repaintAll = true;
bool unitWasRunning = true;
Recording recordings[2] = {
    {.stream = RecordStream::Session, .path = nullptr, .file = {}, .on = false},
    {.stream = RecordStream::Feed, .path = nullptr, .file = {}, .on = false},
};
HostDateTime recordingStart = {};  // the host time at tick 0 of a recording

// ---- Private helpers ------------------------------------------------------

int64_t nowMs() { return static_cast<int64_t>(SDL_GetTicks64()); }

std::tm utcNow(int* millis) {
    using namespace std::chrono;
    const system_clock::time_point now = system_clock::now();
    const std::time_t seconds = system_clock::to_time_t(now);
    std::tm utc = {};
    gmtime_r(&seconds, &utc);
    *millis = static_cast<int>(duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000);
    return utc;
}

// The unit's clock counts GMT, so its first load takes the host's UTC time.
void hostUtcTime(ClockTime* out) {
    int ms = 0;
    const std::tm utc = utcNow(&ms);
    out->year = static_cast<uint16_t>(utc.tm_year + 1900);
    out->month = static_cast<uint16_t>(utc.tm_mon + 1);
    out->dayOfWeek = static_cast<uint16_t>(utc.tm_wday);
    out->day = static_cast<uint16_t>(utc.tm_mday);
    out->hour = static_cast<uint16_t>(utc.tm_hour);
    out->minute = static_cast<uint16_t>(utc.tm_min);
    out->second = static_cast<uint16_t>(std::min(utc.tm_sec, 59));  // a leap second shows as 59
    out->milliseconds = static_cast<uint16_t>(ms);
}

bool wantsFullRepaint(const SDL_WindowEvent& w) {
    switch (w.event) {
        case SDL_WINDOWEVENT_SHOWN:
        case SDL_WINDOWEVENT_EXPOSED:
        case SDL_WINDOWEVENT_RESIZED:
        case SDL_WINDOWEVENT_SIZE_CHANGED:
        case SDL_WINDOWEVENT_RESTORED: return true;
        default: return false;
    }
}

bool recordingAny() { return recordings[0].on || recordings[1].on; }

void updateTitle() {
    std::string note = deskSessionRun().paused ? "paused" : "";
    if (recordingAny()) note += note.empty() ? "recording" : ", recording";
    sdlWindowSetTitleNote(note.c_str());
}

// Sizes the window for the picture (with or without the panel) at zoom z.
void layOut(int z) {
    sdlWindowSetLayout(deskViewWidth(), zoomClamp(z));
    repaintAll = true;
}

void setPaused(bool paused) {
    runSetPaused(&deskSessionRun(), paused, nowMs());
    sdlAudioSetPaused(paused);
    updateTitle();
}

void toggleMute() {
    if (options.mute) {
        deskUiShowMessage("Sound is off for this session (--mute)", nowMs());
        return;
    }
    const bool muted = !sdlAudioMuted();
    sdlAudioSetMuted(muted);
    deskUiShowMessage(muted ? "Sound off (M turns it on)" : "Sound on", nowMs());
}

// The ticks run so far: the moment panel changes and shots belong to.
long long ticksRun() { return deskSessionTicks(); }

void recordChanges(const PanelChange* changes, int n) {
    for (int i = 0; i < n; ++i) recordChange(ticksRun(), changes[i]);
}

// Both pictures, a message where they went, and shot lines in a recording
// (the window picture only without the panel, which a replay has not).
void takeShots() {
    const ShotFiles f = sdlSaveShots(options.shotsDir, sdlWindowZoom());
    deskUiShowMessage(f.message.c_str(), nowMs());
    if (!f.ok) return;
    std::printf("qx70sim: %s\n", f.message.c_str());
    std::fflush(stdout);
    recordShot(ticksRun(), f.screen, false, 1);
    if (!deskPanelShown()) recordShot(ticksRun(), f.window, true, sdlWindowZoom());
}

// One step larger, as far as the window still fits the screen.
void zoomIn() {
    const int z = sdlWindowZoom();
    if (z >= ZOOM_MAX) return;
    if (z + 1 > sdlWindowLargestZoom(deskViewWidth())) {
        const std::string m = "Zoom " + std::to_string(z) + "x is the largest that fits the screen";
        deskUiShowMessage(m.c_str(), nowMs());
        return;
    }
    layOut(z + 1);
}

void releaseRecordings() {
    for (Recording& r : recordings) recordingFileRelease(r.file);
}

void runCommand(DeskCommand c) {
    PanelChange changes[PANEL_MAX_CHANGES];
    switch (c) {
        case DeskCommand::None: return;
        case DeskCommand::ToggleHelp: deskUiToggleHelp(); return;
        case DeskCommand::TogglePanel:
            deskPanelSetShown(!deskPanelShown());
            layOut(sdlWindowZoom());
            return;
        case DeskCommand::Screenshot: takeShots(); return;
        case DeskCommand::ZoomIn: zoomIn(); return;
        case DeskCommand::ZoomOut: layOut(sdlWindowZoom() - 1); return;
        case DeskCommand::ZoomReset: layOut(ZOOM_MIN); return;
        case DeskCommand::TogglePause: setPaused(!deskSessionRun().paused); return;
        case DeskCommand::StepFrame: runRequestStep(&deskSessionRun()); return;
        case DeskCommand::ToggleMute: toggleMute(); return;
        case DeskCommand::CloseOverlays: deskUiCloseOverlays(); return;
        default: recordChanges(changes, deskPanelCommand(c, changes)); return;
    }
}

// Mouse positions are window units; the bezel and the panel work in picture
// pixels. Every press and release reaches the bezel, as without the panel.
void mouseButton(const SDL_MouseButtonEvent& b) {
    if (b.button != SDL_BUTTON_LEFT) return;
    const int z = sdlWindowZoom();
    const int x = zoomToPicture(b.x, z), y = zoomToPicture(b.y, z);
    const bool down = b.type == SDL_MOUSEBUTTONDOWN;
    bezelMouse(down ? WM_LBUTTONDOWN : WM_LBUTTONUP, x, y);
    if (!down || !deskPanelShown() || x < BEZEL_WIDTH) return;
    PanelChange changes[PANEL_MAX_CHANGES];
    const bool shift = (SDL_GetModState() & KMOD_SHIFT) != 0;
    recordChanges(changes, deskPanelClick(x - BEZEL_WIDTH, y, shift, changes));
}

void mouseWheel(const SDL_MouseWheelEvent& w) {
    if (!deskPanelShown()) return;
    const int z = sdlWindowZoom();
    const int x = zoomToPicture(w.mouseX, z), y = zoomToPicture(w.mouseY, z);
    if (x < BEZEL_WIDTH) return;
    const int notches = w.direction == SDL_MOUSEWHEEL_FLIPPED ? -w.y : w.y;
    PanelChange changes[PANEL_MAX_CHANGES];
    recordChanges(changes, deskPanelWheel(x - BEZEL_WIDTH, y, notches, changes));
}

// Handles one event; false when the window was closed.
bool handleEvent(const SDL_Event& e) {
    switch (e.type) {
        case SDL_QUIT: return false;
        case SDL_WINDOWEVENT:
            if (wantsFullRepaint(e.window)) repaintAll = true;
            if (e.window.event == SDL_WINDOWEVENT_FOCUS_LOST) deskKeysReleaseAll();
            return true;
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP: mouseButton(e.button); return true;
        case SDL_MOUSEWHEEL: mouseWheel(e.wheel); return true;
        case SDL_KEYDOWN:
            runCommand(deskKeyDown(sdlDeskKey(e.key.keysym.sym), sdlDeskMods(e.key.keysym.mod),
                                   e.key.repeat != 0, deskPanelShown()));
            return true;
        case SDL_KEYUP: deskKeyUp(sdlDeskKey(e.key.keysym.sym)); return true;
        default: return true;
    }
}

// The time to sleep: until the next tick or the message bar's end, whichever
// comes first; -1 for no limit. A unit that is off needs no ticks.
int waitLimit() {
    const int64_t now = nowMs();
    const int64_t tick = hostUnitRunning() ? runWait(deskSessionRun(), now) : -1;
    const int64_t message = deskUiExpire(now);
    const int64_t limit = tick < 0 ? message : message < 0 ? tick : std::min(tick, message);
    return limit < 0 ? -1 : static_cast<int>(std::min<int64_t>(limit, SDL_MAX_SINT32));
}

// A paused or switched-off unit still wakes the loop now and then, so an
// ending signal is noticed while nothing else is due.
bool waitEvent(SDL_Event* e) {
    const int limit = waitLimit();
    return SDL_WaitEventTimeout(e, limit < 0 ? SIGNAL_POLL_MS : std::min(limit, SIGNAL_POLL_MS)) ==
           1;
}

// What the unit asked of the sound since the last turn.
void followUnitSound() {
    if (hostUnitRunning()) {
        sdlAudioSetVolume(settingsReadByte(SLOT_VOLUME));
    } else if (unitWasRunning) {
        sdlAudioSilence();  // a unit that is off sounds nothing more
    }
    unitWasRunning = hostUnitRunning();
    sdlAudioIdle();
}

// Appends what was recorded; a failing write ends that recording with a
// message, and its file keeps what it held before the session.
void flushRecording(Recording& r) {
    if (!r.on) return;
    const std::string text = recordTake(r.stream);
    std::string why;
    if (text.empty() || recordingFileAppend(r.file, text, &why)) return;
    r.on = false;
    recordFinish(ticksRun(), r.stream);
    recordTake(r.stream);
    recordingFileRelease(r.file);
    deskUiShowMessage(("Recording stopped: " + why).c_str(), nowMs());
    updateTitle();
}

void present() {
    deskPanelRefresh();
    const HostRect r = deskViewUpdate(hostTakeChanges());
    if (repaintAll) {
        sdlWindowPresentAll();
    } else if (r.w > 0 && r.h > 0) {
        sdlWindowPresent(r);
    }
    repaintAll = false;
}

int runLoop() {
    for (;;) {
        if (endSignalReceived() != 0) return 0;
        SDL_Event e;
        if (waitEvent(&e)) {
            do {
                if (!handleEvent(e)) return 0;
            } while (SDL_PollEvent(&e) == 1);
        }
        deskSessionRunDue(nowMs());
        sdlFeedFollow(ticksRun());
        followUnitSound();
        for (Recording& r : recordings) flushRecording(r);
        present();
    }
}

int usage(const char* error) {
    std::fprintf(stderr, "qx70sim: %s\n%s\n", error, DESK_USAGE);
    return EXIT_USAGE;
}

void printHelp() {
    std::fputs(VERSION_LINE, stdout);
    std::printf("%s\n\n", DESK_USAGE);
    std::printf("  --zoom N       start at zoom N (1 to 4)\n");
    std::printf("  --shots DIR    save F12 screenshots in DIR (default: the current folder)\n");
    std::printf("  --record FILE  record the session as a script for qx70-run\n");
    std::printf("  --feed udp:PORT, --feed udp:ADDRESS:PORT\n");
    std::printf(
        "                 take live readings from UDP datagrams (default address 127.0.0.1)\n");
    std::printf("  --feed-record FILE\n");
    std::printf("                 record what the feed gave as a script for qx70-run\n");
    std::printf("  --mute         no sound\n");
    std::printf("  --version      print the version and exit\n\nKeys:\n");
    for (const DeskKeyHelp& k : deskKeyHelp) std::printf("  %-18s %s\n", k.keys, k.action);
}

// A screenshot folder that cannot take the pictures is refused at start
// rather than at the first F12.
bool checkShotsFolder() {
    if (options.shotsDir == nullptr) return true;
    struct stat st = {};
    std::string why;
    if (stat(options.shotsDir, &st) != 0) {
        why = "no such folder";
    } else if (!S_ISDIR(st.st_mode)) {
        why = "it is not a folder";
    } else {
        why = wholeFileProbe(std::string(options.shotsDir) + "/qx70-shot.png");
    }
    if (why.empty()) return true;
    std::fprintf(stderr, "qx70sim: cannot save screenshots in %s: %s\n", options.shotsDir,
                 why.c_str());
    return false;
}

// Locks the recordings' files before the window opens, so a bad path or a
// second simulator recording into one is refused at once and nothing is
// written unless the session starts.
// The same file, whether or not it exists yet, however its path is written.
bool sameFile(const char* a, const char* b) {
    std::error_code ea, eb;
    const fs::path pa = fs::weakly_canonical(a, ea), pb = fs::weakly_canonical(b, eb);
    return !ea && !eb && pa == pb;
}

bool lockRecordings() {
    recordings[0].path = options.recordFile;
    recordings[1].path = options.feedRecordFile;
    if (options.recordFile != nullptr && options.feedRecordFile != nullptr &&
        sameFile(options.recordFile, options.feedRecordFile)) {
        std::fprintf(stderr, "qx70sim: --record and --feed-record name the same file: %s\n",
                     options.recordFile);
        return false;
    }
    for (Recording& r : recordings) {
        std::string why;
        if (r.path == nullptr || recordingFileLock(r.file, r.path, &why)) continue;
        std::fprintf(stderr, "qx70sim: %s\n", why.c_str());
        releaseRecordings();
        return false;
    }
    return true;
}

std::string recordingNotes(RecordStream stream) {
    if (stream == RecordStream::Feed) {
        return std::string("What the feed ") + deskFeed().source +
               " gave the unit, recorded in the QX-70 PC Simulator window;\n"
               "replay it with: qx70-run FILE";
    }
    std::string notes =
        "A session recorded in the QX-70 PC Simulator window; replay it with: qx70-run FILE\n"
        "While recording, the unit's seconds follow its frames, as in a replay.";
    if (options.shotsDir != nullptr) {
        notes += std::string("\nIts screenshots went to ") + options.shotsDir +
                 "; qx70-run --compare there checks the replay against them.";
    }
    return notes;
}

// The session starts: its recordings from the host time now.
bool startRecordings() {
    int ms = 0;
    const std::tm utc = utcNow(&ms);
    recordingStart = {utc.tm_year + 1900, utc.tm_mon + 1, utc.tm_mday,
                      utc.tm_hour,        utc.tm_min,     std::min(utc.tm_sec, 59)};
    for (Recording& r : recordings) {
        if (r.path == nullptr) continue;
        std::string why;
        if (!recordingFileStart(r.file, &why)) {
            std::fprintf(stderr, "qx70sim: %s\n", why.c_str());
            return false;
        }
        r.on = true;
        recordStart(recordingStart, recordingNotes(r.stream), r.stream);
    }
    return true;
}

// The last wait line, then each recording replaces its file.
void closeRecordings() {
    for (Recording& r : recordings) {
        if (r.on) {
            recordFinish(ticksRun(), r.stream);
            flushRecording(r);
        }
        std::string why;
        if (r.on && !recordingFileFinish(r.file, &why))
            std::fprintf(stderr, "qx70sim: %s\n", why.c_str());
        r.on = false;
    }
    releaseRecordings();
}

// Listens for the feed before the window opens, so a port in use is refused at once.
bool openFeed() {
    feedReset(deskFeed(), "");
    std::string why;
    if (options.feed.port == 0 || sdlFeedOpen(options.feed, &why)) return true;
    std::fprintf(stderr, "qx70sim: %s\n", why.c_str());
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    char error[DESK_OPTION_ERROR_CAPACITY];
    if (!deskParseOptions(argc, argv, &options, error)) return usage(error);
    if (options.help) {
        printHelp();
        return 0;
    }
    if (options.version) {
        std::fputs(VERSION_LINE, stdout);
        return 0;
    }
    if (options.mute) sdlAudioDisable();
    if (!checkShotsFolder() || !lockRecordings()) return EXIT_USAGE;
    if (!openFeed()) {
        releaseRecordings();
        return EXIT_USAGE;
    }
    endSignalsInstall();
    if (!sdlWindowOpen(options.zoom)) {
        releaseRecordings();
        sdlFeedClose();
        return 1;
    }
    if (!startRecordings()) {
        releaseRecordings();
        sdlFeedClose();
        sdlWindowClose();
        return EXIT_USAGE;
    }
    deskSessionStart(nowMs(), recordingAny(), recordingStart);
    setClockSource(recordingAny() ? deskSessionHostTime : hostUtcTime);
    unitPowerOnReset();
    deskViewReset();
    deskUiReset();
    deskPanelReset();
    devSetSoundListener(sdlAudioRequest);
    HostOnCreate();
    hostStartup();
    deskViewUpdate(hostTakeChanges());
    updateTitle();
    sdlWindowShow();
    deskSessionStart(nowMs(), recordingAny(), recordingStart);
    const int code = runLoop();
    closeRecordings();
    sdlFeedClose();
    devSetSoundListener(nullptr);
    sdlAudioClose();
    sdlWindowClose();
    endSignalsRaiseReceived();
    return code;
}
