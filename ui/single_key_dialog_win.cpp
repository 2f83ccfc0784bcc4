#include "ui/single_key_dialog_win.h"

#include <algorithm>
#include <array>
#include <cwchar>
#include <iterator>
#include <string>

#include "assign/scan_codes.h"
#include "lang/dialog_labels.h"
#include "window/wide.h"

namespace trv::ui {

namespace {

constexpr int kKeyNameId = 502;
constexpr wchar_t kAppTitle[] = L"TRV418";

// Shared by the hook and the one single-key dialog there is at a time; each
// dialog starts empty. The hook rewrites the name for every event, so that a
// key the system cannot name never shows the name of the key before it.
constexpr int kKeyNameCapacity = 32;
wchar_t g_keyName[kKeyNameCapacity] = {};
std::uint32_t g_keyData = 0;
HWND g_target = nullptr;

LRESULT CALLBACK keyboardHook(int code, WPARAM wParam, LPARAM lParam) {
    if (code != HC_ACTION) return ::CallNextHookEx(nullptr, code, wParam, lParam);
    std::fill(std::begin(g_keyName), std::end(g_keyName), L'\0');
    // 0: the system has no name for this key.
    if (::GetKeyNameTextW(static_cast<LONG>(lParam), g_keyName, kKeyNameCapacity) <= 0) {
        g_keyName[0] = L'\0';
    }
    g_keyData = static_cast<std::uint32_t>(lParam);
    if (g_target) ::SendMessageW(g_target, KEY_CAPTURED, 0, 0);
    // The event goes on to the window; only other hooks do not see it.
    return 0;
}

bool isKeyMessage(UINT message) {
    return message >= WM_KEYFIRST && message <= WM_KEYLAST;
}

}  // namespace

SingleKeyDialog::SingleKeyDialog(DialogArgs args, HWND owner)
    : DialogFrame(DialogKind::SingleKey, std::move(args), owner) {}

SingleKeyDialog::~SingleKeyDialog() {
    hook_.reset();
    g_target = nullptr;
}

std::span<const win::MessageEntry<SingleKeyDialog>> SingleKeyDialog::messageMap() {
    using Self = SingleKeyDialog;
    static const std::array<win::MessageEntry<Self>, 2> map{{
        win::onMessage<Self>(KEY_CAPTURED, &Self::OnKeyCaptured),
        win::onMessage<Self>(WM_HELP, &Self::OnHelp),
    }};
    return map;
}

std::optional<LRESULT> SingleKeyDialog::dispatchOwn(UINT message, WPARAM wParam, LPARAM lParam) {
    return win::dispatchByMap(this, messageMap(), message, wParam, lParam);
}

void SingleKeyDialog::createControls() {
    keyName_ = makeText(kKeyNameId, dialog_layout::kKeyName, u"");
    g_target = hwnd();
    hook_.reset(::SetWindowsHookExW(WH_KEYBOARD, &keyboardHook, nullptr, ::GetCurrentThreadId()));
    if (!hook_) {
        wchar_t text[64];
        std::swprintf(text, std::size(text), L"KeyboardHook_SingleDlgKey Install error code :%lu\n",
                      ::GetLastError());
        ::MessageBoxW(hwnd(), text, kAppTitle, MB_OK);
    }
}

void SingleKeyDialog::drawTexts() {
    paintText(label(single_label::kPleaseEnterKey), dialog_layout::kKeyPrompt,
              DT_CENTER | DT_SINGLELINE, Ink::Text);
}

BOOL SingleKeyDialog::PreTranslateMessage(MSG* msg) {
    // The hook has seen these already; the Windows keys must not reach the
    // system through the dialog, and Enter and Esc are keys here, not OK and Cancel.
    if (isKeyMessage(msg->message) && (msg->wParam == VK_LWIN || msg->wParam == VK_RWIN)) {
        return TRUE;
    }
    if (msg->message == WM_KEYDOWN && (msg->wParam == VK_RETURN || msg->wParam == VK_ESCAPE)) {
        return TRUE;
    }
    return DialogFrame::PreTranslateMessage(msg);
}

std::optional<LRESULT> SingleKeyDialog::OnKeyCaptured(WPARAM, LPARAM) {
    captured_.keyName =
        singleKeyName(win::fromWide(win::untilNull(g_keyName, kKeyNameCapacity)), g_keyData);
    captured_.keyData = g_keyData;
    setText(keyName_, captured_.keyName);
    return 0;
}

std::optional<LRESULT> SingleKeyDialog::OnHelp(WPARAM, LPARAM) {
    return TRUE;
}

}  // namespace trv::ui
