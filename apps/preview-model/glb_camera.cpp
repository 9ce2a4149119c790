#include "glb_camera.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cstring>

namespace preview_model {
namespace {

constexpr std::size_t kHeaderSize = 12;
constexpr std::size_t kChunkHeaderSize = 8;
constexpr std::uint32_t kJsonChunk = 0x4E4F534A;  // "JSON"

std::uint32_t ReadWord(const std::vector<std::uint8_t>& bytes, std::size_t at) {
  std::uint32_t word;
  std::memcpy(&word, bytes.data() + at, sizeof word);
  return word;
}

void WriteWord(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint32_t word) {
  std::memcpy(bytes.data() + at, &word, sizeof word);
}

bool AttachCamera(QJsonObject& document, const QString& nodeName, const GlbPerspective& camera) {
  QJsonArray nodes = document["nodes"].toArray();
  for (qsizetype i = 0; i < nodes.size(); ++i) {
    QJsonObject node = nodes[i].toObject();
    if (node["name"].toString() != nodeName) {
      continue;
    }
    QJsonArray cameras = document["cameras"].toArray();
    node["camera"] = cameras.size();
    nodes[i] = node;
    cameras.append(QJsonObject{{"type", "perspective"},
                               {"perspective", QJsonObject{{"yfov", camera.verticalFieldOfView},
                                                           {"aspectRatio", camera.aspect},
                                                           {"znear", camera.nearDistance},
                                                           {"zfar", camera.farDistance}}}});
    document["nodes"] = nodes;
    document["cameras"] = cameras;
    return true;
  }
  return false;
}

}  // namespace

bool AddGlbCamera(std::vector<std::uint8_t>& glb, const std::string& nodeName, const GlbPerspective& camera) {
  if (glb.size() < kHeaderSize + kChunkHeaderSize || std::memcmp(glb.data(), "glTF", 4) != 0 ||
      ReadWord(glb, kHeaderSize + 4) != kJsonChunk) {
    return false;
  }
  const std::size_t jsonLength = ReadWord(glb, kHeaderSize);
  const std::size_t jsonStart = kHeaderSize + kChunkHeaderSize;
  if (jsonStart + jsonLength > glb.size()) {
    return false;
  }
  QJsonObject document = QJsonDocument::fromJson(QByteArray(reinterpret_cast<const char*>(glb.data() + jsonStart),
                                                            static_cast<qsizetype>(jsonLength)))
                             .object();
  if (!AttachCamera(document, QString::fromStdString(nodeName), camera)) {
    return false;
  }
  QByteArray json = QJsonDocument(document).toJson(QJsonDocument::Compact);
  // Chunks are padded to four bytes, the JSON chunk with blanks.
  while (json.size() % 4 != 0) {
    json.append(' ');
  }
  std::vector<std::uint8_t> rewritten(glb.begin(), glb.begin() + static_cast<std::ptrdiff_t>(kHeaderSize));
  rewritten.resize(kHeaderSize + kChunkHeaderSize);
  WriteWord(rewritten, kHeaderSize, static_cast<std::uint32_t>(json.size()));
  WriteWord(rewritten, kHeaderSize + 4, kJsonChunk);
  rewritten.insert(rewritten.end(), json.begin(), json.end());
  rewritten.insert(rewritten.end(), glb.begin() + static_cast<std::ptrdiff_t>(jsonStart + jsonLength), glb.end());
  WriteWord(rewritten, 8, static_cast<std::uint32_t>(rewritten.size()));
  glb = std::move(rewritten);
  return true;
}

}  // namespace preview_model
