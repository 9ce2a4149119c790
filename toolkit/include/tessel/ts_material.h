// Surface colours of an object. Transparency runs from 0 (opaque) to 1.
#pragma once

#include <tessel/ts_color.h>

class TS_Material {
public:
  TS_Material();

  TS_Color Ambient() const { return m_ambient; }
  TS_Color Diffuse() const { return m_diffuse; }
  TS_Color Specular() const { return m_specular; }
  TS_Color Emission() const { return m_emission; }
  double Transparency() const { return m_transparency; }
  double Shine() const { return m_shine; }

  void SetAmbient(TS_Color color) { m_ambient = color; }
  void SetDiffuse(TS_Color color) { m_diffuse = color; }
  void SetSpecular(TS_Color color) { m_specular = color; }
  void SetEmission(TS_Color color) { m_emission = color; }
  // Values outside 0..1 are clamped.
  void SetTransparency(double transparency);
  // Values outside 0..MaxShine are clamped.
  void SetShine(double shine);

  static constexpr double MaxShine = 255.0;

  friend bool operator==(const TS_Material&, const TS_Material&) = default;

private:
  TS_Color m_ambient;
  TS_Color m_diffuse;
  TS_Color m_specular;
  TS_Color m_emission;
  double m_transparency = 0.0;
  double m_shine = 0.0;
};
