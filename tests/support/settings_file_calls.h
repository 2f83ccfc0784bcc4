#pragma once
// The config.bin calls as the user meets them: each result turned into the
// message the program shows, collected in order.

#include <string>
#include <vector>

#include "config/settings_file.h"
#include "support/recording_window.h"

namespace trv::testing {

struct MessageLog {
    std::vector<Shown> shown;
    void take(const SettingsFileResult& result) {
        if (auto message = settingsFileMessage(result)) {
            shown.push_back({message->text, std::u16string(message->caption)});
        }
    }
};

// Found by argument-dependent lookup beside the program's own functions.
inline void LoadSettingsFile(SettingsFileSystem& files, const std::u16string& path,
                             std::uint8_t& firstRunFlag, SettingsRecord& record, MessageLog& log) {
    log.take(trv::LoadSettingsFile(files, path, firstRunFlag, record));
}
inline void SaveSettingsFile(SettingsFileSystem& files, const std::u16string& path,
                             const SettingsRecord& record, MessageLog& log) {
    log.take(trv::SaveSettingsFile(files, path, record));
}

}  // namespace trv::testing
