#include "sample_document.h"

#include <cmath>
#include <cstdlib>

#include "bmp_writer.h"
#include "data/data_panel.h"
#include "documents/document_container.h"
#include "documents/document_writer.h"
#include "graphs/graph_kinds.h"
#include "platform/file_replace.h"

namespace qv::samples {

std::string Fixed(double value, int decimals) {
  long long scale = 1;
  for (int d = 0; d < decimals; ++d) scale *= 10;
  const long long scaled = std::llround(value * static_cast<double>(scale));
  const unsigned long long magnitude =
      scaled < 0 ? 0ULL - static_cast<unsigned long long>(scaled) : scaled;
  std::string text = std::to_string(magnitude / scale);
  std::string fraction = std::to_string(magnitude % scale + scale).substr(1);
  while (!fraction.empty() && fraction.back() == '0') fraction.pop_back();
  if (!fraction.empty()) text += "." + fraction;
  return scaled < 0 ? "-" + text : text;
}

double Sequence::Next() {
  state_ ^= state_ >> 12;
  state_ ^= state_ << 25;
  state_ ^= state_ >> 27;
  const std::uint64_t bits = state_ * 0x2545F4914F6CDD1DULL;
  return static_cast<double>(bits >> 11) * (1.0 / 9007199254740992.0);
}

SampleDocument::SampleDocument(Long viewCode) {
  SharedSettings& s = workspace_.settings;
  s.ViewCode = viewCode;
  s.ScaleMode = 1;
  s.ScaleRatioX = s.ScaleRatioY = s.ScaleRatioZ = s.ZoomZ = 1.0;
  s.GridMethod = 2;
  s.GridMethod4D = 102;
  workspace_.axisSystem.SetDefault();
}

void SampleDocument::RegularSurface(Long kind, Long count1, Long count2) {
  panel_.SetKindIndex(kind);
  panel_.SetText(1, CStr(count1));
  panel_.SetText(2, CStr(count2));
  steps_ = {count1 - 1, count2 - 1, 0};
}

void SampleDocument::IrregularSurface(Long points, Long rows1, Long rows2,
                                      const std::array<double, 4>& bounds) {
  panel_.SetKindIndex(kIrregularSurface);
  panel_.SetText(3, CStr(points));
  panel_.SetText(4, CStr(rows1));
  panel_.SetText(7, CStr(rows2));
  SetBox(1, bounds[0]);
  SetBox(2, bounds[1]);
  SetBox(5, bounds[2]);
  SetBox(6, bounds[3]);
  steps_ = {rows1 - 1, rows2 - 1, 0};
}

void SampleDocument::RegularVolume(Long count1, Long count2, Long count3) {
  panel_.SetKindIndex(kRegularVolume);
  panel_.SetText(1, CStr(count1));
  panel_.SetText(2, CStr(count2));
  panel_.SetText(4, CStr(count3));
  steps_ = {count1 - 1, count2 - 1, count3 - 1};
}

void SampleDocument::IrregularVolume(Long points, Long rows1, Long rows2, Long rows3,
                                     const std::array<double, 6>& bounds) {
  panel_.SetKindIndex(kIrregularVolume);
  panel_.SetText(3, CStr(points));
  panel_.SetText(4, CStr(rows1));
  panel_.SetText(7, CStr(rows2));
  panel_.SetText(10, CStr(rows3));
  const int boxes[] = {1, 2, 5, 6, 8, 9};
  for (std::size_t b = 0; b < bounds.size(); ++b) SetBox(boxes[b], bounds[b]);
  steps_ = {rows1 - 1, rows2 - 1, rows3 - 1};
}

void SampleDocument::AddRow(double a, double b, double c, double d) {
  panel_.SetRow(nextRow_++, {Fixed(a, kDecimals), Fixed(b, kDecimals), Fixed(c, kDecimals),
                             Fixed(d, kDecimals)});
}

Graph& SampleDocument::AddGraph(Long kind, const std::string& name) {
  auto graph = std::make_shared<Graph>();
  const Long id = ++workspace_.settings.NextGraphID;
  graph->SetID(id);
  graph->GraphType = kind;
  graph->NameS = name;
  graph->Show = 3;
  graph->StepU = steps_[0];
  graph->StepV = steps_[1];
  graph->StepH = steps_[2];
  // "Winter": a neutral ambient and white highlights keep the colours
  // true (the dialogs' "Metal" tints them yellow).
  graph->Material = 13;
  graph->Smoothness = 3;
  graph->LineWidth = 1;
  workspace_.allGraphs.Items.Add(graph, CStr(id));
  workspace_.shownGraphs.Items.Add(graph, CStr(id));
  return *graph;
}

void SampleDocument::UseColorMap(Graph& graph, const std::string& map) {
  graph.FillStyle = 4;
  graph.ColorName = map;
  graph.SetColorMap(map);
}

void SampleDocument::SetTitles(const std::string& x, const std::string& y, const std::string& z) {
  workspace_.axisSystem.SetTitleX(x);
  workspace_.axisSystem.SetTitleY(y);
  workspace_.axisSystem.SetTitleZ(z);
}

std::string SampleDocument::Save(const std::string& path) const {
  const DocumentWriteResult document = WriteDocumentText(workspace_, panel_);
  if (!document.ok) return document.reason;
  return ReplaceFile(path, EncodeContainer(document.text));
}

std::string BmpPicture(int width, int height, const std::function<Long(int, int)>& pixel) {
  // The encoder takes rows bottom-up, each pixel red, green, blue.
  RgbImage image;
  image.width = width;
  image.height = height;
  image.rgb.reserve(3 * static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
  for (int y = height - 1; y >= 0; --y) {
    for (int x = 0; x < width; ++x) {
      const auto c = static_cast<std::uint32_t>(pixel(x, y));
      image.rgb.push_back(static_cast<std::uint8_t>(c & 0xFF));
      image.rgb.push_back(static_cast<std::uint8_t>((c >> 8) & 0xFF));
      image.rgb.push_back(static_cast<std::uint8_t>((c >> 16) & 0xFF));
    }
  }
  return EncodeBmp(image, width, height);
}

}  // namespace qv::samples
