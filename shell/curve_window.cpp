#include "shell/curve_window.h"

#include "resources/resource_ids.h"
#include "shell/shell_texts.h"
#include "win32/clipboard.h"
#include "win32/enhanced_metafile.h"
#include "win32/foreground.h"
#include "win32/offscreen_picture.h"
#include "win32/png_encoding.h"
#include "win32/shortcuts.h"

namespace talvorne {

CurveWindow::CurveWindow(HINSTANCE instance, const VisualStyle& style,
                         const FormatSettings& settings, std::function<bool()> commandsHeld)
    : Window(style),
      instance_(instance),
      commandsHeld_(std::move(commandsHeld)),
      picture_(settings),
      pictureSaver_({{texts::kPngFileType, L"png"}}, "Courbe", texts::kCannotSavePicture) {}

void CurveWindow::Open(HWND owner) {
  if (Handle() == nullptr) {
    Create(instance_, kCurveLayout, LoadMenuW(instance_, kCurveMenuResource), owner);
    AttachShortcuts(Handle(), LoadAcceleratorsW(instance_, kCurveShortcutsResource));
    plot_.emplace(*this, picture_);
    FitPlot();
  }
  ShowWindow(Handle(), SW_SHOW);
  BringToForeground(Handle());
}

void CurveWindow::ShowCurve(Curve curve) {
  picture_.Show(std::move(curve));
  if (plot_) plot_->Redraw();
}

void CurveWindow::CopyPicture() {
  if (!plot_) return;
  const SIZE size = plot_->Size();
  const UINT dpi = plot_->Dpi();
  const OffscreenPicture bitmap(size);
  picture_.Draw(bitmap.Dc(), bitmap.Size(), dpi);
  OwnedEnhMetafile metafile =
      RecordEnhMetafile(bitmap.Size(), [&](HDC dc) { picture_.Draw(dc, bitmap.Size(), dpi); });
  OwnedGlobalMemory dib = MovableCopy(bitmap.DibBytes());
  NewClipboardContents clipboard(Handle());
  clipboard.Put(CF_DIB, std::move(dib));
  clipboard.Put(std::move(metafile));
}

void CurveWindow::SavePicture() {
  if (!plot_) return;
  pictureSaver_.Save(Handle(), [this](std::size_t) {
    const OffscreenPicture bitmap(plot_->Size());
    picture_.Draw(bitmap.Dc(), bitmap.Size(), plot_->Dpi());
    return EncodePng(bitmap.Size(), bitmap.OpaquePixels());
  });
}

void CurveWindow::FitPlot() const {
  if (!plot_) return;
  RECT client{};
  GetClientRect(Handle(), &client);
  MoveWindow(plot_->Handle(), 0, 0, client.right, client.bottom, TRUE);
}

void CurveWindow::OnCommand(WPARAM wParam) {
  switch (LOWORD(wParam)) {
    case IDM_COPY_PICTURE:
      if (!commandsHeld_()) CopyPicture();
      return;
    case IDM_SAVE_PICTURE:
      if (!commandsHeld_()) SavePicture();
      return;
    case IDM_CLOSE_CURVE:
      ShowWindow(Handle(), SW_HIDE);
      return;
  }
}

LRESULT CurveWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      OnCommand(wParam);
      return 0;
    case WM_SIZE:
      FitPlot();
      return 0;
    case WM_ERASEBKGND:
      return 1;  // the plot covers the whole client area: nothing to erase, nothing to flicker
    case WM_DPICHANGED: {
      const LRESULT result = Window::HandleMessage(message, wParam, lParam);
      if (plot_) plot_->Redraw();
      return result;
    }
    case WM_CLOSE:
      ShowWindow(Handle(), SW_HIDE);  // kept, with its curve, for the next time
      return 0;
    case WM_DESTROY:
      DetachShortcuts(Handle());
      return Window::HandleMessage(message, wParam, lParam);
    default:
      return Window::HandleMessage(message, wParam, lParam);
  }
}

}  // namespace talvorne
