// Reading models in a child process: the model comes back exactly as the
// in-process reader gives it, and damaged files that crash, hang or block
// the importer fail the read within its limits, naming the file.
#include <tessel/ts_model.h>

#include "../support/temporary_home.h"
#include "model_files.h"

#include <gtest/gtest.h>

#include <linux/filter.h>
#include <linux/seccomp.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstddef>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <memory>
#include <thread>
#include <vector>
#include <string>

namespace {

namespace fs = std::filesystem;
using linvale::test::TemporaryFolder;
using Clock = std::chrono::steady_clock;

constexpr const char* kEngineModel = "/usr/share/assimp/models/glTF2/2CylinderEngine-glTF-Binary/2CylinderEngine.glb";

template <class A, class B>
bool SameElements(const A& a, const B& b) {
  return std::ranges::equal(a, b);
}

void ExpectSameModel(const TS_Model& isolated, const TS_Model& inProcess) {
  EXPECT_EQ(isolated.m_up, inProcess.m_up);
  EXPECT_EQ(isolated.m_invalidFaces, inProcess.m_invalidFaces);
  EXPECT_TRUE(SameElements(isolated.m_materials, inProcess.m_materials));
  EXPECT_TRUE(SameElements(isolated.m_lights, inProcess.m_lights));
  EXPECT_TRUE(SameElements(isolated.m_views, inProcess.m_views));
  ASSERT_EQ(isolated.m_objects.Count(), inProcess.m_objects.Count());
  for (int i = 0; i < isolated.m_objects.Count(); ++i) {
    const TS_ModelObject& a = isolated.m_objects[i];
    const TS_ModelObject& b = inProcess.m_objects[i];
    EXPECT_EQ(a.name, b.name) << "object " << i;
    EXPECT_EQ(a.color, b.color) << "object " << i;
    EXPECT_EQ(a.material, b.material) << "object " << i;
    EXPECT_TRUE(SameElements(a.mesh.Vertices(), b.mesh.Vertices())) << "object " << i;
    EXPECT_TRUE(SameElements(a.mesh.Faces(), b.mesh.Faces())) << "object " << i;
    EXPECT_TRUE(SameElements(a.mesh.VertexNormals(), b.mesh.VertexNormals())) << "object " << i;
    EXPECT_TRUE(SameElements(a.mesh.FaceNormals(), b.mesh.FaceNormals())) << "object " << i;
  }
}

struct Outcome {
  bool read = false;
  TS_String error;
  double seconds = 0.0;
};

Outcome ReadIsolated(const std::string& path, const TS_ModelReadLimits& limits = {}) {
  const auto start = Clock::now();
  TS_Model model;
  Outcome outcome;
  outcome.read = model.ReadIsolated(path.c_str(), outcome.error, limits);
  outcome.seconds = std::chrono::duration<double>(Clock::now() - start).count();
  EXPECT_EQ(outcome.read, !model.m_objects.IsEmpty()) << path;
  return outcome;
}

// A failure of the read, in one line naming the file and saying `what`.
void ExpectRefused(const Outcome& outcome, const std::string& path, const std::string& what) {
  EXPECT_FALSE(outcome.read) << path;
  EXPECT_NE(outcome.error.find(path), std::string::npos) << outcome.error;
  EXPECT_NE(outcome.error.find(what), std::string::npos) << outcome.error;
  EXPECT_EQ(outcome.error.find('\n'), std::string::npos) << outcome.error;
}

TS_ModelReadLimits OneSecond() {
  TS_ModelReadLimits limits;
  limits.seconds = 1;
  return limits;
}

}  // namespace

TEST(IsolatedImport, ModelsComeBackExactlyAsReadInProcess) {
  TemporaryFolder folder;
  linvale::test::WriteTwoCubeGltf(folder / "cubes.gltf", {.camera = true, .lights = true});
  linvale::test::WritePlyCube(folder / "colored.ply", true);
  linvale::test::WriteObjWithNanCorner(folder / "nan.obj");
  std::vector<std::string> files = {folder / "cubes.gltf", folder / "colored.ply", folder / "nan.obj"};
  if (fs::exists(kEngineModel)) {
    files.push_back(kEngineModel);  // many meshes, materials and placements
  }
  for (const std::string& file : files) {
    SCOPED_TRACE(file);
    TS_Model inProcess, isolated;
    TS_String error;
    ASSERT_TRUE(inProcess.Read(file.c_str(), error)) << error;
    ASSERT_TRUE(isolated.ReadIsolated(file.c_str(), error)) << error;
    ExpectSameModel(isolated, inProcess);
  }
}

TEST(IsolatedImport, ACutOrBitFlippedPlyFailsWithinItsTimeLimit) {
  TemporaryFolder folder;
  linvale::test::WriteBytes(folder / "cut.ply", linvale::test::PlyCubeCutInItsHeader());
  linvale::test::WriteBytes(folder / "flipped.ply", linvale::test::PlyCubeWithAFlippedBit());
  for (const std::string& file : {folder / "cut.ply", folder / "flipped.ply"}) {
    const Outcome outcome = ReadIsolated(file, OneSecond());
    ExpectRefused(outcome, file, "the importer took longer than 1 s");
    EXPECT_LT(outcome.seconds, 4.0) << file;
  }
}

TEST(IsolatedImport, AnImporterThatCrashesFailsTheReadOnly) {
  TemporaryFolder folder;
  linvale::test::WriteDeeplyNestedGltf(folder / "nested.gltf", 20000);
  const std::string file = folder / "nested.gltf";
  ExpectRefused(ReadIsolated(file), file, "the importer crashed");
  // Shallow nesting of the same kind reads, so the crash is the depth's.
  linvale::test::WriteDeeplyNestedGltf(folder / "shallow.gltf", 50);
  TS_Model model;
  TS_String error;
  ASSERT_TRUE(model.ReadIsolated((folder / "shallow.gltf").c_str(), error)) << error;
  EXPECT_EQ(model.m_objects[0].mesh.FaceCount(), 1);
}

TEST(IsolatedImport, NonFiniteCornersDropTheirFacesOnly) {
  TemporaryFolder folder;
  linvale::test::WriteObjWithNanCorner(folder / "nan.obj");
  TS_Model model;
  TS_String error;
  ASSERT_TRUE(model.ReadIsolated((folder / "nan.obj").c_str(), error)) << error;
  EXPECT_EQ(model.m_invalidFaces, static_cast<std::uint64_t>(linvale::test::kTrianglesOnNanCorner));
  ASSERT_EQ(model.m_objects.Count(), 2);
  EXPECT_EQ(model.m_objects[0].name, "good");
  EXPECT_EQ(model.m_objects[0].mesh.FaceCount(), 12);
  EXPECT_EQ(model.m_objects[1].name, "damaged");
  EXPECT_EQ(model.m_objects[1].mesh.FaceCount(), 12 - linvale::test::kTrianglesOnNanCorner);
  for (const TS_3fPoint& corner : model.m_objects[1].mesh.Vertices()) {
    EXPECT_TRUE(std::isfinite(corner.x)) << "the corner that is no point goes too";
  }
}

TEST(IsolatedImport, FilesThatAreNotRegularAreRefusedWithoutBlocking) {
  TemporaryFolder folder;
  const std::string fifo = folder / "model.obj";
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  const Outcome isolated = ReadIsolated(fifo);
  ExpectRefused(isolated, fifo, "is a FIFO, not a model file");
  EXPECT_LT(isolated.seconds, 1.0);
  TS_Model model;
  TS_String error;
  EXPECT_FALSE(model.Read(fifo.c_str(), error)) << "in process, too";
  EXPECT_NE(error.find("FIFO"), std::string::npos) << error;
  ExpectRefused(ReadIsolated("/dev/null"), "/dev/null", "is a device");
}

TEST(IsolatedImport, ACanceledReadStopsTheImporter) {
  TemporaryFolder folder;
  linvale::test::WriteBytes(folder / "cut.ply", linvale::test::PlyCubeCutInItsHeader());
  TS_ModelReadLimits limits;
  limits.seconds = 60;
  const auto cancelAt = Clock::now() + std::chrono::milliseconds(300);
  limits.canceled = [&] { return Clock::now() >= cancelAt; };
  const Outcome outcome = ReadIsolated(folder / "cut.ply", limits);
  ExpectRefused(outcome, folder / "cut.ply", "interrupted");
  EXPECT_LT(outcome.seconds, 2.0);
}

namespace {

// The processes this one has started and not yet reaped, running or not.
std::vector<pid_t> ChildrenOfThisProcess() {
  std::ifstream list("/proc/self/task/" + std::to_string(gettid()) + "/children");
  std::vector<pid_t> children;
  for (pid_t child; list >> child;) {
    children.push_back(child);
  }
  return children;
}

}  // namespace

// The importer works while the caller does other things: a file it loops on
// has used up its processor time by the time the caller asks for the model,
// and a read given up unfinished takes its importer with it.
TEST(IsolatedImport, AReadStartedEarlyIsFinishedLaterOrStopped) {
  TemporaryFolder folder;
  linvale::test::WriteBytes(folder / "cut.ply", linvale::test::PlyCubeCutInItsHeader());
  const std::string looping = folder / "cut.ply";
  {
    TS_IsolatedModelRead reading(looping.c_str(), OneSecond());
    std::this_thread::sleep_for(std::chrono::milliseconds(2500));
    const auto finishing = Clock::now();
    TS_Model model;
    TS_String error;
    EXPECT_FALSE(reading.Finish(model, error));
    EXPECT_NE(error.find("took longer than 1 s"), std::string::npos) << error;
    EXPECT_LT(std::chrono::duration<double>(Clock::now() - finishing).count(), 1.0);
  }
  {
    TS_ModelReadLimits limits;
    limits.seconds = 60;
    auto reading = std::make_unique<TS_IsolatedModelRead>(looping.c_str(), limits);
    ASSERT_EQ(ChildrenOfThisProcess().size(), 1u);
    reading.reset();
    EXPECT_TRUE(ChildrenOfThisProcess().empty()) << "the importer outlived its read";
  }
  TS_Model model;
  TS_String error;
  linvale::test::WritePlyCube(folder / "cube.ply", false);
  TS_IsolatedModelRead reading((folder / "cube.ply").c_str());
  ASSERT_TRUE(reading.Finish(model, error)) << error;
  EXPECT_EQ(model.m_objects[0].mesh.FaceCount(), 12);
  EXPECT_FALSE(reading.Finish(model, error)) << "the model was taken already";
  EXPECT_TRUE(model.m_objects.IsEmpty());
}

namespace {

// From now on this process and its children may not read other processes'
// memory, as some sandboxes' policies have it.
bool ForbidReadingOtherProcesses() {
  sock_filter filter[] = {
      BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, nr)),
      BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, __NR_process_vm_readv, 0, 1),
      BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ERRNO | (EPERM & SECCOMP_RET_DATA)),
      BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW),
  };
  const sock_fprog program{static_cast<unsigned short>(std::size(filter)), filter};
  return prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) == 0 && prctl(PR_SET_SECCOMP, SECCOMP_MODE_FILTER, &program) == 0;
}

bool SameMeshes(const TS_Model& a, const TS_Model& b) {
  return std::ranges::equal(a.m_objects, b.m_objects, [](const TS_ModelObject& x, const TS_ModelObject& y) {
    return SameElements(x.mesh.Vertices(), y.mesh.Vertices()) && SameElements(x.mesh.Faces(), y.mesh.Faces()) &&
           SameElements(x.mesh.VertexNormals(), y.mesh.VertexNormals());
  });
}

}  // namespace

// The meshes are copied straight out of the importer's memory where the
// system allows it, and come in the reply where it does not.
TEST(IsolatedImportDeathTest, WhereTheImportersMemoryIsOutOfReachTheMeshesComeInTheReply) {
  TemporaryFolder folder;
  const std::string file = folder / "cubes.gltf";
  linvale::test::WriteTwoCubeGltf(file, {.camera = true, .lights = true});
  TS_Model inProcess;
  TS_String error;
  ASSERT_TRUE(inProcess.Read(file.c_str(), error)) << error;
  EXPECT_EXIT(
      {
        if (!ForbidReadingOtherProcesses()) {
          _exit(2);
        }
        TS_Model isolated;
        TS_String ignored;
        _exit(isolated.ReadIsolated(file.c_str(), ignored) && SameMeshes(isolated, inProcess) ? 0 : 1);
      },
      testing::ExitedWithCode(0), "");
}
