// Timer pages in their normal view, driven through the whole unit: what a
// fresh timer shows, start, stop and reload, and a count-down that runs out,
// raises its alert and will not start again until it is reloaded.
#include "app/alert_banner.h"
#include "app/alerts.h"
#include "gfx/icons.h"
#include "timer_page_fixture.h"

namespace {

using namespace timer_page;

constexpr uint32_t BANNER_GREY = 0xFFC0C0C0u;

class TimerNormalView : public TimerPage {
  protected:
    void runOutAndReload(int i);
};

TEST_F(TimerNormalView, FreshTimersCountUpFromZero) {
    const char* titles[] = {"Timer 1", "Timer 2"};
    for (int i = 0; i < TIMER_COUNT; ++i) {
        SCOPED_TRACE(i);
        if (i == 1) unit::click(Button::Right);
        Reference top;
        top.centred(FONT_TEXT_14, 64, 8, COLOUR_LABEL, titles[i])
            .centred(FONT_TEXT_14, 66, 68, COLOUR_GREY, "HH:MM:SS")
            .centred(FONT_TEXT_14, 64, 23, COLOUR_WHITE, "Count Up")
            .largeTime(VALUE_X, VALUE_Y, COLOUR_WHITE, "00:00:00");
        Reference preset;
        preset.centred(FONT_TEXT_14, 64, 102, COLOUR_GREY, "Set Value:")
            .smallTime(27, 112, COLOUR_GREY, "00:00:00");
        shot();
        EXPECT_TRUE(top.matches(screen, {20, 0, FB_WIDTH, 80}));
        EXPECT_TRUE(preset.matches(screen, {0, 90, FB_WIDTH, 136}));
        EXPECT_EQ(screen.at(20, 85), COLOUR_SEPARATOR);
        EXPECT_TRUE(showsCentred(screen, FONT_TEXT_14, 64, 150, COLOUR_GREY, "SET"));
        EXPECT_TRUE(showsRunIcon(ICON_PLAY_PAUSE));
    }
}

TEST_F(TimerNormalView, ViewStartsAndStopsAndAHoldReloadsThePreset) {
    unit::click(Button::View);
    EXPECT_EQ(timekeeping.timers[0].running, 1);
    unit::seconds(3);
    unit::ticks(1);
    EXPECT_TRUE(showsValue("00:00:03"));
    EXPECT_TRUE(showsRunIcon(ICON_PAUSE));
    // A hold while running is not used.
    hold(Button::View);
    EXPECT_EQ(timekeeping.timers[0].running, 1);
    EXPECT_EQ(timekeeping.timers[0].seconds, 3);
    unit::click(Button::View);
    EXPECT_EQ(timekeeping.timers[0].running, 0);
    unit::seconds(5);
    unit::ticks(1);
    EXPECT_TRUE(showsValue("00:00:03"));
    EXPECT_TRUE(showsRunIcon(ICON_PLAY_PAUSE));
    hold(Button::View);
    EXPECT_TRUE(showsValue("00:00:00"));
    // The other timer was never touched.
    EXPECT_EQ(timekeeping.timers[1].running, 0);
    EXPECT_EQ(timekeeping.timers[1].seconds, 0);
}

// From a preset of 00:05:00 down to its alert, the acknowledgement, the
// refusal to start at 00:00:00 and the reload, on timer i's
void TimerNormalView::runOutAndReload(int i) {
    const int alert = ALERT_TIMER1 + i;
    enterPreset(0, 5, 0);
    EXPECT_TRUE(showsValue("00:05:00"));
    EXPECT_TRUE(Reference()
                    .centred(FONT_TEXT_14, 64, 23, COLOUR_WHITE, "Count Down")
                    .matches(shot(), {20, 15, 110, 32}));
    unit::click(Button::View);
    unit::seconds(1);
    unit::ticks(1);
    EXPECT_TRUE(showsValue("00:04:59"));
    devJournalClear();
    unit::seconds(299);
    unit::ticks(1);
    EXPECT_TRUE(showsValue("00:00:00"));
    EXPECT_EQ(timekeeping.timers[i].running, 0);
    EXPECT_EQ(timekeeping.timers[i].expired, 1);
    EXPECT_EQ(alerts.active[alert], 1);
    std::vector<int> started;  // sounds asked to start (mode 2)
    for (const DevRequest& r : journalOf(DevOp::Sound)) {
        if (r.b == 2) started.push_back(r.a);
    }
    EXPECT_EQ(started, std::vector<int>{6 + i});

    // The page reads the flag that the banner set on the frame before, so the
    // icon goes one frame after the banner has seen the alert. Then for a
    // blink period of the banner its grey bar shows and the run icon never.
    unit::ticks(1);
    bool bannerSeen = false;
    for (int f = 0; f < BANNER_BLINK_FRAMES; ++f) {
        unit::ticks(1);
        bannerSeen |= unit::screen(0, 5) == BANNER_GREY;
        EXPECT_EQ(runIconPixels(), 0) << f;
    }
    EXPECT_TRUE(bannerSeen);

    // The decoder takes this view release for the alert.
    unit::click(Button::View);
    EXPECT_EQ(alerts.active[alert], 0);
    EXPECT_EQ(journalOf(DevOp::AlertAcknowledged).size(), 1u);
    EXPECT_EQ(timekeeping.timers[i].running, 0);
    unit::ticks(1);
    EXPECT_TRUE(showsRunIcon(ICON_PLAY_PAUSE));

    // The next reaches the page, which will not start a count-down at 00:00:00.
    unit::click(Button::View);
    EXPECT_EQ(timekeeping.timers[i].running, 0);
    unit::seconds(2);
    unit::ticks(1);
    EXPECT_EQ(timekeeping.timers[i].running, 0);
    EXPECT_EQ(timekeeping.timers[i].expired, 1);
    EXPECT_EQ(alerts.active[alert], 0);
    EXPECT_EQ(journalOf(DevOp::AlertAcknowledged).size(), 1u);
    EXPECT_TRUE(showsValue("00:00:00"));

    hold(Button::View);
    EXPECT_TRUE(showsValue("00:05:00"));
    unit::click(Button::View);
    EXPECT_EQ(timekeeping.timers[i].running, 1);
    EXPECT_EQ(timekeeping.timers[i].expired, 0);
    unit::seconds(1);
    unit::ticks(1);
    EXPECT_TRUE(showsValue("00:04:59"));
}

TEST_F(TimerNormalView, Timer1CountDownRunsOutRaisesItsAlertAndReloads) { runOutAndReload(0); }

TEST_F(TimerNormalView, Timer2CountDownRunsOutRaisesItsAlertAndReloads) {
    unit::click(Button::Right);
    ASSERT_EQ(controller.activePage, PAGE_TIMER_2);
    runOutAndReload(1);
    EXPECT_EQ(timekeeping.timers[0].expired, 0);
}

// The run icon gives way to any alert, not only the timer's own.
TEST_F(TimerNormalView, RunIconIsNotDrawnWhileAnAlertIsActive) {
    timerDrawPage(screen.px, 0);
    EXPECT_TRUE(Reference().icon(ICON_PLAY_PAUSE, 2, 35).matches(screen, {0, 30, 20, 60}));
    alertBanner.anyActive = 1;
    timerDrawPage(screen.px, 0);
    EXPECT_TRUE(blank(screen, {0, 30, 20, 60}));
}

// Only indices 0 and 1 name a timer; any other leaves both timers alone.
TEST_F(TimerNormalView, TimerIndexOutsideTheTwoTimersChangesNothing) {
    for (int i : {-1, 2, 1000}) {
        for (ButtonEvent e : {EVT_VIEW_RELEASE, EVT_BOTH_PRESS, EVT_VIEW_HOLD}) {
            EXPECT_EQ(timerHandleEvent(e, i), e);
        }
        screen.fill(COLOUR_WHITE);
        timerDrawPage(screen.px, i);
        EXPECT_TRUE(blank(screen, {0, 0, FB_WIDTH, FB_HEIGHT}));
    }
    EXPECT_EQ(timekeeping.timers[0].running + timekeeping.timers[1].running +
                  timekeeping.timers[0].editing + timekeeping.timers[1].editing,
              0);
}

}  // namespace
