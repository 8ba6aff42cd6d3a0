#include "scene/scene_group.h"

#include <algorithm>

namespace qv {

namespace {
constexpr double kStartBound = 99999999.0;
// The absolute margin, in data units, around the union of the items' boxes.
constexpr double kMargin = 0.04;
}  // namespace

Box SceneGroup::GetBox(const DrawContext& context) const {
  Box box{kStartBound, -kStartBound, kStartBound, -kStartBound, kStartBound, -kStartBound};
  for (const auto& [key, item] : Items) {
    const Box b = item->GetBox(context);
    if (b.MinX < box.MinX) box.MinX = b.MinX;
    if (b.MaxX > box.MaxX) box.MaxX = b.MaxX;
    if (b.MinY < box.MinY) box.MinY = b.MinY;
    if (b.MaxY > box.MaxY) box.MaxY = b.MaxY;
    if (b.MinZ < box.MinZ) box.MinZ = b.MinZ;
    if (b.MaxZ > box.MaxZ) box.MaxZ = b.MaxZ;
  }
  box.MinX -= kMargin;
  box.MinY -= kMargin;
  box.MinZ -= kMargin;
  box.MaxX += kMargin;
  box.MaxY += kMargin;
  box.MaxZ += kMargin;
  return box;
}

void SceneGroup::Draw(const DrawContext& context) const {
  for (const auto& [key, item] : Items) item->Draw(context);
}

Long SceneGroup::RecordFormat() const {
  Long format = 0;
  for (const auto& [key, item] : Items) format = std::max(format, item->RecordFormat());
  return format;
}

std::string SceneGroup::Save(const std::string& dataSetRecord, const SharedSettings& settings,
                             Long format) const {
  std::string record = dataSetRecord + " ";
  for (const auto& [key, item] : Items) record += item->Save(settings, format);
  return record;
}

}  // namespace qv
