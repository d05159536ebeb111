// The scene of the end-to-end tests: a topmost borderless 50 x 100 window that shows
// one pair of blobs as the game would, the upper blob over the lower one.
//
//   e2e_scene.exe X Y UPPER/LOWER [UPPER/LOWER ...]
//
// X, Y: the window's top-left corner on the screen. Each UPPER/LOWER names two of
// red, green, blue, yellow, purple. Space, N or the right arrow shows the next pair
// (after the last, the first again); Escape closes the window. The title names the
// pair shown ("scene 2/3 red/green"), so that the driver can wait for it.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

struct NamedColour {
    const char *name;
    COLORREF colour;
};

// Game-like colours, not pure ones; their hues (0, 127, 227, 54, 288 degrees) lie
// well inside the classes of the default reference hues.
static const NamedColour namedColours[] = {
    {"red", RGB(230, 40, 40)},     {"green", RGB(40, 200, 60)},   {"blue", RGB(40, 80, 230)},
    {"yellow", RGB(240, 220, 30)}, {"purple", RGB(170, 50, 200)},
};

struct ScenePair {
    int upper; // index into namedColours
    int lower;
};

const int SceneWidth = 50;
const int SceneHeight = 100;
const COLORREF BackdropColour = RGB(24, 24, 32);

static std::vector<ScenePair> scenePairs; // the pairs of the command line, in order
static size_t shownPair;                  // index of the pair on screen

static int FindColour(const char *name, size_t length) {
    for (int i = 0; i < (int)(sizeof namedColours / sizeof namedColours[0]); ++i)
        if (strlen(namedColours[i].name) == length &&
            strncmp(namedColours[i].name, name, length) == 0)
            return i;
    return -1;
}

// "upper/lower" into a pair; false when either name is unknown.
static bool ParsePair(const char *text, ScenePair &pair) {
    const char *slash = strchr(text, '/');
    if (!slash)
        return false;
    pair.upper = FindColour(text, (size_t)(slash - text));
    pair.lower = FindColour(slash + 1, strlen(slash + 1));
    return pair.upper >= 0 && pair.lower >= 0;
}

static void ShowPairTitle(HWND window) {
    const ScenePair &pair = scenePairs[shownPair];
    char title[64];
    snprintf(title, sizeof title, "scene %zu/%zu %s/%s", shownPair + 1, scenePairs.size(),
             namedColours[pair.upper].name, namedColours[pair.lower].name);
    SetWindowTextA(window, title);
}

static void FillDisc(HDC dc, int top, COLORREF colour) {
    HBRUSH brush = CreateSolidBrush(colour);
    HGDIOBJ oldBrush = SelectObject(dc, brush);
    HGDIOBJ oldPen = SelectObject(dc, GetStockObject(NULL_PEN));
    Ellipse(dc, 1, top + 1, SceneWidth, top + SceneHeight / 2);
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
    DeleteObject(brush);
}

static void Paint(HWND window) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    RECT whole = {0, 0, SceneWidth, SceneHeight};
    HBRUSH backdrop = CreateSolidBrush(BackdropColour);
    FillRect(dc, &whole, backdrop);
    DeleteObject(backdrop);
    const ScenePair &pair = scenePairs[shownPair];
    FillDisc(dc, 0, namedColours[pair.upper].colour);
    FillDisc(dc, SceneHeight / 2, namedColours[pair.lower].colour);
    EndPaint(window, &paint);
}

static void ShowNextPair(HWND window) {
    shownPair = (shownPair + 1) % scenePairs.size();
    ShowPairTitle(window);
    InvalidateRect(window, nullptr, FALSE);
}

static LRESULT CALLBACK SceneProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT:
        Paint(window);
        return 0;
    case WM_ERASEBKGND:
        return 1; // the paint covers every pixel
    case WM_KEYDOWN:
        if (wParam == VK_SPACE || wParam == 'N' || wParam == VK_RIGHT)
            ShowNextPair(window);
        else if (wParam == VK_ESCAPE)
            PostMessageA(window, WM_CLOSE, 0, 0);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    if (__argc < 4)
        return 2;
    int x = atoi(__argv[1]), y = atoi(__argv[2]);
    for (int i = 3; i < __argc; ++i) {
        ScenePair pair;
        if (!ParsePair(__argv[i], pair))
            return 2;
        scenePairs.push_back(pair);
    }
    WNDCLASSA sceneClass = {};
    sceneClass.lpfnWndProc = SceneProcedure;
    sceneClass.hInstance = instance;
    sceneClass.hCursor = LoadCursorA(nullptr, (LPCSTR)IDC_ARROW);
    sceneClass.lpszClassName = "TessivoScene";
    if (!RegisterClassA(&sceneClass))
        return 1;
    HWND window = CreateWindowExA(WS_EX_TOPMOST, "TessivoScene", "scene", WS_POPUP, x, y,
                                  SceneWidth, SceneHeight, nullptr, nullptr, instance, nullptr);
    if (!window)
        return 1;
    ShowPairTitle(window);
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}
