// Tone synthesis for the page, as the window's audio does it, but pulled by
// the page a block at a time instead of by an audio thread.
#include "platform/web/audio.h"

#include <algorithm>

#include "desk/tone_synth.h"
#include "device/settings.h"
#include "device/settings_slots.h"
#include "shell/shell.h"

namespace {

// ---- Module state ---------------------------------------------------------

struct WebAudio {
    bool started = false;
    bool paused = false;
    bool unitWasRunning = true;
    ToneSynth synth = {};
    int16_t block[WEB_AUDIO_BLOCK] = {};
};

WebAudio audio;

}  // namespace

// ---- Public operations ----------------------------------------------------

// The mute and volume already chosen carry over.
void webAudioStart(int sampleRate) {
    if (audio.started) return;
    const bool muted = audio.synth.muted;
    toneSynthInit(&audio.synth, sampleRate);
    toneSynthSetMuted(&audio.synth, muted);
    toneSynthSetVolume(&audio.synth, settingsReadByte(SLOT_VOLUME));
    audio.started = true;
}

void webAudioRequest(int sound, int mode) {
    if (audio.started) toneSynthRequest(&audio.synth, sound, mode);
}

void webAudioFollowUnit() {
    if (hostUnitRunning()) {
        toneSynthSetVolume(&audio.synth, settingsReadByte(SLOT_VOLUME));
    } else if (audio.unitWasRunning) {
        toneSynthSilence(&audio.synth);
    }
    audio.unitWasRunning = hostUnitRunning();
}

void webAudioSetMuted(bool muted) { toneSynthSetMuted(&audio.synth, muted); }

bool webAudioMuted() { return audio.synth.muted; }

void webAudioSetPaused(bool paused) { audio.paused = paused; }

void webAudioSilence() { toneSynthSilence(&audio.synth); }

bool webAudioAudible() {
    return audio.started && !audio.paused && toneSynthAudible(&audio.synth) >= 0;
}

const int16_t* webAudioRender(int n) {
    toneSynthRender(&audio.synth, audio.block, std::clamp(n, 0, WEB_AUDIO_BLOCK));
    return audio.block;
}
