// The unit's hardware as the simulator provides it: every device operation,
// the discrete inputs and the demo motion.
//
// Each dev... operation reads its value from simDevice, whose defaults are the
// simulator's fixed values; tests, scripts and the live controls change fields
// to reach paths the fixed values never reach. Requests without a visible
// effect are recorded in a small journal.
#pragma once

#include <cstdint>

// ---- Simulated device -------------------------------------------------------

inline constexpr int DEV_EXTERNAL_VALUES = 16;  // devReadValue / devWriteValue
inline constexpr int DEV_PAGE_REQUEST = 8;      // the external value that requests a page
inline constexpr int DEV_STATUS_LETTERS = 7;    // "RPYJAWB"
inline constexpr int DEV_AXES = 3;              // of the attitude sensor, numbered 1 to 3
inline constexpr int DEV_ALIGN_CONDITIONS = 3;  // numbered 1 to 3
// Calibration parameters: axis a is stored as parameter 79 + a; the hard
// calibration marks its end in the last one. Always in bank 1.
inline constexpr int DEV_CAL_FIRST_PARAMETER = 80;
inline constexpr int DEV_CAL_DONE_PARAMETER = 99;
inline constexpr int DEV_PARAMETER_BANK = 1;

struct SimDevice {
    // Power
    float busVoltage = 14.1f;
    float batteryVoltage = 3.7f;
    int inFlight = 1;
    int calibrateInput = 1;
    int busyInput = 0;
    // Discrete input sources
    int discreteInput1Source = 1;  // temperature probe fitted
    int discreteInput2Source = 1;  // the "QX-70-S" edition
    // External interface values; value 8 is the page request
    float externalValue[DEV_EXTERNAL_VALUES] = {};
    // Calibration readings
    float axisReading[DEV_AXES] = {};
    float axisPairReading[DEV_AXES][2] = {};
    int calibrationReady = 1;
    // Attitude
    float rollAngle = 10.0f;
    float pitchAngle =
        -20.0f;  // the ramp value; each devPitchAngle() call adds 0.05 while pitchRamps
    int pitchRamps = 1;
    float slipReading = 0.0f;
    int attitudeValid = 1;
    int alignCondition[DEV_ALIGN_CONDITIONS] = {1, 1, 1};
    float statusQuality[DEV_STATUS_LETTERS] = {1.0f, 1.0f, 1.0f, 1.0f, 1.0f, 1.0f, 1.0f};
    // Load factor and angle of attack
    float gReading = 2.8f;
    float aoaScale = 2.8f;
    float aoaAngle = 13.5f;
    int aoaValid = 1;
    float aoaLowest = 2.0f;
    float aoaHighest = 15.0f;
    float gLowest = 0.5f;
    float gHighest = 2.5f;
    int gLimitInput[3] = {0, 0, 0};
    int aoaInput[3] = {0, 0, 0};
    // Air data
    float oatCelsius = 22.4f;
    int oatValid = 1;
    float trueAirspeed = 152.0f;
    float densityAltitude = 1234.56f;
    int airDataValid = 1;
    int clockBlank = 0;
    // Display
    uint32_t backgroundColour = 0xFF000000u;
    int brightnessManual = 1;
    int manualBrightnessLevel = 30;
    int autoBrightnessLevel = 50;
    // Set by the power-off sequence and the switch-off: the unit does nothing more.
    int poweredOff = 0;
};

// Tests, scripts and the live controls write it; the power-off writes poweredOff
// and the pitch ramp pitchAngle.
inline SimDevice simDevice;

// ---- Journal of requests ----------------------------------------------------

enum class DevOp : uint8_t {
    None,  // what devJournalAt gives for an index outside the journal
    PowerOffA,
    PowerOffB,
    PowerOffC,
    SwitchOff,
    WriteValue,
    WriteParameter,
    ResetPeaks,
    SetBrightnessLevel,
    SetBrightnessMode,
    Sound,
    Notify,
    AlertAcknowledged,
    DemoOff,
    CalibrationDone,
    SecondTick,
};

struct DevRequest {
    DevOp op;
    int32_t a;  // first integer argument (sound, code, id, level, mode, index)
    int32_t b;  // second integer argument (sound mode; the parameter bank 1), else 0
    float x;    // float argument, else 0
};

inline constexpr int DEV_JOURNAL_CAPACITY = 256;

// Requests since the last clear, oldest first; only the newest
// DEV_JOURNAL_CAPACITY are kept, devJournalTotal() counts all.
int devJournalSize();
const DevRequest& devJournalAt(int i);
long devJournalTotal();
void devJournalClear();

// ---- Sounds -----------------------------------------------------------------

// What devSound plays: one sound per alert (the most urgent has the lowest
// number) and the volume test.
enum DevSound : int {
    SOUND_G3 = 0,
    SOUND_G2 = 1,
    SOUND_G1 = 2,
    SOUND_AOA3 = 3,
    SOUND_AOA2 = 4,
    SOUND_AOA1 = 5,
    SOUND_TIMER1 = 6,
    SOUND_TIMER2 = 7,
    SOUND_VOLUME_TEST = 8,
};
inline constexpr int SOUND_COUNT = 9;

// How devSound plays it.
enum DevSoundMode : int {
    SOUND_STOP = 0,
    SOUND_PREVIEW = 1,  // once: a preview or the volume test
    SOUND_ALERT = 2,    // an alert: its pattern a few times
};

// ---- Sound listener ---------------------------------------------------------

// Hears every devSound request after it is journalled, so a host can make it
// audible. Not part of the unit's state: a power-on reset keeps it.
using DevSoundListener = void (*)(int sound, int mode);
// Installs the listener; null for none.
void devSetSoundListener(DevSoundListener listener);

// ---- Discrete inputs and demo motion ----------------------------------------

// The discrete inputs by number.
inline constexpr int PROBE_INPUT = 1;    // a temperature probe is fitted
inline constexpr int EDITION_INPUT = 2;  // the "QX-70-S" edition

// The inputs as the unit last sampled them and the demo motion; the unit
// writes it in sampleDiscreteInputs, demoStep and the power-on reset only
// (tests set the demo angles directly to place a page at a chosen reading).
struct DeviceState {
    int discreteInput1 = 0;
    int discreteInput2 = 0;
    float demoRoll = 0.0f;   // degrees, swings within about -5 to 5
    float demoPitch = 0.0f;  // degrees, swings within about 0 to 12
    int rollDirection = 1;   // +1 or -1
    int pitchDirection = 1;
};
inline DeviceState deviceState;

// Latches both discrete inputs from their sources.
void sampleDiscreteInputs();
// Discrete input 1 or 2 as last sampled; any other number reads 0.
int discreteInput(int n);
// One frame of the demo motion.
void demoStep();

// Power-on state: simDevice defaults, journal empty, inputs 0, demo motion at rest.
void devicePowerOnReset();

// ---- Device operations ------------------------------------------------------

float devBusVoltage();
float devBatteryVoltage();
int devInFlight();
int devCalibrateInput();
int devBusyInput();
void devPowerOffA();
void devPowerOffB(int code);
void devPowerOffC();
void devSwitchOff();
int devDiscreteInput1();
int devDiscreteInput2();
float devReadValue(int i);
void devWriteValue(int i, float x);
void devWriteParameter(int one, int id, float x);
float devAxisReading(int axis);
float devAxisPairReading(int axis, int n);
int devCalibrationReady();
float devRollAngle();
float devPitchAngle();
float devSlipReading();
int devAttitudeValid();
int devAlignCondition(int n);
float devStatusQuality(char letter);
float devGReading();
float devAoaScale();
float devAoaAngle();
int devAoaValid();
float devAoaLowest();
float devAoaHighest();
float devGLowest();
float devGHighest();
void devResetPeaks();
int devGLimitInput(int level);
int devAoaInput(int level);
float devOatCelsius();
int devOatValid();
float devTrueAirspeed();
float devDensityAltitude();
int devAirDataValid();
int devClockBlank();
uint32_t devBackgroundColour();
int devBrightnessManual();
int devManualBrightnessLevel();
int devAutoBrightnessLevel();
void devSetBrightnessLevel(int level);
void devSetBrightnessMode(int mode);
void devSound(int sound, int mode);
void devNotify(int code);
void devAlertAcknowledged();
void devDemoOff();
void devCalibrationDone();
void devSecondTick();
