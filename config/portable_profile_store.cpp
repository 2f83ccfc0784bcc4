#include "config/portable_profile_store.h"

#include "config/profile_store_text.h"
#include "config/settings_file_disk.h"

namespace trv {

std::u16string PortableProfileStore::read(std::u16string_view section,
                                          std::u16string_view key) const {
    if (path_.empty()) return {};
    const auto bytes = readFileWhole(path_, kMaxFileBytes);
    if (!bytes) return {};
    const profile::Document document = profile::decode(*bytes);
    std::u16string value = profile::findValue(document.text, section, key).value_or(u"");
    if (value.size() > kMaxValueLength) value.resize(kMaxValueLength);
    return value;
}

bool PortableProfileStore::write(std::u16string_view section, std::u16string_view key,
                                 std::u16string_view value) {
    if (path_.empty()) return false;
    profile::Document document;
    if (fileExists(path_)) {
        const auto bytes = readFileWhole(path_, kMaxFileBytes);
        if (!bytes) return false;
        document = profile::decode(*bytes);
    }
    profile::setValue(document.text, section, key, storableValue(value));
    return replaceFileAtomically(path_, profile::encode(document)).written;
}

}  // namespace trv
