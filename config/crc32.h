#pragma once
// CRC-32 as zip, PNG and Ethernet compute it (reflected polynomial 0xEDB88320,
// initial value and final XOR 0xFFFFFFFF), so a file's checksum can be checked
// with any common tool.

#include <cstdint>
#include <span>

namespace trv {

std::uint32_t crc32(std::span<const std::uint8_t> bytes);

}  // namespace trv
