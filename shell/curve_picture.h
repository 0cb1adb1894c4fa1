// The Courbe window's picture: each channel of the last good curve against time, in the table's
// units, with round ticks on a light grid, a legend of the channels' names and, above, the sweep
// and amplitude texts; before the first table, a line that tells how to get one. The one drawing
// goes to the screen, the copied bitmap and metafile, and the saved PNG file.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "decoding/curve.h"
#include "decoding/nice_axis.h"
#include "shell/format_settings.h"

namespace talvorne {

// The channels' colours, in the curve's order: a blue and a vermilion, which those who see fewer
// colours still tell apart.
inline constexpr COLORREF kChannelColours[] = {RGB(0x00, 0x5A, 0xB5), RGB(0xDC, 0x32, 0x20)};

// Where the curve lies in a picture: an axis's low end falls on the frame's first column (or last
// row), its high end on its last column (or first row), the values between in proportion.
struct PlotGeometry {
  RECT frame;        // right and bottom excluded, as in any RECT
  NiceAxis time;     // s
  NiceAxis voltage;  // mV
};

class CurvePicture {
 public:
  explicit CurvePicture(const FormatSettings& settings) : settings_(settings) {}

  // The curve of a complete table; above it, what Label8 and Label9 show for it.
  void Show(Curve curve);

  // What the picture says in words: the line before the first table, then the sweep's and the
  // amplitude's lines, separated by CR LF.
  std::string Text() const;

  // The frame and axes at that size and DPI, the texts measured on that DC; none before the
  // first table, or when the size leaves no room for a plot.
  std::optional<PlotGeometry> LayOut(HDC dc, SIZE size, UINT dpi) const;

  // The whole picture, background included, from the DC's top left corner.
  void Draw(HDC dc, SIZE size, UINT dpi) const;

 private:
  void DrawTexts(HDC dc, SIZE size, UINT dpi) const;
  void DrawAxes(HDC dc, const PlotGeometry& geometry, UINT dpi) const;
  void DrawChannels(HDC dc, const PlotGeometry& geometry, UINT dpi) const;

  const FormatSettings& settings_;
  std::optional<Curve> curve_;
  std::vector<std::string> headerTexts_;  // the sweep's, then each line of the amplitude's
};

}  // namespace talvorne
