// Screen tips as data: names and headers, the repository's fonts and what of them is stored, the
// effective width and the standard footer.
#include "calderan_test.h"

#include <memory>

#include "TypInfo.h"
#include "bars_fixture.h"
#include "dxBarScreenTips.h"

namespace {
class ScreenTips : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { StartBarTestUnits(); }
  void SetUp() override {
    form_ = std::make_unique<TForm>(nullptr, 0);
    repository_ = new TdxBarScreenTipRepository(form_.get());
    repository_->SetName("Tips");
  }
  bool Stored(const char* property) const {
    return IsStoredProp(repository_, FindPublishedProperty(repository_->ClassType(), property));
  }

  std::unique_ptr<TForm> form_;
  TdxBarScreenTipRepository* repository_ = nullptr;
};
}  // namespace

TEST_F(ScreenTips, NewTipsGetUniqueNamesAndTheHeaderFollowsTheNameUntilEdited) {
  TdxBarScreenTip* first = repository_->Items()->AddTip();
  TdxBarScreenTip* second = repository_->Items()->AddTip();
  EXPECT_EQ(first->Name(), "ScreenTip1");
  EXPECT_EQ(second->Name(), "ScreenTip2");
  EXPECT_EQ(first->Owner(), form_.get());
  EXPECT_EQ(first->Repository(), repository_);
  first->SetName("AddTip");
  EXPECT_EQ(first->Header()->Text(), "AddTip");
  EXPECT_EQ(first->GetDisplayName(), "AddTip - 'AddTip'");
  first->Header()->SetText("Add files");
  first->SetName("AddFilesTip");
  EXPECT_EQ(first->Header()->Text(), "Add files");
}

TEST_F(ScreenTips, OnlyChangedFontsAreStoredTheOthersFollowTheHintFont) {
  for (auto band : {stbHeader, stbDescription, stbFooter}) {
    TFont* font = repository_->GetFont(band);
    EXPECT_EQ(font->Color(), dxScreenTipFontColor) << band;
    EXPECT_EQ(font->Name(), Screen->HintFont()->Name()) << band;
    EXPECT_EQ(font->Style().Contains(TFontStyle::fsBold), band != stbDescription) << band;
  }
  EXPECT_FALSE(Stored("HeaderFont"));
  TFont bigger;
  bigger.Assign(repository_->HeaderFont());
  bigger.SetSize(14);
  repository_->SetHeaderFont(&bigger);
  EXPECT_TRUE(repository_->AssignedFonts().Contains(stbHeader));
  EXPECT_EQ(repository_->HeaderFont()->Size(), 14);
  EXPECT_TRUE(Stored("HeaderFont"));
  EXPECT_FALSE(Stored("DescriptionFont"));
  EXPECT_FALSE(Stored("FooterFont"));
  // Once assigned, changing the stored font itself keeps it assigned.
  repository_->HeaderFont()->SetSize(16);
  EXPECT_EQ(repository_->HeaderFont()->Size(), 16);
}

TEST_F(ScreenTips, TheEffectiveWidthFollowsTheDescriptionGlyphAndTheResolution) {
  TdxBarScreenTip* tip = repository_->Items()->AddTip();
  EXPECT_EQ(tip->GetEffectiveWidth(96), 210);
  EXPECT_EQ(tip->GetEffectiveWidth(144), 315);
  TBitmap glyph(32, 32);
  tip->Description()->SetGlyph(&glyph);
  EXPECT_EQ(tip->GetEffectiveWidth(96), 318);
  EXPECT_EQ(tip->GetEffectiveWidth(144), 477);
  tip->SetWidth(250);
  EXPECT_EQ(tip->GetEffectiveWidth(144), 250);
}

TEST_F(ScreenTips, TheStandardFooterReplacesTheTipsOwn) {
  TdxBarScreenTip* tip = repository_->Items()->AddTip();
  tip->Footer()->SetText("Own footer");
  repository_->StandardFooter()->SetText("Press F1 for help.");
  EXPECT_EQ(tip->GetBand(stbFooter), tip->Footer());
  tip->SetUseStandardFooter(true);
  EXPECT_EQ(tip->GetBand(stbFooter), repository_->StandardFooter());
  EXPECT_EQ(tip->GetBand(stbHeader), tip->Header());
  EXPECT_EQ(repository_->StandardFooter()->GetBandFont(), repository_->FooterFont());
}

TEST_F(ScreenTips, AssignCopiesBandsAndSettings) {
  TdxBarScreenTip* source = repository_->Items()->AddTip();
  source->Description()->SetText("Adds video and audio files.");
  source->Description()->SetTextAlign(stbtaLeft);
  source->SetUseHintAsHeader(true);
  source->SetWidth(300);
  TdxBarScreenTipRepository copy(form_.get());
  copy.Assign(repository_);
  ASSERT_EQ(copy.Items()->Count(), 1);
  TdxBarScreenTip* tip = copy.Items()->Tip(0);
  EXPECT_EQ(tip->Description()->Text(), "Adds video and audio files.");
  EXPECT_EQ(tip->Description()->TextAlign(), stbtaLeft);
  EXPECT_TRUE(tip->UseHintAsHeader());
  EXPECT_EQ(tip->Width(), 300);
  int changes = 0;
  struct TCounter {
    int* count;
    void Changed(TObject*) { ++*count; }
  } counter{&changes};
  tip->Header()->OnChange = MakeEvent(&counter, &TCounter::Changed);
  tip->Header()->SetText("New");
  tip->Header()->SetText("New");
  tip->Header()->SetTextAlign(stbtaLeft);
  EXPECT_EQ(changes, 2) << "each setter fires once, and only on a change";
}
