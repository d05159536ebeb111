// e2e_scene.exe X Y UPPER LOWER [UPPER LOWER ...] (RRGGBB): the game's stand-in for the end-to-end
// tests, a topmost 50 x 100 window at X, Y, a pair's upper blob over its lower; Space: next pair.
#include <windows.h>

static int shownPair;

// Everything drawn follows from shownPair, so a transition between pairs changes only this.
static void Paint(HWND window) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    for (int half = 0; half < 2; ++half) {
        unsigned long rgb = strtoul(__argv[3 + 2 * shownPair + half], nullptr, 16);
        SetDCBrushColor(dc, RGB(rgb >> 16, rgb >> 8 & 255, rgb & 255));
        RECT blob = {0, 50 * half, 50, 50 * half + 50};
        FillRect(dc, &blob, (HBRUSH)GetStockObject(DC_BRUSH));
    }
    EndPaint(window, &paint);
}

static LRESULT CALLBACK SceneProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_KEYDOWN && wParam == VK_SPACE) {
        shownPair = (shownPair + 1) % ((__argc - 3) / 2);
        InvalidateRect(window, nullptr, FALSE);
    }
    if (message != WM_PAINT)
        return DefWindowProcA(window, message, wParam, lParam);
    Paint(window);
    return 0;
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    WNDCLASSA sceneClass = {0, SceneProcedure, 0, 0, instance, 0, 0, 0, 0, "TessivoScene"};
    RegisterClassA(&sceneClass);
    CreateWindowExA(WS_EX_TOPMOST, "TessivoScene", "scene", WS_POPUP | WS_VISIBLE, atoi(__argv[1]),
                    atoi(__argv[2]), 50, 100, nullptr, nullptr, instance, nullptr);
    for (MSG message; GetMessageA(&message, nullptr, 0, 0) > 0;)
        DispatchMessageA(&message);
    return 0;
}
