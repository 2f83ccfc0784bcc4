#include "window/system_error_text.h"

#include <windows.h>

namespace trv::win {

namespace {

// Frees what FormatMessageW allocated.
struct LocalText {
    wchar_t* text = nullptr;
    LocalText() = default;
    LocalText(const LocalText&) = delete;
    LocalText& operator=(const LocalText&) = delete;
    ~LocalText() {
        if (text != nullptr) ::LocalFree(text);
    }
};

}  // namespace

std::u16string systemErrorText(std::uint32_t code) {
    LocalText message;
    const DWORD length = ::FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, 0, reinterpret_cast<wchar_t*>(&message.text), 0, nullptr);
    if (length == 0 || message.text == nullptr) return {};
    std::u16string text(reinterpret_cast<const char16_t*>(message.text), length);
    // The table's texts end in a line break, some in a space before it, and a
    // few break lines within; a message prints one line with the number after it.
    const std::size_t end = text.find_last_not_of(u" \t\r\n");
    text.resize(end == std::u16string::npos ? 0 : end + 1);
    std::u16string line;
    for (char16_t c : text) {
        if (c == u'\r') continue;
        line += c == u'\n' ? u' ' : c;
    }
    return line;
}

}  // namespace trv::win
