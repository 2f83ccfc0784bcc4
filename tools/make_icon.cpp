// Draws the application icon, a gaming mouse seen from above, at the sizes the
// shell asks for, and writes it as a .ico file of 32-bit images with alpha.
// Usage: trv_make_icon <output.ico>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <vector>

namespace {

struct Rgba {
    double r, g, b, a;
};

// Signed distance from (x, y) to a rounded rectangle centred at (cx, cy).
double roundedBoxDistance(double x, double y, double cx, double cy, double halfW, double halfH,
                          double radius) {
    const double qx = std::fabs(x - cx) - halfW + radius;
    const double qy = std::fabs(y - cy) - halfH + radius;
    const double outside = std::hypot(std::max(qx, 0.0), std::max(qy, 0.0));
    return outside + std::min(std::max(qx, qy), 0.0) - radius;
}

Rgba over(Rgba top, Rgba bottom) {
    const double a = top.a + bottom.a * (1 - top.a);
    if (a <= 0) return {0, 0, 0, 0};
    auto mix = [&](double t, double b) { return (t * top.a + b * bottom.a * (1 - top.a)) / a; };
    return {mix(top.r, bottom.r), mix(top.g, bottom.g), mix(top.b, bottom.b), a};
}

// The icon in unit coordinates (0..1 across, 0..1 down).
Rgba shade(double x, double y) {
    Rgba pixel{0, 0, 0, 0};
    // Body: a tall rounded shape, charcoal with a light falling from the top.
    const double body = roundedBoxDistance(x, y, 0.5, 0.52, 0.30, 0.44, 0.28);
    if (body <= 0) {
        const double light = 0.30 - 0.18 * y;
        pixel = over({light, light, light + 0.03, 1}, pixel);
        // Rim glow along the lower edge, the mouse's lighting.
        if (body > -0.035 && y > 0.55) pixel = over({0.90, 0.10, 0.16, 0.9}, pixel);
        // Split between the two main buttons.
        if (y < 0.42 && std::fabs(x - 0.5) < 0.012) pixel = over({0.05, 0.05, 0.06, 1}, pixel);
        // Line under the buttons.
        if (std::fabs(y - 0.42) < 0.012 && std::fabs(x - 0.5) < 0.29)
            pixel = over({0.05, 0.05, 0.06, 1}, pixel);
        // Wheel, lit red.
        const double wheel = roundedBoxDistance(x, y, 0.5, 0.27, 0.045, 0.09, 0.045);
        if (wheel <= 0) pixel = over({0.95, 0.15, 0.20, 1}, pixel);
        // DPI marks below the wheel.
        for (int i = 0; i < 3; ++i) {
            const double cy = 0.50 + 0.07 * i;
            if (std::fabs(y - cy) < 0.018 && std::fabs(x - 0.5) < 0.05)
                pixel = over({0.85, 0.85, 0.88, 1}, pixel);
        }
    }
    return pixel;
}

std::vector<std::uint8_t> renderBgra(int size) {
    constexpr int kSamples = 4;  // per axis, for smooth edges at small sizes
    std::vector<std::uint8_t> bgra(static_cast<std::size_t>(size) * size * 4);
    for (int row = 0; row < size; ++row) {
        for (int col = 0; col < size; ++col) {
            double r = 0, g = 0, b = 0, a = 0;
            for (int sy = 0; sy < kSamples; ++sy) {
                for (int sx = 0; sx < kSamples; ++sx) {
                    const Rgba p = shade((col + (sx + 0.5) / kSamples) / size,
                                         (row + (sy + 0.5) / kSamples) / size);
                    r += p.r * p.a;
                    g += p.g * p.a;
                    b += p.b * p.a;
                    a += p.a;
                }
            }
            const double n = kSamples * kSamples;
            auto channel = [](double v) {
                return static_cast<std::uint8_t>(std::clamp(v, 0.0, 1.0) * 255 + 0.5);
            };
            // Stored bottom-up, as icon bitmaps are.
            std::uint8_t* out = &bgra[(static_cast<std::size_t>(size - 1 - row) * size + col) * 4];
            const double alpha = a / n;
            out[0] = channel(a > 0 ? b / a : 0);
            out[1] = channel(a > 0 ? g / a : 0);
            out[2] = channel(a > 0 ? r / a : 0);
            out[3] = channel(alpha);
        }
    }
    return bgra;
}

void put16(std::vector<std::uint8_t>& out, unsigned v) {
    out.push_back(v & 0xFF);
    out.push_back((v >> 8) & 0xFF);
}
void put32(std::vector<std::uint8_t>& out, unsigned v) {
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

std::vector<std::uint8_t> iconImage(int size) {
    std::vector<std::uint8_t> image;
    const unsigned maskRow = ((size + 31) / 32) * 4;
    put32(image, 40);        // BITMAPINFOHEADER size
    put32(image, size);      // width
    put32(image, size * 2);  // height of colour and mask together
    put16(image, 1);         // planes
    put16(image, 32);        // bits per pixel
    put32(image, 0);         // BI_RGB
    put32(image, size * size * 4 + maskRow * size);
    for (int i = 0; i < 4; ++i) put32(image, 0);
    const std::vector<std::uint8_t> bgra = renderBgra(size);
    image.insert(image.end(), bgra.begin(), bgra.end());
    image.insert(image.end(), maskRow * size, 0);  // alpha decides; the mask shows all
    return image;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <output.ico>\n", argv[0]);
        return 2;
    }
    const int sizes[] = {16, 20, 24, 32, 40, 48, 64};
    std::vector<std::vector<std::uint8_t>> images;
    for (int size : sizes) images.push_back(iconImage(size));

    std::vector<std::uint8_t> file;
    put16(file, 0);
    put16(file, 1);  // icon
    put16(file, static_cast<unsigned>(images.size()));
    unsigned offset = 6 + 16 * static_cast<unsigned>(images.size());
    for (std::size_t i = 0; i < images.size(); ++i) {
        file.push_back(static_cast<std::uint8_t>(sizes[i]));
        file.push_back(static_cast<std::uint8_t>(sizes[i]));
        file.push_back(0);  // no palette
        file.push_back(0);
        put16(file, 1);
        put16(file, 32);
        put32(file, static_cast<unsigned>(images[i].size()));
        put32(file, offset);
        offset += static_cast<unsigned>(images[i].size());
    }
    for (const auto& image : images) file.insert(file.end(), image.begin(), image.end());

    std::ofstream out(argv[1], std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(file.data()),
              static_cast<std::streamsize>(file.size()));
    return out ? 0 : 1;
}
