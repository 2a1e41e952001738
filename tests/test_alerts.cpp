// Alerts: raising with prerequisites and latches, sounds, pop-ups, the
// edition input, acknowledgement, and the banner's priority and blink.
#include "app_support.h"
#include "screen_checks.h"

#include "app/alert_banner.h"
#include "app/alerts.h"
#include "app/colours.h"
#include "app/controller.h"
#include "app/page_gmeter.h"
#include "app/timekeeping.h"
#include "device/settings.h"
#include "device/settings_slots.h"

namespace {

constexpr uint32_t LIGHT_GREY = 0xFFC0C0C0u;

class Alerts : public UnitTest {
  protected:
    void SetUp() override {
        UnitTest::SetUp();
        sampleDiscreteInputs();
        settingsWriteByte(SLOT_AUDIO_ALERTS,
                          AUDIO_TIMER1 | AUDIO_TIMER2 | AUDIO_AOA_LIMIT | AUDIO_G_LIMIT);
        controllerShowPage(PAGE_DATA);
        drawAlertBanner(screen.px);  // no alert: the blink period starts afresh
    }
    void frame() { alertLogic(screen.px); }
    // Sound requests (sound, mode) since the journal was last cleared.
    std::vector<std::pair<int, int>> sounds() {
        std::vector<std::pair<int, int>> s;
        for (const DevRequest& r : journalOf(DevOp::Sound)) s.push_back({r.a, r.b});
        return s;
    }
    // Only the requests that start a sound.
    std::vector<int> started() {
        std::vector<int> s;
        for (const auto& [sound, mode] : sounds()) {
            if (mode == 2) s.push_back(sound);
        }
        return s;
    }
    // The banner drawn on a black screen, then whether its bar shows colour c.
    bool bannerShows(uint32_t c, int barBottom) {
        screen.fill(COLOUR_BLACK);
        drawAlertBanner(screen.px);
        return screen.at(0, 5) == c && screen.at(14, barBottom - 1) == c &&
               screen.at(14, barBottom) == COLOUR_BLACK && screen.at(15, 5) == COLOUR_BLACK &&
               screen.at(0, 4) == COLOUR_BLACK;
    }
};

TEST_F(Alerts, TimerExpiryRaisesItsAlertWithItsSoundOnce) {
    timekeeping.timers[0].expired = 1;
    devJournalClear();
    frame();
    EXPECT_EQ(alerts.active[ALERT_TIMER1], 1);
    EXPECT_EQ(alerts.latched[ALERT_TIMER1], 1);
    EXPECT_EQ(started(), std::vector<int>{6});
    devJournalClear();
    frame();
    frame();
    EXPECT_TRUE(started().empty());
}

TEST_F(Alerts, DisabledAudioRaisesTheAlertSilently) {
    settingsWriteByte(SLOT_AUDIO_ALERTS, AUDIO_TIMER2 | AUDIO_AOA_LIMIT | AUDIO_G_LIMIT);
    timekeeping.timers[0].expired = 1;
    timekeeping.timers[1].expired = 1;
    devJournalClear();
    frame();
    EXPECT_EQ(alerts.active[ALERT_TIMER1], 1);
    EXPECT_EQ(alerts.active[ALERT_TIMER2], 1);
    EXPECT_EQ(started(), std::vector<int>{7});
}

TEST_F(Alerts, AcknowledgedAlertStaysQuietUntilItsConditionEnds) {
    timekeeping.timers[1].expired = 1;
    frame();
    acknowledgeAlert();
    EXPECT_EQ(alerts.active[ALERT_TIMER2], 0);
    devJournalClear();
    frame();
    EXPECT_EQ(alerts.active[ALERT_TIMER2], 0);
    EXPECT_TRUE(started().empty());
    // Starting the timer clears the expiry: the sound stops and the latch opens.
    timekeeping.timers[1].expired = 0;
    frame();
    EXPECT_EQ(alerts.latched[ALERT_TIMER2], 0);
    EXPECT_EQ(sounds().back(), (std::pair<int, int>{7, 0}));
    timekeeping.timers[1].expired = 1;
    frame();
    EXPECT_EQ(alerts.active[ALERT_TIMER2], 1);
}

TEST_F(Alerts, HigherLevelsNeedTheLowerLevelsActive) {
    simDevice.gLimitInput[1] = 1;
    simDevice.gLimitInput[2] = 1;
    frame();
    EXPECT_EQ(alerts.active[ALERT_G2], 0);
    EXPECT_EQ(alerts.active[ALERT_G3], 0);
    // With level 1 the whole group rises in one frame, in index order.
    simDevice.gLimitInput[0] = 1;
    devJournalClear();
    frame();
    EXPECT_EQ(alerts.active[ALERT_G1], 1);
    EXPECT_EQ(alerts.active[ALERT_G2], 1);
    EXPECT_EQ(alerts.active[ALERT_G3], 1);
    EXPECT_EQ(started(), (std::vector<int>{2, 1, 0}));
}

TEST_F(Alerts, AcknowledgedLowerLevelsBlockTheHigherOnes) {
    simDevice.aoaInput[0] = 1;
    frame();
    acknowledgeAlert();
    simDevice.aoaInput[1] = 1;
    simDevice.aoaInput[2] = 1;
    frame();
    EXPECT_EQ(alerts.active[ALERT_AOA2], 0);
    EXPECT_EQ(alerts.active[ALERT_AOA3], 0);
}

TEST_F(Alerts, LevelThreePopUpsBringUpTheGmeterView) {
    settingsWriteByte(SLOT_OPTIONS, OPTION_G_POPUP | OPTION_AOA_POPUP);
    simDevice.gLimitInput[0] = simDevice.gLimitInput[1] = simDevice.gLimitInput[2] = 1;
    frame();
    EXPECT_EQ(controller.activePage, PAGE_GMETER);
    EXPECT_EQ(gmeter.view, 2);
    EXPECT_EQ(settingsReadByte(SLOT_GMETER_VIEW), 0);

    controllerShowPage(PAGE_DATA);
    simDevice.aoaInput[0] = simDevice.aoaInput[1] = simDevice.aoaInput[2] = 1;
    frame();
    EXPECT_EQ(controller.activePage, PAGE_GMETER);
    EXPECT_EQ(gmeter.view, 1);
}

TEST_F(Alerts, NoPopUpWithoutItsOptionBit) {
    settingsWriteByte(SLOT_OPTIONS, OPTION_AOA_POPUP);
    simDevice.gLimitInput[0] = simDevice.gLimitInput[1] = simDevice.gLimitInput[2] = 1;
    frame();
    EXPECT_EQ(alerts.active[ALERT_G3], 1);
    EXPECT_EQ(controller.activePage, PAGE_DATA);
    EXPECT_EQ(gmeter.view, 0);
}

TEST_F(Alerts, WithoutTheEditionInputOnlyTimerAlertsRise) {
    simDevice.gLimitInput[0] = 1;
    frame();
    ASSERT_EQ(alerts.active[ALERT_G1], 1);
    simDevice.discreteInput2Source = 0;
    sampleDiscreteInputs();
    simDevice.aoaInput[0] = 1;
    timekeeping.timers[0].expired = 1;
    devJournalClear();
    frame();
    EXPECT_EQ(alerts.active[ALERT_G1], 0);
    EXPECT_EQ(alerts.active[ALERT_AOA1], 0);
    EXPECT_EQ(alerts.latched[ALERT_G1], 1);
    EXPECT_EQ(alerts.active[ALERT_TIMER1], 1);
    const std::vector<std::pair<int, int>> expected = {{2, 0}, {1, 0}, {0, 0}, {5, 0},
                                                       {4, 0}, {3, 0}, {6, 2}, {7, 0}};
    EXPECT_EQ(sounds(), expected);
}

TEST_F(Alerts, ClearAlertsKeepsTheLatches) {
    timekeeping.timers[0].expired = 1;
    frame();
    clearAlerts();
    EXPECT_EQ(alerts.active[ALERT_TIMER1], 0);
    EXPECT_EQ(alerts.latched[ALERT_TIMER1], 1);
}

TEST_F(Alerts, BannerShowsTheMostImportantAlert) {
    const int angle = 1 << ALERT_AOA1 | 1 << ALERT_AOA2 | 1 << ALERT_AOA3;
    const int timersBoth = 1 << ALERT_TIMER1 | 1 << ALERT_TIMER2;
    struct Case {
        int active;  // bit mask of active alerts
        uint32_t colour;
        int barBottom;
    };
    const Case cases[] = {
        {0xFF, COLOUR_RED, 95},
        {1 << ALERT_G1 | angle | timersBoth, COLOUR_YELLOW, 95},
        {1 << ALERT_G2 | angle | timersBoth, COLOUR_YELLOW, 95},
        {angle | timersBoth, COLOUR_RED, 80},
        {1 << ALERT_AOA2 | timersBoth, COLOUR_YELLOW, 80},
        {1 << ALERT_AOA1, COLOUR_YELLOW, 80},
        {timersBoth, LIGHT_GREY, 95},
        {1 << ALERT_TIMER2, LIGHT_GREY, 95},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.active);
        alertsPowerOnReset();
        drawAlertBanner(screen.px);
        for (int i = 0; i < ALERT_COUNT; ++i) alerts.active[i] = (c.active >> i) & 1;
        for (int f = 0; f < 11; ++f) drawAlertBanner(screen.px);
        EXPECT_TRUE(bannerShows(c.colour, c.barBottom));
    }
}

TEST_F(Alerts, GLimitBannerGivesWayToTheTimerAfterAcknowledgement) {
    alerts.active[ALERT_G1] = 1;
    alerts.active[ALERT_TIMER1] = 1;
    for (int f = 0; f < 11; ++f) drawAlertBanner(screen.px);
    EXPECT_TRUE(bannerShows(COLOUR_YELLOW, 95));
    acknowledgeAlert();
    EXPECT_TRUE(bannerShows(LIGHT_GREY, 95));
}

TEST_F(Alerts, BannerHidesElevenFramesAndShowsNine) {
    drawAlertBanner(screen.px);  // no alert yet
    alerts.active[ALERT_TIMER2] = 1;
    for (int f = 0; f < 60; ++f) {
        SCOPED_TRACE(f);
        EXPECT_EQ(bannerShows(LIGHT_GREY, 95), f % BANNER_BLINK_FRAMES >= 11);
        EXPECT_EQ(alertBanner.anyActive, 1);
    }
    alerts.active[ALERT_TIMER2] = 0;
    drawAlertBanner(screen.px);
    EXPECT_EQ(alertBanner.anyActive, 0);
    // A new alert starts the period afresh.
    alerts.active[ALERT_TIMER2] = 1;
    for (int f = 0; f < 11; ++f) EXPECT_FALSE(bannerShows(LIGHT_GREY, 95));
    EXPECT_TRUE(bannerShows(LIGHT_GREY, 95));
}

TEST_F(Alerts, EachBannerRowNamesItsAlertDownTheBar) {
    struct Case {
        int alert;
        uint32_t colour;
        int barBottom;
        const char* text;
    };
    const Case cases[] = {
        {ALERT_G3, COLOUR_RED, 95, "GLIMIT"},     {ALERT_G2, COLOUR_YELLOW, 95, "GLIMIT"},
        {ALERT_AOA3, COLOUR_RED, 80, "ANGLE"},    {ALERT_AOA1, COLOUR_YELLOW, 80, "ANGLE"},
        {ALERT_TIMER1, LIGHT_GREY, 95, "TIMER1"}, {ALERT_TIMER2, LIGHT_GREY, 95, "TIMER2"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.alert);
        alertsPowerOnReset();
        drawAlertBanner(screen.px);
        alerts.active[c.alert] = 1;
        for (int f = 0; f < 11; ++f) drawAlertBanner(screen.px);
        screen.fill(COLOUR_BLACK);
        drawAlertBanner(screen.px);
        // A bar of columns 0 to 14 with the name written downwards in black,
        // centred on column 7 from row 8.
        static Screen expected;
        expected.fill(COLOUR_BLACK);
        gfx_fill_rect(expected.px, FB_WIDTH, FB_HEIGHT, 0, 5, 15, c.barBottom, c.colour);
        font_draw_text_vertical(expected.px, FB_WIDTH, FB_HEIGHT, FONT_TEXT_14, 7, 8, COLOUR_BLACK,
                                c.text);
        EXPECT_TRUE(sameRegion(screen, 0, 0, expected, 0, 0, 20, FB_HEIGHT));
    }
}

TEST_F(Alerts, BannerCarriesItsTextInBlack) {
    alerts.active[ALERT_AOA1] = 1;
    for (int f = 0; f < 11; ++f) drawAlertBanner(screen.px);
    screen.fill(0xFF123456u);
    drawAlertBanner(screen.px);
    EXPECT_TRUE(hasInk(screen, {0, 8, 15, 80}, COLOUR_BLACK, COLOUR_YELLOW));
    EXPECT_TRUE(noInk(screen, {0, 80, 15, 160}, COLOUR_BLACK, COLOUR_YELLOW));
    EXPECT_EQ(screen.at(20, 20), 0xFF123456u);
}

}  // namespace
