#include "ui/dialog_frame_win.h"

#include <commctrl.h>
#include <windowsx.h>

#include <array>
#include <utility>

#include "lang/fonts.h"
#include "lang/fonts_win.h"
#include "ui/skin_colours_win.h"
#include "window/client_size.h"
#include "window/list_box.h"
#include "window/wide.h"
#include "window/window_dpi.h"

namespace trv::ui {

namespace {

namespace L = dialog_layout;

// The pointer rests this long on an image button before it lights up.
constexpr DWORD kHoverMs = 10;
// An item's text starts this far right of its edge, as in a system list.
constexpr int kItemIndent = 2;
constexpr UINT_PTR kBorderSubclass = 1;

#ifndef WM_DPICHANGED
#define WM_DPICHANGED 0x02E0
#endif

// The focus holders of the frame's image buttons and of a drop-down's box.
constexpr int kOkStop = 590;
constexpr int kCancelStop = 591;
constexpr int kBoxStop = 592;

// Focus marks stand inside the image buttons, clear of their rounded edge,
// and around the boxes and fields.
constexpr int kButtonMarkInset = 3;
constexpr int kFieldMarkOutset = 2;

Rect inflated(Rect r, int by) {
    return {r.left - by, r.top - by, r.right + by, r.bottom + by};
}

bool isFocusNotice(int code) {
    return code == BN_SETFOCUS || code == BN_KILLFOCUS || code == EN_SETFOCUS ||
           code == EN_KILLFOCUS;
}

// Keys with which a user finds their way around; the first of them shows
// where the focus is.
bool isNavigationKey(UINT key) {
    switch (key) {
        case VK_TAB:
        case VK_LEFT:
        case VK_RIGHT:
        case VK_UP:
        case VK_DOWN:
        case VK_HOME:
        case VK_END:
        case VK_PRIOR:
        case VK_NEXT:
        case VK_F4:
        case VK_SPACE:
        case VK_MENU:
            return true;
        default:
            return false;
    }
}

// An open list's border in the skin's colour instead of the system's frame.
LRESULT CALLBACK borderProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                            DWORD_PTR colour) {
    if (message == WM_NCDESTROY) ::RemoveWindowSubclass(list, &borderProc, kBorderSubclass);
    const LRESULT result = ::DefSubclassProc(list, message, wParam, lParam);
    if (message == WM_NCPAINT) {
        RECT box{};
        ::GetWindowRect(list, &box);
        ::OffsetRect(&box, -box.left, -box.top);
        if (HDC dc = ::GetWindowDC(list)) {
            const win::Brush brush(::CreateSolidBrush(static_cast<COLORREF>(colour)));
            ::FrameRect(dc, &box, brush.get());
            ::ReleaseDC(list, dc);
        }
    }
    return result;
}

}  // namespace

DialogFrame::DialogFrame(DialogKind kind, DialogArgs args, HWND owner)
    : win::Dialog(::GetModuleHandleW(nullptr), static_cast<UINT>(dialogLook(kind).templateId),
                  owner),
      kind_(kind),
      args_(std::move(args)) {}

DialogFrame::~DialogFrame() = default;

bool DialogFrame::run() {
    return DoModal() == IDOK;
}

std::span<const win::MessageEntry<DialogFrame>> DialogFrame::messageMap() {
    using Self = DialogFrame;
    static const std::array<win::MessageEntry<Self>, 14> map{{
        win::onMessage<Self>(WM_ERASEBKGND, &Self::OnEraseBackground),
        win::onMessage<Self>(WM_LBUTTONDOWN, &Self::OnLeftButtonDown),
        // A second press soon after the first is a press too.
        win::onMessage<Self>(WM_LBUTTONDBLCLK, &Self::OnLeftButtonDown),
        win::onMessage<Self>(WM_MOUSEMOVE, &Self::OnMouseMove),
        win::onMessage<Self>(WM_MOUSEHOVER, &Self::OnMouseHover),
        win::onMessage<Self>(WM_CTLCOLORSTATIC, &Self::OnStaticColour),
        win::onMessage<Self>(WM_CTLCOLOREDIT, &Self::OnControlColour),
        win::onMessage<Self>(WM_CTLCOLORLISTBOX, &Self::OnControlColour),
        win::onMessage<Self>(WM_MEASUREITEM, &Self::OnMeasureItem),
        win::onMessage<Self>(WM_DRAWITEM, &Self::OnDrawItem),
        win::onMessage<Self>(WM_DESTROY, &Self::OnDestroy),
        win::onMessage<Self>(WM_DPICHANGED, &Self::OnDpiChanged),
        win::onCommand<Self>(IDOK, &Self::OnOk),
        win::onCommand<Self>(IDCANCEL, &Self::OnCancel),
    }};
    return map;
}

std::optional<LRESULT> DialogFrame::dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
    if (std::optional<LRESULT> own = dispatchOwn(message, wParam, lParam)) return own;
    if (std::optional<LRESULT> frame =
            win::dispatchByMap(this, messageMap(), message, wParam, lParam)) {
        return frame;
    }
    // Notifications of the controls the dialog made for itself.
    if (message == WM_COMMAND && lParam != 0) {
        const int id = LOWORD(wParam);
        const int code = HIWORD(wParam);
        if (isFocusNotice(code) && focusMarks_) compose();
        // A holder pressed another way than by key (a screen reader's default action).
        if (code == BN_CLICKED && (id == kOkStop || id == kCancelStop)) {
            end(id == kOkStop);
            return 0;
        }
        if (code == BN_CLICKED && id == kBoxStop) {
            openOrCloseByKeyboard();
            return 0;
        }
        controlEvent(id, code);
        return 0;
    }
    return std::nullopt;
}

BOOL DialogFrame::OnInitDialog() {
    const DialogLook& look = dialogLook(kind_);
    // The dialog lays itself out again at a new DPI (OnDpiChanged).
    win::keepDialogLayoutOnDpiChange(hwnd());
    // No caption shows it; screen readers announce it when the dialog opens.
    ::SetWindowTextW(hwnd(), win::toWide(text(args_.language, look.name)).c_str());
    colours_ = readSkinColours(args_.skinFolder);
    scale_ = DisplayScale{win::windowDpi(hwnd())};
    if (!layoutForDpi()) {
        // Blank until closed: the image buttons still answer clicks, Enter and Esc.
        const std::wstring caption = win::toWide(look.failureCaption);
        const std::wstring text = win::toWide(kBackgroundFailureText);
        ::MessageBoxW(hwnd(), text.c_str(), caption.c_str(), MB_OK);
        return TRUE;
    }

    labels_ = dialogLabels(look.labels, args_.language);
    controlBrush_.reset(::CreateSolidBrush(colourRef(colours_.field)));
    selectionBrush_.reset(::CreateSolidBrush(colourRef(colours_.selection)));
    if (DropDownChoice* choice = dropDown()) {
        makeStop(kBoxStop, choice->text(), inflated(dropDownLayout(kind_).box, kFieldMarkOutset));
    }
    createControls();
    makeStop(kOkStop, label(dialog_label::kOk), inflated(L::kOk, -kButtonMarkInset));
    makeStop(kCancelStop, label(dialog_label::kCancel), inflated(L::kCancel, -kButtonMarkInset));
    compose();
    if (HWND first = initialFocus()) {
        focusOn(first);
        return FALSE;
    }
    return TRUE;
}

bool DialogFrame::layoutForDpi() {
    FontSpec spec = fontsFor(args_.language, win::runningWindowsVersion()).dialog;
    if (baseItemHeight_ == 0) {
        // The height a system list gives its items in the 96-DPI font; lists
        // sized for a number of items keep holding them at every scale.
        const win::Font base = win::makeFont(spec);
        HDC dc = ::GetDC(hwnd());
        TEXTMETRICW metrics{};
        {
            const win::SelectObjectScope font(dc, base.get());
            ::GetTextMetricsW(dc, &metrics);
        }
        ::ReleaseDC(hwnd(), dc);
        baseItemHeight_ = metrics.tmHeight;
    }
    spec.height = scale_.px(spec.height);
    font_ = win::makeFont(spec);
    CanvasSetup setup;
    setup.skinFolder = args_.skinFolder;
    setup.background = std::u16string(dialogLook(kind_).background);
    setup.textColour = args_.textColour;
    setup.bodyFont = font_.get();
    setup.onImageFailure = imageFailureBox(hwnd());
    setup.dpi = scale_.dpi;
    canvas_.emplace(std::move(setup));
    if (!canvas_->backgroundLoaded()) {
        canvas_.reset();
        return false;
    }
    // The client area, where the picture goes, takes the picture's size.
    win::setClientSize(hwnd(), canvas_->width(), canvas_->height());
    return true;
}

int DialogFrame::itemHeight() const {
    return scale_.px(baseItemHeight_);
}

POINT DialogFrame::dialogPoint(LPARAM lParam) const {
    return {scale_.unscaled(GET_X_LPARAM(lParam)), scale_.unscaled(GET_Y_LPARAM(lParam))};
}

std::optional<LRESULT> DialogFrame::OnDpiChanged(WPARAM wParam, LPARAM lParam) {
    scale_ = DisplayScale{LOWORD(wParam)};
    if (const auto* suggested = reinterpret_cast<const RECT*>(lParam)) {
        // Where the system suggests; the size is the canvas's at the new DPI.
        ::SetWindowPos(hwnd(), nullptr, suggested->left, suggested->top, 0, 0,
                       SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (!canvas_) return 0;  // a blank dialog stays blank
    if (!layoutForDpi()) return 0;
    for (const Placed& placed : placed_) {
        HWND control = ::GetDlgItem(hwnd(), placed.id);
        if (!control) continue;  // a list that is closed, a field under it
        ::SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
        const Rect r = scale_.rect(placed.rect);
        ::MoveWindow(control, r.left, r.top, r.width(), r.height(), TRUE);
        wchar_t className[16] = {};
        ::GetClassNameW(control, className, 16);
        if (std::wstring_view(className) == L"ListBox") {
            ::SendMessageW(control, LB_SETITEMHEIGHT, 0, itemHeight());
        }
    }
    compose();
    return 0;
}

BOOL DialogFrame::PreTranslateMessage(MSG* msg) {
    if (msg->message == WM_MOUSEMOVE && msg->hwnd && msg->hwnd == hoveredList()) {
        const POINT at{GET_X_LPARAM(msg->lParam), GET_Y_LPARAM(msg->lParam)};
        if (std::optional<int> item = win::list_box::itemAtPoint(msg->hwnd, at)) {
            win::list_box::select(msg->hwnd, *item);
        }
        return FALSE;
    }
    const bool ours = msg->hwnd == hwnd() || ::IsChild(hwnd(), msg->hwnd);
    if (msg->message == WM_MOUSEWHEEL && ours) {
        return wheel(GET_WHEEL_DELTA_WPARAM(msg->wParam) > 0) ? TRUE : FALSE;
    }
    if ((msg->message == WM_KEYDOWN || msg->message == WM_SYSKEYDOWN) && ours) {
        const auto key = static_cast<UINT>(msg->wParam);
        if (isNavigationKey(key)) showFocusMarks();
        if (keyDown(key, msg->message == WM_SYSKEYDOWN)) return TRUE;
    }
    return FALSE;
}

void DialogFrame::remember(int id, Rect at96) {
    for (Placed& placed : placed_) {
        if (placed.id == id) {
            placed.rect = at96;
            return;
        }
    }
    placed_.push_back({id, at96});
}

void DialogFrame::showFocusMarks() {
    if (focusMarks_) return;
    focusMarks_ = true;
    compose();
}

HWND DialogFrame::okStop() const {
    return ::GetDlgItem(hwnd(), kOkStop);
}

HWND DialogFrame::cancelStop() const {
    return ::GetDlgItem(hwnd(), kCancelStop);
}

void DialogFrame::focusOn(HWND control) {
    // As the dialog manager moves the focus: a field's text is selected.
    if (control) ::SendMessageW(hwnd(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control), TRUE);
}

bool DialogFrame::keyDown(UINT key, bool alt) {
    if (dropDownKey(key, alt)) return true;
    const HWND focus = ::GetFocus();
    const bool onCancel = focus && focus == cancelStop();
    if (key == VK_SPACE && focus && (focus == okStop() || onCancel)) {
        end(!onCancel);
        return true;
    }
    // Enter is OK everywhere but on Cancel, whatever the dialog manager
    // takes for the default button.
    if (key == VK_RETURN && !alt) {
        end(!onCancel);
        return true;
    }
    return false;
}

// A drop-down answers the keys a combo box does: with the list closed and
// the box focused, arrows step the choice and Space, F4 or Alt+Down open the
// list; with it open, arrows move in it, Enter or Space pick, Esc or F4
// close it and Tab closes it and moves on.
bool DialogFrame::dropDownKey(UINT key, bool alt) {
    DropDownChoice* choice = dropDown();
    if (!choice) return false;
    HWND box = ::GetDlgItem(hwnd(), kBoxStop);
    if (choice->listOpen()) {
        HWND list = hoveredList();
        if (!list) return false;
        const int count = win::list_box::count(list);
        const int now = win::list_box::selection(list).value_or(choice->index());
        int next = now;
        switch (key) {
            case VK_UP:
            case VK_DOWN:
                if (alt) {
                    openOrCloseByKeyboard();
                    return true;
                }
                next = now + (key == VK_UP ? -1 : 1);
                break;
            case VK_PRIOR:
                next = now - win::list_box::pageSize(list);
                break;
            case VK_NEXT:
                next = now + win::list_box::pageSize(list);
                break;
            case VK_HOME:
                next = 0;
                break;
            case VK_END:
                next = count - 1;
                break;
            case VK_RETURN:
            case VK_SPACE:
                focusOn(box);
                if (!choice->pick(now)) choice->toggle();
                syncDropDown();
                return true;
            case VK_ESCAPE:
            case VK_F4:
            case VK_TAB:
                openOrCloseByKeyboard();
                if (key == VK_TAB) {
                    ::SendMessageW(hwnd(), WM_NEXTDLGCTL, ::GetKeyState(VK_SHIFT) < 0 ? 1 : 0,
                                   FALSE);
                }
                return true;
            default:
                return false;
        }
        // Selecting without notifying: only Enter or Space picks.
        if (count > 0)
            win::list_box::select(list, next < 0 ? 0 : (next >= count ? count - 1 : next));
        return true;
    }
    if (!box || ::GetFocus() != box) return false;
    int step = 0;
    switch (key) {
        case VK_UP:
        case VK_DOWN:
            if (alt) {
                openOrCloseByKeyboard();
                return true;
            }
            step = key == VK_UP ? -1 : 1;
            break;
        case VK_LEFT:
            step = -1;
            break;
        case VK_RIGHT:
            step = 1;
            break;
        case VK_HOME:
            step = -static_cast<int>(choice->items().size());
            break;
        case VK_END:
            step = static_cast<int>(choice->items().size());
            break;
        case VK_SPACE:
        case VK_F4:
            openOrCloseByKeyboard();
            return true;
        default:
            return false;
    }
    if (choice->step(step)) syncDropDown();
    return true;
}

void DialogFrame::openOrCloseByKeyboard() {
    DropDownChoice* choice = dropDown();
    if (!choice) return;
    HWND box = ::GetDlgItem(hwnd(), kBoxStop);
    // The focus goes back to the box before the list it may be in goes.
    if (choice->listOpen()) focusOn(box);
    choice->toggle();
    syncDropDown();
    if (choice->listOpen()) {
        if (HWND list = hoveredList()) {
            win::list_box::select(list, choice->index());
            ::SetFocus(list);
        }
    }
}

void DialogFrame::syncDropDown() {
    DropDownChoice* choice = dropDown();
    if (!choice) return;
    dropDownChanged();
    setText(::GetDlgItem(hwnd(), kBoxStop), choice->text());
    if (focusMarks_) compose();
}

HWND DialogFrame::makeStop(int id, std::u16string_view name, Rect mark) {
    const std::wstring wide = win::toWide(name);
    // Owner-drawn, so that it never takes the default button's part, and
    // without area: the dialog draws it and its focus mark.
    HWND stop = ::CreateWindowExW(
        0, L"BUTTON", wide.c_str(), WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW | BS_NOTIFY,
        0, 0, 0, 0, hwnd(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance(), nullptr);
    markFocusOf(id, mark);
    return stop;
}

void DialogFrame::markFocusOf(int id, Rect mark) {
    marks_.push_back({id, mark});
}

HWND DialogFrame::makeLabel(int id, std::u16string_view text) {
    const std::wstring wide = win::toWide(text);
    return ::CreateWindowExW(0, L"STATIC", wide.c_str(), WS_CHILD | WS_VISIBLE | SS_NOPREFIX, 0, 0,
                             0, 0, hwnd(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                             instance(), nullptr);
}

std::u16string_view DialogFrame::label(std::size_t position) const {
    return position < labels_.size() ? labels_[position] : std::u16string_view{};
}

HWND DialogFrame::makeText(int id, Rect at96, std::u16string_view text) {
    remember(id, at96);
    const Rect rect = scale_.rect(at96);
    const std::wstring wide = win::toWide(text);
    HWND control =
        ::CreateWindowExW(0, L"STATIC", wide.c_str(),
                          WS_CHILD | WS_VISIBLE | SS_CENTER | SS_CENTERIMAGE | SS_NOPREFIX,
                          rect.left, rect.top, rect.width(), rect.height(), hwnd(),
                          reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance(), nullptr);
    if (control) ::SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
    return control;
}

HWND DialogFrame::makeNumberField(int id, Rect at96, std::u16string_view text) {
    remember(id, at96);
    const Rect rect = scale_.rect(at96);
    const std::wstring wide = win::toWide(text);
    HWND control = ::CreateWindowExW(
        0, L"EDIT", wide.c_str(),
        WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_NUMBER | ES_CENTER | ES_AUTOHSCROLL, rect.left,
        rect.top, rect.width(), rect.height(), hwnd(),
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance(), nullptr);
    if (control) ::SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
    return control;
}

HWND DialogFrame::makeList(int id, Rect at96, const std::vector<std::u16string>& items,
                           DWORD extraStyle) {
    remember(id, at96);
    const Rect rect = scale_.rect(at96);
    // Drawn by the dialog, so that the items and the selection take the skin's colours.
    HWND list =
        win::list_box::create(hwnd(), id, RECT{rect.left, rect.top, rect.right, rect.bottom}, {},
                              extraStyle | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS);
    if (!list) return nullptr;
    ::SetWindowSubclass(list, &borderProc, kBorderSubclass,
                        static_cast<DWORD_PTR>(colourRef(colours_.border)));
    ::SetWindowPos(list, nullptr, 0, 0, 0, 0,
                   SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    // The font first, so that the items take its height.
    ::SendMessageW(list, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
    for (const std::u16string& item : items) win::list_box::add(list, item);
    return list;
}

void DialogFrame::setText(HWND control, std::u16string_view text) {
    if (!control) return;
    const std::wstring wide = win::toWide(text);
    ::SetWindowTextW(control, wide.c_str());
    ::InvalidateRect(control, nullptr, TRUE);
}

std::u16string DialogFrame::textOf(HWND control) {
    const int length = ::GetWindowTextLengthW(control);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const int got = ::GetWindowTextW(control, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(got > 0 ? got : 0));
    return win::fromWide(text);
}

void DialogFrame::paintText(std::u16string_view text, Rect rect, UINT format, Ink ink) {
    if (!canvas_ || text.empty()) return;
    const HDC dc = canvas_->dc();
    const win::SelectObjectScope font(dc, font_.get());
    const COLORREF before =
        ::SetTextColor(dc, colourRef(ink == Ink::Caption ? colours_.caption : colours_.fieldText));
    const Rect scaled = scale_.rect(rect);
    RECT box{scaled.left, scaled.top, scaled.right, scaled.bottom};
    const std::wstring wide = win::toWide(text);
    ::DrawTextW(dc, wide.c_str(), static_cast<int>(wide.size()), &box, format | DT_NOPREFIX);
    ::SetTextColor(dc, before);
}

TextSize DialogFrame::measureText(std::u16string_view text, int wrapWidth) const {
    if (!canvas_ || text.empty()) return {};
    const HDC dc = canvas_->dc();
    const win::SelectObjectScope font(dc, font_.get());
    const std::wstring wide = win::toWide(text);
    RECT box{0, 0, scale_.px(wrapWidth), 0};
    const UINT lines = wrapWidth > 0 ? DT_WORDBREAK : DT_SINGLELINE;
    ::DrawTextW(dc, wide.c_str(), static_cast<int>(wide.size()), &box,
                DT_CALCRECT | DT_NOPREFIX | lines);
    // Back in 96-DPI numbers, rounded up: the scaled place still holds the text.
    const auto unscaledUp = [this](LONG v) {
        return static_cast<int>((v * kBaseDpi + scale_.dpi - 1) / scale_.dpi);
    };
    return {unscaledUp(box.right - box.left), unscaledUp(box.bottom - box.top)};
}

void DialogFrame::compose() {
    if (!canvas_) return;
    const FrameLooks& looks = hover_.looks();
    canvas_->drawImage(dialogLook(kind_).background, 0, 0);
    canvas_->drawImage(looks.ok ? L::kButtonOver : L::kButtonNormal, L::kOk.left, L::kOk.top);
    canvas_->drawText(label(dialog_label::kOk), L::kOk, TextFormat::Centre, FontRole::Body);
    canvas_->drawImage(looks.cancel ? L::kButtonOver : L::kButtonNormal, L::kCancel.left,
                       L::kCancel.top);
    canvas_->drawText(label(dialog_label::kCancel), L::kCancel, TextFormat::Centre, FontRole::Body);
    canvas_->drawImage(looks.close ? L::kCloseOver : L::kCloseNormal, L::kClose.left,
                       L::kClose.top);
    drawTexts();
    drawFocusMark();
    canvas_->presentTo(hwnd());
}

void DialogFrame::drawFocusMark() {
    if (!focusMarks_) return;
    const HWND focus = ::GetFocus();
    if (!focus || !::IsChild(hwnd(), focus)) return;
    const int id = ::GetDlgCtrlID(focus);
    for (const Mark& mark : marks_) {
        if (mark.id != id) continue;
        const Rect r = scale_.rect(mark.rect);
        const int t = scale_.px(1);
        const win::Brush brush(::CreateSolidBrush(colourRef(colours_.selection)));
        const RECT edges[] = {{r.left, r.top, r.right, r.top + t},
                              {r.left, r.bottom - t, r.right, r.bottom},
                              {r.left, r.top, r.left + t, r.bottom},
                              {r.right - t, r.top, r.right, r.bottom}};
        for (const RECT& edge : edges) ::FillRect(canvas_->dc(), &edge, brush.get());
        return;
    }
}

void DialogFrame::end(bool ok) {
    if (ok) accepting();
    EndDialog(ok ? IDOK : IDCANCEL);
}

std::optional<LRESULT> DialogFrame::OnEraseBackground(WPARAM wParam, LPARAM) {
    if (!canvas_) return std::nullopt;
    return canvas_->eraseBackground(wParam);
}

std::optional<LRESULT> DialogFrame::OnLeftButtonDown(WPARAM, LPARAM lParam) {
    const POINT at = dialogPoint(lParam);
    switch (frameButtonAt(at.x, at.y)) {
        case FrameButton::Ok:
            end(true);
            break;
        case FrameButton::Cancel:
        case FrameButton::Close:
            end(false);
            break;
        case FrameButton::None:
            leftClick(at);
            break;
    }
    return 0;
}

std::optional<LRESULT> DialogFrame::OnMouseMove(WPARAM, LPARAM lParam) {
    const POINT at = dialogPoint(lParam);
    const FrameHover::Move move = hover_.moved(at.x, at.y);
    if (move.askForHover) {
        TRACKMOUSEEVENT track{sizeof(TRACKMOUSEEVENT), TME_HOVER, hwnd(), kHoverMs};
        ::TrackMouseEvent(&track);
    }
    if (move.redraw) compose();
    return 0;
}

std::optional<LRESULT> DialogFrame::OnMouseHover(WPARAM, LPARAM lParam) {
    const POINT at = dialogPoint(lParam);
    if (hover_.rested(at.x, at.y)) compose();
    return 0;
}

LRESULT DialogFrame::colourControl(HDC dc, bool transparentText) {
    ::SetTextColor(dc, colourRef(colours_.fieldText));
    if (transparentText) {
        ::SetBkMode(dc, TRANSPARENT);
    } else {
        ::SetBkColor(dc, colourRef(colours_.field));
    }
    ::SelectObject(dc, font_.get());
    return reinterpret_cast<LRESULT>(controlBrush_.get());
}

std::optional<LRESULT> DialogFrame::OnStaticColour(WPARAM wParam, LPARAM) {
    return colourControl(reinterpret_cast<HDC>(wParam), true);
}

std::optional<LRESULT> DialogFrame::OnControlColour(WPARAM wParam, LPARAM) {
    return colourControl(reinterpret_cast<HDC>(wParam), false);
}

std::optional<LRESULT> DialogFrame::OnMeasureItem(WPARAM, LPARAM lParam) {
    auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
    if (item->CtlType != ODT_LISTBOX) return std::nullopt;
    item->itemHeight = static_cast<UINT>(itemHeight());
    return TRUE;
}

std::optional<LRESULT> DialogFrame::OnDrawItem(WPARAM, LPARAM lParam) {
    const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
    if (item->CtlType != ODT_LISTBOX) return std::nullopt;
    if (item->itemID == static_cast<UINT>(-1)) return TRUE;  // an empty list's focus
    const bool selected = (item->itemState & ODS_SELECTED) != 0;
    ::FillRect(item->hDC, &item->rcItem, selected ? selectionBrush_.get() : controlBrush_.get());
    const std::wstring text =
        win::toWide(win::list_box::itemText(item->hwndItem, static_cast<int>(item->itemID)));
    const win::SelectObjectScope font(item->hDC, font_.get());
    ::SetBkMode(item->hDC, TRANSPARENT);
    ::SetTextColor(item->hDC, colourRef(selected ? colours_.selectionText : colours_.fieldText));
    RECT box = item->rcItem;
    box.left += scale_.px(kItemIndent);
    ::DrawTextW(item->hDC, text.c_str(), static_cast<int>(text.size()), &box,
                DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
    return TRUE;
}

std::optional<LRESULT> DialogFrame::OnDestroy(WPARAM, LPARAM) {
    windowGone();
    return std::nullopt;
}

std::optional<LRESULT> DialogFrame::OnOk(WPARAM, LPARAM) {
    end(true);
    return 0;
}

std::optional<LRESULT> DialogFrame::OnCancel(WPARAM, LPARAM) {
    end(false);
    return 0;
}

}  // namespace trv::ui
