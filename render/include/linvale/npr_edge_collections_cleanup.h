// A render's edges belong to that render alone: a scene drawn again must not
// carry them, however the render ends. A shader's render pass holds one of
// these for as long as it draws.
#pragma once

#include <linvale/scene.h>

class NprEdgeCollectionsCleanup {
public:
  // `scene` may be null.
  explicit NprEdgeCollectionsCleanup(Scene* scene) : mScene(scene) {}
  // Empties the edge collections of every node.
  ~NprEdgeCollectionsCleanup() {
    if (mScene != nullptr) {
      mScene->deleteLinesNodes();
    }
  }
  NprEdgeCollectionsCleanup(const NprEdgeCollectionsCleanup&) = delete;
  NprEdgeCollectionsCleanup& operator=(const NprEdgeCollectionsCleanup&) = delete;

private:
  Scene* mScene;
};
