#include "calderan_test.h"

#include <cstring>
#include <malloc.h>
#include <random>

#include "dxSkinsTestSkin.h"
#include "lookandfeel_fixture.h"

namespace {

using namespace testskin;

class SkinsCore : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    StartLookAndFeelUnits();
    StartUnits({&dxSkinsCoreUnit});
  }
};

// A skin stream written field by field, for the streams of other versions and the damaged ones.
class TStreamBuilder {
 public:
  TStreamBuilder& Int(int32_t v) { return Raw(&v, 4); }
  TStreamBuilder& Byte(uint8_t v) { return Raw(&v, 1); }
  TStreamBuilder& Word(uint16_t v) { return Raw(&v, 2); }
  TStreamBuilder& Double(double v) { return Raw(&v, 8); }
  TStreamBuilder& Str(const std::string& s) { return Int(static_cast<int32_t>(s.size())).Raw(s.data(), s.size()); }
  TStreamBuilder& Raw(const void* data, size_t size) {
    bytes.append(static_cast<const char*>(data), size);
    return *this;
  }
  std::string bytes;
};

// One image record without picture.
void EmptyImage(TStreamBuilder& b, double version, uint8_t layout = 0, uint16_t states = 1, uint8_t stretch = 0,
                uint8_t gradient = 0, int32_t pngSize = 0) {
  b.Int(1).Int(2).Int(3).Int(4).Byte(layout).Word(states).Byte(stretch);
  if (version >= 1.02) b.Int(clNone).Int(clNone).Byte(gradient);
  b.Int(pngSize);
}

struct TElementFields {
  int32_t ImageCount = 2;
  uint8_t Layout = 0, Stretch = 0, Gradient = 0;
  uint16_t States = 1;
  int32_t Thin = 1;
  int32_t MinWidth = 5;
  std::string PropertyClass = "TdxSkinIntegerProperty";
};

// A whole stream: one colour, one group "Common" with element "Button", one element property.
std::string MakeStream(double version, const TElementFields& f = {}, const char* magic = "dxSkin") {
  TStreamBuilder b;
  b.Int(6).Raw(magic, 6).Double(version).Str("Hand");
  b.Int(1).Str("TdxSkinColor").Str("ContentColor").Int(0x00FF00);
  b.Int(0);                                             // skin properties
  b.Int(1).Str("Common").Int(1).Str("Button");          // group, element
  b.Int(0x0000FF).Byte(200).Int(f.ImageCount).Int(1).Int(1).Int(1).Int(1);
  EmptyImage(b, version);                               // glyph
  EmptyImage(b, version, f.Layout, f.States, f.Stretch, f.Gradient);
  for (const char* side : {"Left", "Top", "Right", "Bottom"}) b.Str("TdxSkinBorder").Str(side).Int(0xFF).Int(f.Thin);
  b.Int(0x123456).Int(f.MinWidth).Int(6);               // text colour, minimum size
  b.Int(1).Str(f.PropertyClass).Str("Indent").Int(7);   // element properties
  b.Int(0);                                             // group properties
  return b.bytes;
}

TEST_F(SkinsCore, WriteReadWriteGivesTheSameBytes) {
  auto skin = MakeTestSkin();
  // Every property kind, on an element of its own.
  TdxSkinElement* holder = skin->AddGroup("Extra")->AddElement("Holder");
  static_cast<TdxSkinIntegerProperty*>(holder->AddProperty("I", TdxSkinIntegerProperty::StaticClass()))->SetValue(-3);
  static_cast<TdxSkinBooleanProperty*>(holder->AddProperty("B", TdxSkinBooleanProperty::StaticClass()))->SetValue(true);
  static_cast<TdxSkinStringProperty*>(holder->AddProperty("S", TdxSkinStringProperty::StaticClass()))->SetValue("caf\xE9");
  static_cast<TdxSkinRectProperty*>(holder->AddProperty("R", TdxSkinRectProperty::StaticClass()))->Value()->SetRect(TRect(1, 2, 3, 4));
  static_cast<TdxSkinSizeProperty*>(holder->AddProperty("Z", TdxSkinSizeProperty::StaticClass()))->SetValue(8, 9);
  holder->Image()->SetGradientBeginColor(0x112233);
  holder->Image()->SetGradient(gmBackwardDiagonal);

  const std::string first = SaveSkin(skin.get());
  ASSERT_GT(first.size(), 100u);
  EXPECT_EQ(first.substr(0, 10), std::string("\x06\0\0\0dxSkin", 10));
  double version;
  std::memcpy(&version, first.data() + 10, 8);
  EXPECT_EQ(version, 1.02);

  TdxSkin loaded;
  LoadSkin(&loaded, first);
  EXPECT_EQ(loaded.Name(), "TestSkin");
  EXPECT_EQ(SaveSkin(&loaded), first);
  ASSERT_EQ(loaded.GroupCount(), skin->GroupCount());
  for (int g = 0; g < skin->GroupCount(); ++g)
    for (int e = 0; e < skin->Groups(g)->ElementCount(); ++e)
      EXPECT_TRUE(loaded.Groups(g)->Elements(e)->Compare(skin->Groups(g)->Elements(e)))
          << skin->Groups(g)->Elements(e)->Name();
}

TEST_F(SkinsCore, VersionsAndSignature) {
  struct Case {
    double Version;
    const char* Magic;
    const char* Error;  // null: loads
  };
  const Case cases[] = {
      {1.02, "dxSkin", nullptr},
      {1.01, "dxSkin", nullptr},  // no gradient fields in its image records
      {2.0, "dxSkin", nullptr},   // read with the 1.02 layout
      {0.99, "dxSkin",
       "The skin data version is older than the current Quillon Library version.\r\n"
       "Skins cannot be loaded due to a version mismatch."},
      {1.02, "DXSKIN", "Invalid stream format"},
  };
  for (const Case& c : cases) {
    TdxSkin skin;
    try {
      LoadSkin(&skin, MakeStream(c.Version, {}, c.Magic));
      ASSERT_EQ(c.Error, nullptr) << c.Version;
      EXPECT_EQ(skin.Version(), c.Version);
      TdxSkinElement* button = skin.GetGroupByName("Common")->GetElementByName("Button");
      ASSERT_NE(button, nullptr);
      EXPECT_EQ(button->ImageCount(), 2);
      EXPECT_TRUE(button->Image()->Empty());  // PNG size 0; the borders follow it directly
      EXPECT_EQ(button->Borders()->Bottom()->Color(), 0xFF);
      EXPECT_EQ(button->MinSize()->Width(), 5);
      EXPECT_EQ(static_cast<TdxSkinIntegerProperty*>(button->GetPropertyByName("Indent"))->Value(), 7);
      // Saved in the current version whatever was read.
      std::string saved = SaveSkin(&skin);
      double version;
      std::memcpy(&version, saved.data() + 10, 8);
      EXPECT_EQ(version, 1.02);
    } catch (const EdxSkin& e) {
      ASSERT_NE(c.Error, nullptr) << c.Version;
      EXPECT_EQ(e.Message(), c.Error);
    }
  }
}

// What a damaged stream may raise: the stream error, or the message the format names for the case.
void ExpectLoadsOrStreamError(const std::string& bytes, const std::string& label) {
  TdxSkin skin;
  try {
    LoadSkin(&skin, bytes);
  } catch (const EReadError& e) {
    EXPECT_EQ(e.Message(), "Stream read error") << label;
  } catch (const EdxSkin& e) {
    EXPECT_TRUE(e.Message() == "Invalid stream format" || e.Message().find("version mismatch") != std::string::npos)
        << label << ": " << e.Message();
  } catch (const EClassNotFound& e) {
    EXPECT_EQ(e.Message().substr(0, 6), "Class ") << label;
  } catch (const EAssertionFailed& e) {  // a picture GDI+ cannot decode
    EXPECT_EQ(e.Message(), "Invalid operation in GDI+ (dxGDIPlusApi, line 1001)") << label;
  }
}

TEST_F(SkinsCore, DamagedStreamsFailWithTheStreamError) {
  const std::string good = MakeStream(1.02);
  auto patched = [&](TElementFields f) { return MakeStream(1.02, f); };
  auto withInt = [&](size_t at, int32_t v) {
    std::string s = good;
    std::memcpy(s.data() + at, &v, 4);
    return s;
  };
  const size_t colourCountAt = 4 + 6 + 8 + 4 + 4;
  const size_t groupCountAt = colourCountAt + 4 + (4 + 12) + (4 + 12) + 4 + 4;
  const size_t elementCountAt = groupCountAt + 4 + 4 + 6;
  struct Case {
    const char* Name;
    std::string Bytes;
    const char* Message;
  };
  const Case cases[] = {
      {"cut in the name", good.substr(0, 24), "Stream read error"},
      {"cut in a colour", good.substr(0, colourCountAt + 10), "Stream read error"},
      {"a billion colours", withInt(colourCountAt, 1000000000), "Stream read error"},
      {"negative group count", withInt(groupCountAt, -1), "Stream read error"},
      {"a billion elements", withInt(elementCountAt, 1000000000), "Stream read error"},
      {"name longer than the stream", withInt(4 + 6 + 8, 0x7FFFFFFF), "Stream read error"},
      {"cut in the last property", good.substr(0, good.size() - 6), "Stream read error"},
      {"layout 7", patched({.Layout = 7}), "Stream read error"},
      {"stretch 9", patched({.Stretch = 9}), "Stream read error"},
      {"gradient 4", patched({.Gradient = 4}), "Stream read error"},
      {"a twelfth state", patched({.States = 0x0801}), "Stream read error"},
      {"negative border width", patched({.Thin = -1}), "Stream read error"},
      {"huge minimum size", patched({.MinWidth = 1 << 30}), "Stream read error"},
      {"border class as property", patched({.PropertyClass = "TdxSkinBorder"}), "Class TdxSkinBorder not found"},
      {"element class as property", patched({.PropertyClass = "TdxSkinElement"}), "Class TdxSkinElement not found"},
      {"three bytes", good.substr(0, 3), "Invalid stream format"},
      {"not a number as version", MakeStream(std::nan("")), "Stream read error"},
  };
  for (const Case& c : cases) {
    TdxSkin skin;
    try {
      LoadSkin(&skin, c.Bytes);
      ADD_FAILURE() << c.Name << ": loaded";
    } catch (const Exception& e) {
      EXPECT_EQ(e.Message(), c.Message) << c.Name;
    }
  }
}

TEST_F(SkinsCore, ImageCountTheSheetCannotHoldIsRefused) {
  // A 60-pixel sheet of three states holds two images of 10 pixels, not a hundred.
  for (int imageCount : {2, 100}) {
    auto skin = std::make_unique<TdxSkin>("S");
    TdxSkinElement* element = skin->AddGroup("G")->AddElement("E");
    SetSheet(element->Image(), 2, {esNormal, esHot, esPressed}, 10, 20, [](int, int, int, int) { return 0xFF000000u; });
    element->SetImageCount(imageCount);
    TdxSkin loaded;
    if (imageCount == 2)
      EXPECT_NO_THROW(LoadSkin(&loaded, SaveSkin(skin.get())));
    else
      EXPECT_THROW(LoadSkin(&loaded, SaveSkin(skin.get())), EReadError);
  }
}

// Every truncation of the header and the first records, then byte flips with a fixed seed: each
// stream loads or raises one of the format's errors; nothing crashes or hangs, and no GDI object or
// heap block stays behind.
TEST_F(SkinsCore, MutatedStreamsLoadOrFail) {
  auto skin = MakeTestSkin();
  const std::string good = SaveSkin(skin.get());
  ExpectLoadsOrStreamError(good, "warm-up");
  const int gdiBefore = GdiObjectCount();
  const size_t heapBefore = mallinfo2().uordblks;

  const size_t truncations = std::min<size_t>(good.size(), 1500);
  for (size_t length = 0; length < truncations; ++length)
    ExpectLoadsOrStreamError(good.substr(0, length), "cut at " + std::to_string(length));

  std::mt19937 random(20261210);
  std::uniform_int_distribution<size_t> position(0, good.size() - 1);
  std::uniform_int_distribution<int> value(0, 255);
  for (int flip = 0; flip < 400; ++flip) {
    std::string mutated = good;
    size_t at = position(random);
    mutated[at] = static_cast<char>(value(random));
    ExpectLoadsOrStreamError(mutated, "byte " + std::to_string(at));
  }
  EXPECT_EQ(GdiObjectCount(), gdiBefore);
  EXPECT_LE(mallinfo2().uordblks, heapBefore + 64 * 1024);
}

class TListener : public IdxSkinChangeListener {
 public:
  void SkinChanged(TdxSkin*) override { ++Calls; }
  int Calls = 0;
};

TEST_F(SkinsCore, ChangesReachListenersOncePerChange) {
  auto skin = MakeTestSkin();
  TListener listener;
  skin->AddListener(&listener);
  TdxSkinElement* button = skin->GetGroupByName("Common")->GetElementByName("Button");
  struct Case {
    const char* Name;
    std::function<void()> Change;
    int Calls;
  };
  const Case cases[] = {
      {"element colour", [&] { button->SetColor(0x102030); }, 1},
      {"same colour still notifies", [&] { button->SetColor(0x102030); }, 1},
      {"same image count does not", [&] { button->SetImageCount(1); }, 0},
      {"border", [&] { button->Borders()->Left()->SetThin(3); }, 1},
      {"margins", [&] { button->Image()->Margins()->SetLeft(5); }, 1},
      {"locked: one at the end, changed or not",
       [&] {
         skin->BeginUpdate();
         skin->EndUpdate();
       },
       1},
      {"a whole load", [&] { LoadSkin(skin.get(), SaveSkin(MakeTestSkin().get())); }, 1},
  };
  for (const Case& c : cases) {
    listener.Calls = 0;
    c.Change();
    EXPECT_EQ(listener.Calls, c.Calls) << c.Name;
  }
  skin->RemoveListener(&listener);
}

TEST_F(SkinsCore, LookupsCopiesAndComparisons) {
  auto skin = MakeTestSkin();
  TdxSkinControlGroup* common = skin->GetGroupByName("Common");
  ASSERT_NE(common, nullptr);
  EXPECT_NE(common->GetElementByName("Button"), nullptr);
  EXPECT_EQ(common->GetElementByName("button"), nullptr);
  EXPECT_NE(skin->GetColorByName("SelectionColor"), nullptr);

  TdxSkinElement* button = common->GetElementByName("Button");
  std::unique_ptr<TdxSkinElement> copy(static_cast<TdxSkinElement*>(button->Clone()));
  EXPECT_EQ(copy->GetOwner(), nullptr);
  EXPECT_TRUE(copy->Compare(button));
  EXPECT_EQ(copy->Image()->SourceName(), "Common\\Button_Image.png");
  for (TcxBorder side : {bLeft, bTop, bRight, bBottom}) {
    std::unique_ptr<TdxSkinElement> other(static_cast<TdxSkinElement*>(button->Clone()));
    other->Borders()->Items(side)->SetColor(0x0000FF);
    EXPECT_FALSE(other->Compare(button)) << int(side);
  }

  TdxSkinElement element;
  element.SetImageCount(0);
  EXPECT_EQ(element.ImageCount(), 1);
  EXPECT_EQ(TdxSkinIntegerProperty().GetKindName(), "Integer");
  EXPECT_EQ(TdxSkinColor().GetKindName(), "Color");

  std::unique_ptr<TdxSkin> clone(static_cast<TdxSkin*>(skin->Clone()));
  EXPECT_EQ(SaveSkin(clone.get()), SaveSkin(skin.get()));
  TdxSkinColor* selection = skin->GetColorByName("SelectionColor");
  skin->Delete(selection);
  EXPECT_EQ(skin->GetColorByName("SelectionColor"), nullptr);
}

TEST_F(SkinsCore, PartStreamIsAWindow) {
  TMemoryStream source;
  source.WriteBuffer("0123456789", 10);
  TdxSkinPartStream part;
  part.Initialize(&source, 3, 7);
  EXPECT_EQ(part.Size(), 4);
  char buffer[8] = {};
  EXPECT_EQ(part.Read(buffer, 8), 4);  // never past the window
  EXPECT_EQ(std::string(buffer), "3456");
  EXPECT_EQ(part.Seek(-1, soEnd), 3);
  EXPECT_EQ(part.Seek(100, soBeginning), 4);
  EXPECT_EQ(part.Seek(-100, soCurrent), 0);
}

}  // namespace
