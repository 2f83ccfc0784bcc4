#pragma once
// The tool's view of the HID stack: discovery and transfers run over it
// unchanged, while it notes which interfaces the mouse's channels were opened
// on and, for a dry run, holds back every frame once writing would begin.

#include <array>
#include <memory>
#include <ostream>
#include <string>

#include "device/hid_system.h"

namespace trv::ctl {

class MouseLink final : public HidSystem {
  public:
    // Held frames are printed to `report`, plain and as they would cross the wire.
    MouseLink(HidSystem& system, std::ostream& report) : system_(system), report_(report) {}

    std::unique_ptr<HidInterfaceList> presentInterfaces() override;
    std::unique_ptr<HidProbe> openProbe(const std::u16string& path) override;
    ChannelOpening openChannel(const std::u16string& path, ChannelKind kind) override;

    // The path a channel was last opened on; empty when it never was.
    const std::u16string& pathOf(ChannelKind kind) const {
        return paths_[static_cast<std::size_t>(kind)];
    }

    // From now on nothing reaches the mouse: every frame sent is printed
    // instead, and the mouse's part is played from what it last said. The
    // header query is answered with the mouse's own last header reply, so the
    // header write frame comes out as it would have been sent.
    void holdFrames() { state_->held = true; }

    struct SharedState {
        bool held = false;
        std::array<std::uint8_t, 8> headerReply{};  // as it crossed the wire
        bool headerReplySeen = false;
    };

  private:
    HidSystem& system_;
    std::ostream& report_;
    std::array<std::u16string, 2> paths_;
    std::shared_ptr<SharedState> state_ = std::make_shared<SharedState>();
};

}  // namespace trv::ctl
