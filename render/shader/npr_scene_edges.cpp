#include <linvale/npr_node_edges.h>
#include <linvale/npr_render_progress.h>
#include <linvale/npr_scene_nodes.h>

#include <malloc.h>

#include <algorithm>
#include <atomic>
#include <exception>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

namespace {

// Hands out the nodes one at a time to whichever thread asks, and keeps
// the first failure of any of them for the calling thread.
class NodeQueue {
public:
  explicit NodeQueue(Scene* scene) {
    for (Node& node : NprSceneNodes(scene)) {
      mNodes.push_back(&node);
    }
  }

  std::size_t Size() const { return mNodes.size(); }
  unsigned Done() const { return mDone.load(); }

  // Does nodes until none are left or the work stopped; false when none was
  // left for this call.
  template <class Work>
  bool DoOne(const Work& work) {
    const std::size_t index = mNext.fetch_add(1);
    if (mStopped.load() || index >= mNodes.size()) {
      return false;
    }
    try {
      work(*mNodes[index]);
    } catch (...) {
      const std::scoped_lock lock(mFailureLock);
      if (!mFailure) {
        mFailure = std::current_exception();
      }
      mStopped = true;
    }
    ++mDone;
    mDone.notify_all();
    return true;
  }

  template <class Work>
  void DoAll(const Work& work) {
    while (DoOne(work)) {
    }
  }

  void Stop() { mStopped = true; }
  bool Stopped() const { return mStopped.load(); }

  // Blocks until more nodes than `seen` are done.
  void AwaitMoreThan(unsigned seen) const { mDone.wait(seen); }

  void RethrowFailure() const {
    if (mFailure) {
      std::rethrow_exception(mFailure);
    }
  }

private:
  std::vector<Node*> mNodes;
  std::atomic<std::size_t> mNext{0};
  std::atomic<unsigned> mDone{0};
  std::atomic<bool> mStopped{false};
  std::mutex mFailureLock;
  std::exception_ptr mFailure;
};

// Steps the progress for the nodes done since the last call; throws when
// the caller cancels.
void Report(const NodeQueue& queue, const NprRenderProgress& progress, unsigned& reported) {
  for (const unsigned done = queue.Done(); reported < done; ++reported) {
    progress.Step();
  }
  progress.CheckCancel();
}

// The helper threads stop taking nodes however the calling thread leaves.
class StopOnExit {
public:
  explicit StopOnExit(NodeQueue& queue) : mQueue(queue) {}
  ~StopOnExit() { mQueue.Stop(); }
  StopOnExit(const StopOnExit&) = delete;
  StopOnExit& operator=(const StopOnExit&) = delete;

private:
  NodeQueue& mQueue;
};

}  // namespace

void NprComputeSceneEdges(Scene* scene, const TS_Viewport& viewport, double thresholdDegree,
                          const NprRenderProgress& progress, const NprEdgeSwitches* chainSwitches) {
  NodeQueue queue(scene);
  const auto work = [&](Node& node) {
    NprComputeNodeEdges(node, viewport, thresholdDegree);
    if (chainSwitches != nullptr) {
      NprChainNodeEdges(node, *chainSwitches);
    }
  };
  const std::size_t threads = std::min<std::size_t>(std::max(1u, std::thread::hardware_concurrency()), queue.Size());
  std::vector<std::jthread> helpers;  // declared before the stop, so joined after it
  const StopOnExit stopOnExit(queue);
  for (std::size_t i = 1; i < threads; ++i) {
    try {
      helpers.emplace_back([&queue, &work] { queue.DoAll(work); });
    } catch (const std::system_error&) {
      break;  // fewer threads, same work
    }
  }
  unsigned reported = 0;
  while (queue.DoOne(work)) {
    Report(queue, progress, reported);
  }
  while (reported < queue.Size() && !queue.Stopped()) {
    queue.AwaitMoreThan(reported);
    Report(queue, progress, reported);
  }
  helpers.clear();
  // Building topology and chaining leave megabytes of freed temporaries in
  // every thread's heap, which the C library keeps mapped; handing their
  // pages back now lets the picture's buffers, allocated next, reuse them.
  malloc_trim(0);
  queue.RethrowFailure();
  Report(queue, progress, reported);
}
