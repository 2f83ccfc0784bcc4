#include "app/hid_mouse_dlg_win.h"

#include <dbt.h>

#include <array>

#include "app/balloon.h"
#include "app/hid_mouse_app_win.h"
#include "app/resource.h"
#include "device/hid_backend.h"
#include "device/hid_setupapi_win.h"
#include "lang/fonts.h"
#include "lang/fonts_win.h"
#include "window/wide.h"

namespace trv {

namespace {

constexpr wchar_t kInstanceMutexName[] = L"K9TRV418Mutex";
constexpr wchar_t kTrayTip[] = L"Gaming Mouse Setting";

// At log-on the shell's notification area may not be ready when the program
// starts: without its icon the program could not be reached at all. Adding it
// is tried again, a few times over the first minute, until it is in.
constexpr UINT_PTR kTrayRetryTimer = 1;
constexpr UINT kTrayRetryMs = 10'000;
constexpr int kTrayRetries = 6;

}  // namespace

CHidMouseDlg::CHidMouseDlg(HINSTANCE instance)
    : MappedDialog(instance, IDD_TRV418_DIALOG),
      appIcon_(static_cast<HICON>(::LoadImageW(instance, MAKEINTRESOURCEW(IDR_MAINFRAME),
                                               IMAGE_ICON, 0, 0, LR_DEFAULTSIZE | LR_SHARED))) {
    const std::u16string path = win::executablePath();
    const SettingsFilePaths paths = settingsFilePaths(path);
    hid_ = makeHidSystem(paths.folder);
    strIni_ = std::make_unique<win::WinProfileStore>(paths.strIni);
    WindowPort& port = *this;
    model_ = std::make_unique<MainWindowModel>(
        ModelServices{*hid_, clock_, port, files_, *strIni_, pointer_}, path);
}

CHidMouseDlg::~CHidMouseDlg() = default;

std::span<const win::MessageEntry<CHidMouseDlg>> CHidMouseDlg::messageMap() {
    using Self = CHidMouseDlg;
    static const std::array<win::MessageEntry<Self>, 12> map{{
        win::onMessage<Self>(WM_PAINT, &Self::OnPaint),
        win::onMessage<Self>(WM_QUERYDRAGICON, &Self::OnQueryDragIcon),
        win::onMessage<Self>(WM_TRAY_NOTIFY, &Self::OnTrayNotify),
        win::onMessage<Self>(WM_SHOW_BALLOON, &Self::OnShowBalloon),
        win::onCommand<Self>(ID_TRAY_EXIT, &Self::OnTrayExit),
        win::onCommand<Self>(IDOK, &Self::OnHideCommand),
        win::onCommand<Self>(IDCANCEL, &Self::OnHideCommand),
        win::onMessage<Self>(WM_CLOSE, &Self::OnClose),
        win::onMessage<Self>(WM_DESTROY, &Self::OnDestroy),
        win::onMessage<Self>(WM_NCPAINT, &Self::OnNcPaint),
        win::onMessage<Self>(WM_DEVICECHANGE, &Self::OnDeviceChange),
        win::onMessage<Self>(WM_TIMER, &Self::OnTimer),
    }};
    return map;
}

BOOL CHidMouseDlg::OnInitDialog() {
    // One copy at a time: a second one leaves quietly and the first is not told.
    instanceMutex_.reset(::CreateMutexW(nullptr, FALSE, kInstanceMutexName));
    if (::GetLastError() == ERROR_ALREADY_EXISTS) ::ExitProcess(0);

    ::SendMessageW(hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(appIcon_));
    ::SendMessageW(hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(appIcon_));

    // No task-bar button: the program is reached through its notification icon.
    const LONG_PTR exStyle = ::GetWindowLongPtrW(hwnd(), GWL_EXSTYLE);
    ::SetWindowLongPtrW(hwnd(), GWL_EXSTYLE, (exStyle & ~WS_EX_APPWINDOW) | WS_EX_TOOLWINDOW);

    taskbarCreatedMessage_ = ::RegisterWindowMessageW(L"TaskbarCreated");
    allowMessagesFromOtherProcesses();
    addTrayIcon();

    // Steps 8 to 15 run only when the registration succeeds; the window is
    // still shown when it does not.
    return model_->startUp() ? TRUE : FALSE;
}

void CHidMouseDlg::addTrayIcon() {
    trayAttemptsLeft_ = kTrayRetries;
    if (!tray_.add(hwnd(), appIcon_, kTrayTip)) ::SetTimer(hwnd(), kTrayRetryTimer, kTrayRetryMs, nullptr);
}

std::optional<LRESULT> CHidMouseDlg::OnTimer(WPARAM wParam, LPARAM) {
    if (wParam != kTrayRetryTimer) return std::nullopt;
    ::KillTimer(hwnd(), kTrayRetryTimer);
    if (tray_.added() || tray_.readd()) return 0;
    if (--trayAttemptsLeft_ > 0) ::SetTimer(hwnd(), kTrayRetryTimer, kTrayRetryMs, nullptr);
    return 0;
}

bool CHidMouseDlg::registerDeviceNotifications() {
    deviceNotification_.reset(registerHidNotifications(hwnd()));
    return static_cast<bool>(deviceNotification_);
}

void CHidMouseDlg::loadSkinAndFonts() {
    const SkinSettings& skin = model_->skin();
    textColour_ = RGB(skin.red, skin.green, skin.blue);
    const LanguageFonts fonts = fontsFor(model_->language(), win::runningWindowsVersion());
    bodyFont_ = win::makeFont(fonts.body);
    titleFont_ = win::makeFont(fonts.title);
}

void CHidMouseDlg::tearDownPage() {}

void CHidMouseDlg::redraw(const ui::Redraw&) {
    ::InvalidateRect(hwnd(), nullptr, TRUE);
}

void CHidMouseDlg::showMessage(std::u16string_view text, std::u16string_view caption) {
    const std::wstring wideText = win::toWide(text);
    const std::wstring wideCaption = win::toWide(caption);
    // An empty caption is a box without one, not the system's "Error".
    ::MessageBoxW(hwnd(), wideText.c_str(), wideCaption.c_str(), MB_OK);
}

void CHidMouseDlg::showBalloon(std::uint32_t code) {
    ::SendMessageW(hwnd(), WM_SHOW_BALLOON, code, 0);
}

void CHidMouseDlg::hideWindow() {
    ::ShowWindow(hwnd(), SW_HIDE);
}

// The process runs elevated; without this, User Interface Privilege Isolation
// drops the balloon requests of ordinary processes and the shell's restart
// notice.
void CHidMouseDlg::allowMessagesFromOtherProcesses() {
    ::ChangeWindowMessageFilterEx(hwnd(), WM_SHOW_BALLOON, MSGFLT_ALLOW, nullptr);
    if (taskbarCreatedMessage_ != 0) {
        ::ChangeWindowMessageFilterEx(hwnd(), taskbarCreatedMessage_, MSGFLT_ALLOW, nullptr);
    }
}

BOOL CHidMouseDlg::PreTranslateMessage(MSG* msg) {
    const bool forThisWindow = msg->hwnd == hwnd() || ::IsChild(hwnd(), msg->hwnd);
    if (forThisWindow && msg->message == WM_KEYDOWN &&
        (msg->wParam == VK_RETURN || msg->wParam == VK_ESCAPE)) {
        hideWindow();
        return TRUE;
    }
    return FALSE;
}

std::optional<LRESULT> CHidMouseDlg::dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
    if (taskbarCreatedMessage_ != 0 && message == taskbarCreatedMessage_) {
        tray_.readd();
        return 0;
    }
    return MappedDialog::dispatch(message, wParam, lParam);
}

std::optional<LRESULT> CHidMouseDlg::OnPaint(WPARAM, LPARAM) {
    if (!::IsIconic(hwnd())) return std::nullopt;
    PAINTSTRUCT ps;
    HDC dc = ::BeginPaint(hwnd(), &ps);
    ::SendMessageW(hwnd(), WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    RECT client;
    ::GetClientRect(hwnd(), &client);
    const int iconWidth = ::GetSystemMetrics(SM_CXICON);
    const int iconHeight = ::GetSystemMetrics(SM_CYICON);
    const int x = (client.right - client.left - iconWidth + 1) / 2;
    const int y = (client.bottom - client.top - iconHeight + 1) / 2;
    ::DrawIcon(dc, x, y, appIcon_);
    ::EndPaint(hwnd(), &ps);
    return 0;
}

std::optional<LRESULT> CHidMouseDlg::OnQueryDragIcon(WPARAM, LPARAM) {
    return reinterpret_cast<LRESULT>(appIcon_);
}

std::optional<LRESULT> CHidMouseDlg::OnTrayNotify(WPARAM, LPARAM lParam) {
    switch (static_cast<UINT>(lParam)) {
        case WM_LBUTTONUP:
        case WM_LBUTTONDBLCLK:
            showFromTray();
            break;
        case WM_RBUTTONUP:
            showTrayMenu();
            break;
        default:
            break;
    }
    return 0;
}

void CHidMouseDlg::showFromTray() {
    if (!model_->trayClick()) return;
    // Start-up hides the window on its first frame paints; once the user asks
    // for it, nothing may hide it again behind their back.
    hideOnFramePaint_ = 0;
    ::SetForegroundWindow(hwnd());
    // A window the system minimised (Win+D, Win+M) sits iconic off-screen,
    // where showing it alone leaves it.
    ::ShowWindow(hwnd(), ::IsIconic(hwnd()) ? SW_RESTORE : SW_SHOW);
}

void CHidMouseDlg::showTrayMenu() {
    win::Menu menu(::CreatePopupMenu());
    if (!menu) return;
    const std::wstring exitText = win::toWide(text(model_->language(), TextId::Exit));
    ::AppendMenuW(menu.get(), MF_STRING, ID_TRAY_EXIT, exitText.c_str());
    POINT cursor{};
    ::GetCursorPos(&cursor);
    ::SetForegroundWindow(hwnd());
    ::TrackPopupMenu(menu.get(), TPM_RIGHTBUTTON | TPM_BOTTOMALIGN, cursor.x, cursor.y, 0, hwnd(),
                     nullptr);
    // Lets the menu close when the user clicks elsewhere after dismissing it.
    ::PostMessageW(hwnd(), WM_NULL, 0, 0);
}

std::optional<LRESULT> CHidMouseDlg::OnShowBalloon(WPARAM wParam, LPARAM lParam) {
    const auto stageLabel = [this](int stage) { return model_->stageDpiLabel(stage); };
    const std::optional<Balloon> balloon =
        balloonFor(static_cast<std::uint32_t>(wParam), static_cast<std::int64_t>(lParam),
                   model_->language(), stageLabel);
    if (balloon) {
        tray_.showBalloon(win::toWide(balloon->text), win::toWide(balloon->title),
                          balloon->timeoutMs);
    }
    return 0;
}

std::optional<LRESULT> CHidMouseDlg::OnTrayExit(WPARAM, LPARAM) {
    exitProgram();
    return 0;
}

std::optional<LRESULT> CHidMouseDlg::OnClose(WPARAM, LPARAM) {
    hideWindow();
    return 0;
}

std::optional<LRESULT> CHidMouseDlg::OnHideCommand(WPARAM, LPARAM) {
    hideWindow();
    return 0;
}

std::optional<LRESULT> CHidMouseDlg::OnDestroy(WPARAM, LPARAM) {
    ::KillTimer(hwnd(), kTrayRetryTimer);
    model_->closeDevice();
    tray_.remove();
    return std::nullopt;
}

std::optional<LRESULT> CHidMouseDlg::OnNcPaint(WPARAM, LPARAM) {
    if (hideOnFramePaint_ > 0) {
        --hideOnFramePaint_;
        ::ShowWindow(hwnd(), SW_HIDE);
        return 0;
    }
    return std::nullopt;
}

std::optional<LRESULT> CHidMouseDlg::OnDeviceChange(WPARAM wParam, LPARAM lParam) {
    // Only these two events carry a broadcast; for any other, lParam is not
    // ours to read.
    if (wParam != DBT_DEVICEARRIVAL && wParam != DBT_DEVICEREMOVECOMPLETE) return TRUE;
    if (const std::optional<DeviceBroadcast> broadcast = readDeviceBroadcast(lParam)) {
        model_->deviceChange(static_cast<std::uint32_t>(wParam), broadcast->deviceType,
                             broadcast->interfaceName);
    }
    return TRUE;
}

void CHidMouseDlg::exitProgram() {
    // The window's destroy handling closes the channels and removes the icon.
    ::DestroyWindow(hwnd());
    ::ExitProcess(0);
}

}  // namespace trv
