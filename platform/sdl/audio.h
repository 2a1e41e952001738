// The unit's sound requests made audible through SDL audio. The device is
// opened on the first sound that plays; without an audio device (as on a
// build server) every request is dropped silently.
#pragma once

// Off for good (--mute): no request opens the device.
void sdlAudioDisable();
// A sound request of the unit (the device layer's sound listener).
void sdlAudioRequest(int sound, int mode);
// The unit's volume setting, 0 to 10.
void sdlAudioSetVolume(int volume);
// Silences the output without stopping the sounds' progress (the M key).
void sdlAudioSetMuted(bool muted);
bool sdlAudioMuted();
// Holds the output while the unit is paused; it goes on where it stopped.
void sdlAudioSetPaused(bool paused);
// Stops every sound (the unit switched itself off).
void sdlAudioSilence();
// Lets the device rest once nothing plays; call once per loop turn.
void sdlAudioIdle();
// Closes the device.
void sdlAudioClose();
