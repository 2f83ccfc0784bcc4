#pragma once
// The system's pointer settings as a test sees them: values it can set up and
// inspect, every call recorded, and a switch that makes the system refuse.

#include <optional>
#include <string>
#include <vector>

#include "perf/system_pointer.h"

namespace trv::testing {

// Stands for the system's pointer settings; a refused call leaves them alone.
class FakeSystemPointer : public SystemPointer {
  public:
    MouseParameters parameters{6, 10, 1};
    int speed = 10;
    std::uint32_t lines = 3;
    std::uint32_t doubleClick = 500;
    bool refuse = false;
    std::vector<std::string> calls;

    std::optional<MouseParameters> mouseParameters() override {
        calls.push_back("get mouse");
        if (refuse) return std::nullopt;
        return parameters;
    }
    std::optional<int> mouseSpeed() override {
        calls.push_back("get speed");
        if (refuse) return std::nullopt;
        return speed;
    }
    std::optional<std::uint32_t> wheelScrollLines() override {
        calls.push_back("get lines");
        if (refuse) return std::nullopt;
        return lines;
    }
    std::uint32_t doubleClickTime() override {
        calls.push_back("get double-click");
        return refuse ? 0 : doubleClick;
    }
    bool setMouseParameters(const MouseParameters& p) override {
        calls.push_back("set mouse");
        if (!refuse) parameters = p;
        return !refuse;
    }
    bool setMouseSpeed(int s) override {
        calls.push_back("set speed");
        if (!refuse) speed = s;
        return !refuse;
    }
    bool setWheelScrollLines(std::uint32_t l) override {
        calls.push_back("set lines");
        if (!refuse) lines = l;
        return !refuse;
    }
    bool setDoubleClickTime(std::uint32_t ms) override {
        calls.push_back("set double-click");
        if (!refuse) doubleClick = ms;
        return !refuse;
    }
};

}  // namespace trv::testing
