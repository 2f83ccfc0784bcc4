#include "device/virtual_mouse.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "device/discovery.h"
#include "device/transfer.h"
#include "device_fakes.h"

namespace trv {
namespace {

namespace fs = std::filesystem;

// The program's side of a virtual mouse after discovery and the first read.
struct ReadLink {
    VirtualHidSystem hid;
    DeviceState device;
    BlockState state;
    testing::CountingClock clock;

    explicit ReadLink(std::shared_ptr<VirtualMouse> mouse) : hid(std::move(mouse)) {
        EXPECT_TRUE(FindMouse(hid, device).found);
        EXPECT_TRUE(readBlockAfterDiscovery(device, state).ok());
    }
    bool write() { return WriteConfigBlock(device, state, clock).ok(); }
};

class TempFolder {
  public:
    TempFolder() {
        path_ = fs::temp_directory_path() /
                ("trv-vmouse-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                 "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(path_);
        fs::create_directories(path_);
    }
    ~TempFolder() {
        std::error_code ignored;
        fs::remove_all(path_, ignored);
    }
    const fs::path& path() const { return path_; }

  private:
    fs::path path_;
};

std::vector<char> fileBytes(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(VirtualMouse, FactoryContentsHoldTheFunctionTableAndAPatternInEveryByteLeftAlone) {
    const ConfigBlock c = VirtualMouse::factoryContents();
    const std::uint8_t consumer[] = {0xB5, 0x00, 0xB6, 0x00, 0xB7, 0x00, 0xCD, 0x00,
                                     0xE2, 0x00, 0xE9, 0x00, 0xEA, 0x00, 0x83, 0x01,
                                     0x8A, 0x01, 0x92, 0x01, 0x94, 0x01, 0x21, 0x02,
                                     0x23, 0x02, 0x24, 0x02, 0x25, 0x02, 0x27, 0x02};
    const std::uint8_t hotKeys[] = {0xE0, 0x06, 0xE0, 0x1B, 0xE0, 0x19, 0xE0, 0x04,
                                    0xE0, 0x12, 0xE0, 0x11, 0xE0, 0x16, 0xE0, 0x1D};
    EXPECT_TRUE(std::equal(std::begin(consumer), std::end(consumer), c.image.begin() + 224));
    EXPECT_TRUE(std::equal(std::begin(hotKeys), std::end(hotKeys), c.image.begin() + 304));
    EXPECT_EQ(c.image[block::kSensorType], 0);
    EXPECT_EQ(c.image[block::kEnabledStageCount], 4);
    EXPECT_EQ(c.header[block::kReportRateCode], 1);

    const std::pair<std::size_t, std::size_t> leftAlone[] = {{0, 128},   {144, 160}, {176, 193},
                                                             {194, 198}, {199, 202}, {205, 206},
                                                             {208, 215}, {220, 224}, {256, 280}};
    for (auto [first, end] : leftAlone) {
        for (std::size_t i = first; i < end; ++i) {
            EXPECT_EQ(c.image[i], VirtualMouse::patternByte(block::kHeaderSize + i)) << i;
            EXPECT_NE(c.image[i], 0) << i;
        }
    }
    EXPECT_NE(c.header[block::kHeaderMouseOwned], 0);
}

TEST(VirtualMouse, AppliedContentsSurviveARestartAndEveryFrameIsLogged) {
    TempFolder folder;
    const fs::path contents = folder.path() / "virtual-mouse.bin";
    const fs::path log = folder.path() / "virtual-mouse-wire.log";
    ConfigBlock written;
    {
        auto mouse = std::make_shared<VirtualMouse>();
        mouse->persistTo(contents, log);
        ReadLink link(mouse);
        link.state.block.header[0] = 8;
        link.state.block.image[0] = 0x01;
        link.state.block.image[319] = 0x02;
        ASSERT_TRUE(link.write());
        written = mouse->contents();
    }
    EXPECT_EQ(fileBytes(contents).size(), 322u);
    VirtualMouse restarted;
    ASSERT_TRUE(restarted.loadFrom(contents));
    EXPECT_EQ(restarted.contents(), written);
    EXPECT_EQ(restarted.contents().header[0], 8);

    // 17 frames in the read and 18 in the write, two lines each.
    std::ifstream in(log);
    std::size_t lines = 0;
    for (std::string line; std::getline(in, line);) ++lines;
    EXPECT_EQ(lines, 2u * (17 + 18) + 2) << "and a line for each channel let go";
}

TEST(VirtualMouse, ContentsThatCannotBeKeptFailTheSaveAndTheWrite) {
    TempFolder folder;
    // A non-empty folder where the contents file should be: the move fails.
    const fs::path blocked = folder.path() / "virtual-mouse.bin";
    fs::create_directories(blocked / "inside");
    auto mouse = std::make_shared<VirtualMouse>();
    EXPECT_FALSE(mouse->saveTo(blocked));
    EXPECT_FALSE(fs::exists(folder.path() / "virtual-mouse.bin.new")) << "no temporary left";

    mouse->persistTo(blocked, folder.path() / "wire.log");
    EXPECT_FALSE(ReadLink(mouse).write());
}

TEST(VirtualMouse, ContentsFileOfTheWrongSizeIsNotLoaded) {
    TempFolder folder;
    for (std::size_t size : {0u, 321u, 323u, 1000u}) {
        const fs::path file = folder.path() / ("c" + std::to_string(size));
        std::ofstream(file, std::ios::binary) << std::string(size, '\x7F');
        VirtualMouse mouse;
        EXPECT_FALSE(mouse.loadFrom(file)) << size;
        EXPECT_EQ(mouse.contents(), VirtualMouse::factoryContents()) << size;
    }
    VirtualMouse mouse;
    EXPECT_FALSE(mouse.loadFrom(folder.path() / "missing"));
}

}  // namespace
}  // namespace trv
