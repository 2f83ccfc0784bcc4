#include "window/desktop_shell.h"

#include <exdisp.h>
#include <objbase.h>
#include <oleauto.h>
#include <servprov.h>
#include <shellapi.h>
#include <shldisp.h>
#include <shlguid.h>
#include <shlobj.h>

#include <utility>

#include "window/com.h"

namespace trv::win {

namespace {

class Variant {
  public:
    Variant() { ::VariantInit(&value_); }
    explicit Variant(const wchar_t* text) : Variant() {
        value_.vt = VT_BSTR;
        value_.bstrVal = ::SysAllocString(text);
    }
    explicit Variant(int number) : Variant() {
        value_.vt = VT_I4;
        value_.lVal = number;
    }
    Variant(const Variant&) = delete;
    Variant& operator=(const Variant&) = delete;
    ~Variant() { ::VariantClear(&value_); }
    VARIANT& get() { return value_; }

  private:
    VARIANT value_;
};

class Bstr {
  public:
    explicit Bstr(const std::wstring& text)
        : value_(::SysAllocStringLen(text.data(), static_cast<UINT>(text.size()))) {}
    Bstr(const Bstr&) = delete;
    Bstr& operator=(const Bstr&) = delete;
    ~Bstr() { ::SysFreeString(value_); }
    BSTR get() const { return value_; }

  private:
    BSTR value_;
};

// The desktop's shell object: the shell window of the desktop, its browser,
// the view it shows, that view's background object and its application, as
// Explorer runs it for the desktop user.
HRESULT desktopShell(ComRef<IShellDispatch2>& shell, HWND& desktop, const char*& call) {
    ComRef<IShellWindows> windows;
    call = "CoCreateInstance(ShellWindows)";
    HRESULT hr = ::CoCreateInstance(CLSID_ShellWindows, nullptr, CLSCTX_LOCAL_SERVER,
                                    IID_IShellWindows, windows.putVoid());
    if (FAILED(hr)) return hr;

    Variant location(static_cast<int>(CSIDL_DESKTOP));
    Variant root;
    long window = 0;
    ComRef<IDispatch> found;
    call = "IShellWindows::FindWindowSW";
    hr = windows->FindWindowSW(&location.get(), &root.get(), SWC_DESKTOP, &window,
                               SWFO_NEEDDISPATCH, found.put());
    // S_FALSE: no desktop window.
    if (hr != S_OK || !found) return FAILED(hr) ? hr : E_FAIL;
    desktop = reinterpret_cast<HWND>(static_cast<LONG_PTR>(window));

    ComRef<IServiceProvider> services;
    call = "IDispatch::QueryInterface(IServiceProvider)";
    hr = found->QueryInterface(IID_IServiceProvider, services.putVoid());
    if (FAILED(hr)) return hr;
    ComRef<IShellBrowser> browser;
    call = "IServiceProvider::QueryService(SID_STopLevelBrowser)";
    hr = services->QueryService(SID_STopLevelBrowser, IID_IShellBrowser, browser.putVoid());
    if (FAILED(hr)) return hr;
    ComRef<IShellView> view;
    call = "IShellBrowser::QueryActiveShellView";
    hr = browser->QueryActiveShellView(view.put());
    if (FAILED(hr)) return hr;
    ComRef<IDispatch> background;
    call = "IShellView::GetItemObject(SVGIO_BACKGROUND)";
    hr = view->GetItemObject(SVGIO_BACKGROUND, IID_IDispatch, background.putVoid());
    if (FAILED(hr)) return hr;
    ComRef<IShellFolderViewDual> folderView;
    call = "IDispatch::QueryInterface(IShellFolderViewDual)";
    hr = background->QueryInterface(IID_IShellFolderViewDual, folderView.putVoid());
    if (FAILED(hr)) return hr;
    ComRef<IDispatch> application;
    call = "IShellFolderViewDual::get_Application";
    hr = folderView->get_Application(application.put());
    if (FAILED(hr)) return hr;
    call = "IDispatch::QueryInterface(IShellDispatch2)";
    return application->QueryInterface(IID_IShellDispatch2, shell.putVoid());
}

}  // namespace

ShellOpen openAsDesktopUser(HWND owner, const std::wstring& path) {
    const ComScope com;
    ShellOpen result;
    ComRef<IShellDispatch2> shell;
    HWND desktop = nullptr;
    HRESULT hr = desktopShell(shell, desktop, result.failedCall);
    if (SUCCEEDED(hr)) {
        // The program the desktop starts may take the foreground from us: the
        // user just clicked, so we hold it to give.
        DWORD explorer = 0;
        if (desktop && ::GetWindowThreadProcessId(desktop, &explorer) != 0) {
            ::AllowSetForegroundWindow(explorer);
        }
        const Bstr file(path);
        Variant arguments;
        Variant folder;
        Variant verb(L"open");
        Variant show(SW_SHOWNORMAL);
        result.failedCall = "IShellDispatch2::ShellExecute";
        hr = shell->ShellExecute(file.get(), arguments.get(), folder.get(), verb.get(), show.get());
        if (SUCCEEDED(hr)) {
            result.opened = true;
            result.byDesktop = true;
            result.failedCall = nullptr;
            return result;
        }
    }
    result.error = hr;

    const auto code = reinterpret_cast<INT_PTR>(
        ::ShellExecuteW(owner, L"open", path.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    // Above 32 is success; the rest are its own error values.
    if (code > 32) {
        result.opened = true;
    } else {
        result.failedCall = "ShellExecuteW";
        result.error = static_cast<long>(code);
    }
    return result;
}

}  // namespace trv::win
