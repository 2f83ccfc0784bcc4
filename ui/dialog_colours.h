#pragma once
// The colours of the assignment dialogs' own controls: the fields, the
// drop-down lists and their selection, their borders and the painted
// captions. Each skin carries them in a small file beside its images
// ("colours.ini", written by the build from the skin's palette), so that an
// amber skin's dialogs are amber; a skin without the file gets the look of
// the default skin.

#include <string_view>

#include "perf/dpi.h"

namespace trv::ui {

struct DialogColours {
    Rgb field{40, 40, 40};  // fields, list and box backgrounds
    Rgb fieldText{255, 255, 255};
    Rgb selection{0, 255, 198};  // the item under the pointer in an open list
    Rgb selectionText{10, 14, 19};
    Rgb border{47, 60, 76};    // around an open list
    Rgb caption{0, 255, 198};  // texts painted beside the fields
    bool operator==(const DialogColours&) const = default;
};

inline constexpr std::u16string_view kDialogColoursFile = u"/colours.ini";

// Reads "name=#rrggbb" lines (section headers and ';' comments aside); a
// name missing or malformed keeps the default.
DialogColours parseDialogColours(std::string_view text);

}  // namespace trv::ui
