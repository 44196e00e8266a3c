// The program's 21 skins as the program starts them: registered by name, read whole from their
// resources, complete for the binding, drawable in every state, and the user skin's changes reaching
// every control that follows the root look and feel.
#include "calderan_test.h"

#include <map>
#include <set>

#include "dxSkinsBuiltIn.h"
#include "dxSkinsDefaultPainters.h"
#include "lookandfeel_fixture.h"

namespace {

class BuiltInSkins : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    StartLookAndFeelUnits();
    StartSkinUnits();
  }

  static std::vector<std::string> AllNames() {
    std::vector<std::string> names(std::begin(dxBuiltInSkinNames), std::end(dxBuiltInSkinNames));
    names.push_back(dxUserSkinName);
    return names;
  }

  static TdxSkinLookAndFeelPainterInfo* InfoOf(const std::string& name) {
    TcxCustomLookAndFeelPainterClass painter = nullptr;
    if (!ExtendedStylePainters()->FindPainterByName(name, painter)) return nullptr;
    return static_cast<const TdxSkinLookAndFeelPainter*>(painter)->GetSkinInfo();
  }

  // The skin of that name read straight from the program's resources, not yet bound.
  static std::unique_ptr<TdxSkin> ReadSkin(const std::string& name, int64_t* unread = nullptr) {
    auto skin = std::make_unique<TdxSkin>(name);
    TResourceStream stream(GetModuleHandleA(nullptr), name, "DXSKINS");
    skin->LoadFromStream(&stream);
    if (unread) *unread = stream.Size() - stream.Position();
    return skin;
  }
};

TEST_F(BuiltInSkins, TheTwentyOneNamesAreRegisteredWithTheirOwnPainters) {
  std::set<TcxCustomLookAndFeelPainterClass> painters;
  for (const std::string& name : AllNames()) {
    SCOPED_TRACE(name);
    TcxCustomLookAndFeelPainterClass painter = nullptr;
    ASSERT_TRUE(ExtendedStylePainters()->FindPainterByName(name, painter));
    painters.insert(painter);
    auto* skinPainter = static_cast<const TdxSkinLookAndFeelPainter*>(painter);
    EXPECT_EQ(skinPainter->SkinUnitName(), name == dxUserSkinName ? "dxSkinsDefaultPainters" : "dxSkin" + name);
    // The painter answers the very info the registry holds for it, bound to the skin of its name.
    TObject* data = nullptr;
    ASSERT_TRUE(ExtendedStylePainters()->FindDataByPainter(painter, data));
    ASSERT_EQ(skinPainter->GetSkinInfo(), data);
    EXPECT_EQ(skinPainter->GetSkinInfo()->GetSkin()->Name(), name);
  }
  EXPECT_EQ(painters.size(), 21u);
  EXPECT_TRUE(UserSkinPainterInfo()->InheritsFrom(TdxSkinUserLookAndFeelPainterInfo::StaticClass()));
  // Resource names are matched without regard to case; the registry keys on the name as given.
  TcxCustomLookAndFeelPainterClass painter = nullptr;
  EXPECT_TRUE(ExtendedStylePainters()->FindPainterByName("Harbor", painter));
  EXPECT_NO_THROW(ReadSkin("HARBOR"));
}

TEST_F(BuiltInSkins, EveryStreamReadsToItsEndWithTheFullSetOfGroupsAndColours) {
  for (const std::string& name : AllNames()) {
    SCOPED_TRACE(name);
    int64_t unread = -1;
    std::unique_ptr<TdxSkin> skin = ReadSkin(name, &unread);
    EXPECT_EQ(unread, 0);
    EXPECT_EQ(skin->Name(), name);
    EXPECT_DOUBLE_EQ(skin->Version(), 1.02);
    EXPECT_EQ(skin->ColorCount(), 11);
    EXPECT_EQ(skin->GetColorByName("ContentTextColor"), nullptr);
    EXPECT_EQ(skin->PropertyCount(), 0);
    ASSERT_EQ(skin->GroupCount(), 13);
    for (int g = 0; g < skin->GroupCount(); ++g) {
      EXPECT_GE(skin->Groups(g)->ElementCount(), 3) << skin->Groups(g)->Name();
      EXPECT_LE(skin->Groups(g)->ElementCount(), 48) << skin->Groups(g)->Name();
    }
  }
}

// Binding finds everything it looks for: no group or element is added, every property is there
// with its class, and only the three elements bound without creation may be missing.
TEST_F(BuiltInSkins, BindingAddsNothing) {
  int withoutMenuGrips = 0;
  for (const std::string& name : AllNames()) {
    SCOPED_TRACE(name);
    std::unique_ptr<TdxSkin> skin = ReadSkin(name);
    std::map<std::string, int> counts;
    for (int g = 0; g < skin->GroupCount(); ++g) counts[skin->Groups(g)->Name()] = skin->Groups(g)->ElementCount();
    TdxSkinLookAndFeelPainterInfo info(skin.release());
    TdxSkin* bound = info.GetSkin();
    ASSERT_EQ(bound->GroupCount(), static_cast<int>(counts.size()));
    for (int g = 0; g < bound->GroupCount(); ++g)
      EXPECT_EQ(bound->Groups(g)->ElementCount(), counts[bound->Groups(g)->Name()]) << bound->Groups(g)->Name();
    for (int id = 0; id < seCount; ++id) {
      auto element = static_cast<TdxSkinElementId>(id);
      if (element == seMainMenuCustomize || element == seMainMenuDrag || element == seTimeGridCurrentTimeIndicator)
        continue;
      EXPECT_NE(info.Element(element), nullptr) << id;
    }
    EXPECT_EQ(info.Element(seTimeGridCurrentTimeIndicator), nullptr);
    EXPECT_EQ(info.Element(seMainMenuCustomize) == nullptr, info.Element(seMainMenuDrag) == nullptr);
    withoutMenuGrips += info.Element(seMainMenuDrag) == nullptr;
    for (int id = 0; id < spCount; ++id) EXPECT_NE(info.Property(static_cast<TdxSkinPropertyId>(id)), nullptr) << id;
    for (int id = 0; id < scCount; ++id)
      EXPECT_EQ(info.SkinColor(static_cast<TdxSkinColorId>(id)) == nullptr, id == scContentTextColor) << id;
    EXPECT_GT(info.FormFrameWidths[1].Left, 0);
    EXPECT_GT(info.FormFrameWidths[1].Bottom, 0);
  }
  EXPECT_EQ(withoutMenuGrips, 9);
}

// A skin with a broken element would leave it blank: every element that has a picture paints in
// every state of its sheet and for every image it holds.
TEST_F(BuiltInSkins, EveryElementPaintsInEachOfItsStates) {
  HDC dc = CreateCompatibleDC(nullptr);
  BITMAPINFO bi{};
  bi.bmiHeader = {sizeof(BITMAPINFOHEADER), 48, -48, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  uint32_t* pixels = nullptr;
  HBITMAP bitmap = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, reinterpret_cast<void**>(&pixels), nullptr, 0);
  HGDIOBJ old = SelectObject(dc, bitmap);
  const uint32_t background = 0x00FF00FF;
  for (const std::string& name : AllNames()) {
    TdxSkin* skin = InfoOf(name)->GetSkin();
    for (int g = 0; g < skin->GroupCount(); ++g)
      for (int e = 0; e < skin->Groups(g)->ElementCount(); ++e) {
        TdxSkinElement* element = skin->Groups(g)->Elements(e);
        TdxSkinImage* sheet = element->Image()->Empty() ? element->Glyph() : element->Image();
        if (sheet->Empty()) continue;
        for (int state = 0; state < dxSkinElementStateCount; ++state) {
          if (!sheet->States().Contains(TdxSkinElementState(state))) continue;
          for (int image = 0; image < element->ImageCount(); ++image) {
            std::fill(pixels, pixels + 48 * 48, background);
            element->Draw(dc, TRect(4, 4, 44, 44), image, TdxSkinElementState(state));
            GdiFlush();
            bool painted = std::any_of(pixels, pixels + 48 * 48, [&](uint32_t p) { return (p & 0xFFFFFF) != background; });
            EXPECT_TRUE(painted) << name << " " << skin->Groups(g)->Name() << "." << element->Name() << " state "
                                 << state << " image " << image;
          }
        }
      }
  }
  SelectObject(dc, old);
  DeleteObject(bitmap);
  DeleteDC(dc);
}

// Caption text stays readable on the caption it is drawn on, for the active and the inactive
// window alike: their lightness differs by at least a quarter of the scale in every skin.
TEST_F(BuiltInSkins, CaptionTextStandsOutFromItsCaptionActiveAndInactive) {
  auto lightness = [](COLORREF c) { return (0.299 * GetRValue(c) + 0.587 * GetGValue(c) + 0.114 * GetBValue(c)) / 255; };
  for (const std::string& name : AllNames()) {
    TdxSkinLookAndFeelPainterInfo* info = InfoOf(name);
    TdxSkinElement* caption = info->Element(seFormCaption);
    ASSERT_NE(caption, nullptr) << name;
    struct Case {
      TdxSkinElementState State;
      TColor Text;
    } const cases[] = {{esActive, caption->TextColor()}, {esActiveDisabled, info->ColorValue(spFormTextColorInactive)}};
    for (const Case& c : cases) {
      TDibSurface surface(120, 30);
      caption->Draw(surface.DC(), TRect(0, 0, 120, 30), 0, c.State);
      const double background = lightness(ColorToRGB(surface.Pixel(60, 15)));
      EXPECT_GE(std::abs(lightness(ColorToRGB(c.Text)) - background), 0.25) << name << " state " << int(c.State);
    }
  }
}

class TChangeCount {
 public:
  void Changed(TcxLookAndFeel*, TcxLookAndFeelValues) { ++Changes; }
  int Changes = 0;
};

// A control's look and feel follows the root; the user skin repaints them all, a built-in skin
// only binds again.
TEST_F(BuiltInSkins, UserSkinChangesReachTheRootLookAndFeel) {
  TcxLookAndFeel follower(nullptr);
  TChangeCount count;
  follower.OnChanged = MakeEvent(&count, &TChangeCount::Changed);

  TdxSkinLookAndFeelPainterInfo* harbor = InfoOf("Harbor");
  TdxSkinElement* button = harbor->Element(seButton);
  const TColor builtInColor = button->Color();
  button->SetColor(0x123456);
  EXPECT_EQ(count.Changes, 0);
  EXPECT_EQ(harbor->Element(seButton), button);

  TdxSkinUserLookAndFeelPainterInfo* user = UserSkinPainterInfo();
  const TColor userTextColor = user->Element(seButton)->TextColor();
  user->Element(seButton)->SetTextColor(0x654321);
  EXPECT_EQ(count.Changes, 1);
  EXPECT_EQ(user->Element(seButton)->TextColor(), 0x654321);

  // The registered skins are shared by the tests after this one: as they were.
  button->SetColor(builtInColor);
  user->Element(seButton)->SetTextColor(userTextColor);
  EXPECT_EQ(harbor->Element(seButton)->Color(), builtInColor);
  EXPECT_EQ(user->Element(seButton)->TextColor(), userTextColor);
}

}  // namespace
