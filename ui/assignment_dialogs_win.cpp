#include "ui/assignment_dialogs_win.h"

#include "ui/fire_key_dialog_win.h"
#include "ui/list_dialogs_win.h"
#include "ui/single_key_dialog_win.h"

namespace trv::ui {

namespace {

std::optional<FunctionChoice> runFunctionDialog(DialogKind kind, HWND owner,
                                                const DialogArgs& args) {
    ListDialog dialog(kind, args, owner, functionDropDown(kind, args.language));
    if (!dialog.run()) return std::nullopt;
    return FunctionChoice{dialog.choice().index(), dialog.choice().text()};
}

}  // namespace

std::optional<WindowsChoice> runWindowsDialog(HWND owner, const DialogArgs& args) {
    return runFunctionDialog(DialogKind::WindowsFunction, owner, args);
}

std::optional<MediaChoice> runMediaDialog(HWND owner, const DialogArgs& args) {
    return runFunctionDialog(DialogKind::Multimedia, owner, args);
}

std::optional<HotKeyChoice> runHotKeyDialog(HWND owner, const DialogArgs& args) {
    return runFunctionDialog(DialogKind::HotKey, owner, args);
}

std::optional<FireKeyChoice> runFireKeyDialog(HWND owner, const DialogArgs& args) {
    FireKeyDialog dialog(args, owner);
    if (!dialog.run()) return std::nullopt;
    return dialog.choice();
}

std::optional<SingleKeyChoice> runSingleKeyDialog(HWND owner, const DialogArgs& args) {
    SingleKeyDialog dialog(args, owner);
    if (!dialog.run()) return std::nullopt;
    return dialog.choice();
}

std::optional<SnipeChoice> runSnipeDialog(HWND owner, const SnipeArgs& args) {
    ListDialog dialog(DialogKind::Snipe, args.dialog, owner,
                      snipeDropDown(args.sensorType, args.level));
    if (!dialog.run()) return std::nullopt;
    return SnipeChoice{dialog.choice().index()};
}

std::optional<WindowsChoice> Win32AssignmentDialogs::windowsFunction() {
    return runWindowsDialog(owner_, args_);
}

std::optional<MediaChoice> Win32AssignmentDialogs::multimedia() {
    return runMediaDialog(owner_, args_);
}

std::optional<HotKeyChoice> Win32AssignmentDialogs::hotKey() {
    return runHotKeyDialog(owner_, args_);
}

std::optional<FireKeyChoice> Win32AssignmentDialogs::fireKey() {
    return runFireKeyDialog(owner_, args_);
}

std::optional<SingleKeyChoice> Win32AssignmentDialogs::singleKey() {
    return runSingleKeyDialog(owner_, args_);
}

std::optional<SnipeChoice> Win32AssignmentDialogs::snipe(std::uint8_t currentLevel) {
    return runSnipeDialog(owner_, SnipeArgs{args_, sensorType_, currentLevel});
}

}  // namespace trv::ui
