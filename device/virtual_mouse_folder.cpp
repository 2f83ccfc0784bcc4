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
        if (word == "refuses-pages") faults.refusesPages = true;
    }
}

constexpr char kContentsFile[] = "virtual-mouse.bin";

VirtualMouseInFolder keptIn(const std::filesystem::path& folder, bool fresh) {
    VirtualMouseInFolder opened;
    opened.contentsFile = folder / kContentsFile;
    auto mouse = std::make_shared<VirtualMouse>();
    opened.kept =
        (!fresh && mouse->loadFrom(opened.contentsFile)) || mouse->saveTo(opened.contentsFile);
    mouse->persistTo(opened.contentsFile, folder / "virtual-mouse-wire.log");
    readFaults(folder / "virtual-mouse-faults.txt", mouse->faults());
    opened.hid = std::make_unique<VirtualHidSystem>(std::move(mouse));
    return opened;
}

}  // namespace

VirtualMouseInFolder openVirtualMouse(const std::filesystem::path& folder) {
    return keptIn(folder, false);
}

bool virtualMouseIn(const std::filesystem::path& folder) {
    std::error_code error;
    return std::filesystem::is_regular_file(folder / kContentsFile, error);
}

VirtualMouseInFolder newVirtualMouse(const std::filesystem::path& folder) {
    std::error_code error;  // a folder that cannot be made shows as a mouse not kept
    std::filesystem::create_directories(folder, error);
    return keptIn(folder, true);
}

}  // namespace trv
