#include "shell/curve_picture.h"

#include <algorithm>
#include <cmath>

#include "decoding/pixel_columns.h"
#include "decoding/record_texts.h"
#include "shell/shell_texts.h"
#include "win32/dpi.h"
#include "win32/owned_handles.h"
#include "win32/text_encoding.h"

namespace talvorne {
namespace {

constexpr COLORREF kBackground = RGB(0xFF, 0xFF, 0xFF);
constexpr COLORREF kInk = RGB(0x00, 0x00, 0x00);
constexpr COLORREF kAxisColour = RGB(0x40, 0x40, 0x40);
constexpr COLORREF kGridColour = RGB(0xDD, 0xDD, 0xDD);

// Lengths in pixels at 96 DPI.
constexpr int kMargin = 8;
constexpr int kGap = 4;
constexpr int kTickLength = 4;
constexpr int kTextSpacing = 16;   // between the texts above the plot, and the legend's entries
constexpr int kLegendLine = 20;    // the line drawn before a channel's name
constexpr int kTickSpacingX = 90;  // about one time tick in so many pixels
constexpr int kTickSpacingY = 40;
constexpr int kSmallestPlot = 24;  // below this the picture has no plot

// The lowest voltage's padding below it and the highest's above, as a share of their range: the
// curve stays off the frame.
constexpr double kVoltagePadding = 0.05;

// The window's font at that DPI, selected into the DC while it lives.
class FontSelection {
 public:
  FontSelection(HDC dc, UINT dpi) : font_(CreateWindowFont(dpi)), selection_(dc, font_.get()) {}

 private:
  OwnedFont font_;
  GdiSelection selection_;
};

// A solid pen, selected into the DC while it lives.
class PenSelection {
 public:
  PenSelection(HDC dc, COLORREF colour, int width)
      : pen_(CreatePen(PS_SOLID, width, colour)), selection_(dc, pen_.get()) {}

 private:
  OwnedPen pen_;
  GdiSelection selection_;
};

SIZE TextSize(HDC dc, const std::string& text) {
  const std::wstring wide = Widen(text);
  SIZE size{};
  GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &size);
  return size;
}

int TextHeight(HDC dc) {
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  return metrics.tmHeight;
}

// Writes the text at the point, the point being where the alignment says (TA_TOP, TA_CENTER...).
void Write(HDC dc, int x, int y, const std::string& text, UINT alignment) {
  const std::wstring wide = Widen(text);
  SetTextAlign(dc, alignment);
  TextOutW(dc, x, y, wide.c_str(), static_cast<int>(wide.size()));
}

void Line(HDC dc, int x1, int y1, int x2, int y2) {
  MoveToEx(dc, x1, y1, nullptr);
  LineTo(dc, x2, y2);
}

LONG ColumnOf(const PlotGeometry& geometry, double seconds) {
  const NiceAxis& axis = geometry.time;
  const RECT& frame = geometry.frame;
  return frame.left + std::lround((seconds - axis.low) / (axis.high - axis.low) *
                                  (frame.right - 1 - frame.left));
}

LONG RowOf(const PlotGeometry& geometry, double millivolts) {
  const NiceAxis& axis = geometry.voltage;
  const RECT& frame = geometry.frame;
  return frame.bottom - 1 -
         std::lround((millivolts - axis.low) / (axis.high - axis.low) *
                     (frame.bottom - 1 - frame.top));
}

// The times the curve spans: its first to its last sample, or the screen's ten divisions for a
// record without a sample.
std::pair<double, double> TimeRange(const Curve& curve) {
  if (curve.seconds.empty()) return {0, 10 * curve.secondsPerDivision};
  return {curve.seconds.front(), curve.seconds.back()};
}

std::pair<double, double> VoltageRange(const Curve& curve) {
  double lowest = 0, highest = 0;
  bool any = false;
  for (const CurveChannel& channel : curve.channels) {
    if (channel.millivolts.empty()) continue;
    const auto [low, high] =
        std::minmax_element(channel.millivolts.begin(), channel.millivolts.end());
    lowest = any ? std::min(lowest, *low) : *low;
    highest = any ? std::max(highest, *high) : *high;
    any = true;
  }
  const double padding = (highest - lowest) * kVoltagePadding;
  return {lowest - padding, highest + padding};
}

// One point per sample while there are no more samples than columns; beyond, each column's
// lowest and highest sample, in their order, so that no peak is lost.
std::vector<POINT> ChannelPoints(const PlotGeometry& geometry, const std::vector<double>& seconds,
                                 const std::vector<double>& millivolts) {
  std::vector<POINT> points;
  if (millivolts.empty() || seconds.size() != millivolts.size()) return points;
  const LONG first = ColumnOf(geometry, seconds.front());
  const LONG columns = ColumnOf(geometry, seconds.back()) - first + 1;
  if (millivolts.size() <= static_cast<std::size_t>(columns)) {
    for (std::size_t i = 0; i < millivolts.size(); ++i) {
      points.push_back({ColumnOf(geometry, seconds[i]), RowOf(geometry, millivolts[i])});
    }
  } else {
    const std::vector<PixelColumn> extremes = PixelColumns(millivolts, static_cast<int>(columns));
    points.reserve(2 * extremes.size());
    LONG x = first;
    for (const PixelColumn& column : extremes) {
      const LONG low = RowOf(geometry, column.minimum), high = RowOf(geometry, column.maximum);
      points.push_back({x, column.minimumFirst ? low : high});
      points.push_back({x, column.minimumFirst ? high : low});
      ++x;
    }
  }
  // A line draws every pixel but its last one: one sample becomes a dot.
  points.push_back({points.back().x + 1, points.back().y});
  return points;
}

}  // namespace

void CurvePicture::Show(Curve curve) {
  curve_ = std::move(curve);
  RecordTexts labels = DescribeRecord(*curve_, settings_.decimalSeparator);
  const std::string& amplitudeText = labels.amplitudeLabel;  // its lines separated by a CR
  headerTexts_ = {std::move(labels.sweepLabel)};
  for (std::size_t start = 0;;) {
    const std::size_t end = amplitudeText.find('\r', start);
    headerTexts_.push_back(amplitudeText.substr(start, end - start));
    if (end == std::string::npos) break;
    start = end + 1;
  }
}

std::string CurvePicture::Text() const {
  if (!curve_) return texts::kNoCurveYet;
  std::string text;
  for (const std::string& line : headerTexts_) text += (text.empty() ? "" : "\r\n") + line;
  return text;
}

std::optional<PlotGeometry> CurvePicture::LayOut(HDC dc, SIZE size, UINT dpi) const {
  if (!curve_) return std::nullopt;
  const FontSelection font(dc, dpi);
  const int margin = ScaleForDpi(kMargin, dpi), gap = ScaleForDpi(kGap, dpi);
  const int tick = ScaleForDpi(kTickLength, dpi), textHeight = TextHeight(dc);
  const int smallest = ScaleForDpi(kSmallestPlot, dpi);
  PlotGeometry geometry{};
  RECT& frame = geometry.frame;
  // Above: the sweep's and amplitude's line, then the voltage's title and the legend, clear of
  // the top value, which is centred on the frame's edge.
  frame.top = margin + 2 * (textHeight + gap) + textHeight / 2;
  // Below: the ticks, their values and the time's title.
  frame.bottom = size.cy - margin - 2 * (textHeight + gap) - tick;
  if (frame.bottom - frame.top < smallest) return std::nullopt;

  const auto [lowestVoltage, highestVoltage] = VoltageRange(*curve_);
  geometry.voltage = MakeNiceAxis(lowestVoltage, highestVoltage,
                                  (frame.bottom - frame.top) / ScaleForDpi(kTickSpacingY, dpi) + 1,
                                  settings_.decimalSeparator);
  int widestValue = 0;
  for (const AxisTick& mark : geometry.voltage.ticks) {
    widestValue = std::max<int>(widestValue, TextSize(dc, mark.text).cx);
  }
  frame.left = margin + widestValue + gap + tick;
  // The last time's value is centred under the frame's right edge: the first guess of that edge
  // leaves room for a short one.
  const int widthGuess = size.cx - margin - smallest - frame.left;
  const auto [firstTime, lastTime] = TimeRange(*curve_);
  geometry.time = MakeNiceAxis(firstTime, lastTime,
                               std::max(widthGuess, 0) / ScaleForDpi(kTickSpacingX, dpi) + 1,
                               settings_.decimalSeparator);
  frame.right = size.cx - margin - TextSize(dc, geometry.time.ticks.back().text).cx / 2;
  if (frame.right - frame.left < smallest) return std::nullopt;
  return geometry;
}

void CurvePicture::Draw(HDC dc, SIZE size, UINT dpi) const {
  const RECT all{0, 0, size.cx, size.cy};
  const OwnedBrush background(CreateSolidBrush(kBackground));
  FillRect(dc, &all, background.get());
  const FontSelection font(dc, dpi);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, kInk);
  if (!curve_) {
    Write(dc, size.cx / 2, (size.cy - TextHeight(dc)) / 2, texts::kNoCurveYet, TA_CENTER | TA_TOP);
    return;
  }
  DrawTexts(dc, size, dpi);
  if (const std::optional<PlotGeometry> geometry = LayOut(dc, size, dpi)) {
    DrawAxes(dc, *geometry, dpi);
    DrawChannels(dc, *geometry, dpi);
  }
}

void CurvePicture::DrawTexts(HDC dc, SIZE size, UINT dpi) const {
  const int margin = ScaleForDpi(kMargin, dpi), spacing = ScaleForDpi(kTextSpacing, dpi);
  const int textHeight = TextHeight(dc);
  int x = margin;
  for (const std::string& text : headerTexts_) {
    Write(dc, x, margin, text, TA_LEFT | TA_TOP);
    x += TextSize(dc, text).cx + spacing;
  }
  // The voltage's title on the left, the legend on the right, of the line below.
  const int y = margin + textHeight + ScaleForDpi(kGap, dpi);
  Write(dc, margin, y, texts::kVoltageAxisTitle, TA_LEFT | TA_TOP);
  const int legendLine = ScaleForDpi(kLegendLine, dpi), gap = ScaleForDpi(kGap, dpi);
  int width = 0;
  for (const CurveChannel& channel : curve_->channels) {
    width += legendLine + gap + TextSize(dc, channel.name).cx + spacing;
  }
  x = size.cx - margin - (width - spacing);
  for (std::size_t i = 0; i < curve_->channels.size(); ++i) {
    {
      const PenSelection pen(dc, kChannelColours[i % std::size(kChannelColours)],
                             ScaleForDpi(2, dpi));
      Line(dc, x, y + textHeight / 2, x + legendLine, y + textHeight / 2);
    }
    x += legendLine + gap;
    Write(dc, x, y, curve_->channels[i].name, TA_LEFT | TA_TOP);
    x += TextSize(dc, curve_->channels[i].name).cx + spacing;
  }
}

void CurvePicture::DrawAxes(HDC dc, const PlotGeometry& geometry, UINT dpi) const {
  const RECT& frame = geometry.frame;
  const int tick = ScaleForDpi(kTickLength, dpi), gap = ScaleForDpi(kGap, dpi);
  {
    const PenSelection grid(dc, kGridColour, 1);
    for (const AxisTick& mark : geometry.time.ticks) {
      const LONG x = ColumnOf(geometry, mark.value);
      Line(dc, x, frame.top, x, frame.bottom);
    }
    for (const AxisTick& mark : geometry.voltage.ticks) {
      const LONG y = RowOf(geometry, mark.value);
      Line(dc, frame.left, y, frame.right, y);
    }
  }
  const PenSelection axis(dc, kAxisColour, ScaleForDpi(1, dpi));
  const GdiSelection hollow(dc, GetStockObject(NULL_BRUSH));
  Rectangle(dc, frame.left, frame.top, frame.right, frame.bottom);
  const int textHeight = TextHeight(dc);
  for (const AxisTick& mark : geometry.time.ticks) {
    const LONG x = ColumnOf(geometry, mark.value);
    Line(dc, x, frame.bottom, x, frame.bottom + tick);
    Write(dc, x, frame.bottom + tick + gap, mark.text, TA_CENTER | TA_TOP);
  }
  for (const AxisTick& mark : geometry.voltage.ticks) {
    const LONG y = RowOf(geometry, mark.value);
    Line(dc, frame.left - tick, y, frame.left, y);
    Write(dc, frame.left - tick - gap, y - textHeight / 2, mark.text, TA_RIGHT | TA_TOP);
  }
  Write(dc, (frame.left + frame.right) / 2, frame.bottom + tick + 2 * gap + textHeight,
        texts::kTimeAxisTitle, TA_CENTER | TA_TOP);
}

void CurvePicture::DrawChannels(HDC dc, const PlotGeometry& geometry, UINT dpi) const {
  const int saved = SaveDC(dc);
  IntersectClipRect(dc, geometry.frame.left, geometry.frame.top, geometry.frame.right,
                    geometry.frame.bottom);
  for (std::size_t i = 0; i < curve_->channels.size(); ++i) {
    const std::vector<POINT> points =
        ChannelPoints(geometry, curve_->seconds, curve_->channels[i].millivolts);
    if (points.empty()) continue;
    const PenSelection pen(dc, kChannelColours[i % std::size(kChannelColours)],
                           ScaleForDpi(1, dpi));
    Polyline(dc, points.data(), static_cast<int>(points.size()));
  }
  RestoreDC(dc, saved);
}

}  // namespace talvorne
