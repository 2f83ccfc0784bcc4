#include "ui/page_canvas_win.h"

#include "lang/fonts.h"
#include "lang/fonts_win.h"
#include "ui/display_scale.h"
#include "ui/page_layout.h"

namespace trv::ui {

PageFonts makePageFonts(Language language, int dpi) {
    const DisplayScale scale{dpi};
    LanguageFonts fonts = fontsFor(language, win::runningWindowsVersion());
    for (FontSpec* spec : {&fonts.body, &fonts.title, &fonts.compact}) {
        spec->height = scale.px(spec->height);
    }
    return {win::makeFont(fonts.body), win::makeFont(fonts.title), win::makeFont(fonts.compact)};
}

CanvasSetup pageCanvasSetup(const PageLook& look, const PageFonts& fonts, int dpi) {
    CanvasSetup setup;
    setup.skinFolder = look.skinFolder;
    setup.background = u"/main.png";
    setup.fallbackWidth = layout::kPageWidth;
    setup.fallbackHeight = layout::kPageHeight;
    setup.textColour = look.text;
    setup.focusColour = look.focus;
    setup.bodyFont = fonts.body.get();
    setup.titleFont = fonts.title.get();
    setup.compactFont = fonts.compact.get();
    setup.dpi = dpi;
    return setup;
}

}  // namespace trv::ui
