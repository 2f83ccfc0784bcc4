#include "device_fakes.h"

namespace trv::testing {

namespace {

// Announces its closing to the script's event list.
class Tracked {
  public:
    Tracked(std::vector<std::string>& events, std::string name)
        : events_(events), name_(std::move(name)) {}
    ~Tracked() { events_.push_back("close " + name_); }
    Tracked(const Tracked&) = delete;
    Tracked& operator=(const Tracked&) = delete;

  private:
    std::vector<std::string>& events_;
    std::string name_;
};

class ScriptedList final : public HidInterfaceList {
  public:
    ScriptedList(const std::vector<ScriptedInterface>& interfaces, std::vector<std::string>& events,
                 std::string name)
        : interfaces_(interfaces), tracked_(events, std::move(name)) {}
    bool hasMember(std::uint32_t index) override { return index < interfaces_.size(); }
    std::optional<std::u16string> devicePath(std::uint32_t index) override {
        if (index >= interfaces_.size() || interfaces_[index].detailFails) return std::nullopt;
        return interfaces_[index].path;
    }
    std::u16string deviceKey(std::uint32_t index) override {
        return index < interfaces_.size() ? interfaces_[index].deviceKey : std::u16string();
    }

  private:
    const std::vector<ScriptedInterface>& interfaces_;
    Tracked tracked_;
};

class ScriptedProbe final : public HidProbe {
  public:
    ScriptedProbe(const ScriptedInterface& script, std::vector<std::string>& events,
                  std::string name)
        : script_(script), tracked_(events, std::move(name)) {}
    std::optional<HidAttributes> attributes() override { return script_.attributes; }
    std::optional<HidCaps> capabilities() override { return script_.caps; }

  private:
    const ScriptedInterface& script_;
    Tracked tracked_;
};

// Exchanges fail: these tests are about handles, not traffic.
class DeadChannel final : public FeatureChannel {
  public:
    DeadChannel(std::vector<std::string>& events, std::string name)
        : tracked_(events, std::move(name)) {}
    bool setFeature(std::span<const std::uint8_t>) override { return false; }
    bool getFeature(std::span<std::uint8_t>) override { return false; }

  private:
    Tracked tracked_;
};

}  // namespace

int ScriptedHid::count(const std::string& prefix) const {
    int n = 0;
    for (const std::string& e : events) {
        if (e.rfind(prefix + " #", 0) == 0) ++n;
    }
    return n;
}

const ScriptedInterface* ScriptedHid::find(const std::u16string& path) const {
    for (const ScriptedInterface& i : interfaces) {
        if (i.path == path) return &i;
    }
    return nullptr;
}

std::string ScriptedHid::opened(const std::string& kind) {
    std::string name = kind + " #" + std::to_string(nextHandle_++);
    events.push_back("open " + name);
    return name;
}

std::unique_ptr<HidInterfaceList> ScriptedHid::presentInterfaces() {
    ++listsTaken;
    if (setInvalid) return nullptr;
    return std::make_unique<ScriptedList>(interfaces, events, opened("list"));
}

std::unique_ptr<HidProbe> ScriptedHid::openProbe(const std::u16string& path) {
    const ScriptedInterface* script = find(path);
    if (script == nullptr || script->probeFails) return nullptr;
    return std::make_unique<ScriptedProbe>(*script, events, opened("probe"));
}

ChannelOpening ScriptedHid::openChannel(const std::u16string& path, ChannelKind kind) {
    const ScriptedInterface* script = find(path);
    if (script == nullptr) return {nullptr, 2};
    if (script->openError != 0) return {nullptr, script->openError};
    channelPaths.push_back(path);
    return {std::make_unique<DeadChannel>(
                events, opened(kind == ChannelKind::Command ? "command" : "data")),
            0};
}

}  // namespace trv::testing
