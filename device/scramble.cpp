#include "device/scramble.h"

#include <cstddef>

namespace trv {

namespace {

constexpr std::size_t kGroupBytes = 7;
constexpr unsigned kGroupBits = 8 * kGroupBytes;
constexpr std::uint64_t kGroupMask = (std::uint64_t{1} << kGroupBits) - 1;
constexpr unsigned kScrambleLeft = 2;
constexpr unsigned kScrambleRight = 3;

std::uint64_t loadGroup(const std::uint8_t* group) {
    std::uint64_t value = 0;
    for (std::size_t i = 0; i < kGroupBytes; ++i) value = (value << 8) | group[i];
    return value;
}

void storeGroup(std::uint64_t value, std::uint8_t* group) {
    for (std::size_t i = kGroupBytes; i-- > 0;) {
        group[i] = static_cast<std::uint8_t>(value);
        value >>= 8;
    }
}

std::uint64_t rotateLeft(std::uint64_t value, unsigned bits) {
    return ((value << bits) | (value >> (kGroupBits - bits))) & kGroupMask;
}

std::uint64_t rotateRight(std::uint64_t value, unsigned bits) {
    return ((value >> bits) | (value << (kGroupBits - bits))) & kGroupMask;
}

std::uint64_t keyValue(const ScrambleKey& key) {
    return loadGroup(key.data());
}

// Rotate left, mix in the key, rotate right: the unscrambling uses the same
// steps with the two rotation widths exchanged.
void transform(std::uint8_t* lead, const ScrambleKey& key, unsigned left, unsigned right) {
    std::uint8_t* group = lead + 1;
    const std::uint64_t mixed = rotateLeft(loadGroup(group), left) ^ keyValue(key);
    storeGroup(rotateRight(mixed, right), group);
}

}  // namespace

void scrambleGroupWithKey(std::uint8_t* lead, const ScrambleKey& key) {
    transform(lead, key, kScrambleLeft, kScrambleRight);
}

void unscrambleGroupWithKey(std::uint8_t* lead, const ScrambleKey& key) {
    transform(lead, key, kScrambleRight, kScrambleLeft);
}

void ScrambleGroup(std::uint8_t* lead) {
    scrambleGroupWithKey(lead, kScrambleKey);
}

void UnscrambleGroup(std::uint8_t* lead) {
    unscrambleGroupWithKey(lead, kScrambleKey);
}

void scrambleCommandFrame(std::span<std::uint8_t, wire::kCommandFrameSize> frame) {
    ScrambleGroup(frame.data() + wire::kReportIdAt);
}

void unscrambleCommandFrame(std::span<std::uint8_t, wire::kCommandFrameSize> frame) {
    UnscrambleGroup(frame.data() + wire::kReportIdAt);
}

void scrambleDataReport(std::span<std::uint8_t, wire::kDataReportSize> report) {
    for (std::size_t slice = 0; slice < wire::kSlicesPerPage; ++slice) {
        ScrambleGroup(report.data() + wire::kPageAt + slice * wire::kSliceSize);
    }
}

void unscrambleDataReport(std::span<std::uint8_t, wire::kDataReportSize> report) {
    for (std::size_t slice = 0; slice < wire::kSlicesPerPage; ++slice) {
        UnscrambleGroup(report.data() + wire::kPageAt + slice * wire::kSliceSize);
    }
}

}  // namespace trv
