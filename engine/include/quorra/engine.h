// The renderer as a host sees it through the facade.
#pragma once

#include <quorra/export.h>
#include <quorra/host_application.h>
#include <quorra/object.h>
#include <quorra/scene.h>
#include <quorra/surface.h>

#include <windows.h>

namespace Npr {

class QUORRA_API Engine : public Object {
public:
  // The settings dialog: 1 OK, 2 Cancel, 0 when no shader could be loaded.
  virtual int showOptions(HWND parent) = 0;
  // Writes the picture to `path`, or to a file the user chooses when `path`
  // is null. False when the user cancels or the file was not written.
  virtual bool saveImage(HWND owner, Gs::Surface* surface, const wchar_t* path) = 0;
  // A new empty scene with one reference for the caller, or null.
  virtual Scene* createScene() = 0;
  // The picture at `size` whatever the view's size, or null.
  virtual Gs::Surface* renderSceneAtSize(Scene* scene, const View* view, const Gs::Size* size) = 0;
  // The picture in the current default style, or null. The caller owns it.
  virtual Gs::Surface* renderScene(Scene* scene, const View* view) = 0;

  // The engine with one reference for the caller, or null. It becomes the
  // renderer's host; `host` must outlive it. One engine per process.
  static Engine* create(HostApplication& host);

protected:
  Engine() = default;
  ~Engine() override = default;
};

}  // namespace Npr
