// Dialog units to pixels with the dialog manager's rounding.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "form/FormLayout.h"
#include "layout/DialogUnits.h"

namespace qelvar {
namespace {

constexpr DialogBaseUnits kSong9At96Dpi{6, 12};  // 宋体 9 pt: 6 x 12 pixels

TEST(DialogUnits, BaseUnitsRoundTheAverageLetterWidth) {
    EXPECT_EQ(BaseUnitsFromMetrics(312, 12), (DialogBaseUnits{6, 12}));  // 52 letters of 6 px
    EXPECT_EQ(BaseUnitsFromMetrics(285, 13), (DialogBaseUnits{5, 13}));  // 5.48 px rounds down
    EXPECT_EQ(BaseUnitsFromMetrics(286, 13), (DialogBaseUnits{6, 13}));  // 5.5 px rounds up
}

TEST(DialogUnits, EdgesRoundHalfAwayFromZero) {
    struct Case {
        DuRect du;
        DialogBaseUnits base;
        PixelRect px;
    } const cases[] = {
        {{10, 13, 17, 8}, kSong9At96Dpi, {15, 20, 26, 12}},  // 19.5 -> 20, 40.5 -> 41, 31.5 -> 32
        {{0, 0, 162, 89}, kSong9At96Dpi, {0, 0, 243, 134}},  // the form's client area
        {{5, 8, 8, 17}, kSong9At96Dpi, {8, 12, 12, 26}},     // a star column
        {{1, 1, 1, 1}, {12, 24}, {3, 3, 3, 3}},              // twice the resolution
    };
    for (const Case& c : cases) EXPECT_EQ(ToPixels(c.du, c.base), c.px);
}

TEST(DialogUnits, AdjacentRectanglesStayAdjacent) {
    for (int x = 0; x < 40; ++x) {
        const PixelRect left = ToPixels({x, 0, 8, 8}, kSong9At96Dpi);
        const PixelRect right = ToPixels({x + 8, 0, 8, 8}, kSong9At96Dpi);
        EXPECT_EQ(left.x + left.w, right.x) << x;
    }
}

TEST(FormLayout, IdentifiersAreUniqueAndInsideTheirDialog) {
    for (const DialogTemplate* t : {&FormTemplate(), &AboutTemplate()}) {
        std::vector<int> ids;
        for (const ControlTemplate& c : t->controls) {
            if (c.id != kNoId) ids.push_back(c.id);
            EXPECT_LE(c.rect.x + c.rect.w, t->width) << t->id << " " << c.id;
            if (c.kind != ControlKind::kDropDownList) {
                EXPECT_LE(c.rect.y + c.rect.h, t->height) << t->id << " " << c.id;
            }
        }
        std::sort(ids.begin(), ids.end());
        EXPECT_EQ(std::adjacent_find(ids.begin(), ids.end()), ids.end()) << t->id;
    }
}

}  // namespace
}  // namespace qelvar
