#include "config/win_profile_store_win.h"

#include <windows.h>

#include <array>

#include "window/handles.h"
#include "window/wide.h"

namespace trv::win {

namespace {

constexpr std::array<BYTE, 2> kUtf16LeMark{0xFF, 0xFE};

enum class Creation { Existed, Created, Failed };

Creation createAsUtf16(const std::wstring& path) {
    FileHandle file(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return ::GetLastError() == ERROR_FILE_EXISTS ? Creation::Existed : Creation::Failed;
    DWORD written = 0;
    const bool ok =
        ::WriteFile(file.get(), kUtf16LeMark.data(), kUtf16LeMark.size(), &written, nullptr) &&
        written == kUtf16LeMark.size();
    file.reset();
    if (!ok) {
        ::DeleteFileW(path.c_str());
        return Creation::Failed;
    }
    return Creation::Created;
}

}  // namespace

std::u16string WinProfileStore::read(std::u16string_view section, std::u16string_view key) const {
    if (path_.empty()) return {};  // no file, rather than the profile functions' own choice
    std::array<wchar_t, kValueBuffer> buffer{};
    ::GetPrivateProfileStringW(toWide(section).c_str(), toWide(key).c_str(), L"", buffer.data(),
                               static_cast<DWORD>(buffer.size()), toWide(path_).c_str());
    return fromWide(untilNull(buffer.data(), buffer.size()));
}

bool WinProfileStore::write(std::u16string_view section, std::u16string_view key,
                            std::u16string_view value) {
    if (path_.empty()) return false;
    const std::wstring path = toWide(path_);
    const Creation creation = createAsUtf16(path);
    if (creation == Creation::Failed) return false;
    const bool written =
        ::WritePrivateProfileStringW(toWide(section).c_str(), toWide(key).c_str(),
                                     toWide(storableValue(value)).c_str(), path.c_str()) != FALSE;
    if (!written && creation == Creation::Created) ::DeleteFileW(path.c_str());
    return written;
}

}  // namespace trv::win
