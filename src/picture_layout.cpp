#include "picture_layout.h"

#include <algorithm>

#include "scale_length.h"

int32_t pictureDpi = 96;

int32_t Scaled(int32_t length) {
    return ScaleLength(length, pictureDpi);
}

int32_t ViewLeft(int32_t view, int32_t w) {
    return Scaled(ViewGap + view * (w + ViewGap));
}

RecordRows RecordRowsShown(size_t pairs, int32_t clientWidth, int32_t clientHeight, size_t back) {
    // Two scaled discs, not a scaled pair: the discs of a pair touch at every scale.
    const int32_t pitch = 2 * Scaled(DiscSize), top = Scaled(RecordTop);
    // backBuffer's rows show from PictureTop down, as far as the client or backBuffer goes.
    const int32_t height =
        std::min(Scaled(MaxTrackHeight), clientHeight - Scaled(PictureTop)) - top;
    RecordRows shown = {std::max(1, (clientWidth - Scaled(ViewGap)) / Scaled(DiscSize)), 0, 0, 0};
    const size_t all = (pairs + (size_t)shown.perRow - 1) / (size_t)shown.perRow;
    const size_t whole = height > 0 ? (size_t)(height / pitch) : 0;
    const size_t seen = height > 0 ? (size_t)((height + pitch - 1) / pitch) : 0;
    if (all > whole) { // a window too low for one whole row still shows the newest row
        const size_t newest = all - std::max<size_t>(whole, 1);
        shown.back = std::min(back, newest);
        shown.firstRow = newest - shown.back;
    }
    shown.rows = std::min(seen, all - shown.firstRow);
    return shown;
}
