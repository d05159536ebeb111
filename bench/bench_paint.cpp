// A paint: ComposePicture on the real main window at its default size and at the
// largest size the user can drag it to, with records of several lengths.
#include <algorithm>
#include <cstdio>

#include "app/main_window.h"
#include "app/picture.h"
#include "app/surface.h"
#include "app/window_procedure.h"
#include "bench_support.h"
#include "tessivo.h"

namespace {

// The record view's geometry: the first row of pairs at backBuffer y 110, 40 rows
// apart, 20 columns apart from x 5; backBuffer shows PictureTop rows down.
int PairsThatFillTheVisibleRows(const RECT &client) {
    int pairsPerRow = std::max(1, (int)(client.right - 5) / 20);
    int visibleBottom = std::min<int>(400, client.bottom - PictureTop);
    int rows = visibleBottom > 110 ? (visibleBottom - 110 + 39) / 40 : 0;
    return pairsPerRow * rows;
}

// Every colour on either side, and now and then a code outside 1..5.
void MakeRecord(size_t pairs) {
    moveRecord.clear();
    for (size_t i = 0; i < pairs; ++i) {
        BlobColour lower = (BlobColour)(1 + i % 5), upper = (BlobColour)(1 + i / 5 % 5);
        moveRecord.push_back({i % 97 == 96 ? 0 : lower, upper});
    }
}

} // namespace

int main() {
    HWND window = CreateMainWindow(GetModuleHandleA(nullptr));
    if (!window) {
        printf("| paint | the main window cannot be made | - | - |\n");
        return 1;
    }
    // Only the paints timed here run: no tick, and no message is dispatched.
    KillTimer(window, SamplingTimerId);

    const SIZE sizes[] = {{360, 220}, {1200, 400}};
    for (SIZE size : sizes) {
        SetWindowPos(window, nullptr, 0, 0, size.cx, size.cy, SWP_NOZORDER | SWP_NOMOVE);
        RECT client;
        GetClientRect(window, &client);
        const int fill = PairsThatFillTheVisibleRows(client);
        HDC dc = GetDC(window);

        struct {
            size_t pairs;
            double microseconds;
        } cases[] = {{0, 0}, {40, 0}, {(size_t)fill, 0}, {1000, 0}, {10000, 0}};
        for (auto &row : cases) {
            MakeRecord(row.pairs);
            row.microseconds = MicrosecondsPerCall([&] { ComposePicture(window, dc); });
        }
        ReleaseDC(window, dc);

        const double filled = cases[2].microseconds;
        char what[160], baseline[64];
        snprintf(baseline, sizeof baseline, "%d pairs", fill);
        for (auto &row : cases) {
            snprintf(what, sizeof what, "window %ld x %ld (client %ld x %ld), %zu pairs%s", size.cx,
                     size.cy, client.right, client.bottom, row.pairs,
                     row.pairs == (size_t)fill ? ": just fills the visible rows" : "");
            PrintRow("paint", what, row.microseconds,
                     row.pairs > (size_t)fill ? Ratio(row.microseconds, filled, baseline) : "");
        }
    }
    DestroyWindow(window);
    return 0;
}
