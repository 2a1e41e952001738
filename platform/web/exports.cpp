// The module's interface to the page: every function the page calls, by
// name. Text goes both ways through two buffers: the page writes a call's
// text argument into the one qx70_text_in hands out, and reads a call's text
// result from qx70_text_out. Times are the page's milliseconds.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "app/controller.h"
#include "desk/panel_model.h"
#include "desk/shots.h"
#include "gfx/gfx.h"
#include "platform/web/audio.h"
#include "platform/web/script_run.h"
#include "platform/web/session.h"
#include "script/script.h"

#define WEB_EXPORT(name) extern "C" __attribute__((export_name(name)))

// ---- Constants ------------------------------------------------------------

namespace {

constexpr int MAX_TEXT = 8 * 1024 * 1024;  // a script of 4 MiB in UTF-8, with room

// ---- Module state ---------------------------------------------------------

struct Exchange {
    std::string in;   // the text argument of the next call
    std::string out;  // the text result of the last call
    int rect[4];      // x, y, w, h of the last present
    std::vector<uint32_t> picture;
};

Exchange io;

// ---- Private helpers ------------------------------------------------------

int64_t ms(double now) { return std::isfinite(now) ? static_cast<int64_t>(std::floor(now)) : 0; }

int reply(std::string text) {
    io.out = std::move(text);
    return static_cast<int>(io.out.size());
}

const uint32_t* rgbaOf(std::vector<uint32_t> argb) {
    io.picture.resize(argb.size());
    webToRgba(argb.data(), io.picture.data(), argb.size());
    return io.picture.data();
}

}  // namespace

// ---- Public operations ----------------------------------------------------

// Room for n bytes of text; null for more than MAX_TEXT.
WEB_EXPORT("qx70_text_in") char* webTextIn(int n) {
    if (n < 0 || n > MAX_TEXT) return nullptr;
    io.in.assign(static_cast<size_t>(n), '\0');
    return io.in.data();
}

WEB_EXPORT("qx70_text_out") const char* webTextOut() { return io.out.data(); }

WEB_EXPORT("qx70_text_out_size") int webTextOutSize() { return static_cast<int>(io.out.size()); }

// Starts the unit with the host time of the text "YYYY-MM-DD HH:MM:SS";
// returns 0 with the reason when the text is no such time.
WEB_EXPORT("qx70_start") int webStartAt(double now, int paused) {
    const Script s = scriptParse("clock " + io.in);
    const bool dated = s.errors.empty() && s.commands.size() == 1 && s.commands[0].clockHasDate;
    if (!dated) {
        reply(s.errors.empty() ? "clock: a date and a time, YYYY-MM-DD HH:MM:SS"
                               : s.errors[0].message);
        return 0;
    }
    webStart(ms(now), s.commands[0].clock, paused != 0);
    return 1;
}

WEB_EXPORT("qx70_advance") void webAdvanceTo(double now) { webAdvance(ms(now)); }

WEB_EXPORT("qx70_present") const int* webPresentAt(double now) {
    const HostRect r = webPresent(ms(now));
    io.rect[0] = r.x;
    io.rect[1] = r.y;
    io.rect[2] = r.w;
    io.rect[3] = r.h;
    return io.rect;
}

WEB_EXPORT("qx70_pixels") const uint8_t* webPixelsOf() { return webPixels(); }

WEB_EXPORT("qx70_set_paused") void webSetPausedAt(int paused, double now) {
    webSetPaused(paused != 0, ms(now));
}

WEB_EXPORT("qx70_paused") int webIsPaused() { return webPaused() ? 1 : 0; }

WEB_EXPORT("qx70_set_hidden") void webSetHiddenAt(int hidden, double now) {
    webSetHidden(hidden != 0, ms(now));
}

WEB_EXPORT("qx70_step") void webStepAt(double ticks, double now) {
    if (ticks > 0) webStep(static_cast<long long>(std::min(ticks, 1e9)), ms(now));
}

WEB_EXPORT("qx70_ticks") double webTickCount() { return static_cast<double>(webTicks()); }

WEB_EXPORT("qx70_pointer") void webPointerAt(int down, int x, int y) {
    webPointer(down != 0, x, y);
}

WEB_EXPORT("qx70_key_down") int webKeyDownAt(int mods, int repeat, double now) {
    return reply(webKeyDown(io.in, static_cast<unsigned>(mods), repeat != 0, ms(now)));
}

WEB_EXPORT("qx70_key_up") void webKeyUpNamed() { webKeyUp(io.in); }

WEB_EXPORT("qx70_keys_release") void webKeysRelease() { webKeysReleaseAll(); }

// A script line; 0 when applied, else the error's length in the text out.
WEB_EXPORT("qx70_line") int webApplyLine() { return reply(webLine(io.in)); }

WEB_EXPORT("qx70_message") void webShowMessage(double now) { webMessage(io.in, ms(now)); }

WEB_EXPORT("qx70_page") int webActivePage() { return controller.activePage; }

// The screen as RGBA bytes, FB_WIDTH x FB_HEIGHT, rows top first.
WEB_EXPORT("qx70_screen") const uint32_t* webScreen() { return rgbaOf(shotScreen()); }

// The bezel picture as RGBA bytes, BEZEL_WIDTH x BEZEL_HEIGHT.
WEB_EXPORT("qx70_bezel") const uint32_t* webBezel() {
    int w = 0, h = 0;
    return rgbaOf(shotWindow(1, &w, &h));
}

// Runs the script in the text in; returns its exit status as qx70-run's,
// with one "LINE<tab>message" line per message in the text out.
WEB_EXPORT("qx70_run_script") int webRunScriptAt(double tickLimit, double now) {
    const long long limit = tickLimit > 0 ? static_cast<long long>(std::min(tickLimit, 1e12)) : 0;
    const ScriptOutcome o = webRunScript(io.in, limit, ms(now));
    std::string text;
    for (const ScriptError& e : o.messages)
        text += std::to_string(e.line) + "\t" + e.message + "\n";
    reply(text);
    return static_cast<int>(o.status);
}

WEB_EXPORT("qx70_recording") int webRecordingText() { return reply(webRecording()); }

WEB_EXPORT("qx70_record_shot") void webRecordShotNamed(int window) {
    webRecordShot(io.in, window != 0);
}

WEB_EXPORT("qx70_shot_name")
int webShotName(int year, int month, int day, int hour, int minute, int second, int n) {
    return reply(shotBaseName(year, month, day, hour, minute, second, n));
}

WEB_EXPORT("qx70_audio_start") void webAudioStartAt(int sampleRate) { webAudioStart(sampleRate); }

WEB_EXPORT("qx70_audio_audible") int webAudioIsAudible() { return webAudioAudible() ? 1 : 0; }

WEB_EXPORT("qx70_audio_render") const int16_t* webAudioBlock(int n) { return webAudioRender(n); }

WEB_EXPORT("qx70_muted") int webIsMuted() { return webAudioMuted() ? 1 : 0; }

WEB_EXPORT("qx70_toggle_mute") void webToggleMuteAt(double now) { webToggleMute(ms(now)); }

WEB_EXPORT("qx70_panel_rows") int webPanelRows() { return PANEL_ROWS; }

WEB_EXPORT("qx70_panel_label") int webPanelLabel(int row) { return reply(panelLabel(row)); }

WEB_EXPORT("qx70_panel_meaning") int webPanelMeaning(int row) { return reply(panelMeaning(row)); }

WEB_EXPORT("qx70_panel_flag") int webPanelFlag(int row) {
    return panelKind(row) == PanelKind::Flag ? 1 : 0;
}

WEB_EXPORT("qx70_panel_value") int webPanelValue(int row) {
    char text[PANEL_TEXT_CAPACITY];
    panelValueText(row, text);
    return reply(text);
}

WEB_EXPORT("qx70_panel_on") int webPanelOn(int row) { return panelOn(row) ? 1 : 0; }

WEB_EXPORT("qx70_panel_change") void webPanelChangeRow(int row, int steps, int toggle) {
    webPanelChange(row, steps, toggle != 0);
}
