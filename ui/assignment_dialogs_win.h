#pragma once
// The six assignment dialogs, each run modally through one function that
// returns its result on OK and nothing otherwise, and the main window's
// AssignmentDialogs made of them.

#include <windows.h>

#include <cstdint>
#include <optional>

#include "assign/assignment_list.h"
#include "ui/dialog_frame_win.h"

namespace trv::ui {

struct SnipeArgs {
    DialogArgs dialog;
    std::uint8_t sensorType = 0;  // chooses the DPI levels offered
    std::uint8_t level = 0;       // the mode's level, where the dialog starts
};

std::optional<WindowsChoice> runWindowsDialog(HWND owner, const DialogArgs& args);
std::optional<MediaChoice> runMediaDialog(HWND owner, const DialogArgs& args);
std::optional<HotKeyChoice> runHotKeyDialog(HWND owner, const DialogArgs& args);
std::optional<FireKeyChoice> runFireKeyDialog(HWND owner, const DialogArgs& args);
std::optional<SingleKeyChoice> runSingleKeyDialog(HWND owner, const DialogArgs& args);
std::optional<SnipeChoice> runSnipeDialog(HWND owner, const SnipeArgs& args);

class Win32AssignmentDialogs final : public AssignmentDialogs {
  public:
    Win32AssignmentDialogs(HWND owner, DialogArgs args, std::uint8_t sensorType)
        : owner_(owner), args_(std::move(args)), sensorType_(sensorType) {}

    std::optional<WindowsChoice> windowsFunction() override;
    std::optional<MediaChoice> multimedia() override;
    std::optional<HotKeyChoice> hotKey() override;
    std::optional<FireKeyChoice> fireKey() override;
    std::optional<SingleKeyChoice> singleKey() override;
    std::optional<SnipeChoice> snipe(std::uint8_t currentLevel) override;

  private:
    HWND owner_;
    DialogArgs args_;
    std::uint8_t sensorType_;
};

}  // namespace trv::ui
