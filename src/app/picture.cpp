#include "app/picture.h"

#include "app/reference_menu.h"
#include "app/sampling.h"
#include "app/texts.h"
#include "recognition/classify.h"
#include "recognition/pixel_hue.h"
#include "record/move_record.h"
#include "record/record_view.h"
#include "surface.h"
#include "tessivo.h"
#include "text_slots.h"
#include "display_scale.h"

void FillBackground(HWND window, HDC target) {
    RECT client;
    GetClientRect(window, &client);
    FillWithColour(target, client, BackgroundColour);
}

const int HuesWidth = 80;       // the column of the texts right of the views, left of the swatches
const int SecondViewLeft = 125; // the second box's sample, right of the references

// Texts right of the three views, at a place of the 100 % layout.
static void Write(int x, int y, const std::wstring &text, COLORREF ink = 0) {
    SetTextColor(backBuffer.dc, ink);
    TextOutW(backBuffer.dc, Scaled(x), Scaled(y), text.c_str(), (int)text.size());
}

// "AUTO" while auto capture is on; below it each cell's hue and the number of moves, which
// stays in sight however far the record runs, and what the middle and right views show; beside them
// the five references, each right of a swatch of its class colour, red at the top.
static void DrawHues(int x) {
    HGDIOBJ oldFont = SelectObject(backBuffer.dc, InterfaceFont(pictureDpi));
    SetBkMode(backBuffer.dc, TRANSPARENT);
    if (settings.autoCapture)
        Write(x, 5, L"AUTO", AutoMarkColour);
    for (int cell = 0; cell < 2; ++cell)
        Write(x, 24 + 16 * cell,
              Compose(texts->cellHues[cell],
                      {cellHues[cell] < 0 ? L"-" : std::to_wstring(cellHues[cell])}));
    const wchar_t *count = moveRecord.size() == 1 ? texts->oneMove : texts->moves;
    Write(x, 56, Compose(count, {std::to_wstring(moveRecord.size())}));
    const size_t marked = MarkedMoves(moveRecord);
    if (marked > 0)
        Write(x, 72, Compose(texts->marked, {std::to_wstring(marked)}));
    Write(x, 88, texts->lastCapture); // the sample view alone follows the region
    for (BlobColour colour = ColourRed; colour <= ColourPurple; ++colour) {
        int y = 5 + 16 * (colour - 1);
        RECT swatch = {Scaled(x + HuesWidth), Scaled(y + 2), Scaled(x + HuesWidth + 10),
                       Scaled(y + 12)};
        FillWithColour(backBuffer.dc, swatch, ClassColour(colour));
        Write(x + HuesWidth + 14, y, std::to_wstring(settings.hues[colour - 1]));
    }
    SelectObject(backBuffer.dc, oldFont);
}

// The record's first row, in the window's client pixels.
static int RecordTopInWindow() {
    return Scaled(PictureTop) + Scaled(RecordTop);
}

void ComposePicture(HWND window, HDC windowDc) {
    // All three views take their place and size from the sample's, each magnified to the
    // display's scale: every pixel of the sample a square of whole pixels or nearly so.
    int w = captureSurface.width;
    int h = captureSurface.height;
    FillBackground(window, backBuffer.dc);
    const Surface *views[3] = {&captureSurface, &hueView, &classView};
    for (int view = 0; view < 3; ++view)
        StretchBlt(backBuffer.dc, ViewLeft(view, w), Scaled(ViewGap), Scaled(w), Scaled(h),
                   views[view]->dc, 0, 0, w, h, SRCCOPY);
    const int x = 3 * w + 4 * ViewGap; // right of the views
    DrawHues(x);
    if (SecondBoxSet()) // small, right of the references: the player sees the box is placed
        StretchBlt(backBuffer.dc, Scaled(x + SecondViewLeft), Scaled(ViewGap), Scaled(w / 2),
                   Scaled(h / 2), secondSurface.dc, 0, 0, secondSurface.width, secondSurface.height,
                   SRCCOPY);
    // The record only where the paint reaches it: a new sample's paint leaves it as it stands.
    RECT painted;
    if (GetClipBox(windowDc, &painted) == ERROR || painted.bottom > RecordTopInWindow())
        DrawMoveRecord(window);
    // One transfer to the window; the platform clips it to the client area.
    BitBlt(windowDc, 0, Scaled(PictureTop), backBuffer.width, backBuffer.height, backBuffer.dc, 0,
           0, SRCCOPY);
}

// Only the picture below the button row: the buttons never change with it, and repainting them
// 40 times a second cost more than the rest of an idle tick.
void RepaintPicture(HWND window) {
    RECT picture;
    GetClientRect(window, &picture);
    picture.top = Scaled(PictureTop);
    InvalidateRect(window, &picture, FALSE);
}

// From the sample's view to the references' swatches, the height of the views; with the second
// box, to the right of its sample.
void RepaintSample(HWND window) {
    const int w = captureSurface.width, top = Scaled(PictureTop) + Scaled(ViewGap);
    const int right = SecondBoxSet() ? SecondViewLeft + w / 2 : HuesWidth;
    RECT sample = {ViewLeft(0, w), top, Scaled(3 * w + 4 * ViewGap + right),
                   top + Scaled(captureSurface.height)};
    InvalidateRect(window, &sample, FALSE);
}
