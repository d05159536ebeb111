// e2e_scene.exe X Y PAIRS TITLE: the game's stand-in, topmost, 50 x 100 at X, Y, a box on a navy
// board showing the pairs of PAIRS in turn (a line each, UPPER LOWER as RRGGBB), the next at each
// Space; titled "TITLE 2" while it shows the pair of line 2, from 0.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "../game_box.h"

struct Pair {
    uint32_t blobs[2]; // upper, lower
};
static std::vector<Pair> pairs;
static size_t shown;
static const char *title;

static void Show(HWND window, size_t pair) {
    char text[32];
    snprintf(text, sizeof text, "%s %zu", title, shown = pair);
    SetWindowTextA(window, text);
    InvalidateRect(window, nullptr, FALSE);
}

static LRESULT CALLBACK SceneProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_KEYDOWN && wParam == VK_SPACE)
        Show(window, (shown + 1) % pairs.size());
    if (message != WM_PAINT)
        return DefWindowProcA(window, message, wParam, lParam);
    PAINTSTRUCT paint;
    uint32_t box[50 * 100];
    BITMAPINFOHEADER bits = {sizeof bits, 50, 100, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    HDC dc = BeginPaint(window, &paint);
    PaintBox(box, pairs[shown].blobs, 2, 0, 100, 0x182868);
    StretchDIBits(dc, 0, 0, 50, 100, 0, 0, 50, 100, box, (BITMAPINFO *)&bits, DIB_RGB_COLORS,
                  SRCCOPY);
    EndPaint(window, &paint);
    return 0;
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    Pair pair = {};
    FILE *list = fopen(__argv[3], "r");
    while (list && fscanf(list, "%x %x", &pair.blobs[0], &pair.blobs[1]) == 2)
        pairs.push_back(pair);
    title = __argv[4];
    WNDCLASSA sceneClass = {0, SceneProcedure, 0, 0, instance, 0, 0, 0, 0, "TessivoScene"};
    RegisterClassA(&sceneClass);
    HWND window = CreateWindowExA(WS_EX_TOPMOST, "TessivoScene", "scene", WS_POPUP | WS_VISIBLE,
                                  atoi(__argv[1]), atoi(__argv[2]), 50, 100, 0, 0, instance, 0);
    Show(window, 0);
    for (MSG message; GetMessageA(&message, nullptr, 0, 0) > 0;)
        DispatchMessageA(&message);
    return 0;
}
