// The setup menu tests' fixture: the menu on page 7 of a powered unit, with
// clicks through the button decoder.
#pragma once

#include "app/controller.h"
#include "app/setup.h"
#include "app/setup_screens.h"
#include "app_support.h"
#include "screen_checks.h"
#include "unit_driver.h"

// The menu on page 7 with the defaults applied and the edition input as given.
class SetupTest : public UnitTest {
  protected:
    void SetUp() override;
    void setEdition(bool on);
    // n clicks of a bezel button through the decoder and the routing; no frame
    // runs, so the tests draw when they look.
    static void clicks(unit::Button b, int n) { unit::clicks(b, n, unit::Drive::DecoderOnly); }
    void view(int n = 1) { clicks(unit::Button::View, n); }
    void left(int n = 1) { clicks(unit::Button::Left, n); }
    void right(int n = 1) { clicks(unit::Button::Right, n); }
    void both(int n = 1) { clicks(unit::Button::Both, n); }
    void draw() { setupDrawPage(screen.px); }
    // Both-press into edit mode, then n steps down the list.
    void selectItem(int n);
    // Opens list item n from browse mode.
    void openItem(int n);
};
