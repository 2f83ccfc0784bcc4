#pragma once
// The profile store on the standard library's files, for the tools, the tests
// and any platform without the Windows profile functions. It reads the file on
// every call, as those functions do, and writes the whole file at once through
// a temporary file, so a failed write never leaves half a file.

#include <cstddef>
#include <string>

#include "config/profile_store.h"

namespace trv {

class PortableProfileStore : public ProfileStore {
  public:
    // A larger file is not a settings file: it reads as empty and is never
    // written over.
    static constexpr std::size_t kMaxFileBytes = 16 * 1024 * 1024;

    explicit PortableProfileStore(std::u16string path) : path_(std::move(path)) {}

    std::u16string read(std::u16string_view section, std::u16string_view key) const override;
    // A missing file is created as UTF-16 with a byte-order mark, so that
    // labels in every interface language survive.
    bool write(std::u16string_view section, std::u16string_view key,
               std::u16string_view value) override;

  private:
    std::u16string path_;
};

}  // namespace trv
