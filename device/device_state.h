#pragma once
// The process-wide state of the link to the mouse, owned by the main window for
// the life of the process.

#include <cstdint>
#include <memory>
#include <string>

#include "config/config_block.h"
#include "device/hid_system.h"

namespace trv {

struct DeviceState {
    std::unique_ptr<FeatureChannel> CommandChannel;  // feature reports of 8 bytes
    std::unique_ptr<FeatureChannel> DataChannel;     // feature reports of 65 bytes
    std::uint16_t commandFeatureLength = 0;
    std::uint16_t dataFeatureLength = 0;
    std::u16string devicePath;  // the interface discovery examined last
    bool mousePresent = false;
    bool scrambleEnabled = false;
    std::uint8_t deviceEventCount = 0;
    std::uint8_t sensorType = 0;

    void closeChannels() {
        CommandChannel.reset();
        DataChannel.reset();
    }
};

// The block with what is known of its origin. Only a block that came whole from
// the mouse may go back to it: the bytes the program does not interpret are
// written back as they were read, and zeros there would wipe the mouse's own.
struct BlockState {
    ConfigBlock block;
    bool complete = false;  // holds every byte of a successful read
};

}  // namespace trv
