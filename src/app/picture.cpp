#include "app/picture.h"

#include "app/reference_menu.h"
#include "app/surface.h"
#include "app/texts.h"
#include "app/wide_text.h"
#include "recognition/classify.h"
#include "recognition/pixel_hue.h"
#include "record/record_view.h"
#include "tessivo.h"

void FillBackground(HWND window, HDC target) {
    RECT client;
    GetClientRect(window, &client);
    HBRUSH brush = CreateSolidBrush(BackgroundColour);
    FillRect(target, &client, brush);
    DeleteObject(brush);
}

// "AUTO" right of the three views while auto capture is on.
static void DrawAutoMark(int x, int y) {
    HGDIOBJ oldFont = SelectObject(backBuffer.dc, InterfaceFont());
    SetBkMode(backBuffer.dc, TRANSPARENT);
    SetTextColor(backBuffer.dc, AutoMarkColour);
    TextOutW(backBuffer.dc, x, y, L"AUTO", 4);
    SelectObject(backBuffer.dc, oldFont);
}

// Below the mark, each cell's hue; beside it the five references, each right of a swatch of
// its class colour, red at the top.
static void DrawHues(int x) {
    HGDIOBJ oldFont = SelectObject(backBuffer.dc, InterfaceFont());
    SetBkMode(backBuffer.dc, TRANSPARENT);
    SetTextColor(backBuffer.dc, 0);
    for (int cell = 0; cell < 2; ++cell) {
        std::wstring text = Say(cell ? texts->lowerHue : texts->upperHue) + L" " +
                            (cellHues[cell] < 0 ? L"-" : std::to_wstring(cellHues[cell]));
        TextOutW(backBuffer.dc, x, 24 + 16 * cell, text.c_str(), (int)text.size());
    }
    for (BlobColour colour = ColourRed; colour <= ColourPurple; ++colour) {
        int y = 5 + 16 * (colour - 1);
        RECT swatch = {x + 80, y + 2, x + 90, y + 12};
        HBRUSH brush = CreateSolidBrush(ClassColour(colour));
        FillRect(backBuffer.dc, &swatch, brush);
        DeleteObject(brush);
        std::wstring text = std::to_wstring(ReferenceHue(colour));
        TextOutW(backBuffer.dc, x + 94, y, text.c_str(), (int)text.size());
    }
    SelectObject(backBuffer.dc, oldFont);
}

void ComposePicture(HWND window, HDC windowDc) {
    // All three views take their place and size from the sample's.
    int w = captureSurface.width;
    int h = captureSurface.height;
    FillBackground(window, backBuffer.dc);
    BitBlt(backBuffer.dc, 5, 5, w, h, captureSurface.dc, 0, 0, SRCCOPY);
    BitBlt(backBuffer.dc, w + 10, 5, w, h, hueView.dc, 0, 0, SRCCOPY);
    BitBlt(backBuffer.dc, 2 * w + 15, 5, w, h, classView.dc, 0, 0, SRCCOPY);
    if (settings.autoCapture)
        DrawAutoMark(3 * w + 20, 5);
    DrawHues(3 * w + 20);
    DrawMoveRecord(window);
    // One transfer to the window; the platform clips it to the client area.
    BitBlt(windowDc, 0, PictureTop, backBuffer.width, backBuffer.height, backBuffer.dc, 0, 0,
           SRCCOPY);
}
