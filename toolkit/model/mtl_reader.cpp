#include "mtl_reader.h"

#include <algorithm>
#include <optional>
#include <string_view>

#include "file_content.h"
#include "text_scanner.h"

namespace tessel::detail {
namespace {

struct MaterialFields {
  float ambient[3] = {0.0f, 0.0f, 0.0f};
  float diffuse[3] = {0.6f, 0.6f, 0.6f};
  float specular[3] = {0.0f, 0.0f, 0.0f};
  float emissive[3] = {0.0f, 0.0f, 0.0f};
  std::optional<float> dissolve;
  std::optional<float> transparency;
};

TS_Color ColorOf(const float (&rgb)[3]) {
  TS_Color color;
  color.SetFractionalRGB(rgb[0], rgb[1], rgb[2]);
  return color;
}

TS_Material Convert(const MaterialFields& fields) {
  TS_Material material;
  material.SetDiffuse(ColorOf(fields.diffuse));
  material.SetAmbient(ColorOf(fields.ambient));
  material.SetSpecular(ColorOf(fields.specular));
  material.SetEmission(ColorOf(fields.emissive));
  // The importer keeps an opacity; "Tr" is its complement.
  const float opacity = fields.dissolve ? *fields.dissolve : fields.transparency ? 1.0f - *fields.transparency : 1.0f;
  material.SetTransparency(1.0 - opacity);
  return material;
}

bool ReadColor(LineWords& words, float (&rgb)[3]) {
  return words.NextFloat(rgb[0]) && words.NextFloat(rgb[1]) && words.NextFloat(rgb[2]) && words.AtEnd();
}

bool ReadScalar(LineWords& words, std::optional<float>& value) {
  float read = 0.0f;
  if (value || !words.NextFloat(read) || !words.AtEnd()) {
    return false;
  }
  value = read;
  return true;
}

// Keywords that only name texture files or shading details the toolkit's
// material has no place for.
bool IsIgnored(std::string_view keyword) {
  return keyword == "Ns" || keyword == "Ni" || keyword == "illum" || keyword.starts_with("map_") ||
         keyword == "bump" || keyword == "disp" || keyword == "refl";
}

class LibraryParser {
public:
  explicit LibraryParser(std::vector<NamedMaterial>& materials) : mMaterials(materials) {}

  bool Parse(std::span<const char> text) {
    TextScanner scanner(text);
    while (!scanner.AtEnd()) {
      if (!ParseLine(scanner.NextLine())) {
        return false;
      }
    }
    Close();
    return true;
  }

private:
  bool ParseLine(std::string_view line) {
    LineWords words(line);
    const std::string_view keyword = words.Next();
    if (keyword.empty() || keyword.starts_with('#')) {
      return true;
    }
    if (keyword == "newmtl") {
      return Open(words);
    }
    if (!mOpen) {
      return false;
    }
    if (keyword == "Ka") return ReadColor(words, mFields.ambient);
    if (keyword == "Kd") return ReadColor(words, mFields.diffuse);
    if (keyword == "Ks") return ReadColor(words, mFields.specular);
    if (keyword == "Ke") return ReadColor(words, mFields.emissive);
    // Either of the two opacity keywords, not both, whose order would count.
    if (keyword == "d") return !mFields.transparency && ReadScalar(words, mFields.dissolve);
    if (keyword == "Tr") return !mFields.dissolve && ReadScalar(words, mFields.transparency);
    return IsIgnored(keyword);
  }

  bool Open(LineWords& words) {
    Close();
    const std::string name(words.Next());
    // The importer's own stand-in name would make the material a stand-in.
    const bool taken = std::ranges::any_of(mMaterials, [&name](const NamedMaterial& m) { return m.name == name; });
    if (name.empty() || !words.AtEnd() || taken || name == "DefaultMaterial") {
      return false;
    }
    mName = name;
    mFields = MaterialFields();
    mOpen = true;
    return true;
  }

  void Close() {
    if (mOpen) {
      mMaterials.push_back({mName, Convert(mFields)});
      mOpen = false;
    }
  }

  std::vector<NamedMaterial>& mMaterials;
  std::string mName;
  MaterialFields mFields;
  bool mOpen = false;
};

}  // namespace

bool ReadMaterialLibrary(const std::string& path, std::vector<NamedMaterial>& materials) {
  FileContent content;
  materials.clear();
  return content.Open(path.c_str()) && LibraryParser(materials).Parse(content.Bytes());
}

}  // namespace tessel::detail
