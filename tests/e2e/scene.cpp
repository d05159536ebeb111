// e2e_scene.exe X Y FILM TITLE: the game's stand-in, topmost, 50 x 100 at X, Y, titled "TITLE 2" at
// frame 2 of the film: a line a frame, UPPER LOWER (RRGGBB), how far down (100: out of sight),
// percent, milliseconds (0: until Space), board.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "../game_box.h"

struct Frame {
    uint32_t blobs[2]; // the pair, upper then lower
    int down, percent, milliseconds;
    uint32_t board;
};
static std::vector<Frame> frames;
static size_t shown;
static const char *title;

static void Show(HWND window, size_t frame) {
    char text[32];
    snprintf(text, sizeof text, "%s %zu", title, shown = frame);
    SetWindowTextA(window, text);
    InvalidateRect(window, nullptr, FALSE);
    if (frames[frame].milliseconds > 0 && frame + 1 < frames.size())
        SetTimer(window, 1, frames[frame].milliseconds, nullptr);
}

static LRESULT CALLBACK SceneProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_KEYDOWN && wParam == VK_SPACE)
        Show(window, (shown + 1) % frames.size());
    if (message == WM_TIMER && KillTimer(window, 1))
        Show(window, shown + 1);
    if (message != WM_PAINT)
        return DefWindowProcA(window, message, wParam, lParam);
    PAINTSTRUCT paint;
    const Frame &frame = frames[shown];
    uint32_t box[50 * 100];
    BITMAPINFOHEADER bits = {sizeof bits, 50, 100, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    HDC dc = BeginPaint(window, &paint);
    PaintBox(box, frame.blobs, 2, frame.down, frame.percent, frame.board);
    StretchDIBits(dc, 0, 0, 50, 100, 0, 0, 50, 100, box, (BITMAPINFO *)&bits, DIB_RGB_COLORS,
                  SRCCOPY);
    EndPaint(window, &paint);
    return 0;
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    Frame frame = {};
    FILE *film = fopen(__argv[3], "r");
    while (film && fscanf(film, "%x %x %d %d %d %x", &frame.blobs[0], &frame.blobs[1], &frame.down,
                          &frame.percent, &frame.milliseconds, &frame.board) == 6)
        frames.push_back(frame);
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
