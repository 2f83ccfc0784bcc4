#include "lang/dialog_labels.h"

#include <array>

namespace trv {

namespace {

constexpr std::size_t kLanguageCount = 4;

// A set's labels per language, in the order of Language: English, Simplified
// Chinese, Traditional Chinese, Bulgarian.
template <std::size_t N>
using LabelTable = std::array<std::array<std::u16string_view, N>, kLanguageCount>;

constexpr LabelTable<10> kFireKey{{
    {u"OK", u"Cancel", u"L-Button", u"Speed", u"Times", u"Make Time", u"Break Time",
     u"Illustration:", u"Time (value range 5-255)",
     u"Times (value range 0-127,0 indicates fire key to end when the key released)"},
    {u"确定", u"取消", u"L-Button", u"速度", u"次数", u"按下时间", u"放开时间", u"说明：",
     u"时间(数值范围5-255)", u"次数(数值范围0-127，0表示按键放开火力键结束)"},
    {u"確定", u"取消", u"L-Button", u"速度", u"次數", u"按下時間", u"放開時間", u"說明：",
     u"時間(數值範圍5-255)", u"次數(數值範圍0-127，0表示按鍵放開火力鍵結束)"},
    {u"ОК", u"Отказ", u"L-Бутон", u"Скорост", u"Брой повторения", u"Време на натискане",
     u"Време на отпускане", u"Пояснение:", u"Време (стойност от 5 до 255)",
     u"Брой повторения (от 0 до 127; при 0 повтарянето спира с отпускането на бутона)"},
}};

constexpr LabelTable<11> kHotKey{{
    {u"OK", u"Cancel", u"Copy", u"Copy", u"Cut", u"Paste", u"Select all", u"Open", u"New", u"Save",
     u"Undo"},
    {u"确定", u"取消", u"复制", u"复制", u"剪切", u"粘贴", u"全选", u"打开", u"新建", u"保存",
     u"撤销"},
    {u"確定", u"取消", u"複製", u"複製", u"剪下", u"貼上", u"全選", u"開啟", u"新增", u"儲存",
     u"復原"},
    {u"ОК", u"Отказ", u"Копиране на избраното", u"Копиране на избраното", u"Изрязване на избраното",
     u"Поставяне от клипборда", u"Избиране на всичко", u"Отваряне на файл",
     u"Създаване на нов файл", u"Запазване на файла", u"Отмяна на последното действие"},
}};

constexpr LabelTable<10> kMultimedia{{
    {u"OK", u"Cancel", u"Next", u"Next", u"Previous", u"Stop", u"Play/Pause", u"Mute", u"Vol+",
     u"Vol-"},
    {u"确定", u"取消", u"下一曲", u"下一曲", u"上一曲", u"停止", u"播放/暂停", u"静音", u"音量+",
     u"音量-"},
    {u"確定", u"取消", u"下一首", u"下一首", u"上一首", u"停止", u"播放/暫停", u"靜音", u"音量+",
     u"音量-"},
    {u"ОК", u"Отказ", u"Следваща песен", u"Следваща песен", u"Предишна песен",
     u"Спиране на възпроизвеждането", u"Възпроизвеждане или пауза", u"Изключване на звука",
     u"Увеличаване на звука", u"Намаляване на звука"},
}};

constexpr LabelTable<3> kSingleKey{{
    {u"OK", u"Cancel", u"Please enter a key"},
    {u"确定", u"取消", u"请输入一个按键"},
    {u"確定", u"取消", u"請輸入一個按鍵"},
    {u"ОК", u"Отказ", u"Моля, натиснете бутон"},
}};

constexpr LabelTable<2> kSnipeKey{{
    {u"OK", u"Cancel"},
    {u"确定", u"取消"},
    {u"確定", u"取消"},
    {u"Ок", u"Отказ"},
}};

constexpr LabelTable<14> kWindowsFunctions{{
    {u"OK", u"Cancel", u"Multimedia Player", u"Multimedia Player", u"Mail", u"Calculator",
     u"My Computer", u"Browser-Search", u"Browser-Home", u"Browser-Back", u"Browser-Forward",
     u"Browser-Stop", u"Browser-Refresh", u"Browser-My Favorites"},
    {u"确定", u"取消", u"媒体播放器", u"媒体播放器", u"邮件", u"计算器", u"我的电脑", u"浏览器搜索",
     u"浏览器主页", u"浏览器后退", u"浏览器前进", u"浏览器停止", u"浏览器刷新", u"浏览器收藏夹"},
    {u"確定", u"取消", u"媒體播放器", u"媒體播放器", u"郵件", u"計算機", u"我的電腦", u"瀏覽器搜尋",
     u"瀏覽器首頁", u"瀏覽器上一頁", u"瀏覽器下一頁", u"瀏覽器停止", u"瀏覽器重新整理",
     u"瀏覽器我的最愛"},
    {u"Ок", u"Отказ", u"Мултимедиен плейър", u"Мултимедиен плейър", u"Електронна поща",
     u"Калкулатор", u"Моят компютър", u"Търсене в браузъра", u"Начална страница на браузъра",
     u"Назад в браузъра", u"Напред в браузъра", u"Спиране на зареждането в браузъра",
     u"Опресняване на страницата в браузъра", u"Любими страници в браузъра"},
}};

// Label positions of each list dialog's items, item n first.
constexpr std::array<std::size_t, 8> kHotKeyItems{3, 4, 5, 6, 7, 8, 9, 10};
constexpr std::array<std::size_t, 7> kMultimediaItems{3, 4, 5, 6, 7, 8, 9};
constexpr std::size_t kBrowserStop = 11;
constexpr std::size_t kBrowserFavorites = 13;
constexpr std::array<std::size_t, 9> kWindowsItems{3, 4, 5, 6, 7, 8, 9, 10, 12};

template <std::size_t N>
constexpr bool everyLabelPresent(const LabelTable<N>& table) {
    for (const auto& labels : table) {
        for (std::u16string_view label : labels) {
            if (label.empty()) return false;
        }
    }
    return true;
}
static_assert(everyLabelPresent(kFireKey) && everyLabelPresent(kHotKey) &&
                  everyLabelPresent(kMultimedia) && everyLabelPresent(kSingleKey) &&
                  everyLabelPresent(kSnipeKey) && everyLabelPresent(kWindowsFunctions),
              "every label has a text in every language");

template <std::size_t N, std::size_t M>
constexpr bool itemsWithin(const std::array<std::size_t, M>& items) {
    for (std::size_t position : items) {
        if (position <= dialog_label::kFirstChoice || position >= N) return false;
    }
    return true;
}
static_assert(itemsWithin<11>(kHotKeyItems) && itemsWithin<10>(kMultimediaItems) &&
                  itemsWithin<14>(kWindowsItems),
              "items are function names of their own set");

constexpr bool windowsItemsSkipUnknownFunctions() {
    for (std::size_t position : kWindowsItems) {
        if (position == kBrowserStop || position == kBrowserFavorites) return false;
    }
    return true;
}
static_assert(windowsItemsSkipUnknownFunctions(), "the mouse has no stop or favourites function");

std::size_t column(Language language) {
    const auto index = static_cast<std::size_t>(language);
    return index < kLanguageCount ? index : 0;
}

template <std::size_t N>
std::span<const std::u16string_view> labelsOf(const LabelTable<N>& table, Language language) {
    return table[column(language)];
}

template <std::size_t M>
std::vector<std::u16string_view> itemsOf(std::span<const std::u16string_view> labels,
                                         const std::array<std::size_t, M>& positions) {
    std::vector<std::u16string_view> items;
    items.reserve(positions.size());
    for (std::size_t position : positions) items.push_back(labels[position]);
    return items;
}

}  // namespace

std::span<const std::u16string_view> dialogLabels(DialogLabelSet set, Language language) {
    switch (set) {
        case DialogLabelSet::FireKey:
            return labelsOf(kFireKey, language);
        case DialogLabelSet::HotKey:
            return labelsOf(kHotKey, language);
        case DialogLabelSet::Multimedia:
            return labelsOf(kMultimedia, language);
        case DialogLabelSet::SingleKey:
            return labelsOf(kSingleKey, language);
        case DialogLabelSet::SnipeKey:
            return labelsOf(kSnipeKey, language);
        case DialogLabelSet::WindowsFunctions:
            return labelsOf(kWindowsFunctions, language);
    }
    return {};
}

std::u16string_view dialogLabel(DialogLabelSet set, Language language, std::size_t position) {
    const auto labels = dialogLabels(set, language);
    return position < labels.size() ? labels[position] : std::u16string_view();
}

std::vector<std::u16string_view> dialogListItems(DialogLabelSet set, Language language) {
    const auto labels = dialogLabels(set, language);
    switch (set) {
        case DialogLabelSet::HotKey:
            return itemsOf(labels, kHotKeyItems);
        case DialogLabelSet::Multimedia:
            return itemsOf(labels, kMultimediaItems);
        case DialogLabelSet::WindowsFunctions:
            return itemsOf(labels, kWindowsItems);
        default:
            return {};
    }
}

}  // namespace trv
