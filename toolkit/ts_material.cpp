#include <tessel/ts_material.h>

#include <algorithm>

TS_Material::TS_Material()
    : m_ambient(0, 0, 0), m_diffuse(255, 255, 255), m_specular(255, 255, 255), m_emission(0, 0, 0) {}

void TS_Material::SetTransparency(double transparency) {
  m_transparency = transparency > 0.0 ? std::min(transparency, 1.0) : 0.0;
}

void TS_Material::SetShine(double shine) { m_shine = shine > 0.0 ? std::min(shine, MaxShine) : 0.0; }
