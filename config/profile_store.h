#pragma once
// A private profile (INI) file seen through the two calls the program makes on
// it, with the meaning GetPrivateProfileStringW and WritePrivateProfileStringW
// give them: a missing file, section or key reads as empty text, a value
// comes back cut to what a 1024-character buffer holds, and a write creates
// the file and the section when needed and leaves everything else as it was.

#include <cstddef>
#include <string>
#include <string_view>

namespace trv {

class ProfileStore {
  public:
    // Characters of the buffer every value is read into, its null included.
    static constexpr std::size_t kValueBuffer = 1024;
    static constexpr std::size_t kMaxValueLength = kValueBuffer - 1;

    virtual ~ProfileStore() = default;
    // Section and key names compare without regard to case or surrounding spaces.
    virtual std::u16string read(std::u16string_view section, std::u16string_view key) const = 0;
    // False when the file could not be written. A value ends at its first line
    // break or null, so that no value can add keys or sections of its own.
    virtual bool write(std::u16string_view section, std::u16string_view key,
                       std::u16string_view value) = 0;

    // A run of writes that reaches the file as one: between beginBatch and
    // commitBatch the writes collect, and the file then holds all of them, or,
    // when commitBatch returns false, none, byte for byte as it was. Reads in
    // between see the collected writes. Stores whose every write already
    // lands whole need nothing more.
    virtual void beginBatch() {}
    virtual bool commitBatch() { return true; }
};

// The part of a value that a write stores: everything before the first
// carriage return, line feed or null.
std::u16string_view storableValue(std::u16string_view value);

}  // namespace trv
