// Every text of the page and of the six assignment dialogs, in each of the
// four languages, measured in the font it is drawn with against the room it
// is drawn in. A text that does not fit ends in an ellipsis or is cut; the
// few that still do are listed here, each a last resort.

#include <windows.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <set>
#include <string>
#include <vector>

#include "assign/assignment.h"
#include "assign/key_tables.h"
#include "config/button_labels.h"
#include "lang/dialog_labels.h"
#include "lang/fonts.h"
#include "lang/fonts_win.h"
#include "perf/lighting.h"
#include "ui/dialog_frame.h"
#include "ui/fire_key_texts.h"
#include "ui/page_draw.h"
#include "ui/page_layout.h"
#include "window/handles.h"
#include "window/wide.h"

namespace trv::ui {
namespace {

constexpr Language kLanguages[] = {Language::English, Language::SimplifiedChinese,
                                   Language::TraditionalChinese, Language::Bulgarian};
const char* const kLanguageNames[] = {"English", "Simplified Chinese", "Traditional Chinese",
                                      "Bulgarian"};

// Text measured in one font on a screen-compatible DC.
class Ruler {
  public:
    explicit Ruler(const FontSpec& spec) : font_(win::makeFont(spec)) {
        dc_ = ::CreateCompatibleDC(nullptr);
        old_ = ::SelectObject(dc_, font_.get());
    }
    ~Ruler() {
        ::SelectObject(dc_, old_);
        ::DeleteDC(dc_);
    }
    Ruler(const Ruler&) = delete;
    Ruler& operator=(const Ruler&) = delete;

    TextSize measure(std::u16string_view text, int wrapWidth) const {
        const std::wstring wide = win::toWide(text);
        if (wrapWidth == 0) {
            SIZE size{};
            ::GetTextExtentPoint32W(dc_, wide.c_str(), static_cast<int>(wide.size()), &size);
            return {size.cx, size.cy};
        }
        RECT box{0, 0, wrapWidth, 0};
        ::DrawTextW(dc_, wide.c_str(), static_cast<int>(wide.size()), &box,
                    DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
        return {box.right, box.bottom};
    }

  private:
    win::Font font_;
    HDC dc_ = nullptr;
    HGDIOBJ old_ = nullptr;
};

// What did not fit: "<where>: <text> (<needed> > <room>)", in UTF-8 for the log.
class Misfits {
  public:
    void check(const std::string& where, std::u16string_view text, int needed, int room) {
        if (text.empty() || needed <= room) return;
        const std::wstring wide = win::toWide(text);
        const int bytes = ::WideCharToMultiByte(
            CP_UTF8, 0, wide.c_str(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
        std::string utf8(static_cast<std::size_t>(bytes), '\0');
        ::WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), static_cast<int>(wide.size()), utf8.data(),
                              bytes, nullptr, nullptr);
        places.insert(where);
        log.push_back(where + ": " + utf8 + " (" + std::to_string(needed) + " > " +
                      std::to_string(room) + ")");
    }
    std::set<std::string> places;
    std::vector<std::string> log;
};

// Records the texts the page draws, measuring each in its role's font.
class MeasuringCanvas final : public Canvas {
  public:
    MeasuringCanvas(const Ruler& body, const Ruler& title, const Ruler& compact, Misfits& misfits,
                    std::string language)
        : body_(body),
          title_(title),
          compact_(compact),
          misfits_(misfits),
          language_(std::move(language)) {}
    bool drawImage(std::u16string_view, int, int) override { return true; }
    void drawText(std::u16string_view text, Rect rect, TextFormat format, FontRole font) override {
        const Ruler& ruler = font == FontRole::Title ? title_ : body_;
        const std::string where =
            language_ + " page @" + std::to_string(rect.left) + "," + std::to_string(rect.top);
        int width = ruler.measure(text, 0).width;
        if (takesCompactFont(font, width, rect)) width = compact_.measure(text, 0).width;
        if (format == TextFormat::CentreWrapUp && width > rect.width()) {
            const TextSize lines = compact_.measure(text, rect.width());
            misfits_.check(where + " wrapped", text, lines.height, layout::kCaptionWrapRoom);
            width = lines.width;
        }
        misfits_.check(where, text, width, rect.width());
    }

  private:
    const Ruler& body_;
    const Ruler& title_;
    const Ruler& compact_;
    Misfits& misfits_;
    std::string language_;
};

TEST(TextFit, EveryTextOfThePageAndTheDialogsFitsItsPlaceInEveryLanguageBarTheListedOnes) {
    const WindowsVersion windows = win::runningWindowsVersion();
    Misfits misfits;
    for (std::size_t l = 0; l < std::size(kLanguages); ++l) {
        const Language language = kLanguages[l];
        const std::string name = kLanguageNames[l];
        const LanguageFonts fonts = fontsFor(language, windows);
        const Ruler body(fonts.body), title(fonts.title), dialog(fonts.dialog), compact(fonts.compact);

        // The page, with every assignment's text in the boxes and every
        // lighting mode's texts in the lighting boxes.
        std::vector<std::u16string> boxTexts;
        for (const std::u16string_view item : assignmentListItems(language)) {
            boxTexts.emplace_back(item);
        }
        for (const auto set : {DialogLabelSet::WindowsFunctions, DialogLabelSet::HotKey}) {
            for (const std::u16string_view item : dialogListItems(set, language)) {
                boxTexts.emplace_back(item);
            }
        }
        for (const std::u16string_view item :
             dialogListItems(DialogLabelSet::Multimedia, language)) {
            boxTexts.push_back(multimediaLabel(language, item));
        }
        for (std::size_t i = 0; i < kFireKeyItemCount; ++i) {
            boxTexts.push_back(fireKeyLabel(language, fireKeyItemText(i)));
        }
        boxTexts.push_back(singleKeyLabel(language, u"Right Shift"));
        const std::size_t labelCount = ButtonLabels{}.texts.size();
        for (std::uint8_t mode = 0; mode < 4; ++mode) {
            SettingsRecord record{};
            record[rec::kLightMode] = mode;
            LightingTexts lighting;
            refreshLightingTexts(lighting, record, language);
            for (std::size_t shift = 0; shift < boxTexts.size(); shift += labelCount) {
                ButtonLabels labels;
                for (std::size_t i = 0; i < labelCount; ++i) {
                    labels.texts[i] = boxTexts[(i + shift) % boxTexts.size()];
                }
                const HoverMarks hover;
                MeasuringCanvas canvas(body, title, compact, misfits, name);
                drawPage(canvas, {{Element::Page}}, {record, labels, language, 0, lighting, hover});
            }
        }
        const auto onPage = [&](std::u16string_view text, const Rect& rect) {
            const int width = body.measure(text, 0).width;
            return takesCompactFont(FontRole::Body, width, rect) ? compact.measure(text, 0).width
                                                                 : width;
        };
        for (std::uint8_t mode = 0; mode < 4; ++mode) {
            for (const std::u16string& item : effectListItems(language, mode)) {
                misfits.check(name + " effect box", item, onPage(item, layout::lightingBox(3)),
                              layout::lightingBox(3).width());
            }
        }
        for (const std::u16string& item : modeListItems(language)) {
            misfits.check(name + " light mode box", item, onPage(item, layout::lightingBox(1)),
                          layout::lightingBox(1).width());
        }

        // The dialogs: captions of the image buttons, the single-key prompt,
        // the choices in their boxes and lists, and the fire-key texts.
        const int itemRoom = 2 + 2;  // the list's border and the item's indent
        const DialogLabelSet sets[] = {DialogLabelSet::SingleKey,  DialogLabelSet::WindowsFunctions,
                                       DialogLabelSet::Multimedia, DialogLabelSet::FireKey,
                                       DialogLabelSet::SnipeKey,   DialogLabelSet::HotKey};
        for (const DialogLabelSet set : sets) {
            for (const std::size_t caption : {dialog_label::kOk, dialog_label::kCancel}) {
                const std::u16string_view text = dialogLabel(set, language, caption);
                misfits.check(name + " dialog button", text, dialog.measure(text, 0).width,
                              dialog_layout::kOk.width());
            }
        }
        const std::u16string_view prompt =
            dialogLabel(DialogLabelSet::SingleKey, language, single_label::kPleaseEnterKey);
        misfits.check(name + " single-key prompt", prompt, dialog.measure(prompt, 0).width,
                      dialog_layout::kKeyPrompt.width());
        const std::u16string_view hint = text(language, TextId::SingleKeyHint);
        const TextSize hintSize = dialog.measure(hint, dialog_layout::kKeyHint.width());
        misfits.check(name + " single-key hint", hint, hintSize.width,
                      dialog_layout::kKeyHint.width());
        misfits.check(name + " single-key hint height", hint, hintSize.height,
                      dialog_layout::kKeyHint.height());
        const DialogKind listKinds[] = {DialogKind::WindowsFunction, DialogKind::Multimedia,
                                        DialogKind::HotKey};
        for (const DialogKind kind : listKinds) {
            const DropDownLayout& layout = dropDownLayout(kind);
            for (const std::u16string_view item :
                 dialogListItems(dialogLook(kind).labels, language)) {
                const int width = dialog.measure(item, 0).width;
                misfits.check(name + " dialog box", item, width, layout.text.width());
                misfits.check(name + " dialog list", item, width + itemRoom, layout.list.width());
            }
        }
        const DropDownLayout& fire = dropDownLayout(DialogKind::FireKey);
        const int scrollBar = ::GetSystemMetrics(SM_CXVSCROLL);
        for (std::size_t i = 0; i < kFireKeyItemCount; ++i) {
            const std::u16string_view item = fireKeyItemText(i);
            const int width = dialog.measure(item, 0).width;
            misfits.check(name + " fire-key box", item, width, fire.text.width());
            misfits.check(name + " fire-key list", item, width + itemRoom + scrollBar,
                          fire.list.width());
        }
        const MeasureText measure = [&dialog](std::u16string_view text, int wrapWidth) {
            return dialog.measure(text, wrapWidth);
        };
        const std::vector<PlacedText> placed =
            fireKeyTexts(dialogLabels(DialogLabelSet::FireKey, language), measure);
        int helpBottom = 0;
        for (const PlacedText& p : placed) {
            const TextSize size = measure(p.text, p.wrapped ? p.rect.width() : 0);
            misfits.check(name + " fire-key text", p.text, size.width, p.rect.width());
            misfits.check(name + " fire-key text height", p.text, size.height, p.rect.height());
            if (!p.rightAligned) helpBottom = std::max(helpBottom, p.rect.bottom);
        }
        misfits.check(name + " fire-key help below the well", u"help", helpBottom,
                      fire_layout::kWell.bottom);
        for (std::size_t i = 0; i < placed.size(); ++i) {
            for (std::size_t j = i + 1; j < placed.size(); ++j) {
                const Rect& a = placed[i].rect;
                const Rect& b = placed[j].rect;
                const bool apart = a.bottom <= b.top || b.bottom <= a.top || a.right <= b.left ||
                                   b.right <= a.left;
                misfits.check(name + " fire-key texts overlap", placed[j].text, apart ? 0 : 1, 0);
            }
        }
    }
    for (const std::string& line : misfits.log) std::printf("does not fit: %s\n", line.c_str());

    // The last resorts, all on the page, whose places are skin images one
    // line high and whose texts stay too long even in the compact font: the
    // longer Bulgarian texts of the lighting boxes and Bulgarian assignments
    // in the button boxes.
    std::set<std::string> lastResorts{"Bulgarian light mode box", "Bulgarian effect box"};
    const auto at = [](const Rect& r) {
        return "Bulgarian page @" + std::to_string(r.left) + "," + std::to_string(r.top);
    };
    lastResorts.insert(at(layout::lightingBox(1)));
    for (int k = 1; k <= layout::kPageButtons; ++k) {
        Rect label = layout::box(k);
        label.left += layout::kBoxNumberWidth;
        lastResorts.insert(at(label));
    }
    EXPECT_EQ(misfits.places, lastResorts);
}

}  // namespace
}  // namespace trv::ui
