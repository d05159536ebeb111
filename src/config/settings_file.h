// Reads "./setting.ini" of the working directory through the platform's INI reader.
#pragma once

#include <string>

#include "config/key_combination.h"
#include "config/section_keys.h"
#include "tessivo.h"

// [COLOR]'s keys, in the order of the reference hues.
extern const char *const referenceKeys[5];

// Every key, LANGUAGE and [LINK] HOST too; the host is taken as written, not checked. Without
// LANGUAGE, the language of the user's Windows.
void LoadSettings(Settings &target);

// Each action's hot key from [HOTKEY] (a key left out: its default), settled among the four;
// the values refused.
HotKeys LoadHotKeys();

// Writes the region's four keys into "./setting.ini" as [REGION], and the second region's as
// [REGION2] when second is given, in one write, keeping the rest of the file as it is, or makes
// the file; a crash in the middle leaves the old file or the new one. False when the file cannot
// be read or written (read-only, held by another program, a path too long); the file is then as
// it was, both sections. The full path, or the relative one when it cannot be had, goes to where.
bool SaveRegion(const CaptureRegion &region, std::wstring &where,
                const CaptureRegion *second = nullptr);

// Sections and their keys, written into "./setting.ini" in the same way, in one write.
struct SettingSection {
    const char *name;
    std::vector<SettingKey> keys;
};
bool SaveSettings(const std::vector<SettingSection> &sections, std::wstring &where);
