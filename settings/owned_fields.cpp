#include "settings/owned_fields.h"

#include "assign/assignment.h"
#include "perf/dpi.h"
#include "perf/lighting.h"

namespace trv {

namespace {

// The block holds one snipe DPI for both modes: the mode shown decides it.
void encodeSnipeDpi(SettingsRecord& record, std::uint8_t sensorType, ConfigBlock& block) {
    const std::uint8_t level =
        record[rec::kSnipeLevel + static_cast<std::size_t>(record.modeShown())];
    const auto code =
        static_cast<std::uint8_t>(dpiLevelCode(sensorType, level) & ~kStageDisabledBit);
    record[rec::kSnipeDpiCode] = code;
    block.image[block::kSnipeDpiCode] = code;
}

void encodeButtons(const SettingsRecord& record, ConfigBlock& block) {
    for (Mode mode : {Mode::A, Mode::B}) {
        for (std::size_t button = 1; button <= block::kPairCount; ++button) {
            const AssignmentPair pair = encodeAssignment(record, mode, button);
            const std::size_t at = pairOffset(mode, button);
            block.image[at] = pair.code;
            block.image[at + 1] = pair.parameter;
        }
    }
}

}  // namespace

void rebuildOwnedFields(SettingsRecord& record, std::uint8_t sensorType, ConfigBlock& block) {
    block.header[block::kReportRateCode] = record[rec::kReportRateCode];
    encodeLighting(record, block);
    encodeStages(record, sensorType, block);
    encodeSnipeDpi(record, sensorType, block);
    block.image[block::kFireMakeTime] = record[rec::kFireMakeTime];
    block.image[block::kFireBreakTime] = record[rec::kFireBreakTime];
    encodeButtons(record, block);
}

}  // namespace trv
