#include "app/reference_menu.h"

#include <string>

#include "app/commands.h"
#include "app/menu_point.h"
#include "app/texts.h"
#include "app/warning_boxes.h"
#include "config/settings_file.h"
#include "recognition/blob_look.h"
#include "recognition/classify.h"
#include "recognition/pair_search.h"
#include "recognition/pair_watch.h"
#include "picture_layout.h"
#include "surface.h"
#include "text_slots.h"

int32_t cellHues[2] = {-1, -1};
int32_t capturedHues[2] = {-1, -1};

namespace {

// Two references this close on the circle share the pixels between them.
const int32_t CloseReferences = 20;

int32_t menuHue = -1; // the hue of the cell the menu was opened on

} // namespace

void ReadCellHues() {
    GdiFlush(); // the copy into the sample is done before its memory is read
    const uint32_t *pixels = static_cast<const uint32_t *>(captureSurface.bits);
    const int32_t w = captureSurface.width, h = captureSurface.height;
    // A cell that holds no blob has no hue to take: an empty box's board may be as coloured as one.
    // Asked only of a cell that a colour fills, as a dark or grey board does not.
    for (int cell = 0; cell < 2; ++cell)
        if (!pixels ||
            !CellHue(pixels, w, h, cell ? LowerCellArea(w, h) : UpperCellArea(w, h),
                     cellHues[cell]) ||
            !HalfHoldsBlob(pixels, w, h, cell))
            cellHues[cell] = -1;
}

void KeepCapturedHues() {
    capturedHues[0] = cellHues[0];
    capturedHues[1] = cellHues[1];
}

int32_t CellAt(int x, int y, int &view) {
    // The views as the picture shows them, magnified to the display's scale.
    const int w = captureSurface.width, h = captureSurface.height;
    const int top = Scaled(PictureTop + ViewGap), shownW = Scaled(w), shownH = Scaled(h);
    for (view = 0; view < 3; ++view) {
        int left = ViewLeft(view, w);
        if (x >= left && x < left + shownW && y >= top && y < top + shownH)
            return y < top + Scaled(h / 2) ? 0 : 1;
    }
    return -1;
}

bool OpenReferenceMenu(HWND window, LPARAM where) {
    POINT client;
    const POINT point = MenuPoint(window, where, client);
    int view = 0;
    int32_t cell = CellAt(client.x, client.y, view);
    if (cell < 0)
        return false;
    menuHue = view == 0 ? cellHues[cell] : capturedHues[cell]; // the hue of what the view shows
    HMENU menu = CreatePopupMenu();
    for (BlobColour colour = ColourRed; colour <= ColourPurple; ++colour)
        AppendMenuW(menu, MF_STRING, CmdSetReference + colour - 1, texts->colours[colour - 1]);
    TrackPopupMenu(menu, TPM_RIGHTBUTTON, point.x, point.y, 0, window, nullptr);
    DestroyMenu(menu);
    return true;
}

void SetReference(HWND window, BlobColour colour) {
    if (menuHue < 0) {
        Note(window, texts->noBlob);
        return;
    }
    settings.hues[colour - 1] = menuHue;
    std::wstring where, close;
    if (!SaveSettings({{"COLOR", {{referenceKeys[colour - 1], std::to_string(menuHue)}}}}, where))
        Warn(window, Compose(texts->notSaved, {where}));
    for (BlobColour other = ColourRed; other <= ColourPurple; ++other)
        if (other != colour && HueDistance(menuHue, settings.hues[other - 1]) <= CloseReferences)
            close += (close.empty() ? L"" : L"\n") +
                     Compose(texts->closeReferences,
                             {texts->colours[colour - 1], texts->colours[other - 1]});
    if (!close.empty())
        Note(window, close);
}
