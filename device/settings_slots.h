// The settings slots the unit uses and the bits and values they hold: the one
// list that the application, the scripts, the desk and the tests name them by.
#pragma once

// ---- Slots ------------------------------------------------------------------

inline constexpr int SLOT_UNIT_ID = 1;            // int: shown on SYSTEM INFO
inline constexpr int SLOT_PAGE_ENABLE = 2;        // byte: bit p-1 lets navigation select page p
inline constexpr int SLOT_AUDIO_ALERTS = 3;       // byte: AUDIO_... bits
inline constexpr int SLOT_VOLUME = 4;             // byte: 0 to VOLUME_MAX
inline constexpr int SLOT_AOA_PRESTALL = 5;       // int: degrees, at least the cruise angle + 2
inline constexpr int SLOT_AOA_CRUISE = 6;         // int: degrees
inline constexpr int SLOT_OPTIONS = 7;            // byte: OPTION_... bits
inline constexpr int SLOT_PITCH_TRIM = 8;         // int: tenths of a degree
inline constexpr int SLOT_LAST_PAGE = 9;          // byte: the page to show after the splash
inline constexpr int SLOT_DATA_MODE = 10;         // byte: the data page's top field
inline constexpr int SLOT_GMETER_VIEW = 11;       // byte: the G-meter view
inline constexpr int SLOT_GMT_OFFSET = 12;        // int: hours
inline constexpr int SLOT_OAT_TRIM = 13;          // int: the OAT TRIM offset
inline constexpr int SLOT_G_LIMIT_POSITIVE = 14;  // int: G
inline constexpr int SLOT_G_LIMIT_NEGATIVE = 15;  // int: G
inline constexpr int SLOT_DEMO_MODE = 16;         // byte: DEMO_... values

// ---- Bits and values ----------------------------------------------------------

// SLOT_PAGE_ENABLE with every page on, the default.
inline constexpr int PAGE_ENABLE_ALL = 0x7F;

// SLOT_AUDIO_ALERTS: which alerts sound.
inline constexpr int AUDIO_TIMER1 = 0x01;
inline constexpr int AUDIO_TIMER2 = 0x02;
inline constexpr int AUDIO_AOA_LIMIT = 0x04;
inline constexpr int AUDIO_G_LIMIT = 0x08;

// SLOT_VOLUME runs from 0 to this.
inline constexpr int VOLUME_MAX = 10;

// SLOT_OPTIONS.
inline constexpr int OPTION_BLUE_BG = 0x01;  // stored, read by nobody
inline constexpr int OPTION_TEMP_IN_C = 0x02;
inline constexpr int OPTION_24H_TIME = 0x04;
inline constexpr int OPTION_TAS_IN_KT = 0x08;
inline constexpr int OPTION_G_POPUP = 0x10;
inline constexpr int OPTION_AOA_POPUP = 0x20;
inline constexpr int OPTION_BATTERY_ATTITUDE = 0x40;  // "AI POPUP"

// SLOT_DEMO_MODE: any value but DEMO_OFF is demo mode. The attitude page reads
// DEMO_OFF as the sensors with the alignment check, DEMO_MODE_1 as the demo
// motion and any other value as the sensors without the check.
inline constexpr int DEMO_OFF = 0;
inline constexpr int DEMO_MODE_1 = 1;
inline constexpr int DEMO_MODE_2 = 2;
