// The program's 21 skins as the program starts them: registered by name, read whole from their
// resources, complete for the binding, drawable in every state, and the user skin's changes reaching
// every control that follows the root look and feel.
#include "calderan_test.h"

#include <cmath>
#include <cstdio>
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

// The contrast of text on its background as the eye reads it: (lighter + 0.05) / (darker + 0.05)
// of the relative luminances, which weigh the linear-light sRGB channels.
double RelativeLuminance(TColor color) {
  const COLORREF rgb = ColorToRGB(color);
  auto linear = [](int channel) {
    const double c = channel / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
  };
  return 0.2126 * linear(GetRValue(rgb)) + 0.7152 * linear(GetGValue(rgb)) + 0.0722 * linear(GetBValue(rgb));
}

double ContrastRatio(TColor a, TColor b) {
  const double la = RelativeLuminance(a), lb = RelativeLuminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// Where a text is drawn and in which colour. An element case draws the element at the size the
// controls give it and takes every pixel a centred line of text covers (the middle half of the
// height, the middle four fifths of the width); a colour case is a plain fill.
struct TTextCase {
  const char* Category;
  double Minimum;
  TdxSkinElementId Element;  // seCount: the background is Fill
  TdxSkinElementState State;
  TColor (*Text)(TdxSkinLookAndFeelPainterInfo*);
  TColor (*Fill)(TdxSkinLookAndFeelPainterInfo*);
  int Width, Height;
};

TColor ElementText(TdxSkinElementId id, TdxSkinLookAndFeelPainterInfo* info) { return info->Element(id)->TextColor(); }
TColor SkinColorOf(TdxSkinColorId id, TdxSkinLookAndFeelPainterInfo* info) { return info->SkinColor(id)->Value(); }

#define TEXT_OF(id) [](TdxSkinLookAndFeelPainterInfo* i) { return ElementText(id, i); }
#define PROPERTY(id) [](TdxSkinLookAndFeelPainterInfo* i) { return i->ColorValue(id); }
#define COLOR(id) [](TdxSkinLookAndFeelPainterInfo* i) { return SkinColorOf(id, i); }
#define ELEMENT_COLOR(id) [](TdxSkinLookAndFeelPainterInfo* i) { return i->Element(id)->Color(); }

const TTextCase textCases[] = {
    {"active caption", 4.5, seFormCaption, esActive, TEXT_OF(seFormCaption), nullptr, 240, 30},
    {"active small caption", 4.5, seSmallFormCaption, esActive, TEXT_OF(seSmallFormCaption), nullptr, 240, 22},
    {"inactive caption", 3.0, seFormCaption, esActiveDisabled, PROPERTY(spFormTextColorInactive), nullptr, 240, 30},
    {"button", 4.5, seButton, esNormal, TEXT_OF(seButton), nullptr, 90, 26},
    {"hot button", 4.5, seButton, esHot, TEXT_OF(seButton), nullptr, 90, 26},
    {"pressed button", 4.5, seButton, esPressed, TEXT_OF(seButton), nullptr, 90, 26},
    {"disabled button", 2.0, seButton, esDisabled, PROPERTY(spButtonDisabledText), nullptr, 90, 26},
    {"editor", 4.5, seCount, esNormal, PROPERTY(spEditorsTextColor), PROPERTY(spEditorsBackgroundColor)},
    {"disabled editor", 2.0, seCount, esNormal, PROPERTY(spEditorsTextDisabledColor),
     PROPERTY(spEditorsBackgroundDisabledColor)},
    {"list row", 4.5, seCount, esNormal, PROPERTY(spEditorsTextColor), COLOR(scContentColor)},
    {"odd list row", 4.5, seCount, esNormal, PROPERTY(spEditorsTextColor), COLOR(scContentOddColor)},
    {"selected row", 4.5, seCount, esNormal, COLOR(scSelectionTextColor), COLOR(scSelectionColor)},
    {"header", 4.5, seHeader, esNormal, TEXT_OF(seHeader), nullptr, 90, 20},
    {"hot header", 4.5, seHeader, esHot, TEXT_OF(seHeader), nullptr, 90, 20},
    {"pressed header", 4.5, seHeader, esPressed, TEXT_OF(seHeader), nullptr, 90, 20},
    {"header background", 4.5, seCount, esNormal, COLOR(scHeaderBackgroundTextColor), COLOR(scHeaderBackgroundColor)},
    {"menu", 4.5, sePopupMenu, esNormal, TEXT_OF(sePopupMenu), nullptr, 140, 60},
    {"selected menu item", 4.5, sePopupMenuLinkSelected, esHot, TEXT_OF(sePopupMenuLinkSelected), nullptr, 140, 22},
    {"menu bar", 4.5, seMainMenu, esNormal, TEXT_OF(seMainMenu), nullptr, 140, 22},
    {"hot menu bar item", 4.5, seMainMenuLinkSelected, esHot, TEXT_OF(seMainMenuLinkSelected), nullptr, 60, 22},
    {"form and label", 4.5, seCount, esNormal, TEXT_OF(seFormContent), ELEMENT_COLOR(seFormContent)},
    {"panel", 4.5, seCount, esNormal, TEXT_OF(seFormContent), ELEMENT_COLOR(seGroupPanelNoBorder)},
    {"group box caption", 4.5, seGroupPanelCaptionTop, esNormal, TEXT_OF(seGroupPanelCaptionTop), nullptr, 140, 20},
    {"hint", 4.5, seScreenTipWindow, esNormal, PROPERTY(spScreenTipItem), nullptr, 160, 40},
    {"hint text", 4.5, seScreenTipWindow, esNormal, TEXT_OF(seScreenTipWindow), nullptr, 160, 40},
};

#undef TEXT_OF
#undef PROPERTY
#undef COLOR
#undef ELEMENT_COLOR

// The lowest contrast of the case's text on any pixel of its background.
double LowestContrast(TdxSkinLookAndFeelPainterInfo* info, const TTextCase& c) {
  const TColor text = c.Text(info);
  if (c.Element == seCount) return ContrastRatio(text, c.Fill(info));
  TDibSurface surface(c.Width, c.Height, info->Element(seFormContent)->Color());
  info->Element(c.Element)->Draw(surface.DC(), TRect(0, 0, c.Width, c.Height), 0, c.State);
  double lowest = 1e9;
  for (int y = c.Height / 4; y < c.Height - c.Height / 4; ++y)
    for (int x = c.Width / 10; x < c.Width - c.Width / 10; ++x)
      lowest = std::min(lowest, ContrastRatio(text, surface.Pixel(x, y)));
  return lowest;
}

// Every text the skins carry reads on what it is drawn on: 4.5:1 for what is read, 3:1 for the
// caption of an inactive window, 2:1 for disabled text. The lowest figure of each category over
// the 21 skins is printed with the skin that has it.
TEST_F(BuiltInSkins, EveryTextReadsOnItsBackgroundInEverySkin) {
  for (const TTextCase& c : textCases) {
    double lowest = 1e9;
    std::string lowestSkin;
    for (const std::string& name : AllNames()) {
      const double ratio = LowestContrast(InfoOf(name), c);
      EXPECT_GE(ratio, c.Minimum) << name << ": " << c.Category;
      if (ratio < lowest) lowest = ratio, lowestSkin = name;
    }
    std::printf("contrast %-22s lowest %.2f:1 (%s)\n", c.Category, lowest, lowestSkin.c_str());
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
