#include "app/menu_point.h"

POINT MenuPoint(HWND window, LPARAM where, POINT &client) {
    POINT point = {(short)LOWORD(where), (short)HIWORD(where)};
    if (where == -1)
        GetCursorPos(&point);
    client = point;
    ScreenToClient(window, &client);
    return point;
}
