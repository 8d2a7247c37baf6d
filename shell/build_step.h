// The steps of a build (INF and T13): each runs under a description of what
// it does, so that a failure tells the user which step stopped the build and
// why, in one message.
#pragma once

#include <exception>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>

#include "platform/error.h"

namespace shell {

// A build step that failed: what the step was doing, and the system's account
// (kept whole when it was the system's error, so the user's language can word
// a failed file operation; see errorText).
class StepFailure : public std::runtime_error {
public:
    StepFailure(std::string step, const std::string& cause) : std::runtime_error(cause), step_(std::move(step)) {}
    StepFailure(std::string step, const std::exception& cause)
        : std::runtime_error(cause.what()), step_(std::move(step)) {
        if (const auto* error = dynamic_cast<const platform::Error*>(&cause)) cause_ = *error;
    }
    const std::string& step() const { return step_; }
    const std::optional<platform::Error>& cause() const { return cause_; }

private:
    std::string step_;
    std::optional<platform::Error> cause_;
};

// Runs one step and gives its result; any failure in it becomes a
// StepFailure naming the step (one from a step inside it passes unchanged).
template <typename Step>
auto runStep(const std::string& description, Step&& step) -> decltype(step()) {
    try {
        return step();
    } catch (const StepFailure&) {
        throw;
    } catch (const std::exception& e) {
        throw StepFailure(description, e);
    }
}

}  // namespace shell
