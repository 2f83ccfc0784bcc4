#pragma once
// Per-pixel alpha blending (AlphaBlend with AC_SRC_ALPHA) expects colours
// already multiplied by their alpha; image decoders hand them out straight.

#include <cstddef>
#include <cstdint>

namespace trv::ui {

// Replaces blue, green and red of every 32-bit blue-green-red-alpha pixel by
// value * alpha / 255, truncated; alpha stays. `topRow` is the first pixel of
// the image's top row and `pitch` the byte distance from one row to the next
// below it, negative for bottom-up bitmaps. Bytes between rows are untouched.
void premultiplyBgra(std::uint8_t* topRow, int width, int height, std::ptrdiff_t pitch);

}  // namespace trv::ui
