// SDL audio for the tone synthesiser. The synthesiser state is shared with
// SDL's audio thread: the callback runs with the device lock held, and every
// change from the window's thread takes the same lock.
#include "platform/sdl/audio.h"

#include <SDL.h>
#include <dlfcn.h>

#include "desk/tone_synth.h"

// ---- Constants ------------------------------------------------------------

namespace {

constexpr int WANTED_RATE = 48000;
constexpr Uint16 BUFFER_SAMPLES = 1024;  // about 21 ms at 48 kHz

// ---- Module state ---------------------------------------------------------

bool disabled = false;  // --mute: never open
bool failed = false;    // no audio device: stay quiet
SDL_AudioDeviceID device = 0;
bool playing = false;  // the device is unpaused
bool unitPaused = false;
bool muted = false;
int volume = 5;
ToneSynth synth;  // under the device lock once the device is open

// ---- Private helpers ------------------------------------------------------

// ALSA's library prints its own errors on stderr when it finds no sound card,
// which is the normal case on a build server; the program stays quiet instead.
void quietAlsaError(const char*, int, const char*, int, const char*, ...) {}

void quietAlsa() {
    const char* driver = SDL_GetCurrentAudioDriver();
    if (driver == nullptr || SDL_strcmp(driver, "alsa") != 0) return;
    void* alsa = dlopen("libasound.so.2", RTLD_NOW | RTLD_NOLOAD);
    if (alsa == nullptr) return;
    using Handler = void (*)(const char*, int, const char*, int, const char*, ...);
    using SetHandler = int (*)(Handler);
    auto set = reinterpret_cast<SetHandler>(dlsym(alsa, "snd_lib_error_set_handler"));
    if (set != nullptr) set(quietAlsaError);
    dlclose(alsa);
}

void render(void*, Uint8* stream, int len) {
    toneSynthRender(&synth, reinterpret_cast<int16_t*>(stream),
                    len / static_cast<int>(sizeof(int16_t)));
}

// Opens the default output once; any failure leaves the program silent.
bool open() {
    if (device != 0) return true;
    if (disabled || failed) return false;
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        failed = true;
        return false;
    }
    quietAlsa();
    SDL_AudioSpec want{};
    want.freq = WANTED_RATE;
    want.format = AUDIO_S16SYS;
    want.channels = 1;
    want.samples = BUFFER_SAMPLES;
    want.callback = render;
    SDL_AudioSpec have{};
    toneSynthInit(&synth, WANTED_RATE);
    device = SDL_OpenAudioDevice(nullptr, 0, &want, &have, SDL_AUDIO_ALLOW_FREQUENCY_CHANGE);
    if (device == 0) {
        failed = true;
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    // The device starts paused, so the callback cannot run yet.
    toneSynthInit(&synth, have.freq);
    toneSynthSetVolume(&synth, volume);
    toneSynthSetMuted(&synth, muted);
    return true;
}

// Runs the device while a sound plays and the unit is not paused.
void updatePlaying() {
    SDL_LockAudioDevice(device);
    const bool audible = toneSynthAudible(&synth) >= 0;
    SDL_UnlockAudioDevice(device);
    const bool run = audible && !unitPaused;
    if (run == playing) return;
    playing = run;
    SDL_PauseAudioDevice(device, run ? 0 : 1);
}

}  // namespace

// ---- Public operations ----------------------------------------------------

void sdlAudioDisable() { disabled = true; }

// A stop for a device never opened has nothing to stop.
void sdlAudioRequest(int sound, int mode) {
    if (device == 0 && (mode == SOUND_STOP || !open())) return;
    SDL_LockAudioDevice(device);
    toneSynthRequest(&synth, sound, mode);
    SDL_UnlockAudioDevice(device);
    updatePlaying();
}

void sdlAudioSetVolume(int v) {
    if (v == volume) return;
    volume = v;
    if (device == 0) return;
    SDL_LockAudioDevice(device);
    toneSynthSetVolume(&synth, volume);
    SDL_UnlockAudioDevice(device);
}

void sdlAudioSetMuted(bool m) {
    muted = m;
    if (device == 0) return;
    SDL_LockAudioDevice(device);
    toneSynthSetMuted(&synth, muted);
    SDL_UnlockAudioDevice(device);
}

bool sdlAudioMuted() { return muted || disabled; }

void sdlAudioSetPaused(bool paused) {
    unitPaused = paused;
    if (device != 0) updatePlaying();
}

void sdlAudioSilence() {
    if (device == 0) return;
    SDL_LockAudioDevice(device);
    toneSynthSilence(&synth);
    SDL_UnlockAudioDevice(device);
    updatePlaying();
}

void sdlAudioIdle() {
    if (device != 0 && playing) updatePlaying();
}

void sdlAudioClose() {
    if (device == 0) return;
    SDL_CloseAudioDevice(device);
    device = 0;
    playing = false;
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}
