// Reads "./setting.ini" of the working directory through the platform's INI reader.
#pragma once

#include "tessivo.h"

void LoadSettings(Settings &target);
