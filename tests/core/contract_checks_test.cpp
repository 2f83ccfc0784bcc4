// Indexes are 1-based throughout (buttons, stages, pages); a caller that
// passes 0 has a bug that must stop the test build rather than read the field
// before the one meant.

#include <gtest/gtest.h>

#include "config/button_labels.h"
#include "config/config_block.h"
#include "config/settings_record.h"

namespace trv {
namespace {

TEST(ContractChecks, IndexZeroStopsATestBuildInsteadOfReadingAnotherField) {
#if defined(TRV_DEBUG_CHECKS)
    ButtonLabels labels;
    SettingsRecord record;
    ConfigBlock block;
    EXPECT_DEATH(labels.of(Mode::A, 0), "broken contract");
    EXPECT_DEATH(record.button(rec::kAssignType, Mode::B, 9), "broken contract");
    EXPECT_DEATH(block.page(0), "broken contract");
    EXPECT_EQ(labels.of(Mode::B, 8), u"");  // the ends of the range are fine
#else
    GTEST_SKIP() << "contract checks are compiled out of this build";
#endif
}

}  // namespace
}  // namespace trv
