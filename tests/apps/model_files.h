// Small model files in several interchange formats, written by the tests
// themselves: cubes with known sizes, placements, colours and cameras.
#pragma once

#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace linvale::test {

// Corners of the cube [-1, 1]^3 (index bits: x, y, z) and its sides as
// quads wound counter-clockwise seen from outside.
inline constexpr int kCubeQuads[6][4] = {{0, 2, 6, 4}, {1, 5, 7, 3}, {0, 4, 5, 1},
                                         {2, 3, 7, 6}, {0, 1, 3, 2}, {4, 6, 7, 5}};

inline void CubeCorner(int index, float& x, float& y, float& z) {
  x = (index & 1) ? 1.0f : -1.0f;
  y = (index & 2) ? 1.0f : -1.0f;
  z = (index & 4) ? 1.0f : -1.0f;
}

// Two cubes, "left" at x = -5 in material Red and "right" at x = +5 in
// material Blue, as quads without normals, with the material library.
inline void WriteTwoCubeObj(const std::filesystem::path& path) {
  std::ofstream(path.parent_path() / "cubes.mtl") << "newmtl Red\nKd 1 0 0\nnewmtl Blue\nKd 0 0 1\n";
  std::ofstream obj(path);
  obj << "mtllib cubes.mtl\n";
  int base = 0;
  for (const auto& [name, material, offset] : {std::tuple{"left", "Red", -5.0f}, std::tuple{"right", "Blue", 5.0f}}) {
    obj << "o " << name << "\nusemtl " << material << "\n";
    for (int i = 0; i < 8; ++i) {
      float x, y, z;
      CubeCorner(i, x, y, z);
      obj << "v " << x + offset << " " << y << " " << z << "\n";
    }
    for (const auto& quad : kCubeQuads) {
      obj << "f " << base + quad[0] + 1 << " " << base + quad[1] + 1 << " " << base + quad[2] + 1 << " "
          << base + quad[3] + 1 << "\n";
    }
    base += 8;
  }
}

// An ASCII STL cube whose facet normals are all zero, as many exporters write.
inline void WriteStlCubeWithoutNormals(const std::filesystem::path& path) {
  std::ofstream stl(path);
  stl << "solid cube\n";
  for (const auto& quad : kCubeQuads) {
    for (const auto& triangle : {std::array{quad[0], quad[1], quad[2]}, std::array{quad[0], quad[2], quad[3]}}) {
      stl << " facet normal 0 0 0\n  outer loop\n";
      for (int corner : triangle) {
        float x, y, z;
        CubeCorner(corner, x, y, z);
        stl << "   vertex " << x << " " << y << " " << z << "\n";
      }
      stl << "  endloop\n endfacet\n";
    }
  }
  stl << "endsolid cube\n";
}

// A cube of eight shared corners in ASCII PLY; with `colored` the corners
// alternate between pure red and pure green.
inline std::string AsciiPlyCube(bool colored = false) {
  std::ostringstream ply;
  ply << "ply\nformat ascii 1.0\nelement vertex 8\nproperty float x\nproperty float y\nproperty float z\n"
      << (colored ? "property uchar red\nproperty uchar green\nproperty uchar blue\n" : "")
      << "element face 6\nproperty list uchar int vertex_indices\nend_header\n";
  for (int i = 0; i < 8; ++i) {
    float x, y, z;
    CubeCorner(i, x, y, z);
    ply << x << " " << y << " " << z;
    if (colored) {
      ply << (i % 2 == 0 ? " 255 0 0" : " 0 255 0");
    }
    ply << "\n";
  }
  for (const auto& quad : kCubeQuads) {
    ply << "4 " << quad[0] << " " << quad[1] << " " << quad[2] << " " << quad[3] << "\n";
  }
  return ply.str();
}

inline void WritePlyCube(const std::filesystem::path& path, bool colored = false) {
  std::ofstream(path) << AsciiPlyCube(colored);
}

// An OBJ that has points and lines but no face.
inline void WriteObjWithoutSurface(const std::filesystem::path& path) {
  std::ofstream(path) << "v 0 0 0\nv 1 0 0\nv 0 1 0\nl 1 2\nl 2 3\np 1\n";
}

inline std::string Base64(const std::vector<std::uint8_t>& bytes) {
  static constexpr char kDigits[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string text;
  for (std::size_t i = 0; i < bytes.size(); i += 3) {
    const std::uint32_t chunk = (static_cast<std::uint32_t>(bytes[i]) << 16) |
                                (i + 1 < bytes.size() ? static_cast<std::uint32_t>(bytes[i + 1]) << 8 : 0u) |
                                (i + 2 < bytes.size() ? static_cast<std::uint32_t>(bytes[i + 2]) : 0u);
    text += kDigits[(chunk >> 18) & 63];
    text += kDigits[(chunk >> 12) & 63];
    text += i + 1 < bytes.size() ? kDigits[(chunk >> 6) & 63] : '=';
    text += i + 2 < bytes.size() ? kDigits[chunk & 63] : '=';
  }
  return text;
}

template <class T>
void AppendBytes(std::vector<std::uint8_t>& bytes, T value) {
  std::uint8_t raw[sizeof(T)];
  std::memcpy(raw, &value, sizeof(T));
  bytes.insert(bytes.end(), raw, raw + sizeof(T));
}

struct GltfOptions {
  bool camera = true;            // a camera at (-10, 0, 15) looking down -z at the red cube
  bool lights = false;           // a point light at (0, 0, 20), a directional light turned by its node
  bool mirrored = false;         // the red cube placed with a mirroring scale
  bool cameraLooksAway = false;  // the camera turned half round, seeing neither cube
};

// A red cube at x = -10 and a blue cube at x = +10 (sides of two), each
// with its own material and flat normals.
inline void WriteTwoCubeGltf(const std::filesystem::path& path, const GltfOptions& options = {}) {
  std::vector<std::uint8_t> buffer;
  for (const auto& quad : kCubeQuads) {  // 24 positions
    for (int corner : quad) {
      float x, y, z;
      CubeCorner(corner, x, y, z);
      AppendBytes(buffer, x);
      AppendBytes(buffer, y);
      AppendBytes(buffer, z);
    }
  }
  for (const auto& quad : kCubeQuads) {  // 24 normals, one per side
    float ax, ay, az, bx, by, bz, cx, cy, cz;
    CubeCorner(quad[0], ax, ay, az);
    CubeCorner(quad[1], bx, by, bz);
    CubeCorner(quad[2], cx, cy, cz);
    const float nx = (by - ay) * (cz - az) - (bz - az) * (cy - ay);
    const float ny = (bz - az) * (cx - ax) - (bx - ax) * (cz - az);
    const float nz = (bx - ax) * (cy - ay) - (by - ay) * (cx - ax);
    const float length = std::sqrt(nx * nx + ny * ny + nz * nz);
    for (int k = 0; k < 4; ++k) {
      AppendBytes(buffer, nx / length);
      AppendBytes(buffer, ny / length);
      AppendBytes(buffer, nz / length);
    }
  }
  for (std::uint16_t side = 0; side < 6; ++side) {  // 36 indices
    for (std::uint16_t k : {0, 1, 2, 0, 2, 3}) {
      AppendBytes(buffer, static_cast<std::uint16_t>(side * 4 + k));
    }
  }
  std::ostringstream json;
  json << R"({"asset":{"version":"2.0"},"scene":0,"scenes":[{"nodes":[0,1)" << (options.camera ? ",2" : "")
       << (options.lights ? ",3,4" : "") << R"(]}],)"
       << R"("nodes":[)"
       << R"({"name":"red","mesh":0,"translation":[-10,0,0])" << (options.mirrored ? R"(,"scale":[-1,1,1])" : "")
       << R"(},{"name":"blue","mesh":1,"translation":[10,0,0]},)"
       << R"({"name":"eye","camera":0,"translation":[-10,0,15])"
       << (options.cameraLooksAway ? R"(,"rotation":[0,1,0,0])" : "") << R"(},)"
       << R"({"name":"lamp","translation":[0,0,20],"extensions":{"KHR_lights_punctual":{"light":0}}},)"
       << R"({"name":"sun","rotation":[0.7071068,0,0,0.7071068],"extensions":{"KHR_lights_punctual":{"light":1}}}],)"
       << R"("cameras":[{"type":"perspective","perspective":{"yfov":0.5,"aspectRatio":1.3333,"znear":1,"zfar":100}}],)"
       << R"("extensionsUsed":["KHR_lights_punctual"],)"
       << R"("extensions":{"KHR_lights_punctual":{"lights":[{"type":"point","color":[1,1,1],"intensity":1},)"
       << R"({"type":"directional","color":[1,1,1],"intensity":1}]}},)"
       << R"("materials":[{"name":"Red","pbrMetallicRoughness":{"baseColorFactor":[1,0,0,1]}},)"
       << R"({"name":"Blue","pbrMetallicRoughness":{"baseColorFactor":[0,0,1,1]}}],)"
       << R"("meshes":[{"primitives":[{"attributes":{"POSITION":0,"NORMAL":1},"indices":2,"material":0}]},)"
       << R"({"primitives":[{"attributes":{"POSITION":0,"NORMAL":1},"indices":2,"material":1}]}],)"
       << R"("accessors":[{"bufferView":0,"componentType":5126,"count":24,"type":"VEC3",)"
       << R"("min":[-1,-1,-1],"max":[1,1,1]},)"
       << R"({"bufferView":1,"componentType":5126,"count":24,"type":"VEC3"},)"
       << R"({"bufferView":2,"componentType":5123,"count":36,"type":"SCALAR"}],)"
       << R"("bufferViews":[{"buffer":0,"byteOffset":0,"byteLength":288},)"
       << R"({"buffer":0,"byteOffset":288,"byteLength":288},)"
       << R"({"buffer":0,"byteOffset":576,"byteLength":72}],)"
       << R"("buffers":[{"byteLength":)" << buffer.size() << R"(,"uri":"data:application/octet-stream;base64,)"
       << Base64(buffer) << R"("}]})";
  std::ofstream(path) << json.str();
}

// The cube of WritePlyCube in binary little-endian PLY, as bytes, for tests
// that damage it.
inline std::string BinaryPlyCube() {
  std::ostringstream ply;
  ply << "ply\nformat binary_little_endian 1.0\nelement vertex 8\nproperty float x\nproperty float y\n"
         "property float z\nelement face 6\nproperty list uchar int vertex_indices\nend_header\n";
  for (int i = 0; i < 8; ++i) {
    float corner[3];
    CubeCorner(i, corner[0], corner[1], corner[2]);
    ply.write(reinterpret_cast<const char*>(corner), sizeof corner);
  }
  for (const auto& quad : kCubeQuads) {
    ply.put(4);
    ply.write(reinterpret_cast<const char*>(quad), sizeof quad);
  }
  return ply.str();
}

// Damaged cubes on which the importer (5.2) reads on for ever: the binary
// one cut inside its header, and the ASCII one with "end_header" turned to
// "dnd_header" by one flipped bit. (Other flips near the binary header's end
// make it read past the data for a while and then stop or crash, depending
// on what lies in memory there: no use for a test.)
inline std::string PlyCubeCutInItsHeader() { return BinaryPlyCube().substr(0, 100); }
inline std::string PlyCubeWithAFlippedBit() {
  std::string text = AsciiPlyCube();
  text[text.find("end_header")] ^= 0x01;
  return text;
}

inline void WriteBytes(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

// Two cubes as triangles (each quad split from its first corner), "good" at
// x = +5 and "damaged" at x = -5, whose corner 0 is not a number. Six of
// the damaged cube's triangles touch that corner.
inline constexpr int kTrianglesOnNanCorner = 6;
inline void WriteObjWithNanCorner(const std::filesystem::path& path) {
  std::ofstream obj(path);
  int base = 0;
  for (const auto& [name, offset] : {std::pair{"good", 5.0f}, std::pair{"damaged", -5.0f}}) {
    obj << "o " << name << "\n";
    for (int i = 0; i < 8; ++i) {
      float x, y, z;
      CubeCorner(i, x, y, z);
      if (offset < 0 && i == 0) {
        obj << "v nan " << y << " " << z << "\n";
      } else {
        obj << "v " << x + offset << " " << y << " " << z << "\n";
      }
    }
    for (const auto& q : kCubeQuads) {
      obj << "f " << base + q[0] + 1 << " " << base + q[1] + 1 << " " << base + q[2] + 1 << "\n";
      obj << "f " << base + q[0] + 1 << " " << base + q[2] + 1 << " " << base + q[3] + 1 << "\n";
    }
    base += 8;
  }
}

// A glTF whose scene is a chain of `depth` nodes, each the only child of the
// one before; the innermost carries one triangle.
inline void WriteDeeplyNestedGltf(const std::filesystem::path& path, int depth) {
  std::vector<std::uint8_t> buffer;
  for (float value : {0.0f, 0.0f, 0.0f, 1.0f, 0.0f, 0.0f, 0.0f, 1.0f, 0.0f}) {
    AppendBytes(buffer, value);
  }
  std::ostringstream json;
  json << R"({"asset":{"version":"2.0"},"scene":0,"scenes":[{"nodes":[0]}],"nodes":[)";
  for (int i = 0; i < depth; ++i) {
    json << (i > 0 ? "," : "");
    if (i + 1 < depth) {
      json << R"({"children":[)" << i + 1 << "]}";
    } else {
      json << R"({"mesh":0})";
    }
  }
  json << R"(],"meshes":[{"primitives":[{"attributes":{"POSITION":0}}]}],)"
       << R"("accessors":[{"bufferView":0,"componentType":5126,"count":3,"type":"VEC3",)"
       << R"("min":[0,0,0],"max":[1,1,0]}],"bufferViews":[{"buffer":0,"byteOffset":0,"byteLength":36}],)"
       << R"("buffers":[{"byteLength":36,"uri":"data:application/octet-stream;base64,)" << Base64(buffer) << R"("}]})";
  std::ofstream(path) << json.str();
}

}  // namespace linvale::test
