#include "device/transfer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "device/discovery.h"
#include "device/virtual_mouse.h"
#include "device/wire_format.h"
#include "device_fakes.h"

namespace trv {
namespace {

using testing::CountingClock;

const std::string kReadFailed = "read";
const std::string kWriteFailed = "write";

// Exchanges of a read: header command + reply, then per page command + reply + page.
constexpr std::uint32_t kReadExchanges = 2 + 5 * 3;
// A write adds the header write frame; per page command + reply + page.
constexpr std::uint32_t kWriteExchanges = 2 + 1 + 5 * 3;

// The program's side wired to a virtual mouse, as discovery leaves it.
struct Link {
    std::shared_ptr<VirtualMouse> mouse = std::make_shared<VirtualMouse>();
    VirtualHidSystem hid{mouse};
    DeviceState device;
    BlockState state;
    CountingClock clock;
    std::vector<std::string> failed;  // "read" / "write", in order
    TransferResult last;

    Link() {
        EXPECT_TRUE(FindMouse(hid, device).found);
        device.scrambleEnabled = true;
    }
    bool read() { return kept(ReadConfigBlock(device, state), kReadFailed); }
    bool write() { return kept(WriteConfigBlock(device, state, clock), kWriteFailed); }
    bool kept(TransferResult result, const std::string& operation) {
        last = result;
        if (!result.ok()) failed.push_back(operation);
        return result.ok();
    }

    std::vector<const WireFrame*> frames(WireDirection direction, ChannelKind collection) const {
        std::vector<const WireFrame*> out;
        for (const WireFrame& f : mouse->wireLog()) {
            if (f.direction == direction && f.collection == collection) out.push_back(&f);
        }
        return out;
    }
    std::vector<std::uint8_t> commandsSent() const {
        std::vector<std::uint8_t> out;
        for (const WireFrame* f : frames(WireDirection::ToMouse, ChannelKind::Command)) {
            out.push_back(f->plain[wire::kCommandAt]);
        }
        return out;
    }
    std::size_t dataFrames() const {
        return frames(WireDirection::ToMouse, ChannelKind::Data).size() +
               frames(WireDirection::FromMouse, ChannelKind::Data).size();
    }
};

bool allZero(const ConfigBlock& block) {
    return block == ConfigBlock{};
}

TEST(BlockTransfer, ReadBringsTheMouseHeaderAndImageOverExactly) {
    Link link;
    link.mouse->contents().header[1] = 0x3C;
    link.mouse->contents().image[block::kSensorType] = 1;

    EXPECT_TRUE(link.read());
    EXPECT_EQ(link.state.block, link.mouse->contents());
    EXPECT_TRUE(link.state.complete);
    EXPECT_TRUE(link.failed.empty());
}

TEST(BlockTransfer, ReadAsksForTheHeaderThenPagesOneToFiveWithoutPausing) {
    Link link;
    link.read();
    EXPECT_EQ(link.commandsSent(), (std::vector<std::uint8_t>{0x80, 0x81, 0x82, 0x83, 0x84, 0x85}));
    EXPECT_EQ(link.frames(WireDirection::FromMouse, ChannelKind::Data).size(), 5u);
    EXPECT_TRUE(link.frames(WireDirection::ToMouse, ChannelKind::Data).empty());
    EXPECT_TRUE(link.clock.waits.empty());
}

TEST(BlockTransfer, WriteAfterAnEditLeavesTheMouseHoldingTheEditedBlock) {
    Link link;
    ASSERT_TRUE(link.read());
    const std::uint8_t mouseHeader1 = link.mouse->contents().header[1];
    link.state.block.header[0] = 8;
    link.state.block.header[1] = static_cast<std::uint8_t>(mouseHeader1 + 1);  // not ours to send
    for (std::size_t i = 0; i < block::kImageSize; i += 7) {
        link.state.block.image[i] = static_cast<std::uint8_t>(i ^ 0x5A);
    }
    ConfigBlock expected = link.state.block;
    expected.header[1] = mouseHeader1;

    EXPECT_TRUE(link.write());
    EXPECT_EQ(link.mouse->contents(), expected);
    EXPECT_TRUE(link.failed.empty());
}

TEST(BlockTransfer, WriteSendsHeaderFrameThenPagesOneToFiveWithSixPauses) {
    Link link;
    ASSERT_TRUE(link.read());
    link.state.block.header[0] = 4;
    link.mouse->clearWireLog();

    link.write();
    const std::vector<std::uint8_t> commands = link.commandsSent();
    EXPECT_EQ(commands, (std::vector<std::uint8_t>{0x80, VirtualMouse::kHeaderWriteMarker, 0x01,
                                                   0x02, 0x03, 0x04, 0x05}));
    const auto sent = link.frames(WireDirection::ToMouse, ChannelKind::Command);
    ASSERT_EQ(sent.size(), 7u);
    EXPECT_EQ(sent[1]->plain[wire::kHeader0At], 4);
    EXPECT_EQ(link.frames(WireDirection::ToMouse, ChannelKind::Data).size(), 5u);
    EXPECT_EQ(link.clock.waits, std::vector<std::uint32_t>(6, 20));
}

TEST(BlockTransfer, EveryDataReportLeavesItsSliceLeadBytesPlainOnTheWire) {
    Link link;
    ASSERT_TRUE(link.read());
    link.write();
    const auto received = link.frames(WireDirection::FromMouse, ChannelKind::Data);
    const auto sent = link.frames(WireDirection::ToMouse, ChannelKind::Data);
    ASSERT_EQ(received.size(), 5u);
    ASSERT_EQ(sent.size(), 5u);
    for (const auto* frames : {&received, &sent}) {
        for (const WireFrame* f : *frames) {
            ASSERT_EQ(f->wire.size(), wire::kDataReportSize);
            EXPECT_NE(f->wire, f->plain);  // the groups are scrambled
            for (std::size_t at = 1; at <= 57; at += 8) EXPECT_EQ(f->wire[at], f->plain[at]);
            EXPECT_EQ(f->wire[0], 0x00);
        }
    }
    // Page 3 carries image bytes 128..191, report byte 1 first.
    EXPECT_EQ(sent[2]->wire[1], link.state.block.image[128]);
    EXPECT_TRUE(std::equal(sent[2]->plain.begin() + 1, sent[2]->plain.end(),
                           link.state.block.image.begin() + 128));
}

TEST(BlockTransfer, WrongSignatureStopsBothOperationsBeforeAnyPage) {
    Link link;
    ASSERT_TRUE(link.read());
    const ConfigBlock before = link.mouse->contents();
    link.mouse->faults().wrongSignature = true;
    link.mouse->clearWireLog();
    link.failed.clear();

    EXPECT_FALSE(link.write());
    EXPECT_FALSE(link.read());

    EXPECT_EQ(link.commandsSent(), (std::vector<std::uint8_t>{0x80, 0x80}));
    EXPECT_EQ(link.dataFrames(), 0u);
    EXPECT_EQ(link.mouse->wireLog().size(), 4u);
    EXPECT_EQ(link.failed, (std::vector<std::string>{kWriteFailed, kReadFailed}));
    EXPECT_EQ(link.last.failedCall, transfer_failure::kSignature);
    EXPECT_EQ(link.mouse->contents(), before);
    EXPECT_TRUE(allZero(link.state.block));
    EXPECT_FALSE(link.state.complete);
}

TEST(BlockTransfer, WrongReportIdIsRefusedByAReadButAcceptedByAWrite) {
    Link link;
    ASSERT_TRUE(link.read());
    link.state.block.image[5] = 0xEE;
    const ConfigBlock edited = link.state.block;
    link.mouse->faults().wrongReportId = true;

    EXPECT_TRUE(link.write());
    EXPECT_EQ(link.mouse->contents(), edited);
    EXPECT_TRUE(link.failed.empty());

    EXPECT_FALSE(link.read());
    EXPECT_EQ(link.failed, std::vector<std::string>{kReadFailed});
    EXPECT_TRUE(allZero(link.state.block));
    EXPECT_FALSE(link.state.complete);
}

TEST(BlockTransfer, MouseGoneAtAnyExchangeOfAReadLeavesAnEmptyIncompleteBlock) {
    for (std::uint32_t n = 1; n <= kReadExchanges; ++n) {
        SCOPED_TRACE(::testing::Message() << "failing exchange " << n);
        Link link;
        ASSERT_TRUE(link.read());  // an earlier good read must not survive a failed one
        link.mouse->faults().unplugAtExchange = link.mouse->exchangeCount() + n;
        const std::uint32_t start = link.mouse->exchangeCount();

        EXPECT_FALSE(link.read());
        EXPECT_EQ(link.mouse->exchangeCount() - start, n) << "nothing tried after the failure";
        EXPECT_EQ(link.failed, std::vector<std::string>{kReadFailed});
        EXPECT_TRUE(link.last.failedCall == transfer_failure::kSetFeature ||
                    link.last.failedCall == transfer_failure::kGetFeature);
        EXPECT_TRUE(allZero(link.state.block));
        EXPECT_FALSE(link.state.complete);
    }
}

TEST(BlockTransfer, MouseGoneAtAnyExchangeOfAWriteStopsItThereWithItsMessage) {
    for (std::uint32_t n = 1; n <= kWriteExchanges; ++n) {
        SCOPED_TRACE(::testing::Message() << "failing exchange " << n);
        Link link;
        ASSERT_TRUE(link.read());
        const BlockState before = link.state;
        link.mouse->faults().unplugAtExchange = link.mouse->exchangeCount() + n;
        const std::uint32_t start = link.mouse->exchangeCount();

        EXPECT_FALSE(link.write());
        EXPECT_EQ(link.mouse->exchangeCount() - start, n) << "nothing sent after the failure";
        EXPECT_EQ(link.failed, std::vector<std::string>{kWriteFailed});
        // A pause follows only the header frame and pages that went through.
        const std::uint32_t framesThrough = n <= 3 ? 0 : 1 + (n - 3 - 1) / 3;
        EXPECT_EQ(link.clock.waits.size(), framesThrough);
        EXPECT_EQ(link.state.block, before.block);
        EXPECT_TRUE(link.state.complete);
    }
}

TEST(BlockTransfer, ShortPagesFailTheReadWithItsMessage) {
    Link link;
    link.mouse->faults().shortPages = true;
    EXPECT_FALSE(link.read());
    EXPECT_EQ(link.failed, std::vector<std::string>{kReadFailed});
    EXPECT_TRUE(allZero(link.state.block));
    EXPECT_FALSE(link.state.complete);
    EXPECT_EQ(link.frames(WireDirection::FromMouse, ChannelKind::Data).size(), 0u);
}

TEST(BlockTransfer, BlockThatNeverCameWholeIsNotWrittenOverTheMouse) {
    Link link;
    link.mouse->faults().shortPages = true;
    link.read();  // fails after the header and part of page 1
    link.mouse->faults().shortPages = false;
    link.state.block.header[0] = 2;  // as an apply would
    link.state.block.image[block::kModeAPairs] = 0xF1;
    const ConfigBlock mouseBefore = link.mouse->contents();
    link.mouse->clearWireLog();
    link.failed.clear();

    EXPECT_FALSE(link.write());
    EXPECT_TRUE(link.mouse->wireLog().empty());
    EXPECT_EQ(link.mouse->contents(), mouseBefore);
    EXPECT_EQ(link.failed, std::vector<std::string>{kWriteFailed});
    EXPECT_EQ(link.last.failedCall, transfer_failure::kIncompleteBlock);
    EXPECT_TRUE(link.clock.waits.empty());
}

TEST(BlockTransfer, MissingOrUnusableChannelsFailCleanlyWithTheirMessages) {
    struct Row {
        const char* name;
        void (*breakIt)(DeviceState&);
    };
    const Row rows[] = {
        {"no data channel", [](DeviceState& d) { d.DataChannel.reset(); }},
        {"no command channel", [](DeviceState& d) { d.CommandChannel.reset(); }},
        {"command length too short", [](DeviceState& d) { d.commandFeatureLength = 7; }},
        {"data length beyond the buffer", [](DeviceState& d) { d.dataFeatureLength = 81; }},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Link link;
        ASSERT_TRUE(link.read());
        BlockState good = link.state;
        row.breakIt(link.device);

        EXPECT_FALSE(link.write());
        EXPECT_FALSE(link.read());
        EXPECT_EQ(link.failed, (std::vector<std::string>{kWriteFailed, kReadFailed}));
        EXPECT_FALSE(link.state.complete);
        link.state = good;
    }
}

TEST(BlockTransfer, ARefusedExchangeKeepsTheCallAndTheSystemsErrorNumber) {
    class Refusing final : public FeatureChannel {
      public:
        bool setFeature(std::span<const std::uint8_t>) override { return false; }
        bool getFeature(std::span<std::uint8_t>) override { return false; }
        std::uint32_t lastError() const override { return 1167; }  // device not connected
    };
    DeviceState device;
    device.CommandChannel = std::make_unique<Refusing>();
    device.commandFeatureLength = 8;
    BlockState state;
    const TransferResult result = ReadConfigBlock(device, state);
    EXPECT_EQ(result.failedCall, transfer_failure::kSetFeature);
    EXPECT_EQ(result.systemError, 1167u);
}

}  // namespace
}  // namespace trv
