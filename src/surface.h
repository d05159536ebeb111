// Off-screen 32-bit drawing surfaces: a device-independent bitmap selected into its own memory
// drawing context, and copies of the screen into them.
#pragma once

#include <windows.h>
#include <cstdint>
#include <vector>

#include "tessivo.h"

struct Surface {
    HDC dc;         // memory context with bitmap selected
    void *bits;     // pixel memory as handed back at creation, read only after GdiFlush
    int32_t width;  // pixels
    int32_t height; // pixels
    HBITMAP bitmap; // the device-independent bitmap
};

extern Surface backBuffer;     // 1200 x 400 at 100 %, the composed client picture
extern Surface captureSurface; // 50 x 100, the latest sample of the next box's region
extern Surface secondSurface;  // 50 x 100, the latest sample of the second box's region
extern Surface hueView;        // 50 x 100, every sampled pixel at its pure hue
extern Surface classView;      // 50 x 100, every voted pixel in its class colour

// Fills the record; a failed creation leaves null handles, on which drawing has no effect.
// Rows lie bottom-up in memory unless topDown; coordinates through dc run from the top-left
// corner either way.
void CreateSurface(Surface &surface, int32_t width, int32_t height, HWND window,
                   bool topDown = false);

void DeleteSurface(Surface &surface);

// Copies the rectangle of the screen into the whole surface, stretched to its size (a negative
// width or height mirrors it).
void CopyScreen(const Surface &surface, const CaptureRegion &area);

// True when the surface holds, byte for byte, what lastCopy holds; otherwise lastCopy takes what it
// holds now. One call a sample: a tick is still only when every sample is.
bool SameAsLastCopy(const Surface &surface, std::vector<uint32_t> &lastCopy);
