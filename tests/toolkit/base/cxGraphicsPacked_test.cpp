#include "calderan_test.h"

#include <vector>

#include "cxGraphics.h"

namespace {

using Bytes = std::vector<Byte>;

Bytes Pack(const Bytes& data) { return PackBitmapData(data.data(), data.size()); }
Bytes Unpack(const Bytes& packed) { return UnpackBitmapData(packed.data(), packed.size()); }

Bytes Concat(std::initializer_list<Bytes> parts) {
  Bytes all;
  for (const Bytes& p : parts) all.insert(all.end(), p.begin(), p.end());
  return all;
}

TEST(PackedBitmapData, ExactRuns) {
  Bytes counting(130);
  for (int i = 0; i < 130; ++i) counting[i] = static_cast<Byte>(i);
  struct Case { const char* name; Bytes data, packed; } cases[] = {
      {"300 equal bytes", Bytes(300, 0xAB), {0x7D, 0xAB, 0x7D, 0xAB, 0x32, 0xAB}},
      {"literal then repeat", {1, 2, 3, 3, 3}, {0x82, 1, 2, 0x03, 3}},
      {"single byte", {7}, {0x81, 7}},
      {"final single byte", {4, 4, 9}, {0x02, 4, 0x81, 9}},
      {"two different", {1, 2}, {0x82, 1, 2}},
      {"repeat of two", {5, 5}, {0x02, 5}},
      {"empty", {}, {}},
      {"long literal splits at 125",
       counting,
       Concat({{0xFD}, Bytes(counting.begin(), counting.begin() + 125), {0x85},
               Bytes(counting.begin() + 125, counting.end())})},
      {"repeat, literal, repeat", {0, 0, 0, 1, 2, 2}, {0x03, 0, 0x81, 1, 0x02, 2}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Pack(c.data), c.packed) << c.name;
    EXPECT_EQ(Unpack(c.packed), c.data) << c.name;
  }
}

TEST(PackedBitmapData, MixedDataRoundTrips) {
  Bytes data;
  for (int i = 0; i < 2000; ++i) data.push_back(static_cast<Byte>((i / 7) % 3 == 0 ? 0 : (i * 37) % 251));
  EXPECT_EQ(Unpack(Pack(data)), data);
}

TEST(PackedBitmapData, CorruptedRunsRaiseAReadError) {
  const Bytes corrupted[] = {
      {0x85, 1, 2},  // literal of 5 with 2 bytes left
      {0x02, 5, 0x03},  // repeat without its byte
      {0xFF},
  };
  for (const Bytes& packed : corrupted) EXPECT_THROW(Unpack(packed), EReadError);
}

}  // namespace
