#include "ui/premultiply.h"

namespace trv::ui {

void premultiplyBgra(std::uint8_t* topRow, int width, int height, std::ptrdiff_t pitch) {
    for (int y = 0; y < height; ++y) {
        std::uint8_t* pixel = topRow + y * pitch;
        for (int x = 0; x < width; ++x, pixel += 4) {
            const unsigned alpha = pixel[3];
            for (int c = 0; c < 3; ++c)
                pixel[c] = static_cast<std::uint8_t>(pixel[c] * alpha / 255);
        }
    }
}

}  // namespace trv::ui
