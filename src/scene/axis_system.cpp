#include "scene/axis_system.h"

#include <cmath>

#include "axis_painter.h"

namespace qv {

namespace {

// The reader joins a title over at most this many blanks.
constexpr int kMaxTitleBlanks = 100;

void Item(std::string& record, const std::string& text) {
  record += text;
  record += ' ';
}
void Flag(std::string& record, bool value) { Item(record, value ? "1" : "0"); }
void Number(std::string& record, Long value) { Item(record, CStr(value)); }
void Title(std::string& record, const std::string& title) { Item(record, "@" + title + "@"); }

// The tick scale's ceiling: x itself when it is whole, else Int(x) + 1.
double Ceiling(double x) { return x - Int(x) == 0.0 ? x : Int(x) + 1.0; }

}  // namespace

std::string AxisSystem::CleanTitle(const std::string& title) {
  std::string clean;
  int blanks = 0;
  for (const char c : title) {
    if (c == ' ') {
      while (!clean.empty() && clean.back() == '@') clean.pop_back();
      if (clean.empty()) continue;
      if (++blanks > kMaxTitleBlanks) break;
    }
    clean += c;
  }
  return clean;
}

void AxisSystem::Coord(double& minV, double maxV, double& stepV, double& firstV, double& lastV,
                       Long& count) {
  double range = maxV - minV;
  if (range == 0.0) {
    minV = 0.0;
    range = maxV;
  }
  stepV = firstV = lastV = 0.0;
  count = 0;
  // A negative or zero range has no logarithm; nor has a non-finite one.
  if (!(range > 0.0) || !std::isfinite(range) || !std::isfinite(minV)) return;
  double e = Int(std::log(range) / std::log(10.0));
  double m = range / std::pow(10.0, e);
  // The quotient of logarithms may fall just short of a whole number (1000
  // gives 2.9999...), leaving the mantissa at 10; bring it into [1, 10).
  // Near the ends of the Double range a power of ten may round so that no
  // exponent gives [1, 10) exactly; a few corrections are enough otherwise.
  for (int iFix = 0; iFix < 4 && (m >= 10.0 || m < 1.0); ++iFix) {
    e += m >= 10.0 ? 1.0 : -1.0;
    m = range / std::pow(10.0, e);
  }
  if (!(m >= 1.0 && m < 10.0)) return;
  const double power = std::pow(10.0, e);
  const double step = m < 2.0 ? power * 0.2 : (m < 5.0 ? power * 0.5 : power);
  stepV = step;
  firstV = Ceiling(minV / step) * step;
  lastV = Ceiling(maxV / step) * step;
  count = SaturateLong((lastV - firstV) / step);
}

void AxisSystem::AddFootprint(const Box& box, const SharedSettings& settings,
                              std::vector<SceneMark>& marks) const {
  AxisPainter(*this, box, settings).AddFootprint(marks);
}

void AxisSystem::Draw(Long /*mode*/, const Box& box, const SharedSettings& settings) const {
  AxisPainter(*this, box, settings).Draw();
}

std::string AxisSystem::Save() const {
  if (!Show) return "0 ";
  std::string record;
  Item(record, "1");
  for (bool flag : {ShowXYPanel, ShowXZPanel, ShowYZPanel, ShowXYXGrid, ShowXYYGrid, ShowXZXGrid,
                    ShowXZZGrid, ShowYZYGrid, ShowYZZGrid}) {
    Flag(record, flag);
  }
  for (Long n : {LabelNumX, LabelNumY, LabelNumZ}) Number(record, n);
  for (const std::string* t : {&titleX_, &titleY_, &titleZ_}) Title(record, *t);
  for (Long n : {XYPanelColor, XZPanelColor, YZPanelColor, XYGridColor, XZGridColor, YZGridColor,
                 XYPanelMaterial, XZPanelMaterial, YZPanelMaterial, AxisColor, AxisWidth}) {
    Number(record, n);
  }
  Flag(record, BetterFonts);
  return record;
}

void AxisSystem::Read(RecordReader& reader) {
  Show = reader.ReadFlag(true);
  if (!Show) return;
  for (bool* flag : {&ShowXYPanel, &ShowXZPanel, &ShowYZPanel, &ShowXYXGrid, &ShowXYYGrid,
                     &ShowXZXGrid, &ShowXZZGrid, &ShowYZYGrid, &ShowYZZGrid}) {
    *flag = reader.ReadFlag(true);
  }
  for (Long* n : {&LabelNumX, &LabelNumY, &LabelNumZ}) *n = reader.ReadLong();
  for (std::string* t : {&titleX_, &titleY_, &titleZ_}) {
    std::string text;
    if (reader.ReadText(text)) *t = CleanTitle(text);
  }
  for (Long* n :
       {&XYPanelColor, &XZPanelColor, &YZPanelColor, &XYGridColor, &XZGridColor, &YZGridColor,
        &XYPanelMaterial, &XZPanelMaterial, &YZPanelMaterial, &AxisColor, &AxisWidth}) {
    *n = reader.ReadLong();
  }
  BetterFonts = reader.ReadFlag(true);
}

void AxisSystem::SetDefault() {
  Show = true;
  ShowXYPanel = ShowXZPanel = ShowYZPanel = false;
  ShowXYXGrid = ShowXYYGrid = ShowXZXGrid = ShowXZZGrid = ShowYZYGrid = ShowYZZGrid = true;
  LabelNumX = LabelNumY = LabelNumZ = 2;
  titleX_ = "X";
  titleY_ = "Y";
  titleZ_ = "Z";
  XYPanelColor = XZPanelColor = YZPanelColor = kPanelColor;
  XYGridColor = XZGridColor = YZGridColor = kGridColor;
  XYPanelMaterial = XZPanelMaterial = YZPanelMaterial = 4;
  AxisColor = 0;
  AxisWidth = 1;
  BetterFonts = true;
}

}  // namespace qv
