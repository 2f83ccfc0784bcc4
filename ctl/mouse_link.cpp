#include "ctl/mouse_link.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "device/scramble.h"
#include "device/wire_format.h"

namespace trv::ctl {

namespace {

std::string hex(std::span<const std::uint8_t> bytes) {
    std::string out;
    char digits[4];
    for (std::uint8_t b : bytes) {
        std::snprintf(digits, sizeof digits, " %02X", b);
        out += digits;
    }
    return out;
}

// Every frame of the tool goes out scrambled: discovery turns scrambling on
// before the first transfer.
std::vector<std::uint8_t> plainOf(ChannelKind kind, std::span<const std::uint8_t> wireFrame) {
    std::vector<std::uint8_t> plain(wireFrame.begin(), wireFrame.end());
    if (kind == ChannelKind::Command && plain.size() >= wire::kCommandFrameSize) {
        unscrambleCommandFrame(std::span(plain).first<wire::kCommandFrameSize>());
    } else if (kind == ChannelKind::Data && plain.size() >= wire::kDataReportSize) {
        unscrambleDataReport(std::span(plain).first<wire::kDataReportSize>());
    }
    return plain;
}

class LinkChannel final : public FeatureChannel {
  public:
    LinkChannel(std::unique_ptr<FeatureChannel> inner, ChannelKind kind,
                std::shared_ptr<MouseLink::SharedState> state, std::ostream& report)
        : inner_(std::move(inner)), kind_(kind), state_(std::move(state)), report_(report) {}

    bool setFeature(std::span<const std::uint8_t> frame) override {
        lastSent_.assign(frame.begin(), frame.end());
        const std::vector<std::uint8_t> plain = plainOf(kind_, frame);
        headerQueried_ = kind_ == ChannelKind::Command && plain.size() > wire::kCommandAt &&
                         plain[wire::kCommandAt] == wire::kHeaderCommand;
        if (!state_->held) return inner_->setFeature(frame);
        const char* collection = kind_ == ChannelKind::Command ? "command" : "data   ";
        report_ << "not sent, " << collection << " plain" << hex(plain) << '\n'
                << "                  wire " << hex(frame) << '\n';
        return true;
    }

    bool getFeature(std::span<std::uint8_t> frame) override {
        if (!state_->held) {
            if (!inner_->getFeature(frame)) return false;
            if (headerQueried_ && frame.size() >= state_->headerReply.size()) {
                std::copy_n(frame.begin(), state_->headerReply.size(), state_->headerReply.begin());
                state_->headerReplySeen = true;
            }
            return true;
        }
        // Only the header reply is looked at; other replies echo the command.
        if (kind_ != ChannelKind::Command) return false;
        std::fill(frame.begin(), frame.end(), std::uint8_t{0});
        if (headerQueried_ && state_->headerReplySeen) {
            std::copy_n(state_->headerReply.begin(),
                        std::min(frame.size(), state_->headerReply.size()), frame.begin());
        } else {
            std::copy_n(lastSent_.begin(), std::min(frame.size(), lastSent_.size()), frame.begin());
        }
        return true;
    }

    std::uint32_t lastError() const override { return inner_->lastError(); }

  private:
    std::unique_ptr<FeatureChannel> inner_;
    ChannelKind kind_;
    std::shared_ptr<MouseLink::SharedState> state_;
    std::ostream& report_;
    std::vector<std::uint8_t> lastSent_;
    bool headerQueried_ = false;
};

}  // namespace

std::unique_ptr<HidInterfaceList> MouseLink::presentInterfaces() {
    return system_.presentInterfaces();
}

std::unique_ptr<HidProbe> MouseLink::openProbe(const std::u16string& path) {
    return system_.openProbe(path);
}

ChannelOpening MouseLink::openChannel(const std::u16string& path, ChannelKind kind) {
    ChannelOpening opening = system_.openChannel(path, kind);
    if (!opening.channel) return opening;
    paths_[static_cast<std::size_t>(kind)] = path;
    opening.channel =
        std::make_unique<LinkChannel>(std::move(opening.channel), kind, state_, report_);
    return opening;
}

}  // namespace trv::ctl
