#include "tessivo.h"

const Settings defaultSettings = {{0, 0, 50, 100}, {0, 0, 0, 0}, {0, 144, 216, 72, 288}, 24, 0, 4, 0, LanguageJapanese, false, L""};

const uint32_t colourPixels[5] = {0x0000FF, 0x00FF00, 0xFF0000, 0x00FFFF, 0xFF00FF};

Settings settings = defaultSettings;
MoveRecord moveRecord;
