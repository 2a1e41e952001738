// Alert logic: conditions, prerequisites, latches, sounds, pop-ups, and the
// acknowledgement that clears an alert group.
#include "app/alerts.h"

#include "app/controller.h"
#include "app/page_gmeter.h"
#include "app/timekeeping.h"
#include "app/unit_inputs.h"
#include "device/device.h"
#include "device/settings.h"
#include "device/settings_slots.h"

// ---- Constants ----------------------------------------------------------------

namespace {

// The G and angle-of-attack alerts come first and need the edition input.
constexpr int FIRST_TIMER_ALERT = ALERT_TIMER1;

// ---- Types ----------------------------------------------------------------------

enum class Source { GLimit, Aoa, Timer };

// When an alert rises and what it does then.
struct AlertRule {
    Source source;
    int input;           // level 1 to 3, or the timer index
    int prerequisites;   // bit mask of alerts that must be active
    int sound;           // a DevSound
    int audioEnableBit;  // in SLOT_AUDIO_ALERTS
    int popupBit;        // in SLOT_OPTIONS; 0 for none
    int popupView;       // G-meter view of the pop-up
};

// Alerts that one acknowledgement clears together.
struct AlertGroup {
    int first;
    int last;
};

constexpr AlertRule RULES[ALERT_COUNT] = {
    {Source::GLimit, 1, 0, SOUND_G1, AUDIO_G_LIMIT, 0, 0},
    {Source::GLimit, 2, alertBit(ALERT_G1), SOUND_G2, AUDIO_G_LIMIT, 0, 0},
    {Source::GLimit, 3, alertBit(ALERT_G1) | alertBit(ALERT_G2), SOUND_G3, AUDIO_G_LIMIT,
     OPTION_G_POPUP, GMETER_VIEW_G_CHEVRONS},
    {Source::Aoa, 1, 0, SOUND_AOA1, AUDIO_AOA_LIMIT, 0, 0},
    {Source::Aoa, 2, alertBit(ALERT_AOA1), SOUND_AOA2, AUDIO_AOA_LIMIT, 0, 0},
    {Source::Aoa, 3, alertBit(ALERT_AOA1) | alertBit(ALERT_AOA2), SOUND_AOA3, AUDIO_AOA_LIMIT,
     OPTION_AOA_POPUP, GMETER_VIEW_AOA_CHEVRONS},
    {Source::Timer, 0, 0, SOUND_TIMER1, AUDIO_TIMER1, 0, 0},
    {Source::Timer, 1, 0, SOUND_TIMER2, AUDIO_TIMER2, 0, 0},
};

// ---- Module state -------------------------------------------------------------

// `alerts`, declared in alerts.h.

// ---- Private helpers --------------------------------------------------------------

bool conditionHolds(const AlertRule& a) {
    switch (a.source) {
        case Source::GLimit: return devGLimitInput(a.input) != 0;
        case Source::Aoa: return devAoaInput(a.input) != 0;
        case Source::Timer: return timerExpired(a.input) != 0;
    }
    return false;
}

bool allOfActive(int mask) {
    for (int i = 0; i < ALERT_COUNT; ++i) {
        if ((mask & alertBit(i)) && !alerts.active[i]) return false;
    }
    return true;
}

// Raise once per episode of the condition (the latch), sound if enabled,
// bring up the G-meter for the level-3 pop-ups; a false condition clears all.
void evaluate(int i) {
    const AlertRule& a = RULES[i];
    if (!conditionHolds(a)) {
        devSound(a.sound, SOUND_STOP);
        alerts.active[i] = 0;
        alerts.latched[i] = 0;
        return;
    }
    if (alerts.latched[i] || !allOfActive(a.prerequisites)) return;
    if (settingsReadByte(SLOT_AUDIO_ALERTS) & a.audioEnableBit) devSound(a.sound, SOUND_ALERT);
    if (a.popupBit && (settingsReadByte(SLOT_OPTIONS) & a.popupBit)) {
        controllerShowPage(PAGE_GMETER);
        gmeterSetView(a.popupView);
    }
    alerts.active[i] = 1;
    alerts.latched[i] = 1;
}

// Sounds 2, 1, 0, 5, 4, 3 stopped in alert order; the latches stay.
void silenceEditionAlerts() {
    for (int i = 0; i < FIRST_TIMER_ALERT; ++i) devSound(RULES[i].sound, SOUND_STOP);
    for (int i = 0; i < FIRST_TIMER_ALERT; ++i) alerts.active[i] = 0;
}

// The G levels and the angle-of-attack levels go together; a timer alone.
AlertGroup alertGroupOf(int i) {
    if (i <= ALERT_G3) return {ALERT_G1, ALERT_G3};
    if (i <= ALERT_AOA3) return {ALERT_AOA1, ALERT_AOA3};
    return {i, i};
}

}  // namespace

// ---- Public operations --------------------------------------------------------

// Clears every active flag; latches stay.
void clearAlerts() {
    for (int& a : alerts.active) a = 0;
}

// Without the edition input the G and angle-of-attack alerts stay silent.
void alertLogic(uint32_t*) {
    if (editionUnit()) {
        for (int i = 0; i < FIRST_TIMER_ALERT; ++i) evaluate(i);
    } else {
        silenceEditionAlerts();
    }
    for (int i = FIRST_TIMER_ALERT; i < ALERT_COUNT; ++i) evaluate(i);
}

// Clears the group of the first active alert, then tells the device.
void acknowledgeAlert() {
    for (int i = 0; i < ALERT_COUNT; ++i) {
        if (alerts.active[i] != 1) continue;
        const AlertGroup g = alertGroupOf(i);
        for (int j = g.first; j <= g.last; ++j) alerts.active[j] = 0;
        devAlertAcknowledged();
        return;
    }
}

// Power-on state: flags and latches 0.
void alertsPowerOnReset() { alerts = {}; }
