#pragma once
// The HID stack of Windows: SetupAPI enumerates the HID interfaces, hid.dll
// tells what they are and carries the feature reports.

#include <windows.h>

#include <optional>

#include "device/device_broadcast.h"
#include "device/hid_system.h"

namespace trv {

// {4D1E55B2-F16F-11CF-88CB-001111000030}
inline constexpr GUID kHidInterfaceClass{
    0x4D1E55B2, 0xF16F, 0x11CF, {0x88, 0xCB, 0x00, 0x11, 0x11, 0x00, 0x00, 0x30}};

class SetupApiHidSystem final : public HidSystem {
  public:
    std::unique_ptr<HidInterfaceList> presentInterfaces() override;
    std::unique_ptr<HidProbe> openProbe(const std::u16string& path) override;
    ChannelOpening openChannel(const std::u16string& path, ChannelKind kind) override;
};

// The broadcast that comes as lParam of WM_DEVICECHANGE, read no further than
// the size it states; nothing for a null or truncated one.
std::optional<DeviceBroadcast> readDeviceBroadcast(LPARAM lParam);

// Asks for the HID interfaces' arrival and removal notifications to be sent to
// `window`; null when the system refuses. Undo with UnregisterDeviceNotification.
HDEVNOTIFY registerHidNotifications(HWND window);

}  // namespace trv
