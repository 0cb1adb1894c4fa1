// The Courbe window's plot: a child window that shows the curve's picture over the whole of its
// area, drawn off screen first so that a resize or a new curve never flickers. Its window text is
// what the picture says in words, for screen readers.
#pragma once

#include <windows.h>

#include "shell/curve_picture.h"
#include "win32/child_window.h"
#include "win32/window.h"

namespace talvorne {

class CurvePlot : public ChildWindow {
 public:
  // Shows the picture, which must outlive the plot, at the DPI of the parent's layout.
  CurvePlot(const Window& parent, const CurvePicture& picture);

  SIZE Size() const;
  UINT Dpi() const { return parent_.Layout().Dpi(); }
  // The picture has changed, or the DPI it is drawn at.
  void Redraw();

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void Paint();

  const Window& parent_;
  const CurvePicture& picture_;
};

}  // namespace talvorne
