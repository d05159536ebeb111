// Warnings shown one box at a time, in the order they come.
#pragma once

#include <windows.h>

#include <string>

void Warn(HWND window, const std::wstring &text);
