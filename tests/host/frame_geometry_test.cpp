// Brimlet's frame without the platform. Rows: a region width x 60 at (100, 200) at a scale (125 %:
// 22.5 rounds up); its window, again round the region read back; the part shown, the close box
// (0 0 0 0: none), the title, the least size; points x y and what each grips.
#include <gtest/gtest.h>

#include <sstream>

#include "../../brimlet/frame_geometry.h"

static std::ostream &operator<<(std::ostream &out, const Edges &edges) {
    return out << edges.left << " " << edges.top << " " << edges.right << " " << edges.bottom;
}

TEST(FrameGeometry, PlacesAndGripsAtEveryScaleWithTheBandAboveOrBelow) {
    const char *grips[] = {"TopLeft", "Top",        "TopRight", "Left",        "Move",
                           "Right",   "BottomLeft", "Bottom",   "BottomRight", "Close"};
    const struct {
        const char *name;
        int dpi, width;
        bool bandBelow;
        const char *places, *grips;
    } rows[] = {
        {"100 %", 96, 50, false, "96 182 154 278, 0 0 58 82, 40 4 54 18, 4 0 40 18, 16 x 44",
         "0 0 TopLeft 10 2 TopLeft 20 2 Top 20 10 Move 45 10 Close 2 50 Left 57 81 BottomRight"},
        {"125 %", 120, 80, true, "95 177 185 283, 0 18 90 106, 67 83 85 101, 5 83 67 106, 18 x 54",
         "45 18 Top 89 50 Right 40 95 Move 70 90 Close 40 105 Bottom 89 105 BottomRight"},
        {"200 %, narrow", 192, 50, false, "92 164 158 296, 0 0 66 104, 0 0 0 0, 8 0 58 36, 24 x 80",
         "60 20 TopRight 55 20 Move 33 103 Bottom 3 60 Left"}};
    for (const auto &row : rows) {
        const Edges window = WindowAround({100, 200, row.width, 60}, row.dpi);
        const int width = window.right - window.left, height = window.bottom - window.top;
        const Edges shown = ShownFrame(width, height, row.bandBelow, row.dpi);
        Edges closeBox = {};
        FindCloseBox(shown, row.bandBelow, row.dpi, closeBox);
        std::ostringstream seen;
        seen << WindowAround(RegionInside(window, row.dpi), row.dpi) << ", " << shown << ", "
             << closeBox << ", " << TitleArea(shown, row.bandBelow, row.dpi) << ", "
             << MinimumWindowWidth(row.dpi) << " x " << MinimumWindowHeight(row.dpi);
        EXPECT_EQ(seen.str(), row.places) << row.name;
        std::istringstream points(row.grips);
        int x, y;
        for (std::string grip; points >> x >> y >> grip;)
            EXPECT_EQ(grips[HitFrame(x, y, width, height, row.bandBelow, row.dpi)], grip)
                << row.name << " at " << x << ", " << y;
    }
}
