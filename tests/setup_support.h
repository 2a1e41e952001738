// The setup menu tests' fixture: the menu on page 7 of a powered unit, with
// clicks through the button decoder.
#pragma once

#include "app/controller.h"
#include "app/setup.h"
#include "app/setup_screens.h"
#include "app_support.h"
#include "screen_checks.h"
#include "shell/bezel.h"

// The menu on page 7 with the defaults applied and the edition input as given.
class SetupTest : public UnitTest {
  protected:
    void SetUp() override;
    void setEdition(bool on);
    // n clicks of a bezel button through the decoder and the routing.
    void click(void (*press)(), void (*release)(), int n);
    void view(int n = 1) { click(pressView, releaseView, n); }
    void left(int n = 1) { click(pressLeft, releaseLeft, n); }
    void right(int n = 1) { click(pressRight, releaseRight, n); }
    void both(int n = 1) { click(pressBoth, releaseBoth, n); }
    void draw() { setupDrawPage(screen.px); }
    // Both-press into edit mode, then n steps down the list.
    void selectItem(int n);
    // Opens list item n from browse mode.
    void openItem(int n);
};
