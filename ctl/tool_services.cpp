#include "ctl/tool_services.h"

#include "settings/profile_words.h"

namespace trv::ctl {

using namespace readable;

WriteResult ToolFiles::replaceWhole(const std::u16string& path,
                                    std::span<const std::uint8_t> bytes) {
    if (dryRun_) {
        report_ << "not written: " << utf8(path) << " (" << bytes.size() << " bytes)\n";
        return {true, 0};
    }
    return files_.replaceWhole(path, bytes);
}

bool UnwrittenProfileStore::write(std::u16string_view section, std::u16string_view key,
                                  std::u16string_view value) {
    report_ << "not written: [" << utf8(section) << "] " << utf8(key) << '=' << utf8(value) << '\n';
    return true;
}

void UnchangedPointer::tell(const std::string& what) {
    if (report_ != nullptr) *report_ << "not set: " << what << '\n';
}

bool UnchangedPointer::setMouseParameters(const MouseParameters& p) {
    tell("mouse parameters " + std::to_string(p.threshold1) + ", " + std::to_string(p.threshold2) +
         ", " + std::to_string(p.acceleration));
    return true;
}

bool UnchangedPointer::setMouseSpeed(int speed) {
    tell("pointer speed " + std::to_string(speed));
    return true;
}

bool UnchangedPointer::setWheelScrollLines(std::uint32_t lines) {
    tell(lines == kWheelPageScroll ? std::string("wheel scrolls one screen")
                                   : "wheel scroll lines " + std::to_string(lines));
    return true;
}

bool UnchangedPointer::setDoubleClickTime(std::uint32_t milliseconds) {
    tell("double-click time " + std::to_string(milliseconds) + " ms");
    return true;
}

}  // namespace trv::ctl
