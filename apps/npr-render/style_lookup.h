// Where styles are found: the host's styles folders in the order callers
// search them, then the shared styles folder of this installation.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include <linvale/npr_host_application_services.h>

namespace npr_render {

struct StyleFolder {
  std::string path;
  const char* kind;  // for listings: which folder this is
};

// The folders that exist, each once, in search order.
std::vector<StyleFolder> StyleFolders(const NprHostApplicationServices& host);

struct StyleLookup {
  std::string path;   // the style file, when found
  std::string error;  // why not, otherwise
};

// `style` is a path when it names a folder or ends in ".npr" and exists;
// otherwise the name of a style file (without ".npr") in the folders.
StyleLookup FindStyle(const std::string& style, const std::vector<StyleFolder>& folders);

// The style used when none is asked for: the user's default style file when
// it can be read, else the one beside the renderer library.
std::string DefaultStylePath(const NprHostApplicationServices& host, const std::string& libraryFolder);

// What makes no sense in a style file that names no shader: no [Common]
// section (binary junk has none either), or no "Current Render" in it. Empty
// when the file names one.
std::string StyleFileProblem(const std::string& path);

// Lists every style file of the folders (name and path), and the default.
void ListStyles(std::FILE* out, const std::vector<StyleFolder>& folders, const std::string& defaultStyle);

}  // namespace npr_render
