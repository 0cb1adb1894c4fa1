#include "shell/curve_plot.h"

#include "win32/offscreen_picture.h"
#include "win32/text_encoding.h"

namespace talvorne {
namespace {

// BeginPaint's DC, given back by EndPaint whatever happens while drawing.
class PaintScope {
 public:
  explicit PaintScope(HWND window) : window_(window), dc_(BeginPaint(window, &paint_)) {}
  PaintScope(const PaintScope&) = delete;
  PaintScope& operator=(const PaintScope&) = delete;
  ~PaintScope() { EndPaint(window_, &paint_); }
  HDC Dc() const { return dc_; }

 private:
  HWND window_;
  PAINTSTRUCT paint_{};
  HDC dc_;
};

}  // namespace

CurvePlot::CurvePlot(const Window& parent, const CurvePicture& picture)
    : parent_(parent), picture_(picture) {
  Create(parent.Handle());
  SetWindowTextW(Handle(), Widen(picture_.Text()).c_str());
}

SIZE CurvePlot::Size() const {
  RECT client{};
  GetClientRect(Handle(), &client);
  return {client.right, client.bottom};
}

void CurvePlot::Redraw() {
  SetWindowTextW(Handle(), Widen(picture_.Text()).c_str());
  InvalidateRect(Handle(), nullptr, FALSE);
}

void CurvePlot::Paint() {
  const PaintScope paint(Handle());
  const SIZE size = Size();
  if (size.cx <= 0 || size.cy <= 0) return;
  const OffscreenPicture buffer(size);
  picture_.Draw(buffer.Dc(), size, Dpi());
  BitBlt(paint.Dc(), 0, 0, size.cx, size.cy, buffer.Dc(), 0, 0, SRCCOPY);
}

LRESULT CurvePlot::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND:
      return 1;  // the picture covers everything
    case WM_PAINT:
      Paint();
      return 0;
    default:
      return ChildWindow::HandleMessage(message, wParam, lParam);
  }
}

}  // namespace talvorne
