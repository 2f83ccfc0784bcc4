#include "ui/image_cache_win.h"

#include "ui/display_scale.h"
#include "ui/skin_scale.h"
#include "window/wide.h"

namespace trv::ui {

namespace {

bool stampOf(const std::wstring& path, FILETIME& written, ULONGLONG& size) {
    WIN32_FILE_ATTRIBUTE_DATA file{};
    if (!::GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &file)) return false;
    written = file.ftLastWriteTime;
    size = ULONGLONG{file.nFileSizeHigh} << 32 | file.nFileSizeLow;
    return true;
}

bool exists(const std::wstring& path) {
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

}  // namespace

std::optional<ScaledImageFile> findScaledImage(const std::wstring& folder, std::u16string_view name,
                                               int dpi) {
    const std::wstring base = folder + win::toWide(name);
    const auto inSet = [&](int scale) {
        return folder + win::toWide(imageSetFolder(scale) + std::u16string(name));
    };
    const int set = chooseImageSet(dpi, [&](int scale) { return exists(inSet(scale)); });
    ScaledImageFile found{inSet(set)};
    // The drawn size follows the 100 % image, so that every element lands
    // exactly on the page's scaled rectangles; a set without its 100 % image
    // stands for it at its own scale.
    std::optional<std::pair<int, int>> size = PngImage::sizeOf(base);
    if (!size) {
        const auto own = PngImage::sizeOf(found.path);
        if (!own) return std::nullopt;
        size = std::pair{(own->first * 100 + set / 2) / set, (own->second * 100 + set / 2) / set};
    }
    const DisplayScale scale{dpi};
    found.width = scale.px(size->first);
    found.height = scale.px(size->second);
    return found;
}

std::optional<PngImage> loadScaledImage(const std::wstring& folder, std::u16string_view name,
                                        int dpi) {
    if (dpi == kBaseDpi) return PngImage::load(folder + win::toWide(name));
    const std::optional<ScaledImageFile> file = findScaledImage(folder, name, dpi);
    if (!file) return std::nullopt;
    return PngImage::load(file->path, file->width, file->height);
}

const PngImage* ImageCache::find(const std::wstring& folder, std::u16string_view name, int dpi) {
    if (dpi == kBaseDpi) return find(folder + win::toWide(name));
    std::pair key{folder + win::toWide(name), dpi};
    auto found = scaled_.find(key);
    FILETIME written{};
    ULONGLONG size = 0;
    // The set chosen at the first load stays while its file does; a set
    // added to the skin later shows when the program starts again.
    if (found != scaled_.end() && stampOf(found->second.file, written, size) &&
        found->second.size == size && ::CompareFileTime(&found->second.written, &written) == 0) {
        return found->second.image ? &*found->second.image : nullptr;
    }
    const std::optional<ScaledImageFile> file = findScaledImage(folder, name, dpi);
    if (!file || !stampOf(file->path, written, size)) {
        scaled_.erase(key);
        return nullptr;
    }
    Entry entry{written, size, PngImage::load(file->path, file->width, file->height), file->path};
    found = scaled_.insert_or_assign(std::move(key), std::move(entry)).first;
    return found->second.image ? &*found->second.image : nullptr;
}

const PngImage* ImageCache::find(const std::wstring& path) {
    WIN32_FILE_ATTRIBUTE_DATA file{};
    if (!::GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &file)) {
        entries_.erase(path);
        return nullptr;
    }
    const ULONGLONG size = ULONGLONG{file.nFileSizeHigh} << 32 | file.nFileSizeLow;
    auto found = entries_.find(path);
    const bool current = found != entries_.end() && found->second.size == size &&
                         ::CompareFileTime(&found->second.written, &file.ftLastWriteTime) == 0;
    if (!current) {
        // A file that does not decode is remembered too, so that a broken
        // image is not decoded again on every hover.
        Entry entry{file.ftLastWriteTime, size, PngImage::load(path), path};
        found = entries_.insert_or_assign(path, std::move(entry)).first;
    }
    return found->second.image ? &*found->second.image : nullptr;
}

}  // namespace trv::ui
