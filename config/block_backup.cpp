#include "config/block_backup.h"

#include <algorithm>

#include "config/crc32.h"
#include "config/profile_store_text.h"

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

void putHeader(std::span<std::uint8_t> out, std::uint16_t version, const BlockBackup& b) {
    std::copy(backup::kMagic.begin(), backup::kMagic.end(), out.begin() + backup::kMagicAt);
    putLittleEndian(out, backup::kVersionAt, version);
    putLittleEndian(out, backup::kVendorIdAt, b.vendorId);
    putLittleEndian(out, backup::kProductIdAt, b.productId);
    out[backup::kSensorTypeAt] = b.sensorType();
    putLittleEndian(out, backup::kDateAt, b.date);
}

void appendPart(std::vector<std::uint8_t>& out, std::span<const std::uint8_t> part) {
    const std::size_t at = out.size();
    out.resize(at + backup::kPartLengthSize);
    putLittleEndian(std::span(out), at, static_cast<std::uint32_t>(part.size()));
    out.insert(out.end(), part.begin(), part.end());
}

std::vector<std::uint8_t> blockBytes(const ConfigBlock& block) {
    std::vector<std::uint8_t> bytes(block.header.begin(), block.header.end());
    bytes.insert(bytes.end(), block.image.begin(), block.image.end());
    return bytes;
}

void appendCrc(std::vector<std::uint8_t>& out) {
    const std::uint32_t crc = crc32(out);
    out.resize(out.size() + backup::kCrcSize);
    putLittleEndian(std::span(out), out.size() - backup::kCrcSize, crc);
}

ConfigBlock blockOf(std::span<const std::uint8_t> bytes) {
    ConfigBlock block;
    std::copy_n(bytes.begin(), block::kHeaderSize, block.header.begin());
    std::copy_n(bytes.begin() + block::kHeaderSize, block::kImageSize, block.image.begin());
    return block;
}

// The parts of a format-2 file between its header and its CRC, in order;
// nothing when a length runs past the end or bytes are left over.
std::optional<std::vector<std::span<const std::uint8_t>>> partsOf(
    std::span<const std::uint8_t> body) {
    std::vector<std::span<const std::uint8_t>> parts;
    while (!body.empty()) {
        if (body.size() < backup::kPartLengthSize) return std::nullopt;
        const auto length = getLittleEndian<std::uint32_t>(body, 0);
        body = body.subspan(backup::kPartLengthSize);
        if (length > body.size()) return std::nullopt;
        parts.push_back(body.first(length));
        body = body.subspan(length);
    }
    return parts;
}

}  // namespace

std::vector<std::uint8_t> encodeBackup(const BlockBackup& b) {
    std::vector<std::uint8_t> out(backup::kPartsAt);
    if (!b.files) {
        putHeader(out, backup::kBlockOnlyVersion, b);
        const std::vector<std::uint8_t> block = blockBytes(b.block);
        out.insert(out.end(), block.begin(), block.end());
        appendCrc(out);
        return out;
    }
    putHeader(out, backup::kFormatVersion, b);
    appendPart(out, blockBytes(b.block));
    appendPart(out, b.files->configBin);
    appendPart(out, profile::encode({profile::Encoding::Utf8, b.files->labels}));
    appendCrc(out);
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
    const bool blockOnly = decoded.version == backup::kBlockOnlyVersion;
    if (!blockOnly && decoded.version != backup::kFormatVersion) {
        decoded.problem = BackupProblem::OtherVersion;
        return decoded;
    }
    const bool sized = blockOnly ? bytes.size() == backup::kSize
                                 : bytes.size() >= backup::kPartsAt + backup::kCrcSize &&
                                       bytes.size() <= backup::kMaxSize;
    if (!sized) {
        decoded.problem = BackupProblem::WrongSize;
        return decoded;
    }
    const std::size_t crcAt = bytes.size() - backup::kCrcSize;
    if (crc32(bytes.first(crcAt)) != getLittleEndian<std::uint32_t>(bytes, crcAt)) {
        decoded.problem = BackupProblem::Checksum;
        return decoded;
    }
    std::span<const std::uint8_t> block;
    BlockBackup& b = decoded.backup;
    if (blockOnly) {
        block = bytes.subspan(backup::kBlockAt, backup::kBlockSize);
    } else {
        const auto parts = partsOf(bytes.subspan(backup::kPartsAt, crcAt - backup::kPartsAt));
        if (!parts || parts->size() != 3 || (*parts)[0].size() != backup::kBlockSize ||
            (*parts)[1].size() != settings_file::kSize) {
            decoded.problem = BackupProblem::WrongSize;
            return decoded;
        }
        block = (*parts)[0];
        SettingsFilesBackup files;
        std::copy_n((*parts)[1].begin(), settings_file::kSize, files.configBin.begin());
        files.labels = profile::decode((*parts)[2]).text;
        b.files = std::move(files);
    }
    if (bytes[backup::kSensorTypeAt] != block[block::kHeaderSize + block::kSensorType]) {
        decoded.problem = BackupProblem::Inconsistent;
        b.files.reset();
        return decoded;
    }
    b.vendorId = getLittleEndian<std::uint16_t>(bytes, backup::kVendorIdAt);
    b.productId = getLittleEndian<std::uint16_t>(bytes, backup::kProductIdAt);
    b.date = getLittleEndian<std::int64_t>(bytes, backup::kDateAt);
    b.block = blockOf(block);
    return decoded;
}

}  // namespace trv
