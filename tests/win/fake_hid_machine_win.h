#pragma once
// A machine's SetupAPI, configuration manager and hid.dll played in process:
// while a FakeHidMachine lives, the calls this executable imports from them
// (and CreateFileW and CloseHandle for the machine's own paths) reach it
// instead of the system. Its HID interfaces are the members of a virtual bus,
// in the bus's order, with a device tree above them: a mouse's collections
// hang under an interface node of its composite USB device, whose instance ID
// is the member's device key; another vendor's collection hangs under its
// device directly. Feature reports go to each member's own virtual mouse.

#include <memory>
#include <vector>

#include "device/virtual_mouse.h"

namespace trv::testing {

class FakeHidMachine {
  public:
    explicit FakeHidMachine(const std::vector<VirtualHidSystem::Member>& bus);
    ~FakeHidMachine();
    FakeHidMachine(const FakeHidMachine&) = delete;
    FakeHidMachine& operator=(const FakeHidMachine&) = delete;

    // What the program holds of the machine: interface sets, open files and
    // preparsed data not given back.
    int setsHeld() const;
    int filesHeld() const;
    int preparsedHeld() const;

    struct State;

  private:
    std::unique_ptr<State> state_;
};

}  // namespace trv::testing
