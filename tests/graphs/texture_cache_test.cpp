// The texture cache: one texture object per file however many graphs show
// it, deleted with its last use, and none left behind by leases that
// outlive the cache's clearing or are dropped without a context.
#include "graphs/texture_cache.h"

#include <GL/gl.h>
#include <gtest/gtest.h>
#include <string>

#include "platform/osmesa/offscreen_context.h"
#include "support/temp_folder.h"
#include "support/texture_files.h"

namespace qv {
namespace {

class TextureCacheTest : public testing::Test {
 protected:
  TextureCacheTest() {
    for (const char* name : {"a.bmp", "b.bmp"}) {
      EXPECT_TRUE(test::WriteBytes(Path(name), test::BmpBytes(4, 4, [](int x, int y) {
                                     return test::Rgb8{static_cast<std::uint8_t>(x * 60),
                                                       static_cast<std::uint8_t>(y * 60), 9};
                                   })));
    }
  }
  ~TextureCacheTest() override { cache_.Clear(); }

  std::string Path(const std::string& name) const { return temp_.File(name); }

  TextureLease Acquire(const std::string& name) {
    std::string problem;
    TextureLease lease = cache_.Acquire(Path(name), name, problem);
    EXPECT_EQ(problem, "");
    return lease;
  }

  static bool IsTexture(unsigned name) { return name != 0 && glIsTexture(name) == GL_TRUE; }

  OffscreenContext context_{32, 32};
  test::TempFolder temp_;
  TextureCache cache_;
};

TEST_F(TextureCacheTest, GraphsShowingOneFileShareOneTextureUntilTheLastLetsGo) {
  TextureLease first = Acquire("a.bmp");
  TextureLease second = Acquire("a.bmp");
  TextureLease other = Acquire("b.bmp");
  ASSERT_NE(first.Name(), 0u);
  EXPECT_EQ(second.Name(), first.Name());
  EXPECT_NE(other.Name(), first.Name());
  EXPECT_EQ(cache_.Count(), 2u);
  const unsigned name = first.Name();
  first.Release();
  EXPECT_EQ(first.Name(), 0u);
  EXPECT_TRUE(IsTexture(name));
  second.Release();
  EXPECT_FALSE(IsTexture(name));
  EXPECT_EQ(cache_.Count(), 1u);
  // Giving a use up twice is harmless.
  second.Release();
  EXPECT_TRUE(IsTexture(other.Name()));
}

TEST_F(TextureCacheTest, AFileThatCannotBeReadGivesAnEmptyLeaseAndAReason) {
  std::string problem;
  const TextureLease lease = cache_.Acquire(Path("missing.bmp"), "missing.bmp", problem);
  EXPECT_EQ(lease.Name(), 0u);
  EXPECT_EQ(problem, "the file does not exist");
  EXPECT_EQ(cache_.Count(), 0u);
}

// A lease destroyed without Release (a graph deleted without its release
// step) makes no GL call; its texture goes at the next Acquire.
TEST_F(TextureCacheTest, ADroppedLeaseIsCollectedAtTheNextAcquire) {
  unsigned name = 0;
  {
    TextureLease lease = Acquire("a.bmp");
    name = lease.Name();
  }
  EXPECT_TRUE(IsTexture(name));
  const TextureLease other = Acquire("b.bmp");
  EXPECT_FALSE(IsTexture(name));
  EXPECT_EQ(cache_.Count(), 1u);
}

TEST_F(TextureCacheTest, ClearingDeletesEveryTextureAndEmptiesTheLeases) {
  TextureLease lease = Acquire("a.bmp");
  TextureLease moved = std::move(lease);
  const unsigned name = moved.Name();
  EXPECT_EQ(lease.Name(), 0u);  // handed on
  cache_.Clear();
  EXPECT_FALSE(IsTexture(name));
  EXPECT_EQ(moved.Name(), 0u);
  EXPECT_EQ(cache_.Count(), 0u);
  moved.Release();
  // The file is read anew for the next graph.
  const TextureLease again = Acquire("a.bmp");
  EXPECT_TRUE(IsTexture(again.Name()));
}

}  // namespace
}  // namespace qv
