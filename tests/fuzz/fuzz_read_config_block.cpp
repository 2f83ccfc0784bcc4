// Reads the configuration block from a mouse whose every answer comes from the
// fuzz input, then tries to write it back. Whatever the mouse says, the read
// either fills the block completely or leaves it empty with one message, and a
// block that was not read completely never reaches the mouse.
//
// Input: command length, data length, scramble switch, then for each exchange
// one status byte (bit 0 set = the exchange succeeds) and, for a get, the
// bytes of the reply.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "device/transfer.h"

namespace {

struct Replies {
    const std::uint8_t* data;
    std::size_t size;
    int sets = 0;

    std::uint8_t next() {
        if (size == 0) return 0;
        --size;
        return *data++;
    }
    bool status() { return (next() & 1) != 0; }
};

class ReplayChannel final : public trv::FeatureChannel {
  public:
    explicit ReplayChannel(Replies& replies) : replies_(replies) {}
    bool setFeature(std::span<const std::uint8_t> report) override {
        ++replies_.sets;
        volatile std::uint8_t touch = 0;
        for (std::uint8_t b : report) touch = touch ^ b;  // the whole span must be readable
        return replies_.status();
    }
    bool getFeature(std::span<std::uint8_t> report) override {
        if (!replies_.status()) return false;
        const std::size_t n = std::min(report.size(), replies_.size);
        std::memcpy(report.data(), replies_.data, n);
        replies_.data += n;
        replies_.size -= n;
        return true;
    }

  private:
    Replies& replies_;
};

class NoClock final : public trv::Clock {
  public:
    void sleepMs(std::uint32_t) override {}
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Replies replies{data, size};
    trv::DeviceState device;
    device.commandFeatureLength = replies.next();
    device.dataFeatureLength = replies.next();
    device.scrambleEnabled = replies.status();
    device.CommandChannel = std::make_unique<ReplayChannel>(replies);
    device.DataChannel = std::make_unique<ReplayChannel>(replies);

    trv::BlockState state;
    state.block.image.fill(0x77);  // a caller that forgot to clear
    const trv::TransferResult result = trv::ReadConfigBlock(device, state);
    const bool read = result.ok();

    if (read != state.complete) std::abort();
    if (!read && !(state.block == trv::ConfigBlock{})) std::abort();

    NoClock clock;
    const int setsBefore = replies.sets;
    const bool written = trv::WriteConfigBlock(device, state, clock).ok();
    if (!state.complete && (written || replies.sets != setsBefore)) std::abort();
    return 0;
}
