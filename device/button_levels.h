// The unit's three raw button inputs. The bezel (mouse), the keyboard and
// scripts set them; the button decoder samples them on every fast tick.
#pragma once

void pressView();
void releaseView();
void pressLeft();
void releaseLeft();
void pressRight();
void releaseRight();
void pressBoth();
void releaseBoth();

// The levels the decoder reads: 1 while the mouse (or a setter above) or the
// keyboard holds the button, so a button held both ways is released only when
// both let go, and 1 after a press until the decoder has sampled it.
int viewLevel();
int leftLevel();
int rightLevel();

// The keyboard's holds, a second source beside the mouse and the setters.
void setButtonKeyLevels(int view, int left, int right);

// The decoder has taken the presses of these buttons (it holds them down): a
// press of theirs already released ends now. A press it has not taken yet,
// because another event had the tick, stays until it has.
void buttonLevelsTaken(bool view, bool left, bool right);

// Power-on state: every level 0, for the mouse and the keyboard.
void buttonLevelsPowerOnReset();
