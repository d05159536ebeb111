// e2e_scene.exe X Y FILM TITLE (or: clip TEXT): the game's stand-in, topmost, 50 x 100 at X, Y,
// titled "TITLE 2" at frame 2 of the film: a line a frame, UPPER LOWER (RRGGBB), how far down (100:
// out of sight), percent, milliseconds (0: until Space), board, the pair leaving (0 0: none). FILM
// "game": game_box.h's game in both boxes, 50 x 180, the second 35 x 70 at (7, 110), 30 ms a frame.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "../game_box.h"

struct Frame {
    uint32_t blobs[4]; // the pair, upper then lower, and the pair leaving
    int down, percent, milliseconds;
    uint32_t board;
    BoxFrame boxes[2]; // the game's: both boxes, count 0 in the next: the film's own box
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
    for (int at = 0; at < 2 && (at == 0 || frame.board == 0); ++at) { // the second: a game's
        const BoxFrame &game = frame.boxes[at];
        if (frame.board == 0)
            PaintBox(box, game.blobs, game.count, game.down, 100, 0x182868);
        else
            PaintBox(box, frame.blobs, frame.blobs[2] ? 4 : 2, frame.down, frame.percent,
                     frame.board);
        StretchDIBits(dc, 7 * at, 110 * at, 50 - 15 * at, 100 - 30 * at, 0, 0, 50, 100, box,
                      (BITMAPINFO *)&bits, DIB_RGB_COLORS, SRCCOPY);
    }
    EndPaint(window, &paint);
    return 0;
}

// The game's frames after the board that waits for Space.
static void PlayTheGame() {
    std::string steps, marked, plain;
    PlayedGame(steps, marked, plain);
    frames.push_back(Frame{});
    for (const std::vector<BoxFrame> &boxes : PlayGame(steps, skin)) {
        Frame frame = {{}, 0, 0, 30, 0, {boxes[0], boxes[1]}};
        frames.push_back(frame);
    }
    frames.back().milliseconds = 0;
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    for (int tries = 0; !strcmp(__argv[1], "clip"); ++tries, Sleep(20)) { // clip TEXT: 0 once
        OpenClipboard(nullptr); // Wine's clipboard holds TEXT, taken from X; 1 after 10 s
        const char *held = (const char *)GlobalLock(GetClipboardData(CF_TEXT));
        const bool holds = held && strstr(held, __argv[2]);
        if (CloseClipboard() && (holds || tries == 500))
            return !holds;
    }
    Frame frame = {};
    const bool game = !strcmp(__argv[3], "game");
    FILE *film = game ? nullptr : fopen(__argv[3], "r");
    while (film && fscanf(film, "%x %x %d %d %d %x %x %x", &frame.blobs[0], &frame.blobs[1],
                          &frame.down, &frame.percent, &frame.milliseconds, &frame.board,
                          &frame.blobs[2], &frame.blobs[3]) == 8)
        frames.push_back(frame);
    if (game)
        PlayTheGame();
    title = __argv[4];
    WNDCLASSA sceneClass = {0, SceneProcedure, 0, 0, instance, 0, 0, 0, 0, "TessivoScene"};
    RegisterClassA(&sceneClass);
    HWND window =
        CreateWindowExA(WS_EX_TOPMOST, "TessivoScene", "scene", WS_POPUP | WS_VISIBLE,
                        atoi(__argv[1]), atoi(__argv[2]), 50, game ? 180 : 100, 0, 0, instance, 0);
    Show(window, 0);
    for (MSG message; GetMessageA(&message, nullptr, 0, 0) > 0;)
        DispatchMessageA(&message);
    return 0;
}
