#include "scene/material_preset.h"

#include <GL/gl.h>

namespace qv {

namespace {

struct Preset {
  const char* name;
  std::array<float, 4> ambient;
  std::array<float, 4> diffuse;
  std::array<float, 4> specular;
  std::array<float, 4> emission;
  float shininess;
};

// clang-format off
constexpr std::array<Preset, 13> kPresets{{
  {"Artdeco", {0.936975f, 0.0923259f, 0.42843f, 0.0f}, {0.536861f, 0.0529003f, 0.24549f, 0.832432f},
   {0.805292f, 0.765198f, 0.747416f, 0.0f}, {0.0f, 0.0f, 0.0f, 0.0f}, 106.55129f},
  {"Autumn", {0.098983f, 0.0565609f, 0.0320604f, 0.0f}, {0.395932f, 0.226244f, 0.128242f, 0.0f},
   {1.0f, 0.464407f, 0.4753f, 0.0f}, {0.0f, 0.0f, 0.0f, 0.0f}, 127.30816f},
  {"Glass", {0.187004f, 0.0748842f, 0.0f, 0.34747f}, {0.748016f, 0.299537f, 0.0f, 0.34747f},
   {0.836364f, 0.836364f, 0.836364f, 0.34747f}, {0.0f, 0.0f, 0.0f, 0.34747f}, 117.91514f},
  {"Metal", {0.133333f, 0.0925319f, 0.0f, 0.0f}, {0.49697f, 0.344891f, 0.0f, 0.0f},
   {1.0f, 0.887978f, 0.0f, 0.0f}, {0.0f, 0.0f, 0.0f, 0.0f}, 118.69094f},
  {"Neon", {0.0f, 0.0f, 0.0f, 0.0f}, {0.0f, 0.0f, 0.0f, 0.0f},
   {0.622449f, 0.622449f, 0.622449f, 0.0f}, {0.0188407f, 0.940276f, 1.0f, 0.0f}, 6.530611f},
  {"Recoco", {0.187004f, 0.180659f, 0.0672271f, 0.0f}, {0.748016f, 0.722635f, 0.268909f, 0.0f},
   {0.412121f, 0.412121f, 0.412121f, 0.0f}, {0.0f, 0.0f, 0.0f, 0.0f}, 103.17581f},
  {"Santefe", {0.20373f, 0.0832482f, 0.0832482f, 0.0f}, {0.799639f, 0.326749f, 0.326749f, 0.0f},
   {0.327377f, 0.135466f, 0.0f, 0.0f}, {0.0f, 0.0f, 0.0f, 0.0f}, 9.795917f},
  {"Sheen", {0.0f, 0.00107338f, 0.0785714f, 0.0f}, {0.0f, 0.00429352f, 0.314286f, 0.0f},
   {0.364672f, 0.833805f, 0.909091f, 0.0f}, {0.0f, 0.0f, 0.0f, 0.0f}, 81.45459f},
  {"Silky", {0.171143f, 0.170799f, 0.171534f, 0.0f}, {0.684572f, 0.683198f, 0.686136f, 0.0f},
   {0.693878f, 0.0335554f, 0.313623f, 0.0f}, {0.0f, 0.0f, 0.0f, 0.0f}, 9.14286f},
  {"Spring", {0.253968f, 0.228701f, 0.0798059f, 0.0f}, {1.0f, 0.900511f, 0.314236f, 0.0f},
   {0.872449f, 0.247119f, 0.254214f, 0.0f}, {0.0f, 0.0f, 0.0f, 0.0f}, 128.0f},
  {"Summer", {0.098983f, 0.0565609f, 0.0320604f, 0.0f}, {0.395932f, 0.226244f, 0.128242f, 0.0f},
   {0.192616f, 0.110064f, 0.0623879f, 0.0f}, {0.0f, 0.0f, 0.0f, 0.0f}, 3.459456f},
  {"Tropical", {0.226102f, 0.193685f, 0.0207668f, 0.0f}, {0.904409f, 0.774741f, 0.0830671f, 0.0f},
   {0.0955906f, 0.0955906f, 0.0955906f, 0.0f}, {0.0f, 0.0f, 0.0f, 0.0f}, 10.0f},
  {"Winter", {0.0486486f, 0.0486486f, 0.0486486f, 0.0f}, {0.205405f, 0.205405f, 0.205405f, 0.0f},
   {0.686486f, 0.676818f, 0.684159f, 0.0f}, {0.0f, 0.0f, 0.0f, 0.0f}, 128.0f},
}};
// clang-format on

void Load(FixedTable<float, 0, 3>& table, const std::array<float, 4>& values) {
  for (Long i = 0; i < 4; ++i) table(i) = values[i];
}

std::array<float, 4> Values(const FixedTable<float, 0, 3>& table) {
  return {table(0), table(1), table(2), table(3)};
}

}  // namespace

void MaterialPreset::SetMaterial(Long kind) {
  if (kind >= 1 && kind <= kPresetCount) {
    const Preset& p = kPresets[kind - 1];
    Load(Ambient, p.ambient);
    Load(Diffuse, p.diffuse);
    Load(Specular, p.specular);
    Load(Emission, p.emission);
    Shininess(0) = p.shininess;
  }
  const auto diffuse = Values(Diffuse);
  const auto specular = Values(Specular);
  const auto emission = Values(Emission);
  const auto ambient = Values(Ambient);
  const float shininess = Shininess(0);
  glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, diffuse.data());
  glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, specular.data());
  glMaterialfv(GL_FRONT_AND_BACK, GL_SHININESS, &shininess);
  glMaterialfv(GL_FRONT_AND_BACK, GL_EMISSION, emission.data());
  glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, ambient.data());
}

std::string MaterialPreset::PresetName(Long kind) {
  if (kind < 1 || kind > kPresetCount) return "";
  return kPresets[kind - 1].name;
}

}  // namespace qv
