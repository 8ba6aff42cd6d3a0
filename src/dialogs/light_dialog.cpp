#include "dialogs/light_dialog.h"

#include <optional>

#include "dialogs/dialog_context.h"
#include "entry_text.h"

namespace qv {

namespace {

std::array<FixedTable<float, 0, 3>*, 4> Tables(Light& light) {
  return {&light.Position, &light.Diffuse, &light.Amission, &light.Specular};
}

}  // namespace

LightDialogModel::LightDialogModel(Light& light, MessageBoxService& messages)
    : light_(light), messages_(messages) {
  lighting = light.Enabled;
  twoSides = light.TwoSides(0) != 0.0f;
  globalAmbient = light.GlobalAmbient(0) != 0.0f;
  const auto tables = Tables(light);
  for (std::size_t t = 0; t < tables.size(); ++t) {
    for (Long c = 0; c < 4; ++c)
      values[t * 4 + static_cast<std::size_t>(c)] = FormatSingle((*tables[t])(c));
  }
}

bool LightDialogModel::Ok() {
  std::array<float, 16> read{};
  for (std::size_t k = 0; k < values.size(); ++k) {
    const std::optional<float> value = ReadSingleLeading(values[k]);
    if (!value) return RefuseEntry(messages_);
    read[k] = *value;
  }
  light_.Enabled = lighting;
  light_.TwoSides(0) = twoSides ? 1.0f : 0.0f;
  light_.GlobalAmbient(0) = globalAmbient ? 1.0f : 0.0f;
  const auto tables = Tables(light_);
  for (std::size_t t = 0; t < tables.size(); ++t) {
    for (Long c = 0; c < 4; ++c) (*tables[t])(c) = read[t * 4 + static_cast<std::size_t>(c)];
  }
  return true;
}

}  // namespace qv
