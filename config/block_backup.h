#pragma once
// A backup of the mouse's configuration block as a file: a small header that
// says what it is, for which device and when it was taken, the 322 bytes as
// read, and a CRC-32 over everything before it. Multi-byte fields are
// little-endian.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "config/config_block.h"

namespace trv {

namespace backup {
inline constexpr std::array<std::uint8_t, 4> kMagic{'T', 'R', 'V', 'B'};
inline constexpr std::uint16_t kFormatVersion = 1;

inline constexpr std::size_t kMagicAt = 0;
// Stays at this offset in every version, so a newer file is told apart from a
// damaged one.
inline constexpr std::size_t kVersionAt = 4;
inline constexpr std::size_t kVendorIdAt = 6;
inline constexpr std::size_t kProductIdAt = 8;
inline constexpr std::size_t kSensorTypeAt = 10;  // the block's image byte 193, repeated
inline constexpr std::size_t kReservedAt = 11;    // 0
inline constexpr std::size_t kDateAt = 12;        // seconds since 1970-01-01 UTC, signed
inline constexpr std::size_t kBlockAt = 20;       // header bytes, then the image
inline constexpr std::size_t kBlockSize = block::kHeaderSize + block::kImageSize;
inline constexpr std::size_t kCrcAt = kBlockAt + kBlockSize;
inline constexpr std::size_t kSize = kCrcAt + 4;
}  // namespace backup

static_assert(backup::kBlockAt == backup::kDateAt + 8);
static_assert(backup::kSize == 346);

struct BlockBackup {
    std::uint16_t vendorId = 0;
    std::uint16_t productId = 0;
    std::int64_t date = 0;
    ConfigBlock block;

    std::uint8_t sensorType() const { return block.image[block::kSensorType]; }
};

std::array<std::uint8_t, backup::kSize> encodeBackup(const BlockBackup& backup);

enum class BackupProblem : std::uint8_t {
    None,
    NotABackup,    // too short for a header, or without the magic
    OtherVersion,  // a format this program does not read
    WrongSize,     // truncated or with bytes added
    Checksum,      // a byte changed since it was written
    Inconsistent,  // the header's sensor type is not the block's
};

struct DecodedBackup {
    BackupProblem problem = BackupProblem::None;
    std::uint16_t version = 0;  // as the file gives it, once the magic matched
    BlockBackup backup;         // only with no problem
};

// Checks in the order above; the device the backup is for is the caller's to
// judge.
DecodedBackup decodeBackup(std::span<const std::uint8_t> bytes);

}  // namespace trv
