// The message of a start that failed: the call, the system's reason and the
// number, in the language str.ini names.

#include "app/start_failure.h"

#include <gtest/gtest.h>

namespace trv {
namespace {

TEST(StartFailure, NamesTheCallTheSystemsReasonAndTheErrorNumber) {
    const StartFailure failure =
        systemStartFailure(u"RegisterClassW", 1410, u"Class already exists.\r\n");
    EXPECT_EQ(startFailureText(Language::English, failure),
              u"TRV418 could not start.\nFailed call: RegisterClassW\nClass already exists.\n"
              u"Error code: 1410");
    EXPECT_EQ(startFailureText(Language::Bulgarian, failure),
              u"TRV418 не може да стартира.\nНеуспешно извикване: RegisterClassW\n"
              u"Class already exists.\nКод на грешка: 1410");
    // A call that set no error number gives no reason rather than "success".
    EXPECT_EQ(startFailureText(Language::SimplifiedChinese,
                               systemStartFailure(u"CreateDialogParamW", 0,
                                                  u"The operation completed successfully.")),
              u"程序无法启动。\n失败的调用： CreateDialogParamW\n错误代码： 0");
}

TEST(StartFailure, GdiplusIsReportedByItsStatus) {
    EXPECT_EQ(startFailureText(Language::English, gdiplusStartFailure(17)),
              u"TRV418 could not start.\nFailed call: GdiplusStartup\nUnsupportedGdiplusVersion\n"
              u"Error code: 17");
    EXPECT_EQ(gdiplusStartFailure(3).reason, u"OutOfMemory");
    EXPECT_EQ(gdiplusStartFailure(22), (StartFailure{u"GdiplusStartup", u"", u"22"}));
    EXPECT_EQ(gdiplusStartFailure(-1).number, u"-1");
}

}  // namespace
}  // namespace trv
