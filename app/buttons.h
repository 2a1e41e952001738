// The button decoder: turns the three raw bezel levels into one ButtonEvent
// per fast tick and routes it to switch-off, alert acknowledgement, the
// brightness dialog, the active page and the page navigation.
#pragma once

enum ButtonEvent : int {
    EVT_NONE = 0,
    EVT_VIEW_PRESS = 1,
    EVT_VIEW_RELEASE = 2,
    EVT_VIEW_HOLD = 3,
    EVT_LEFT_PRESS = 4,
    EVT_LEFT_RELEASE = 5,
    EVT_LEFT_HOLD = 6,
    EVT_RIGHT_PRESS = 7,
    EVT_RIGHT_RELEASE = 8,
    EVT_RIGHT_HOLD = 9,
    EVT_BOTH_PRESS = 10,
    EVT_BOTH_RELEASE = 11,
};

// Ticks a button must stay down before its hold event.
inline constexpr int VIEW_HOLD_TICKS = 60;
inline constexpr int LEFT_HOLD_TICKS = 60;
inline constexpr int RIGHT_HOLD_TICKS = 120;

// One fast tick: decode at most one event and route it.
void buttonTick();
// Clears every counter and flag and takes the present levels as already seen,
// so a button held at start gives no press until it has been released.
void buttonDecoderStart();
// The event the last tick decoded, before routing.
ButtonEvent lastDecodedEvent();
// Power-on state of the decoder.
void buttonsPowerOnReset();
