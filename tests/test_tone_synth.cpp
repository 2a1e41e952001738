// The tone synthesiser: what each request sounds like, how loud, for how
// long, which sound covers which, and silence when muted or stopped. Also the
// device layer's sound listener that feeds it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "app_support.h"
#include "desk/tone_synth.h"
#include "device/device.h"

namespace {

constexpr int RATE = 48000;

std::vector<int16_t> render(ToneSynth* s, int ms) {
    std::vector<int16_t> out(static_cast<size_t>(RATE) * ms / 1000);
    toneSynthRender(s, out.data(), static_cast<int>(out.size()));
    return out;
}

int patternMs(int sound) {
    int ms = 0;
    for (int i = 0; i < tonePatterns[sound].count; ++i) ms += tonePatterns[sound].steps[i].ms;
    return ms;
}

int peak(const std::vector<int16_t>& v, size_t from = 0, size_t to = SIZE_MAX) {
    int p = 0;
    for (size_t i = from; i < std::min(to, v.size()); ++i)
        p = std::max(p, std::abs(static_cast<int>(v[i])));
    return p;
}

// Rising zero crossings per second over samples [from, to).
double frequency(const std::vector<int16_t>& v, size_t from, size_t to) {
    int rising = 0;
    for (size_t i = from + 1; i < to; ++i) rising += v[i - 1] < 0 && v[i] >= 0;
    return rising * static_cast<double>(RATE) / static_cast<double>(to - from);
}

// Which 10 ms slices of the output carry sound: the pattern's rhythm.
std::vector<bool> rhythm(const std::vector<int16_t>& v) {
    std::vector<bool> r;
    for (size_t i = 0; i + RATE / 100 <= v.size(); i += RATE / 100)
        r.push_back(peak(v, i, i + RATE / 100) > 0);
    return r;
}

ToneSynth fresh(int volume = VOLUME_MAX) {
    ToneSynth s;
    toneSynthInit(&s, RATE);
    toneSynthSetVolume(&s, volume);
    return s;
}

}  // namespace

TEST(ToneSynth, SilentUntilASoundIsRequested) {
    ToneSynth s = fresh();
    EXPECT_EQ(toneSynthAudible(&s), -1);
    EXPECT_EQ(peak(render(&s, 50)), 0);
}

TEST(ToneSynth, VolumeTestIsOneBeepAtItsPitchAndLoudness) {
    ToneSynth s = fresh(VOLUME_MAX);
    toneSynthRequest(&s, SOUND_VOLUME_TEST, SOUND_PREVIEW);
    const std::vector<int16_t> out = render(&s, patternMs(SOUND_VOLUME_TEST) + 100);
    const size_t end = static_cast<size_t>(RATE) * patternMs(SOUND_VOLUME_TEST) / 1000;
    const ToneStep& beep = tonePatterns[SOUND_VOLUME_TEST].steps[0];
    EXPECT_NEAR(frequency(out, 0, end), beep.hz, beep.hz * 0.01);
    EXPECT_NEAR(peak(out, 0, end), toneAmplitude(VOLUME_MAX), 1.0);
    EXPECT_EQ(peak(out, end), 0) << "silent after the beep";
    EXPECT_EQ(toneSynthAudible(&s), -1);
}

TEST(ToneSynth, LoudnessFollowsTheVolumeSetting) {
    int previous = -1;
    for (int v = 0; v <= VOLUME_MAX; ++v) {
        ToneSynth s = fresh(v);
        toneSynthRequest(&s, SOUND_VOLUME_TEST, SOUND_PREVIEW);
        const int p = peak(render(&s, 100));
        if (v == 0) {
            EXPECT_EQ(p, 0);
        } else {
            EXPECT_GT(p, previous) << "volume " << v;
        }
        EXPECT_NEAR(p, toneAmplitude(v), 1.0);
        previous = p;
    }
    EXPECT_FLOAT_EQ(toneAmplitude(VOLUME_MAX), TONE_FULL_SCALE * 32767.0f);
    EXPECT_FLOAT_EQ(toneAmplitude(5), toneAmplitude(VOLUME_MAX) / 4)
        << "square law: -12 dB at half";
    EXPECT_FLOAT_EQ(toneAmplitude(15), toneAmplitude(VOLUME_MAX));
    EXPECT_FLOAT_EQ(toneAmplitude(-3), 0.0f);
}

TEST(ToneSynth, PreviewPlaysOnceAndAnAlertItsRepeats) {
    for (int sound = 0; sound < SOUND_COUNT; ++sound) {
        const int once = patternMs(sound);
        ToneSynth s = fresh();
        toneSynthRequest(&s, sound, SOUND_PREVIEW);
        render(&s, once - 10);
        EXPECT_EQ(toneSynthAudible(&s), sound) << "sound " << sound;
        render(&s, 10);
        EXPECT_EQ(toneSynthAudible(&s), -1) << "sound " << sound;

        toneSynthRequest(&s, sound, SOUND_ALERT);
        const int repeats = tonePatterns[sound].alertRepeats;
        EXPECT_GE(repeats, 1);
        render(&s, once * repeats - 10);
        EXPECT_EQ(toneSynthAudible(&s), sound) << "sound " << sound;
        render(&s, 10);
        EXPECT_EQ(toneSynthAudible(&s), -1) << "sound " << sound;
    }
}

TEST(ToneSynth, StopSilencesAtOnceAndOnlyItsSound) {
    ToneSynth s = fresh();
    toneSynthRequest(&s, 6, SOUND_ALERT);
    toneSynthRequest(&s, 7, SOUND_ALERT);
    render(&s, 20);
    toneSynthRequest(&s, 7, SOUND_STOP);  // the alert logic stops quiet alerts every frame
    EXPECT_EQ(toneSynthAudible(&s), 6);
    toneSynthRequest(&s, 6, SOUND_STOP);
    EXPECT_EQ(toneSynthAudible(&s), -1);
    EXPECT_EQ(peak(render(&s, 20)), 0);
    toneSynthRequest(&s, 3, SOUND_STOP);  // stopping what does not play is harmless
    EXPECT_EQ(toneSynthAudible(&s), -1);
}

// The most urgent sound is heard; a lesser one keeps its place meanwhile and
// is heard again, in step, once the urgent one stops.
TEST(ToneSynth, TheMostUrgentSoundCoversTheOthers) {
    ToneSynth both = fresh();
    toneSynthRequest(&both, 2, SOUND_ALERT);
    render(&both, 100);
    toneSynthRequest(&both, 0, SOUND_ALERT);
    EXPECT_EQ(toneSynthAudible(&both), 0);
    render(&both, 250);
    toneSynthRequest(&both, 0, SOUND_STOP);
    EXPECT_EQ(toneSynthAudible(&both), 2);

    ToneSynth alone = fresh();
    toneSynthRequest(&alone, 2, SOUND_ALERT);
    render(&alone, 350);
    EXPECT_EQ(rhythm(render(&both, 1000)), rhythm(render(&alone, 1000)));
}

TEST(ToneSynth, MutedRendersSilenceWhileSoundsMoveOn) {
    ToneSynth s = fresh();
    toneSynthSetMuted(&s, true);
    toneSynthRequest(&s, SOUND_VOLUME_TEST, SOUND_PREVIEW);
    EXPECT_EQ(peak(render(&s, 200)), 0);
    toneSynthSetMuted(&s, false);
    EXPECT_GT(peak(render(&s, 50)), 0) << "the rest of the beep";
    render(&s, 100);
    EXPECT_EQ(toneSynthAudible(&s), -1) << "the muted part counted";
}

TEST(ToneSynth, UnknownSoundsAndModesAreIgnored) {
    ToneSynth s = fresh();
    for (int sound : {-1, SOUND_COUNT, 1000}) toneSynthRequest(&s, sound, SOUND_ALERT);
    for (int mode : {-1, 3, 99}) toneSynthRequest(&s, 0, mode);
    EXPECT_EQ(toneSynthAudible(&s), -1);
    toneSynthRequest(&s, 1, SOUND_ALERT);
    toneSynthSilence(&s);
    EXPECT_EQ(toneSynthAudible(&s), -1);
}

// Every sound is recognisable by its rhythm or pitch alone.
TEST(ToneSynth, EverySoundHasItsOwnPattern) {
    for (int a = 0; a < SOUND_COUNT; ++a)
        for (int b = a + 1; b < SOUND_COUNT; ++b) {
            ToneSynth sa = fresh(), sb = fresh();
            toneSynthRequest(&sa, a, SOUND_PREVIEW);
            toneSynthRequest(&sb, b, SOUND_PREVIEW);
            const std::vector<int16_t> va = render(&sa, 1500), vb = render(&sb, 1500);
            const bool sameRhythm = rhythm(va) == rhythm(vb);
            const bool samePitch =
                std::abs(frequency(va, 0, RATE / 20) - frequency(vb, 0, RATE / 20)) < 30.0;
            EXPECT_FALSE(sameRhythm && samePitch) << "sounds " << a << " and " << b;
        }
}

// Beeps fade in and out, so no sample jumps further than the sine itself
// moves at full volume: no clicks at the edges of a beep.
TEST(ToneSynth, NoClicks) {
    for (int sound = 0; sound < SOUND_COUNT; ++sound) {
        ToneSynth s = fresh();
        toneSynthRequest(&s, sound, SOUND_ALERT);
        const std::vector<int16_t> out =
            render(&s, patternMs(sound) * tonePatterns[sound].alertRepeats + 50);
        int maxHz = 0;
        for (int i = 0; i < tonePatterns[sound].count; ++i)
            maxHz = std::max<int>(maxHz, tonePatterns[sound].steps[i].hz);
        const double amp = toneAmplitude(VOLUME_MAX);
        const double fadeSlope = amp / (RATE * TONE_FADE_MS / 1000);
        const double limit = amp * 6.2832 * maxHz / RATE + fadeSlope + 2.0;
        EXPECT_EQ(out.front(), 0);
        for (size_t i = 1; i < out.size(); ++i)
            ASSERT_LE(std::abs(out[i] - out[i - 1]), limit) << "sound " << sound << " sample " << i;
    }
}

namespace {

int heardSound = -1, heardMode = -1, heardCount = 0;
void listen(int sound, int mode) {
    heardSound = sound;
    heardMode = mode;
    ++heardCount;
}

}  // namespace

TEST(DeviceSoundListener, HearsEveryRequestAfterTheJournal) {
    devicePowerOnReset();
    heardCount = 0;
    devSetSoundListener(listen);
    devicePowerOnReset();  // host wiring survives a power-on reset
    devSound(3, 2);
    EXPECT_EQ(heardSound, 3);
    EXPECT_EQ(heardMode, 2);
    devSound(8, 0);
    EXPECT_EQ(heardCount, 2);
    EXPECT_EQ(journalCount(DevOp::Sound), 2);
    devSetSoundListener(nullptr);
    devSound(1, 1);
    EXPECT_EQ(heardCount, 2);
    EXPECT_EQ(journalCount(DevOp::Sound), 3);
}
