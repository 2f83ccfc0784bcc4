#include "app/hid_mouse_dlg_win.h"

#include <commdlg.h>
#include <dbt.h>
#include <shellapi.h>
#include <windowsx.h>

#include <algorithm>
#include <array>
#include <ctime>

#include "app/balloon.h"
#include "app/file_dialogs_win.h"
#include "app/hid_mouse_app_win.h"
#include "app/resource.h"
#include "config/error_number.h"
#include "device/hid_backend.h"
#include "device/hid_setupapi_win.h"
#include "input/list_search.h"
#include "perf/dpi.h"
#include "ui/assignment_dialogs_win.h"
#include "ui/page_access.h"
#include "ui/page_canvas_win.h"
#include "ui/page_draw.h"
#include "ui/page_layout.h"
#include "ui/skin_colours_win.h"
#include "window/client_size.h"
#include "window/desktop_shell.h"
#include "window/list_box.h"
#include "window/wide.h"
#include "window/window_dpi.h"

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

constexpr int kFirstSwatchId = 71;  // stages 1..4: 71..74
constexpr UINT kHoverTimeMs = 10;
// Static controls other than the swatches, and the dark grey of the page's
// own controls.
constexpr COLORREF kStaticBackground = RGB(100, 150, 100);
constexpr COLORREF kListText = RGB(255, 255, 255);
constexpr COLORREF kListBackground = RGB(0, 0, 0);

#ifndef WM_DPICHANGED
#define WM_DPICHANGED 0x02E0
#endif

bool isPageList(int id) {
    return id == static_cast<int>(ui::ListId::LightMode) ||
           id == static_cast<int>(ui::ListId::LightParameter) ||
           id == static_cast<int>(ui::ListId::LightEffect) ||
           id == static_cast<int>(ui::ListId::DpiSubList) ||
           ui::buttonOfList(static_cast<ui::ListId>(id)).has_value();
}

RECT toRect(const ui::Rect& r) {
    return {r.left, r.top, r.right, r.bottom};
}

POINT pointOf(LPARAM lParam) {
    return {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
}

// The page's keys. Alt+M comes as a system key; Alt with anything else (Alt+F4
// above all) is left to the system, as are Enter and Escape with Alt.
std::optional<ui::Key> pageKeyOf(const MSG& msg) {
    if (msg.message == WM_SYSKEYDOWN) {
        return msg.wParam == 'M' ? std::optional(ui::Key::ModeToggle) : std::nullopt;
    }
    if (msg.message != WM_KEYDOWN) return std::nullopt;
    switch (msg.wParam) {
        case VK_TAB:
            return ::GetKeyState(VK_SHIFT) < 0 ? ui::Key::ShiftTab : ui::Key::Tab;
        case VK_LEFT:
            return ui::Key::Left;
        case VK_RIGHT:
            return ui::Key::Right;
        case VK_UP:
            return ui::Key::Up;
        case VK_DOWN:
            return ui::Key::Down;
        case VK_HOME:
            return ui::Key::Home;
        case VK_END:
            return ui::Key::End;
        case VK_SPACE:
            return ui::Key::Space;
        case VK_RETURN:
            return ui::Key::Enter;
        case VK_ESCAPE:
            return ui::Key::Escape;
        default:
            return std::nullopt;
    }
}

}  // namespace

CHidMouseDlg::CHidMouseDlg(HINSTANCE instance)
    : MappedDialog(instance, IDD_TRV418_DIALOG),
      appIcon_(static_cast<HICON>(::LoadImageW(instance, MAKEINTRESOURCEW(IDR_MAINFRAME),
                                               IMAGE_ICON, 0, 0, LR_DEFAULTSIZE | LR_SHARED))) {
    const SettingsFilePaths paths = settingsFilePaths(win::executablePath());
    hid_ = makeHidSystem(paths.folder);
    strIni_ = std::make_unique<win::WinProfileStore>(paths.strIni);
    WindowPort& port = *this;
    model_ = std::make_unique<MainWindowModel>(
        ModelServices{*hid_, clock_, port, files_, *strIni_, pointer_,
                      [] { return static_cast<std::int64_t>(std::time(nullptr)); }},
        paths);
}

CHidMouseDlg::~CHidMouseDlg() = default;

std::span<const win::MessageEntry<CHidMouseDlg>> CHidMouseDlg::messageMap() {
    using Self = CHidMouseDlg;
    static const std::array<win::MessageEntry<Self>, 24> map{{
        win::onMessage<Self>(WM_PAINT, &Self::OnPaint),
        win::onMessage<Self>(WM_QUERYDRAGICON, &Self::OnQueryDragIcon),
        win::onMessage<Self>(WM_TRAY_NOTIFY, &Self::OnTrayNotify),
        win::onMessage<Self>(WM_SHOW_BALLOON, &Self::OnShowBalloon),
        win::onCommand<Self>(ID_TRAY_EXIT, &Self::OnTrayExit),
        win::onCommand<Self>(ID_TRAY_SAVE_PROFILE, &Self::OnSaveProfile),
        win::onCommand<Self>(ID_TRAY_OPEN_PROFILES, &Self::OnOpenProfiles),
        win::onCommand<Self>(ID_TRAY_BACKUP, &Self::OnBackUp),
        win::onCommand<Self>(ID_TRAY_RESTORE, &Self::OnRestore),
        win::onCommand<Self>(IDOK, &Self::OnHideCommand),
        win::onCommand<Self>(IDCANCEL, &Self::OnHideCommand),
        win::onMessage<Self>(WM_CLOSE, &Self::OnClose),
        win::onMessage<Self>(WM_DESTROY, &Self::OnDestroy),
        win::onMessage<Self>(WM_NCPAINT, &Self::OnNcPaint),
        win::onMessage<Self>(WM_DEVICECHANGE, &Self::OnDeviceChange),
        win::onMessage<Self>(WM_TIMER, &Self::OnTimer),
        win::onMessage<Self>(WM_ERASEBKGND, &Self::OnEraseBackground),
        win::onMessage<Self>(WM_SHOWWINDOW, &Self::OnShowWindow),
        win::onMessage<Self>(WM_LBUTTONDOWN, &Self::OnLeftButtonDown),
        win::onMessage<Self>(WM_MOUSEMOVE, &Self::OnMouseMove),
        win::onMessage<Self>(WM_MOUSEHOVER, &Self::OnMouseHover),
        win::onMessage<Self>(WM_DPICHANGED, &Self::OnDpiChanged),
        win::onMessage<Self>(WM_GETOBJECT, &Self::OnGetObject),
        win::onMessage<Self>(WM_ACCESSIBLE_ACTION, &Self::OnAccessibleAction),
    }};
    return map;
}

BOOL CHidMouseDlg::OnInitDialog() {
    // One copy at a time: a second one leaves quietly and the first is not told.
    instanceMutex_.reset(::CreateMutexW(nullptr, FALSE, kInstanceMutexName));
    if (::GetLastError() == ERROR_ALREADY_EXISTS) ::ExitProcess(0);

    ::SendMessageW(hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(appIcon_));
    ::SendMessageW(hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(appIcon_));

    // The window lays itself out at a new DPI (OnDpiChanged); the dialog
    // manager's own scaling of its template would fight it.
    win::keepDialogLayoutOnDpiChange(hwnd());

    // No task-bar button: the program is reached through its notification icon.
    const LONG_PTR exStyle = ::GetWindowLongPtrW(hwnd(), GWL_EXSTYLE);
    ::SetWindowLongPtrW(hwnd(), GWL_EXSTYLE, (exStyle & ~WS_EX_APPWINDOW) | WS_EX_TOOLWINDOW);

    taskbarCreatedMessage_ = ::RegisterWindowMessageW(L"TaskbarCreated");
    settingsChangedMessage_ = settingsChangedMessage();
    allowMessagesFromOtherProcesses();
    addTrayIcon();

    // Steps 8 to 15 run only when the registration succeeds; the window is
    // still shown when it does not.
    return model_->startUp() ? TRUE : FALSE;
}

void CHidMouseDlg::addTrayIcon() {
    trayAttemptsLeft_ = kTrayRetries;
    // The icon's own image for the notification area's size at this DPI,
    // rather than the large one shrunk by the shell.
    const int side = win::systemMetricForDpi(SM_CXSMICON, win::windowDpi(hwnd()));
    trayIcon_.reset(static_cast<HICON>(
        ::LoadImageW(instance(), MAKEINTRESOURCEW(IDR_MAINFRAME), IMAGE_ICON, side, side, 0)));
    if (!tray_.add(hwnd(), trayIcon_ ? trayIcon_.get() : appIcon_, kTrayTip))
        ::SetTimer(hwnd(), kTrayRetryTimer, kTrayRetryMs, nullptr);
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
    // The focus mark wears the skin's accent, the colour of its dialogs'
    // selection.
    focusColour_ = ui::colourRef(ui::readSkinColours(win::toWide(model_->skinFolder())).selection);
    makeCanvasForDpi();

    if (!canvas_->backgroundLoaded()) {
        // Without its background the window still works on a plain canvas of
        // the page's size; the user learns which file to put back.
        std::u16string text = u"The skin image could not be loaded:\n";
        text += model_->skinFolder();
        text += u"/main.png";
        showMessage(text, u"TRV418");
    }
}

// Laid out and drawn at the window's DPI: the canvas, its fonts and every
// control are scaled at this edge, while the page's rules keep 96-DPI numbers.
void CHidMouseDlg::makeCanvasForDpi() {
    scale_ = ui::DisplayScale{win::windowDpi(hwnd())};
    fonts_ = ui::makePageFonts(model_->language(), scale_.dpi);
    const ui::CanvasSetup setup = ui::pageCanvasSetup(
        {win::toWide(model_->skinFolder()), textColour_, focusColour_}, fonts_, scale_.dpi);
    canvasSetup_ = setup;
    canvas_ = std::make_unique<ui::GdiCanvas>(setup);

    // The client area is the canvas, pixel for pixel.
    win::setClientSize(hwnd(), canvas_->width(), canvas_->height());
}

POINT CHidMouseDlg::pagePoint(POINT at) const {
    return {scale_.unscaled(at.x), scale_.unscaled(at.y)};
}

std::optional<LRESULT> CHidMouseDlg::OnDpiChanged(WPARAM, LPARAM lParam) {
    const auto* suggested = reinterpret_cast<const RECT*>(lParam);
    if (suggested) {
        ::SetWindowPos(hwnd(), nullptr, suggested->left, suggested->top,
                       suggested->right - suggested->left, suggested->bottom - suggested->top,
                       SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (!canvasSetup_) return 0;  // nothing drawn yet: the first canvas takes the new DPI
    makeCanvasForDpi();
    // A hidden window keeps nothing drawn; its next show makes the canvas.
    if (!::IsWindowVisible(hwnd())) canvas_.reset();
    for (auto& [id, list] : lists_) {
        const auto rect = listRects_.find(id);
        if (rect == listRects_.end()) continue;
        const RECT r = toRect(scale_.rect(rect->second));
        ::MoveWindow(list.get(), r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE);
        ::SendMessageW(list.get(), WM_SETFONT, reinterpret_cast<WPARAM>(fonts_.body.get()), TRUE);
    }
    for (int stage = 1; stage <= ui::layout::kStages; ++stage) {
        const HWND swatch = swatches_[static_cast<std::size_t>(stage - 1)].get();
        if (!swatch) continue;
        const RECT r = toRect(scale_.rect(ui::layout::stageSwatch(stage)));
        ::MoveWindow(swatch, r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE);
    }
    if (model_->pageLive()) present({ui::ElementDraw{ui::Element::Page}});
    return 0;
}

void CHidMouseDlg::tearDownPage() {
    lists_.clear();
    listRects_.clear();
    for (win::ChildWindow& swatch : swatches_) swatch.reset();
    keepKeyboardFocus();
}

void CHidMouseDlg::redraw(const ui::Redraw& redraw) {
    present(redraw);
}

void CHidMouseDlg::present(const ui::Redraw& redraw) {
    if (!canvas_ || redraw.empty()) return;
    for (const ui::ElementDraw& e : redraw) {
        if (e.element == ui::Element::Page) ensureSwatches();
        if (e.element == ui::Element::StageSwatch && e.index >= 1 && e.index <= 4) {
            ::InvalidateRect(swatches_[static_cast<std::size_t>(e.index - 1)].get(), nullptr, TRUE);
        }
    }
    ui::drawPage(*canvas_, redraw, model_->pageView());
    canvas_->presentTo(hwnd());
}

void CHidMouseDlg::ensureSwatches() {
    for (int stage = 1; stage <= ui::layout::kStages; ++stage) {
        win::ChildWindow& swatch = swatches_[static_cast<std::size_t>(stage - 1)];
        if (swatch) continue;
        const ui::Rect r = scale_.rect(ui::layout::stageSwatch(stage));
        swatch.reset(::CreateWindowExW(
            0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_CENTER, r.left, r.top, r.width(),
            r.height(), hwnd(),
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFirstSwatchId + stage - 1)), instance(),
            nullptr));
    }
}

void CHidMouseDlg::press(POINT at) {
    const POINT page = pagePoint(at);
    const int focusBefore = model_->focus().stop;
    const PressOutcome outcome = model_->press(page.x, page.y);
    if (model_->focus().stop != focusBefore) notifyFocus();
    carryOut(outcome);
    if (outcome.drag) {
        // The system moves the window with the pointer until the button is
        // released, as if the press had been on a caption.
        POINT screen = at;
        ::ClientToScreen(hwnd(), &screen);
        ::PostMessageW(hwnd(), WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(screen.x, screen.y));
    }
}

void CHidMouseDlg::carryOut(const PressOutcome& outcome) {
    for (ui::ListId id : outcome.closeLists) closeList(id);
    present(outcome.redraw);
    notifyChanges(outcome.redraw);
    if (outcome.openList) openList(*outcome.openList);
    if (outcome.chooseColourOfStage != 0) chooseStageColour(outcome.chooseColourOfStage);
    if (outcome.hide) hideWindow();
    if (outcome.exit) exitProgram();
    if (outcome.openGuide) openGuide();
}

void CHidMouseDlg::pressKey(ui::Key key) {
    std::optional<ui::OpenListKeys> list;
    if (const std::optional<ui::ListId> id = model_->keyList()) {
        const auto open = lists_.find(*id);
        if (open != lists_.end()) {
            const HWND box = open->second.get();
            list = ui::OpenListKeys{*id, win::list_box::selection(box).value_or(-1),
                                    win::list_box::count(box)};
        }
    }
    const int focusBefore = model_->focus().stop;
    const KeyOutcome outcome = model_->key(key, list, lists_.count(ui::ListId::DpiSubList) != 0);
    carryOut(outcome.press);
    for (const ui::KeyStep& step : outcome.listSteps) {
        const auto open = lists_.find(step.list);
        if (open == lists_.end()) continue;
        const HWND box = open->second.get();
        if (step.kind == ui::KeyStep::Kind::SelectItem) {
            win::list_box::select(box, step.item);
            ::SetFocus(box);  // the list box tells screen readers of its item
            if (const std::optional<int> button = ui::buttonOfList(step.list))
                showDpiSubList(*button, box, step.item);
        } else if (step.kind == ui::KeyStep::Kind::Choose) {
            OnListCommand(static_cast<int>(step.list), LBN_SELCHANGE);
        }
    }
    if (outcome.press.openList) {
        const auto opened = lists_.find(outcome.press.openList->id);
        if (opened != lists_.end()) ::SetFocus(opened->second.get());
    }
    if (model_->focus().stop != focusBefore) notifyFocus();
}

void CHidMouseDlg::keepKeyboardFocus() {
    if (::GetFocus() == nullptr && ::GetActiveWindow() == hwnd()) ::SetFocus(hwnd());
}

bool CHidMouseDlg::hasKeyboardFocus() const {
    const HWND focus = ::GetFocus();
    return focus != nullptr && (focus == hwnd() || ::IsChild(hwnd(), focus));
}

ui::AccessibleControl CHidMouseDlg::control(int index) const {
    return model_->accessibleControl(index, hasKeyboardFocus());
}

RECT CHidMouseDlg::screenRect(const ui::Rect& pageRect) const {
    const ui::Rect r = scale_.rect(pageRect);
    POINT corners[2] = {{r.left, r.top}, {r.right, r.bottom}};
    ::MapWindowPoints(hwnd(), nullptr, corners, 2);
    return {corners[0].x, corners[0].y, corners[1].x, corners[1].y};
}

std::optional<int> CHidMouseDlg::focusedControl() const {
    const int stop = model_->focus().stop;
    if (!hasKeyboardFocus() || !ui::stopAnswers(stop, model_->pageLive())) return std::nullopt;
    return stop;
}

void CHidMouseDlg::doDefaultAction(int index) {
    ::PostMessageW(hwnd(), WM_ACCESSIBLE_ACTION, static_cast<WPARAM>(index),
                   kAccessibleDefaultAction);
}

void CHidMouseDlg::takeFocus(int index) {
    ::PostMessageW(hwnd(), WM_ACCESSIBLE_ACTION, static_cast<WPARAM>(index), kAccessibleTakeFocus);
}

std::optional<LRESULT> CHidMouseDlg::OnGetObject(WPARAM wParam, LPARAM lParam) {
    if (!accessible_) {
        AccessiblePage& page = *this;
        accessible_ = std::make_unique<PageAccessibleOwner>(hwnd(), page);
    }
    return accessible_->answer(wParam, lParam);
}

std::optional<LRESULT> CHidMouseDlg::OnAccessibleAction(WPARAM wParam, LPARAM lParam) {
    const int stop = static_cast<int>(wParam);
    const int focusBefore = model_->focus().stop;
    if (lParam == kAccessibleTakeFocus) {
        present(model_->focusOn(stop));
    } else {
        carryOut(model_->activate(stop).press);
    }
    if (model_->focus().stop != focusBefore) notifyFocus();
    return 0;
}

void CHidMouseDlg::notifyFocus() {
    const int stop = model_->focus().stop;
    if (stop < 0 || !::IsWindowVisible(hwnd())) return;
    ::NotifyWinEvent(EVENT_OBJECT_FOCUS, hwnd(), OBJID_CLIENT, stop + 1);
}

void CHidMouseDlg::notifyChanges(const ui::Redraw& redraw) {
    for (const ui::AccessChange& change : ui::accessChanges(redraw)) {
        const DWORD event = change.event == ui::AccessEvent::ValueChange ? EVENT_OBJECT_VALUECHANGE
                                                                         : EVENT_OBJECT_STATECHANGE;
        ::NotifyWinEvent(event, hwnd(), OBJID_CLIENT, change.stop + 1);
    }
}

// Beside the "DPI Switch" item of a button's list, the three DPI steps; any
// other item takes them away.
void CHidMouseDlg::showDpiSubList(int button, HWND list, int item) {
    if (!model_->hoverAssignmentItem(button, item)) {
        closeList(ui::ListId::DpiSubList);
        return;
    }
    if (lists_.count(ui::ListId::DpiSubList) != 0) return;
    const std::optional<RECT> itemRect = win::list_box::itemRect(list, item);
    if (!itemRect) return;
    // The item's place is in window pixels; the list opens in page numbers.
    const ui::Rect listRect = scale_.rect(ui::layout::assignmentList(button));
    const int left = scale_.unscaled(listRect.left + itemRect->right);
    const int top = scale_.unscaled(listRect.top + itemRect->top);
    const int size = ui::layout::kDpiSubListSize;
    std::vector<std::u16string> steps;
    for (std::size_t n = 0; n < kDpiSwitchItemCount; ++n) steps.emplace_back(dpiSwitchItemText(n));
    openList({ui::ListId::DpiSubList, {left, top, left + size, top + size}, std::move(steps)});
}

void CHidMouseDlg::openList(const ListToOpen& list) {
    win::ChildWindow& window = lists_[list.id];
    listRects_[list.id] = list.rect;
    window.reset(win::list_box::create(hwnd(), static_cast<int>(list.id),
                                       toRect(scale_.rect(list.rect)), list.items));
    if (!window) return;
    ::SendMessageW(window.get(), WM_SETFONT, reinterpret_cast<WPARAM>(fonts_.body.get()), TRUE);
    // Its name for screen readers; a list box shows no text of its own.
    ::SetWindowTextW(window.get(), win::toWide(ui::listName(list.id, model_->language())).c_str());
}

void CHidMouseDlg::closeList(ui::ListId id) {
    lists_.erase(id);
    listRects_.erase(id);
    keepKeyboardFocus();
}

// A list box goes on with its own handling after its notification returns, so
// a choice never destroys it from inside: it leaves the open lists at once (a
// later notice, such as the double click after the selection change, finds it
// closed) and is destroyed by a message the window posts itself.
void CHidMouseDlg::closeListAfterNotification(ui::ListId id) {
    const auto list = lists_.find(id);
    if (list == lists_.end()) return;
    chosenLists_.push_back(std::move(list->second));
    listRects_.erase(id);
    lists_.erase(list);
    ::PostMessageW(hwnd(), WM_CLOSE_CHOSEN_LISTS, 0, 0);
}

// While a dialog or a list choice runs over the page, a change from outside
// waits, and is delivered anew once the handler has returned.
class CHidMouseDlg::ModalScope {
  public:
    explicit ModalScope(CHidMouseDlg& window) : window_(window) { window_.model_->modalStarted(); }
    ~ModalScope() {
        if (window_.model_->modalEnded()) {
            ::PostMessageW(window_.hwnd(), window_.settingsChangedMessage_, 0, 0);
        }
    }
    ModalScope(const ModalScope&) = delete;
    ModalScope& operator=(const ModalScope&) = delete;

  private:
    CHidMouseDlg& window_;
};

void CHidMouseDlg::chooseStageColour(int stage) {
    const ModalScope modal(*this);
    CHOOSECOLORW choice{};
    choice.lStructSize = sizeof(choice);
    choice.hwndOwner = hwnd();
    choice.lpCustColors = customColours_;
    if (!::ChooseColorW(&choice)) return;
    const Rgb colour{GetRValue(choice.rgbResult), GetGValue(choice.rgbResult),
                     GetBValue(choice.rgbResult)};
    const ui::Redraw redraw = model_->setStageColour(stage, colour);
    present(redraw);
    notifyChanges(redraw);
}

void CHidMouseDlg::openGuide() {
    const std::wstring guide = win::toWide(model_->paths().folder) +
                               win::toWide(text(model_->language(), TextId::WebLink));
    // The program runs elevated; the browser the guide opens in need not.
    win::openAsDesktopUser(hwnd(), guide);
}

std::optional<LRESULT> CHidMouseDlg::OnEraseBackground(WPARAM wParam, LPARAM) {
    if (!canvas_) return std::nullopt;
    return canvas_->eraseBackground(wParam);
}

// The window spends most of its life hidden; its canvas and decoded images
// (several megabytes) are given back meanwhile and made again, with the whole
// page drawn from the model, before the window becomes visible. Redraws that
// come while it is hidden find no canvas and are covered by that page draw.
std::optional<LRESULT> CHidMouseDlg::OnShowWindow(WPARAM wParam, LPARAM lParam) {
    if (lParam != 0) return std::nullopt;  // an owner's minimise or restore
    if (!wParam) {
        canvas_.reset();
    } else if (!canvas_ && canvasSetup_) {
        canvas_ = std::make_unique<ui::GdiCanvas>(*canvasSetup_);
        if (model_->pageLive()) present({{ui::Element::Page}});
    }
    return std::nullopt;
}

std::optional<LRESULT> CHidMouseDlg::OnLeftButtonDown(WPARAM, LPARAM lParam) {
    press(pointOf(lParam));
    return std::nullopt;
}

std::optional<LRESULT> CHidMouseDlg::OnMouseMove(WPARAM, LPARAM lParam) {
    const POINT at = pagePoint(pointOf(lParam));
    const ui::PointerMove move = model_->pointerMoved(at.x, at.y);
    if (move.trackHover) {
        TRACKMOUSEEVENT track{sizeof(track), TME_HOVER | TME_LEAVE, hwnd(), kHoverTimeMs};
        ::TrackMouseEvent(&track);
    }
    present(move.redraw);
    return std::nullopt;
}

std::optional<LRESULT> CHidMouseDlg::OnMouseHover(WPARAM, LPARAM lParam) {
    const POINT at = pagePoint(pointOf(lParam));
    present(model_->pointerHovered(at.x, at.y));
    return std::nullopt;
}

std::optional<LRESULT> CHidMouseDlg::OnControlColour(UINT message, HDC dc, HWND control) {
    controlBrush_.reset();
    const int id = ::GetDlgCtrlID(control);
    switch (message) {
        case WM_CTLCOLORSTATIC:
            if (id >= kFirstSwatchId && id < kFirstSwatchId + ui::layout::kStages) {
                const auto stage = static_cast<std::size_t>(id - kFirstSwatchId + 1);
                const Rgb c = stageColour(model_->record(), stage);
                ::SetBkMode(dc, TRANSPARENT);
                controlBrush_.reset(::CreateSolidBrush(RGB(c.red, c.green, c.blue)));
            } else {
                ::SetTextColor(dc, textColour_);
                ::SetBkColor(dc, kStaticBackground);
                ::SelectObject(dc, fonts_.body.get());
                controlBrush_.reset(::CreateSolidBrush(kStaticBackground));
            }
            return reinterpret_cast<LRESULT>(controlBrush_.get());
        case WM_CTLCOLORLISTBOX:
            ::SetTextColor(dc, kListText);
            ::SetBkMode(dc, TRANSPARENT);
            // List boxes fill each item with the background colour whatever
            // the mode; left white, the white items could not be read.
            ::SetBkColor(dc, kListBackground);
            ::SelectObject(dc, fonts_.body.get());
            return reinterpret_cast<LRESULT>(::GetStockObject(BLACK_BRUSH));
        case WM_CTLCOLOREDIT:
            ::SetTextColor(dc, textColour_);
            ::SetBkMode(dc, TRANSPARENT);
            return reinterpret_cast<LRESULT>(::GetStockObject(BLACK_BRUSH));
        case WM_CTLCOLORBTN:
            ::SetBkMode(dc, TRANSPARENT);
            return std::nullopt;
        default:
            return std::nullopt;
    }
}

std::optional<LRESULT> CHidMouseDlg::OnListCommand(int id, int code) {
    if (code != LBN_SELCHANGE && code != LBN_DBLCLK) return 0;
    const auto list = lists_.find(static_cast<ui::ListId>(id));
    if (list == lists_.end()) return 0;  // a late notice from a list already closed
    const ModalScope modal(*this);
    const int selection = win::list_box::selection(list->second.get()).value_or(-1);
    ui::Redraw redraw;
    if (const std::optional<int> button = ui::buttonOfList(static_cast<ui::ListId>(id))) {
        ui::DialogArgs args{win::toWide(model_->skinFolder()), textColour_, model_->language()};
        ui::Win32AssignmentDialogs dialogs(hwnd(), std::move(args), model_->sensorType());
        if (model_->chooseAssignment(*button, selection, dialogs, redraw)) {
            closeListAfterNotification(static_cast<ui::ListId>(id));
            closeListAfterNotification(ui::ListId::DpiSubList);
        }
    } else if (id == static_cast<int>(ui::ListId::DpiSubList)) {
        if (const std::optional<int> button = model_->chooseDpiStep(selection, redraw)) {
            closeListAfterNotification(ui::ListId::DpiSubList);
            closeListAfterNotification(ui::assignmentList(*button));
        }
    } else if (model_->chooseFromList(list->first, selection, redraw)) {
        closeListAfterNotification(list->first);
    }
    present(redraw);
    notifyChanges(redraw);
    return 0;
}

void CHidMouseDlg::followPointerOverLists(const MSG& msg) {
    if (!model_->pageLive() || lists_.empty()) return;
    const HWND under = ::WindowFromPoint(msg.pt);
    for (ui::ListId id : input::kListSearchOrder) {
        const auto list = lists_.find(id);
        if (list == lists_.end() || list->second.get() != under) continue;
        POINT client = msg.pt;
        ::ScreenToClient(under, &client);
        const std::optional<int> item = win::list_box::itemAtPoint(under, client);
        if (!item) return;
        win::list_box::select(under, *item);
        if (const std::optional<int> button = ui::buttonOfList(id))
            showDpiSubList(*button, under, *item);
        return;
    }
}

void CHidMouseDlg::showMessage(std::u16string_view text, std::u16string_view caption) {
    const std::wstring wideText = win::toWide(text);
    const std::wstring wideCaption = win::toWide(caption);
    // An empty caption is a box without one, not the system's "Error".
    ::MessageBoxW(hwnd(), wideText.c_str(), wideCaption.c_str(), MB_OK);
}

bool CHidMouseDlg::askYesNo(std::u16string_view text, std::u16string_view caption) {
    const std::wstring wideText = win::toWide(text);
    const std::wstring wideCaption = win::toWide(caption);
    return ::MessageBoxW(hwnd(), wideText.c_str(), wideCaption.c_str(),
                         MB_YESNO | MB_ICONQUESTION) == IDYES;
}

void CHidMouseDlg::showBalloon(std::uint32_t code) {
    ::SendMessageW(hwnd(), WM_SHOW_BALLOON, code, 0);
}

void CHidMouseDlg::showBalloonText(const Balloon& balloon) {
    tray_.showBalloon(win::toWide(balloon.text), win::toWide(balloon.title), balloon.timeoutMs);
}

std::optional<std::u16string> CHidMouseDlg::chooseFile(const FileQuestion& question) {
    const ModalScope modal(*this);
    const FileDialogArgs args{hwnd(),
                              win::toWide(question.title),
                              win::toWide(question.folder),
                              win::toWide(question.name),
                              win::toWide(question.filterName),
                              win::toWide(question.extension)};
    const FileDialogResult chosen = question.save ? askSaveFile(args) : askOpenFile(args);
    if (chosen.failedCall) {
        const Language language = model_->language();
        const std::string call(chosen.failedCall);
        showMessage(std::u16string(text(language, TextId::FailedCall)) + u" " +
                        std::u16string(call.begin(), call.end()) + u"\n" +
                        std::u16string(text(language, TextId::ErrorCode)) + u" " +
                        errorNumberText(chosen.error),
                    text(language, TextId::SettingsChangedCaption));
    }
    if (!chosen.path) return std::nullopt;
    return win::fromWide(*chosen.path);
}

void CHidMouseDlg::hideWindow() {
    ::ShowWindow(hwnd(), SW_HIDE);
}

// The process runs elevated; without this, User Interface Privilege Isolation
// drops the balloon requests of ordinary processes, the shell's restart notice
// and the tool's notice that it changed the settings (the tool need not run
// elevated).
void CHidMouseDlg::allowMessagesFromOtherProcesses() {
    ::ChangeWindowMessageFilterEx(hwnd(), WM_SHOW_BALLOON, MSGFLT_ALLOW, nullptr);
    for (UINT registered : {taskbarCreatedMessage_, settingsChangedMessage_}) {
        if (registered != 0) {
            ::ChangeWindowMessageFilterEx(hwnd(), registered, MSGFLT_ALLOW, nullptr);
        }
    }
}

BOOL CHidMouseDlg::PreTranslateMessage(MSG* msg) {
    const bool forThisWindow = msg->hwnd == hwnd() || ::IsChild(hwnd(), msg->hwnd);
    if (!forThisWindow) return FALSE;
    // The page's keys, from the window or from one of its lists; with no list
    // open, Enter and Escape hide the window as they always did.
    if (const std::optional<ui::Key> key = pageKeyOf(*msg)) {
        pressKey(*key);
        return TRUE;
    }
    // The item under the pointer is always the selected one; choosing still
    // takes a click.
    if (msg->message == WM_MOUSEMOVE) followPointerOverLists(*msg);
    return FALSE;
}

std::optional<LRESULT> CHidMouseDlg::dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
    if (taskbarCreatedMessage_ != 0 && message == taskbarCreatedMessage_) {
        tray_.readd();
        return 0;
    }
    if (settingsChangedMessage_ != 0 && message == settingsChangedMessage_) {
        // The model reloads, asks, redraws and tears down through the port.
        model_->settingsChangedOutside();
        return 0;
    }
    switch (message) {
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORBTN:
            return OnControlColour(message, reinterpret_cast<HDC>(wParam),
                                   reinterpret_cast<HWND>(lParam));
        case WM_COMMAND:
            if (isPageList(LOWORD(wParam))) return OnListCommand(LOWORD(wParam), HIWORD(wParam));
            if (LOWORD(wParam) >= ID_TRAY_FIRST_PROFILE &&
                LOWORD(wParam) < ID_TRAY_FIRST_PROFILE + ID_TRAY_PROFILE_COUNT) {
                chooseProfileFromMenu(LOWORD(wParam) - ID_TRAY_FIRST_PROFILE);
                return 0;
            }
            break;
        case WM_CLOSE_CHOSEN_LISTS:
            chosenLists_.clear();
            keepKeyboardFocus();
            return 0;
        default:
            break;
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
    const Language language = model_->language();
    const auto append = [&](HMENU to, UINT flags, UINT_PTR id, TextId row) {
        ::AppendMenuW(to, flags, id, win::toWide(text(language, row)).c_str());
    };
    // The submenu is owned by the menu once appended to it.
    if (HMENU profiles = ::CreatePopupMenu()) {
        const ProfileMenu shown = model_->profileMenu();
        menuProfiles_.assign(
            shown.names.begin(),
            shown.names.begin() + std::min<std::size_t>(shown.names.size(), ID_TRAY_PROFILE_COUNT));
        for (std::size_t i = 0; i < menuProfiles_.size(); ++i) {
            const UINT check = shown.checked == i ? MF_CHECKED : MF_UNCHECKED;
            ::AppendMenuW(profiles, MF_STRING | check, ID_TRAY_FIRST_PROFILE + i,
                          win::toWide(menuProfiles_[i]).c_str());
        }
        if (menuProfiles_.empty()) append(profiles, MF_STRING | MF_GRAYED, 0, TextId::NoProfiles);
        ::AppendMenuW(profiles, MF_SEPARATOR, 0, nullptr);
        append(profiles, MF_STRING, ID_TRAY_SAVE_PROFILE, TextId::SaveProfileAs);
        append(profiles, MF_STRING, ID_TRAY_OPEN_PROFILES, TextId::OpenProfilesFolder);
        append(menu.get(), MF_POPUP, reinterpret_cast<UINT_PTR>(profiles), TextId::ProfilesMenu);
    }
    append(menu.get(), MF_STRING, ID_TRAY_BACKUP, TextId::BackUp);
    append(menu.get(), MF_STRING, ID_TRAY_RESTORE, TextId::Restore);
    ::AppendMenuW(menu.get(), MF_SEPARATOR, 0, nullptr);
    append(menu.get(), MF_STRING, ID_TRAY_EXIT, TextId::Exit);
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

void CHidMouseDlg::chooseProfileFromMenu(int command) {
    if (command < 0 || static_cast<std::size_t>(command) >= menuProfiles_.size()) return;
    const std::u16string name = menuProfiles_[static_cast<std::size_t>(command)];
    model_->applyProfile(name);
}

std::optional<LRESULT> CHidMouseDlg::OnSaveProfile(WPARAM, LPARAM) {
    model_->saveProfileAs();
    return 0;
}

std::optional<LRESULT> CHidMouseDlg::OnOpenProfiles(WPARAM, LPARAM) {
    // Explorer, like the guide's browser, need not run elevated.
    if (const auto folder = model_->profilesFolderToOpen()) {
        win::openAsDesktopUser(hwnd(), win::toWide(*folder));
    }
    return 0;
}

std::optional<LRESULT> CHidMouseDlg::OnBackUp(WPARAM, LPARAM) {
    model_->backUp();
    return 0;
}

std::optional<LRESULT> CHidMouseDlg::OnRestore(WPARAM, LPARAM) {
    model_->restoreBackup();
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
    accessible_.reset();  // clients that still hold the object find it cut off
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
