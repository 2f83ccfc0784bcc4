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

}  // namespace

CHidMouseDlg::CHidMouseDlg(HINSTANCE instance)
    : MappedDialog(instance, IDD_TRV418_DIALOG),
      appIcon_(static_cast<HICON>(::LoadImageW(instance, MAKEINTRESOURCEW(IDR_MAINFRAME),
                                               IMAGE_ICON, 0, 0, LR_DEFAULTSIZE | LR_SHARED))) {
    const std::u16string path = win::executablePath();
    const SettingsFilePaths paths = settingsFilePaths(path);
    hid_ = makeHidSystem(paths.folder);
    strIni_ = std::make_unique<win::WinProfileStore>(paths.strIni);
    model_ = std::make_unique<MainWindowModel>(
        ModelServices{*hid_, clock_, messages_, files_, *strIni_, pointer_}, path);
}

CHidMouseDlg::~CHidMouseDlg() = default;

std::span<const win::MessageEntry<CHidMouseDlg>> CHidMouseDlg::messageMap() {
    using Self = CHidMouseDlg;
    static const std::array<win::MessageEntry<Self>, 11> map{{
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

    tray_.add(hwnd(), appIcon_, kTrayTip);
    taskbarCreatedMessage_ = ::RegisterWindowMessageW(L"TaskbarCreated");
    allowMessagesFromOtherProcesses();

    messages_.setOwner(hwnd());
    model_->startUpDevice();

    deviceNotification_.reset(registerHidNotifications(hwnd()));
    if (!deviceNotification_) {
        ::MessageBoxW(hwnd(), L"RegisterDeviceNotification failed!!!", L"", MB_OK);
        return FALSE;
    }

    model_->loadSettings();
    model_->selectLanguage();
    model_->loadIniStore();
    const SkinSettings& skin = model_->skin();
    textColour_ = RGB(skin.red, skin.green, skin.blue);
    makeFonts();
    return TRUE;
}

void CHidMouseDlg::makeFonts() {
    const LanguageFonts fonts = fontsFor(model_->language(), win::runningWindowsVersion());
    bodyFont_ = win::makeFont(fonts.body);
    titleFont_ = win::makeFont(fonts.title);
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
        hide();
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
    const TrayClickPlan plan = model_->trayClick();
    if (plan.warnMouseMissing) {
        ::SendMessageW(hwnd(), WM_SHOW_BALLOON, 15, 0);
        return;
    }
    if (!plan.show) return;
    // Start-up hides the window on its first frame paints; once the user asks
    // for it, nothing may hide it again behind their back.
    hideOnFramePaint_ = 0;
    ::SetForegroundWindow(hwnd());
    ::ShowWindow(hwnd(), SW_SHOW);
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
    hide();
    return 0;
}

std::optional<LRESULT> CHidMouseDlg::OnHideCommand(WPARAM, LPARAM) {
    hide();
    return 0;
}

std::optional<LRESULT> CHidMouseDlg::OnDestroy(WPARAM, LPARAM) {
    closeDeviceHandles();
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
    const std::optional<DeviceBroadcast> broadcast = readDeviceBroadcast(lParam);
    if (broadcast) {
        const auto showBalloon = [this](std::uint32_t code) {
            ::SendMessageW(hwnd(), WM_SHOW_BALLOON, code, 0);
        };
        const DeviceChangeOutcome outcome =
            model_->deviceChange(static_cast<std::uint32_t>(wParam), broadcast->deviceType,
                                 broadcast->interfaceName, showBalloon);
        if (outcome.hideWindow) hide();
    }
    return TRUE;
}

void CHidMouseDlg::hide() {
    ::ShowWindow(hwnd(), SW_HIDE);
}

void CHidMouseDlg::exitProgram() {
    closeDeviceHandles();
    tray_.remove();
    ::ExitProcess(0);
}

void CHidMouseDlg::closeDeviceHandles() {
    model_->closeDevice();
}

}  // namespace trv
