#include "app/tray_click.h"

#include <gtest/gtest.h>

namespace trv {
namespace {

TEST(TrayClick, WithoutMouseOnlyWarnsAndKeepsTheCancelMark) {
    bool cancel = true;
    TrayClickPlan plan = planTrayClick(false, cancel, PageState::Shown, true);
    EXPECT_EQ(plan, (TrayClickPlan{.warnMouseMissing = true}));
    EXPECT_TRUE(cancel);
}

TEST(TrayClick, AfterCancelRebuildsABuiltPageOnceThenJustShows) {
    bool cancel = true;
    EXPECT_EQ(planTrayClick(true, cancel, PageState::Shown, true),
              (TrayClickPlan{.rebuildAfterCancel = true, .show = true}));
    EXPECT_FALSE(cancel);
    EXPECT_EQ(planTrayClick(true, cancel, PageState::Shown, true), (TrayClickPlan{.show = true}));
}

TEST(TrayClick, PageMissingAtStartIsBuiltByTheFirstClickWithTheMouse) {
    bool cancel = false;
    EXPECT_EQ(planTrayClick(true, cancel, PageState::NotBuilt, false),
              (TrayClickPlan{.firstBuild = true, .show = true}));
}

TEST(TrayClick, CancelMarkWithoutABuiltPageRebuildsNothing) {
    bool cancel = true;
    EXPECT_EQ(planTrayClick(true, cancel, PageState::NotBuilt, true),
              (TrayClickPlan{.show = true}));
    EXPECT_FALSE(cancel);
}

}  // namespace
}  // namespace trv
