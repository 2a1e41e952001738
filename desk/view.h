// The window picture at 1:1: the unit's bezel canvas, the device panel to its
// right while shown, and overlays (the key help, a short message) laid over
// them. Only what changed is brought up to date and handed on, so the
// platform presents (and scales) just that.
#pragma once

#include <cstdint>

#include "shell/shell.h"

inline constexpr int PANEL_WIDTH = 240;
inline constexpr int VIEW_MAX_WIDTH = BEZEL_WIDTH + PANEL_WIDTH;
inline constexpr int VIEW_HEIGHT = BEZEL_HEIGHT;
inline constexpr HostRect PANEL_RECT = {BEZEL_WIDTH, 0, PANEL_WIDTH, VIEW_HEIGHT};

enum class ViewOverlay : uint8_t { Help, Message, Count };

// Nothing shown beside the bezel, and the whole picture due.
void deskViewReset();
// Width of the window picture: the bezel, plus the panel while shown.
int deskViewWidth();
// The picture, rows top first, VIEW_MAX_WIDTH pixels per row, every pixel opaque.
const uint32_t* deskViewPixels();
// Shows the panel picture (bottom-up, PANEL_WIDTH x VIEW_HEIGHT), or hides it for null.
void deskViewSetPanel(const uint32_t* picture);
// Part r of the panel picture (panel coordinates) was redrawn.
void deskViewPanelChanged(HostRect r);
// Lays a bottom-up picture of place.w x place.h over the view at place, or
// takes the overlay away for null. The picture must stay valid while shown.
void deskViewSetOverlay(ViewOverlay which, const uint32_t* picture, HostRect place);
bool deskViewOverlayShown(ViewOverlay which);
// Brings the picture up to date with the bezel canvas changes and everything
// changed here since the last call; returns the rectangle that changed.
HostRect deskViewUpdate(HostRect bezelChanges);
// Copies the picture without overlays (bezel and panel, top-down) into dst,
// deskViewWidth() x VIEW_HEIGHT pixels.
void deskViewCopyPlain(uint32_t* dst);
