#include "config/settings_file_win.h"

#include <windows.h>

#include <utility>

#include "window/handles.h"
#include "window/wide.h"

namespace trv::win {

namespace {

constexpr DWORD kFirstPathCapacity = MAX_PATH;
constexpr DWORD kLongestPath = 32768;
constexpr std::wstring_view kTemporarySuffix = L".tmp";
constexpr DWORD kCancelled = ERROR_CANCELLED;
// A program that reads config.bin without letting it be deleted (a virus
// scanner, a backup, a file preview) holds its replacement off for a moment:
// the save tries again for about a second before it reports the failure.
constexpr int kReplaceAttempts = 9;
constexpr DWORD kReplacePauseMs = 125;
// Readers of config.bin stand in nobody's way, a replacement least of all.
constexpr DWORD kReaderSharing = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// Deletes the temporary file on every way out except a completed move.
class TemporaryFile {
  public:
    explicit TemporaryFile(std::wstring path) : path_(std::move(path)) {}
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;
    ~TemporaryFile() {
        if (owned_) ::DeleteFileW(path_.c_str());
    }
    const wchar_t* path() const { return path_.c_str(); }
    void created() { owned_ = true; }
    void moved() { owned_ = false; }

  private:
    std::wstring path_;
    bool owned_ = false;
};

WriteResult failed(DWORD error) {
    return {false, error != 0 ? error : ERROR_WRITE_FAULT};
}

bool writeAll(HANDLE file, std::span<const std::uint8_t> bytes) {
    while (!bytes.empty()) {
        DWORD written = 0;
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), MAXDWORD));
        if (!::WriteFile(file, bytes.data(), chunk, &written, nullptr) || written == 0) {
            return false;
        }
        bytes = bytes.subspan(written);
    }
    return true;
}

struct FindTraits {  // FindFirstFileW: failure is INVALID_HANDLE_VALUE
    using Handle = HANDLE;
    static Handle invalid() { return INVALID_HANDLE_VALUE; }
    static void close(Handle h) { ::FindClose(h); }
};

bool heldByAnotherProgram(DWORD error) {
    return error == ERROR_SHARING_VIOLATION || error == ERROR_ACCESS_DENIED;
}

}  // namespace

std::u16string executablePath() {
    std::wstring buffer(kFirstPathCapacity, L'\0');
    for (;;) {
        const DWORD length =
            ::GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) return {};
        if (length < buffer.size() || buffer.size() >= kLongestPath) {
            buffer.resize(length);
            return fromWide(buffer);
        }
        buffer.resize(buffer.size() * 2);
    }
}

bool WinSettingsFileSystem::exists(const std::u16string& path) {
    return ::GetFileAttributesW(toWide(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::optional<std::vector<std::uint8_t>> WinSettingsFileSystem::readWhole(
    const std::u16string& path, std::size_t sizeLimit) {
    return readWithCause(path, sizeLimit).bytes;
}

ReadResult WinSettingsFileSystem::readWithCause(const std::u16string& path, std::size_t sizeLimit) {
    FileHandle file(::CreateFileW(toWide(path).c_str(), GENERIC_READ, kReaderSharing, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return {std::nullopt, ::GetLastError()};
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(file.get(), &size)) return {std::nullopt, ::GetLastError()};
    if (size.QuadPart < 0 || static_cast<unsigned long long>(size.QuadPart) > sizeLimit) {
        return {std::nullopt, 0};
    }
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size.QuadPart));
    std::size_t filled = 0;
    while (filled < bytes.size()) {
        DWORD got = 0;
        const DWORD chunk =
            static_cast<DWORD>(std::min<std::size_t>(bytes.size() - filled, MAXDWORD));
        if (!::ReadFile(file.get(), bytes.data() + filled, chunk, &got, nullptr)) {
            return {std::nullopt, ::GetLastError()};
        }
        if (got == 0) break;
        filled += got;
    }
    bytes.resize(filled);
    return {std::move(bytes), 0};
}

WriteResult WinSettingsFileSystem::replaceWhole(const std::u16string& path,
                                                std::span<const std::uint8_t> bytes) {
    const std::wstring destination = toWide(path);
    TemporaryFile temporary(destination + std::wstring(kTemporarySuffix));
    {
        FileHandle file(::CreateFileW(temporary.path(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file) return failed(::GetLastError());
        temporary.created();
        if (!writeAll(file.get(), bytes) || !::FlushFileBuffers(file.get())) {
            return failed(::GetLastError());
        }
    }
    if (beforeReplace_ && !beforeReplace_()) return failed(kCancelled);
    for (int attempt = 1;; ++attempt) {
        if (::MoveFileExW(temporary.path(), destination.c_str(),
                          MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
            break;
        }
        const DWORD error = ::GetLastError();
        if (!heldByAnotherProgram(error) || attempt == kReplaceAttempts) return failed(error);
        ::Sleep(kReplacePauseMs);
    }
    temporary.moved();
    return {true, 0};
}

std::vector<std::u16string> WinSettingsFileSystem::filesIn(const std::u16string& folder,
                                                           std::u16string_view suffix) {
    std::vector<std::u16string> names;
    WIN32_FIND_DATAW found{};
    const Owned<FindTraits> search(::FindFirstFileW((toWide(folder) + L"*").c_str(), &found));
    if (!search) return names;
    do {
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
        std::u16string name = fromWide(found.cFileName);
        if (nameEndsWith(name, suffix)) names.push_back(std::move(name));
    } while (::FindNextFileW(search.get(), &found));
    return names;
}

WriteResult WinSettingsFileSystem::makeFolder(const std::u16string& folder) {
    const std::wstring path = toWide(folder);
    if (::CreateDirectoryW(path.c_str(), nullptr)) return {true, 0};
    const DWORD error = ::GetLastError();
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        return {true, 0};
    }
    return {false, error};
}

}  // namespace trv::win
