#include "monitor_placement.h"

#include <windows.h>

#include <algorithm>

#include "frame_geometry.h"

bool BandFitsAbove(const CaptureRegion &region, int dpi) {
    RECT inside = {region.x, region.y, region.x + region.width, region.y + region.height};
    MONITORINFO monitor = {};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromRect(&inside, MONITOR_DEFAULTTONEAREST), &monitor);
    const LONG left = std::max(inside.left, monitor.rcMonitor.left),
               right = std::min(inside.right, monitor.rcMonitor.right);
    const POINT edge = {(left + right) / 2, region.y - ScaleLength(FrameTop, dpi)};
    return MonitorFromPoint(edge, MONITOR_DEFAULTTONULL) != nullptr;
}

bool BringOntoMainMonitor(CaptureRegion &region) {
    const RECT inside = {region.x, region.y, region.x + region.width, region.y + region.height};
    if (MonitorFromRect(&inside, MONITOR_DEFAULTTONULL))
        return false;
    MONITORINFO main = {};
    main.cbSize = sizeof main;
    GetMonitorInfoW(MonitorFromPoint({0, 0}, MONITOR_DEFAULTTOPRIMARY), &main);
    const RECT &screen = main.rcMonitor;
    region.x = (screen.left + screen.right - region.width) / 2;
    region.y = (screen.top + screen.bottom - region.height) / 2;
    return true;
}
