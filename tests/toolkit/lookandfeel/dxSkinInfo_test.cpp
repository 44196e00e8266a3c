#include "calderan_test.h"

#include "dxSkinInfo.h"
#include "dxSkinsTestSkin.h"
#include "lookandfeel_fixture.h"

namespace {

using namespace testskin;

class SkinInfo : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    StartLookAndFeelUnits();
    StartUnits({&dxSkinsCoreUnit});
  }
};

// Counts its bindings after its construction (the constructor's binding is the base class's).
class TCountingSkinInfo : public TdxSkinInfo {
 public:
  using TdxSkinInfo::TdxSkinInfo;
  int Bindings = 0;

 protected:
  void InitializeInfo() override {
    ++Bindings;
    TdxSkinInfo::InitializeInfo();
  }
};

TEST_F(SkinInfo, MissingRibbonGetsTheFortyFivePlaceholders) {
  TdxSkinInfo info(MakeTestSkin().release());
  TdxSkin* skin = info.GetSkin();
  TdxSkinControlGroup* ribbon = skin->GetGroupByName("Ribbon");
  ASSERT_NE(ribbon, nullptr);
  EXPECT_EQ(ribbon, info.Group(sgRibbon));
  ASSERT_EQ(ribbon->ElementCount(), 45);
  for (int i = 0; i < ribbon->ElementCount(); ++i) {
    TdxSkinImage* image = ribbon->Elements(i)->Image();
    EXPECT_TRUE(image->States() == TdxSkinElementStates{esNormal});
    EXPECT_EQ(image->Stretch(), smStretch);
    EXPECT_TRUE(SizesEqual(image->Size(), TSize(32, 32)));
  }
  TDibSurface surface(32, 32);
  info.Element(seRibbonTab)->Draw(surface.DC(), TRect(0, 0, 32, 32));
  EXPECT_EQ(surface.Pixel(16, 16), TColor(0x0000FF));
  EXPECT_EQ(surface.Pixel(8, 24), TColor(0x0000FF));
  EXPECT_EQ(surface.Pixel(16, 4), TColor(0x000000));

  // What the skin has is bound as it is.
  TdxSkinElement* button = info.Element(seButton);
  EXPECT_EQ(button, skin->GetGroupByName("Common")->GetElementByName("Button"));
  EXPECT_EQ(button->Image()->Texture()->Width(), 64);
}

TEST_F(SkinInfo, ThreeNamesAreNeverAdded) {
  TdxSkinInfo info(MakeTestSkin().release());
  for (TdxSkinElementId id : {seMainMenuCustomize, seMainMenuDrag, seTimeGridCurrentTimeIndicator})
    EXPECT_EQ(info.Element(id), nullptr) << int(id);
  EXPECT_EQ(info.GetSkin()->GetGroupByName("Bars")->GetElementByName("MainMenuDrag"), nullptr);

  auto skin = MakeTestSkin();
  skin->AddGroup("Bars")->AddElement("MainMenuDrag");
  TdxSkinInfo withDrag(skin.release());
  EXPECT_NE(withDrag.Element(seMainMenuDrag), nullptr);
}

TEST_F(SkinInfo, FormElementsAdjusted) {
  auto skin = MakeTestSkin();
  TdxSkinControlGroup* form = skin->GetGroupByName("Form");
  TdxSkinElement* close = form->AddElement("FormButtonClose");
  SetSheet(close->Image(), 1, {esNormal, esHot, esPressed, esActive}, 16, 14, [](int, int, int, int) { return 0xFF808080u; });
  close->Image()->SetStretch(smTile);
  TdxSkinElement* left = form->AddElement("FormFrameLeft");
  SetSheet(left->Image(), 1, {esNormal, esActive}, 4, 20, [](int, int, int, int) { return 0xFF808080u; });
  left->Image()->Margins()->SetRect(TRect(5, 5, 5, 5));

  TdxSkinInfo info(skin.release());
  EXPECT_TRUE(close->Image()->States() == (TdxSkinElementStates{esNormal, esHot, esPressed, esActiveDisabled}));
  EXPECT_EQ(close->Image()->Stretch(), smStretch);
  EXPECT_EQ(info.FormCaptionButtons[1][5], close);
  EXPECT_EQ(info.FormCaptionButtons[1][0], nullptr);
  EXPECT_TRUE(left->Image()->States() == (TdxSkinElementStates{esActive, esActiveDisabled}));
  EXPECT_TRUE(RectsEqual(left->Image()->Margins()->GetRect(), TRect(1, 5, 0, 5)));
  EXPECT_EQ(info.FormFrames[1][0], left);
  EXPECT_EQ(info.FormFrameWidths[1].Left, 4);  // the part width of its sheet
}

TEST_F(SkinInfo, CaptionFontDeltaIsAtLeastOne) {
  struct Case {
    bool Present;
    int Value;
    int Expected;
  };
  for (Case c : {Case{false, 0, 1}, Case{true, 0, 1}, Case{true, -2, 1}, Case{true, 3, 3}}) {
    auto skin = MakeTestSkin();
    TdxSkinElement* caption = skin->GetGroupByName("Form")->AddElement("FormCaption");
    if (c.Present)
      static_cast<TdxSkinIntegerProperty*>(caption->AddProperty("FontDelta", TdxSkinIntegerProperty::StaticClass()))
          ->SetValue(c.Value);
    TdxSkinInfo info(skin.release());
    EXPECT_EQ(info.CaptionFontDelta, c.Expected) << c.Value;
  }
}

TEST_F(SkinInfo, PropertyOfAnotherClassIsAnInvalidCast) {
  auto skin = MakeTestSkin();
  skin->GetGroupByName("Form")->AddElement("FormCaption")->AddProperty("FontDelta", TdxSkinColor::StaticClass());
  TdxSkin* raw = skin.release();
  try {
    TdxSkinInfo info(raw);
    FAIL() << "bound";
  } catch (const EInvalidCast& e) {
    EXPECT_EQ(e.Message(), "Invalid class typecast");
  }
  delete raw;
}

TEST_F(SkinInfo, ColoursPropertiesAndScrollParts) {
  auto skin = MakeTestSkin();
  TdxSkinControlGroup* grid = skin->GetGroupByName("Grid");
  TdxSkinElement* groupPanel = grid->AddElement("GridGroupPanel");
  groupPanel->SetColor(0x123456);
  SetSheet(groupPanel->Image(), 1, {esNormal}, 4, 4, [](int, int, int, int) { return 0xFF000000u; });
  TdxSkinInfo info(skin.release());

  EXPECT_EQ(info.SkinColor(scSelectionColor)->Value(), TColor(0xC08040));
  EXPECT_EQ(info.SkinColor(scContentTextColor), nullptr);
  EXPECT_EQ(info.ColorValue(spEditorsTextDisabledColor), TColor(0x999999));
  EXPECT_EQ(info.ColorValue(spFormTextShadowColor), clDefault);
  EXPECT_EQ(info.IntegerValue(spRowIndentFar, 7), 7);
  EXPECT_EQ(info.ElementTextColor(seMainMenuDrag), clDefault);
  EXPECT_EQ(groupPanel->Color(), clNone);                                     // its picture covers it
  EXPECT_EQ(info.Element(seScrollButton)->Color(), TColor(0xF2ECE6));         // the form content's colour
  EXPECT_EQ(info.Element(seTabButtonVert)->Color(), TColor(0xF2ECE6));
  EXPECT_EQ(info.EditorButtonElements[3], info.Element(seEditorButton));

  struct Case {
    bool Horizontal;
    int Part;
    TdxSkinElementId Element;
    int ImageIndex;
  };
  const Case cases[] = {{false, 1, seScrollButton, 0}, {false, 2, seScrollButton, 1}, {true, 1, seScrollButton, 2},
                        {true, 2, seScrollButton, 3},  {false, 3, seScrollThumbVert, 0}, {true, 3, seScrollThumbHorz, 0},
                        {false, 5, seScrollContentVert, 0}, {true, 4, seScrollContentHorz, 0}};
  for (const Case& c : cases) {
    TdxSkinScrollInfo* part = info.ScrollBarInfos[c.Horizontal][c.Part].get();
    ASSERT_NE(part, nullptr);
    EXPECT_EQ(part->Element, info.Element(c.Element));
    EXPECT_EQ(part->ImageIndex, c.ImageIndex);
  }
  EXPECT_EQ(info.ScrollBarInfos[0][0], nullptr);
}

TEST_F(SkinInfo, EachChangeBindsOnceAndItsOwnAdjustmentsDoNotNotify) {
  int skinNotifications = 0;
  auto counter = [](void* data, TObject*) { ++*static_cast<int*>(data); };
  TCountingSkinInfo info(MakeTestSkin().release());
  info.GetSkin()->OnChange = TNotifyEvent(counter, &skinNotifications);
  info.GetSkin()->GetGroupByName("Common")->GetElementByName("Button")->SetColor(0x0000FF);
  EXPECT_EQ(info.Bindings, 1);
  EXPECT_EQ(skinNotifications, 1);
  info.GetSkin()->BeginUpdate();
  info.Element(seHeader)->SetTextColor(0x00FF00);
  info.Element(seHeader)->SetTextColor(0x0000FF);
  info.GetSkin()->EndUpdate();
  EXPECT_EQ(info.Bindings, 2);
  EXPECT_EQ(skinNotifications, 2);
  // Rebinding finds the completed skin: nothing is added twice.
  EXPECT_EQ(info.GetSkin()->GetGroupByName("Ribbon")->ElementCount(), 45);
}

}  // namespace
