// A Connexion view that writes its reports into an event list, "message TEXT" and
// "LabelN TEXT", so that tests can check them in order with the library's calls.
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
  void SetLabel(int label, std::string_view text) override {
    events_.push_back("Label" + std::to_string(label) + " " + std::string(text));
  }

 private:
  Events& events_;
};

}  // namespace talvorne::testing
