#include "lang/text_table.h"

#include <array>

namespace trv {

namespace {

struct TextRow {
    TextId id;
    std::u16string_view english;
};

constexpr std::array<TextRow, static_cast<std::size_t>(TextId::Count)> kRows{{
    {TextId::Ok, u"OK"},
    {TextId::Apply, u"Apply"},
    {TextId::Cancel, u"Cancel"},
    {TextId::Default, u"Default"},
    {TextId::LeftClick, u"Left Click"},
    {TextId::RightClick, u"Right Click"},
    {TextId::MidClick, u"Mid Click"},
    {TextId::Forward, u"Forward"},
    {TextId::Backward, u"Backward"},
    {TextId::DpiSwitch, u"DPI Switch"},
    {TextId::Shift, u"Shift"},
    {TextId::Windows, u"Windows"},
    {TextId::Multimedia, u"Multimedia"},
    {TextId::HotKey, u"HotKey"},
    {TextId::FireKey, u"Fire Key"},
    {TextId::SingleKey, u"Single Key"},
    {TextId::SnipeKey, u"Snipe Key"},
    {TextId::KeyOff, u"Key Off"},
    {TextId::LButtonSuffix, u"-L-Button"},
    {TextId::LeftKeyMustBeSelected, u"Left key must be selected!"},
    {TextId::ReportRateSetting, u"Report Rate Setting"},
    {TextId::DpiSetting, u"DPI Setting"},
    {TextId::DpiEffect, u"DPI Effect"},
    {TextId::Mode, u"Mode"},
    {TextId::Parameter, u"Parameter"},
    {TextId::Effect, u"Effect"},
    {TextId::OffMode, u"Off Mode"},
    {TextId::StandardMode, u"Standard Mode"},
    {TextId::RespirationMode, u"Respiration Mode"},
    {TextId::NeonMode, u"Neon Mode"},
    {TextId::NonDisolay, u"Non-Disolay"},
    {TextId::RgbEffect, u"RGB Effect"},
    {TextId::RgbFlash, u"RGB Flash"},
    {TextId::RgbFixedOn, u"RGB Fixed On"},
    {TextId::MouseSpeed, u"Mouse Speed"},
    {TextId::ScrollingSpeed, u"Scrolling Speed"},
    {TextId::DoubleClickSpeed, u"Double-Click Speed"},
    {TextId::EnhancePointerPrecision, u"Enhance Pointer Precision"},
    {TextId::ScrollOneScreen, u"Scroll One Screen"},
    {TextId::WebLink, u"https://www.example.com/trv418"},
    {TextId::ReportRate1000, u"Switch report rate into 1000HZ"},
    {TextId::ReportRate500, u"Switch report rate into 500HZ"},
    {TextId::ReportRate250, u"Switch report rate into 250HZ"},
    {TextId::ReportRate125, u"Switch report rate into 125HZ"},
    {TextId::DpiStage1, u"Switch DPI into the first stage "},
    {TextId::DpiStage2, u"Switch DPI into the second stage "},
    {TextId::DpiStage3, u"Switch DPI into the third stage "},
    {TextId::DpiStage4, u"Switch DPI into the fourth stage "},
    {TextId::KeyMatrix1, u"Switch to key matrix 1"},
    {TextId::KeyMatrix2, u"Switch to key matrix 2"},
    {TextId::MacroKey, u"Switch to macro key"},
    {TextId::MouseDetected, u"The system detect the gaming mouse."},
    {TextId::MouseNotDetected, u"The system did not detect the gaming mouse!"},
    {TextId::Exit, u"Exit"},
    {TextId::SettingsSection, u"Setting-EN"},
}};

constexpr bool rowsInIdOrder() {
    for (std::size_t i = 0; i < kRows.size(); ++i) {
        if (static_cast<std::size_t>(kRows[i].id) != i) return false;
    }
    return true;
}
static_assert(rowsInIdOrder(), "a row per id, in id order");

}  // namespace

Language languageFromCode(std::u16string_view code) {
    if (code == u"CHS") return Language::SimplifiedChinese;
    if (code == u"CHT") return Language::TraditionalChinese;
    if (code == u"BUL") return Language::Bulgarian;
    return Language::English;
}

std::u16string_view text(Language /*language*/, TextId id) {
    return kRows[static_cast<std::size_t>(id)].english;
}

}  // namespace trv
