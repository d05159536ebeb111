// Composes the client picture in backBuffer and copies it to the window.
#pragma once

#include <windows.h>

#include "picture_layout.h"

const COLORREF BackgroundColour = 0x888888;
const COLORREF AutoMarkColour = 0x0000C0; // dark red

void FillBackground(HWND window, HDC target);
void ComposePicture(HWND window, HDC windowDc);
