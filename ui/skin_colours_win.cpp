#include "ui/skin_colours_win.h"

#include <filesystem>
#include <fstream>
#include <iterator>

#include "window/wide.h"

namespace trv::ui {

DialogColours readSkinColours(const std::wstring& skinFolder) {
    std::ifstream file(std::filesystem::path(skinFolder + win::toWide(kDialogColoursFile)),
                       std::ios::binary);
    if (!file) return {};
    const std::string text{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    return parseDialogColours(text);
}

}  // namespace trv::ui
