#include "app/main_model.h"

#include <algorithm>
#include <string>
#include <utility>

#include "app/balloon.h"
#include "assign/assignment.h"
#include "config/block_backup.h"
#include "config/error_number.h"
#include "perf/report_rate.h"
#include "settings/profile_file.h"
#include "settings/profile_words.h"
#include "ui/page_layout.h"

namespace trv {

namespace {

constexpr std::u16string_view kRegistrationFailed = u"RegisterDeviceNotification failed!!!";
constexpr std::u16string_view kReadCaption = u"ReadOperation";
constexpr std::u16string_view kWriteCaption = u"WriteOperation";

// "CreateFile Error Code:%d" filled in.
std::u16string channelOpenText(std::uint32_t errorCode) {
    return u"CreateFile Error Code:" + errorNumberText(errorCode);
}

ui::ElementDraw draw(ui::Element element, int index = 0, int look = 0) {
    return {element, index, look};
}

ui::Redraw boxesAndModes() {
    return {draw(ui::Element::ModeAndBoxes)};
}

constexpr std::u16string_view kBackupExtension = u"trvb";

// A menu text as a dialog's title: without its ellipsis.
std::u16string titleOf(Language language, TextId id) {
    std::u16string title(text(language, id));
    if (!title.empty() && title.back() == u'\u2026') title.pop_back();
    return title;
}

}  // namespace

MainWindowModel::DeviceOperation::DeviceOperation(MainWindowModel& model)
    : model_(model), outermost_(!model.deviceBusy_) {
    model_.deviceBusy_ = true;
}

MainWindowModel::DeviceOperation::~DeviceOperation() {
    if (!outermost_) return;
    // Each waiting notification runs as an operation of its own, so the ones
    // that arrive during it wait in turn.
    while (!model_.pendingChanges_.empty()) {
        const PendingChange change = std::move(model_.pendingChanges_.front());
        model_.pendingChanges_.pop_front();
        model_.runDeviceChange({change.eventType, change.deviceType, change.interfaceName});
    }
    if (std::exchange(model_.outsideChangeWaits_, false)) model_.runSettingsChangedOutside();
    model_.deviceBusy_ = false;
}

MainWindowModel::MainWindowModel(const ModelServices& services, SettingsFilePaths paths)
    : window_(services.window),
      secondsSinceEpoch_(services.secondsSinceEpoch),
      core_({services.hid, services.clock, services.files, services.strIni, services.pointer},
            std::move(paths)) {}

void MainWindowModel::tell(std::u16string_view text, std::u16string_view caption) {
    window_.showMessage(text, caption);
}

void MainWindowModel::tellPointerWarnings(const PointerWarnings& warnings) {
    for (std::u16string_view warning : warnings) tell(warning, kPointerWarningCaption);
}

void MainWindowModel::tellDiscovery(const DiscoveryResult& result) {
    if (result.channelOpenError) tell(channelOpenText(*result.channelOpenError), u"");
}

void MainWindowModel::readAfterDiscovery() {
    if (!core_.readBlock().ok()) {
        tell(text(core_.language(), TextId::MouseNotDetected), kReadCaption);
    }
}

bool MainWindowModel::startUp() {
    bool completed = false;
    {
        DeviceOperation operation(*this);
        const DiscoveryResult found = findAndRead();
        if (window_.registerDeviceNotifications()) {
            loadSettings();
            core_.loadStrIni();
            window_.loadSkinAndFonts();
            if (core_.mousePresent()) buildPage();
            // Start-up announces no single mouse; of several, the user must
            // know that one is left as it is. The language is known by now.
            if (found.found && found.miceFound > 1) {
                window_.showBalloon(balloon_code::kSeveralMiceFound);
            }
            completed = true;
        } else {
            tell(kRegistrationFailed, u"");
        }
    }
    initialised_ = true;
    return completed;
}

DiscoveryResult MainWindowModel::findAndRead() {
    const DiscoveryResult found = core_.findMouse();
    tellDiscovery(found);
    core_.setMousePresent(found.found);
    if (found.found) readAfterDiscovery();
    return found;
}

void MainWindowModel::loadSettings() {
    const SettingsFileResult result = core_.loadRecord();
    if (auto message = settingsFileMessage(result)) tell(message->text, message->caption);
}

void MainWindowModel::buildPage() {
    // Without loaded settings the record is all zeros and looks like a first
    // run: a page built from it would overwrite the user's labels in str.ini.
    if (pageLive() || !core_.settingsLoaded()) return;
    const bool firstBuild = !everBuilt(page_);
    page_ = PageLife::Shown;
    if (firstRun()) {
        if (firstBuild) {
            core_.setFirstRunDefaults();
            core_.saveLabels();
        }
        tellPointerWarnings(core_.readPointerSettings());
    }
    refreshLightingTexts(lighting_, core_.record(), core_.language());
    hover_ = {};  // the build draws every element in its normal look
    window_.redraw({draw(ui::Element::Page)});
}

void MainWindowModel::rebuildPage() {
    page_ = PageLife::TearingDown;
    lists_ = {};
    focus_.inSubList = false;
    window_.tearDownPage();
    core_.reloadLabels();
    page_ = PageLife::TornDown;
    buildPage();
}

void MainWindowModel::settingsChangedOutside() {
    // Start-up reads everything anyway. During a device operation (or its
    // message) the change waits, as device notifications do, and so it does
    // while a dialog runs over the page: the page must not be rebuilt under
    // the list or the choice that the dialog belongs to.
    if (!initialised_) return;
    if (deviceBusy_ || modalDepth_ > 0) {
        outsideChangeWaits_ = true;
        return;
    }
    runSettingsChangedOutside();
}

void MainWindowModel::modalStarted() {
    ++modalDepth_;
}

bool MainWindowModel::modalEnded() {
    if (modalDepth_ > 0) --modalDepth_;
    return modalDepth_ == 0 && !deviceBusy_ && std::exchange(outsideChangeWaits_, false);
}

void MainWindowModel::runSettingsChangedOutside() {
    DeviceOperation operation(*this);
    const Language language = core_.language();
    // Nothing the user has not applied is dropped without the user's word.
    const bool asked = pageLive() && core_.hasUnappliedChanges();
    if (asked && !window_.askYesNo(text(language, TextId::SettingsChangedQuestion),
                                   text(language, TextId::SettingsChangedCaption))) {
        return;
    }
    loadSettings();
    core_.reloadLabels();
    if (core_.mousePresent()) {
        // As after an arrival: the mouse is found and read anew.
        if (!rediscover().found) return;
        readAfterDiscovery();
    }
    if (pageLive()) rebuildPage();
    if (!asked) window_.showBalloon(balloon_code::kSettingsChanged);
}

bool MainWindowModel::trayClick() {
    // Until the initialisation has ended, nothing is loaded that a page could
    // show; the click is not answered.
    if (!initialised_) return false;
    if (!core_.mousePresent()) {
        window_.showBalloon(balloon_code::kMouseMissing);
        return false;
    }
    switch (page_) {
        case PageLife::ShownCancelled:
            rebuildPage();
            break;
        case PageLife::NeverBuiltCancelled:
            // The Cancel's mark is used up by this click; the page comes with
            // the next one.
            page_ = PageLife::NeverBuilt;
            break;
        case PageLife::NeverBuilt:
            buildPage();
            break;
        case PageLife::Shown:
        case PageLife::TearingDown:
        case PageLife::TornDown:
            break;
    }
    return true;
}

void MainWindowModel::deviceChange(std::uint32_t eventType, std::uint32_t deviceType,
                                   std::u16string_view interfaceName) {
    if (deviceBusy_) {
        pendingChanges_.push_back({eventType, deviceType, std::u16string(interfaceName)});
        return;
    }
    runDeviceChange({eventType, deviceType, interfaceName});
}

DiscoveryResult MainWindowModel::rediscover() {
    const DiscoveryResult found = core_.findMouse();
    tellDiscovery(found);
    if (found.found) return found;
    core_.setMousePresent(false);
    window_.showBalloon(balloon_code::kMouseMissing);
    window_.hideWindow();
    return found;
}

void MainWindowModel::runDeviceChange(const DeviceChange& change) {
    DeviceOperation operation(*this);
    if (!core_.countDeviceChange(change)) return;
    const DiscoveryResult found = rediscover();
    if (!found.found) return;
    if (change.arrival()) {
        // The user hears of the mouse before any message of the read, and
        // of several mice that only one of them is set.
        window_.showBalloon(found.miceFound > 1 ? balloon_code::kSeveralMiceFound
                                                : balloon_code::kMouseFound);
        readAfterDiscovery();
    }
    core_.setMousePresent(true);
}

ApplyOutcome MainWindowModel::applySettings() {
    ApplyOutcome outcome;
    outcome.written = core_.writeBlock();
    if (!outcome.written.ok())
        tell(text(core_.language(), TextId::MouseNotDetected), kWriteCaption);
    // The files follow even a refused write: they hold what the user chose.
    outcome.configBin = core_.saveRecord();
    if (auto message = settingsFileMessage(outcome.configBin)) {
        tell(message->text, message->caption);
    }
    core_.saveLabels();
    return outcome;
}

std::optional<ApplyOutcome> MainWindowModel::confirm() {
    // A record that was never loaded is all zeros: it must reach neither the
    // mouse nor config.bin.
    if (!core_.mousePresent() || !core_.settingsLoaded()) return std::nullopt;
    DeviceOperation operation(*this);
    const ApplyOutcome outcome = applySettings();
    core_.markApplied();
    tellPointerWarnings(core_.applyPointerSettings());
    return outcome;
}

void MainWindowModel::restoreSettings() {
    core_.revertToSaved();
    page_ = cancelled(page_);
}

ProfileMenu MainWindowModel::profileMenu() {
    ProfileMenu menu{profileNames(core_.files(), profilesFolder(core_.paths())), std::nullopt};
    if (lastProfile_ && core_.record() == lastProfile_->record &&
        core_.labels() == lastProfile_->labels) {
        const auto at = std::find(menu.names.begin(), menu.names.end(), lastProfile_->name);
        if (at != menu.names.end())
            menu.checked = static_cast<std::size_t>(at - menu.names.begin());
    }
    return menu;
}

void MainWindowModel::rememberProfile(std::u16string name) {
    lastProfile_ = ProfileOnMouse{std::move(name), core_.record(), core_.labels()};
}

bool MainWindowModel::mayDropPageChanges(TextId question, std::u16string_view name) {
    if (!pageLive() || !core_.hasUnappliedChanges()) return true;
    return window_.askYesNo(filledText(core_.language(), question, name),
                            text(core_.language(), TextId::SettingsChangedCaption));
}

void MainWindowModel::refuseProfile(std::u16string_view name, const std::u16string& problem) {
    window_.showBalloonText(noticeBalloon(
        filledText(core_.language(), TextId::ProfileRefused, name) + u"\n" + problem, true));
}

void MainWindowModel::tellFileNotWritten(const std::u16string& path, std::uint32_t systemError) {
    const Language language = core_.language();
    tell(filledText(language, TextId::FileNotWritten, path) + u"\n" +
             std::u16string(text(language, TextId::ErrorCode)) + u" " +
             errorNumberText(systemError),
         text(language, TextId::SettingsChangedCaption));
}

void MainWindowModel::applyProfile(const std::u16string& name) {
    if (!mouseAnswers()) return;
    // Without config.bin there is nothing the profile's keys could go over,
    // and OK would save nothing.
    if (!core_.settingsLoaded()) return;
    const Language language = core_.language();
    const std::u16string path = profilePath(profilesFolder(core_.paths()), name);
    const std::u16string file(fileNameOf(path));
    const ProfileFile read = readProfileFile(core_.files(), path);
    if (read.problem == ProfileFileProblem::Unreadable) {
        refuseProfile(name, filledText(language, TextId::FileNotRead, file));
        return;
    }
    if (read.problem == ProfileFileProblem::Backup) {
        refuseProfile(name, filledText(language, TextId::BackupNotProfile, file));
        return;
    }
    const readable::ImportedProfile profile = core_.readProfile(read.text);
    if (!profile.problems.empty()) {
        // The balloon has room for one: the first, by its line, as the tool names it.
        const readable::ProfileProblem& first = profile.problems.front();
        std::u16string where = file;
        if (first.line != 0) {
            where += u':';
            where += decimalText(static_cast<unsigned>(first.line));
        }
        refuseProfile(name, where + u": " + first.text);
        return;
    }
    if (!mayDropPageChanges(TextId::DropChangesForProfile, name)) return;
    DeviceOperation operation(*this);
    core_.takeProfile(profile);
    const ApplyOutcome outcome = applySettings();
    core_.markApplied();
    tellPointerWarnings(core_.applyPointerSettings());
    rememberProfile(name);
    if (pageLive()) rebuildPage();
    if (outcome.written.ok()) {
        window_.showBalloonText(noticeBalloon(filledText(language, TextId::ProfileApplied, name)));
    }
}

std::optional<std::u16string> MainWindowModel::profilesFolderToOpen() {
    const std::u16string folder = profilesFolder(core_.paths());
    const WriteResult made = core_.files().makeFolder(folder);
    if (!made.written) {
        tellFileNotWritten(folder, made.systemError);
        return std::nullopt;
    }
    return folder;
}

void MainWindowModel::saveProfileAs() {
    if (!initialised_ || !core_.settingsLoaded()) return;
    const Language language = core_.language();
    if (pageLive() && core_.hasUnappliedChanges() &&
        window_.askYesNo(text(language, TextId::ApplyBeforeSaving),
                         text(language, TextId::SettingsChangedCaption))) {
        confirm();
    }
    const std::optional<std::u16string> folder = profilesFolderToOpen();
    if (!folder) return;
    const std::vector<std::u16string> names = profileNames(core_.files(), *folder);
    std::u16string proposed;
    for (unsigned n = 1;
         proposed.empty() || std::find(names.begin(), names.end(), proposed) != names.end(); ++n) {
        proposed = std::u16string(text(language, TextId::NewProfileName)) + u" " + decimalText(n);
    }
    const std::optional<std::u16string> path =
        window_.chooseFile({true, titleOf(language, TextId::SaveProfileAs), *folder,
                            proposed + std::u16string(kProfileExtension),
                            std::u16string(text(language, TextId::ProfileFilter)), u"ini"});
    if (!path) return;
    const WriteResult written =
        core_.files().replaceWhole(*path, profileFileBytes(core_.appliedProfile()));
    if (!written.written) {
        tellFileNotWritten(*path, written.systemError);
        return;
    }
    const std::u16string name(profileNameOf(*path));
    // A profile saved elsewhere is not in the menu to be checked.
    if (inFolder(*folder, *path)) {
        lastProfile_ = ProfileOnMouse{name, core_.savedRecord(), core_.savedLabels()};
    }
    window_.showBalloonText(noticeBalloon(filledText(language, TextId::ProfileSaved, name)));
}

// A profile, a backup and a restore need the mouse; without it the balloon
// says so.
bool MainWindowModel::mouseAnswers() {
    if (!initialised_) return false;
    if (!core_.mousePresent()) {
        window_.showBalloon(balloon_code::kMouseMissing);
        return false;
    }
    return true;
}

void MainWindowModel::backUp() {
    if (!mouseAnswers()) return;
    const Language language = core_.language();
    const std::optional<std::u16string> path = window_.chooseFile(
        {true, titleOf(language, TextId::BackUp), u"",
         u"TRV418 backup." + std::u16string(kBackupExtension),
         std::u16string(text(language, TextId::BackupFilter)), std::u16string(kBackupExtension)});
    if (!path) return;
    DeviceOperation operation(*this);
    // What the mouse holds now, not what it held when it was last read.
    if (!core_.readBlock().ok()) {
        tell(text(language, TextId::MouseNotDetected), kReadCaption);
        return;
    }
    const BlockBackup taken = core_.takeBackup(secondsSinceEpoch_ ? secondsSinceEpoch_() : 0);
    const WriteResult written = core_.files().replaceWhole(*path, encodeBackup(taken));
    if (!written.written) {
        tellFileNotWritten(*path, written.systemError);
        return;
    }
    window_.showBalloonText(
        noticeBalloon(filledText(language, TextId::BackedUp, fileNameOf(*path))));
}

void MainWindowModel::restoreBackup() {
    if (!mouseAnswers()) return;
    const Language language = core_.language();
    const std::optional<std::u16string> path = window_.chooseFile(
        {false, titleOf(language, TextId::Restore), u"", u"",
         std::u16string(text(language, TextId::BackupFilter)), std::u16string(kBackupExtension)});
    if (!path) return;
    const std::u16string file(fileNameOf(*path));
    const std::u16string_view caption = text(language, TextId::SettingsChangedCaption);
    const ReadResult read = core_.files().readWithCause(*path, backup::kMaxSize);
    if (!read.bytes) {
        tell(filledText(language, TextId::FileNotRead, file), caption);
        return;
    }
    const DecodedBackup decoded = decodeBackup(*read.bytes);
    if (decoded.problem != BackupProblem::None) {
        tell(filledText(language, TextId::NotABackup, file), caption);
        return;
    }
    const BlockBackup& taken = decoded.backup;
    if (core_.backupFits(taken) != BackupFit::Fits &&
        !window_.askYesNo(filledText(language, TextId::BackupOfOtherMouse, file), caption)) {
        return;
    }
    if (!mayDropPageChanges(TextId::DropChangesForBackup, file)) return;
    DeviceOperation operation(*this);
    const RestoreResult restored = core_.restoreBackup(taken, true);
    if (!restored.write.ok()) {
        tell(text(language, TextId::MouseNotDetected), kWriteCaption);
        return;
    }
    if (restored.files && !restored.files->done) {
        // The mouse holds the backup all the same; the files are as they were.
        tellFileNotWritten(restored.files->failedPath, restored.files->systemError);
        return;
    }
    // The page shows what the files now hold, as after a change from outside.
    loadSettings();
    core_.reloadLabels();
    if (pageLive()) rebuildPage();
    if (taken.files) {
        window_.showBalloonText(noticeBalloon(filledText(language, TextId::Restored, file)));
    } else {
        tell(filledText(language, TextId::RestoredBlockOnly, file), caption);
    }
}

std::u16string MainWindowModel::stageDpiLabel(int stage) const {
    if (stage < 1 || stage > static_cast<int>(rec::kStages)) return {};
    const std::size_t s = static_cast<std::size_t>(stage);
    return std::u16string(dpiLevelLabel(core_.sensorType(), stageLevel(core_.record(), s)));
}

ui::Redraw MainWindowModel::showMode(Mode mode) {
    if (!pageLive()) return {};
    core_.record()[rec::kModeShown] = static_cast<std::uint8_t>(mode);
    return boxesAndModes();
}

ui::Redraw MainWindowModel::restoreDefaults() {
    if (!pageLive()) return {};
    restoreDefaultAssignments(core_.record(), core_.labels(), core_.language());
    return boxesAndModes();
}

ui::Redraw MainWindowModel::selectReportRate(int knob) {
    if (!pageLive()) return {};
    const std::optional<int> darkened = trv::selectReportRate(core_.record(), knob);
    if (!darkened) return {};
    return {draw(ui::Element::Knob, knob), draw(ui::Element::Knob, *darkened)};
}

ui::Redraw MainWindowModel::setStageLevel(int stage, int segment) {
    if (!pageLive() || stage < 1 || segment < 1) return {};
    if (!trv::setStageLevel(core_.record(), static_cast<std::size_t>(stage),
                            static_cast<std::size_t>(segment))) {
        return {};
    }
    // The slider lights up to the segment even on a stage without its tick.
    return {draw(ui::Element::StageSlider, stage, segment),
            draw(ui::Element::StageValueLabel, stage)};
}

ui::Redraw MainWindowModel::toggleStageTick(int stage) {
    if (!pageLive() || stage < 1) return {};
    const std::size_t s = static_cast<std::size_t>(stage);
    switch (trv::toggleStageTick(core_.record(), s)) {
        case TickChange::Ticked:
            return {draw(ui::Element::StageTick, stage),
                    draw(ui::Element::StageSlider, stage, stageLevel(core_.record(), s) + 1)};
        case TickChange::Unticked:
            return {draw(ui::Element::StageTick, stage), draw(ui::Element::StageSlider, stage, 0)};
        case TickChange::None:
            break;
    }
    return {};
}

bool MainWindowModel::mayChooseStageColour(int stage) const {
    return pageLive() && stage >= 1 &&
           trv::mayChooseStageColour(core_.record(), static_cast<std::size_t>(stage));
}

ui::Redraw MainWindowModel::setStageColour(int stage, Rgb colour) {
    if (!mayChooseStageColour(stage)) return {};
    trv::setStageColour(core_.record(), static_cast<std::size_t>(stage), colour);
    return {draw(ui::Element::StageSwatch, stage)};
}

ui::Redraw MainWindowModel::setPointerSlider(PointerSlider slider, int position) {
    if (!pageLive() || position < 1) return {};
    if (!setPointerSliderPosition(core_.record(), slider, static_cast<std::size_t>(position)))
        return {};
    return {draw(ui::Element::PointerSlider, static_cast<int>(slider))};
}

ui::Redraw MainWindowModel::togglePointerPrecision() {
    if (!pageLive()) return {};
    trv::togglePointerPrecision(core_.record());
    return {draw(ui::Element::PointerTick, 1)};
}

ui::Redraw MainWindowModel::toggleScrollOneScreen() {
    if (!pageLive()) return {};
    trv::toggleScrollOneScreen(core_.record());
    return {draw(ui::Element::PointerTick, 2)};
}

PressOutcome MainWindowModel::press(int x, int y) {
    const ui::PagePress hit = ui::pageElementAt(x, y, pageLive());
    // The focus goes where the pointer presses, as on any window's controls.
    const std::optional<int> stop = ui::stopOfPress(hit);
    const bool focusMoves = stop && *stop != focus_.stop;
    if (stop) {
        focus_.stop = *stop;
        focus_.inSubList = false;
    }
    PressOutcome outcome = pressElement(hit, x, y);
    if (focusMoves && focus_.markShown && pageLive()) outcome.redraw.push_back({ui::Element::Page});
    return outcome;
}

KeyOutcome MainWindowModel::key(ui::Key key, const std::optional<ui::OpenListKeys>& list,
                                bool subListShown) {
    const int stopBefore = focus_.stop;
    const bool markBefore = focus_.markShown;
    focus_.inSubList = focus_.inSubList && lists_.dpiSubList;
    if (key != ui::Key::Enter && key != ui::Key::Escape) focus_.markShown = true;
    KeyOutcome outcome = runKeySteps(
        ui::pageKeySteps(focus_, key, {core_.record(), pageLive(), list, subListShown}));
    const bool markChanged = focus_.stop != stopBefore || focus_.markShown != markBefore;
    if (markChanged && pageLive()) outcome.press.redraw.push_back({ui::Element::Page});
    return outcome;
}

KeyOutcome MainWindowModel::activate(int stop) {
    if (!ui::stopAnswers(stop, pageLive())) return {};
    ui::Redraw moved = focusOn(stop);
    KeyOutcome outcome = runKeySteps(ui::pageKeySteps(
        focus_, ui::Key::Space, {core_.record(), pageLive(), std::nullopt, false}));
    outcome.press.redraw.insert(outcome.press.redraw.end(), moved.begin(), moved.end());
    return outcome;
}

ui::Redraw MainWindowModel::focusOn(int stop) {
    if (!ui::stopAnswers(stop, pageLive()) || stop == focus_.stop) return {};
    focus_.stop = stop;
    focus_.inSubList = false;
    if (!focus_.markShown || !pageLive()) return {};
    return {{ui::Element::Page}};
}

KeyOutcome MainWindowModel::runKeySteps(const std::vector<ui::KeyStep>& steps) {
    KeyOutcome outcome;
    PressOutcome& merged = outcome.press;
    using Kind = ui::KeyStep::Kind;
    for (const ui::KeyStep& step : steps) {
        switch (step.kind) {
            case Kind::Focus:
                focus_.stop = step.stop;
                focus_.inSubList = false;
                break;
            case Kind::Press: {
                // The key's press keeps the focus where it is (Alt+M presses a
                // mode button from anywhere); its lists close or open anew.
                PressOutcome pressed =
                    pressElement(ui::pageElementAt(step.x, step.y, pageLive()), step.x, step.y);
                focus_.inSubList = false;
                merged.closeLists.insert(merged.closeLists.end(), pressed.closeLists.begin(),
                                         pressed.closeLists.end());
                merged.redraw.insert(merged.redraw.end(), pressed.redraw.begin(),
                                     pressed.redraw.end());
                if (pressed.openList) merged.openList = std::move(pressed.openList);
                if (pressed.chooseColourOfStage != 0)
                    merged.chooseColourOfStage = pressed.chooseColourOfStage;
                merged.hide = merged.hide || pressed.hide;
                merged.exit = merged.exit || pressed.exit;
                merged.openGuide = merged.openGuide || pressed.openGuide;
                break;
            }
            case Kind::SubList:
                focus_.inSubList = step.item != 0;
                break;
            case Kind::SelectItem:
            case Kind::Choose:
                outcome.listSteps.push_back(step);
                break;
            case Kind::Hide:
                merged.hide = true;
                break;
        }
    }
    return outcome;
}

std::optional<ui::ListId> MainWindowModel::keyList() const {
    ui::PageFocus focus = focus_;
    focus.inSubList = focus.inSubList && lists_.dpiSubList;
    return ui::listOfFocus(focus);
}

PressOutcome MainWindowModel::pressElement(const ui::PagePress& hit, int x, int y) {
    PressOutcome outcome;
    switch (hit.target) {
        case ui::PressTarget::Ok:
            outcome.hide = confirm().has_value();
            break;
        case ui::PressTarget::Apply:
            confirm();
            break;
        case ui::PressTarget::Minimise:
            outcome.hide = true;
            return outcome;
        case ui::PressTarget::Close:
            outcome.exit = true;
            return outcome;
        case ui::PressTarget::Cancel:
            restoreSettings();
            outcome.hide = true;
            break;
        case ui::PressTarget::Link:
            outcome.openGuide = true;
            return outcome;
        default:
            break;
    }
    if (pageLive()) outcome.closeLists = ui::closeListsAwayFrom(lists_, x, y);
    switch (hit.target) {
        case ui::PressTarget::Background:
        case ui::PressTarget::Ok:
        case ui::PressTarget::Apply:
        case ui::PressTarget::Cancel:
            // Nothing else lies under these: the press goes on to move the window.
            outcome.drag = true;
            break;
        default:
            pressPageElement(hit, outcome);
            break;
    }
    return outcome;
}

void MainWindowModel::pressPageElement(const ui::PagePress& hit, PressOutcome& outcome) {
    using ui::PressTarget;
    switch (hit.target) {
        case PressTarget::ModeA:
            outcome.redraw = showMode(Mode::A);
            break;
        case PressTarget::ModeB:
            outcome.redraw = showMode(Mode::B);
            break;
        case PressTarget::Default:
            outcome.redraw = restoreDefaults();
            break;
        case PressTarget::Box:
            pressBox(hit.index, outcome);
            break;
        case PressTarget::Knob:
            outcome.redraw = selectReportRate(hit.index);
            break;
        case PressTarget::StageTick:
            outcome.redraw = toggleStageTick(hit.index);
            break;
        case PressTarget::StageSwatch:
            if (mayChooseStageColour(hit.index)) outcome.chooseColourOfStage = hit.index;
            break;
        case PressTarget::LightingBox:
            pressLightingBox(hit.index, outcome);
            break;
        case PressTarget::StageSegment:
            outcome.redraw = setStageLevel(hit.index, hit.segment);
            break;
        case PressTarget::PrecisionTick:
            outcome.redraw = togglePointerPrecision();
            break;
        case PressTarget::OneScreenTick:
            outcome.redraw = toggleScrollOneScreen();
            break;
        case PressTarget::PointerSegment:
            outcome.redraw = setPointerSlider(static_cast<PointerSlider>(hit.index), hit.segment);
            break;
        default:
            break;
    }
}

void MainWindowModel::pressBox(int button, PressOutcome& outcome) {
    OpenAssignmentList& open = lists_.assignment;
    const auto closeSubList = [&] {
        if (std::exchange(lists_.dpiSubList, false)) {
            outcome.closeLists.push_back(ui::ListId::DpiSubList);
        }
    };
    if (open.isOpen(button)) {
        open.close();
        outcome.closeLists.push_back(ui::assignmentList(button));
        closeSubList();
        return;
    }
    if (const std::optional<int> other = open.button()) {
        open.close();
        outcome.closeLists.push_back(ui::assignmentList(*other));
        closeSubList();
    }
    if (!mayOpenAssignmentList(core_.record(), core_.record().modeShown(), button)) {
        const AssignmentMessage warning = leftKeyWarning(core_.language());
        tell(warning.text, warning.caption);
        return;
    }
    open.open(button);
    ListToOpen list{ui::assignmentList(button), ui::layout::assignmentList(button), {}};
    for (std::u16string_view item : assignmentListItems(core_.language()))
        list.items.emplace_back(item);
    outcome.openList = std::move(list);
}

bool MainWindowModel::chooseAssignment(int button, int selection, AssignmentDialogs& dialogs,
                                       ui::Redraw& redraw) {
    if (!pageLive()) return false;
    const CommitOutcome outcome =
        commitFromList(lists_.assignment, core_.record(), core_.labels(), core_.language(),
                       core_.record().modeShown(), button, selection, dialogs);
    if (outcome.message) tell(outcome.message->text, outcome.message->caption);
    if (outcome.changed) redraw = {draw(ui::Element::Box, button)};
    if (outcome.listCloses) lists_.dpiSubList = false;
    return outcome.listCloses;
}

bool MainWindowModel::hoverAssignmentItem(int button, int item) {
    if (!pageLive() || !lists_.assignment.isOpen(button)) return lists_.dpiSubList;
    lists_.dpiSubList = item == static_cast<int>(AssignmentType::DpiSwitch);
    return lists_.dpiSubList;
}

std::optional<int> MainWindowModel::chooseDpiStep(int item, ui::Redraw& redraw) {
    if (!pageLive() || !lists_.dpiSubList) return std::nullopt;
    const std::optional<int> button = commitDpiSubList(
        lists_.assignment, core_.record(), core_.labels(), core_.record().modeShown(), item);
    if (!button) return std::nullopt;
    lists_.dpiSubList = false;
    redraw = {draw(ui::Element::Box, *button)};
    return button;
}

void MainWindowModel::pressLightingBox(int box, PressOutcome& outcome) {
    bool& open = lists_.lighting[static_cast<std::size_t>(box - 1)];
    const ui::ListId id = box == 1   ? ui::ListId::LightMode
                          : box == 2 ? ui::ListId::LightParameter
                                     : ui::ListId::LightEffect;
    if (open) {
        open = false;
        outcome.closeLists.push_back(id);
        return;
    }
    // The mark is set even where the mode offers no list, so that the next
    // press on the box only clears it.
    open = true;
    const std::uint8_t mode = core_.record()[rec::kLightMode];
    std::vector<std::u16string> items;
    ui::Rect rect;
    if (box == 1) {
        items = modeListItems(core_.language());
        rect = ui::layout::kModeList;
    } else if (box == 2) {
        items = parameterListItems(mode);
        rect = mode == light_mode::kStandard ? ui::layout::kBrightnessList
                                             : ui::layout::kRespirationList;
    } else {
        clickEffectBoxWithoutList(lighting_, mode, core_.language());
        items = effectListItems(core_.language(), mode);
        rect = ui::layout::kEffectList;
    }
    if (!items.empty()) outcome.openList = ListToOpen{id, rect, std::move(items)};
}

bool MainWindowModel::chooseFromList(ui::ListId list, int selection, ui::Redraw& redraw) {
    if (!pageLive()) return false;
    const auto box = [](int n) { return ui::ElementDraw{ui::Element::LightingBox, n, 0}; };
    // A second notice of one choice (a double click) finds the list closed.
    const auto isOpen = [&](std::size_t n) { return lists_.lighting[n]; };
    if ((list == ui::ListId::LightMode && !isOpen(0)) ||
        (list == ui::ListId::LightParameter && !isOpen(1)) ||
        (list == ui::ListId::LightEffect && !isOpen(2))) {
        return false;
    }
    switch (list) {
        case ui::ListId::LightMode:
            if (!chooseLightMode(core_.record(), lighting_, core_.language(), selection))
                return false;
            lists_.lighting[0] = false;
            redraw = {box(1), box(2), box(3)};
            return true;
        case ui::ListId::LightParameter:
            if (!chooseLightParameter(core_.record(), lighting_, selection)) return false;
            lists_.lighting[1] = false;
            redraw = {box(2)};
            return true;
        case ui::ListId::LightEffect:
            if (!chooseLightEffect(core_.record(), lighting_, core_.language(), selection))
                return false;
            lists_.lighting[2] = false;
            redraw = {box(3)};
            return true;
        default:
            return false;
    }
}

ui::PointerMove MainWindowModel::pointerMoved(int x, int y) {
    return ui::pointerMoved(hover_, x, y, pageLive());
}

ui::Redraw MainWindowModel::pointerHovered(int x, int y) {
    return ui::pointerHovered(hover_, x, y, pageLive());
}

}  // namespace trv
