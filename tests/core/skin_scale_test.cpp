#include "ui/skin_scale.h"

#include <gtest/gtest.h>

#include <set>

namespace trv::ui {
namespace {

int chosen(int dpi, std::set<int> sets) {
    return chooseImageSet(dpi, [&](int scale) { return sets.count(scale) != 0; });
}

const std::set<int> kAllSets{100, 125, 150, 175, 200};

TEST(SkinScale, AFullSkinDrawsFromTheSetAtOrNearestAboveTheDisplay) {
    EXPECT_EQ(chosen(96, kAllSets), 100);
    EXPECT_EQ(chosen(120, kAllSets), 125);
    EXPECT_EQ(chosen(134, kAllSets), 150);  // 140 %
    EXPECT_EQ(chosen(144, kAllSets), 150);
    EXPECT_EQ(chosen(145, kAllSets), 175);  // just above 150 %
    EXPECT_EQ(chosen(192, kAllSets), 200);
    EXPECT_EQ(chosen(288, kAllSets), 200);  // 300 %: the largest, enlarged
    EXPECT_EQ(chosen(72, kAllSets), 100);   // below 100 %: drawn down
}

TEST(SkinScale, AUserSkinWithFewerSetsUsesTheNextLargerOrElseEnlargesTheLargestSmaller) {
    EXPECT_EQ(chosen(144, {100}), 100);
    EXPECT_EQ(chosen(144, {100, 200}), 200);
    EXPECT_EQ(chosen(168, {100, 125, 150}), 150);
    EXPECT_EQ(chosen(144, {}), 100);  // nothing there: the base name, which then fails to load
}

TEST(SkinScale, ASetsImagesLieInItsAtSubfolder) {
    EXPECT_EQ(imageSetFolder(100), u"");
    EXPECT_EQ(imageSetFolder(150), u"/@150");
    EXPECT_EQ(imageSetFolder(200) + u"/main.png", u"/@200/main.png");
}

}  // namespace
}  // namespace trv::ui
