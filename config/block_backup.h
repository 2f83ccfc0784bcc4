#pragma once
// A backup as a file: a small header that says what it is, for which device
// and when it was taken, then what was backed up, and a CRC-32 over
// everything before it. Multi-byte fields are little-endian. Format 1 holds
// the mouse's 322-byte block alone; format 2, the one written now, holds the
// whole configuration: the block, config.bin and the button labels of every
// language (as INI text in UTF-8), each part behind its own 4-byte length.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "config/config_block.h"
#include "config/settings_file.h"

namespace trv {

namespace backup {
inline constexpr std::array<std::uint8_t, 4> kMagic{'T', 'R', 'V', 'B'};
inline constexpr std::uint16_t kBlockOnlyVersion = 1;
inline constexpr std::uint16_t kFormatVersion = 2;  // the one written

inline constexpr std::size_t kMagicAt = 0;
// Stays at this offset in every version, so a newer file is told apart from a
// damaged one.
inline constexpr std::size_t kVersionAt = 4;
inline constexpr std::size_t kVendorIdAt = 6;
inline constexpr std::size_t kProductIdAt = 8;
inline constexpr std::size_t kSensorTypeAt = 10;  // the block's image byte 193, repeated
inline constexpr std::size_t kReservedAt = 11;    // 0
inline constexpr std::size_t kDateAt = 12;        // seconds since 1970-01-01 UTC, signed
inline constexpr std::size_t kBlockSize = block::kHeaderSize + block::kImageSize;
inline constexpr std::size_t kCrcSize = 4;

// Format 1: the block (header bytes, then the image) right after the date.
inline constexpr std::size_t kBlockAt = 20;
inline constexpr std::size_t kCrcAt = kBlockAt + kBlockSize;
inline constexpr std::size_t kSize = kCrcAt + kCrcSize;

// Format 2: from kPartsAt, each part's length (4 bytes) and its bytes: the
// block, config.bin, the labels.
inline constexpr std::size_t kPartsAt = 20;
inline constexpr std::size_t kPartLengthSize = 4;
inline constexpr std::size_t kMaxLabelsBytes = 256 * 1024;
inline constexpr std::size_t kMaxSize =
    kPartsAt + 3 * kPartLengthSize + kBlockSize + settings_file::kSize + kMaxLabelsBytes + kCrcSize;
}  // namespace backup

static_assert(backup::kBlockAt == backup::kDateAt + 8);
static_assert(backup::kSize == 346);

// The program's files as a backup holds them.
struct SettingsFilesBackup {
    std::array<std::uint8_t, settings_file::kSize> configBin{};
    std::u16string labels;  // INI text: the label sections of str.ini
};

struct BlockBackup {
    std::uint16_t vendorId = 0;
    std::uint16_t productId = 0;
    std::int64_t date = 0;
    ConfigBlock block;
    std::optional<SettingsFilesBackup> files;  // none in a block-only backup

    std::uint8_t sensorType() const { return block.image[block::kSensorType]; }
};

// Format 2 with files, format 1 without.
std::vector<std::uint8_t> encodeBackup(const BlockBackup& backup);

enum class BackupProblem : std::uint8_t {
    None,
    NotABackup,    // too short for a header, or without the magic
    OtherVersion,  // a format this program does not read
    WrongSize,     // truncated, with bytes added, or with a part of the wrong size
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
