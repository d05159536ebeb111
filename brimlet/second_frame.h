// The second box's frame: thinner than the frame of the next box, a tab above it names it, and it
// is moved by dragging its border, or by the arrows once Tab has chosen it. The frame's window owns
// it; its region goes to Tessivo with the frame's.
#pragma once

#include <windows.h>

#include "tessivo.h"

const wchar_t secondFrameClassName[] = L"BrimletSecond";

// Makes the second frame, owned by the frame's window, on the region; hidden for a width of 0.
void CreateSecondFrame(HWND owner, const CaptureRegion &region);

// The second box's region as the second frame shows it; width 0 when there is none.
CaptureRegion SecondRegion();

// Shows the second frame on the region, or hides it for a width of 0, and sends both regions.
void PlaceSecondFrame(const CaptureRegion &region);

// Hides the second frame while the screen beneath is searched, or shows it again after.
void HideSecondFrame(bool hide);

// The screen rectangle the second frame covers; empty when it is hidden.
RECT SecondFrameArea();

// S: a second frame by hand, half the frame's size beside it on the right, chosen for the arrows
// to move and size onto what shows of the second box; or, when there is one, taken away.
void PlaceSecondByHand();

// Tab: the arrows move the other frame; only the frame when there is no second one.
void SwitchFrames();
bool SecondFrameChosen();

// An arrow's step: moves the second frame, or sizes it with its top left corner kept.
void StepSecondFrame(bool resize, POINT step);
