#pragma once
// Which of a skin's image sets a display scale draws from. A skin folder
// holds its images for 100 % and may hold them again for larger scales in
// subfolders @125, @150, @175 and @200. The set at or nearest above the
// display's scale is drawn down, since shrinking loses less than enlarging;
// only when no such set has the image is the largest smaller one enlarged.

#include <array>
#include <functional>
#include <string>

namespace trv::ui {

// The scales of the image sets a skin may have, in percent of 96 DPI.
inline constexpr std::array<int, 5> kImageSetScales{100, 125, 150, 175, 200};

// The set to draw an image from at `dpi`, as its scale in percent: the first
// set, in the order above, for which `hasImage(scale)` holds; 100 when none
// does.
int chooseImageSet(int dpi, const std::function<bool(int scale)>& hasImage);

// The subfolder of a set inside a skin folder, as a prefix of the image's
// name (such as u"/main.png"): empty for 100 %, u"/@150" for 150 %.
std::u16string imageSetFolder(int scale);

}  // namespace trv::ui
