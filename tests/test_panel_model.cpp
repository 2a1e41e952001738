// The device panel: rows and their fields, stepping on a grid inside the
// field's range, flags and the demo-mode setting, the writes it reports,
// where clicks land, and redrawing only the rows that changed. Scenarios
// drive the whole unit: panel values and key chords reach the decoder and
// the device operations.
#include <gtest/gtest.h>

#include <string>

#include "app/buttons.h"
#include "app/controller.h"
#include "app_support.h"
#include "desk/keys.h"
#include "desk/panel.h"
#include "desk/panel_model.h"
#include "desk/panel_view.h"
#include "desk/view.h"
#include "device/device.h"
#include "device/settings.h"
#include "device/settings_slots.h"
#include "tests/unit_driver.h"

namespace {

int rowOf(const char* label) {
    for (int row = 0; row < PANEL_ROWS; ++row)
        if (std::string(panelLabel(row)) == label) return row;
    ADD_FAILURE() << "no row " << label;
    return 0;
}

std::string text(int row) {
    char t[PANEL_TEXT_CAPACITY];
    panelValueText(row, t);
    return t;
}

class Panel : public ::testing::Test {
  protected:
    void SetUp() override {
        unit::powerOn();
        deskKeysReleaseAll();
        deskViewReset();
        deskPanelReset();
    }
    PanelChange changes[PANEL_MAX_CHANGES];
};

}  // namespace

TEST_F(Panel, EveryRowNamesAFieldOfTheDeviceTable) { EXPECT_TRUE(panelRowsResolve()); }

TEST_F(Panel, NumbersStepOnTheirGridAndShowTheirUnit) {
    const int bus = rowOf("Bus voltage");
    EXPECT_EQ(text(bus), "14.1 V");
    ASSERT_EQ(panelAdjust(bus, 1, changes), 1);
    EXPECT_EQ(simDevice.busVoltage, 14.2f) << "on the grid, not 14.1f + 0.1";
    EXPECT_STREQ(changes[0].field->name, "busVoltage");
    EXPECT_EQ(static_cast<float>(changes[0].value), simDevice.busVoltage);
    panelAdjust(bus, -22, changes);
    EXPECT_EQ(simDevice.busVoltage, 12.0f);
    EXPECT_EQ(devBusVoltage(), 12.0f) << "the device operation reads the new value";
    EXPECT_EQ(text(bus), "12.0 V");
    EXPECT_EQ(text(rowOf("Density alt.")), "1235 ft");
    EXPECT_EQ(text(rowOf("OAT")), "22.4 C");
}

TEST_F(Panel, NumbersStopAtTheFieldsRange) {
    const int battery = rowOf("Battery voltage");
    panelAdjust(battery, -1000, changes);
    EXPECT_EQ(simDevice.batteryVoltage, 0.0f);
    EXPECT_EQ(panelAdjust(battery, -1, changes), 0) << "nothing written at the limit";
    const int aoa = rowOf("AOA angle");
    panelAdjust(aoa, 100000, changes);
    EXPECT_EQ(simDevice.aoaAngle, 90.0f);
    EXPECT_EQ(devAoaAngle(), 90.0f);
}

TEST_F(Panel, ChangingThePitchStopsItsRamp) {
    const int pitch = rowOf("Pitch");
    ASSERT_EQ(simDevice.pitchRamps, 1);
    ASSERT_EQ(panelAdjust(pitch, 5, changes), 2);
    EXPECT_EQ(simDevice.pitchAngle, -15.0f);
    EXPECT_STREQ(changes[1].field->name, "pitchRamps");
    EXPECT_EQ(simDevice.pitchRamps, 0);
    EXPECT_EQ(devPitchAngle(), -15.0f) << "the reading holds still";
    EXPECT_EQ(devPitchAngle(), -15.0f);
    EXPECT_EQ(panelAdjust(pitch, 1, changes), 1) << "the ramp is already off";
}

TEST_F(Panel, FlagsSwitchTheirElementOnlyAndReachTheDevice) {
    const int g2 = rowOf("G limit 2");
    EXPECT_EQ(panelKind(g2), PanelKind::Flag);
    EXPECT_EQ(text(g2), "off");
    ASSERT_EQ(panelToggle(g2, changes), 1);
    EXPECT_EQ(changes[0].row, 1);
    EXPECT_EQ(changes[0].value, 1.0);
    EXPECT_EQ(devGLimitInput(2), 1);
    EXPECT_EQ(devGLimitInput(1), 0);
    EXPECT_EQ(devGLimitInput(3), 0);
    EXPECT_EQ(panelAdjust(g2, 1, changes), 0) << "already on";
    panelAdjust(g2, -1, changes);
    EXPECT_EQ(devGLimitInput(2), 0);
    panelToggle(rowOf("Edition S"), changes);
    EXPECT_EQ(devDiscreteInput2(), 0);
    EXPECT_EQ(panelToggle(rowOf("Airspeed"), changes), 0) << "numbers do not toggle";
}

TEST_F(Panel, DemoModeIsTheSettingsSlot) {
    const int demo = rowOf("Demo mode");
    EXPECT_TRUE(panelOn(demo)) << "the defaults switch demo mode on";
    ASSERT_EQ(panelToggle(demo, changes), 1);
    EXPECT_EQ(changes[0].field, nullptr);
    EXPECT_EQ(changes[0].slot, 16);
    EXPECT_EQ(changes[0].slotValue, 0);
    EXPECT_EQ(settingsReadInt(SLOT_DEMO_MODE), 0);
    settingsWriteInt(SLOT_DEMO_MODE, DEMO_MODE_2);  // the dialog's second demo mode
    EXPECT_TRUE(panelOn(demo));
}

TEST_F(Panel, SelectionWrapsAndBadRowsAreIgnored) {
    EXPECT_EQ(panelSelected(), 0);
    panelSelectBy(-1);
    EXPECT_EQ(panelSelected(), PANEL_ROWS - 1);
    panelSelectBy(2);
    EXPECT_EQ(panelSelected(), 1);
    panelSelect(PANEL_ROWS);
    EXPECT_EQ(panelSelected(), 1);
    EXPECT_EQ(panelAdjust(-1, 1, changes), 0);
    EXPECT_EQ(panelToggle(PANEL_ROWS, changes), 0);
    EXPECT_EQ(text(PANEL_ROWS), "");
}

TEST_F(Panel, ClicksLandOnTheirControls) {
    const int bus = rowOf("Bus voltage"), flight = rowOf("In flight");
    const int busY = PANEL_FIRST_ROW_Y + bus * PANEL_ROW_HEIGHT + PANEL_ROW_HEIGHT / 2;
    const int flightY = PANEL_FIRST_ROW_Y + flight * PANEL_ROW_HEIGHT + 1;
    EXPECT_EQ(panelHitTest(180, busY).part, PanelPart::Minus);
    EXPECT_EQ(panelHitTest(210, busY).part, PanelPart::Plus);
    EXPECT_EQ(panelHitTest(20, busY).part, PanelPart::Label);
    EXPECT_EQ(panelHitTest(210, busY).row, bus);
    EXPECT_EQ(panelHitTest(200, flightY).part, PanelPart::Switch);
    EXPECT_EQ(panelHitTest(200, flightY).row, flight);
    EXPECT_EQ(panelHitTest(200, PANEL_FIRST_ROW_Y - 1).row, -1);
    EXPECT_EQ(panelHitTest(200, PANEL_FIRST_ROW_Y + PANEL_ROWS * PANEL_ROW_HEIGHT).row, -1);
    EXPECT_EQ(panelHitTest(-1, busY).row, -1);

    deskPanelSetShown(true);
    EXPECT_EQ(deskPanelClick(210, busY, true, changes), 1) << "Shift: ten steps";
    EXPECT_EQ(simDevice.busVoltage, 15.1f);
    EXPECT_EQ(deskPanelClick(200, flightY, false, changes), 1);
    EXPECT_EQ(simDevice.inFlight, 0);
    EXPECT_EQ(panelSelected(), flight);
    EXPECT_EQ(deskPanelWheel(20, busY, -3, changes), 1);
    EXPECT_EQ(simDevice.busVoltage, 14.8f);
}

TEST_F(Panel, KeysSelectAndChange) {
    deskPanelSetShown(true);
    EXPECT_EQ(deskPanelCommand(DeskCommand::PanelPrevious, changes), 0);
    EXPECT_EQ(panelSelected(), rowOf("Demo mode"));
    EXPECT_EQ(deskPanelCommand(DeskCommand::PanelToggle, changes), 1);
    EXPECT_EQ(settingsReadInt(SLOT_DEMO_MODE), 0);
    deskPanelCommand(DeskCommand::PanelNext, changes);  // wraps to the bus voltage
    deskPanelCommand(DeskCommand::PanelDecreaseMore, changes);
    deskPanelCommand(DeskCommand::PanelIncrease, changes);
    EXPECT_EQ(simDevice.busVoltage, 13.2f);
    EXPECT_EQ(deskPanelCommand(DeskCommand::ZoomIn, changes), 0);
}

// Only what changed goes to the window: one row for one value.
TEST_F(Panel, RefreshRedrawsOnlyTheChangedRows) {
    deskPanelSetShown(true);
    deskViewUpdate(hostTakeChanges());
    deskPanelRefresh();
    HostRect r = deskViewUpdate({});
    EXPECT_EQ(r.w * r.h, 0) << "nothing changed";
    const int oat = rowOf("OAT");
    simDevice.oatCelsius = -5.0f;  // as a script would set it
    deskPanelRefresh();
    r = deskViewUpdate({});
    EXPECT_EQ(r.x, BEZEL_WIDTH);
    EXPECT_EQ(r.y, PANEL_FIRST_ROW_Y + oat * PANEL_ROW_HEIGHT);
    EXPECT_EQ(r.h, PANEL_ROW_HEIGHT);
    panelSelect(oat);
    deskPanelRefresh();
    r = deskViewUpdate({});
    EXPECT_EQ(r.y, PANEL_FIRST_ROW_Y) << "the old selection's row and the new one";
    EXPECT_EQ(r.h, (oat + 1) * PANEL_ROW_HEIGHT);
    deskPanelSetShown(false);
    EXPECT_EQ(deskViewWidth(), BEZEL_WIDTH);
}

// Battery power from the panel, then View and Left held with the keys: the
// decoder sees the chord and the unit switches itself off.
TEST_F(Panel, KeyChordOnBatteryFromThePanelSwitchesTheUnitOff) {
    unit::ticks(SPLASH_FRAMES);
    PanelChange c[PANEL_MAX_CHANGES];
    panelAdjust(rowOf("Bus voltage"), -100, c);
    EXPECT_EQ(simDevice.busVoltage, 4.1f);
    unit::ticks(3);
    ASSERT_EQ(controller.onBattery, 1);
    deskKeyDown(DeskKey::V, 0, false, false);
    deskKeyDown(DeskKey::Left, 0, false, false);
    unit::ticks(2);
    EXPECT_FALSE(hostUnitRunning());
    EXPECT_EQ(journalCount(DevOp::SwitchOff), 1);
    deskKeysReleaseAll();
}

// Left held, then Right: a press of Left, then the both-press, which one
// mouse pointer cannot give.
TEST_F(Panel, KeysGiveTrueChordsToTheDecoder) {
    unit::ticks(SPLASH_FRAMES);
    deskKeyDown(DeskKey::L, 0, false, false);
    unit::ticks(1);
    EXPECT_EQ(lastDecodedEvent(), EVT_LEFT_PRESS);
    deskKeyDown(DeskKey::R, 0, false, false);
    unit::ticks(1);
    EXPECT_EQ(lastDecodedEvent(), EVT_BOTH_PRESS);
    deskKeyUp(DeskKey::R);
    unit::ticks(1);
    EXPECT_EQ(lastDecodedEvent(), EVT_NONE);
    deskKeyUp(DeskKey::L);
    unit::ticks(1);
    EXPECT_EQ(lastDecodedEvent(), EVT_BOTH_RELEASE);
    EXPECT_TRUE(hostUnitRunning());
}
