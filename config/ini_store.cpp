#include "config/ini_store.h"

#include <array>
#include <limits>

namespace trv {

namespace {

struct LabelKey {
    Mode mode;
    std::size_t button;
    std::u16string_view key;
};

// Mode B's keys are the button number followed by "3".
constexpr std::array<LabelKey, 2 * rec::kButtons> kLabelKeys{{
    {Mode::A, 1, u"Item1"},
    {Mode::A, 2, u"Item2"},
    {Mode::A, 3, u"Item3"},
    {Mode::A, 4, u"Item4"},
    {Mode::A, 5, u"Item5"},
    {Mode::A, 6, u"Item6"},
    {Mode::A, 7, u"Item7"},
    {Mode::A, 8, u"Item8"},
    {Mode::B, 1, u"Item13"},
    {Mode::B, 2, u"Item23"},
    {Mode::B, 3, u"Item33"},
    {Mode::B, 4, u"Item43"},
    {Mode::B, 5, u"Item53"},
    {Mode::B, 6, u"Item63"},
    {Mode::B, 7, u"Item73"},
    {Mode::B, 8, u"Item83"},
}};

bool isCSpace(char16_t c) {
    return c == u' ' || (c >= u'\t' && c <= u'\r');
}

int decimalValue(std::u16string_view text) {
    std::size_t at = 0;
    while (at < text.size() && isCSpace(text[at])) ++at;
    bool negative = false;
    if (at < text.size() && (text[at] == u'-' || text[at] == u'+')) negative = text[at++] == u'-';
    constexpr long long kAboveInt = static_cast<long long>(std::numeric_limits<int>::max()) + 1;
    long long magnitude = 0;
    for (; at < text.size() && text[at] >= u'0' && text[at] <= u'9'; ++at) {
        if (magnitude <= kAboveInt) magnitude = magnitude * 10 + (text[at] - u'0');
    }
    if (negative) {
        return magnitude >= kAboveInt ? std::numeric_limits<int>::min()
                                      : -static_cast<int>(magnitude);
    }
    return magnitude >= kAboveInt ? std::numeric_limits<int>::max() : static_cast<int>(magnitude);
}

}  // namespace

std::uint8_t colourComponent(std::u16string_view text) {
    return static_cast<std::uint8_t>(static_cast<unsigned>(decimalValue(text)) & 0xFFu);
}

std::u16string readLanguageCode(const ProfileStore& store) {
    return store.read(ini::kSkinsSection, ini::kLanguageKey);
}

void LoadIniStore(const ProfileStore& store, std::u16string_view section, ButtonLabels& labels,
                  SkinSettings& skin) {
    for (const LabelKey& label : kLabelKeys) {
        labels.of(label.mode, label.button) = store.read(section, label.key);
    }
    skin.red = colourComponent(store.read(ini::kSkinsSection, ini::kRedKey));
    skin.green = colourComponent(store.read(ini::kSkinsSection, ini::kGreenKey));
    skin.blue = colourComponent(store.read(ini::kSkinsSection, ini::kBlueKey));
    skin.path = store.read(ini::kSkinsSection, ini::kSkinPathKey);
}

void SaveIniStore(ProfileStore& store, std::u16string_view section, const ButtonLabels& labels) {
    // One batch: a crash or power cut in the middle leaves the file holding
    // the user's language, skin and labels as they were, not torn.
    store.beginBatch();
    for (const LabelKey& label : kLabelKeys) {
        store.write(section, label.key, labels.of(label.mode, label.button));
    }
    store.commitBatch();
}

}  // namespace trv
