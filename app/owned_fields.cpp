#include "app/owned_fields.h"

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

// Mode B's slots 4 and 5 hold buttons 5 and 4.
std::size_t slotOf(Mode mode, std::size_t button) {
    if (mode == Mode::B && button == 4) return 5;
    if (mode == Mode::B && button == 5) return 4;
    return button;
}

void encodeButtons(const SettingsRecord& record, ConfigBlock& block) {
    for (Mode mode : {Mode::A, Mode::B}) {
        const std::size_t pairs = mode == Mode::A ? block::kModeAPairs : block::kModeBPairs;
        for (std::size_t button = 1; button <= block::kPairCount; ++button) {
            const AssignmentPair pair = encodeAssignment(record, mode, button);
            const std::size_t at = pairs + 2 * (slotOf(mode, button) - 1);
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
