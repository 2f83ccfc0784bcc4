#include "device/transfer.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <span>
#include <thread>

#include "device/scramble.h"
#include "device/wire_format.h"

namespace trv {

void SleepingClock::sleepMs(std::uint32_t ms) {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

namespace {

using FrameBuffer = std::array<std::uint8_t, wire::kFrameBufferSize>;

std::span<std::uint8_t, wire::kCommandFrameSize> commandPart(FrameBuffer& buffer) {
    return std::span<std::uint8_t, wire::kCommandFrameSize>(buffer.data(), wire::kCommandFrameSize);
}

std::span<std::uint8_t, wire::kDataReportSize> reportPart(FrameBuffer& buffer) {
    return std::span<std::uint8_t, wire::kDataReportSize>(buffer.data(), wire::kDataReportSize);
}

bool hasSignature(const FrameBuffer& frame) {
    return std::equal(wire::kSignature.begin(), wire::kSignature.end(),
                      frame.begin() + wire::kSignatureAt);
}

// The frames of one read or write over the channels discovery opened. A
// channel that is missing, or whose stored report length cannot carry its
// frame, fails every exchange on it.
class Exchanges {
  public:
    explicit Exchanges(const DeviceState& device) : device_(device) {}

    bool sendCommand(std::uint8_t command) {
        buffer_.fill(0);
        buffer_[wire::kReportIdAt] = wire::kCommandReportId;
        std::copy(wire::kSignature.begin(), wire::kSignature.end(),
                  buffer_.begin() + wire::kSignatureAt);
        buffer_[wire::kCommandAt] = command;
        return sendCommandFrame();
    }

    // Sends the buffer as it stands as a command frame.
    bool sendCommandFrame() {
        if (device_.scrambleEnabled) scrambleCommandFrame(commandPart(buffer_));
        return send(device_.CommandChannel.get(), commandLength());
    }

    // The reply to a command; unscrambled only when its bytes are to be used.
    bool receiveCommand(bool unscramble) {
        if (!receive(device_.CommandChannel.get(), commandLength(), wire::kCommandReportId)) {
            return false;
        }
        if (unscramble && device_.scrambleEnabled) unscrambleCommandFrame(commandPart(buffer_));
        return true;
    }

    bool receivePage(std::uint8_t* page) {
        if (!receive(device_.DataChannel.get(), dataLength(), wire::kDataReportId)) return false;
        if (device_.scrambleEnabled) unscrambleDataReport(reportPart(buffer_));
        std::copy_n(buffer_.begin() + wire::kPageAt, block::kPageSize, page);
        return true;
    }

    bool sendPage(const std::uint8_t* page) {
        buffer_.fill(0);
        buffer_[wire::kReportIdAt] = wire::kDataReportId;
        std::copy_n(page, block::kPageSize, buffer_.begin() + wire::kPageAt);
        if (device_.scrambleEnabled) scrambleDataReport(reportPart(buffer_));
        return send(device_.DataChannel.get(), dataLength());
    }

    FrameBuffer& buffer() { return buffer_; }

  private:
    std::size_t commandLength() const {
        return usableLength(device_.commandFeatureLength, wire::kCommandFrameSize);
    }
    std::size_t dataLength() const {
        return usableLength(device_.dataFeatureLength, wire::kDataReportSize);
    }
    static std::size_t usableLength(std::uint16_t stored, std::size_t frameSize) {
        return stored >= frameSize && stored <= wire::kFrameBufferSize ? stored : 0;
    }

    bool send(FeatureChannel* channel, std::size_t length) {
        if (channel == nullptr || length == 0) return fail(transfer_failure::kNoChannel, 0);
        if (channel->setFeature(std::span<const std::uint8_t>(buffer_.data(), length))) return true;
        return fail(transfer_failure::kSetFeature, channel->lastError());
    }

    bool receive(FeatureChannel* channel, std::size_t length, std::uint8_t reportId) {
        buffer_.fill(0);
        if (channel == nullptr || length == 0) return fail(transfer_failure::kNoChannel, 0);
        buffer_[wire::kReportIdAt] = reportId;
        if (channel->getFeature(std::span<std::uint8_t>(buffer_.data(), length))) return true;
        return fail(transfer_failure::kGetFeature, channel->lastError());
    }

  public:
    bool fail(std::string_view call, std::uint32_t systemError) {
        result_ = {call, systemError};
        return false;
    }
    const TransferResult& result() const { return result_; }

  private:
    const DeviceState& device_;
    FrameBuffer buffer_{};
    TransferResult result_;
};

bool readInto(Exchanges& link, ConfigBlock& block) {
    if (!link.sendCommand(wire::kHeaderCommand) || !link.receiveCommand(true)) return false;
    const FrameBuffer& reply = link.buffer();
    if (reply[wire::kReportIdAt] != wire::kCommandReportId || !hasSignature(reply)) {
        return link.fail(transfer_failure::kSignature, 0);
    }
    block.header[block::kReportRateCode] = reply[wire::kHeader0At];
    block.header[block::kHeaderMouseOwned] = reply[wire::kHeader1At];

    for (std::size_t p = 1; p <= block::kPageCount; ++p) {
        if (!link.sendCommand(wire::readPageCommand(p)) || !link.receiveCommand(false) ||
            !link.receivePage(block.page(p))) {
            return false;
        }
    }
    return true;
}

bool writeFrom(Exchanges& link, const ConfigBlock& block, Clock& clock) {
    if (!link.sendCommand(wire::kHeaderCommand) || !link.receiveCommand(true)) return false;
    if (!hasSignature(link.buffer())) return link.fail(transfer_failure::kSignature, 0);

    // The header goes back in the mouse's own reply; only header byte 0 is ours.
    link.buffer()[wire::kHeader0At] = block.header[block::kReportRateCode];
    if (!link.sendCommandFrame()) return false;
    clock.sleepMs(wire::kWriteSettleMs);

    for (std::size_t p = 1; p <= block::kPageCount; ++p) {
        if (!link.sendCommand(wire::writePageCommand(p)) || !link.receiveCommand(false) ||
            !link.sendPage(block.page(p))) {
            return false;
        }
        clock.sleepMs(wire::kWriteSettleMs);
    }
    return true;
}

}  // namespace

TransferResult ReadConfigBlock(const DeviceState& device, BlockState& state) {
    state.complete = false;
    state.block.clear();
    Exchanges link(device);
    ConfigBlock received;
    if (!readInto(link, received)) return link.result();
    state.block = received;
    state.complete = true;
    return {};
}

TransferResult WriteConfigBlock(const DeviceState& device, const BlockState& state, Clock& clock) {
    if (!state.complete) return {transfer_failure::kIncompleteBlock, 0};
    Exchanges link(device);
    if (!writeFrom(link, state.block, clock)) return link.result();
    return {};
}

}  // namespace trv
