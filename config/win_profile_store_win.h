#pragma once
// The profile store on the Windows profile functions themselves.

#include <string>

#include "config/profile_store.h"

namespace trv::win {

class WinProfileStore : public ProfileStore {
  public:
    explicit WinProfileStore(std::u16string path) : path_(std::move(path)) {}

    std::u16string read(std::u16string_view section, std::u16string_view key) const override;
    // A missing file is first created holding only the UTF-16 byte-order
    // mark: the profile functions then keep it UTF-16, and labels in every
    // interface language survive whatever the system's ANSI code page is.
    bool write(std::u16string_view section, std::u16string_view key,
               std::u16string_view value) override;

  private:
    std::u16string path_;
};

}  // namespace trv::win
