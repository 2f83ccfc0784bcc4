#include "device/hid_setupapi_win.h"

// clang-format off
#include <windows.h>
#include <setupapi.h>
#include <cfgmgr32.h>
#include <dbt.h>
extern "C" {
#include <hidsdi.h>
}
// clang-format on

#include <cstddef>
#include <cstring>
#include <cwchar>
#include <string>
#include <vector>

#include "device/discovery.h"
#include "window/handles.h"
#include "window/wide.h"

namespace trv {

namespace {

static_assert(offsetof(DEV_BROADCAST_HDR, dbch_devicetype) == broadcast::kDeviceTypeAt);
static_assert(sizeof(DEV_BROADCAST_HDR) == broadcast::kHeaderSize);
static_assert(offsetof(DEV_BROADCAST_DEVICEINTERFACE_W, dbcc_name) == broadcast::kInterfaceNameAt);
static_assert(sizeof(DEV_BROADCAST_DEVICEINTERFACE_W) == 32);
static_assert(sizeof(wchar_t) == sizeof(char16_t));

// Owners of the handles SetupAPI and hid.dll give out.
struct DeviceInfoSetTraits {
    using Handle = HDEVINFO;
    static Handle invalid() { return INVALID_HANDLE_VALUE; }
    static void close(Handle h) { SetupDiDestroyDeviceInfoList(h); }
};
struct PreparsedDataTraits {
    using Handle = PHIDP_PREPARSED_DATA;
    static Handle invalid() { return nullptr; }
    static void close(Handle h) { HidD_FreePreparsedData(h); }
};

using win::FileHandle;
using DeviceInfoSet = win::Owned<DeviceInfoSetTraits>;
using PreparsedData = win::Owned<PreparsedDataTraits>;

struct OpenedFile {
    FileHandle handle;
    std::uint32_t error = 0;  // the system's error number when the open failed
};

// The error is read right after CreateFileW: freeing the path's wide copy
// afterwards may change the thread's last error.
OpenedFile openShared(const std::u16string& path, DWORD flags) {
    const std::wstring wide = win::toWide(path);
    FileHandle handle(CreateFileW(wide.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_EXISTING, flags, nullptr));
    const auto error = handle ? 0u : static_cast<std::uint32_t>(GetLastError());
    return {std::move(handle), error};
}

class SetupApiInterfaceList final : public HidInterfaceList {
  public:
    explicit SetupApiInterfaceList(DeviceInfoSet set) : set_(std::move(set)) {}

    bool hasMember(std::uint32_t index) override { return select(index); }

    std::optional<std::u16string> devicePath(std::uint32_t index) override {
        if (!select(index)) return std::nullopt;
        DWORD required = 0;
        SetupDiGetDeviceInterfaceDetailW(set_.get(), &member_, nullptr, 0, &required, nullptr);
        if (required < sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W)) return std::nullopt;

        // Whole words, so the structure at the start is aligned.
        std::vector<std::uint64_t> storage((required + sizeof(std::uint64_t) - 1) /
                                           sizeof(std::uint64_t));
        auto* detail = reinterpret_cast<SP_DEVICE_INTERFACE_DETAIL_DATA_W*>(storage.data());
        detail->cbSize = sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W);
        SP_DEVINFO_DATA node{};
        node.cbSize = sizeof(node);
        if (!SetupDiGetDeviceInterfaceDetailW(set_.get(), &member_, detail, required, nullptr,
                                              &node)) {
            return std::nullopt;
        }
        node_ = node.DevInst;
        const std::size_t room =
            (required - offsetof(SP_DEVICE_INTERFACE_DETAIL_DATA_W, DevicePath)) / sizeof(wchar_t);
        const std::size_t length = wcsnlen(detail->DevicePath, room);
        return std::u16string(detail->DevicePath, detail->DevicePath + length);
    }

    // The USB device above the collection. The collections of one HID
    // interface are children of its node; a composite device's interfaces are
    // children of the device, so one step further up the collections of all
    // its interfaces meet.
    std::u16string deviceKey(std::uint32_t index) override {
        const bool nodeAtHand = selected_ && *selected_ == index && node_;
        if (!nodeAtHand && !devicePath(index)) return {};
        DEVINST above = 0;
        if (CM_Get_Parent(&above, *node_, 0) != CR_SUCCESS) return {};
        std::u16string id = deviceId(above);
        if (isCompositeInterfaceNode(id)) {
            if (CM_Get_Parent(&above, above, 0) != CR_SUCCESS) return {};
            id = deviceId(above);
        }
        return id;
    }

  private:
    static std::u16string deviceId(DEVINST node) {
        WCHAR id[MAX_DEVICE_ID_LEN + 1]{};
        if (CM_Get_Device_IDW(node, id, MAX_DEVICE_ID_LEN, 0) != CR_SUCCESS) return {};
        return std::u16string(id, id + wcsnlen(id, MAX_DEVICE_ID_LEN));
    }

    // Fetches the member at `index` unless it is the one already at hand.
    bool select(std::uint32_t index) {
        if (selected_ && *selected_ == index) return true;
        selected_.reset();
        node_.reset();
        member_ = SP_DEVICE_INTERFACE_DATA{};
        member_.cbSize = sizeof(SP_DEVICE_INTERFACE_DATA);
        GUID hidClass = kHidInterfaceClass;
        if (!SetupDiEnumDeviceInterfaces(set_.get(), nullptr, &hidClass, index, &member_)) {
            return false;
        }
        selected_ = index;
        return true;
    }

    DeviceInfoSet set_;
    SP_DEVICE_INTERFACE_DATA member_{};
    std::optional<std::uint32_t> selected_;
    std::optional<DEVINST> node_;  // the selected member's device node, once its detail came
};

class HidFileProbe final : public HidProbe {
  public:
    explicit HidFileProbe(FileHandle handle) : handle_(std::move(handle)) {}

    std::optional<HidAttributes> attributes() override {
        HIDD_ATTRIBUTES attributes{};
        attributes.Size = sizeof(attributes);
        if (!HidD_GetAttributes(handle_.get(), &attributes)) return std::nullopt;
        return HidAttributes{attributes.VendorID, attributes.ProductID};
    }

    std::optional<HidCaps> capabilities() override {
        PHIDP_PREPARSED_DATA raw = nullptr;
        if (!HidD_GetPreparsedData(handle_.get(), &raw)) return std::nullopt;
        PreparsedData preparsed(raw);
        HIDP_CAPS caps{};
        if (HidP_GetCaps(preparsed.get(), &caps) != HIDP_STATUS_SUCCESS) return std::nullopt;
        return HidCaps{caps.UsagePage, caps.Usage, caps.FeatureReportByteLength};
    }

  private:
    FileHandle handle_;
};

class HidFeatureChannel final : public FeatureChannel {
  public:
    explicit HidFeatureChannel(FileHandle handle) : handle_(std::move(handle)) {}

    bool setFeature(std::span<const std::uint8_t> report) override {
        // hid.dll does not write through the buffer of a set.
        return kept(HidD_SetFeature(handle_.get(), const_cast<std::uint8_t*>(report.data()),
                                    static_cast<ULONG>(report.size())));
    }

    bool getFeature(std::span<std::uint8_t> report) override {
        return kept(
            HidD_GetFeature(handle_.get(), report.data(), static_cast<ULONG>(report.size())));
    }

    std::uint32_t lastError() const override { return lastError_; }

  private:
    bool kept(BOOLEAN ok) {
        if (!ok) lastError_ = static_cast<std::uint32_t>(::GetLastError());
        return ok != FALSE;
    }

    FileHandle handle_;
    std::uint32_t lastError_ = 0;
};

}  // namespace

std::unique_ptr<HidInterfaceList> SetupApiHidSystem::presentInterfaces() {
    DeviceInfoSet set(SetupDiGetClassDevsW(&kHidInterfaceClass, nullptr, nullptr,
                                           DIGCF_PRESENT | DIGCF_DEVICEINTERFACE));
    if (!set) return nullptr;
    return std::make_unique<SetupApiInterfaceList>(std::move(set));
}

std::unique_ptr<HidProbe> SetupApiHidSystem::openProbe(const std::u16string& path) {
    OpenedFile opened = openShared(path, 0);
    if (!opened.handle) return nullptr;
    return std::make_unique<HidFileProbe>(std::move(opened.handle));
}

ChannelOpening SetupApiHidSystem::openChannel(const std::u16string& path, ChannelKind kind) {
    OpenedFile opened = openShared(path, kind == ChannelKind::Data ? FILE_ATTRIBUTE_NORMAL : 0);
    if (!opened.handle) return {nullptr, opened.error};
    return {std::make_unique<HidFeatureChannel>(std::move(opened.handle)), 0};
}

namespace {

// Whether [at, at + size) lies in committed, readable memory of this process.
// The system's broadcasts always do; a pointer that arrives in a message
// another process sent does not have to.
bool readable(const std::uint8_t* at, std::size_t size) {
    constexpr DWORD kReadable = PAGE_READONLY | PAGE_READWRITE | PAGE_WRITECOPY |
                                PAGE_EXECUTE_READ | PAGE_EXECUTE_READWRITE | PAGE_EXECUTE_WRITECOPY;
    const std::uint8_t* const end = at + size;
    while (at < end) {
        MEMORY_BASIC_INFORMATION region{};
        if (VirtualQuery(at, &region, sizeof region) == 0) return false;
        if (region.State != MEM_COMMIT || (region.Protect & kReadable) == 0 ||
            (region.Protect & PAGE_GUARD) != 0) {
            return false;
        }
        at = static_cast<const std::uint8_t*>(region.BaseAddress) + region.RegionSize;
    }
    return true;
}

}  // namespace

std::optional<DeviceBroadcast> readDeviceBroadcast(LPARAM lParam) {
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(lParam);
    if (bytes == nullptr || !readable(bytes, broadcast::kHeaderSize)) return std::nullopt;
    DWORD size = 0;
    std::memcpy(&size, bytes + broadcast::kSizeAt, sizeof size);
    if (size < broadcast::kHeaderSize || !readable(bytes, size)) return std::nullopt;
    return parseDeviceBroadcast(std::span<const std::uint8_t>(bytes, size));
}

HDEVNOTIFY registerHidNotifications(HWND window) {
    DEV_BROADCAST_DEVICEINTERFACE_W filter{};
    filter.dbcc_size = sizeof(filter);
    filter.dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
    filter.dbcc_classguid = kHidInterfaceClass;
    return RegisterDeviceNotificationW(window, &filter, DEVICE_NOTIFY_WINDOW_HANDLE);
}

}  // namespace trv
