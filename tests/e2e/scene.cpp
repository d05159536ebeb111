// e2e_scene.exe X Y UPPER LOWER [UPPER LOWER ...] (RRGGBB), or X Y @FILM: the game's stand-in for
// the end-to-end tests, a topmost 50 x 100 window at X, Y, a pair's upper blob over its lower. A
// film's lines are frames: UPPER LOWER, how far down the pair is drawn (100: out of sight), its
// brightness in percent, milliseconds shown (0: until Space). The title names the frame shown,
// "scene 2" ("film 2" for a film).
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

struct Frame {
    unsigned long upper, lower;
    int down, percent, milliseconds;
};
static std::vector<Frame> frames;
static size_t shown;
static const char *title = "scene"; // "film" for a film

static void Fill(HDC dc, int top, unsigned long rgb, int percent) {
    auto channel = [&](int shift) {
        return std::min(255, (int)(rgb >> shift & 255) * percent / 100);
    };
    SetDCBrushColor(dc, RGB(channel(16), channel(8), channel(0)));
    RECT blob = {0, top, 50, top + 50};
    FillRect(dc, &blob, (HBRUSH)GetStockObject(DC_BRUSH));
}

static void Paint(HWND window) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    const Frame &frame = frames[shown];
    Fill(dc, 0, 0x181820, 100); // the empty box
    Fill(dc, 50, 0x181820, 100);
    Fill(dc, frame.down, frame.upper, frame.percent);
    Fill(dc, frame.down + 50, frame.lower, frame.percent);
    EndPaint(window, &paint);
}

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
    Paint(window);
    return 0;
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    Frame frame = {0, 0, 0, 100, 0};
    FILE *film = __argv[3][0] == '@' ? fopen(__argv[3] + 1, "r") : nullptr;
    title = film ? "film" : title;
    while (film && fscanf(film, "%lx %lx %d %d %d", &frame.upper, &frame.lower, &frame.down,
                          &frame.percent, &frame.milliseconds) == 5)
        frames.push_back(frame);
    for (int i = 3; !film && i + 1 < __argc; i += 2)
        frames.push_back({strtoul(__argv[i], 0, 16), strtoul(__argv[i + 1], 0, 16), 0, 100, 0});
    WNDCLASSA sceneClass = {0, SceneProcedure, 0, 0, instance, 0, 0, 0, 0, "TessivoScene"};
    RegisterClassA(&sceneClass);
    HWND window = CreateWindowExA(WS_EX_TOPMOST, "TessivoScene", "scene", WS_POPUP | WS_VISIBLE,
                                  atoi(__argv[1]), atoi(__argv[2]), 50, 100, 0, 0, instance, 0);
    Show(window, 0);
    for (MSG message; GetMessageA(&message, nullptr, 0, 0) > 0;)
        DispatchMessageA(&message);
    return 0;
}
