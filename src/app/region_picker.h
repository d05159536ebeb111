// Brimlet, the region picker: started from the region button, one frame at a time.
#pragma once

#include <windows.h>

// Brings the open frame to the front, or starts Brimlet from beside this program, in this
// working folder (where it saves setting.ini). A start that fails is told with the path tried
// and the system's reason.
void SelectRegion(HWND window);
