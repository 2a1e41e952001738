// The unit's sounds on a web page: the tone synthesiser renders blocks of
// samples that the page plays through WebAudio. Nothing sounds before the
// page starts its audio on a user's first gesture, as browsers require.
#pragma once

#include <cstdint>

// Starts the synthesiser at the page's sample rate.
void webAudioStart(int sampleRate);
// The device's sound requests, once started.
void webAudioRequest(int sound, int mode);
// The volume from the unit's setting while it runs; silence once it is off.
void webAudioFollowUnit();
void webAudioSetMuted(bool muted);
bool webAudioMuted();
// While paused nothing is audible: the sounds wait where they are.
void webAudioSetPaused(bool paused);
void webAudioSilence();
// True while a sound plays (and the unit is not paused).
bool webAudioAudible();
// The next n samples (at most WEB_AUDIO_BLOCK), as signed 16-bit values.
inline constexpr int WEB_AUDIO_BLOCK = 4096;
const int16_t* webAudioRender(int n);
