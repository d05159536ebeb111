// Brimlet as a process: its frame at the screen's corners, and the fit onto a game's pair.
#include "helpers.h"
#include "second_frame.h"

// Brimlet alone at each screen corner: its band on the screen (below the region at the top), the
// top-left one moved by arrows; a region on no monitor brought, second box along, told, unsaved.
TEST(Brimlet, BandWithinReachAtEveryCornerAndARegionOnNoMonitorBroughtToTheMain) {
    ASSERT_NE(Tessivo(), nullptr); // its mailslot takes Brimlet's records
    const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
    const int grip = MulDiv(9, GetDpiForSystem(), 96); // the band's middle, from the region's edge
    const POINT rows[] = {{0, 0}, {w - 50, 0}, {0, h - 100}, {w - 50, h - 100}, {-9000, 40}};
    const std::wstring brought =
        L"The saved region lay on no screen: it was moved to the middle of the main screen";
    for (const POINT &row : rows) {
        const bool lost = row.x < 0; // brought to the middle, its second box along
        const std::string ini =
            "[REGION]\r\nX=" + std::to_string(row.x) + "\r\nY=" + std::to_string(row.y) +
            (lost ? "\r\n[REGION2]\r\nX=-8990\r\nY=150\r\nW=35\r\nH=70\r\n" : "\r\n");
        const POINT at = lost ? POINT{(w - 50) / 2, (h - 100) / 2} : row;
        const CaptureRegion second =
            lost ? CaptureRegion{at.x + 10, at.y + 110, 35, 70} : CaptureRegion{};
        WorkIn(&ini);
        const Program process(brimletFileName);
        HWND label = WindowOf(L"RegionLabel", process.dwProcessId);
        HWND frame = WindowOf(brimletClassName, process.dwProcessId);
        for (int moved = 0; moved < 1 + (&row == rows); ++moved) {
            const CaptureRegion sent = {at.x + 100 * moved, at.y + 100 * moved, 50, 100};
            const bool below = row.y == 0 && !moved;
            const POINT band = {sent.x + 25, below ? sent.y + 100 + grip : sent.y - grip};
            const std::wstring numbers =
                std::to_wstring(sent.x) + L", " + std::to_wstring(sent.y) + L", 50 x 100";
            EXPECT_TRUE(Eventually([&] { // the record sent, the band's orange, the label shown
                HDC screen = GetDC(nullptr);
                const COLORREF pixel = GetPixel(screen, band.x, band.y);
                ReleaseDC(nullptr, screen);
                RECT at;
                GetWindowRect(label, &at);
                PollRegionLink();
                return !memcmp(&settings.region, &sent, 16) && pixel == RGB(255, 128, 0) &&
                       !memcmp(&settings.secondRegion, &second, 16) && at.left >= 0 &&
                       at.top >= 0 && at.right <= w && at.bottom <= h &&
                       std::min(std::abs(at.top - sent.y - 100 - (below ? 2 * grip : grip / 2)),
                                std::abs(at.bottom - sent.y + (below ? grip / 2 : 2 * grip))) <=
                           grip / 2 && // beside the frame as it shows, band and all
                       TextOf(label) == (!lost || moved ? numbers : brought);
            })) << row.x
                << ", " << row.y << (moved ? " moved" : "");
            for (int key = 0; key < 200 && &row == rows && !moved; ++key) // the arrows: by 100
                PostMessageW(frame, WM_KEYDOWN, key % 2 ? VK_RIGHT : VK_DOWN, 0);
        }
        PostMessageW(frame, WM_CLOSE, 0, 0);
        EXPECT_TRUE(process.Ended());
        EXPECT_EQ(FileText("setting.ini"), ini);
    }
}

// Brimlet's frame round Tessivo's picture of a pair, a game's screen at 1.5x beside: F fits the
// game's pair, which Tessivo captures, and a second frame on the second box, which it copies; Tab
// and arrows, a drag move it, each sent; Enter saves both, Ctrl+Z undoes the fit; F off the game
// told; the close box.
TEST(Fit, FOntoTheNearestPairAndTheSecondBoxMovedSentSavedUndoneByCtrlZAndNoPairTold) {
    std::thread painter([] { // a program of its own: it paints whenever it is uncovered
        const std::vector<uint32_t> screen = PaintScreen(75, 0x202030, 2, true, true);
        HWND shown = CreateWindowExW(WS_EX_TOPMOST, L"Static", L"", WS_POPUP | SS_BITMAP, 100, 50,
                                     750, 825, nullptr, nullptr, nullptr, nullptr);
        SendMessageW(shown, STM_SETIMAGE, IMAGE_BITMAP,
                     (LPARAM)CreateBitmap(750, 825, 1, 32, screen.data()));
        ShowWindow(shown, SW_SHOWNOACTIVATE);
        for (MSG message; GetMessageW(&message, nullptr, 0, 0) > 0;)
            DispatchMessageW(&message);
    });
    HWND game = WindowOf(L"Static", GetCurrentProcessId());
    SetWindowPos(Tessivo(), HWND_TOPMOST, 790, 250, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
    const uint32_t pair[] = {0x30C040, 0xB040D0}; // green over purple, in Tessivo's picture
    PaintBox((uint32_t *)captureSurface.bits, pair, 2, 0, 100, 0x202030);
    RedrawWindow(Tessivo(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 0, QS_ALLINPUT); // Wine shows it when we wait
    const std::string ini = "[REGION]\r\nX=795\r\nY=290\r\nW=110\r\nH=200"; // English here
    WorkIn(&ini);
    const Program process(brimletFileName);
    HWND frame = WindowOf(brimletClassName, process.dwProcessId);
    auto at = [&](CaptureRegion to, CaptureRegion second = {}) { // the last records'
        PollRegionLink();
        return !memcmp(&settings.region, &to, 16) && !memcmp(&settings.secondRegion, &second, 16);
    };
    auto keys = [&](const std::string &row) { // each done when sent; > the right arrow
        for (char key : row)
            SendMessageW(frame, WM_KEYDOWN, key == '>' ? VK_RIGHT : key, 0);
    };
    keys("F");
    EXPECT_TRUE(Eventually([&] { return at({700, 275, 75, 150}, {711, 470, 53, 106}); }));
    SendMessageW(Tessivo(), WM_TIMER, SamplingTimerId, 0); // the second box copied: yellow, green
    const BlobPair ahead = RecognisePair(secondSurface);
    EXPECT_EQ(ahead.upper * 10 + ahead.lower, 42);
    HWND second = WindowOf(secondFrameClassName, process.dwProcessId);
    keys("\t>>>>>"); // the second frame moved by 5, then as a drag ends: from 713, 440 by 20, 30
    SetWindowPos(second, nullptr, 733, 470, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    keys("\r"); // both sent, both saved
    HWND label = WindowOf(L"RegionLabel", process.dwProcessId);
    EXPECT_TRUE(Eventually([&] {
        return at({700, 275, 75, 150}, {736, 500, 53, 106}) &&
               TextOf(label).rfind(L"Saved: ", 0) == 0;
    }));
    EXPECT_EQ(FileText("setting.ini"),
              "[REGION]\r\nX=700\r\nY=275\r\nW=75\r\nH=150\r\n[REGION2]\r\n"
              "X=736\r\nY=500\r\nW=53\r\nH=106\r\n");
    SendMessageW(Tessivo(), WM_TIMER, SamplingTimerId, 0);
    SendMessageW(Tessivo(), WM_COMMAND, CmdCapture, 0);
    EXPECT_EQ(moveRecord.back().upper * 10 + moveRecord.back().lower, 25); // green, purple
    SetForegroundWindow(frame);
    EXPECT_TRUE(Eventually([&] { return GetForegroundWindow() == frame; }));
    Press({VK_CONTROL, 'Z', -'Z', -VK_CONTROL});
    EXPECT_TRUE(Eventually([&] { return at({795, 290, 110, 200}) && !IsWindowVisible(second); }));
    keys(std::string(100, '>') + "F"); // off the game by the arrow key
    EXPECT_TRUE(Eventually([&] { return TextOf(label) == L"No pair found near the frame"; }));
    SetCursorPos(1000, 285); // the close box, at the band's end over the region's corner
    mouse_event(MOUSEEVENTF_LEFTDOWN | MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
    PostMessageW(game, WM_QUIT, 0, 0);
    painter.join();
    EXPECT_TRUE(process.Ended());
}
