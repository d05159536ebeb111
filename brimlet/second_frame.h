// The second box's frame: thinner than the frame of the next box, a tab above it names it, and it
// is moved by dragging its border, or by the arrows once Tab has chosen it. The frame's window owns
// it, and holds its region: the second frame shows the region it is given and tells its owner when
// a drag has moved it.
#pragma once

#include <windows.h>

#include "tessivo.h"

const wchar_t secondFrameClassName[] = L"BrimletSecond";

// Sent to the owner when the second frame has moved, by a drag or by being placed.
const UINT SecondFrameMoved = WM_APP;

// Makes the second frame, hidden, owned by the frame's window.
void CreateSecondFrame(HWND owner);

// Shows the second frame on the region at the scale, or hides it, not chosen, for a width of 0.
void ShowSecondFrame(const CaptureRegion &region, int dpi);

// The region shown where the second frame's window stands now, its size kept.
CaptureRegion SecondRegionOfWindow(const CaptureRegion &shown);

// Hides the second frame while the screen beneath is searched, or shows it again after where it
// has a region.
void HideSecondFrame(bool hide);

// The screen rectangle the second frame covers; empty when it is hidden.
RECT SecondFrameArea();

// Tab and S: whether the arrows move the second frame; shown in its tab's colour.
void ChooseSecondFrame(bool chosen);
bool SecondFrameChosen();
