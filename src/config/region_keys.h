// The region's four keys in the text of a settings file, changed in place.
#pragma once

#include <string>

#include "tessivo.h"

// The text with X, Y, W and H of section REGION set to the region, every other byte as
// it was: a key's value is replaced where the key stands (its first occurrence in the
// first REGION section, names in any case); a missing key is added after the last line
// of that section, and a missing section at the end of the text, with the text's own
// line ending (CR LF for a text that has none).
std::string WithRegionKeys(const std::string &text, const CaptureRegion &region);
