#include "config/win_profile_store_win.h"

#include <windows.h>

#include <array>

#include "window/handles.h"
#include "window/wide.h"

namespace trv::win {

namespace {

constexpr std::array<BYTE, 2> kUtf16LeMark{0xFF, 0xFE};
constexpr wchar_t kCopyPrefix[] = L"str";

bool writeUtf16Mark(HANDLE file) {
    DWORD written = 0;
    return ::WriteFile(file, kUtf16LeMark.data(), kUtf16LeMark.size(), &written, nullptr) &&
           written == kUtf16LeMark.size();
}

enum class Creation { Existed, Created, Failed };

Creation createAsUtf16(const std::wstring& path) {
    FileHandle file(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return ::GetLastError() == ERROR_FILE_EXISTS ? Creation::Existed : Creation::Failed;
    const bool ok = writeUtf16Mark(file.get());
    file.reset();
    if (!ok) {
        ::DeleteFileW(path.c_str());
        return Creation::Failed;
    }
    return Creation::Created;
}

std::wstring folderOf(const std::wstring& path) {
    const std::size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring(L".") : path.substr(0, slash + 1);
}

// Whatever the profile functions still hold of the file goes to the disk.
bool flushToDisk(const std::wstring& path) {
    ::WritePrivateProfileStringW(nullptr, nullptr, nullptr, path.c_str());
    FileHandle file(::CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    return file && ::FlushFileBuffers(file.get());
}

}  // namespace

WinProfileStore::~WinProfileStore() {
    dropBatch();
}

std::wstring WinProfileStore::target() const {
    return batch_ ? batch_->copy : toWide(path_);
}

std::wstring WinProfileStore::readTarget() const {
    return batch_ && !batch_->failed ? batch_->copy : toWide(path_);
}

std::u16string WinProfileStore::read(std::u16string_view section, std::u16string_view key) const {
    const std::wstring path = readTarget();
    if (path.empty()) return {};  // no file, rather than the profile functions' own choice
    std::array<wchar_t, kValueBuffer> buffer{};
    ::GetPrivateProfileStringW(toWide(section).c_str(), toWide(key).c_str(), L"", buffer.data(),
                               static_cast<DWORD>(buffer.size()), path.c_str());
    return fromWide(untilNull(buffer.data(), buffer.size()));
}

bool WinProfileStore::write(std::u16string_view section, std::u16string_view key,
                            std::u16string_view value) {
    const std::wstring path = target();
    const bool written = [&] {
        if (path.empty() || (batch_ && batch_->failed)) return false;
        const Creation creation = createAsUtf16(path);
        if (creation == Creation::Failed) return false;
        const bool ok = ::WritePrivateProfileStringW(toWide(section).c_str(), toWide(key).c_str(),
                                                     toWide(storableValue(value)).c_str(),
                                                     path.c_str()) != FALSE;
        if (!ok && creation == Creation::Created) ::DeleteFileW(path.c_str());
        return ok;
    }();
    if (!written && batch_) batch_->failed = true;
    return written;
}

void WinProfileStore::beginBatch() {
    dropBatch();
    batch_.emplace();
    if (path_.empty()) {
        batch_->failed = true;
        return;
    }
    const std::wstring original = toWide(path_);
    std::array<wchar_t, MAX_PATH> name{};
    if (::GetTempFileNameW(folderOf(original).c_str(), kCopyPrefix, 0, name.data()) == 0) {
        batch_->failed = true;
        return;
    }
    batch_->copy = name.data();  // made, empty
    bool copied = false;
    if (::GetFileAttributesW(original.c_str()) != INVALID_FILE_ATTRIBUTES) {
        copied = ::CopyFileW(original.c_str(), name.data(), FALSE) != FALSE;
    } else {
        // As a first write would have made the file: UTF-16 from the start.
        FileHandle copy(::CreateFileW(name.data(), GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
        copied = copy && writeUtf16Mark(copy.get());
    }
    if (!copied) batch_->failed = true;
}

bool WinProfileStore::commitBatch() {
    if (!batch_) return true;
    const bool ready = !batch_->copy.empty() && !batch_->failed && flushToDisk(batch_->copy);
    if (!ready || !::MoveFileExW(batch_->copy.c_str(), toWide(path_).c_str(),
                                 MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        dropBatch();
        return false;
    }
    batch_.reset();
    return true;
}

void WinProfileStore::dropBatch() {
    if (batch_ && !batch_->copy.empty()) {
        // A copy of a read-only str.ini is read-only too.
        ::SetFileAttributesW(batch_->copy.c_str(), FILE_ATTRIBUTE_NORMAL);
        ::DeleteFileW(batch_->copy.c_str());
    }
    batch_.reset();
}

}  // namespace trv::win
