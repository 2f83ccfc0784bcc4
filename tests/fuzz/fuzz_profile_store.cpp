// str.ini is edited by hand and by installers: any bytes must parse, and an
// edit must change exactly the one key it writes.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string>
#include <utility>

#include "config/profile_store.h"
#include "config/profile_store_text.h"

namespace {

using trv::profile::Document;
using trv::profile::Encoding;

constexpr std::pair<std::u16string_view, std::u16string_view> kProbes[] = {
    {u"Skins", u"Path"},
    {u"Skins", u"Lan"},
    {u"skins", u"RCOLOR"},
    {u"Setting-EN", u"Item1"},
    {u"Setting-EN", u"Item83"},
    {u"", u"A"},
    {u"S", u"A"},
    {u"S", u"B"},
};
constexpr std::u16string_view kSection = u"Setting-EN";
constexpr std::u16string_view kKey = u"Item13";

void check(bool condition) {
    if (!condition) std::abort();
}

// A value that reads back as written: printable ASCII with no space or quote
// at its ends.
std::u16string valueFrom(std::span<const std::uint8_t> bytes) {
    std::u16string value;
    for (std::uint8_t b : bytes.first(std::min<std::size_t>(bytes.size(), 40))) {
        value.push_back(static_cast<char16_t>(u'0' + b % 75));  // '0'..'z'
    }
    return value;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    Document document = trv::profile::decode(bytes);

    // Bytes that decode without loss come back unchanged.
    const bool evenUtf16 =
        (document.encoding == Encoding::Utf16Le || document.encoding == Encoding::Utf16Be) &&
        size % 2 == 0;
    if (evenUtf16 || document.encoding == Encoding::Utf8 ||
        document.encoding == Encoding::Windows1252) {
        check(trv::profile::encode(document) ==
              std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
    }

    std::optional<std::u16string> before[std::size(kProbes)];
    for (std::size_t i = 0; i < std::size(kProbes); ++i) {
        before[i] = trv::profile::findValue(document.text, kProbes[i].first, kProbes[i].second);
    }

    const std::u16string value = valueFrom(bytes.last(std::min<std::size_t>(size, 40)));
    trv::profile::setValue(document.text, kSection, kKey, trv::storableValue(value));
    check(trv::profile::findValue(document.text, kSection, kKey) == value);
    for (std::size_t i = 0; i < std::size(kProbes); ++i) {
        check(trv::profile::findValue(document.text, kProbes[i].first, kProbes[i].second) ==
              before[i]);
    }

    // What is written reads back the same, unless a Windows-1252 file lost the
    // byte that told it from UTF-8.
    const Document reread = trv::profile::decode(trv::profile::encode(document));
    if (document.encoding != Encoding::Windows1252 || reread.encoding == Encoding::Windows1252) {
        check(reread.text == document.text);
    }
    return 0;
}
