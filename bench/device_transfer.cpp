// How long the program's own share of a block transfer takes: scrambling a
// data page, and a whole read and write against the virtual mouse with the
// write's pauses left out. Prints figures; asserts nothing.

#include <array>
#include <chrono>
#include <cstdio>
#include <memory>

#include "device/discovery.h"
#include "device/scramble.h"
#include "device/transfer.h"
#include "device/virtual_mouse.h"

namespace {

class NoPause final : public trv::Clock {
  public:
    void sleepMs(std::uint32_t) override {}
};

template <typename F>
double nanosecondsPer(int rounds, F&& f) {
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < rounds; ++i) f();
    const std::chrono::duration<double, std::nano> spent = std::chrono::steady_clock::now() - start;
    return spent.count() / rounds;
}

}  // namespace

int main() {
    std::array<std::uint8_t, trv::wire::kDataReportSize> report{};
    for (std::size_t i = 0; i < report.size(); ++i) report[i] = static_cast<std::uint8_t>(i);
    const double page = nanosecondsPer(1'000'000, [&] {
        trv::scrambleDataReport(report);
        trv::unscrambleDataReport(report);
    });
    std::printf("scramble + unscramble one data page: %.1f ns\n", page);

    auto mouse = std::make_shared<trv::VirtualMouse>();
    trv::VirtualHidSystem hid(mouse);
    trv::DeviceState device;
    trv::BlockState state;
    NoPause clock;
    if (!trv::FindMouse(hid, device).found) return 1;
    trv::readBlockAfterDiscovery(device, state);
    const int rounds = 20'000;
    const double read = nanosecondsPer(rounds, [&] {
        mouse->clearWireLog();
        trv::ReadConfigBlock(device, state);
    });
    const double write = nanosecondsPer(rounds, [&] {
        mouse->clearWireLog();
        trv::WriteConfigBlock(device, state, clock);
    });
    std::printf("read of the block, virtual mouse: %.1f us\n", read / 1000);
    std::printf("write of the block, virtual mouse, pauses left out: %.1f us\n", write / 1000);
    return 0;
}
