// config.bin may hold anything: only a 191-byte file fills the record, and a
// save writes exactly the applied flag and the record back. The executable's
// path may be anything too: no settings path may name the executable itself.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "config/settings_file.h"
#include "config/settings_file_paths.h"

namespace {

void check(bool condition) {
    if (!condition) std::abort();
}

bool sameIgnoringAsciiCase(std::u16string_view a, std::u16string_view b) {
    auto lower = [](char16_t c) { return c >= u'A' && c <= u'Z' ? c + 32 : c; };
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(),
                      [&](char16_t x, char16_t y) { return lower(x) == lower(y); });
}

class MemoryFiles : public trv::SettingsFileSystem {
  public:
    explicit MemoryFiles(std::vector<std::uint8_t> content) : content_(std::move(content)) {}
    bool exists(const std::u16string&) override { return true; }
    std::optional<std::vector<std::uint8_t>> readWhole(const std::u16string&,
                                                       std::size_t sizeLimit) override {
        if (content_.size() > sizeLimit) return std::nullopt;
        return content_;
    }
    trv::WriteResult replaceWhole(const std::u16string&,
                                  std::span<const std::uint8_t> bytes) override {
        content_.assign(bytes.begin(), bytes.end());
        return {true, 0};
    }
    const std::vector<std::uint8_t>& content() const { return content_; }

  private:
    std::vector<std::uint8_t> content_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    MemoryFiles files(std::vector<std::uint8_t>(data, data + size));
    std::uint8_t firstRunFlag = 0;
    trv::SettingsRecord record;
    // The file is there: whatever it holds, nothing is said about it.
    check(!trv::settingsFileMessage(
        trv::LoadSettingsFile(files, u"config.bin", firstRunFlag, record)));
    if (size == trv::settings_file::kSize) {
        check(firstRunFlag == data[0]);
        check(std::equal(record.bytes.begin(), record.bytes.end(), data + 1));
        check(trv::SaveSettingsFile(files, u"config.bin", record).status ==
              trv::SettingsFileStatus::Done);
        check(files.content().size() == size && files.content()[0] == 1);
        check(std::equal(files.content().begin() + 1, files.content().end(), data + 1));
    } else {
        check(firstRunFlag == 0 && record == trv::SettingsRecord{});
    }

    std::u16string executable;
    for (std::size_t i = 0; i + 1 < size; i += 2) {
        executable.push_back(static_cast<char16_t>(data[i] | (data[i + 1] << 8)));
    }
    const trv::SettingsFilePaths paths = trv::settingsFilePaths(executable);
    for (const std::u16string* path : {&paths.configBin, &paths.recordIni, &paths.strIni}) {
        check(!sameIgnoringAsciiCase(*path, executable));
        check(path->empty() || path->starts_with(paths.folder));
    }
    check(paths.configBin.empty() || paths.configBin.ends_with(u"config.bin"));
    check(executable.starts_with(paths.folder));
    return 0;
}
