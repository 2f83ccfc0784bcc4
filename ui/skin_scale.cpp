#include "ui/skin_scale.h"

#include <algorithm>

#include "ui/display_scale.h"

namespace trv::ui {

int chooseImageSet(int dpi, const std::function<bool(int scale)>& hasImage) {
    // Compared in whole numbers: a set covers the display when
    // scale / 100 >= dpi / 96.
    const auto covers = [dpi](int scale) { return scale * kBaseDpi >= dpi * 100; };
    for (int scale : kImageSetScales) {
        if (covers(scale) && hasImage(scale)) return scale;
    }
    for (auto it = kImageSetScales.rbegin(); it != kImageSetScales.rend(); ++it) {
        if (!covers(*it) && hasImage(*it)) return *it;
    }
    return 100;
}

std::u16string imageSetFolder(int scale) {
    if (scale == 100) return {};
    std::u16string folder = u"/@";
    for (char c : std::to_string(scale)) folder.push_back(static_cast<char16_t>(c));
    return folder;
}

}  // namespace trv::ui
