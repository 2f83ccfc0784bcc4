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
constexpr int kKeyFieldId = 593;
constexpr UINT_PTR kHoldTimer = 1;
// A Tab held this long leaves the field; the system repeats a key after
// 250 to 1000 ms, so a held Tab is not mistaken for a typed one.
constexpr UINT kHoldMs = 1000;
// The field's mark stands this far around the key name.
constexpr int kMarkOutset = 2;
// Key data bits: the key was down before, the key goes up.
constexpr std::uint32_t kRepeatBit = 1u << 30;
constexpr std::uint32_t kReleaseBit = 1u << 31;
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
    if (g_target) ::SendMessageW(g_target, KEY_CAPTURED, wParam, lParam);
    // The event goes on to the window; only other hooks do not see it.
    return 0;
}

bool isKeyMessage(UINT message) {
    return message >= WM_KEYFIRST && message <= WM_KEYLAST;
}

// Keys the dialog manager acts on, which the field keeps from it.
bool isDialogKey(WPARAM key) {
    switch (key) {
        case VK_RETURN:
        case VK_ESCAPE:
        case VK_TAB:
        case VK_SPACE:
        case VK_LEFT:
        case VK_RIGHT:
        case VK_UP:
        case VK_DOWN:
            return true;
        default:
            return false;
    }
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
    static const std::array<win::MessageEntry<Self>, 3> map{{
        win::onMessage<Self>(KEY_CAPTURED, &Self::OnKeyCaptured),
        win::onMessage<Self>(WM_HELP, &Self::OnHelp),
        win::onMessage<Self>(WM_TIMER, &Self::OnTimer),
    }};
    return map;
}

std::optional<LRESULT> SingleKeyDialog::dispatchOwn(UINT message, WPARAM wParam, LPARAM lParam) {
    return win::dispatchByMap(this, messageMap(), message, wParam, lParam);
}

void SingleKeyDialog::createControls() {
    const Rect& name = dialog_layout::kKeyName;
    keyField_ = makeStop(kKeyFieldId, label(single_label::kPleaseEnterKey),
                         {name.left - kMarkOutset, name.top - kMarkOutset, name.right + kMarkOutset,
                          name.bottom + kMarkOutset});
    keyName_ = makeText(kKeyNameId, name, u"");
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
    paintText(text(language(), TextId::SingleKeyHint), dialog_layout::kKeyHint,
              DT_CENTER | DT_WORDBREAK, Ink::Caption);
}

bool SingleKeyDialog::capturing() const {
    const HWND focus = ::GetFocus();
    return keyField_ && !(focus && (focus == okStop() || focus == cancelStop()));
}

BOOL SingleKeyDialog::PreTranslateMessage(MSG* msg) {
    // The hook has seen these already; the Windows keys must not reach the
    // system through the dialog.
    if (isKeyMessage(msg->message) && (msg->wParam == VK_LWIN || msg->wParam == VK_RWIN)) {
        return TRUE;
    }
    // In the field Enter, Esc, Tab, Space, the arrows and every Alt key are
    // keys, not OK, Cancel, moves or the system menu's.
    if (capturing()) {
        if (msg->message == WM_SYSKEYDOWN || msg->message == WM_SYSKEYUP ||
            msg->message == WM_SYSCHAR) {
            return TRUE;
        }
        if (msg->message == WM_KEYDOWN && isDialogKey(msg->wParam)) return TRUE;
    }
    return DialogFrame::PreTranslateMessage(msg);
}

std::optional<LRESULT> SingleKeyDialog::OnKeyCaptured(WPARAM key, LPARAM lParam) {
    const auto data = static_cast<std::uint32_t>(lParam);
    if ((data & kReleaseBit) != 0) {
        if (key == VK_TAB && tabHeld_) {
            tabHeld_ = false;
            ::KillTimer(hwnd(), kHoldTimer);
        }
        return 0;
    }
    // Only a key pressed in the field: the release of the keys that moved
    // the focus into it (Shift+Tab) is no key.
    if (!capturing()) return 0;
    if (key == VK_TAB && (data & kRepeatBit) == 0) {
        beforeTab_ = captured_;
        tabHeld_ = true;
        ::SetTimer(hwnd(), kHoldTimer, kHoldMs, nullptr);
    }
    show({singleKeyName(win::fromWide(win::untilNull(g_keyName, kKeyNameCapacity)), g_keyData),
          g_keyData});
    return 0;
}

void SingleKeyDialog::show(const SingleKeyChoice& choice) {
    captured_ = choice;
    setText(keyName_, captured_.keyName);
    // Screen readers hear the key through the field's name.
    std::u16string name(label(single_label::kPleaseEnterKey));
    if (!captured_.keyName.empty()) name += u": " + captured_.keyName;
    setText(keyField_, name);
}

std::optional<LRESULT> SingleKeyDialog::OnTimer(WPARAM id, LPARAM) {
    if (id != kHoldTimer) return std::nullopt;
    ::KillTimer(hwnd(), kHoldTimer);
    if (!tabHeld_) return 0;
    tabHeld_ = false;
    show(beforeTab_);
    showFocusMarks();
    ::SendMessageW(hwnd(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(okStop()), TRUE);
    return 0;
}

std::optional<LRESULT> SingleKeyDialog::OnHelp(WPARAM, LPARAM) {
    return TRUE;
}

}  // namespace trv::ui
