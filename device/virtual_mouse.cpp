#include "device/virtual_mouse.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <system_error>

#include "assign/function_table.h"
#include "device/discovery.h"
#include "device/scramble.h"
#include "device/wire_format.h"

namespace trv {

namespace {

constexpr std::size_t kBlockSize = block::kHeaderSize + block::kImageSize;

// Image offsets the program rebuilds on apply; they get factory values, as do
// the mouse's own sensor type and function table. Every other byte carries the
// pattern.
struct Span {
    std::size_t first;
    std::size_t count;
};
constexpr std::array<Span, 10> kFactoryFields{{
    {block::kModeAPairs, 2 * block::kPairCount},
    {block::kModeBPairs, 2 * block::kPairCount},
    {block::kSensorType, 1},
    {block::kEnabledStageCount, 1},
    {block::kLightMode, 3},  // mode, parameter, parameter kind
    {block::kFireMakeTime, 2},
    {block::kSnipeDpiCode, 1 + block::kStageCount},
    {block::kConsumerTable, 2 * block::kConsumerEntries},
    {block::kStageColours, block::kStageColourBytes},
    {block::kHotKeyTable, 2 * block::kHotKeyEntries},
}};

constexpr std::uint8_t kReportRate1000Hz = 1;

// Left, right, middle, forward, backward, DPI cycle, off, off.
constexpr std::array<std::uint8_t, 16> kModeAPairs{0xF0, 0x00, 0xF1, 0x00, 0xF2, 0x00, 0xF4, 0x00,
                                                   0xF3, 0x00, 0x05, 0x03, 0x00, 0x00, 0x00, 0x00};
// The same buttons with slots 4 and 5 exchanged, as the mouse keeps Mode B.
constexpr std::array<std::uint8_t, 16> kModeBPairs{0xF0, 0x00, 0xF1, 0x00, 0xF2, 0x00, 0xF3, 0x00,
                                                   0xF4, 0x00, 0x05, 0x03, 0x00, 0x00, 0x00, 0x00};

// 800, 1000, 1600 and 3200 dpi, all four enabled; snipe at 800.
constexpr std::array<std::uint8_t, block::kStageCount> kStageCodes{0x02, 0x03, 0x05, 0x25};
constexpr std::uint8_t kSnipeCode = 0x02;
// Red, green, blue and white, then four empty slots.
constexpr std::array<std::uint8_t, block::kStageColourBytes> kStageColours{
    0xFF, 0x00, 0x00, 0x00, 0xFF, 0x00, 0x00, 0x00, 0xFF, 0xFF, 0xFF, 0xFF};

// Standard lighting at full brightness.
constexpr std::uint8_t kStandardLight = 1;
constexpr std::uint8_t kFullBrightness = 9;
constexpr std::uint8_t kBrightnessKind = 2;
constexpr std::uint8_t kFireTime = 10;

bool isFactoryField(std::size_t imageOffset) {
    return std::any_of(kFactoryFields.begin(), kFactoryFields.end(), [&](const Span& s) {
        return imageOffset >= s.first && imageOffset < s.first + s.count;
    });
}

constexpr std::array<std::uint8_t, 4> kForeignSignature{0xAA, 0xCC, 0xEE, 0xDC};
constexpr std::uint8_t kForeignReportId = 0x02;

// Callers have checked the length with fits().
std::span<std::uint8_t, wire::kCommandFrameSize> asCommand(std::span<std::uint8_t> bytes) {
    return bytes.first<wire::kCommandFrameSize>();
}

std::span<std::uint8_t, wire::kDataReportSize> asReport(std::span<std::uint8_t> bytes) {
    return bytes.first<wire::kDataReportSize>();
}

bool fits(ChannelKind collection, std::size_t length) {
    const std::size_t needed =
        collection == ChannelKind::Command ? wire::kCommandFrameSize : wire::kDataReportSize;
    return length >= needed;
}

std::string hex(const std::vector<std::uint8_t>& bytes) {
    std::string out;
    char digits[4];
    for (std::uint8_t b : bytes) {
        std::snprintf(digits, sizeof digits, "%02X ", b);
        out += digits;
    }
    if (!out.empty()) out.pop_back();
    return out;
}

}  // namespace

VirtualMouse::VirtualMouse() : contents_(factoryContents()) {}

std::uint8_t VirtualMouse::patternByte(std::size_t blockOffset) {
    return static_cast<std::uint8_t>(0x11 + (blockOffset * 29) % 0xE0);
}

ConfigBlock VirtualMouse::factoryContents() {
    ConfigBlock c;
    c.header[block::kReportRateCode] = kReportRate1000Hz;
    c.header[block::kHeaderMouseOwned] = patternByte(block::kHeaderMouseOwned);
    for (std::size_t i = 0; i < block::kImageSize; ++i) {
        c.image[i] = isFactoryField(i) ? 0 : patternByte(block::kHeaderSize + i);
    }
    std::copy(kModeAPairs.begin(), kModeAPairs.end(), c.image.begin() + block::kModeAPairs);
    std::copy(kModeBPairs.begin(), kModeBPairs.end(), c.image.begin() + block::kModeBPairs);
    c.image[block::kSensorType] = 0;
    c.image[block::kEnabledStageCount] = block::kStageCount;
    c.image[block::kLightMode] = kStandardLight;
    c.image[block::kLightParameter] = kFullBrightness;
    c.image[block::kLightParameterKind] = kBrightnessKind;
    c.image[block::kFireMakeTime] = kFireTime;
    c.image[block::kFireBreakTime] = kFireTime;
    c.image[block::kSnipeDpiCode] = kSnipeCode;
    std::copy(kStageCodes.begin(), kStageCodes.end(), c.image.begin() + block::kStageDpiCodes);
    std::copy(kStageColours.begin(), kStageColours.end(), c.image.begin() + block::kStageColours);
    writeFactoryFunctionTable(c);
    return c;
}

bool VirtualMouse::loadFrom(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) return false;
    std::array<char, kBlockSize + 1> bytes{};
    in.read(bytes.data(), bytes.size());
    if (static_cast<std::size_t>(in.gcount()) != kBlockSize) return false;
    std::copy_n(bytes.begin(), block::kHeaderSize, contents_.header.begin());
    std::copy_n(bytes.begin() + block::kHeaderSize, block::kImageSize, contents_.image.begin());
    return true;
}

bool VirtualMouse::saveTo(const std::filesystem::path& file) const {
    // Written beside and moved over, so an interrupted save leaves the old file.
    std::filesystem::path temporary = file;
    temporary += ".new";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!out) return false;
        out.write(reinterpret_cast<const char*>(contents_.header.data()), block::kHeaderSize);
        out.write(reinterpret_cast<const char*>(contents_.image.data()), block::kImageSize);
        if (!out.flush()) return false;
    }
    std::error_code error;
    std::filesystem::rename(temporary, file, error);
    if (!error) return true;
    std::error_code ignored;  // the rename's failure is what the caller hears of
    std::filesystem::remove(temporary, ignored);
    return false;
}

void VirtualMouse::persistTo(std::filesystem::path file, std::filesystem::path wireLogFile) {
    contentsFile_ = std::move(file);
    wireLogFile_ = std::move(wireLogFile);
}

bool VirtualMouse::changed() {
    return contentsFile_.empty() || saveTo(contentsFile_);
}

bool VirtualMouse::exchangeAllowed() {
    ++exchanges_;
    return !(faults_.unplugAtExchange && exchanges_ >= *faults_.unplugAtExchange);
}

bool VirtualMouse::receive(ChannelKind collection, std::span<const std::uint8_t> report) {
    if (!exchangeAllowed() || !fits(collection, report.size())) return false;
    std::vector<std::uint8_t> plain(report.begin(), report.end());
    if (collection == ChannelKind::Command) {
        unscrambleCommandFrame(asCommand(plain));
        record(WireDirection::ToMouse, collection, report, plain);
        return takeCommand(plain);
    }
    unscrambleDataReport(asReport(plain));
    record(WireDirection::ToMouse, collection, report, plain);
    return takePage(plain);
}

bool VirtualMouse::answer(ChannelKind collection, std::span<std::uint8_t> report) {
    if (!exchangeAllowed() || !fits(collection, report.size())) return false;
    std::fill(report.begin(), report.end(), std::uint8_t{0});
    if (collection == ChannelKind::Command) {
        fillCommandReply(report);
    } else if (!fillPage(report)) {
        return false;
    }
    std::vector<std::uint8_t> plain(report.begin(), report.end());
    if (collection == ChannelKind::Command) {
        scrambleCommandFrame(asCommand(report));
    } else {
        scrambleDataReport(asReport(report));
    }
    record(WireDirection::FromMouse, collection, report, std::move(plain));
    return true;
}

bool VirtualMouse::takeCommand(const std::vector<std::uint8_t>& plain) {
    // Like the program's write, the mouse looks at the signature, not the report ID.
    const bool genuine = std::equal(wire::kSignature.begin(), wire::kSignature.end(),
                                    plain.begin() + wire::kSignatureAt);
    const std::uint8_t command = plain[wire::kCommandAt];
    const bool headerWrite = genuine && headerDelivered_ && command == kHeaderWriteMarker;

    readPage_.reset();
    writePage_.reset();
    headerDelivered_ = false;
    headerReplyPending_ = false;
    pendingReply_.fill(0);
    std::copy_n(plain.begin(), wire::kCommandFrameSize, pendingReply_.begin());
    if (!genuine) return true;

    if (headerWrite) {
        contents_.header[block::kReportRateCode] = plain[wire::kHeader0At];
        return changed();
    }
    if (command == wire::kHeaderCommand) {
        headerReplyPending_ = true;
    } else if (command > wire::kReadFlag && command <= wire::readPageCommand(block::kPageCount)) {
        readPage_ = command & ~wire::kReadFlag;
    } else if (command >= wire::writePageCommand(1) &&
               command <= wire::writePageCommand(block::kPageCount)) {
        writePage_ = command;
    }
    return true;
}

bool VirtualMouse::takePage(const std::vector<std::uint8_t>& plain) {
    const std::optional<std::size_t> page = writePage_;
    writePage_.reset();
    if (page && faults_.refusesPages) return false;
    if (!page || plain[wire::kReportIdAt] != wire::kDataReportId || faults_.forgetsPages) {
        return true;
    }
    std::copy_n(plain.begin() + wire::kPageAt, block::kPageSize, contents_.page(*page));
    // A mouse that cannot keep what it was sent refuses the report.
    return changed();
}

void VirtualMouse::fillCommandReply(std::span<std::uint8_t> report) {
    if (!headerReplyPending_) {
        std::copy(pendingReply_.begin(), pendingReply_.end(), report.begin());
        return;
    }
    report[wire::kReportIdAt] = faults_.wrongReportId ? kForeignReportId : wire::kCommandReportId;
    const auto& signature = faults_.wrongSignature ? kForeignSignature : wire::kSignature;
    std::copy(signature.begin(), signature.end(), report.begin() + wire::kSignatureAt);
    report[wire::kCommandAt] = kHeaderWriteMarker;
    report[wire::kHeader0At] = contents_.header[block::kReportRateCode];
    report[wire::kHeader1At] = contents_.header[block::kHeaderMouseOwned];
    headerReplyPending_ = false;
    headerDelivered_ = true;
}

bool VirtualMouse::fillPage(std::span<std::uint8_t> report) {
    const std::optional<std::size_t> page = readPage_;
    readPage_.reset();
    if (!page || faults_.shortPages) return false;
    report[wire::kReportIdAt] = wire::kDataReportId;
    std::copy_n(contents_.page(*page), block::kPageSize, report.begin() + wire::kPageAt);
    return true;
}

void VirtualMouse::channelClosed(ChannelKind collection) {
    ++closedChannels_;
    if (wireLogFile_.empty()) return;
    std::ofstream out(wireLogFile_, std::ios::app);
    out << "closed    " << (collection == ChannelKind::Command ? " command" : " data") << '\n';
}

void VirtualMouse::record(WireDirection direction, ChannelKind collection,
                          std::span<const std::uint8_t> wire, std::vector<std::uint8_t> plain) {
    WireFrame frame{direction, collection, {wire.begin(), wire.end()}, std::move(plain)};
    if (!wireLogFile_.empty()) {
        std::ofstream out(wireLogFile_, std::ios::app);
        out << (direction == WireDirection::ToMouse ? "to mouse  " : "from mouse")
            << (collection == ChannelKind::Command ? " command " : " data    ") << "wire "
            << hex(frame.wire) << "\n                            plain " << hex(frame.plain)
            << '\n';
    }
    log_.push_back(std::move(frame));
}

// ---------------------------------------------------------------------------

namespace {

constexpr char16_t kForeignPath[] =
    u"\\\\?\\hid#vid_045e&pid_0040#7&2c1d3e4f&0&0000#{4d1e55b2-f16f-11cf-88cb-001111000030}";
constexpr char16_t kForeignKey[] = u"USB\\VID_045E&PID_0040\\5&1A2B3C4D&0&1";
constexpr char16_t kHidClassSuffix[] = u"#{4d1e55b2-f16f-11cf-88cb-001111000030}";

std::u16string hex8(std::uint32_t value, const char* format) {
    char digits[9];
    std::snprintf(digits, sizeof digits, format, static_cast<unsigned>(value));
    return std::u16string(digits, digits + 8);
}

// Each further mouse gets instance numbers of its own, as another port gives.
std::u16string collectionPath(std::uint32_t mouse, int collection) {
    const std::u16string number(1, static_cast<char16_t>(u'0' + collection));
    return u"\\\\?\\hid#vid_04d9&pid_a0d6&mi_01&col0" + number + u"#8&" +
           hex8(0x1f2e3d4c + mouse * 0x11111111u, "%08x") + u"&0&000" +
           std::u16string(1, static_cast<char16_t>(u'0' + collection - 1)) + kHidClassSuffix;
}

std::u16string mouseKey(std::uint32_t mouse) {
    return u"USB\\VID_04D9&PID_A0D6\\6&" + hex8(0x2b3c4d5e + mouse * 0x11111111u, "%08X") + u"&0&" +
           std::u16string(1, static_cast<char16_t>(u'1' + mouse));
}

constexpr HidAttributes kForeignAttributes{0x045E, 0x0040};
constexpr HidCaps kForeignCaps{kGenericDesktopPage, kDataUsage, 0};
constexpr HidAttributes kMouseAttributes{kMouseVendorId, kMouseProductId};
constexpr HidCaps kCommandCaps{kGenericDesktopPage, kCommandUsage, kCommandFeatureLength};
constexpr HidCaps kDataCaps{kGenericDesktopPage, kDataUsage, kDataFeatureLength};

class VirtualInterfaceList final : public HidInterfaceList {
  public:
    explicit VirtualInterfaceList(std::vector<VirtualHidSystem::Member> members)
        : members_(std::move(members)) {}
    bool hasMember(std::uint32_t index) override { return index < members_.size(); }
    std::optional<std::u16string> devicePath(std::uint32_t index) override {
        if (index >= members_.size()) return std::nullopt;
        return members_[index].path;
    }
    std::u16string deviceKey(std::uint32_t index) override {
        return index < members_.size() ? members_[index].deviceKey : std::u16string();
    }

  private:
    std::vector<VirtualHidSystem::Member> members_;
};

class VirtualProbe final : public HidProbe {
  public:
    explicit VirtualProbe(const VirtualHidSystem::Member& member) : member_(member) {}
    std::optional<HidAttributes> attributes() override { return member_.attributes; }
    std::optional<HidCaps> capabilities() override { return member_.caps; }

  private:
    VirtualHidSystem::Member member_;
};

class VirtualChannel final : public FeatureChannel {
  public:
    VirtualChannel(std::shared_ptr<VirtualMouse> mouse, ChannelKind kind)
        : mouse_(std::move(mouse)), kind_(kind) {}
    ~VirtualChannel() override { mouse_->channelClosed(kind_); }
    VirtualChannel(const VirtualChannel&) = delete;
    VirtualChannel& operator=(const VirtualChannel&) = delete;
    bool setFeature(std::span<const std::uint8_t> report) override {
        return mouse_->receive(kind_, report);
    }
    bool getFeature(std::span<std::uint8_t> report) override {
        return mouse_->answer(kind_, report);
    }

  private:
    std::shared_ptr<VirtualMouse> mouse_;
    ChannelKind kind_;
};

constexpr std::uint32_t kFileNotFound = 2;

}  // namespace

VirtualHidSystem::VirtualHidSystem(std::shared_ptr<VirtualMouse> mouse, VirtualBusLayout layout) {
    if (layout.foreignDeviceFirst)
        members_.push_back({kForeignPath, kForeignKey, kForeignAttributes, kForeignCaps, nullptr});
    addMouse(std::move(mouse), layout.commandCollectionFirst);
}

void VirtualHidSystem::plugIn(std::shared_ptr<VirtualMouse> mouse) {
    addMouse(std::move(mouse), false);
}

void VirtualHidSystem::addMouse(std::shared_ptr<VirtualMouse> mouse, bool commandFirst) {
    const std::u16string key = mouseKey(mice_);
    const Member command{collectionPath(mice_, 1), key, kMouseAttributes, kCommandCaps, mouse};
    const Member data{collectionPath(mice_, 2), key, kMouseAttributes, kDataCaps, mouse};
    ++mice_;
    members_.push_back(commandFirst ? command : data);
    members_.push_back(commandFirst ? data : command);
}

const VirtualHidSystem::Member* VirtualHidSystem::find(const std::u16string& path) const {
    for (const Member& m : members_) {
        if (m.path == path) return &m;
    }
    return nullptr;
}

std::unique_ptr<HidInterfaceList> VirtualHidSystem::presentInterfaces() {
    return std::make_unique<VirtualInterfaceList>(members_);
}

std::unique_ptr<HidProbe> VirtualHidSystem::openProbe(const std::u16string& path) {
    const Member* member = find(path);
    if (member == nullptr) return nullptr;
    return std::make_unique<VirtualProbe>(*member);
}

ChannelOpening VirtualHidSystem::openChannel(const std::u16string& path, ChannelKind kind) {
    const Member* member = find(path);
    if (member == nullptr || !member->mouse) return {nullptr, kFileNotFound};
    return {std::make_unique<VirtualChannel>(member->mouse, kind), 0};
}

}  // namespace trv
