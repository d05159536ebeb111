// The real main window with a 10,000-pair record, shrunk to its smallest and grown
// to 1200 x 400 and through the sizes between: every paint finishes, the window
// answers, and the pairs that can be seen are drawn where they belong.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "app/main_window.h"
#include "app/surface.h"
#include "app/window_procedure.h"
#include "tessivo.h"
#include "win_test_support.h"

namespace {

HWND mainWindow;
const COLORREF Marker = 0x123456; // put into backBuffer before each paint

// Every colour on either side, and codes outside 1..5 (white discs) now and then.
BlobPair PairAt(size_t i) {
    BlobColour lower = (BlobColour)(1 + i % 5), upper = (BlobColour)(1 + i / 5 % 5);
    if (i % 13 == 12)
        lower = 0;
    if (i % 17 == 16)
        upper = 6;
    return {lower, upper};
}

COLORREF DiscFill(BlobColour colour) {
    const COLORREF fills[] = {0x0000FF, 0x00FF00, 0xFF0000, 0x00FFFF, 0xC800C8};
    return colour >= 1 && colour <= 5 ? fills[colour - 1] : 0xFFFFFF;
}

struct Checked {
    int discs;   // disc middles that lie in the visible part, all checked
    int wrong;   // of these, not in their colour
    size_t last; // the last pair checked
};

// The visible part of backBuffer is the client area less the button row. Pair i
// sits in column i mod n, row i / n, n = (client width - 5) / 20, at least 1.
Checked CheckVisibleDiscs(const RECT &client) {
    Checked checked = {0, 0, 0};
    const int perRow = std::max(1, (int)(client.right - 5) / 20);
    const int visibleRight = std::min<int>(client.right, 1200);
    const int visibleBottom = std::min<int>(client.bottom - 20, 400);
    for (size_t i = 0; i < moveRecord.size(); ++i) {
        const int x = 5 + 20 * (int)(i % perRow) + 10;
        const int top = 110 + 40 * (int)(i / perRow);
        if (top + 10 >= visibleBottom)
            break;
        if (x >= visibleRight)
            continue;
        const BlobColour colours[2] = {moveRecord[i].upper, moveRecord[i].lower};
        for (int disc = 0; disc < 2; ++disc) {
            const int y = top + 10 + 20 * disc;
            if (y >= visibleBottom)
                continue;
            ++checked.discs;
            checked.wrong += GetPixel(backBuffer.dc, x, y) != DiscFill(colours[disc]);
            checked.last = i;
        }
    }
    return checked;
}

void FillBackBuffer(COLORREF colour) {
    RECT all = {0, 0, backBuffer.width, backBuffer.height};
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(backBuffer.dc, &all, brush);
    DeleteObject(brush);
}

class RobustWindow : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        mainWindow = CreateMainWindow(GetModuleHandleA(nullptr));
        ASSERT_NE(mainWindow, nullptr);
        // Only the paints asked for here run.
        KillTimer(mainWindow, SamplingTimerId);
        CountTicksAndPaints(mainWindow);
        moveRecord.clear();
        for (size_t i = 0; i < 10000; ++i)
            moveRecord.push_back(PairAt(i));
    }
};

TEST_F(RobustWindow, EverySizePaintsTheLongRecord) {
    struct Row {
        const char *name;
        int width, height; // outer size asked for
        int minimumDiscs;  // disc middles expected in the visible part at least
    };
    const Row rows[] = {
        // The platform holds the window to its smallest tracking size (under Wine
        // a client 104 pixels wide, four pairs a row, and no rows high).
        {"zero by zero gives the smallest the platform allows", 0, 0, 0},
        {"one by one", 1, 1, 0},
        {"narrow and tall", 1, 400, 40},
        {"wide and flat", 1200, 1, 0},
        {"the size at start", 360, 220, 40},
        {"half", 600, 300, 150},
        {"the largest the user can drag", 1200, 400, 600},
        {"larger than the largest is held to it", 3000, 2000, 600},
        {"back to the smallest", 0, 0, 0},
        {"and to the largest again", 1200, 400, 600},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        SetWindowPos(mainWindow, nullptr, 0, 0, row.width, row.height,
                     SWP_NOZORDER | SWP_NOMOVE | SWP_NOACTIVATE);
        RECT client;
        GetClientRect(mainWindow, &client);
        SCOPED_TRACE("client " + std::to_string(client.right) + " x " +
                     std::to_string(client.bottom));
        FillBackBuffer(Marker);
        const LONG before = countedPaints;
        RedrawWindow(mainWindow, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        PumpMessages(20);

        DWORD_PTR result;
        EXPECT_NE(SendMessageTimeoutA(mainWindow, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &result), 0);
        if (client.right > 0 && client.bottom > 0) {
            EXPECT_GT(countedPaints, before) << "no paint";
            EXPECT_EQ(GetPixel(backBuffer.dc, 0, 0), 0x888888u) << "no background";
        }
        const Checked checked = CheckVisibleDiscs(client);
        EXPECT_EQ(checked.wrong, 0) << "of " << checked.discs << " discs";
        EXPECT_GE(checked.discs, row.minimumDiscs);
    }
}

// What backBuffer holds reaches the window, shown 20 rows lower.
TEST_F(RobustWindow, TheLargestPictureReachesTheWindow) {
    SetWindowPos(mainWindow, nullptr, 0, 0, 1200, 400, SWP_NOZORDER | SWP_NOMOVE);
    RedrawWindow(mainWindow, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    RECT client;
    GetClientRect(mainWindow, &client);
    HDC dc = GetDC(mainWindow);
    int compared = 0, different = 0;
    for (int y = 110; y < client.bottom - 20; y += 7) {
        for (int x = 0; x < client.right; x += 13) {
            ++compared;
            different += GetPixel(dc, x, y + 20) != GetPixel(backBuffer.dc, x, y);
        }
    }
    ReleaseDC(mainWindow, dc);
    EXPECT_GT(compared, 1000);
    EXPECT_EQ(different, 0) << "of " << compared << " pixels";
}

TEST_F(RobustWindow, MinimisedAndRestoredItPaintsAgain) {
    SetWindowPos(mainWindow, nullptr, 0, 0, 360, 220, SWP_NOZORDER | SWP_NOMOVE);
    ShowWindow(mainWindow, SW_MINIMIZE);
    RedrawWindow(mainWindow, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    SendMessageA(mainWindow, WM_TIMER, SamplingTimerId, 0);
    PumpMessages(50);
    ShowWindow(mainWindow, SW_RESTORE);
    FillBackBuffer(Marker);
    const LONG before = countedPaints;
    RedrawWindow(mainWindow, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    PumpMessages(20);
    RECT client;
    GetClientRect(mainWindow, &client);
    EXPECT_GT(countedPaints, before);
    const Checked checked = CheckVisibleDiscs(client);
    EXPECT_GE(checked.discs, 20);
    EXPECT_EQ(checked.wrong, 0);
}

} // namespace
