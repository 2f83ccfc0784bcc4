#pragma once
// A profile store over the text of a profile file held in memory, read and
// edited as the profile functions would the file, so that a whole set of
// changes reaches the disk in one replacement of the file.

#include <string>

#include "config/profile_store.h"
#include "config/profile_store_text.h"

namespace trv {

class TextProfileStore final : public ProfileStore {
  public:
    explicit TextProfileStore(std::u16string& text) : text_(text) {}
    std::u16string read(std::u16string_view section, std::u16string_view key) const override {
        return profile::findValue(text_, section, key).value_or(u"").substr(0, kMaxValueLength);
    }
    bool write(std::u16string_view section, std::u16string_view key,
               std::u16string_view value) override {
        profile::setValue(text_, section, key, storableValue(value));
        return true;
    }

  private:
    std::u16string& text_;
};

}  // namespace trv
