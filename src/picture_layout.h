// The picture's geometry in one place: every length as it is at 100 % (96 DPI), and what it
// comes to at the display scale of the monitor the main window stands on.
#pragma once

#include <cstddef>
#include <cstdint>

extern int32_t pictureDpi; // the main window's display scale: 96 at 100 %, 144 at 150 %

// A length of the 100 % layout at pictureDpi, as ScaleLength rounds it: the picture's shorthand.
int32_t Scaled(int32_t length);

const int32_t WindowWidth = 360; // outer size at start
const int32_t WindowHeight = 220;
const int32_t MaxTrackWidth = 1200; // the largest outer size, and backBuffer's size
const int32_t MaxTrackHeight = 400;
const int32_t PictureTop = 20; // client rows above belong to the buttons
const int32_t ViewGap = 5;     // between the three views, and to the edges
const int32_t RecordTop = 110; // 5 rows below the three views, in backBuffer
const int32_t DiscSize = 20;   // column pitch, disc width and height; a row is two discs high

// The left edge of view 0 (the sample), 1 (its hues) or 2 (its classes) for a sample w pixels
// wide, each shown magnified to the scale beside the other, 5 pixels apart at 100 %.
int32_t ViewLeft(int32_t view, int32_t w);

// The record's rows in sight. While the record fits, every row from the first; once it
// holds more rows than are shown whole, the newest row is the last one shown whole, or
// `back` rows earlier (the wheel), never before the first.
struct RecordRows {
    int32_t perRow;  // pairs a row: the columns the client width holds, at least 1
    size_t firstRow; // drawn at the record's top
    size_t rows;     // drawn from there, the last perhaps cut at the client's bottom
    size_t back;     // rows before the newest row's place, within the limits
};

// In pixels of the scale, the client area's width and height.
RecordRows RecordRowsShown(size_t pairs, int32_t clientWidth, int32_t clientHeight, size_t back);
