#include "ui/dialog_frame_win.h"

#include <commctrl.h>
#include <windowsx.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <utility>

#include "lang/fonts.h"
#include "lang/fonts_win.h"
#include "window/client_size.h"
#include "window/list_box.h"
#include "window/wide.h"

namespace trv::ui {

namespace {

namespace L = dialog_layout;

// The pointer rests this long on an image button before it lights up.
constexpr DWORD kHoverMs = 10;
// An item's text starts this far right of its edge, as in a system list.
constexpr int kItemIndent = 2;
constexpr UINT_PTR kBorderSubclass = 1;

COLORREF colourRef(Rgb c) {
    return RGB(c.red, c.green, c.blue);
}

DialogColours readColours(const std::wstring& skinFolder) {
    std::ifstream file(std::filesystem::path(skinFolder + win::toWide(kDialogColoursFile)),
                       std::ios::binary);
    if (!file) return {};
    const std::string text{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    return parseDialogColours(text);
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
    static const std::array<win::MessageEntry<Self>, 13> map{{
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
        controlEvent(LOWORD(wParam), HIWORD(wParam));
        return 0;
    }
    return std::nullopt;
}

BOOL DialogFrame::OnInitDialog() {
    const DialogLook& look = dialogLook(kind_);
    colours_ = readColours(args_.skinFolder);
    font_ = win::makeFont(fontsFor(args_.language, win::runningWindowsVersion()).dialog);
    CanvasSetup setup;
    setup.skinFolder = args_.skinFolder;
    setup.background = std::u16string(look.background);
    setup.textColour = args_.textColour;
    setup.bodyFont = font_.get();
    setup.onImageFailure = imageFailureBox(hwnd());
    canvas_.emplace(std::move(setup));
    if (!canvas_->backgroundLoaded()) {
        // Blank until closed: the image buttons still answer clicks, Enter and Esc.
        canvas_.reset();
        const std::wstring caption = win::toWide(look.failureCaption);
        const std::wstring text = win::toWide(kBackgroundFailureText);
        ::MessageBoxW(hwnd(), text.c_str(), caption.c_str(), MB_OK);
        return TRUE;
    }

    // The client area, where the picture goes, takes the picture's size.
    win::setClientSize(hwnd(), canvas_->width(), canvas_->height());

    labels_ = dialogLabels(look.labels, args_.language);
    controlBrush_.reset(::CreateSolidBrush(colourRef(colours_.field)));
    selectionBrush_.reset(::CreateSolidBrush(colourRef(colours_.selection)));
    createControls();
    compose();
    return TRUE;
}

BOOL DialogFrame::PreTranslateMessage(MSG* msg) {
    if (msg->message == WM_MOUSEMOVE && msg->hwnd && msg->hwnd == hoveredList()) {
        const POINT at{GET_X_LPARAM(msg->lParam), GET_Y_LPARAM(msg->lParam)};
        if (std::optional<int> item = win::list_box::itemAtPoint(msg->hwnd, at)) {
            win::list_box::select(msg->hwnd, *item);
        }
        return FALSE;
    }
    if (msg->message == WM_MOUSEWHEEL && (msg->hwnd == hwnd() || ::IsChild(hwnd(), msg->hwnd))) {
        return wheel(GET_WHEEL_DELTA_WPARAM(msg->wParam) > 0) ? TRUE : FALSE;
    }
    return FALSE;
}

std::u16string_view DialogFrame::label(std::size_t position) const {
    return position < labels_.size() ? labels_[position] : std::u16string_view{};
}

HWND DialogFrame::makeText(int id, Rect rect, std::u16string_view text) {
    const std::wstring wide = win::toWide(text);
    HWND control =
        ::CreateWindowExW(0, L"STATIC", wide.c_str(),
                          WS_CHILD | WS_VISIBLE | SS_CENTER | SS_CENTERIMAGE | SS_NOPREFIX,
                          rect.left, rect.top, rect.width(), rect.height(), hwnd(),
                          reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance(), nullptr);
    if (control) ::SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
    return control;
}

HWND DialogFrame::makeNumberField(int id, Rect rect, std::u16string_view text) {
    const std::wstring wide = win::toWide(text);
    HWND control = ::CreateWindowExW(
        0, L"EDIT", wide.c_str(),
        WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_NUMBER | ES_CENTER | ES_AUTOHSCROLL, rect.left,
        rect.top, rect.width(), rect.height(), hwnd(),
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance(), nullptr);
    if (control) ::SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
    return control;
}

HWND DialogFrame::makeList(int id, Rect rect, const std::vector<std::u16string>& items,
                           DWORD extraStyle) {
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
    RECT box{rect.left, rect.top, rect.right, rect.bottom};
    const std::wstring wide = win::toWide(text);
    ::DrawTextW(dc, wide.c_str(), static_cast<int>(wide.size()), &box, format | DT_NOPREFIX);
    ::SetTextColor(dc, before);
}

TextSize DialogFrame::measureText(std::u16string_view text, int wrapWidth) const {
    if (!canvas_ || text.empty()) return {};
    const HDC dc = canvas_->dc();
    const win::SelectObjectScope font(dc, font_.get());
    const std::wstring wide = win::toWide(text);
    RECT box{0, 0, wrapWidth, 0};
    const UINT lines = wrapWidth > 0 ? DT_WORDBREAK : DT_SINGLELINE;
    ::DrawTextW(dc, wide.c_str(), static_cast<int>(wide.size()), &box,
                DT_CALCRECT | DT_NOPREFIX | lines);
    return {box.right - box.left, box.bottom - box.top};
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
    canvas_->presentTo(hwnd());
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
    const POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
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
    const FrameHover::Move move = hover_.moved(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
    if (move.askForHover) {
        TRACKMOUSEEVENT track{sizeof(TRACKMOUSEEVENT), TME_HOVER, hwnd(), kHoverMs};
        ::TrackMouseEvent(&track);
    }
    if (move.redraw) compose();
    return 0;
}

std::optional<LRESULT> DialogFrame::OnMouseHover(WPARAM, LPARAM lParam) {
    if (hover_.rested(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam))) compose();
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
    // The height a system list gives its items in this font.
    HDC dc = ::GetDC(hwnd());
    TEXTMETRICW metrics{};
    {
        const win::SelectObjectScope font(dc, font_.get());
        ::GetTextMetricsW(dc, &metrics);
    }
    ::ReleaseDC(hwnd(), dc);
    item->itemHeight = static_cast<UINT>(metrics.tmHeight);
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
    box.left += kItemIndent;
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
