// The demo build's HID stack: a virtual mouse kept in a file beside the
// executable, so that what the user applies is still there after a restart.

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "device/hid_backend.h"
#include "device/virtual_mouse.h"

namespace trv {

namespace {

// Faults to switch on from a text file beside the executable, one word a line
// ("wrong-signature", "wrong-report-id", "short-pages"), so the demo can show
// how the program copes with a mouse that misbehaves.
void readFaults(const std::filesystem::path& file, VirtualMouseFaults& faults) {
    std::ifstream in(file);
    for (std::string word; in >> word;) {
        if (word == "wrong-signature") faults.wrongSignature = true;
        if (word == "wrong-report-id") faults.wrongReportId = true;
        if (word == "short-pages") faults.shortPages = true;
    }
}

}  // namespace

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
    readFaults(exeFolder / "virtual-mouse-faults.txt", mouse->faults());
    return std::make_unique<VirtualHidSystem>(std::move(mouse));
}

}  // namespace trv
