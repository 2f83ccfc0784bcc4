#include "ctl/block_status.h"

#include <cstdio>

#include "assign/assignment.h"
#include "lang/text_table.h"
#include "perf/dpi.h"
#include "perf/lighting.h"
#include "settings/profile_words.h"

namespace trv::ctl {

using namespace readable;

namespace {

std::u16string hexByte(std::uint8_t value) {
    char digits[3];
    std::snprintf(digits, sizeof digits, "%02X", value);
    return ascii(digits);
}

// A stage code names its level by the code of the sensor type's table.
std::u16string stageLevelWords(std::uint8_t sensorType, std::uint8_t code) {
    const auto plain = static_cast<std::uint8_t>(code & ~kStageDisabledBit);
    for (std::size_t level = 0; level < kDpiLevelCount; ++level) {
        const std::u16string_view label = dpiLevelLabel(sensorType, level);
        if (!label.empty() && dpiLevelCode(sensorType, level) == plain) {
            return std::u16string(label);
        }
    }
    return u"code 0x" + hexByte(plain);
}

void appendStages(std::u16string& text, const ConfigBlock& block) {
    const auto& image = block.image;
    const std::uint8_t sensorType = image[block::kSensorType];
    text += u"DPI stages: " + decimalText(image[block::kEnabledStageCount]) + u" ticked\n";
    std::size_t slot = 0;
    for (std::size_t stage = 1; stage <= block::kStageCount; ++stage) {
        const std::uint8_t code = image[block::kStageDpiCodes + stage - 1];
        text += u"  Stage " + decimalText(static_cast<unsigned>(stage)) + u": " +
                stageLevelWords(sensorType, code);
        // Only ticked stages take a colour slot, in stage order.
        if ((code & kStageDisabledBit) != 0) {
            text += u", not ticked\n";
            continue;
        }
        const std::size_t at = block::kStageColours + 3 * slot++;
        text += u", ticked, " + colourWords({image[at], image[at + 1], image[at + 2]}) + u"\n";
    }
    text += u"Snipe DPI: " + stageLevelWords(sensorType, image[block::kSnipeDpiCode]) + u"\n";
}

std::u16string lightingWords(const ConfigBlock& block) {
    const std::uint8_t mode = block.image[block::kLightMode];
    const std::uint8_t parameter = block.image[block::kLightParameter];
    const std::uint8_t kind = block.image[block::kLightParameterKind];
    std::u16string words = wordsOf(WordKind::LightMode, 0, mode);
    switch (mode) {
        case light_mode::kOff:
            return words;
        case light_mode::kStandard:
            return words + u", " + wordsOf(WordKind::Brightness, 0, parameter);
        case light_mode::kRespiration: {
            words += u", " + wordsOf(WordKind::Respiration, 0, parameter) + u", ";
            if (kind == light_kind::kSteady)
                return words + wordsOf(WordKind::Effect, 0, light_effect::kRgbEffect);
            if (kind == light_kind::kFlash)
                return words + wordsOf(WordKind::Effect, 0, light_effect::kRgbFlash);
            return words + u"kind " + byteWords(kind);
        }
        default:
            // The program never sets the parameter of the other modes: they
            // are the mouse's own.
            return words + u", parameter " + byteWords(parameter) + u", kind " + byteWords(kind);
    }
}

void appendButtons(std::u16string& text, const ConfigBlock& block) {
    for (Mode mode : {Mode::A, Mode::B}) {
        text += mode == Mode::A ? u"Mode A:\n" : u"Mode B:\n";
        for (std::size_t button = 1; button <= block::kPairCount; ++button) {
            const std::size_t at = pairOffset(mode, button);
            const AssignmentPair pair{block.image[at], block.image[at + 1]};
            text += u"  Button " + decimalText(static_cast<unsigned>(button)) + u": ";
            if (const auto assignment = decodeAssignment(pair)) {
                text += assignmentWords({static_cast<std::uint8_t>(assignment->type),
                                         assignment->parameter, assignment->fireTimes});
            } else {
                text += u"raw " + hexByte(pair.code) + u" " + hexByte(pair.parameter);
            }
            text += u"\n";
        }
    }
}

}  // namespace

std::u16string blockStatus(const ConfigBlock& block) {
    std::u16string text;
    text += u"Report rate: " +
            wordsOf(WordKind::ReportRate, 0, block.header[block::kReportRateCode]) + u"\n";
    text += u"Sensor type: " + decimalText(block.image[block::kSensorType]) + u"\n";
    appendStages(text, block);
    text += u"Lighting: " + lightingWords(block) + u"\n";
    text += u"Fire key times: make " + decimalText(block.image[block::kFireMakeTime]) +
            u", break " + decimalText(block.image[block::kFireBreakTime]) + u"\n";
    appendButtons(text, block);
    return text;
}

std::u16string blockHexDump(const ConfigBlock& block) {
    constexpr std::size_t kPerLine = 16;
    std::u16string text = u"Block (header bytes 000-001, image from 002):\n";
    for (std::size_t at = 0; at < sizeof(ConfigBlock); ++at) {
        if (at % kPerLine == 0) {
            char offset[8];
            std::snprintf(offset, sizeof offset, "  %03zX ", at);
            text += ascii(offset);
        }
        const std::uint8_t b =
            at < block::kHeaderSize ? block.header[at] : block.image[at - block::kHeaderSize];
        text += u' ';
        text += hexByte(b);
        if (at % kPerLine == kPerLine - 1 || at + 1 == sizeof(ConfigBlock)) text += u"\n";
    }
    return text;
}

}  // namespace trv::ctl
