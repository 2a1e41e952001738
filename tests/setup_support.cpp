// The setup menu tests' fixture.
#include "setup_support.h"

#include "device/settings.h"

void SetupTest::SetUp() {
    UnitTest::SetUp();
    settingsApplyDefaults();
    setEdition(true);
    buttonDecoderStart();
    controllerShowPage(PAGE_SETUP);
}

void SetupTest::setEdition(bool on) {
    simDevice.discreteInput2Source = on ? 1 : 0;
    sampleDiscreteInputs();
}

void SetupTest::selectItem(int n) {
    both();
    left(n);
}

void SetupTest::openItem(int n) {
    selectItem(n);
    right();
}
