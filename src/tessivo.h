// Shared types and process-wide state of Tessivo that need no platform.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

// Colour code of one blob: 1 red, 2 green, 3 blue, 4 yellow, 5 purple.
// Recognition yields only 1..5; other values are drawn white and exported as "a0".
typedef int32_t BlobColour;

enum : BlobColour {
    ColourRed = 1,
    ColourGreen = 2,
    ColourBlue = 3,
    ColourYellow = 4,
    ColourPurple = 5,
};

// Each colour's pixel (0x00BBGGRR) at full intensity, red to purple: the class view shows these,
// and the record's discs too but for their purple.
extern const uint32_t colourPixels[5];

// One move of the game: the bottom blob as seen on screen, then the top one.
struct BlobPair {
    BlobColour lower;
    BlobColour upper;
};

// The rectangle of the screen that is sampled, in screen pixels.
struct CaptureRegion {
    int32_t x;
    int32_t y;
    int32_t width;
    int32_t height;
};

// The same rectangle of the screen: each of the four values alike.
inline bool SameRegion(const CaptureRegion &a, const CaptureRegion &b) {
    return a.x == b.x && a.y == b.y && a.width == b.width && a.height == b.height;
}

// The reference hues of red, green, blue, yellow and purple (colour - 1), whole degrees.
typedef std::array<int32_t, 5> ReferenceHues;

struct Settings {
    CaptureRegion region;       // the next box: the pair that comes next
    CaptureRegion secondRegion; // the game's second box, the pair after next; width 0: none
    ReferenceHues hues;         // what each colour is classified by
    int32_t interval;           // sampling period, milliseconds
    int32_t autoCapture;        // 1: each new pair is captured as it settles; 0: only on demand
    int32_t settleTicks;        // ticks a new pair must stay the same before auto capture takes it
    int32_t keepRecord;         // 1: the record and a history of links kept in the working folder
    int32_t language;           // LanguageJapanese or LanguageEnglish: the texts of both programs
    bool hostGiven;             // the settings file names the simulator's host
    std::wstring simulatorHost; // that host as written, checked before it is used
};

enum : int32_t { LanguageJapanese = 0, LanguageEnglish = 1 };

// How a move came into the record when the game's second box is read too: as read and agreed
// (or nothing to check it by), seen only in the second box and the next box's glimpse of it
// ("+"), or read otherwise than the second box showed it a move before ("?", with that pair).
enum MoveMark : int32_t { MarkNone, MarkSeenAhead, MarkDoubt };

struct RecordedMove : BlobPair {
    MoveMark mark = MarkNone;
    BlobPair second = {0, 0}; // MarkDoubt: the pair the second box showed
};

// The pairs captured in this run, index 0 the first.
typedef std::vector<RecordedMove> MoveRecord;

// Every key's default, as used when the settings file does not give it.
extern const Settings defaultSettings;

extern Settings settings;     // filled once at window creation; region moved by the region link
extern MoveRecord moveRecord; // the one record of this run (kept on disk with KEEP=1)
