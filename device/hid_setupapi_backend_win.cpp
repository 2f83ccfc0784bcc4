// The plain build's HID stack: the system's own.

#include "device/hid_backend.h"
#include "device/hid_setupapi_win.h"

namespace trv {

std::unique_ptr<HidSystem> makeHidSystem(const std::u16string&) {
    return std::make_unique<SetupApiHidSystem>();
}

}  // namespace trv
