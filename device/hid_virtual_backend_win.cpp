// The demo build's HID stack: a virtual mouse kept in a file beside the
// executable, so that what the user applies is still there after a restart.

#include <filesystem>

#include "device/hid_backend.h"
#include "device/virtual_mouse.h"

namespace trv {

std::unique_ptr<HidSystem> makeHidSystem(const std::u16string& exeFolderText) {
    const std::filesystem::path exeFolder(exeFolderText);
    const std::filesystem::path contents = exeFolder / "virtual-mouse.bin";
    auto mouse = std::make_shared<VirtualMouse>();
    if (!mouse->loadFrom(contents)) mouse->saveTo(contents);
    mouse->persistTo(contents, exeFolder / "virtual-mouse-wire.log");
    return std::make_unique<VirtualHidSystem>(std::move(mouse));
}

}  // namespace trv
