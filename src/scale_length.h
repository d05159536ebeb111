// A length of a 100 % layout (96 DPI) at a display scale: one rounding for both programs.
#pragma once

// Rounded half away from zero, as the platform's MulDiv rounds.
int ScaleLength(int length, int dpi);
