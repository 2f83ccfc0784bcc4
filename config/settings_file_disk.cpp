#include "config/settings_file_disk.h"

#include <cerrno>
#include <filesystem>
#include <fstream>

namespace trv {

namespace fs = std::filesystem;

namespace {

constexpr std::u16string_view kTemporarySuffix = u".tmp";
constexpr std::size_t kReadChunk = 64 * 1024;

// Paths that do not convert to the platform's form (a lone surrogate on a
// UTF-8 system) name no file.
std::optional<fs::path> toPath(const std::u16string& path) {
    try {
        return fs::path(path);
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

std::uint32_t lastErrno(std::uint32_t fallback) {
    return errno != 0 ? static_cast<std::uint32_t>(errno) : fallback;
}

// Removes the temporary file once it was created, unless the rename took it.
class TemporaryFile {
  public:
    explicit TemporaryFile(fs::path path) : path_(std::move(path)) {}
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;
    ~TemporaryFile() {
        if (owned_) {
            std::error_code ignored;
            fs::remove(path_, ignored);
        }
    }
    const fs::path& path() const { return path_; }
    void created() { owned_ = true; }
    void renamed() { owned_ = false; }

  private:
    fs::path path_;
    bool owned_ = false;
};

}  // namespace

bool fileExists(const std::u16string& path) {
    const auto p = toPath(path);
    std::error_code ec;
    return p && fs::exists(*p, ec);
}

std::optional<std::vector<std::uint8_t>> readFileWhole(const std::u16string& path,
                                                       std::size_t sizeLimit) {
    const auto p = toPath(path);
    std::error_code ec;
    if (!p || !fs::is_regular_file(*p, ec)) return std::nullopt;
    std::ifstream in(*p, std::ios::binary);
    if (!in) return std::nullopt;
    std::vector<std::uint8_t> bytes;
    while (in) {
        const std::size_t had = bytes.size();
        bytes.resize(had + kReadChunk);
        in.read(reinterpret_cast<char*>(bytes.data() + had), kReadChunk);
        bytes.resize(had + static_cast<std::size_t>(in.gcount()));
        if (bytes.size() > sizeLimit) return std::nullopt;
    }
    if (in.bad()) return std::nullopt;
    return bytes;
}

WriteResult replaceFileAtomically(const std::u16string& path, std::span<const std::uint8_t> bytes,
                                  const std::function<bool()>& beforeReplace) {
    const auto target = toPath(path + std::u16string(kTemporarySuffix));
    const auto destination = toPath(path);
    if (!target || !destination) return {false, EINVAL};
    TemporaryFile temporary(*target);
    errno = 0;
    {
        std::ofstream out(temporary.path(), std::ios::binary | std::ios::trunc);
        if (!out) return {false, lastErrno(EACCES)};
        temporary.created();
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
        out.flush();
        if (!out) return {false, lastErrno(EIO)};
        out.close();
        if (!out) return {false, lastErrno(EIO)};
    }
    if (beforeReplace && !beforeReplace()) return {false, ECANCELED};
    std::error_code ec;
    fs::rename(temporary.path(), *destination, ec);
    if (ec) return {false, static_cast<std::uint32_t>(ec.value())};
    temporary.renamed();
    return {true, 0};
}

std::vector<std::u16string> DiskSettingsFileSystem::filesIn(const std::u16string& folder,
                                                            std::u16string_view suffix) {
    std::vector<std::u16string> names;
    const std::optional<fs::path> path = toPath(folder);
    std::error_code error;
    if (!path) return names;
    for (fs::directory_iterator it(*path, error), end; !error && it != end; it.increment(error)) {
        if (!it->is_regular_file(error)) continue;
        std::u16string name = it->path().filename().u16string();
        if (nameEndsWith(name, suffix)) names.push_back(std::move(name));
    }
    return names;
}

WriteResult DiskSettingsFileSystem::makeFolder(const std::u16string& folder) {
    const std::optional<fs::path> path = toPath(folder);
    if (!path) return {false, EINVAL};
    std::error_code error;
    fs::create_directory(*path, error);
    if (fs::is_directory(*path)) return {true, 0};
    return {false, error ? static_cast<std::uint32_t>(error.value()) : EEXIST};
}

}  // namespace trv
