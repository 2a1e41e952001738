// Synthesised tones for the unit's sound requests: one pattern of beeps per
// sound (the eight alert sounds and the volume test), sine tones with short
// fades so they never click, scaled by the unit's volume setting. Plain data
// and arithmetic, so it runs in tests as it runs on the audio thread.
#pragma once

#include <cstdint>

#include "device/device.h"
#include "device/settings_slots.h"

// Sounds and modes are the unit's DevSound and DevSoundMode; volumes run to VOLUME_MAX.
inline constexpr float TONE_FULL_SCALE = 0.5f;  // peak amplitude at volume 10, of the int16 range
inline constexpr int TONE_FADE_MS = 4;          // fade in and out of every beep

// One step of a pattern: a tone of hz (0: silence) for ms milliseconds.
struct ToneStep {
    uint16_t hz;
    uint16_t ms;
};

struct TonePattern {
    const ToneStep* steps;
    int count;
    int alertRepeats;  // how often an alert plays the pattern
};

extern const TonePattern tonePatterns[SOUND_COUNT];

struct ToneVoice {
    int repeatsLeft;  // 0: silent
    int step;         // index into the pattern
    int sampleInStep;
};

struct ToneSynth {
    int sampleRate;
    int volume;  // 0 to 10
    bool muted;
    double phase;  // of the sine, in turns, kept across steps of one voice
    ToneVoice voices[SOUND_COUNT];
};

// Silent, at the given rate (samples per second), volume 5 as the unit's default.
void toneSynthInit(ToneSynth* s, int sampleRate);
// A sound request of the unit: mode 0 stops the sound, 1 plays its pattern
// once from the start, 2 plays it as an alert. Unknown sounds or modes do nothing.
void toneSynthRequest(ToneSynth* s, int sound, int mode);
// Volume from the settings slot, limited to 0..10.
void toneSynthSetVolume(ToneSynth* s, int volume);
void toneSynthSetMuted(ToneSynth* s, bool muted);
// Stops every sound.
void toneSynthSilence(ToneSynth* s);
// The sound heard now: the most urgent one playing (the lowest number), or -1.
int toneSynthAudible(const ToneSynth* s);
// Writes n mono samples. Every playing sound advances; only the audible one
// is heard, so a more urgent alert covers a lesser one without losing its place.
void toneSynthRender(ToneSynth* s, int16_t* out, int n);
// Peak amplitude (int16 units) of a tone at the given volume: 0 at 0, then
// rising with the square of the volume so the steps sound even.
float toneAmplitude(int volume);
