// The button decoder: eleven decoding cases in a fixed order, then the routing
// of the tick's event.
#include "app/buttons.h"

#include "app/alerts.h"
#include "app/brightness_dialog.h"
#include "app/controller.h"
#include "app/navigation.h"
#include "device/button_levels.h"
#include "device/device.h"

// ---- Constants ----------------------------------------------------------------

namespace {

// Hold counters stop here: a hold is reported once per press, and a button
// held for months must not overflow its counter.
constexpr int HOLD_TICKS_CAP = 1000;
static_assert(HOLD_TICKS_CAP > RIGHT_HOLD_TICKS && HOLD_TICKS_CAP > VIEW_HOLD_TICKS &&
              HOLD_TICKS_CAP > LEFT_HOLD_TICKS);

// ---- Types ----------------------------------------------------------------------

// Alerts that one acknowledgement clears together.
struct AlertGroup {
    int first;
    int last;
};

struct ButtonState {
    int down;       // the level as last accepted
    int holdArmed;  // hold timing runs
    int holdTicks;  // ticks since the press
};

// The raw levels read at the start of a tick.
struct Levels {
    bool view;
    bool left;
    bool right;
};

// ---- Module state -----------------------------------------------------------------

ButtonState viewButton;
ButtonState leftButton;
ButtonState rightButton;
int releaseSuppressed = 0;
int bothLatched = 0;
ButtonEvent pendingEvent = EVT_NONE;
ButtonEvent decodedEvent = EVT_NONE;

// ---- Private helpers --------------------------------------------------------------

// The G levels and the angle-of-attack levels go together; a timer alone.
AlertGroup alertGroupOf(int i) {
    if (i <= ALERT_G3) return {ALERT_G1, ALERT_G3};
    if (i <= ALERT_AOA3) return {ALERT_AOA1, ALERT_AOA3};
    return {i, i};
}

void clearDecoder() {
    viewButton = {};
    leftButton = {};
    rightButton = {};
    releaseSuppressed = 0;
    bothLatched = 0;
    pendingEvent = EVT_NONE;
    decodedEvent = EVT_NONE;
}

void resetCounters() {
    viewButton.holdTicks = 0;
    leftButton.holdTicks = 0;
    rightButton.holdTicks = 0;
}

// Counts one tick of an armed button; true on exactly its hold tick.
bool holdReached(ButtonState& b, int holdTicks) {
    if (!b.holdArmed) return false;
    if (b.holdTicks < HOLD_TICKS_CAP) ++b.holdTicks;
    return b.holdTicks == holdTicks;
}

ButtonEvent press(ButtonState& b, ButtonEvent e) {
    releaseSuppressed = 0;
    b.down = 1;
    b.holdArmed = 1;
    resetCounters();
    return e;
}

// A release after a hold or a both-press gives nothing; Left and Right also
// give nothing while the both-press is latched.
ButtonEvent release(ButtonState& b, ButtonEvent e, bool partOfBoth) {
    ButtonEvent result = EVT_NONE;
    if (releaseSuppressed) {
        releaseSuppressed = 0;
    } else if (!partOfBoth) {
        result = e;
    }
    b.down = 0;
    b.holdArmed = 0;
    resetCounters();
    return result;
}

void setBoth(int down) {
    leftButton.down = rightButton.down = down;
    leftButton.holdArmed = rightButton.holdArmed = down;
    leftButton.holdTicks = rightButton.holdTicks = 0;
    bothLatched = down;
}

// The first matching case of the list decides the tick's event.
ButtonEvent decode(const Levels& in) {
    if (in.left && in.right && !bothLatched) {
        setBoth(1);
        releaseSuppressed = 1;
        return EVT_BOTH_PRESS;
    }
    if (!in.left && !in.right && bothLatched) {
        setBoth(0);
        return EVT_BOTH_RELEASE;
    }
    if (holdReached(viewButton, VIEW_HOLD_TICKS)) {
        releaseSuppressed = 1;
        return EVT_VIEW_HOLD;
    }
    if (holdReached(leftButton, LEFT_HOLD_TICKS)) {
        releaseSuppressed = 1;
        return EVT_LEFT_HOLD;
    }
    if (holdReached(rightButton, RIGHT_HOLD_TICKS)) {
        releaseSuppressed = 1;
        return EVT_RIGHT_HOLD;
    }
    if (in.view && !viewButton.down) return press(viewButton, EVT_VIEW_PRESS);
    if (!in.view && viewButton.down) return release(viewButton, EVT_VIEW_RELEASE, false);
    if (in.left && !leftButton.down) return press(leftButton, EVT_LEFT_PRESS);
    if (!in.left && leftButton.down) return release(leftButton, EVT_LEFT_RELEASE, bothLatched);
    if (in.right && !rightButton.down) return press(rightButton, EVT_RIGHT_PRESS);
    if (!in.right && rightButton.down) return release(rightButton, EVT_RIGHT_RELEASE, bothLatched);
    return EVT_NONE;
}

// Brightness dialog: a lone right hold opens it, a right release closes it,
// everything else while open goes to the dialog. True when the tick ends here.
bool routeBrightnessDialog(const Levels& in) {
    if (pendingEvent == EVT_RIGHT_HOLD && !in.left && !in.view && !brightnessDialogOpen) {
        brightnessDialogOpen = 1;
        devNotify(1);
        return true;
    }
    if (!brightnessDialogOpen) return false;
    if (pendingEvent == EVT_RIGHT_RELEASE) {
        brightnessDialogOpen = 0;
        devNotify(1);
    } else {
        pendingEvent = brightnessDialogEvent(pendingEvent);
    }
    return true;
}

void route(const Levels& in) {
    if (onBattery && in.view && in.left) {
        devSwitchOff();
        return;
    }
    if (standbyActive) devNotify(1);
    if (pendingEvent == EVT_VIEW_RELEASE && anyAlertActive) {
        acknowledgeAlert();
        return;
    }
    if (routeBrightnessDialog(in)) return;
    pendingEvent = pageHandleEvent(activePage, pendingEvent);
    if (pendingEvent == EVT_LEFT_RELEASE) navigatePrevious();
    if (pendingEvent == EVT_RIGHT_RELEASE) navigateNext();
}

}  // namespace

// ---- Public operations --------------------------------------------------------

// One fast tick: decode at most one event and route it.
void buttonTick() {
    const Levels in = {viewLevel() != 0, leftLevel() != 0, rightLevel() != 0};
    pendingEvent = decode(in);
    if (!in.left && !in.right) bothLatched = 0;
    decodedEvent = pendingEvent;
    if (pendingEvent == EVT_NONE) return;
    route(in);
}

// Clears the group of the first active alert, then tells the device.
void acknowledgeAlert() {
    for (int i = 0; i < ALERT_COUNT; ++i) {
        if (alertActive[i] != 1) continue;
        const AlertGroup g = alertGroupOf(i);
        for (int j = g.first; j <= g.last; ++j) alertActive[j] = 0;
        devAlertAcknowledged();
        return;
    }
}

// Counters and flags cleared; the present levels count as already seen.
void buttonDecoderStart() {
    clearDecoder();
    viewButton.down = viewLevel() != 0;
    leftButton.down = leftLevel() != 0;
    rightButton.down = rightLevel() != 0;
}

// The event the last tick decoded, before routing.
ButtonEvent lastDecodedEvent() { return decodedEvent; }

// Power-on state of the decoder (every level is 0 then).
void buttonsPowerOnReset() { clearDecoder(); }
