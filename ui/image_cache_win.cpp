#include "ui/image_cache_win.h"

namespace trv::ui {

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
        Entry entry{file.ftLastWriteTime, size, PngImage::load(path)};
        found = entries_.insert_or_assign(path, std::move(entry)).first;
    }
    return found->second.image ? &*found->second.image : nullptr;
}

}  // namespace trv::ui
