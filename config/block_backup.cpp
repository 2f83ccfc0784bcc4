#include "config/block_backup.h"

#include <algorithm>

#include "config/crc32.h"

namespace trv {

namespace {

template <typename T>
void putLittleEndian(std::span<std::uint8_t> out, std::size_t at, T value) {
    const auto bits = static_cast<std::uint64_t>(value);
    for (std::size_t i = 0; i < sizeof(T); ++i) {
        out[at + i] = static_cast<std::uint8_t>(bits >> (8 * i));
    }
}

template <typename T>
T getLittleEndian(std::span<const std::uint8_t> in, std::size_t at) {
    std::uint64_t bits = 0;
    for (std::size_t i = 0; i < sizeof(T); ++i) {
        bits |= static_cast<std::uint64_t>(in[at + i]) << (8 * i);
    }
    return static_cast<T>(bits);
}

}  // namespace

std::array<std::uint8_t, backup::kSize> encodeBackup(const BlockBackup& b) {
    std::array<std::uint8_t, backup::kSize> out{};
    std::copy(backup::kMagic.begin(), backup::kMagic.end(), out.begin() + backup::kMagicAt);
    putLittleEndian(out, backup::kVersionAt, backup::kFormatVersion);
    putLittleEndian(out, backup::kVendorIdAt, b.vendorId);
    putLittleEndian(out, backup::kProductIdAt, b.productId);
    out[backup::kSensorTypeAt] = b.sensorType();
    putLittleEndian(out, backup::kDateAt, b.date);
    auto at =
        std::copy(b.block.header.begin(), b.block.header.end(), out.begin() + backup::kBlockAt);
    std::copy(b.block.image.begin(), b.block.image.end(), at);
    putLittleEndian(out, backup::kCrcAt,
                    crc32(std::span<const std::uint8_t>(out.data(), backup::kCrcAt)));
    return out;
}

DecodedBackup decodeBackup(std::span<const std::uint8_t> bytes) {
    DecodedBackup decoded;
    if (bytes.size() < backup::kVersionAt + 2 ||
        !std::equal(backup::kMagic.begin(), backup::kMagic.end(), bytes.begin())) {
        decoded.problem = BackupProblem::NotABackup;
        return decoded;
    }
    decoded.version = getLittleEndian<std::uint16_t>(bytes, backup::kVersionAt);
    if (decoded.version != backup::kFormatVersion) {
        decoded.problem = BackupProblem::OtherVersion;
    } else if (bytes.size() != backup::kSize) {
        decoded.problem = BackupProblem::WrongSize;
    } else if (crc32(bytes.first(backup::kCrcAt)) !=
               getLittleEndian<std::uint32_t>(bytes, backup::kCrcAt)) {
        decoded.problem = BackupProblem::Checksum;
    } else if (bytes[backup::kSensorTypeAt] !=
               bytes[backup::kBlockAt + block::kHeaderSize + block::kSensorType]) {
        decoded.problem = BackupProblem::Inconsistent;
    }
    if (decoded.problem != BackupProblem::None) return decoded;

    BlockBackup& b = decoded.backup;
    b.vendorId = getLittleEndian<std::uint16_t>(bytes, backup::kVendorIdAt);
    b.productId = getLittleEndian<std::uint16_t>(bytes, backup::kProductIdAt);
    b.date = getLittleEndian<std::int64_t>(bytes, backup::kDateAt);
    const auto blockBytes = bytes.subspan(backup::kBlockAt, backup::kBlockSize);
    std::copy_n(blockBytes.begin(), block::kHeaderSize, b.block.header.begin());
    std::copy_n(blockBytes.begin() + block::kHeaderSize, block::kImageSize, b.block.image.begin());
    return decoded;
}

}  // namespace trv
