#pragma once
// Draws the settings page and its elements through a canvas: the whole page
// as its build draws it, or the few elements a change asks for. What each
// element looks like follows from the record, the labels and the marks given
// here; nothing is remembered between calls.

#include <cstdint>

#include "config/button_labels.h"
#include "config/settings_record.h"
#include "lang/text_table.h"
#include "perf/lighting.h"
#include "ui/canvas.h"
#include "ui/page_redraw.h"
#include "ui/page_state.h"

namespace trv::ui {

struct PageView {
    const SettingsRecord& record;
    const ButtonLabels& labels;
    Language language;
    std::uint8_t sensorType;
    const LightingTexts& lighting;
    const HoverMarks& hover;
    int focusMark = -1;  // the focus stop whose mark shows; -1 for none
};

// Every element of the redraw, in order, into the canvas, then the focus mark
// over them, so that no element hides it; the caller copies the canvas to the
// window once afterwards.
void drawPage(Canvas& canvas, const Redraw& redraw, const PageView& view);

}  // namespace trv::ui
