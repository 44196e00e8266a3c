#include "calderan_test.h"

#include "ImgList.h"
#include "bars_fixture.h"

namespace {

class BarImageOptions : public BarFixture {};

TEST_F(BarImageOptions, GlyphSizeFollowsLargeIconsAndTheLargeList) {
  auto* large = new TImageList(form_.get());
  large->SetWidth(48);
  large->SetHeight(48);
  TdxBarImageOptions* options = manager_->ImageOptions();
  options->SetLargeImages(large);
  struct TCase {
    bool LargeIcons, UseLarge;
    int Size;
  } const cases[] = {{false, true, 16}, {true, false, 32}, {false, false, 16}, {true, true, 48}};
  for (const TCase& c : cases) {
    options->SetLargeIcons(c.LargeIcons);
    options->SetUseLargeImagesForLargeIcons(c.UseLarge);
    options->CalcGlyphSize();
    EXPECT_EQ(manager_->GetGlyphSize(), c.Size) << c.LargeIcons << c.UseLarge;
  }
  EXPECT_TRUE(manager_->UsesLargeImages());
}

TEST_F(BarImageOptions, AFreedListLeavesEveryPropertyThatHeldIt) {
  auto* images = new TImageList(form_.get());
  TdxBarImageOptions* options = manager_->ImageOptions();
  options->SetImages(images);
  options->SetHotImages(images);
  delete images;
  EXPECT_EQ(options->Images(), nullptr);
  EXPECT_EQ(options->HotImages(), nullptr);
}

TEST_F(BarImageOptions, AssignCopiesAllButTheGlyphCache) {
  TdxBarImageOptions source(manager_);
  source.SetCacheGlyphs(false);
  source.SetImageListBkColor(clRed);
  source.SetLargeIcons(true);
  source.SetSmoothGlyphs(true);
  source.SetStretchGlyphs(false);
  source.SetUseLeftBottomPixelAsTransparent(false);
  manager_->ImageOptions()->Assign(&source);
  TdxBarImageOptions* target = manager_->ImageOptions();
  EXPECT_TRUE(target->CacheGlyphs());
  EXPECT_EQ(target->ImageListBkColor(), clRed);
  EXPECT_TRUE(target->LargeIcons());
  EXPECT_TRUE(target->SmoothGlyphs());
  EXPECT_FALSE(target->StretchGlyphs());
  EXPECT_FALSE(target->UseLeftBottomPixelAsTransparent());
  EXPECT_EQ(manager_->GetGlyphSize(), 32);  // the large-icons change recalculated it
}

// A change of a list the items use reaches the items whose images it holds.
TEST_F(BarImageOptions, ChangeLinksTellTheItems) {
  auto* images = new TImageList(form_.get());
  int changes = 0;
  struct TCounter {
    int* Count;
    void Changed(TObject*, TComponent* component, int) { *Count += component != nullptr; }
  } counter{&changes};
  auto* withImage = new TdxBarItem(form_.get());
  withImage->SetImageIndex(0);
  new TdxBarItem(form_.get());
  manager_->ItemList()->OnComponentListChanged = MakeEvent(&counter, &TCounter::Changed);
  manager_->ImageOptions()->SetImages(images);
  EXPECT_EQ(changes, 1);  // only the item whose image the list holds
  manager_->ItemList()->OnComponentListChanged = nullptr;
  EXPECT_FALSE(manager_->IsUpdateLocked());
}

}  // namespace
