// The growable array's storage rules and operations, and strings built on it.
#include <quorra/array.h>
#include <quorra/npr_string.h>

#include <gtest/gtest.h>

#include <string>

namespace {

using CharArray = Npr::WideCharArray;

CharArray FromText(const std::wstring& text) {
  CharArray array;
  for (wchar_t c : text) {
    array.append(c);
  }
  return array;
}

std::wstring ToText(const CharArray& array) {
  std::wstring text;
  for (unsigned i = 0; i < array.length(); ++i) {
    text += array.at(i);
  }
  return text;
}

TEST(ArrayGrowth, SingleInsertionsGrowInStepsOfEight) {
  CharArray array;
  EXPECT_EQ(array.physicalLength(), 0u);
  EXPECT_EQ(static_cast<const wchar_t*>(array), nullptr);
  EXPECT_TRUE(array.isEmpty());
  ASSERT_TRUE(array.insertAt(0, L'x'));
  EXPECT_EQ(array.physicalLength(), 8u);
  EXPECT_EQ(array.length(), 1u);
  for (int i = 1; i < 8; ++i) {
    array.append(L'a');
  }
  EXPECT_EQ(array.physicalLength(), 8u);
  EXPECT_EQ(array.append(L'z'), 8u);
  EXPECT_EQ(array.physicalLength(), 16u);
  EXPECT_EQ(array.length(), 9u);
  EXPECT_EQ(array.first(), L'x');
  EXPECT_EQ(array.last(), L'z');
}

TEST(ArrayGrowth, InsertMovesTheTailUp) {
  CharArray array = FromText(L"acd");
  ASSERT_TRUE(array.insertAt(1, L'b'));
  EXPECT_EQ(ToText(array), L"abcd");
  ASSERT_TRUE(array.insertAt(4, L'e'));
  EXPECT_EQ(ToText(array), L"abcde");
}

TEST(ArrayGrowth, ExplicitLengthsAndWholeArraysGrowToWhatIsNeeded) {
  CharArray array;
  EXPECT_TRUE(array.setLogicalLength(0));
  EXPECT_EQ(array.physicalLength(), 0u);
  ASSERT_TRUE(array.setLogicalLength(5));
  EXPECT_EQ(array.physicalLength(), 5u);
  // At or past the capacity: at least capacity + 8.
  ASSERT_TRUE(array.setLogicalLength(6));
  EXPECT_EQ(array.physicalLength(), 13u);
  ASSERT_TRUE(array.setLogicalLength(40));
  EXPECT_EQ(array.physicalLength(), 40u);
  ASSERT_TRUE(array.setLogicalLength(3));
  EXPECT_EQ(array.physicalLength(), 40u);
  EXPECT_TRUE(array.compact());
  EXPECT_EQ(array.physicalLength(), 3u);

  CharArray left = FromText(L"abc");
  const CharArray right = FromText(L"defghij");
  ASSERT_TRUE(left.append(right));
  EXPECT_EQ(ToText(left), L"abcdefghij");
  EXPECT_EQ(left.physicalLength(), 10u);
  EXPECT_TRUE(left.append(CharArray()));
  ASSERT_TRUE(left.append(left));
  EXPECT_EQ(ToText(left), L"abcdefghijabcdefghij");

  ASSERT_TRUE(left.setPhysicalLength(4));
  EXPECT_EQ(ToText(left), L"abcd");
  ASSERT_TRUE(left.setPhysicalLength(0));
  EXPECT_EQ(left.physicalLength(), 0u);
  EXPECT_TRUE(left.isEmpty());
}

TEST(ArrayRemoval, SubArraysSingleElementsAndValues) {
  CharArray array = FromText(L"abcde");
  array.removeSubArray(2, 100);
  EXPECT_EQ(ToText(array), L"ab");

  array = FromText(L"abcdefg");
  array.removeSubArray(1, 3);
  EXPECT_EQ(ToText(array), L"aefg");
  array.removeFirst();
  array.removeLast();
  EXPECT_EQ(ToText(array), L"ef");

  array = FromText(L"abcabc");
  unsigned index = 0;
  EXPECT_TRUE(array.find(L'c', index));
  EXPECT_EQ(index, 2u);
  EXPECT_TRUE(array.find(L'c', index, 3));
  EXPECT_EQ(index, 5u);
  EXPECT_FALSE(array.contains(L'a', 4));
  EXPECT_TRUE(array.remove(L'b', 2));
  EXPECT_EQ(ToText(array), L"abcac");
  EXPECT_FALSE(array.remove(L'x'));
  array.removeAll();
  EXPECT_EQ(array.physicalLength(), 0u);
}

TEST(ArrayCopies, CopyAssignmentAndEquality) {
  const CharArray source = FromText(L"abcdefghi");
  const CharArray copy(source);
  EXPECT_EQ(copy.physicalLength(), source.physicalLength());
  EXPECT_TRUE(copy == source);
  EXPECT_NE(static_cast<const wchar_t*>(copy), static_cast<const wchar_t*>(source));

  // Storage large enough is reused; a smaller one is replaced by the
  // source's capacity.
  CharArray roomy(64);
  const CharArray xy = FromText(L"xy");
  roomy = xy;
  EXPECT_EQ(roomy.physicalLength(), 64u);
  EXPECT_EQ(ToText(roomy), L"xy");
  CharArray small = FromText(L"q");
  small = source;
  EXPECT_EQ(small.physicalLength(), source.physicalLength());
  EXPECT_EQ(ToText(small), L"abcdefghi");
  const CharArray none;
  small = none;
  EXPECT_EQ(small.physicalLength(), 0u);
  small = small;
  EXPECT_TRUE(small.isEmpty());

  EXPECT_FALSE(FromText(L"abc") == FromText(L"abd"));
  EXPECT_FALSE(FromText(L"abc") == FromText(L"ab"));
  EXPECT_FALSE(FromText(L"abc") == CharArray());
  EXPECT_TRUE(CharArray() == CharArray());
  // Allocated but empty is not the same as no storage.
  EXPECT_FALSE(CharArray(4) == CharArray());
}

TEST(ArrayOrder, SortReverseAndSwap) {
  CharArray word = FromText(L"banana");
  word.sort(0, static_cast<int>(word.length()) - 1);
  EXPECT_EQ(ToText(word), L"aaabnn");

  CharArray part = FromText(L"zyxwv");
  part.sort(1, 3);
  EXPECT_EQ(ToText(part), L"zwxyv");

  // Characters compare as unsigned code units.
  CharArray wide = FromText(std::wstring{static_cast<wchar_t>(0xFFFF), L'a'});
  wide.sort(0, 1);
  EXPECT_EQ(wide.first(), L'a');

  CharArray reversed = FromText(L"abcd");
  reversed.reverse();
  EXPECT_EQ(ToText(reversed), L"dcba");
  reversed.swap(0, 3).swap(1, 1);
  EXPECT_EQ(ToText(reversed), L"acbd");
  reversed.setAll(L'k');
  EXPECT_EQ(ToText(reversed), L"kkkk");
}

TEST(NprString, HoldsExactlyItsCharacters) {
  const Npr::String wide(L"Grüße");
  EXPECT_EQ(wide.length(), 5u);
  EXPECT_EQ(wide.characters().physicalLength(), 5u);
  EXPECT_EQ(ToText(wide.characters()), L"Grüße");

  // Narrow text is UTF-8.
  const Npr::String narrow(
      "Gr\xC3\xBC\xC3\x9F"
      "e \xE2\x82\xAC");
  EXPECT_EQ(ToText(narrow.characters()), L"Grüße €");

  EXPECT_EQ(Npr::String(static_cast<const char*>(nullptr)).length(), 0u);
  EXPECT_EQ(Npr::String("").characters().physicalLength(), 0u);

  Npr::String copy(wide);
  EXPECT_TRUE(copy.characters() == wide.characters());
  copy = Npr::String(L"x");
  EXPECT_EQ(ToText(copy.characters()), L"x");
}

}  // namespace
