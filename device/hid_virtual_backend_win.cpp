// The demo build's HID stack: a virtual mouse kept in a file beside the
// executable, so that what the user applies is still there after a restart.

#include <windows.h>

#include <filesystem>

#include "device/hid_backend.h"
#include "device/virtual_mouse.h"

namespace trv {

std::unique_ptr<HidSystem> makeHidSystem(const std::u16string& exeFolderText) {
    const std::filesystem::path exeFolder(exeFolderText);
    const std::filesystem::path contents = exeFolder / "virtual-mouse.bin";
    auto mouse = std::make_shared<VirtualMouse>();
    if (!mouse->loadFrom(contents) && !mouse->saveTo(contents)) {
        // Every write would fail later; say why now, once.
        const std::wstring text = L"The virtual mouse cannot be kept in " + contents.wstring();
        ::MessageBoxW(nullptr, text.c_str(), L"Demo", MB_OK | MB_ICONWARNING);
    }
    mouse->persistTo(contents, exeFolder / "virtual-mouse-wire.log");
    return std::make_unique<VirtualHidSystem>(std::move(mouse));
}

}  // namespace trv
