// The "Courbe" window of the "Affichage" menu: the last good curve drawn against time, resizable,
// owned by the main window (above it, without a taskbar button of its own). Its "Image" menu puts
// the picture on the clipboard or saves it as a PNG file, at the plot's size. Made the first time
// it opens, it keeps the last good curve from the start; closed, it is only hidden.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>

#include "decoding/curve.h"
#include "shell/curve_picture.h"
#include "shell/curve_plot.h"
#include "shell/file_saver.h"
#include "shell/format_settings.h"
#include "win32/window.h"

namespace talvorne {

class CurveWindow : public Window {
 public:
  // commandsHeld: whether its commands must wait, as the main window's do during a send.
  CurveWindow(HINSTANCE instance, const VisualStyle& style, const FormatSettings& settings,
              std::function<bool()> commandsHeld);

  // Made, owned by the window, the first time; shown, restored and brought forward each time.
  void Open(HWND owner);
  // The curve of a complete table.
  void ShowCurve(Curve curve);

  // "Copier l'image": the picture as a bitmap (CF_DIB) and as an enhanced metafile.
  void CopyPicture();
  // "Enregistrer l'image…": the picture as a PNG file, where the Save dialog says.
  void SavePicture();

  const CurvePicture& Picture() const { return picture_; }
  // The plot, once the window has been made.
  const CurvePlot* Plot() const { return plot_ ? &*plot_ : nullptr; }

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void OnCommand(WPARAM wParam);
  void FitPlot() const;

  HINSTANCE instance_;
  std::function<bool()> commandsHeld_;
  CurvePicture picture_;
  FileSaver pictureSaver_;
  std::optional<CurvePlot> plot_;
};

}  // namespace talvorne
