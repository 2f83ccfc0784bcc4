#pragma once
// The HID stack the program talks to. Each build links exactly one definition:
// the real one on SetupAPI and hid.dll, or the demo's virtual mouse.

#include <filesystem>
#include <memory>

#include "device/hid_system.h"

namespace trv {

// `exeFolder` is the folder of the running executable, where the demo keeps
// its virtual mouse ("virtual-mouse.bin") and wire log ("virtual-mouse-wire.log").
std::unique_ptr<HidSystem> makeHidSystem(const std::filesystem::path& exeFolder);

}  // namespace trv
