#include "lang/text_table.h"

#include <array>
#include <cstddef>
#include <string>
#include <utility>

namespace trv {

namespace {

constexpr std::size_t kLanguageCount = 4;

// One row per text, its four texts in the order of Language: English,
// Simplified Chinese, Traditional Chinese, Bulgarian.
struct TextRow {
    TextId id;
    std::array<std::u16string_view, kLanguageCount> texts;
};

// The Bulgarian DPI-stage rows carry no trailing blank, unlike the English
// ones; the level label follows the word directly.
constexpr std::array<TextRow, static_cast<std::size_t>(TextId::Count)> kRows{{
    {TextId::Ok, {u"OK", u"确定", u"確定", u"OK"}},
    {TextId::Apply, {u"Apply", u"应用", u"應用", u"Приложи"}},
    {TextId::Cancel, {u"Cancel", u"取消", u"取消", u"Отказ"}},
    {TextId::Default, {u"Default", u"按键恢复", u"按鍵恢復", u"По подразбиране"}},
    {TextId::LeftClick, {u"Left Click", u"左键", u"左鍵", u"Натискане на ляв бутон"}},
    {TextId::RightClick, {u"Right Click", u"右键", u"右鍵", u"Натискане на десен бутон"}},
    {TextId::MidClick, {u"Mid Click", u"中键", u"中鍵", u"Натискане на среден бутон"}},
    {TextId::Forward, {u"Forward", u"前进", u"前進", u"Навигация напред"}},
    {TextId::Backward, {u"Backward", u"后退", u"後退", u"Навигация назад"}},
    {TextId::DpiSwitch, {u"DPI Switch", u"DPI切换", u"DPI切換", u"Превключване на DPI"}},
    {TextId::Shift, {u"Shift", u"Shift", u"Shift", u"Бутон Shift"}},
    {TextId::Windows, {u"Windows", u"Windows", u"Windows", u"Бутон ‘’Windows"}},
    {TextId::Multimedia, {u"Multimedia", u"多媒体", u"多媒體", u"Мултимедийни функции"}},
    {TextId::HotKey, {u"HotKey", u"快捷键", u"快捷鍵", u"Клавишна комбинация"}},
    {TextId::FireKey, {u"Fire Key", u"火力键", u"火力鍵", u"Функционален бутон ‘’Fire"}},
    {TextId::SingleKey, {u"Single Key", u"单键", u"單鍵", u"Единичен клавиш"}},
    {TextId::SnipeKey, {u"Snipe Key", u"狙击", u"狙擊", u"утон за прицелване"}},
    {TextId::KeyOff, {u"Key Off", u"按键关闭", u"按鍵關閉", u"Бутон за изключване"}},
    {TextId::LButtonSuffix, {u"-L-Button", u"-L-Button", u"-L-Button", u"-L-Button"}},
    {TextId::LeftKeyMustBeSelected,
     {u"Left key must be selected!", u"左键功能必须选择！", u"左鍵功能必須選擇！",
      u"Трбва да бъде избран ляв бутон!"}},
    {TextId::ReportRateSetting,
     {u"Report Rate Setting", u"回报率设置", u"回報率設定", u"Настройка на честотата на отчитане"}},
    {TextId::DpiSetting, {u"DPI Setting", u"DPI设置", u"DPI設定", u"Настройка на DPI"}},
    {TextId::DpiEffect, {u"DPI Effect", u"DPI灯效", u"DPI燈效", u"Светлинни ефекти на DPI"}},
    {TextId::Mode, {u"Mode", u"模式", u"模式", u"Режим на светлината"}},
    {TextId::Parameter, {u"Parameter", u"参数", u"參數", u"Параметър на режима"}},
    {TextId::Effect, {u"Effect", u"效果", u"效果", u"Цветови ефект"}},
    {TextId::OffMode, {u"Off Mode", u"灯光关闭", u"燈光關閉", u"Изключено осветление"}},
    {TextId::StandardMode, {u"Standard Mode", u"标准模式", u"標準模式", u"Стандартен режим"}},
    {TextId::RespirationMode, {u"Respiration Mode", u"呼吸模式", u"呼吸模式", u"Режим на дишане"}},
    {TextId::NeonMode, {u"Neon Mode", u"霓虹模式", u"霓虹模式", u"Неонов режим"}},
    {TextId::NonDisolay, {u"Non-Disolay", u"关闭", u"關閉", u"Без светлина"}},
    {TextId::RgbEffect, {u"RGB Effect", u"RGB效果", u"RGB效果", u"Ефект на RGB светлината"}},
    {TextId::RgbFlash, {u"RGB Flash", u"RGB闪烁", u"RGB閃爍", u"Мигаща RGB светлина"}},
    {TextId::RgbFixedOn, {u"RGB Fixed On", u"RGB常亮", u"RGB常亮", u"Настройка на RGB"}},
    {TextId::MouseSpeed,
     {u"Mouse Speed", u"鼠标移动速度", u"滑鼠移動速度",
      u"Скорост на движение на курсора на мишката"}},
    {TextId::ScrollingSpeed,
     {u"Scrolling Speed", u"滚轮滚动速度", u"滾輪捲動速度", u"Скорост на превъртане с колелцето"}},
    {TextId::DoubleClickSpeed,
     {u"Double-Click Speed", u"双击速度", u"雙擊速度", u"Скорост на двойното щракване"}},
    {TextId::EnhancePointerPrecision,
     {u"Enhance Pointer Precision", u"提高指针精确度", u"提高指標精確度",
      u"Повишаване на точността на показалеца"}},
    {TextId::ScrollOneScreen,
     {u"Scroll One Screen", u"一次滚动一个屏幕", u"一次捲動一個螢幕",
      u"Превъртане с един екран наведнъж"}},
    {TextId::WebLink,
     {u"TRV418-Guide.html", u"TRV418-Guide.html", u"TRV418-Guide.html", u"TRV418-Guide.html"}},
    {TextId::ReportRate1000,
     {u"Switch report rate into 1000HZ", u"回报率切换到1000HZ", u"回報率切換到1000HZ",
      u"Превключване на честотата на отчитане на 1000HZ"}},
    {TextId::ReportRate500,
     {u"Switch report rate into 500HZ", u"回报率切换到500HZ", u"回報率切換到500HZ",
      u"Превключване на честотата на отчитане на 500HZ"}},
    {TextId::ReportRate250,
     {u"Switch report rate into 250HZ", u"回报率切换到250HZ", u"回報率切換到250HZ",
      u"Превключване на честотата на отчитане на 250HZ"}},
    {TextId::ReportRate125,
     {u"Switch report rate into 125HZ", u"回报率切换到125HZ", u"回報率切換到125HZ",
      u"Превключване на честотата на отчитане на 125HZ"}},
    {TextId::DpiStage1,
     {u"Switch DPI into the first stage ", u"DPI切换到第一段", u"DPI切換到第一段",
      u"Включване на DPI на първо ниво"}},
    {TextId::DpiStage2,
     {u"Switch DPI into the second stage ", u"DPI切换到第二段", u"DPI切換到第二段",
      u"Включване на DPI на второ ниво"}},
    {TextId::DpiStage3,
     {u"Switch DPI into the third stage ", u"DPI切换到第三段", u"DPI切換到第三段",
      u"Включване на DPI на трето ниво"}},
    {TextId::DpiStage4,
     {u"Switch DPI into the fourth stage ", u"DPI切换到第四段", u"DPI切換到第四段",
      u"Включване на DPI на четвърто ниво"}},
    {TextId::KeyMatrix1,
     {u"Switch to key matrix 1", u"切换到按键组1", u"切換到按鍵群組1",
      u"Превключване на разположението на група от клавиши 1"}},
    {TextId::KeyMatrix2,
     {u"Switch to key matrix 2", u"切换到按键组2", u"切換到按鍵群組2",
      u"Превключване на разположението на група от клавиши 2"}},
    {TextId::MacroKey,
     {u"Switch to macro key", u"切换到宏按键", u"切換到巨集按鍵", u"Превключване към макро бутон"}},
    {TextId::MouseDetected,
     {u"The system detect the gaming mouse.", u"系统检测到游戏鼠标。", u"系統檢測到遊戲滑鼠。",
      u"Системата разпозна оптичната мишка."}},
    {TextId::MouseNotDetected,
     {u"The system did not detect the gaming mouse!", u"系统没有检测到游戏鼠标！",
      u"系統沒有檢測到遊戲滑鼠！", u"Системата не разпознава оптичната мишка!"}},
    {TextId::SeveralMiceDetected,
     {u"The system detects more than one gaming mouse; TRV418 sets the first one.",
      u"多个游戏鼠标，仅设置首个", u"多個遊戲滑鼠，僅設定首個",
      u"Системата разпозна повече от една оптична мишка; TRV418 настройва първата."}},
    {TextId::SettingsChangedOutside,
     {u"Settings changed outside the program.", u"设置已在程序外更改。", u"設定已在程式外變更。",
      u"Настройките са променени извън програмата."}},
    {TextId::SettingsChangedQuestion,
     {u"The settings were changed outside the program. Take the new settings and drop the "
      u"changes on this page?",
      u"设置已在程序外更改。是否采用新设置并放弃本页上的更改？",
      u"設定已在程式外變更。是否採用新設定並捨棄此頁上的變更？",
      u"Настройките са променени извън програмата. Да се приемат ли новите настройки и да се "
      u"отхвърлят промените на тази страница?"}},
    {TextId::SettingsChangedCaption, {u"TRV418", u"TRV418", u"TRV418", u"TRV418"}},
    {TextId::Exit, {u"Exit", u"退出", u"退出", u"Излизане от меню"}},
    {TextId::SettingsSection, {u"Setting-EN", u"Setting-CHS", u"Setting-CHT", u"Setting-BUL"}},
    {TextId::StartFailed,
     {u"TRV418 could not start.", u"程序无法启动。", u"程式無法啟動。",
      u"TRV418 не може да стартира."}},
    {TextId::FailedCall,
     {u"Failed call:", u"失败的调用：", u"失敗的呼叫：", u"Неуспешно извикване:"}},
    {TextId::ErrorCode, {u"Error code:", u"错误代码：", u"錯誤代碼：", u"Код на грешка:"}},
    {TextId::ProfilesMenu, {u"Profiles", u"配置文件", u"設定檔", u"Профили"}},
    {TextId::NoProfiles,
     {u"(no profiles yet)", u"（暂无配置文件）", u"（尚無設定檔）", u"(още няма профили)"}},
    {TextId::SaveProfileAs,
     {u"Save current settings as…", u"将当前设置另存为…", u"將目前設定另存為…",
      u"Запази настройките като…"}},
    {TextId::OpenProfilesFolder,
     {u"Open profiles folder", u"打开配置文件夹", u"開啟設定檔資料夾",
      u"Отвори папката с профили"}},
    {TextId::BackUp, {u"Back up…", u"备份…", u"備份…", u"Резервно копие…"}},
    {TextId::Restore, {u"Restore…", u"还原…", u"還原…", u"Възстановяване…"}},
    {TextId::ProfileFilter,
     {u"Profiles (*.ini)", u"配置文件(*.ini)", u"設定檔(*.ini)", u"Профили (*.ini)"}},
    {TextId::BackupFilter,
     {u"Backups (*.trvb)", u"备份(*.trvb)", u"備份(*.trvb)", u"Резервни копия (*.trvb)"}},
    {TextId::NewProfileName, {u"Profile", u"配置", u"設定", u"Профил"}},
    {TextId::ProfileApplied,
     {u"Profile \"%1\" is on the mouse now.", u"配置文件“%1”已写入鼠标。",
      u"設定檔「%1」已寫入滑鼠。", u"Профилът \"%1\" вече е в мишката."}},
    {TextId::ProfileRefused,
     {u"Profile \"%1\" was not applied; nothing was changed.", u"配置文件“%1”未应用，设置未更改。",
      u"設定檔「%1」未套用，設定未變更。", u"Профилът \"%1\" не е приложен; нищо не е променено."}},
    {TextId::ProfileSaved,
     {u"The current settings were saved as profile \"%1\".", u"当前设置已保存为配置文件“%1”。",
      u"目前設定已儲存為設定檔「%1」。", u"Текущите настройки са запазени като профил \"%1\"."}},
    {TextId::DropChangesForProfile,
     {u"The page has changes that are not applied. Apply profile \"%1\" and drop them?",
      u"本页有未应用的更改。是否应用配置文件“%1”并放弃这些更改？",
      u"此頁有未套用的變更。是否套用設定檔「%1」並捨棄這些變更？",
      u"Страницата има неприложени промени. Да се приложи ли профилът \"%1\", а промените да се "
      u"отхвърлят?"}},
    {TextId::ApplyBeforeSaving,
     {u"The page has changes that are not applied. Apply them first, so that the profile holds "
      u"them? No saves the settings that are on the mouse.",
      u"本页有未应用的更改。是否先应用这些更改，使配置文件包含它们？选择“否”则保存鼠标上的设置。",
      u"此頁有未套用的變更。是否先套用這些變更，使設定檔包含它們？選擇「否」則儲存滑鼠上的設定。",
      u"Страницата има неприложени промени. Да се приложат ли първо, за да влязат в профила? "
      u"\"Не\" запазва настройките, които са в мишката."}},
    {TextId::BackedUp,
     {u"The mouse, config.bin and the button labels were backed up to %1.",
      u"鼠标、config.bin和按键名称已备份到%1。", u"滑鼠、config.bin和按鍵名稱已備份到%1。",
      u"Мишката, config.bin и имената на бутоните са копирани в %1."}},
    {TextId::Restored,
     {u"The backup %1 is on the mouse and in the settings now.", u"备份%1已还原到鼠标和设置。",
      u"備份%1已還原到滑鼠和設定。", u"Резервното копие %1 вече е в мишката и в настройките."}},
    {TextId::RestoredBlockOnly,
     {u"The mouse was restored from %1. This backup holds no settings file: the next OK or Apply "
      u"writes the program's settings to the mouse.",
      u"已从%1还原鼠标。此备份不含设置文件：下次按确定或应用时将把程序的设置写入鼠标。",
      u"已從%1還原滑鼠。此備份不含設定檔案：下次按確定或應用時將把程式的設定寫入滑鼠。",
      u"Мишката е възстановена от %1. Копието не съдържа файл с настройки: следващото OK или "
      u"\"Приложи\" записва настройките на програмата в мишката."}},
    {TextId::NotABackup,
     {u"%1 is not a backup of TRV418, or it is damaged. Nothing was changed.",
      u"%1不是TRV418的备份，或已损坏。未作任何更改。",
      u"%1不是TRV418的備份，或已損壞。未作任何變更。",
      u"%1 не е резервно копие на TRV418 или е повредено. Нищо не е променено."}},
    {TextId::BackupOfOtherMouse,
     {u"%1 was taken from another mouse (another model or sensor). Restore it all the same?",
      u"%1取自另一只鼠标（型号或传感器不同）。仍要还原吗？",
      u"%1取自另一隻滑鼠（型號或感測器不同）。仍要還原嗎？",
      u"%1 е взето от друга мишка (друг модел или сензор). Да се възстанови ли въпреки това?"}},
    {TextId::DropChangesForBackup,
     {u"The page has changes that are not applied. Restore the backup %1 and drop them?",
      u"本页有未应用的更改。是否还原备份%1并放弃这些更改？",
      u"此頁有未套用的變更。是否還原備份%1並捨棄這些變更？",
      u"Страницата има неприложени промени. Да се възстанови ли копието %1, а промените да се "
      u"отхвърлят?"}},
    {TextId::FileNotWritten,
     {u"%1 could not be written.", u"无法写入%1。", u"無法寫入%1。",
      u"%1 не може да бъде записан."}},
    {TextId::FileNotRead,
     {u"%1 could not be read.", u"无法读取%1。", u"無法讀取%1。", u"%1 не може да бъде прочетен."}},
    {TextId::BackupNotProfile,
     {u"%1 is a backup, not a profile.", u"%1是备份，不是配置文件。", u"%1是備份，不是設定檔。",
      u"%1 е резервно копие, а не профил."}},
    {TextId::PageButton, {u"Button %1", u"按键%1", u"按鍵%1", u"Бутон %1"}},
    {TextId::StageName, {u"DPI stage %1", u"DPI第%1段", u"DPI第%1段", u"DPI ниво %1"}},
    {TextId::StageColourName,
     {u"Colour of DPI stage %1", u"DPI第%1段颜色", u"DPI第%1段顏色", u"Цвят на DPI ниво %1"}},
    {TextId::Minimise, {u"Minimise", u"最小化", u"最小化", u"Минимизиране"}},
    {TextId::Close, {u"Close", u"关闭", u"關閉", u"Затваряне"}},
    {TextId::SliderPosition, {u"%1 of %2", u"第%1格，共%2格", u"第%1格，共%2格", u"%1 от %2"}},
    {TextId::ActionPress, {u"Press", u"按下", u"按下", u"Натискане"}},
    {TextId::ActionOpen, {u"Open", u"打开", u"打開", u"Отваряне"}},
    {TextId::ActionCheck, {u"Check", u"选中", u"勾選", u"Отмятане"}},
    {TextId::ActionUncheck, {u"Uncheck", u"取消选中", u"取消勾選", u"Премахване на отметката"}},
    {TextId::ActionJump, {u"Jump", u"跳转", u"跳轉", u"Отваряне на връзката"}},
    {TextId::SingleKeyHint,
     {u"Every key is taken here, Tab, Enter and Esc too. Hold Tab to move on to OK.",
      u"此处接受每个按键，包括Tab、Enter和Esc。按住Tab键可移到“确定”。",
      u"此處接受每個按鍵，包括Tab、Enter和Esc。按住Tab鍵可移到「確定」。",
      u"Тук се приема всеки клавиш, също Tab, Enter и Esc. Задръжте Tab, за да преминете към ОК."}},
}};

constexpr bool rowsInIdOrder() {
    for (std::size_t i = 0; i < kRows.size(); ++i) {
        if (static_cast<std::size_t>(kRows[i].id) != i) return false;
    }
    return true;
}
static_assert(rowsInIdOrder(), "a row per id, in id order");

constexpr bool everyTextPresent() {
    for (const TextRow& row : kRows) {
        for (std::u16string_view text : row.texts) {
            if (text.empty()) return false;
        }
    }
    return true;
}
static_assert(everyTextPresent(), "every row has a text in every language");

}  // namespace

Language languageFromCode(std::u16string_view code) {
    if (code == u"CHS") return Language::SimplifiedChinese;
    if (code == u"CHT") return Language::TraditionalChinese;
    if (code == u"BUL") return Language::Bulgarian;
    return Language::English;
}

std::u16string_view text(Language language, TextId id) {
    const auto row = static_cast<std::size_t>(id);
    if (row >= kRows.size()) return {};
    const auto column = static_cast<std::size_t>(language);
    return kRows[row].texts[column < kLanguageCount ? column : 0];
}

std::u16string decimalText(long long value) {
    const std::string digits = std::to_string(value);
    return std::u16string(digits.begin(), digits.end());
}

std::u16string filledText(Language language, TextId id, std::u16string_view first,
                          std::u16string_view second) {
    std::u16string out(text(language, id));
    for (const auto& [mark, with] : {std::pair{std::u16string_view(u"%1"), first},
                                     std::pair{std::u16string_view(u"%2"), second}}) {
        const std::size_t at = out.find(mark);
        if (at != std::u16string::npos) out.replace(at, mark.size(), with);
    }
    return out;
}

std::u16string_view guideLinkText(Language language) {
    switch (language) {
        case Language::SimplifiedChinese:
            return u"\u7528\u6237\u6307\u5357";  // 用户指南
        case Language::TraditionalChinese:
            return u"\u4F7F\u7528\u8005\u6307\u5357";  // 使用者指南
        case Language::Bulgarian:
            return u"\u0420\u044A\u043A\u043E\u0432\u043E\u0434\u0441\u0442\u0432\u043E";  // Ръководство
        case Language::English:
            break;
    }
    return u"User guide";
}

}  // namespace trv
