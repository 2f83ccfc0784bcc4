#include "settings/verified_write.h"

namespace trv {

std::optional<BlockDifference> compareWritten(const ConfigBlock& written, const ConfigBlock& read) {
    BlockDifference difference;
    auto compare = [&](bool header, std::size_t at, std::uint8_t w, std::uint8_t r) {
        if (w == r) return;
        if (difference.differing++ == 0) {
            difference.inHeader = header;
            difference.at = at;
            difference.written = w;
            difference.readBack = r;
        }
    };
    compare(true, block::kReportRateCode, written.header[block::kReportRateCode],
            read.header[block::kReportRateCode]);
    for (std::size_t i = 0; i < block::kImageSize; ++i) {
        compare(false, i, written.image[i], read.image[i]);
    }
    if (difference.differing == 0) return std::nullopt;
    return difference;
}

VerifiedWrite writeAndVerify(const DeviceState& device, const BlockState& state, Clock& clock,
                             bool verify) {
    VerifiedWrite result;
    result.written = WriteConfigBlock(device, state, clock);
    if (!result.written.ok() || !verify) return result;
    BlockState readBack;
    result.readBack = ReadConfigBlock(device, readBack);
    if (result.readBack.ok()) result.difference = compareWritten(state.block, readBack.block);
    return result;
}

}  // namespace trv
