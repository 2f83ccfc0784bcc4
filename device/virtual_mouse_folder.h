#pragma once
// The virtual mouse kept in a folder, as the demo build and the command-line
// tool's --virtual use it: its 322 bytes in "virtual-mouse.bin" (the factory
// contents when the file is missing or of another size), every frame appended
// to "virtual-mouse-wire.log", and faults switched on by the words of
// "virtual-mouse-faults.txt", one a line: "wrong-signature", "wrong-report-id",
// "short-pages", "forgets-pages".

#include <filesystem>
#include <memory>

#include "device/hid_system.h"

namespace trv {

struct VirtualMouseInFolder {
    std::unique_ptr<HidSystem> hid;
    std::filesystem::path contentsFile;
    // False when the contents file could not be written: every change the
    // host makes will then fail.
    bool kept = true;
};

// Writes the factory contents when the contents file is missing or of another size.
VirtualMouseInFolder openVirtualMouse(const std::filesystem::path& folder);

// Whether the folder keeps a virtual mouse (its contents file); nothing is made.
bool virtualMouseIn(const std::filesystem::path& folder);

// A virtual mouse fresh from the factory, kept in the folder (made when
// missing) over any kept there before.
VirtualMouseInFolder newVirtualMouse(const std::filesystem::path& folder);

}  // namespace trv
