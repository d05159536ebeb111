// Composes the client picture in backBuffer and copies it to the window.
#pragma once

#include <windows.h>

#include "picture_layout.h"

const COLORREF BackgroundColour = 0x888888;
const COLORREF AutoMarkColour = 0x0000C0; // dark red

void FillBackground(HWND window, HDC target);
void ComposePicture(HWND window, HDC windowDc);

// Asks for the picture below the button row to be painted anew, as soon as nothing more urgent
// waits: after a change of what it shows (the record, the mark of auto capture, a reference).
void RepaintPicture(HWND window);

// Asks for the sample's view and its cells' hues beside the views alone: a tick's new sample
// changes nothing else.
void RepaintSample(HWND window);
