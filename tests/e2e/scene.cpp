// e2e_scene.exe X Y UPPER LOWER [UPPER LOWER ...] (RRGGBB), or X Y @FILM: the game's stand-in, a
// topmost 50 x 100 window at X, Y: a pair's shaded upper blob over its lower on a board (navy in a
// scene). A film's lines are frames: UPPER LOWER, how far down the pair is drawn (100: out of
// sight), its brightness in percent (150: half-way to white), milliseconds shown
// (0: until Space), the board, and the pair leaving upward 100 above it in a scroll (UPPER LOWER,
// or - -). The title names the frame shown, "scene 2" ("film 2"). Or clip TEXT.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

struct Frame {
    unsigned long upper, lower;
    int down, percent, milliseconds;
    unsigned long board;
    char leaving[2][8]; // "-": none
};
static std::vector<Frame> frames;
static size_t shown;
static const char *title = "scene"; // "film" for a film

// Each channel at percent of its brightness, then whiter percent of the way to white.
static COLORREF Shade(unsigned long rgb, int percent, int whiter = 0) {
    int channels[3];
    for (int i = 0, value; i < 3; ++i)
        value = (rgb >> (16 - 8 * i) & 255) * percent / 100,
        channels[i] = value + (255 - value) * whiter / 100;
    return RGB(channels[0], channels[1], channels[2]);
}

// Rings from 70 % to the blob's colour in the middle, a highlight, two eyes: all at percent.
static void Blob(HDC dc, int top, unsigned long rgb, int percent) {
    auto oval = [&](int left, int y, int right, int bottom, unsigned long colour, int shade) {
        SetDCBrushColor(
            dc, Shade(colour, shade * std::min(percent, 100) / 100, std::max(percent - 100, 0)));
        Ellipse(dc, left, top + y, right, top + bottom);
    };
    for (int ring = 0; ring < 4; ++ring)
        oval(2 + 3 * ring, 2 + 3 * ring, 48 - 3 * ring, 48 - 3 * ring, rgb, 70 + 10 * ring);
    oval(10, 7, 19, 14, 0xFFFFFF, 100);
    oval(14, 18, 21, 29, 0x202020, 100);
    oval(29, 18, 36, 29, 0x202020, 100);
}

static void Paint(HWND window) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    const Frame &frame = frames[shown];
    SelectObject(dc, GetStockObject(DC_BRUSH));
    SelectObject(dc, GetStockObject(NULL_PEN));
    for (int y = 0; y < 100; ++y) { // the board, from 70 % at the top to its colour at the bottom
        SetDCBrushColor(dc, Shade(frame.board, 70 + 30 * y / 99));
        RECT line = {0, y, 50, y + 1};
        FillRect(dc, &line, (HBRUSH)GetStockObject(DC_BRUSH));
    }
    Blob(dc, frame.down, frame.upper, frame.percent);
    Blob(dc, frame.down + 50, frame.lower, frame.percent);
    for (int blob = 0; blob < 2 && frame.leaving[blob][0] != '-'; ++blob)
        Blob(dc, frame.down - 100 + 50 * blob, strtoul(frame.leaving[blob], 0, 16), frame.percent);
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
    for (int tries = 0; !strcmp(__argv[1], "clip"); ++tries, Sleep(20)) { // clip TEXT: 0 once
        OpenClipboard(nullptr); // Wine's clipboard holds TEXT, taken from X; 1 after 10 s
        const char *held = (const char *)GlobalLock(GetClipboardData(CF_TEXT));
        const bool holds = held && strstr(held, __argv[2]);
        if (CloseClipboard() && (holds || tries == 500))
            return !holds;
    }
    Frame frame = {0, 0, 0, 100, 0, 0x182868, {"-", "-"}};
    FILE *film = __argv[3][0] == '@' ? fopen(__argv[3] + 1, "r") : nullptr;
    title = film ? "film" : title;
    while (film && fscanf(film, "%lx %lx %d %d %d %lx %7s %7s", &frame.upper, &frame.lower,
                          &frame.down, &frame.percent, &frame.milliseconds, &frame.board,
                          frame.leaving[0], frame.leaving[1]) == 8)
        frames.push_back(frame);
    for (int i = 3; !film && i + 1 < __argc; i += 2) // a scene: each pair in place until Space
        frame.upper = strtoul(__argv[i], 0, 16), frame.lower = strtoul(__argv[i + 1], 0, 16),
        frames.push_back(frame);
    WNDCLASSA sceneClass = {0, SceneProcedure, 0, 0, instance, 0, 0, 0, 0, "TessivoScene"};
    RegisterClassA(&sceneClass);
    HWND window = CreateWindowExA(WS_EX_TOPMOST, "TessivoScene", "scene", WS_POPUP | WS_VISIBLE,
                                  atoi(__argv[1]), atoi(__argv[2]), 50, 100, 0, 0, instance, 0);
    Show(window, 0);
    for (MSG message; GetMessageA(&message, nullptr, 0, 0) > 0;)
        DispatchMessageA(&message);
    return 0;
}
