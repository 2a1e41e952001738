// Overlay state and pictures. Each picture is drawn when it changes and handed
// to the window picture, which keeps it on top of the bezel.
#include "desk/ui.h"

#include <cstdio>
#include <cstring>

#include "desk/overlays.h"
#include "desk/view.h"

// ---- Module state ---------------------------------------------------------

namespace {

// What the window's help and message show.
struct UiState {
    bool helpShown = false;
    char message[MESSAGE_CAPACITY] = "";
    int64_t messageUntil = 0;
    char status[MESSAGE_CAPACITY] = "";
    StatusTone statusTone = StatusTone::Waiting;
};

UiState ui;
// The pictures, each drawn when what it shows changes.
uint32_t helpPicture[HELP_WIDTH * HELP_HEIGHT];
bool helpDrawn = false;
uint32_t messagePicture[MESSAGE_WIDTH * MESSAGE_MAX_HEIGHT];
uint32_t statusPicture[MESSAGE_WIDTH * MESSAGE_MAX_HEIGHT];

// ---- Private helpers ------------------------------------------------------

void hideMessage() {
    ui.message[0] = '\0';
    deskViewSetOverlay(ViewOverlay::Message, nullptr, MESSAGE_PLACE);
}

}  // namespace

// ---- Public operations ----------------------------------------------------

void deskUiReset() {
    ui = {};
    deskViewSetOverlay(ViewOverlay::Help, nullptr, HELP_PLACE);
    deskViewSetOverlay(ViewOverlay::Status, nullptr, MESSAGE_PLACE);
    hideMessage();
}

// The help box is drawn the first time it is shown.
void deskUiToggleHelp() {
    ui.helpShown = !ui.helpShown;
    if (ui.helpShown && !helpDrawn) {
        overlayDrawHelp(helpPicture);
        helpDrawn = true;
    }
    deskViewSetOverlay(ViewOverlay::Help, ui.helpShown ? helpPicture : nullptr, HELP_PLACE);
}

void deskUiCloseOverlays() {
    if (ui.helpShown) deskUiToggleHelp();
    hideMessage();
}

// A new message replaces the one shown and restarts its time.
void deskUiShowMessage(const char* text, int64_t now) {
    const size_t n = text != nullptr ? std::strlen(text) : 0;
    if (n == 0) {
        hideMessage();
        return;
    }
    const size_t kept = n < sizeof ui.message ? n : sizeof ui.message - 1;
    std::memcpy(ui.message, text, kept);
    ui.message[kept] = '\0';
    ui.messageUntil = now + MESSAGE_SHOW_MS;
    const HostRect place = overlayDrawMessage(messagePicture, ui.message);
    deskViewSetOverlay(ViewOverlay::Message, messagePicture, place);
}

void deskUiSetStatus(const char* text, StatusTone tone) {
    if (text == nullptr) text = "";
    if (std::strncmp(text, ui.status, sizeof ui.status - 1) == 0 && tone == ui.statusTone) return;
    std::snprintf(ui.status, sizeof ui.status, "%s", text);
    ui.statusTone = tone;
    if (ui.status[0] == '\0') {
        deskViewSetOverlay(ViewOverlay::Status, nullptr, MESSAGE_PLACE);
        return;
    }
    const HostRect place = overlayDrawStatus(statusPicture, ui.status, tone);
    deskViewSetOverlay(ViewOverlay::Status, statusPicture, place);
}

const char* deskUiMessage() { return ui.message; }

int64_t deskUiExpire(int64_t now) {
    if (ui.message[0] == '\0') return -1;
    if (now < ui.messageUntil) return ui.messageUntil - now;
    hideMessage();
    return -1;
}
