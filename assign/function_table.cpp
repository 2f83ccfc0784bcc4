#include "assign/function_table.h"

namespace trv {

void writeFactoryFunctionTable(ConfigBlock& block) {
    for (std::size_t i = 0; i < kFactoryConsumerUsages.size(); ++i) {
        const std::uint16_t usage = kFactoryConsumerUsages[i];
        const std::size_t at = block::kConsumerTable + 2 * i;
        block.image[at] = static_cast<std::uint8_t>(usage & 0xFF);
        block.image[at + 1] = static_cast<std::uint8_t>(usage >> 8);
    }
    for (std::size_t i = 0; i < kFactoryHotKeys.size(); ++i) {
        const std::size_t at = block::kHotKeyTable + 2 * i;
        block.image[at] = kFactoryHotKeys[i].modifier;
        block.image[at + 1] = kFactoryHotKeys[i].key;
    }
}

}  // namespace trv
