#pragma once
// The frames that carry the configuration block over the mouse's two feature
// collections: 8-byte command frames on the command collection and 65-byte data
// reports (one 64-byte page each) on the data collection.

#include <array>
#include <cstddef>
#include <cstdint>

namespace trv::wire {

// Every frame is built in, or received into, a buffer of this size; the length
// handed to the HID calls is the collection's feature report length.
inline constexpr std::size_t kFrameBufferSize = 80;
inline constexpr std::size_t kCommandFrameSize = 8;
inline constexpr std::size_t kDataReportSize = 65;

// Command frame layout.
inline constexpr std::size_t kReportIdAt = 0;
inline constexpr std::size_t kSignatureAt = 1;
inline constexpr std::size_t kCommandAt = 5;
inline constexpr std::size_t kHeader0At = 6;
inline constexpr std::size_t kHeader1At = 7;
inline constexpr std::array<std::uint8_t, 4> kSignature{0xAA, 0xCC, 0xEE, 0xDD};

inline constexpr std::uint8_t kCommandReportId = 0x01;
inline constexpr std::uint8_t kDataReportId = 0x00;

// Command bytes: the header query, and page commands (bit 7 set = read).
inline constexpr std::uint8_t kHeaderCommand = 0x80;
inline constexpr std::uint8_t kReadFlag = 0x80;
constexpr std::uint8_t readPageCommand(std::size_t page) {
    return static_cast<std::uint8_t>(kReadFlag | page);
}
constexpr std::uint8_t writePageCommand(std::size_t page) {
    return static_cast<std::uint8_t>(page);
}

// Data report layout: report ID, then the page's 64 bytes. The page is cut into
// 8-byte slices; the first byte of each slice travels plain, the other seven are
// one scrambled group.
inline constexpr std::size_t kPageAt = 1;
inline constexpr std::size_t kSliceSize = 8;
inline constexpr std::size_t kSlicesPerPage = 8;

// The 20 ms the mouse needs to take in each written frame.
inline constexpr std::uint32_t kWriteSettleMs = 20;

static_assert(kPageAt + kSliceSize * kSlicesPerPage == kDataReportSize);
static_assert(kDataReportSize <= kFrameBufferSize);

}  // namespace trv::wire
