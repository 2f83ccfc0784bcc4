#include "config/profile_store.h"

namespace trv {

std::u16string_view storableValue(std::u16string_view value) {
    return value.substr(0, value.find_first_of(std::u16string_view(u"\r\n\0", 3)));
}

}  // namespace trv
