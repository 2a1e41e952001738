// Every device operation, each under its own name: values read from
// simDevice, requests without a visible effect recorded in the journal.
#include "device/device.h"

#include <algorithm>

#include "device/journal_record.h"

// ---- Constants ------------------------------------------------------------

namespace {

constexpr char STATUS_LETTERS[] = "RPYJAWB";
static_assert(sizeof STATUS_LETTERS - 1 == DEV_STATUS_LETTERS);

constexpr int LEVELS = 3;
constexpr int READINGS_PER_AXIS = 2;
constexpr double PITCH_RAMP_STEP = 0.05;

// ---- Module state ---------------------------------------------------------

// The host's ear; not unit state, so a power-on reset keeps it.
DevSoundListener soundListener = nullptr;

// ---- Private helpers ------------------------------------------------------

// Indices come from the callers' constants; one outside the table must still
// never reach memory beyond it, so it reads 0 and writes nothing.
bool inTable(int index, int size) { return index >= 0 && index < size; }
// The same for the numbers 1..size that axes, levels and conditions use.
bool numbered(int n, int size) { return n >= 1 && n <= size; }

}  // namespace

// ---- Public operations ----------------------------------------------------

// -- Power

// Aircraft bus (supply) voltage.
float devBusVoltage() { return simDevice.busVoltage; }
// Backup battery voltage.
float devBatteryVoltage() { return simDevice.batteryVoltage; }
// In-flight indication.
int devInFlight() { return simDevice.inFlight; }
// Standby calibration samples while non-zero.
int devCalibrateInput() { return simDevice.calibrateInput; }
// The standby power-off waits while this is above 0.
int devBusyInput() { return simDevice.busyInput; }
// First step of the power-off sequence.
void devPowerOffA() { devJournalRecord(DevOp::PowerOffA); }
// Second step of the power-off sequence.
void devPowerOffB(int code) { devJournalRecord(DevOp::PowerOffB, code); }

// Last step of the power-off sequence: the unit is off.
void devPowerOffC() {
    devJournalRecord(DevOp::PowerOffC);
    simDevice.poweredOff = 1;
}

// Switch-off requested with the buttons on battery: the unit is off.
void devSwitchOff() {
    devJournalRecord(DevOp::SwitchOff);
    simDevice.poweredOff = 1;
}

// -- Discrete inputs and the external interface

// Source of discrete input 1 (temperature probe fitted).
int devDiscreteInput1() { return simDevice.discreteInput1Source; }
// Source of discrete input 2 (the "QX-70-S" edition).
int devDiscreteInput2() { return simDevice.discreteInput2Source; }

// Value i of the external interface (8 is the page request).
float devReadValue(int i) {
    return inTable(i, DEV_EXTERNAL_VALUES) ? simDevice.externalValue[i] : 0.0f;
}

// Writes value i; stored as well as journalled, so a page request acknowledged
// with 0 is consumed once as on the unit.
void devWriteValue(int i, float x) {
    devJournalRecord(DevOp::WriteValue, i, 0, x);
    if (inTable(i, DEV_EXTERNAL_VALUES)) simDevice.externalValue[i] = x;
}

// Stores calibration parameter id (80, 81, 82, 99) in parameter bank `one` (always 1).
void devWriteParameter(int one, int id, float x) {
    devJournalRecord(DevOp::WriteParameter, id, one, x);
}

// -- Calibration

// Raw reading of axis 1-3 for the standby calibration.
float devAxisReading(int axis) {
    return numbered(axis, DEV_AXES) ? simDevice.axisReading[axis - 1] : 0.0f;
}

// Reading n (1-2) of axis 1-3 for the hard calibration.
float devAxisPairReading(int axis, int n) {
    if (!numbered(axis, DEV_AXES) || !numbered(n, READINGS_PER_AXIS)) return 0.0f;
    return simDevice.axisPairReading[axis - 1][n - 1];
}

// The hard calibration advances only while this is non-zero.
int devCalibrationReady() { return simDevice.calibrationReady; }
// The hard calibration has finished.
void devCalibrationDone() { devJournalRecord(DevOp::CalibrationDone); }

// -- Attitude

// Roll angle in degrees.
float devRollAngle() { return simDevice.rollAngle; }

// Pitch angle in degrees: while pitchRamps, each call first adds 0.05 (in
// double precision, stored as float), so the first call gives -19.95.
float devPitchAngle() {
    if (simDevice.pitchRamps != 0)
        simDevice.pitchAngle =
            static_cast<float>(static_cast<double>(simDevice.pitchAngle) + PITCH_RAMP_STEP);
    return simDevice.pitchAngle;
}

// Lateral acceleration (slip) reading.
float devSlipReading() { return simDevice.slipReading; }
// An attitude solution is available.
int devAttitudeValid() { return simDevice.attitudeValid; }

// Alignment-complete condition n (1-3).
int devAlignCondition(int n) {
    return numbered(n, DEV_ALIGN_CONDITIONS) ? simDevice.alignCondition[n - 1] : 0;
}

// Quality 0..1 of a sensor status letter of "RPYJAWB"; any other letter reads 0.
float devStatusQuality(char letter) {
    for (int i = 0; i < DEV_STATUS_LETTERS; ++i)
        if (STATUS_LETTERS[i] == letter) return simDevice.statusQuality[i];
    return 0.0f;
}

// -- Load factor and angle of attack

// Normal acceleration in G.
float devGReading() { return simDevice.gReading; }
// Angle-of-attack scale factor.
float devAoaScale() { return simDevice.aoaScale; }
// Angle of attack in degrees.
float devAoaAngle() { return simDevice.aoaAngle; }
// Angle-of-attack data valid.
int devAoaValid() { return simDevice.aoaValid; }
// Lowest recorded angle of attack.
float devAoaLowest() { return simDevice.aoaLowest; }
// Highest recorded angle of attack.
float devAoaHighest() { return simDevice.aoaHighest; }
// Lowest recorded G.
float devGLowest() { return simDevice.gLowest; }
// Highest recorded G.
float devGHighest() { return simDevice.gHighest; }
// Request to clear the recorded extremes.
void devResetPeaks() { devJournalRecord(DevOp::ResetPeaks); }

// G-limit alert level 1-3 reached.
int devGLimitInput(int level) {
    return numbered(level, LEVELS) ? simDevice.gLimitInput[level - 1] : 0;
}
// Angle-of-attack alert level 1-3 reached.
int devAoaInput(int level) { return numbered(level, LEVELS) ? simDevice.aoaInput[level - 1] : 0; }

// -- Air data

// Outside-air temperature in degrees Celsius.
float devOatCelsius() { return simDevice.oatCelsius; }
// Temperature reading valid.
int devOatValid() { return simDevice.oatValid; }
// True airspeed in knots.
float devTrueAirspeed() { return simDevice.trueAirspeed; }
// Density altitude in feet.
float devDensityAltitude() { return simDevice.densityAltitude; }
// Air data valid.
int devAirDataValid() { return simDevice.airDataValid; }
// Blank the clock digits while non-zero.
int devClockBlank() { return simDevice.clockBlank; }

// -- Display, sound and notifications

// The colour pages and dialogs clear to.
uint32_t devBackgroundColour() { return simDevice.backgroundColour; }
// 1 = manual brightness, else automatic.
int devBrightnessManual() { return simDevice.brightnessManual; }
// Manual brightness level.
int devManualBrightnessLevel() { return simDevice.manualBrightnessLevel; }
// Automatic brightness level.
int devAutoBrightnessLevel() { return simDevice.autoBrightnessLevel; }
// Sets the brightness level, limited to the backlight's range 0 to 100.
void devSetBrightnessLevel(int level) {
    devJournalRecord(DevOp::SetBrightnessLevel, std::clamp(level, 0, 100));
}
// Sets the brightness mode: 1 manual, 0 automatic.
void devSetBrightnessMode(int mode) { devJournalRecord(DevOp::SetBrightnessMode, mode); }
// Sound request: a DevSound played in a DevSoundMode.
void devSound(int sound, int mode) {
    devJournalRecord(DevOp::Sound, sound, mode);
    if (soundListener != nullptr) soundListener(sound, mode);
}

// The host's ear for sound requests.
void devSetSoundListener(DevSoundListener listener) { soundListener = listener; }
// Notification code (1 on state changes, 0 every frame on bus power).
void devNotify(int code) { devJournalRecord(DevOp::Notify, code); }
// An alert group was acknowledged.
void devAlertAcknowledged() { devJournalRecord(DevOp::AlertAcknowledged); }
// Demo mode was switched off.
void devDemoOff() { devJournalRecord(DevOp::DemoOff); }
// Once a second, after the timekeeping.
void devSecondTick() { devJournalRecord(DevOp::SecondTick); }
