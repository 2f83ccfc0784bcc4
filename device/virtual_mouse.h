#pragma once
// A mouse that lives in memory: the device's side of the frames, behind the same
// HID interfaces as the real backend. It keeps its 322 bytes, answers the header
// and page commands, takes in the header write frame and written pages, and
// records every frame as it crossed the wire. Faults can be switched on to see
// how the program copes with a mouse that misbehaves or goes away.
//
// Its own conventions, where the frames leave the device free:
// - the header reply carries kHeaderWriteMarker in byte 5; a command frame with
//   that byte, sent right after the header reply was fetched, is the header
//   write frame (header byte 0 taken from byte 6). Nothing else changes header 0.
// - the reply to a page command echoes the command.
// - a data report fetched without a read-page command before it, or while short
//   pages are switched on, is refused (the get fails).
// - a written page is taken only right after its write-page command.

#include <array>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "config/config_block.h"
#include "device/hid_system.h"

namespace trv {

struct VirtualMouseFaults {
    bool wrongSignature = false;  // the header reply's signature is off by one byte
    bool wrongReportId = false;   // the header reply comes with report ID 2
    // From this exchange on (1 = the first set or get on either collection)
    // every exchange fails, as if the mouse had been pulled out.
    std::optional<std::uint32_t> unplugAtExchange;
    bool shortPages = false;  // data reports are refused
    // Written pages are acknowledged but not kept, as by a mouse whose memory
    // no longer takes writes: only reading back shows it.
    bool forgetsPages = false;
    bool refusesPages = false;  // written pages are refused, as by a mouse that stalls them
};

enum class WireDirection : std::uint8_t { ToMouse, FromMouse };

struct WireFrame {
    WireDirection direction = WireDirection::ToMouse;
    ChannelKind collection = ChannelKind::Command;
    std::vector<std::uint8_t> wire;   // exactly as it crossed
    std::vector<std::uint8_t> plain;  // the same with its groups unscrambled
};

class VirtualMouse {
  public:
    static constexpr std::uint8_t kHeaderWriteMarker = 0xC0;

    VirtualMouse();

    // Fresh from the factory: sensor type 0, the factory function table, four
    // DPI stages, standard lighting, 1000 Hz, and a fixed non-zero pattern in
    // every byte the program leaves alone.
    static ConfigBlock factoryContents();
    // The pattern byte at a block offset (0..321); never zero.
    static std::uint8_t patternByte(std::size_t blockOffset);

    ConfigBlock& contents() { return contents_; }
    const ConfigBlock& contents() const { return contents_; }
    VirtualMouseFaults& faults() { return faults_; }
    const std::vector<WireFrame>& wireLog() const { return log_; }
    void clearWireLog() { log_.clear(); }
    std::uint32_t exchangeCount() const { return exchanges_; }

    // The contents as a 322-byte file. Loading keeps the current contents when
    // the file is missing or not exactly 322 bytes long.
    bool loadFrom(const std::filesystem::path& file);
    bool saveTo(const std::filesystem::path& file) const;
    // From now on every change the host makes is saved to `file` (an
    // exchange whose change cannot be saved fails), and every frame is
    // appended as a text line to `wireLogFile`.
    void persistTo(std::filesystem::path file, std::filesystem::path wireLogFile);

    // The two collections' side of an exchange; false = the exchange failed.
    bool receive(ChannelKind collection, std::span<const std::uint8_t> report);
    bool answer(ChannelKind collection, std::span<std::uint8_t> report);
    // The host let go of a channel; logged, as a bus analyser would see it.
    void channelClosed(ChannelKind collection);
    std::uint32_t closedChannels() const { return closedChannels_; }

  private:
    bool exchangeAllowed();
    bool takeCommand(const std::vector<std::uint8_t>& plain);
    bool takePage(const std::vector<std::uint8_t>& plain);
    void fillCommandReply(std::span<std::uint8_t> report);
    bool fillPage(std::span<std::uint8_t> report);
    void record(WireDirection direction, ChannelKind collection, std::span<const std::uint8_t> wire,
                std::vector<std::uint8_t> plain);
    bool changed();  // false when the contents could not be kept

    ConfigBlock contents_;
    VirtualMouseFaults faults_;
    std::vector<WireFrame> log_;
    std::uint32_t exchanges_ = 0;
    std::uint32_t closedChannels_ = 0;
    std::array<std::uint8_t, 8> pendingReply_{};
    bool headerReplyPending_ = false;
    bool headerDelivered_ = false;
    std::optional<std::size_t> readPage_;
    std::optional<std::size_t> writePage_;
    std::filesystem::path contentsFile_;
    std::filesystem::path wireLogFile_;
};

// The HID interfaces of a machine with the virtual mouse plugged in.
struct VirtualBusLayout {
    bool foreignDeviceFirst = true;  // another vendor's device before the mouse
    // The real mouse may enumerate its collections either way.
    bool commandCollectionFirst = false;
};

class VirtualHidSystem final : public HidSystem {
  public:
    explicit VirtualHidSystem(std::shared_ptr<VirtualMouse> mouse, VirtualBusLayout layout = {});

    // Another mouse of the model on a port of its own: its collections are
    // listed after the others', under a device key that sorts after theirs.
    void plugIn(std::shared_ptr<VirtualMouse> mouse);

    std::unique_ptr<HidInterfaceList> presentInterfaces() override;
    std::unique_ptr<HidProbe> openProbe(const std::u16string& path) override;
    ChannelOpening openChannel(const std::u16string& path, ChannelKind kind) override;

    struct Member {
        std::u16string path;
        std::u16string deviceKey;
        HidAttributes attributes;
        HidCaps caps;
        std::shared_ptr<VirtualMouse> mouse;  // none for the other vendor's device
    };
    // In enumeration order, which a test may change as another system would.
    std::vector<Member>& members() { return members_; }

  private:
    void addMouse(std::shared_ptr<VirtualMouse> mouse, bool commandFirst);
    const Member* find(const std::u16string& path) const;

    std::vector<Member> members_;
    std::uint32_t mice_ = 0;
};

}  // namespace trv
