#pragma once
// What the program says when it cannot start (its window class, GDI+ or its
// main window): which call failed, the system's own words for why, and the
// number the call returned, so that a report names the cause.

#include <cstdint>
#include <string>
#include <string_view>

#include "lang/text_table.h"

namespace trv {

struct StartFailure {
    std::u16string call;    // "RegisterClassW", "GdiplusStartup", ...
    std::u16string reason;  // the system's text for the error; may be empty
    std::u16string number;  // the error or status number as the message shows it
    bool operator==(const StartFailure&) const = default;
};

// A failed Win32 call: its error number as the system's messages print it.
StartFailure systemStartFailure(std::u16string_view call, std::uint32_t systemError,
                                std::u16string_view systemText);

// A failed GdiplusStartup: its status, named as the GDI+ headers name it.
StartFailure gdiplusStartFailure(int status);

// The message box text, in the language str.ini names.
std::u16string startFailureText(Language language, const StartFailure& failure);

}  // namespace trv
