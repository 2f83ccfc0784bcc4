#pragma once
// Failure messages as message boxes with an OK button, owned by a window.

#include <windows.h>

#include "app/message_sink.h"

namespace trv {

class MessageBoxSink final : public MessageSink {
  public:
    void setOwner(HWND owner) { owner_ = owner; }
    void showMessage(std::u16string_view text, std::u16string_view caption) override;

  private:
    HWND owner_ = nullptr;
};

}  // namespace trv
