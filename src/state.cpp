#include "tessivo.h"

const Settings defaultSettings = {{0, 0, 50, 100}, 0, 144, 216, 72, 288, 24, 0, 4, 0, LanguageJapanese, false, L""};

Settings settings = defaultSettings;
MoveRecord moveRecord;
