#include "fake_hid_machine_win.h"

// clang-format off
#include <windows.h>
#include <setupapi.h>
#include <cfgmgr32.h>
extern "C" {
#include <hidsdi.h>
}
// clang-format on

#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>
#include <map>
#include <span>
#include <string>
#include <utility>

#include "device/discovery.h"

namespace trv::testing {

struct FakeHidMachine::State {
    struct Node {
        std::wstring id;
        DEVINST parent = 0;  // 0: nothing above it
    };
    struct Collection {
        VirtualHidSystem::Member member;
        DEVINST node = 0;
        ChannelKind kind = ChannelKind::Data;
    };
    std::vector<Node> nodes;  // DEVINST n is nodes[n - 1]
    std::vector<Collection> collections;
    std::map<HANDLE, const Collection*> files;
    int setsHeld = 0;
    int preparsedHeld = 0;
    std::vector<std::pair<void**, void*>> patched;  // an import slot and what it held

    DEVINST addNode(std::wstring id, DEVINST parent) {
        nodes.push_back({std::move(id), parent});
        return static_cast<DEVINST>(nodes.size());
    }
    const Node* node(DEVINST n) const {
        return n >= 1 && n <= nodes.size() ? &nodes[n - 1] : nullptr;
    }
    const Collection* file(HANDLE h) const {
        const auto found = files.find(h);
        return found == files.end() ? nullptr : found->second;
    }
};

namespace {

FakeHidMachine::State* machine = nullptr;

// The system's own, for what is not the machine's.
decltype(&::CreateFileW) realCreateFile = nullptr;
decltype(&::CloseHandle) realCloseHandle = nullptr;

const HDEVINFO kSet = reinterpret_cast<HDEVINFO>(static_cast<std::uintptr_t>(0x5E70));

std::wstring wide(const std::u16string& s) {
    return std::wstring(s.begin(), s.end());
}

// --- SetupAPI ---------------------------------------------------------------

HDEVINFO WINAPI getClassDevs(const GUID*, PCWSTR, HWND, DWORD) {
    ++machine->setsHeld;
    return kSet;
}

WINBOOL WINAPI destroyList(HDEVINFO) {
    --machine->setsHeld;
    return TRUE;
}

WINBOOL WINAPI enumInterfaces(HDEVINFO, PSP_DEVINFO_DATA, const GUID*, DWORD index,
                              PSP_DEVICE_INTERFACE_DATA data) {
    if (data == nullptr || data->cbSize != sizeof(SP_DEVICE_INTERFACE_DATA)) {
        ::SetLastError(ERROR_INVALID_USER_BUFFER);
        return FALSE;
    }
    if (index >= machine->collections.size()) {
        ::SetLastError(ERROR_NO_MORE_ITEMS);
        return FALSE;
    }
    data->Flags = SPINT_ACTIVE;
    data->Reserved = index + 1;
    return TRUE;
}

WINBOOL WINAPI interfaceDetail(HDEVINFO, PSP_DEVICE_INTERFACE_DATA data,
                               PSP_DEVICE_INTERFACE_DETAIL_DATA_W detail, DWORD size,
                               PDWORD required, PSP_DEVINFO_DATA node) {
    const auto& c = machine->collections.at(data->Reserved - 1);
    const std::wstring path = wide(c.member.path);
    const DWORD need = static_cast<DWORD>(offsetof(SP_DEVICE_INTERFACE_DETAIL_DATA_W, DevicePath) +
                                          (path.size() + 1) * sizeof(wchar_t));
    if (required != nullptr) *required = need;
    if (detail == nullptr || size < need) {
        ::SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return FALSE;
    }
    if (detail->cbSize != sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W) ||
        (node != nullptr && node->cbSize != sizeof(SP_DEVINFO_DATA))) {
        ::SetLastError(ERROR_INVALID_USER_BUFFER);
        return FALSE;
    }
    std::memcpy(detail->DevicePath, path.c_str(), (path.size() + 1) * sizeof(wchar_t));
    if (node != nullptr) node->DevInst = c.node;
    return TRUE;
}

CONFIGRET WINAPI getParent(PDEVINST parent, DEVINST n, ULONG) {
    const auto* node = machine->node(n);
    if (node == nullptr) return CR_INVALID_DEVNODE;
    if (node->parent == 0) return CR_NO_SUCH_DEVNODE;
    *parent = node->parent;
    return CR_SUCCESS;
}

CONFIGRET WINAPI getDeviceId(DEVINST n, PWSTR buffer, ULONG length, ULONG) {
    const auto* node = machine->node(n);
    if (node == nullptr) return CR_INVALID_DEVNODE;
    if (length < node->id.size()) return CR_BUFFER_SMALL;
    std::memcpy(buffer, node->id.c_str(), node->id.size() * sizeof(wchar_t));
    if (length > node->id.size()) buffer[node->id.size()] = L'\0';
    return CR_SUCCESS;
}

// --- Files ------------------------------------------------------------------

HANDLE WINAPI createFile(LPCWSTR path, DWORD access, DWORD share, LPSECURITY_ATTRIBUTES security,
                         DWORD disposition, DWORD flags, HANDLE model) {
    for (const auto& c : machine->collections) {
        if (wide(c.member.path) != path) continue;
        // A real handle, so that whatever closes it closes something.
        HANDLE h = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
        machine->files[h] = &c;
        return h;
    }
    return realCreateFile(path, access, share, security, disposition, flags, model);
}

WINBOOL WINAPI closeHandle(HANDLE h) {
    machine->files.erase(h);
    return realCloseHandle(h);
}

// --- hid.dll ----------------------------------------------------------------

BOOLEAN NTAPI getAttributes(HANDLE h, PHIDD_ATTRIBUTES attributes) {
    const auto* c = machine->file(h);
    if (c == nullptr || attributes->Size != sizeof(HIDD_ATTRIBUTES)) return FALSE;
    attributes->VendorID = c->member.attributes.vendorId;
    attributes->ProductID = c->member.attributes.productId;
    return TRUE;
}

BOOLEAN NTAPI getPreparsedData(HANDLE h, PHIDP_PREPARSED_DATA* data) {
    const auto* c = machine->file(h);
    if (c == nullptr) return FALSE;
    *data = reinterpret_cast<PHIDP_PREPARSED_DATA>(new HidCaps(c->member.caps));
    ++machine->preparsedHeld;
    return TRUE;
}

BOOLEAN NTAPI freePreparsedData(PHIDP_PREPARSED_DATA data) {
    delete reinterpret_cast<HidCaps*>(data);
    --machine->preparsedHeld;
    return TRUE;
}

NTSTATUS NTAPI getCaps(PHIDP_PREPARSED_DATA data, PHIDP_CAPS caps) {
    const HidCaps& c = *reinterpret_cast<HidCaps*>(data);
    *caps = HIDP_CAPS{};
    caps->UsagePage = c.usagePage;
    caps->Usage = c.usage;
    caps->FeatureReportByteLength = c.featureReportByteLength;
    return HIDP_STATUS_SUCCESS;
}

BOOLEAN exchanged(bool ok) {
    if (!ok) ::SetLastError(ERROR_GEN_FAILURE);
    return ok;
}

BOOLEAN NTAPI setFeature(HANDLE h, PVOID report, ULONG length) {
    const auto* c = machine->file(h);
    if (c == nullptr || !c->member.mouse) return exchanged(false);
    return exchanged(c->member.mouse->receive(
        c->kind, std::span(static_cast<const std::uint8_t*>(report), length)));
}

BOOLEAN NTAPI getFeature(HANDLE h, PVOID report, ULONG length) {
    const auto* c = machine->file(h);
    if (c == nullptr || !c->member.mouse) return exchanged(false);
    return exchanged(
        c->member.mouse->answer(c->kind, std::span(static_cast<std::uint8_t*>(report), length)));
}

// --- Imports ----------------------------------------------------------------

// Every slot of this executable's import table that holds the named function.
std::vector<void**> importSlots(const char* name) {
    auto* base = reinterpret_cast<std::uint8_t*>(::GetModuleHandleW(nullptr));
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& imports =
        nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    std::vector<void**> slots;
    for (auto* dll = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress);
         dll->Name != 0; ++dll) {
        auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + dll->OriginalFirstThunk);
        auto* addresses = reinterpret_cast<IMAGE_THUNK_DATA*>(base + dll->FirstThunk);
        for (; names->u1.AddressOfData != 0; ++names, ++addresses) {
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) continue;
            const auto* byName =
                reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
            if (std::strcmp(reinterpret_cast<const char*>(byName->Name), name) == 0) {
                slots.push_back(reinterpret_cast<void**>(&addresses->u1.Function));
            }
        }
    }
    return slots;
}

void writeSlot(void** slot, void* value) {
    DWORD old = 0;
    ::VirtualProtect(slot, sizeof(void*), PAGE_READWRITE, &old);
    *slot = value;
    ::VirtualProtect(slot, sizeof(void*), old, &old);
}

// Puts `fake` into every slot of the function; returns what the slots held.
void* patch(FakeHidMachine::State& state, const char* name, void* fake) {
    const std::vector<void**> slots = importSlots(name);
    EXPECT_FALSE(slots.empty()) << name << " is not imported";
    void* real = nullptr;
    for (void** slot : slots) {
        real = *slot;
        state.patched.emplace_back(slot, real);
        writeSlot(slot, fake);
    }
    return real;
}

}  // namespace

FakeHidMachine::FakeHidMachine(const std::vector<VirtualHidSystem::Member>& bus)
    : state_(std::make_unique<State>()) {
    State& s = *state_;
    std::map<std::u16string, DEVINST> interfaces;  // a device key's interface node
    for (const VirtualHidSystem::Member& m : bus) {
        DEVINST above = 0;
        if (auto known = interfaces.find(m.deviceKey); known != interfaces.end()) {
            above = known->second;
        } else {
            above = s.addNode(wide(m.deviceKey), 0);
            if (m.mouse) {
                std::wstring id = wide(m.deviceKey);
                id.insert(id.find(L'\\', id.find(L'\\') + 1), L"&MI_01");
                above = s.addNode(id, above);
            }
            interfaces[m.deviceKey] = above;
        }
        const bool command = m.caps.usage == kCommandUsage;
        const DEVINST node = s.addNode(wide(m.path), above);  // the ID is never asked for
        s.collections.push_back({m, node, command ? ChannelKind::Command : ChannelKind::Data});
    }

    machine = state_.get();
    // The fake takes the real function's type, so a signature that drifts from
    // the system's headers does not compile.
#define TRV_FAKE(real, fake)             \
    reinterpret_cast<decltype(&::real)>( \
        patch(s, #real, reinterpret_cast<void*>(static_cast<decltype(&::real)>(fake))))
    TRV_FAKE(SetupDiGetClassDevsW, getClassDevs);
    TRV_FAKE(SetupDiDestroyDeviceInfoList, destroyList);
    TRV_FAKE(SetupDiEnumDeviceInterfaces, enumInterfaces);
    TRV_FAKE(SetupDiGetDeviceInterfaceDetailW, interfaceDetail);
    TRV_FAKE(CM_Get_Parent, getParent);
    TRV_FAKE(CM_Get_Device_IDW, getDeviceId);
    realCreateFile = TRV_FAKE(CreateFileW, createFile);
    realCloseHandle = TRV_FAKE(CloseHandle, closeHandle);
    TRV_FAKE(HidD_GetAttributes, getAttributes);
    TRV_FAKE(HidD_GetPreparsedData, getPreparsedData);
    TRV_FAKE(HidD_FreePreparsedData, freePreparsedData);
    TRV_FAKE(HidP_GetCaps, getCaps);
    TRV_FAKE(HidD_SetFeature, setFeature);
    TRV_FAKE(HidD_GetFeature, getFeature);
#undef TRV_FAKE
}

FakeHidMachine::~FakeHidMachine() {
    for (auto it = state_->patched.rbegin(); it != state_->patched.rend(); ++it) {
        writeSlot(it->first, it->second);
    }
    machine = nullptr;
}

int FakeHidMachine::setsHeld() const {
    return state_->setsHeld;
}
int FakeHidMachine::filesHeld() const {
    return static_cast<int>(state_->files.size());
}
int FakeHidMachine::preparsedHeld() const {
    return state_->preparsedHeld;
}

}  // namespace trv::testing
