#include <linvale/npr_shader.h>

#include <strings.h>

#include <limits>
#include <string>

NprShader* NprShader::sShader[NprShader::MaxShaders] = {};
std::uint32_t NprShader::sShaders = 0;
std::uint32_t NprShader::sCurShaderIndex = std::numeric_limits<std::uint32_t>::max();

namespace {

constexpr std::uint32_t noCurrentShader = std::numeric_limits<std::uint32_t>::max();
// Plug-ins are shared objects on this platform.
constexpr const char* pluginPattern = "/*.so";

using CreateEntryPoint = NprShader* (*)();

// Closes a folder search however the loading loop ends.
class FolderSearch {
public:
  FolderSearch(const std::string& pattern, WIN32_FIND_DATAA& found)
      : mHandle(FindFirstFileA(pattern.c_str(), &found)) {}
  ~FolderSearch() {
    if (Found()) {
      FindClose(mHandle);
    }
  }
  FolderSearch(const FolderSearch&) = delete;
  FolderSearch& operator=(const FolderSearch&) = delete;

  bool Found() const { return mHandle != INVALID_HANDLE_VALUE; }
  bool Next(WIN32_FIND_DATAA& found) { return FindNextFileA(mHandle, &found) != FALSE; }

private:
  HANDLE mHandle;
};

bool SameIgnoringCase(const char* a, const char* b) { return a != nullptr && b != nullptr && strcasecmp(a, b) == 0; }

}  // namespace

unsigned long NprShader::LoadFolder(const char* folder, TS_Light& light, TS_Viewport& viewport, bool preview) {
  UnLoadAll();
  if (folder == nullptr) {
    return 0;
  }
  try {
    WIN32_FIND_DATAA found;
    FolderSearch search(std::string(folder) + pluginPattern, found);
    if (!search.Found()) {
      return 0;
    }
    do {
      NprShader* shader = Load((std::string(folder) + "/" + found.cFileName).c_str());
      if (shader == nullptr) {
        continue;
      }
      shader->setDefaultViewport(viewport);
      shader->setDefaultLight(light);
      shader->mIsPreviewSceneCreated = preview;
      sShader[sShaders++] = shader;
    } while (sShaders < MaxShaders && search.Next(found));
  } catch (const std::exception&) {
    // Out of memory while building a path: keep what was loaded so far.
  }
  return Shaders();
}

NprShader* NprShader::Load(const char* path) {
  HMODULE module = LoadLibraryA(path);
  if (module == nullptr) {
    return nullptr;
  }
  auto create = reinterpret_cast<CreateEntryPoint>(GetProcAddress(module, "NprShaderCreate"));
  NprShader* shader = create != nullptr ? create() : nullptr;
  if (shader == nullptr) {
    FreeLibrary(module);
  }
  return shader;
}

int NprShader::UnLoadAll() {
  for (std::uint32_t i = 0; i < sShaders; ++i) {
    sShader[i]->Release();
    sShader[i] = nullptr;
  }
  sCurShaderIndex = noCurrentShader;
  sShaders = 0;
  return 1;
}

unsigned long NprShader::Shaders() { return sShaders; }

NprShader* NprShader::Current() { return GetByIndex(sCurShaderIndex); }

NprShader* NprShader::GetByIndex(unsigned long index) { return index < sShaders ? sShader[index] : nullptr; }

NprShader* NprShader::GetByName(const char* name) {
  for (std::uint32_t i = 0; i < sShaders; ++i) {
    if (SameIgnoringCase(sShader[i]->GetName(0), name)) {
      return sShader[i];
    }
  }
  return nullptr;
}

NprShader* NprShader::GetByTag(const char* tag) {
  for (std::uint32_t i = 0; i < sShaders; ++i) {
    if (SameIgnoringCase(sShader[i]->GetTag(0), tag)) {
      return sShader[i];
    }
  }
  return nullptr;
}

NprShader* NprShader::SelectByIndex(unsigned long index) {
  NprShader* previous = Current();
  // An index too large for the stored width must not wrap onto a real entry.
  sCurShaderIndex = index < noCurrentShader ? static_cast<std::uint32_t>(index) : noCurrentShader;
  return previous;
}

NprShader* NprShader::SelectByTag(const char* tag) {
  std::uint32_t index = 0;
  while (index < sShaders && !SameIgnoringCase(sShader[index]->GetTag(0), tag)) {
    ++index;
  }
  return SelectByIndex(index);
}
