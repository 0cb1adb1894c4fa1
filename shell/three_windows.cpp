#include "shell/three_windows.h"

namespace talvorne {

ThreeWindows::ThreeWindows(HINSTANCE instance, const VisualStyle& style,
                           const FormatSettings& settings, DdeInstance& dde) {
  try {
    main_ = std::make_unique<TForm1>(instance, style, settings);
    Form1 = main_.get();
    boxOwner_.emplace(main_->Handle());
    about_ = std::make_unique<Taboutform>(instance, style, settings, main_->Handle());
    aboutform = about_.get();
    // Other programs' commands are the main window's to carry out.
    dde_ = std::make_unique<TFormDDE>(instance, style, dde,
                                      std::vector<HWND>{main_->Handle(), about_->Handle()},
                                      main_->Handle());
    FormDDE = dde_.get();
  } catch (...) {
    // The windows already made go with the members; nothing may point at them.
    ForgetGlobals();
    throw;
  }
}

ThreeWindows::~ThreeWindows() {
  FormDDE = nullptr;
  dde_.reset();
  aboutform = nullptr;
  about_.reset();
  boxOwner_.reset();
  Form1 = nullptr;
  main_.reset();
}

void ThreeWindows::ForgetGlobals() {
  FormDDE = nullptr;
  aboutform = nullptr;
  Form1 = nullptr;
}

}  // namespace talvorne
