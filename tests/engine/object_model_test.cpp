// The private heap, reference counts and the dictionary.
#include <quorra/dictionary.h>
#include <quorra/mem.h>
#include <quorra/object.h>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

// Counts its destructions, so a test sees exactly when release deletes.
class Counted : public Npr::Object {
public:
  explicit Counted(int* deletions) : mDeletions(deletions) {}
  ~Counted() override { ++*mDeletions; }

private:
  int* mDeletions;
};

Counted* MakeInHeap(int* deletions) { return new (Npr::inPrivateHeap) Counted(deletions); }

TEST(PrivateHeap, KnowsExactlyItsLiveBlocks) {
  void* block = Npr::mem::alloc(24);
  ASSERT_NE(block, nullptr);
  EXPECT_TRUE(Npr::mem::isValid(block));
  // Inside a block is not the block; neighbours, stack and heap of the C
  // runtime are not ours.
  EXPECT_FALSE(Npr::mem::isValid(static_cast<char*>(block) + 8));
  int onStack = 0;
  EXPECT_FALSE(Npr::mem::isValid(&onStack));
  const auto foreign = std::make_unique<int>(3);
  EXPECT_FALSE(Npr::mem::isValid(foreign.get()));
  EXPECT_FALSE(Npr::mem::isValid(nullptr));
  EXPECT_FALSE(Npr::mem::free(foreign.get()));

  EXPECT_TRUE(Npr::mem::free(block));
  EXPECT_FALSE(Npr::mem::isValid(block));
  EXPECT_FALSE(Npr::mem::free(block));
}

TEST(PrivateHeap, ReallocKeepsContentsAndMovesTheRecord) {
  void* block = Npr::mem::alloc(4);
  ASSERT_NE(block, nullptr);
  static_cast<unsigned char*>(block)[3] = 0xAB;
  void* const before = block;
  ASSERT_TRUE(Npr::mem::realloc(block, 1 << 20));
  EXPECT_EQ(static_cast<unsigned char*>(block)[3], 0xAB);
  EXPECT_TRUE(Npr::mem::isValid(block));
  if (block != before) {
    EXPECT_FALSE(Npr::mem::isValid(before));
  }

  // A block the heap does not know is refused and left as it was.
  int onStack = 0;
  void* foreign = &onStack;
  EXPECT_FALSE(Npr::mem::realloc(foreign, 64));
  EXPECT_EQ(foreign, &onStack);
  EXPECT_TRUE(Npr::mem::free(block));
}

TEST(ReferenceCount, TakeReleaseAndDeletionOfHeapObjects) {
  int deletions = 0;
  Counted* object = MakeInHeap(&deletions);
  ASSERT_NE(object, nullptr);
  EXPECT_EQ(object->take(), 1u);
  EXPECT_EQ(object->take(), 2u);
  EXPECT_EQ(object->release(), 1u);
  EXPECT_EQ(deletions, 0);
  EXPECT_EQ(object->release(), 0u);
  EXPECT_EQ(deletions, 1);
  // Its block went with it: a stale pointer is no longer taken for an object.
  EXPECT_FALSE(Npr::mem::isValid(object));
}

TEST(ReferenceCount, ReleasingAtZeroLocksTheObject) {
  int deletions = 0;
  Counted* object = MakeInHeap(&deletions);
  ASSERT_NE(object, nullptr);
  EXPECT_EQ(object->release(), Npr::Object::lockedCount);
  EXPECT_EQ(deletions, 0);
  EXPECT_EQ(object->take(), 0u);
  EXPECT_EQ(object->take(), 0u);
  delete object;
  EXPECT_EQ(deletions, 1);
  EXPECT_FALSE(Npr::mem::isValid(object));
}

TEST(ReferenceCount, ObjectsOutsideTheHeapAreNeverCountedOrDeleted) {
  int deletions = 0;
  {
    Counted onStack(&deletions);
    EXPECT_EQ(onStack.take(), 0u);
    EXPECT_EQ(onStack.release(), 0xFFFFFFFFu);
  }
  EXPECT_EQ(deletions, 1);

  auto* plain = new Counted(&deletions);
  EXPECT_FALSE(Npr::mem::isValid(plain));
  EXPECT_EQ(plain->take(), 0u);
  EXPECT_EQ(plain->release(), 0xFFFFFFFFu);
  EXPECT_EQ(deletions, 1);
  delete plain;
  EXPECT_EQ(deletions, 2);

  static Counted kStatic(&deletions);
  EXPECT_EQ(kStatic.release(), 0xFFFFFFFFu);
  EXPECT_EQ(deletions, 2);
}

TEST(ReferenceCount, CopiesCarryTheCount) {
  int deletions = 0;
  Counted* object = MakeInHeap(&deletions);
  ASSERT_NE(object, nullptr);
  object->take();
  object->take();
  Counted* copy = new (Npr::inPrivateHeap) Counted(*object);
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(copy->take(), 3u);
  delete copy;
  delete object;
}

// A call through a null pointer is what hosts do; the sanitizer tree reports
// the call itself, so the check runs in the optimised trees only.
#ifndef LINVALE_SANITIZED
TEST(ReferenceCount, NullInterfaceIsAHarmlessNoOpInTheOptimisedBuild) {
  // Read through a volatile, as a host's pointer would come: unknown here.
  const Npr::Interface* volatile none = nullptr;
  EXPECT_EQ(none->take(), 0u);
  EXPECT_EQ(none->release(), 0xFFFFFFFFu);
}
#endif

class DictionaryTest : public ::testing::Test {
protected:
  void SetUp() override {
    dictionary = new (Npr::inPrivateHeap) Npr::Dictionary();
    ASSERT_NE(dictionary, nullptr);
    dictionary->take();
    for (int i = 0; i < 3; ++i) {
      objects.push_back(MakeInHeap(&deletions));
      objects.back()->take();
    }
  }
  void TearDown() override {
    dictionary->release();
    for (Counted* object : objects) {
      object->release();
    }
    EXPECT_EQ(deletions, 3);
  }
  // Count after one more take and release: what the dictionary holds plus
  // the test's own reference.
  static unsigned CountOf(Counted* object) {
    object->take();
    return object->release();
  }

  Npr::Dictionary* dictionary = nullptr;
  std::vector<Counted*> objects;
  int deletions = 0;
};

TEST_F(DictionaryTest, AddRefusesAPresentNameWithoutTakingAndSetReplaces) {
  Counted* x = objects[0];
  Counted* y = objects[1];
  EXPECT_TRUE(dictionary->add(L"a", x));
  EXPECT_EQ(CountOf(x), 2u);
  EXPECT_FALSE(dictionary->add(L"a", y));
  EXPECT_EQ(CountOf(y), 1u);

  EXPECT_TRUE(dictionary->set(L"a", y));
  EXPECT_EQ(CountOf(x), 1u);
  EXPECT_EQ(CountOf(y), 2u);
  EXPECT_EQ(dictionary->entryCount(), 1u);
}

TEST_F(DictionaryTest, SetOfAnAbsentNameAppendsAndTakeGivesAReference) {
  Counted* z = objects[2];
  EXPECT_FALSE(dictionary->set(L"b", z));
  EXPECT_TRUE(dictionary->has(L"b"));
  Npr::Interface* taken = dictionary->take(L"b");
  EXPECT_EQ(taken, z);
  EXPECT_EQ(CountOf(z), 3u);
  taken->release();
  EXPECT_EQ(dictionary->take(L"missing"), nullptr);
  // Names are compared case-sensitively.
  EXPECT_FALSE(dictionary->has(L"B"));
}

TEST_F(DictionaryTest, RemoveGivesBackTheReferenceAndAddReusesTheEntry) {
  EXPECT_TRUE(dictionary->add(L"first", objects[0]));
  EXPECT_TRUE(dictionary->add(L"second", objects[1]));
  EXPECT_TRUE(dictionary->remove(L"first"));
  EXPECT_FALSE(dictionary->remove(L"first"));
  EXPECT_FALSE(dictionary->has(L"first"));
  EXPECT_EQ(CountOf(objects[0]), 1u);

  EXPECT_TRUE(dictionary->add(L"third", objects[2]));
  EXPECT_EQ(dictionary->entryCount(), 2u);
  EXPECT_TRUE(dictionary->has(L"third"));
  EXPECT_TRUE(dictionary->has(L"second"));
}

TEST_F(DictionaryTest, RefusesWhatCannotBeHeld) {
  int outsideDeletions = 0;
  Counted onStack(&outsideDeletions);
  EXPECT_FALSE(dictionary->add(L"stack", &onStack));
  EXPECT_FALSE(dictionary->add(L"null", nullptr));
  EXPECT_FALSE(dictionary->set(L"null", nullptr));
  const std::wstring tooLong(Npr::Dictionary::nameCapacity, L'n');
  EXPECT_FALSE(dictionary->add(tooLong.c_str(), objects[0]));
  EXPECT_EQ(CountOf(objects[0]), 1u);
  const std::wstring longest(Npr::Dictionary::nameCapacity - 1, L'n');
  EXPECT_TRUE(dictionary->add(longest.c_str(), objects[0]));
  EXPECT_EQ(dictionary->entryCount(), 1u);
}

TEST_F(DictionaryTest, DestroyingTheDictionaryGivesEveryReferenceBack) {
  for (int i = 0; i < 3; ++i) {
    const std::wstring name = L"n" + std::to_wstring(i);
    ASSERT_TRUE(dictionary->add(name.c_str(), objects[static_cast<std::size_t>(i)]));
  }
  // Growth past the first eight entries keeps every entry.
  for (int i = 0; i < 20; ++i) {
    const std::wstring name = L"extra" + std::to_wstring(i);
    ASSERT_TRUE(dictionary->add(name.c_str(), objects[0]));
  }
  EXPECT_EQ(CountOf(objects[0]), 22u);
  dictionary->release();
  dictionary = new (Npr::inPrivateHeap) Npr::Dictionary();
  dictionary->take();
  for (Counted* object : objects) {
    EXPECT_EQ(CountOf(object), 1u);
  }
}

}  // namespace
