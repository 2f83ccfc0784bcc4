#include "config/settings_file.h"

#include <algorithm>
#include <array>
#include <string>

#include "config/ascii_case.h"
#include "config/error_number.h"

namespace trv {

namespace {

constexpr std::u16string_view kMissingText = u"Config file is not exist.";
constexpr std::u16string_view kWriteFailedCaption = u"NULL ==fp ";

// "Error Code is: %d \n" filled in.
std::u16string writeFailedText(std::uint32_t systemError) {
    return u"Error Code is: " + errorNumberText(systemError) + u" \n";
}

}  // namespace

bool nameEndsWith(std::u16string_view name, std::u16string_view suffix) {
    if (name.size() < suffix.size()) return false;
    return sameIgnoringAsciiCase(name.substr(name.size() - suffix.size()), suffix);
}

std::array<std::uint8_t, settings_file::kSize> settingsFileBytes(std::uint8_t firstRunFlag,
                                                                 const SettingsRecord& record) {
    std::array<std::uint8_t, settings_file::kSize> bytes{};
    bytes[settings_file::kFirstRunFlag] = firstRunFlag;
    std::copy(record.bytes.begin(), record.bytes.end(), bytes.begin() + settings_file::kRecord);
    return bytes;
}

SettingsFileResult LoadSettingsFile(SettingsFileSystem& files, const std::u16string& configBinPath,
                                    std::uint8_t& firstRunFlag, SettingsRecord& record) {
    if (!files.exists(configBinPath)) return {SettingsFileStatus::Missing};
    const auto bytes = files.readWhole(configBinPath, settings_file::kSize);
    if (!bytes || bytes->size() != settings_file::kSize) return {SettingsFileStatus::Unusable};
    firstRunFlag = (*bytes)[settings_file::kFirstRunFlag];
    std::copy_n(bytes->begin() + settings_file::kRecord, rec::kSize, record.bytes.begin());
    return {};
}

SettingsFileResult SaveSettingsFile(SettingsFileSystem& files, const std::u16string& configBinPath,
                                    const SettingsRecord& record) {
    if (!files.exists(configBinPath)) return {SettingsFileStatus::Missing};
    const WriteResult result =
        files.replaceWhole(configBinPath, settingsFileBytes(settings_file::kApplied, record));
    if (!result.written) return {SettingsFileStatus::WriteFailed, result.systemError};
    return {};
}

std::optional<SettingsFileMessage> settingsFileMessage(const SettingsFileResult& result) {
    switch (result.status) {
        case SettingsFileStatus::Missing:
            return SettingsFileMessage{std::u16string(kMissingText), u""};
        case SettingsFileStatus::WriteFailed:
            return SettingsFileMessage{writeFailedText(result.systemError), kWriteFailedCaption};
        case SettingsFileStatus::Done:
        case SettingsFileStatus::Unusable:
            break;
    }
    return std::nullopt;
}

}  // namespace trv
