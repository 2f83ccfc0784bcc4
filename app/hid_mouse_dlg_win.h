#pragma once
// The main window: lives hidden in the notification area for the whole
// process, shows the settings page when the icon is clicked, and carries
// window messages to the model and the model's results to the screen.

#include <windows.h>

#include <array>
#include <map>
#include <memory>
#include <optional>
#include <span>
#include <vector>

#include "app/main_model.h"
#include "app/page_accessible_win.h"
#include "app/tray_icon_win.h"
#include "app/window_messages.h"
#include "app/window_port.h"
#include "config/settings_file_win.h"
#include "config/win_profile_store_win.h"
#include "device/hid_system.h"
#include "device/transfer.h"
#include "perf/system_pointer_win.h"
#include "ui/display_scale.h"
#include "ui/gdi_canvas_win.h"
#include "ui/page_canvas_win.h"
#include "window/dialog.h"
#include "window/handles.h"

namespace trv {

class CHidMouseDlg : public win::MappedDialog<CHidMouseDlg>,
                     private WindowPort,
                     private AccessiblePage {
  public:
    explicit CHidMouseDlg(HINSTANCE instance);
    ~CHidMouseDlg() override;

    static std::span<const win::MessageEntry<CHidMouseDlg>> messageMap();

  protected:
    BOOL OnInitDialog() override;
    BOOL PreTranslateMessage(MSG* msg) override;
    std::optional<LRESULT> dispatch(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    std::optional<LRESULT> OnPaint(WPARAM, LPARAM);
    std::optional<LRESULT> OnQueryDragIcon(WPARAM, LPARAM);
    std::optional<LRESULT> OnTrayNotify(WPARAM, LPARAM);
    std::optional<LRESULT> OnShowBalloon(WPARAM, LPARAM);
    std::optional<LRESULT> OnTrayExit(WPARAM, LPARAM);
    std::optional<LRESULT> OnSaveProfile(WPARAM, LPARAM);
    std::optional<LRESULT> OnOpenProfiles(WPARAM, LPARAM);
    std::optional<LRESULT> OnBackUp(WPARAM, LPARAM);
    std::optional<LRESULT> OnRestore(WPARAM, LPARAM);
    std::optional<LRESULT> OnClose(WPARAM, LPARAM);
    std::optional<LRESULT> OnHideCommand(WPARAM, LPARAM);
    std::optional<LRESULT> OnDestroy(WPARAM, LPARAM);
    std::optional<LRESULT> OnNcPaint(WPARAM, LPARAM);
    std::optional<LRESULT> OnDeviceChange(WPARAM, LPARAM);
    std::optional<LRESULT> OnTimer(WPARAM, LPARAM);
    std::optional<LRESULT> OnEraseBackground(WPARAM, LPARAM);
    std::optional<LRESULT> OnShowWindow(WPARAM, LPARAM);
    std::optional<LRESULT> OnLeftButtonDown(WPARAM, LPARAM);
    std::optional<LRESULT> OnMouseMove(WPARAM, LPARAM);
    std::optional<LRESULT> OnMouseHover(WPARAM, LPARAM);
    std::optional<LRESULT> OnDpiChanged(WPARAM, LPARAM);
    std::optional<LRESULT> OnGetObject(WPARAM, LPARAM);
    std::optional<LRESULT> OnAccessibleAction(WPARAM, LPARAM);
    std::optional<LRESULT> OnControlColour(UINT message, HDC dc, HWND control);
    std::optional<LRESULT> OnListCommand(int id, int code);

    // What the model asks of the window.
    void showMessage(std::u16string_view text, std::u16string_view caption) override;
    bool askYesNo(std::u16string_view text, std::u16string_view caption) override;
    void showBalloon(std::uint32_t code) override;
    void showBalloonText(const Balloon& balloon) override;
    std::optional<std::u16string> chooseFile(const FileQuestion& question) override;
    void hideWindow() override;
    bool registerDeviceNotifications() override;
    void loadSkinAndFonts() override;
    void tearDownPage() override;
    void redraw(const ui::Redraw& redraw) override;

    // What the accessible object asks of the window.
    int controlCount() const override { return ui::kFocusStops; }
    ui::AccessibleControl control(int index) const override;
    RECT screenRect(const ui::Rect& pageRect) const override;
    std::optional<int> focusedControl() const override;
    void doDefaultAction(int index) override;
    void takeFocus(int index) override;
    bool hasKeyboardFocus() const;
    // Screen readers told of the focus and of what a change redraws.
    void notifyFocus();
    void notifyChanges(const ui::Redraw& redraw);

    // The page, its lists and swatches.
    void press(POINT at);
    void pressKey(ui::Key key);
    void carryOut(const PressOutcome& outcome);
    // After a list that held the keyboard focus is gone, the window takes it
    // back: with no focus at all, keys would reach it only as system keys.
    void keepKeyboardFocus();
    void openList(const ListToOpen& list);
    void closeList(ui::ListId id);
    void closeListAfterNotification(ui::ListId id);
    void chooseStageColour(int stage);
    void openGuide();
    void followPointerOverLists(const MSG& msg);
    void showDpiSubList(int button, HWND list, int item);
    void ensureSwatches();
    void present(const ui::Redraw& redraw);
    // The fonts and the canvas for the window's DPI, and the client area the
    // canvas's size.
    void makeCanvasForDpi();
    // A window pixel as the page's 96-DPI point.
    POINT pagePoint(POINT at) const;

    void addTrayIcon();
    void showFromTray();
    void showTrayMenu();
    void chooseProfileFromMenu(int command);
    void exitProgram();
    void allowMessagesFromOtherProcesses();

    HICON appIcon_ = nullptr;  // shared resource icon, owned by the module
    win::KernelHandle instanceMutex_;
    win::Icon trayIcon_;  // the small-icon size of the window's DPI; outlives tray_
    TrayIcon tray_;
    int trayAttemptsLeft_ = 0;
    UINT taskbarCreatedMessage_ = 0;
    UINT settingsChangedMessage_ = 0;
    class ModalScope;
    int hideOnFramePaint_ = 2;
    // The profiles of the menu last shown, by their place in it.
    std::vector<std::u16string> menuProfiles_;

    // What the model reaches the system through, then the model itself.
    std::unique_ptr<HidSystem> hid_;
    SleepingClock clock_;
    win::WinSettingsFileSystem files_;
    std::unique_ptr<win::WinProfileStore> strIni_;
    Win32SystemPointer pointer_;
    std::unique_ptr<MainWindowModel> model_;

    win::DeviceNotification deviceNotification_;
    COLORREF textColour_ = RGB(0, 0, 0);
    COLORREF focusColour_ = RGB(0, 255, 198);
    std::unique_ptr<PageAccessibleOwner> accessible_;
    ui::PageFonts fonts_;
    ui::DisplayScale scale_;                      // the window's DPI; the page keeps 96-DPI numbers
    std::unique_ptr<ui::GdiCanvas> canvas_;       // released while the window is hidden
    std::optional<ui::CanvasSetup> canvasSetup_;  // what remakes it on the next show
    std::map<ui::ListId, win::ChildWindow> lists_;
    std::map<ui::ListId, ui::Rect> listRects_;   // in page numbers, to place again at a new DPI
    std::vector<win::ChildWindow> chosenLists_;  // closed, destroyed on WM_CLOSE_CHOSEN_LISTS
    std::array<win::ChildWindow, 4> swatches_;
    win::Brush controlBrush_;          // the last control-colour brush; one at a time
    COLORREF customColours_[16] = {};  // the colour dialog's, kept for the process
};

}  // namespace trv
