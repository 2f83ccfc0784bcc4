#pragma once
// How the store contracts get the store under test, and the file helpers they share.

#include <functional>
#include <memory>
#include <ostream>
#include <string>

#include "config/profile_store.h"
#include "tests/contract/temp_folder.h"

namespace trv::testing {

struct NamedStoreFactory {
    std::string name;
    std::function<std::unique_ptr<ProfileStore>(const std::u16string& path)> make;
};

inline void PrintTo(const NamedStoreFactory& factory, std::ostream* out) {
    *out << factory.name;
}
inline std::string storeName(const ::testing::TestParamInfo<NamedStoreFactory>& info) {
    return info.param.name;
}

// A file of UTF-16LE text behind its byte-order mark.
inline Bytes utf16File(std::u16string_view text) {
    Bytes bytes{0xFF, 0xFE};
    for (char16_t unit : text) {
        bytes.push_back(static_cast<std::uint8_t>(unit & 0xFF));
        bytes.push_back(static_cast<std::uint8_t>(unit >> 8));
    }
    return bytes;
}

inline Bytes withBytes(std::string_view text) {
    return bytesOf(text);
}

}  // namespace trv::testing
