#include "app/message_box_sink_win.h"

#include "window/wide.h"

namespace trv {

void MessageBoxSink::showMessage(std::u16string_view text, std::u16string_view caption) {
    const std::wstring wideText = win::toWide(text);
    const std::wstring wideCaption = win::toWide(caption);
    // An empty caption is a box without one, not the system's "Error".
    ::MessageBoxW(owner_, wideText.c_str(), wideCaption.c_str(), MB_OK);
}

}  // namespace trv
