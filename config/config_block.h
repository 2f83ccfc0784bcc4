#pragma once
// The mouse's 322-byte configuration: two header bytes and a 320-byte image
// that travels in five 64-byte pages. Offsets below are image offsets; every
// byte the program does not set goes back to the mouse exactly as it was read.

#include <array>
#include <cstddef>
#include <cstdint>

#include "config/debug_check.h"

namespace trv {

namespace block {
inline constexpr std::size_t kHeaderSize = 2;
inline constexpr std::size_t kImageSize = 320;
inline constexpr std::size_t kPageSize = 64;
inline constexpr std::size_t kPageCount = 5;

// Header bytes.
inline constexpr std::size_t kReportRateCode = 0;    // interval in ms: 1, 2, 4 or 8
inline constexpr std::size_t kHeaderMouseOwned = 1;  // the mouse's own; never changed

// Image offsets.
inline constexpr std::size_t kModeAPairs = 128;  // 8 x (code, parameter), button order
inline constexpr std::size_t kModeBPairs = 160;  // 8 x (code, parameter), slots 4 and 5 exchanged
inline constexpr std::size_t kPairCount = 8;
inline constexpr std::size_t kSensorType = 193;
inline constexpr std::size_t kEnabledStageCount = 198;
inline constexpr std::size_t kLightMode = 202;
inline constexpr std::size_t kLightParameter = 203;
inline constexpr std::size_t kLightParameterKind = 204;
inline constexpr std::size_t kFireMakeTime = 206;
inline constexpr std::size_t kFireBreakTime = 207;
inline constexpr std::size_t kSnipeDpiCode = 215;
inline constexpr std::size_t kStageDpiCodes = 216;  // stages 1..4; bit 7 set = stage disabled
inline constexpr std::size_t kStageCount = 4;
inline constexpr std::size_t kConsumerTable = 224;  // 16 x 16-bit usage, little-endian
inline constexpr std::size_t kConsumerEntries = 16;
inline constexpr std::size_t kStageColours = 280;  // 8 slots x (R, G, B), enabled stages packed
inline constexpr std::size_t kStageColourBytes = 24;
inline constexpr std::size_t kHotKeyTable = 304;  // 8 x (modifier usage, key usage)
inline constexpr std::size_t kHotKeyEntries = 8;
}  // namespace block

struct ConfigBlock {
    std::array<std::uint8_t, block::kHeaderSize> header{};
    std::array<std::uint8_t, block::kImageSize> image{};

    // Page p (1..5) carries image bytes 64(p-1) .. 64p-1.
    std::uint8_t* page(std::size_t p) {
        TRV_EXPECTS(p >= 1 && p <= block::kPageCount);
        return image.data() + block::kPageSize * (p - 1);
    }
    const std::uint8_t* page(std::size_t p) const {
        TRV_EXPECTS(p >= 1 && p <= block::kPageCount);
        return image.data() + block::kPageSize * (p - 1);
    }
    void clear() { *this = ConfigBlock{}; }
    bool operator==(const ConfigBlock&) const = default;
};

static_assert(sizeof(ConfigBlock) == 322, "the block is two header bytes and a 320-byte image");
static_assert(block::kPageSize * block::kPageCount == block::kImageSize);
static_assert(block::kStageColours + block::kStageColourBytes <= block::kHotKeyTable);
static_assert(block::kHotKeyTable + 2 * block::kHotKeyEntries == block::kImageSize);

}  // namespace trv
