#include "device/virtual_mouse_folder.h"

#include <fstream>
#include <string>

#include "device/virtual_mouse.h"

namespace trv {

namespace {

void readFaults(const std::filesystem::path& file, VirtualMouseFaults& faults) {
    std::ifstream in(file);
    for (std::string word; in >> word;) {
        if (word == "wrong-signature") faults.wrongSignature = true;
        if (word == "wrong-report-id") faults.wrongReportId = true;
        if (word == "short-pages") faults.shortPages = true;
        if (word == "forgets-pages") faults.forgetsPages = true;
    }
}

}  // namespace

VirtualMouseInFolder openVirtualMouse(const std::filesystem::path& folder) {
    VirtualMouseInFolder opened;
    opened.contentsFile = folder / "virtual-mouse.bin";
    auto mouse = std::make_shared<VirtualMouse>();
    opened.kept = mouse->loadFrom(opened.contentsFile) || mouse->saveTo(opened.contentsFile);
    mouse->persistTo(opened.contentsFile, folder / "virtual-mouse-wire.log");
    readFaults(folder / "virtual-mouse-faults.txt", mouse->faults());
    opened.hid = std::make_unique<VirtualHidSystem>(std::move(mouse));
    return opened;
}

}  // namespace trv
