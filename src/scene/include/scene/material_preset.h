// A surface material: reflectances, emission and exponent, with the 13
// presets the graphs and the axis panels name by number. Single precision.
#pragma once

#include <array>
#include <string>

#include "platform/checked_array.h"
#include "platform/runtime.h"

namespace qv {

class MaterialPreset {
 public:
  // Indexed fields (R, G, B, A); an index outside throws
  // RuntimeError(kSubscriptOutOfRange). A new material is all 0.
  FixedTable<float, 0, 3> Ambient;
  FixedTable<float, 0, 3> Diffuse;
  FixedTable<float, 0, 3> Specular;
  FixedTable<float, 0, 3> Emission;
  // Specular exponent 0..128.
  FixedTable<float, 0, 0> Shininess;
  // Material number as a property only; SetMaterial does not read it.
  Long MatType = 0;

  // Loads preset kind (1..13) into the fields; any other kind keeps them.
  // Then applies the fields to both faces: diffuse, specular, shininess,
  // emission, ambient. Needs a current context.
  void SetMaterial(Long kind);

  // Number of presets.
  static constexpr Long kPresetCount = 13;
  // Name of preset kind 1..13 ("Artdeco" .. "Winter") as the property dialogs
  // list them; "" for any other number.
  static std::string PresetName(Long kind);
};

}  // namespace qv
