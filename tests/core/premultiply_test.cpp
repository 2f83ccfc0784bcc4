#include "ui/premultiply.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>

namespace trv::ui {
namespace {

using Bytes = std::array<std::uint8_t, 16>;

TEST(Premultiply, ColoursScaleByAlphaTruncatingAndAlphaStays) {
    Bytes pixels{200, 100, 50,  128,  // half transparent
                 255, 254, 1,   255,  // opaque: unchanged
                 90,  80,  70,  0,    // fully transparent: black
                 255, 255, 255, 1};
    premultiplyBgra(pixels.data(), 4, 1, 16);
    EXPECT_EQ(pixels, (Bytes{100, 50, 25, 128, 255, 254, 1, 255, 0, 0, 0, 0, 1, 1, 1, 1}));
}

TEST(Premultiply, BottomUpRowsAreAllReachedAndRowPaddingIsLeftAlone) {
    // Two rows of one pixel with four bytes of padding each, stored bottom row
    // first: the top row starts 8 bytes in and the pitch is -8.
    Bytes rows{10,  20,  30, 51,  7, 7, 7, 7,  // bottom row, then padding
               200, 100, 50, 128, 9, 9, 9, 9};
    premultiplyBgra(rows.data() + 8, 1, 2, -8);
    EXPECT_EQ(rows, (Bytes{2, 4, 6, 51, 7, 7, 7, 7, 100, 50, 25, 128, 9, 9, 9, 9}));
}

}  // namespace
}  // namespace trv::ui
