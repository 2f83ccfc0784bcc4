// The demo build's HID stack: a virtual mouse kept in a file beside the
// executable, so that what the user applies is still there after a restart.

#include <windows.h>

#include <filesystem>
#include <string>

#include "device/hid_backend.h"
#include "device/virtual_mouse_folder.h"

namespace trv {

std::unique_ptr<HidSystem> makeHidSystem(const std::u16string& exeFolder) {
    VirtualMouseInFolder opened = openVirtualMouse(std::filesystem::path(exeFolder));
    if (!opened.kept) {
        // Every write would fail later; say why now, once.
        const std::wstring text =
            L"The virtual mouse cannot be kept in " + opened.contentsFile.wstring();
        ::MessageBoxW(nullptr, text.c_str(), L"Demo", MB_OK | MB_ICONWARNING);
    }
    return std::move(opened.hid);
}

}  // namespace trv
