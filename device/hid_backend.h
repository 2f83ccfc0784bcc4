#pragma once
// The HID stack the program talks to. Each build links exactly one definition:
// the real one on SetupAPI and hid.dll, or the demo's virtual mouse.

#include <memory>
#include <string>

#include "device/hid_system.h"

namespace trv {

// `exeFolder` is the folder of the running executable, where the demo keeps
// its virtual mouse ("virtual-mouse.bin") and wire log ("virtual-mouse-wire.log").
// A plain string, so the real build carries no path-conversion machinery.
std::unique_ptr<HidSystem> makeHidSystem(const std::u16string& exeFolder);

}  // namespace trv
