// What Tessivo and Brimlet agree on, written once for both programs and their tests: the
// names by which one finds the other, and the records that carry the next box's region and the
// second box's region.
#pragma once

#include <cstddef>
#include <cstdint>

#include "tessivo.h"

const char regionMailslotName[] = "\\\\.\\mailslot\\tessivo"; // Tessivo reads, Brimlet writes
const wchar_t tessivoClassName[] = L"Tessivo";    // the main window; the fit leaves it out
const wchar_t brimletClassName[] = L"Brimlet";    // the frame: brought forward, closed at exit
const wchar_t brimletFileName[] = L"Brimlet.exe"; // beside tessivo.exe

// Posted to the open frame (WM_APP + 1): it comes to the front itself. Put there by another
// process, the frame would be the foreground before its own thread took the keyboard's focus, and
// under Wine a focus change still on its way could take the foreground from it again.
const uint32_t FrameForwardMessage = 0x8001;

// The 9-byte record that moves or resizes the next box's region: x, y, height, width
// as little-endian signed 16-bit values, then the resize byte (exactly 1: resize).
const size_t RegionMessageSize = 9;

// Applies one received message; a message shorter than a record changes nothing
// and gives false.
bool ApplyRegionMessage(CaptureRegion &region, const uint8_t *bytes, size_t length);

// Encodes a region; values beyond the 16-bit range are clamped, never wrapped.
void EncodeRegionMessage(uint8_t (&bytes)[RegionMessageSize], const CaptureRegion &region,
                         bool resize);

// The 8-byte record of the game's second box: the 9-byte record's fields in its order, without
// the resize byte; width 0 for none. Shorter than 9 bytes, so that a Tessivo that takes x and y
// from every record of 9 bytes or more never mistakes it for the next box's region.
const size_t SecondRegionMessageSize = 8;

// Applies a message of exactly 8 bytes, the whole rectangle; any other changes nothing and gives
// false.
bool ApplySecondRegionMessage(CaptureRegion &second, const uint8_t *bytes, size_t length);

// Encodes the second box's region, clamped as the next box's region's.
void EncodeSecondRegionMessage(uint8_t (&bytes)[SecondRegionMessageSize],
                               const CaptureRegion &second);
