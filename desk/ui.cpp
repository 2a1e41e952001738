// Overlay state and pictures. Each picture is drawn when it changes and handed
// to the window picture, which keeps it on top of the bezel.
#include "desk/ui.h"

#include <cstring>

#include "desk/overlays.h"
#include "desk/view.h"

// ---- Module state ---------------------------------------------------------

namespace {

uint32_t helpPicture[HELP_WIDTH * HELP_HEIGHT];
bool helpDrawn = false;
bool helpShown = false;
uint32_t messagePicture[MESSAGE_WIDTH * MESSAGE_HEIGHT];
char message[MESSAGE_CAPACITY] = "";
int64_t messageUntil = 0;

// ---- Private helpers ------------------------------------------------------

void hideMessage() {
    message[0] = '\0';
    deskViewSetOverlay(ViewOverlay::Message, nullptr, MESSAGE_PLACE);
}

}  // namespace

// ---- Public operations ----------------------------------------------------

void deskUiReset() {
    helpShown = false;
    deskViewSetOverlay(ViewOverlay::Help, nullptr, HELP_PLACE);
    hideMessage();
}

// The help box is drawn the first time it is shown.
void deskUiToggleHelp() {
    helpShown = !helpShown;
    if (helpShown && !helpDrawn) {
        overlayDrawHelp(helpPicture);
        helpDrawn = true;
    }
    deskViewSetOverlay(ViewOverlay::Help, helpShown ? helpPicture : nullptr, HELP_PLACE);
}

bool deskUiHelpShown() { return helpShown; }

void deskUiCloseOverlays() {
    if (helpShown) deskUiToggleHelp();
    hideMessage();
}

// A new message replaces the one shown and restarts its time.
void deskUiShowMessage(const char* text, int64_t now) {
    const size_t n = text != nullptr ? std::strlen(text) : 0;
    if (n == 0) {
        hideMessage();
        return;
    }
    const size_t kept = n < sizeof message ? n : sizeof message - 1;
    std::memcpy(message, text, kept);
    message[kept] = '\0';
    messageUntil = now + MESSAGE_SHOW_MS;
    overlayDrawMessage(messagePicture, message);
    deskViewSetOverlay(ViewOverlay::Message, messagePicture, MESSAGE_PLACE);
}

const char* deskUiMessage() { return message; }

int64_t deskUiExpire(int64_t now) {
    if (message[0] == '\0') return -1;
    if (now < messageUntil) return messageUntil - now;
    hideMessage();
    return -1;
}
