// A Connexion view that writes its reports into an event list, "message TEXT" and
// "refused STEP TEXT", so that tests can check them in order with the library's calls.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "device/connexion.h"

namespace talvorne::testing {

using Events = std::vector<std::string>;

class RecordingView final : public ConnexionView {
 public:
  explicit RecordingView(Events& events) : events_(events) {}
  void ShowMessage(std::string_view text) override {
    events_.push_back("message " + std::string(text));
  }
  void ShowRefusedStep(SetUpStep step, std::string_view text) override {
    const char* const steps[] = {"configuration", "interface", "alternate setting"};
    events_.push_back("refused " + std::string(steps[static_cast<std::size_t>(step)]) + " " +
                      std::string(text));
  }

 private:
  Events& events_;
};

}  // namespace talvorne::testing
