// The record reader under both serialised forms: what is there is read in
// order, what is not is refused without taking anything.
#include "byte_reader.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace tessel::detail {
namespace {

std::string Bytes(std::uint32_t number, std::string_view text) {
  std::string bytes(reinterpret_cast<const char*>(&number), sizeof number);
  bytes += text;
  return bytes;
}

TEST(ByteReader, RecordsComeBackInOrderUntilTheEnd) {
  const std::string bytes = Bytes(0x01020304, "tail");
  ByteReader reader(bytes);
  std::uint32_t number = 0;
  ASSERT_TRUE(reader.Read(number));
  EXPECT_EQ(number, 0x01020304U);
  EXPECT_EQ(reader.Remaining(), 4U);
  std::span<const char> piece;
  ASSERT_TRUE(reader.Take(4, piece));
  EXPECT_EQ(std::string_view(piece.data(), piece.size()), "tail");
  EXPECT_EQ(piece.data(), bytes.data() + 4);  // viewed in place, not copied
  EXPECT_TRUE(reader.AtEnd());
  EXPECT_FALSE(reader.Read(number));
}

TEST(ByteReader, AShortReadFailsAndTakesNothing) {
  const std::string bytes = Bytes(7, "ab");
  ByteReader reader(bytes);
  std::uint64_t tooLong = 0;
  EXPECT_FALSE(reader.Read(tooLong));
  std::span<const char> piece;
  EXPECT_FALSE(reader.Take(7, piece));
  EXPECT_EQ(reader.Remaining(), 6U);
  std::uint32_t number = 0;
  ASSERT_TRUE(reader.Read(number));
  EXPECT_EQ(number, 7U);
}

TEST(ByteReader, ExpectTakesOnlyTheExactText) {
  const std::string bytes = "TS_Model 2\nrest";
  ByteReader reader(bytes);
  EXPECT_FALSE(reader.Expect("TS_Model 3\n"));
  EXPECT_FALSE(reader.Expect("TS_Model 2\nrest and more"));
  EXPECT_EQ(reader.Remaining(), bytes.size());
  EXPECT_TRUE(reader.Expect("TS_Model 2\n"));
  EXPECT_EQ(reader.Remaining(), 4U);
}

}  // namespace
}  // namespace tessel::detail
