// mg.dll hands out blocks of the requested size and takes them back.
#include <gtest/gtest.h>
#include <mg/block_alloc.h>

#include <string.h>

#include <vector>

namespace {

TEST(BlockAlloc, BlocksHoldTheirSizeApartFromEachOther) {
  const size_t sizes[] = {0, 1, 7, 4096, 1 << 20};
  std::vector<unsigned char*> blocks;
  for (size_t size : sizes) {
    auto* block = static_cast<unsigned char*>(block_alloc(size));
    ASSERT_NE(nullptr, block) << "size " << size;
    memset(block, static_cast<int>(blocks.size() + 1), size);
    blocks.push_back(block);
  }
  // Every block kept its own bytes while the later ones were written.
  for (size_t i = 0; i < blocks.size(); ++i) {
    for (size_t at = 0; at < sizes[i]; ++at)
      ASSERT_EQ(i + 1, blocks[i][at]) << "block of " << sizes[i] << " bytes, byte " << at;
  }
  EXPECT_NE(blocks[0], blocks[1]) << "a zero-byte request still gets a block of its own";
  for (unsigned char* block : blocks) block_free(block);
  block_free(nullptr);
}

TEST(BlockAlloc, AnImpossibleRequestGivesNull) {
  EXPECT_EQ(nullptr, block_alloc(static_cast<size_t>(-1) - 64));
}

}  // namespace
