#include "tessivo.h"

// What a setting left out of setting.ini is.
const Settings defaultSettings = {
    {0, 0, 50, 100},        // [REGION]: the next box, 50 x 100 at the screen's corner
    {0, 0, 0, 0},           // [REGION2]: no second box
    {0, 144, 216, 72, 288}, // [COLOR]: red to purple, the circle in fifths
    24,                     // INTERVAL, milliseconds between two samples
    0,                      // AUTO off
    4,                      // SETTLE: a pair settles on its fifth sample alike
    0,                      // KEEP off
    LanguageJapanese,       // LANGUAGE: LoadSettings puts Windows' language in its place
    false,                  // no HOST given
    L""};

const uint32_t colourPixels[5] = {0x0000FF, 0x00FF00, 0xFF0000, 0x00FFFF, 0xFF00FF};

Settings settings = defaultSettings;
MoveRecord moveRecord;
