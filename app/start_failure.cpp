#include "app/start_failure.h"

#include <array>

#include "config/error_number.h"

namespace trv {

namespace {

// GDI+'s Status values 0..21, by number.
constexpr std::array<std::u16string_view, 22> kGdiplusStatusNames{
    u"Ok",
    u"GenericError",
    u"InvalidParameter",
    u"OutOfMemory",
    u"ObjectBusy",
    u"InsufficientBuffer",
    u"NotImplemented",
    u"Win32Error",
    u"WrongState",
    u"Aborted",
    u"FileNotFound",
    u"ValueOverflow",
    u"AccessDenied",
    u"UnknownImageFormat",
    u"FontFamilyNotFound",
    u"FontStyleNotFound",
    u"NotTrueTypeFont",
    u"UnsupportedGdiplusVersion",
    u"GdiplusNotInitialized",
    u"PropertyNotFound",
    u"PropertyNotSupported",
    u"ProfileNotFound",
};

}  // namespace

StartFailure systemStartFailure(std::u16string_view call, std::uint32_t systemError,
                                std::u16string_view systemText) {
    // The system ends its texts with a line break; the message goes on after it.
    while (!systemText.empty() && (systemText.back() == u'\n' || systemText.back() == u'\r' ||
                                   systemText.back() == u' ')) {
        systemText.remove_suffix(1);
    }
    // The system's text for "no error" would contradict the message.
    return {std::u16string(call), systemError != 0 ? std::u16string(systemText) : u"",
            errorNumberText(systemError)};
}

StartFailure gdiplusStartFailure(int status) {
    const bool known = status >= 0 && static_cast<std::size_t>(status) < kGdiplusStatusNames.size();
    return {u"GdiplusStartup",
            known ? std::u16string(kGdiplusStatusNames[static_cast<std::size_t>(status)]) : u"",
            decimalText(status)};
}

std::u16string startFailureText(Language language, const StartFailure& failure) {
    std::u16string message(text(language, TextId::StartFailed));
    message += u"\n";
    message += text(language, TextId::FailedCall);
    message += u" ";
    message += failure.call;
    if (!failure.reason.empty()) {
        message += u"\n";
        message += failure.reason;
    }
    message += u"\n";
    message += text(language, TextId::ErrorCode);
    message += u" ";
    message += failure.number;
    return message;
}

}  // namespace trv
