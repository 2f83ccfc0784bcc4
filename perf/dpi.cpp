#include "perf/dpi.h"

#include <algorithm>

namespace trv {

namespace {

constexpr std::array<DpiLevel, kDpiLevelCount> kSensor0Levels{{
    {u"600", 0x01},
    {u"800", 0x02},
    {u"1000", 0x03},
    {u"1200", 0x04},
    {u"1600", 0x05},
    {u"2000", 0x23},
    {u"2400", 0x24},
    {u"3200", 0x25},
}};

constexpr std::array<DpiLevel, kDpiLevelCount> kSensor1Levels{{
    {u"250", 0x02},
    {u"500", 0x04},
    {u"750", 0x06},
    {u"1000", 0x08},
    {u"1250", 0x0A},
    {u"1500", 0x26},
    {u"2000", 0x28},
    {u"2500", 0x2A},
}};

constexpr std::size_t kColourBytes = 3;

bool validStage(std::size_t stage) {
    return stage >= 1 && stage <= rec::kStages;
}

std::size_t enabledOffset(std::size_t stage) {
    return rec::kStageEnabled + stage - 1;
}
std::size_t colourOffset(std::size_t stage) {
    return rec::kStageColour + kColourBytes * (stage - 1);
}

const DpiLevel* levelOf(std::uint8_t sensorType, std::size_t level) {
    const auto* table = dpiLevelTable(sensorType);
    if (table == nullptr || level >= table->size()) return nullptr;
    return &(*table)[level];
}

}  // namespace

const std::array<DpiLevel, kDpiLevelCount>* dpiLevelTable(std::uint8_t sensorType) {
    switch (sensorType) {
        case 0:
            return &kSensor0Levels;
        case 1:
            return &kSensor1Levels;
        default:
            return nullptr;
    }
}

std::u16string_view dpiLevelLabel(std::uint8_t sensorType, std::size_t level) {
    const DpiLevel* entry = levelOf(sensorType, level);
    return entry != nullptr ? entry->label : std::u16string_view{};
}

std::uint8_t dpiLevelCode(std::uint8_t sensorType, std::size_t level) {
    const DpiLevel* entry = levelOf(sensorType, level);
    return entry != nullptr ? entry->code : 0;
}

bool stageTicked(const SettingsRecord& record, std::size_t stage) {
    return validStage(stage) && record[enabledOffset(stage)] == 1;
}

std::uint8_t stageLevel(const SettingsRecord& record, std::size_t stage) {
    return validStage(stage) ? record[rec::kStageLevel + stage - 1] : 0;
}

bool setStageLevel(SettingsRecord& record, std::size_t stage, std::size_t segment) {
    if (!validStage(stage) || segment < 1 || segment > kDpiLevelCount) return false;
    record[rec::kStageLevel + stage - 1] = static_cast<std::uint8_t>(segment - 1);
    return true;
}

TickChange toggleStageTick(SettingsRecord& record, std::size_t stage) {
    if (!validStage(stage)) return TickChange::None;
    if (!stageTicked(record, stage)) {
        record[enabledOffset(stage)] = 1;
        return TickChange::Ticked;
    }
    bool anotherTicked = false;
    for (std::size_t other = 1; other <= rec::kStages; ++other) {
        if (other != stage && stageTicked(record, other)) anotherTicked = true;
    }
    if (!anotherTicked) return TickChange::None;
    record[enabledOffset(stage)] = 0;
    return TickChange::Unticked;
}

bool mayChooseStageColour(const SettingsRecord& record, std::size_t stage) {
    return stageTicked(record, stage);
}

Rgb stageColour(const SettingsRecord& record, std::size_t stage) {
    if (!validStage(stage)) return {};
    const std::size_t at = colourOffset(stage);
    return {record[at], record[at + 1], record[at + 2]};
}

void setStageColour(SettingsRecord& record, std::size_t stage, Rgb colour) {
    if (!validStage(stage)) return;
    const std::size_t at = colourOffset(stage);
    record[at] = colour.red;
    record[at + 1] = colour.green;
    record[at + 2] = colour.blue;
}

void encodeStages(const SettingsRecord& record, std::uint8_t sensorType, ConfigBlock& block) {
    auto colours = block.image.begin() + block::kStageColours;
    std::fill(colours, colours + block::kStageColourBytes, std::uint8_t{0});
    std::size_t used = 0;
    for (std::size_t stage = 1; stage <= rec::kStages; ++stage) {
        // A byte other than 0 or 1 (only a damaged config.bin holds one) is a
        // stage without its tick, as the page shows it: the code, the count
        // and the colour slots then agree with each other.
        const bool ticked = stageTicked(record, stage);
        const std::uint8_t code = dpiLevelCode(sensorType, stageLevel(record, stage));
        block.image[block::kStageDpiCodes + stage - 1] =
            ticked ? static_cast<std::uint8_t>(code & ~kStageDisabledBit)
                   : static_cast<std::uint8_t>(code | kStageDisabledBit);
        if (ticked) {
            const Rgb colour = stageColour(record, stage);
            const std::size_t at = block::kStageColours + kColourBytes * used;
            block.image[at] = colour.red;
            block.image[at + 1] = colour.green;
            block.image[at + 2] = colour.blue;
            ++used;
        }
    }
    block.image[block::kEnabledStageCount] = static_cast<std::uint8_t>(used);
}

}  // namespace trv
