// The button decoder: eleven decoding cases in a fixed order, then the routing
// of the tick's event.
#include "app/buttons.h"

#include "app/alert_banner.h"
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

struct ButtonState {
    int down;       // the level as last accepted
    int holdArmed;  // hold timing runs
    int holdTicks;  // ticks since the press
};

struct DecoderState {
    ButtonState view;
    ButtonState left;
    ButtonState right;
    int releaseSuppressed;
    int bothLatched;
    ButtonEvent pendingEvent;  // the tick's event while it is routed
    ButtonEvent decodedEvent;  // the tick's event before routing
};

// The raw levels read at the start of a tick.
struct Levels {
    bool view;
    bool left;
    bool right;
};

// ---- Module state -----------------------------------------------------------------

DecoderState decoder = {};

// ---- Private helpers --------------------------------------------------------------

void resetCounters() {
    decoder.view.holdTicks = 0;
    decoder.left.holdTicks = 0;
    decoder.right.holdTicks = 0;
}

// Counts one tick of an armed button; true on exactly its hold tick.
bool holdReached(ButtonState& b, int holdTicks) {
    if (!b.holdArmed) return false;
    if (b.holdTicks < HOLD_TICKS_CAP) ++b.holdTicks;
    return b.holdTicks == holdTicks;
}

ButtonEvent press(ButtonState& b, ButtonEvent e) {
    decoder.releaseSuppressed = 0;
    b.down = 1;
    b.holdArmed = 1;
    resetCounters();
    return e;
}

// A release after a hold or a both-press gives nothing; Left and Right also
// give nothing while the both-press is latched.
ButtonEvent release(ButtonState& b, ButtonEvent e, bool partOfBoth) {
    ButtonEvent result = EVT_NONE;
    if (decoder.releaseSuppressed) {
        decoder.releaseSuppressed = 0;
    } else if (!partOfBoth) {
        result = e;
    }
    b.down = 0;
    b.holdArmed = 0;
    resetCounters();
    return result;
}

void setBoth(int down) {
    DecoderState& d = decoder;
    d.left.down = d.right.down = down;
    d.left.holdArmed = d.right.holdArmed = down;
    d.left.holdTicks = d.right.holdTicks = 0;
    d.bothLatched = down;
}

// The first matching case of the list decides the tick's event.
ButtonEvent decode(const Levels& in) {
    DecoderState& d = decoder;
    if (in.left && in.right && !d.bothLatched) {
        setBoth(1);
        d.releaseSuppressed = 1;
        return EVT_BOTH_PRESS;
    }
    if (!in.left && !in.right && d.bothLatched) {
        setBoth(0);
        return EVT_BOTH_RELEASE;
    }
    if (holdReached(d.view, VIEW_HOLD_TICKS)) {
        d.releaseSuppressed = 1;
        return EVT_VIEW_HOLD;
    }
    if (holdReached(d.left, LEFT_HOLD_TICKS)) {
        d.releaseSuppressed = 1;
        return EVT_LEFT_HOLD;
    }
    if (holdReached(d.right, RIGHT_HOLD_TICKS)) {
        d.releaseSuppressed = 1;
        return EVT_RIGHT_HOLD;
    }
    if (in.view && !d.view.down) return press(d.view, EVT_VIEW_PRESS);
    if (!in.view && d.view.down) return release(d.view, EVT_VIEW_RELEASE, false);
    if (in.left && !d.left.down) return press(d.left, EVT_LEFT_PRESS);
    if (!in.left && d.left.down) return release(d.left, EVT_LEFT_RELEASE, d.bothLatched);
    if (in.right && !d.right.down) return press(d.right, EVT_RIGHT_PRESS);
    if (!in.right && d.right.down) return release(d.right, EVT_RIGHT_RELEASE, d.bothLatched);
    return EVT_NONE;
}

// Brightness dialog: a lone right hold opens it, a right release closes it,
// everything else while open goes to the dialog. True when the tick ends here.
bool routeBrightnessDialog(const Levels& in) {
    ButtonEvent& e = decoder.pendingEvent;
    if (e == EVT_RIGHT_HOLD && !in.left && !in.view && !brightnessDialog.open) {
        openBrightnessDialog();
        return true;
    }
    if (!brightnessDialog.open) return false;
    if (e == EVT_RIGHT_RELEASE) {
        closeBrightnessDialog();
    } else {
        e = brightnessDialogEvent(e);
    }
    return true;
}

void route(const Levels& in) {
    ButtonEvent& e = decoder.pendingEvent;
    if (controller.onBattery && in.view && in.left) {
        devSwitchOff();
        return;
    }
    if (controller.standbyActive) devNotify(1);
    if (e == EVT_VIEW_RELEASE && alertBanner.anyActive) {
        acknowledgeAlert();
        return;
    }
    if (routeBrightnessDialog(in)) return;
    e = pageHandleEvent(controller.activePage, e);
    if (e == EVT_LEFT_RELEASE) navigatePrevious();
    if (e == EVT_RIGHT_RELEASE) navigateNext();
}

}  // namespace

// ---- Public operations --------------------------------------------------------

// One fast tick: decode at most one event and route it.
void buttonTick() {
    const Levels in = {viewLevel() != 0, leftLevel() != 0, rightLevel() != 0};
    decoder.pendingEvent = decode(in);
    buttonLevelsTaken(decoder.view.down, decoder.left.down, decoder.right.down);
    if (!in.left && !in.right) decoder.bothLatched = 0;
    decoder.decodedEvent = decoder.pendingEvent;
    if (decoder.pendingEvent == EVT_NONE) return;
    route(in);
}

// Counters and flags cleared; the present levels count as already seen.
void buttonDecoderStart() {
    decoder = {};
    decoder.view.down = viewLevel() != 0;
    decoder.left.down = leftLevel() != 0;
    decoder.right.down = rightLevel() != 0;
}

// The event the last tick decoded, before routing.
ButtonEvent lastDecodedEvent() { return decoder.decodedEvent; }

// Power-on state of the decoder (every level is 0 then).
void buttonsPowerOnReset() { decoder = {}; }
