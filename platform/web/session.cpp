// The page's session. It runs the window's session code (run control, tick
// schedule, recording) on the page's clock, so the page keeps the window's
// timing: 100 fast ticks a second on a drift-free schedule, no burst after a
// stall, seconds after every 100th fast tick as in a replay of its recording.
// A touch tap shorter than a tick still presses: the button levels keep a
// press until the decoder has sampled it.
#include "platform/web/session.h"

#include "app/timekeeping.h"
#include "desk/keys.h"
#include "desk/panel_model.h"
#include "desk/session.h"
#include "desk/session_record.h"
#include "desk/ui.h"
#include "desk/view.h"
#include "device/button_levels.h"
#include "device/device.h"
#include "device/device_fields.h"
#include "device/settings.h"
#include "platform/web/audio.h"
#include "platform/web/keys.h"
#include "script/run.h"
#include "script/script.h"
#include "shell/bezel.h"

// ---- Constants ------------------------------------------------------------

namespace {

constexpr const char* RECORDING_NOTES =
    "A session recorded on the QX-70 PC Simulator web page; replay it with: qx70-run FILE\n"
    "Its pictures were saved as downloads; qx70-run --compare DIR checks the replay against "
    "them.";

// ---- Module state ---------------------------------------------------------

struct WebSession {
    bool userPaused = false;
    bool hidden = false;
    std::string recorded;  // recording text taken so far
};

WebSession web;
uint32_t rgba[BEZEL_PIXELS];

// ---- Private helpers ------------------------------------------------------

RunControl& run() { return deskSessionRun(); }

// The script's button lines as the bezel's setters.
void pressButton(ScriptButton b) {
    constexpr void (*PRESS[])() = {pressView, pressLeft, pressRight, pressBoth};
    PRESS[static_cast<int>(b)]();
}

void releaseButton(ScriptButton b) {
    constexpr void (*RELEASE[])() = {releaseView, releaseLeft, releaseRight, releaseBoth};
    RELEASE[static_cast<int>(b)]();
}

void takeRecording() { web.recorded += recordTake(); }

void updatePause(int64_t now) {
    const bool paused = web.userPaused || web.hidden;
    runSetPaused(&run(), paused, now);
    webAudioSetPaused(paused);
}

// The host time of a clock line, on the session's present date.
HostDateTime clockLineTime(const ScriptCommand& c) {
    ClockTime present;
    deskSessionHostTime(&present);
    return scriptClockLineTime(c, present);
}

std::string applyLine(const ScriptCommand& c) {
    switch (c.op) {
        case ScriptOp::Press: pressButton(c.button); return {};
        case ScriptOp::Release: releaseButton(c.button); return {};
        case ScriptOp::Set:
        case ScriptOp::Slot: scriptApplyWrite(c); break;
        case ScriptOp::Clock: deskSessionSetHostTime(clockLineTime(c)); break;
        default: return "only press, release, set, slot and clock lines can be applied here";
    }
    recordCommand(deskSessionTicks(), c);
    return {};
}

}  // namespace

// ---- Public operations ----------------------------------------------------

// The window's start-up order, with the session always recorded.
void webStart(int64_t now, const HostDateTime& start, bool paused) {
    web = WebSession{};
    deskSessionStart(now, true, start);
    setClockSource(deskSessionHostTime);
    unitPowerOnReset();
    deskViewReset();
    deskUiReset();
    deskKeysReleaseAll();
    devSetSoundListener(webAudioRequest);
    recordStart(start, RECORDING_NOTES);
    HostOnCreate();
    hostStartup();
    deskSessionStart(now, true, start);
    web.userPaused = paused;
    updatePause(now);
}

void webAdvance(int64_t now) {
    deskSessionRunDue(now);
    webAudioFollowUnit();
    takeRecording();
}

void webSetPaused(bool paused, int64_t now) {
    web.userPaused = paused;
    updatePause(now);
}

void webSetHidden(bool hidden, int64_t now) {
    web.hidden = hidden;
    updatePause(now);
}

bool webPaused() { return web.userPaused; }

void webStep(long long n, int64_t now) {
    webSetPaused(true, now);
    for (long long i = 0; i < n; ++i) runRequestStep(&run());
    deskSessionRunDue(now);
    webAudioFollowUnit();
    takeRecording();
}

// Every press and release reaches the bezel, as the window's mouse does.
void webPointer(bool down, int x, int y) { bezelMouse(down ? WM_LBUTTONDOWN : WM_LBUTTONUP, x, y); }

// The window's keys, less its zoom keys (the browser zooms the page) and
// the drawn panel's keys (the page's panel has its own controls).
const char* webKeyDown(const std::string& name, unsigned mods, bool repeat, int64_t now) {
    const DeskKey key = webDeskKey(name);
    if (key == DeskKey::None) return "";
    const DeskCommand c = deskKeyDown(key, mods, repeat, false);
    if (deskKeyHeld(key)) return "done";
    switch (c) {
        case DeskCommand::ToggleHelp: deskUiToggleHelp(); return "done";
        case DeskCommand::TogglePause: webSetPaused(!web.userPaused, now); return "done";
        case DeskCommand::StepFrame:
            if (web.userPaused) webStep(1, now);
            return "done";
        case DeskCommand::ToggleMute: webToggleMute(now); return "done";
        case DeskCommand::CloseOverlays: deskUiCloseOverlays(); return "done";
        case DeskCommand::Screenshot: return "screenshot";
        case DeskCommand::TogglePanel: return "panel";
        default: return "";
    }
}

void webKeyUp(const std::string& name) { deskKeyUp(webDeskKey(name)); }

void webKeysReleaseAll() { deskKeysReleaseAll(); }

// One line, parsed as a script line so it is checked as one.
std::string webLine(const std::string& line) {
    if (line.find_first_of("\r\n") != std::string::npos) return "one line only";
    const Script s = scriptParse(line);
    if (!s.errors.empty()) return s.errors.front().message;
    if (s.commands.size() != 1) return "no command in '" + line + "'";
    const std::string error = applyLine(s.commands.front());
    takeRecording();
    return error;
}

void webToggleMute(int64_t now) {
    webAudioSetMuted(!webAudioMuted());
    deskUiShowMessage(webAudioMuted() ? "Sound off (M turns it on)" : "Sound on", now);
}

void webMessage(const std::string& text, int64_t now) { deskUiShowMessage(text.c_str(), now); }

// The changed part of the window picture, converted for the page's canvas.
HostRect webPresent(int64_t now) {
    deskUiExpire(now);
    const HostRect r = deskViewUpdate(hostTakeChanges());
    const uint32_t* view = deskViewPixels();
    for (int y = r.y; y < r.y + r.h; ++y) {
        webToRgba(view + static_cast<size_t>(VIEW_MAX_WIDTH) * y + r.x,
                  rgba + static_cast<size_t>(BEZEL_WIDTH) * y + r.x, r.w);
    }
    return r;
}

const uint8_t* webPixels() { return reinterpret_cast<const uint8_t*>(rgba); }

long long webTicks() { return deskSessionTicks(); }

std::string webRecording() {
    takeRecording();
    return web.recorded + recordEnding(deskSessionTicks());
}

void webPanelChange(int row, int steps, bool toggle) {
    PanelChange changes[PANEL_MAX_CHANGES];
    const int n = toggle ? panelToggle(row, changes) : panelAdjust(row, steps, changes);
    for (int i = 0; i < n; ++i) recordChange(deskSessionTicks(), changes[i]);
    takeRecording();
}

void webRecordShot(const std::string& file, bool window) {
    recordShot(deskSessionTicks(), file, window, 1);
    takeRecording();
}

void webBeforeScript() {
    deskKeysReleaseAll();
    devSetSoundListener(nullptr);
    webAudioSilence();
}

// The recording starts afresh with the script's lines.
void webAfterScript(int64_t now, long long ticks, const std::string& head) {
    ClockTime t = scriptHostTime();
    deskSessionContinue(now, ticks, {t.year, t.month, t.day, t.hour, t.minute, t.second});
    setClockSource(deskSessionHostTime);
    devSetSoundListener(webAudioRequest);
    web.recorded.clear();
    recordResume(head, ticks, viewLevel(), leftLevel(), rightLevel());
    updatePause(now);
}

// Little-endian memory: the word 0xAABBGGRR is the bytes R, G, B, A.
void webToRgba(const uint32_t* argb, uint32_t* out, size_t n) {
    for (size_t i = 0; i < n; ++i) {
        const uint32_t p = argb[i];
        out[i] = 0xFF000000u | (p & 0x0000FF00u) | ((p >> 16) & 0xFFu) | ((p & 0xFFu) << 16);
    }
}
