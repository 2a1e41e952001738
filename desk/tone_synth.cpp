// The sounds of the unit. Urgency rises as the sound number falls: the G
// limit warnings (0 to 2) and the angle-of-attack warnings (3 to 5) grow
// faster and higher with each level, the two timers chime in opposite
// directions, and the volume test is one plain beep. Alerts repeat their
// pattern a few times and then fall silent, so an alert the user has
// acknowledged does not sound on for as long as its condition lasts.
#include "desk/tone_synth.h"

#include <algorithm>
#include <cmath>

// ---- Constants ------------------------------------------------------------

namespace {

constexpr double TWO_PI = 6.283185307179586;

constexpr ToneStep G_LEVEL_3[] = {{1400, 100}, {1000, 100}, {1400, 100}, {1000, 100}, {1400, 100},
                                  {1000, 100}, {1400, 100}, {1000, 100}, {0, 150}};
constexpr ToneStep G_LEVEL_2[] = {{1200, 120}, {0, 80},     {1200, 120},
                                  {0, 80},     {1200, 120}, {0, 500}};
constexpr ToneStep G_LEVEL_1[] = {{1000, 180}, {0, 120}, {1000, 180}, {0, 900}};
constexpr ToneStep AOA_LEVEL_3[] = {{1760, 60}, {0, 40}, {1760, 60}, {0, 40}, {1760, 60}, {0, 40},
                                    {1760, 60}, {0, 40}, {1760, 60}, {0, 40}, {1760, 60}, {0, 240}};
constexpr ToneStep AOA_LEVEL_2[] = {{880, 120}, {1320, 120}, {0, 120},
                                    {880, 120}, {1320, 120}, {0, 500}};
constexpr ToneStep AOA_LEVEL_1[] = {{660, 250}, {990, 250}, {0, 800}};
constexpr ToneStep TIMER_1[] = {{1568, 120}, {0, 60}, {2093, 240}, {0, 800}};
constexpr ToneStep TIMER_2[] = {{2093, 120}, {0, 60}, {1568, 240}, {0, 800}};
constexpr ToneStep VOLUME_TEST[] = {{1000, 300}};

template <size_t N>
constexpr TonePattern pattern(const ToneStep (&steps)[N], int alertRepeats) {
    return {steps, static_cast<int>(N), alertRepeats};
}

}  // namespace

const TonePattern tonePatterns[SOUND_COUNT] = {
    pattern(G_LEVEL_3, 4),   pattern(G_LEVEL_2, 3),   pattern(G_LEVEL_1, 2),
    pattern(AOA_LEVEL_3, 4), pattern(AOA_LEVEL_2, 3), pattern(AOA_LEVEL_1, 2),
    pattern(TIMER_1, 3),     pattern(TIMER_2, 3),     pattern(VOLUME_TEST, 1),
};

// ---- Private helpers ------------------------------------------------------

namespace {

constexpr int DEFAULT_VOLUME = 5;

int stepSamples(const ToneSynth* s, const ToneStep& step) {
    return std::max(1, static_cast<int>(static_cast<int64_t>(step.ms) * s->sampleRate / 1000));
}

// Moves a playing voice on by one sample, through its steps and repeats.
void advance(const ToneSynth* s, int sound, ToneVoice* v) {
    const TonePattern& p = tonePatterns[sound];
    if (++v->sampleInStep < stepSamples(s, p.steps[v->step])) return;
    v->sampleInStep = 0;
    if (++v->step < p.count) return;
    v->step = 0;
    --v->repeatsLeft;
}

// Fade in and out at the edges of a beep: 0 at the edge, 1 inside.
float envelope(const ToneSynth* s, int pos, int len) {
    const int fade = std::max(1, s->sampleRate * TONE_FADE_MS / 1000);
    const int edge = std::min(pos, len - 1 - pos);
    return edge >= fade ? 1.0f : static_cast<float>(edge) / static_cast<float>(fade);
}

// One sample of the audible voice, before its voice advances.
float sampleOf(ToneSynth* s, int sound) {
    const ToneVoice& v = s->voices[sound];
    const ToneStep& step = tonePatterns[sound].steps[v.step];
    if (step.hz == 0) return 0.0f;
    const float env = envelope(s, v.sampleInStep, stepSamples(s, step));
    const float value = static_cast<float>(std::sin(TWO_PI * s->phase)) * env;
    s->phase += static_cast<double>(step.hz) / s->sampleRate;
    s->phase -= std::floor(s->phase);
    return value;
}

}  // namespace

// ---- Public operations ----------------------------------------------------

// Nothing playing, default volume, not muted.
void toneSynthInit(ToneSynth* s, int sampleRate) {
    *s = {};
    s->sampleRate = std::max(1, sampleRate);
    s->volume = DEFAULT_VOLUME;
}

// Starts a sound from its first step or stops it; anything else is ignored.
void toneSynthRequest(ToneSynth* s, int sound, int mode) {
    if (sound < 0 || sound >= SOUND_COUNT) return;
    ToneVoice& v = s->voices[sound];
    switch (mode) {
        case SOUND_STOP: v = {}; return;
        case SOUND_PREVIEW: v = {1, 0, 0}; return;
        case SOUND_ALERT: v = {tonePatterns[sound].alertRepeats, 0, 0}; return;
        default: return;
    }
}

void toneSynthSetVolume(ToneSynth* s, int volume) { s->volume = std::clamp(volume, 0, VOLUME_MAX); }

void toneSynthSetMuted(ToneSynth* s, bool muted) { s->muted = muted; }

// Every voice quiet.
void toneSynthSilence(ToneSynth* s) {
    for (ToneVoice& v : s->voices) v = {};
}

// The lowest sound number still playing.
int toneSynthAudible(const ToneSynth* s) {
    for (int i = 0; i < SOUND_COUNT; ++i)
        if (s->voices[i].repeatsLeft > 0) return i;
    return -1;
}

// Sample by sample: the audible voice is heard, then every voice advances.
void toneSynthRender(ToneSynth* s, int16_t* out, int n) {
    const float amplitude = s->muted ? 0.0f : toneAmplitude(s->volume);
    for (int i = 0; i < n; ++i) {
        const int sound = toneSynthAudible(s);
        const float value = sound >= 0 ? sampleOf(s, sound) * amplitude : 0.0f;
        out[i] = static_cast<int16_t>(std::lround(value));
        for (int k = 0; k < SOUND_COUNT; ++k)
            if (s->voices[k].repeatsLeft > 0) advance(s, k, &s->voices[k]);
    }
}

// Square law: volume 5 is a quarter of the full amplitude (-12 dB).
float toneAmplitude(int volume) {
    const float v = static_cast<float>(std::clamp(volume, 0, VOLUME_MAX)) / VOLUME_MAX;
    return TONE_FULL_SCALE * 32767.0f * v * v;
}
