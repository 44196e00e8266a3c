#include "calderan_test.h"

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "BinaryFiler.h"
#include "Classes.h"
#include "Graphics.h"
#include "stored_form_test.h"

namespace {

enum TShape { shNone, shRound, shSquare };
constexpr const char* kShapeNames[] = {"shNone", "shRound", "shSquare"};
constinit const TEnumInfo ShapeInfo{kShapeNames, 3, 0};

class TSampleItem : public TCollectionItem {
  CALDERAN_CLASS(TSampleItem)
  explicit TSampleItem(TCollection* collection) : TCollectionItem(collection) {}
  std::string Label;
  int Value = 0;
};

// Everything a stored form holds: each published kind, a picture as a sub-object, a collection,
// and properties the object stores itself (a list of numbers and a binary block).
class TSample : public TPersistent {
  CALDERAN_CLASS(TSample)
  TSample() = default;
  int Count = 7;
  int64_t Big = 0;
  char Letter = 'a';
  TShape Shape = shNone;
  bool Flag = false;
  TSet<TShape> Shapes;
  double Ratio = 0;
  std::string Caption;
  TBitmap* Picture() const { return picture_.get(); }
  TCollection* Items() const { return items_.get(); }
  std::vector<int> Numbers;
  std::string Blob;

  void DefineProperties(TFiler* filer) override {
    filer->DefineProperty("Numbers", TReaderProc(this, &TSample::ReadNumbers), TWriterProc(this, &TSample::WriteNumbers),
                          !Numbers.empty());
    filer->DefineBinaryProperty("Blob", TStreamProc(this, &TSample::ReadBlob), TStreamProc(this, &TSample::WriteBlob),
                                !Blob.empty());
  }

 private:
  void ReadNumbers(TReader* reader) {
    Numbers.clear();
    reader->ReadListBegin();
    while (!reader->EndOfList()) Numbers.push_back(reader->ReadInteger());
    reader->ReadListEnd();
  }
  void WriteNumbers(TWriter* writer) {
    writer->WriteListBegin();
    for (int n : Numbers) writer->WriteInteger(n);
    writer->WriteListEnd();
  }
  void ReadBlob(TStream* stream) { Blob = stream->ReadAll(); }
  void WriteBlob(TStream* stream) { stream->WriteBuffer(Blob.data(), static_cast<int32_t>(Blob.size())); }

  std::unique_ptr<TBitmap> picture_ = std::make_unique<TBitmap>();
  std::unique_ptr<TCollection> items_ = std::make_unique<TCollection>(TSampleItem::StaticClass());
};

// A sample held as a sub-object: its collection's items are named from the item, not the path.
class TSampleHolder : public TPersistent {
  CALDERAN_CLASS(TSampleHolder)
  TSampleHolder() = default;
  TSample* Inner() const { return inner_.get(); }

 private:
  std::unique_ptr<TSample> inner_ = std::make_unique<TSample>();
};

CALDERAN_IMPLEMENT_CREATABLE(TSampleItem, TCollectionItem, TCollection*)
CALDERAN_IMPLEMENT_CLASS(TSample, TPersistent)
CALDERAN_IMPLEMENT_CLASS(TSampleHolder, TPersistent)

constinit const TPropInfo kSampleProps[] = {
    Published<&TSample::Count, &TSample::Count>("Count").WithDefault(7),
    Published<&TSample::Big, &TSample::Big>("Big"),
    Published<&TSample::Letter, &TSample::Letter>("Letter"),
    Published<&TSample::Shape, &TSample::Shape>("Shape", &ShapeInfo).WithDefault(shNone),
    Published<&TSample::Flag, &TSample::Flag>("Flag").WithDefault(0),
    Published<&TSample::Shapes, &TSample::Shapes>("Shapes", &ShapeInfo),
    Published<&TSample::Ratio, &TSample::Ratio>("Ratio"),
    Published<&TSample::Caption, &TSample::Caption>("Caption"),
    Published<&TSample::Picture, nullptr>("Picture"),
    Published<&TSample::Items, nullptr>("Items"),
};
constinit const TPropInfo kSampleHolderProps[] = {
    Published<&TSampleHolder::Inner, nullptr>("Inner"),
};
constinit const TPropInfo kSampleItemProps[] = {
    Published<&TSampleItem::Label, &TSampleItem::Label>("Label"),
    Published<&TSampleItem::Value, &TSampleItem::Value>("Value").WithDefault(0),
};

// Stored tests and defaults of every type: each property here is left out of a stored form for a
// different reason.
class TStoredSample : public TPersistent {
  CALDERAN_CLASS(TStoredSample)
  TStoredSample() = default;
  int Hidden = 0;                       // never stored
  int Limit = 0;                        // stored when LimitSet, whatever its value
  bool LimitSet = false;
  TSet<TShape> Shapes{shRound};         // default {shRound}
  double Scale = 1.5;                   // default 1.5
  std::string Title = "Untitled";       // default "Untitled"
  bool KeepPicture = false;             // the picture is stored only when this is set
  int FrameWidthInScreenPixels = 0;     // default 0; its name is longer than any value type's number
  TBitmap* Picture() const { return picture_.get(); }
  bool IsLimitStored() const { return LimitSet; }
  bool IsPictureStored() const { return KeepPicture; }

 private:
  std::unique_ptr<TBitmap> picture_ = std::make_unique<TBitmap>();
};
CALDERAN_IMPLEMENT_CLASS(TStoredSample, TPersistent)

constinit const TPropInfo kStoredSampleProps[] = {
    Published<&TStoredSample::Hidden, &TStoredSample::Hidden>("Hidden").StoredNever(),
    Published<&TStoredSample::Limit, &TStoredSample::Limit>("Limit").StoredWhen<&TStoredSample::IsLimitStored>(),
    Published<&TStoredSample::Shapes, &TStoredSample::Shapes>("Shapes", &ShapeInfo).WithDefault(TSet<TShape>{shRound}),
    Published<&TStoredSample::Scale, &TStoredSample::Scale>("Scale").WithDefault(1.5),
    Published<&TStoredSample::Title, &TStoredSample::Title>("Title").WithDefault("Untitled"),
    Published<&TStoredSample::Picture, nullptr>("Picture").StoredWhen<&TStoredSample::IsPictureStored>(),
    Published<&TStoredSample::FrameWidthInScreenPixels, &TStoredSample::FrameWidthInScreenPixels>(
        "FrameWidthInScreenPixels")
        .WithDefault(0),
};

void RegisterSample() {
  RegisterPublishedProperties(TSample::StaticClass(), kSampleProps);
  RegisterPublishedProperties(TSampleItem::StaticClass(), kSampleItemProps);
  RegisterPublishedProperties(TStoredSample::StaticClass(), kStoredSampleProps);
  RegisterPublishedProperties(TSampleHolder::StaticClass(), kSampleHolderProps);
}
constinit const TUnitInfo SampleUnit{"BinaryFilerTest", &RegisterSample, nullptr};

class BinaryFiler : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { StartUnits({&SysUtilsUnit, &ClassesUnit, &GraphicsUnit, &SampleUnit}); }
};

// A picture whose every pixel differs from its neighbours.
void Paint(TBitmap* b, int w, int h) {
  b->SetPixelFormat(TPixelFormat::pf24bit);
  b->SetSize(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) b->Canvas()->SetPixel(x, y, RGB(x * 20, y * 30, (x + y) * 10));
}

void Fill(TSample& s) {
  s.Count = -40000;
  s.Big = int64_t{1} << 40;
  s.Letter = 'Q';
  s.Shape = shSquare;
  s.Flag = true;
  s.Shapes = TSet<TShape>{shNone, shSquare};
  s.Ratio = 2.75;
  s.Caption = std::string(300, 'x') + "é & z";
  Paint(s.Picture(), 5, 3);
  for (int i = 0; i < 3; ++i) {
    auto* item = static_cast<TSampleItem*>(s.Items()->Add());
    item->Label = "item " + std::to_string(i);
    item->Value = i * 1000;
  }
  s.Numbers = {1, -200, 70000};
  s.Blob = std::string("\0\1\2 binary", 10);
}

TEST_F(BinaryFiler, EveryKindOfPropertyComesBack) {
  TSample source;
  Fill(source);
  TSample copy;
  copy.Items()->Add();  // reading replaces the items
  ReadForm(&copy, WrittenForm(&source));
  EXPECT_EQ(copy.Count, -40000);
  EXPECT_EQ(copy.Big, int64_t{1} << 40);
  EXPECT_EQ(copy.Letter, 'Q');
  EXPECT_EQ(copy.Shape, shSquare);
  EXPECT_TRUE(copy.Flag);
  EXPECT_TRUE(copy.Shapes == (TSet<TShape>{shNone, shSquare}));
  EXPECT_EQ(copy.Ratio, 2.75);
  EXPECT_EQ(copy.Caption, source.Caption);
  ASSERT_EQ(copy.Picture()->Width(), 5);
  ASSERT_EQ(copy.Picture()->Height(), 3);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 5; ++x) EXPECT_EQ(copy.Picture()->Canvas()->Pixel(x, y), source.Picture()->Canvas()->Pixel(x, y));
  ASSERT_EQ(copy.Items()->Count(), 3);
  for (int i = 0; i < 3; ++i) {
    auto* item = static_cast<TSampleItem*>(copy.Items()->Items(i));
    EXPECT_EQ(item->Label, "item " + std::to_string(i));
    EXPECT_EQ(item->Value, i * 1000);
  }
  EXPECT_EQ(copy.Numbers, (std::vector<int>{1, -200, 70000}));
  EXPECT_EQ(copy.Blob, source.Blob);
}

TEST_F(BinaryFiler, ACollectionOfASubObjectComesBackWithItsItems) {
  TSampleHolder source;
  Fill(*source.Inner());
  TSampleHolder copy;
  ReadForm(&copy, WrittenForm(&source));
  EXPECT_EQ(copy.Inner()->Count, -40000);
  ASSERT_EQ(copy.Inner()->Items()->Count(), 3);
  EXPECT_EQ(static_cast<TSampleItem*>(copy.Inner()->Items()->Items(2))->Label, "item 2");
  EXPECT_EQ(copy.Inner()->Numbers, (std::vector<int>{1, -200, 70000}));
}

TEST_F(BinaryFiler, DefaultsAndEmptyValuesAreLeftOut) {
  TSample plain;
  // Big, Letter, Shapes and Ratio have no default; the picture, the blob and the numbers are empty.
  const std::string bytes = WrittenForm(&plain);
  auto has = [&](const std::string& name) { return bytes.find(char(name.size()) + name) != std::string::npos; };
  for (const char* name : {"Count", "Shape", "Flag", "Caption", "Picture.Data", "Numbers", "Blob"})
    EXPECT_FALSE(has(name)) << name;
  for (const char* name : {"Big", "Letter", "Shapes", "Ratio", "Items"}) EXPECT_TRUE(has(name)) << name;
  TSample copy;
  copy.Count = 1;
  ReadForm(&copy, bytes);
  EXPECT_EQ(copy.Count, 1) << "a property left out keeps its value";
  EXPECT_EQ(bytes.back(), '\0');
}

TEST_F(BinaryFiler, StoredTestsAndDefaultsOfEveryTypeDecideWhatIsWritten) {
  struct Case {
    const char* what;
    std::function<void(TStoredSample&)> change;
    std::vector<const char*> written;
  };
  const Case cases[] = {
      {"as constructed", [](TStoredSample&) {}, {}},
      {"every value changed, stored tests false",
       [](TStoredSample& s) {
         s.Hidden = 5;
         s.Limit = 9;
         s.Shapes = TSet<TShape>{shSquare};
         s.Scale = 0;
         s.Title = "";  // differs from the default, so an empty text is written
         Paint(s.Picture(), 2, 2);
         s.FrameWidthInScreenPixels = 3;
       },
       {"Shapes", "Scale", "Title", "FrameWidthInScreenPixels"}},
      {"stored tests true, values at the types' zero",
       [](TStoredSample& s) {
         s.LimitSet = true;
         s.KeepPicture = true;
         Paint(s.Picture(), 2, 2);
       },
       {"Limit", "Picture.Data"}},
  };
  const char* const names[] = {"Hidden", "Limit", "Shapes", "Scale", "Title", "Picture.Data", "FrameWidthInScreenPixels"};
  for (const Case& c : cases) {
    TStoredSample source;
    c.change(source);
    const std::string bytes = WrittenForm(&source);
    auto has = [&](const std::string& name) { return bytes.find(char(name.size()) + name) != std::string::npos; };
    for (const char* name : names) {
      const bool expected = std::find_if(c.written.begin(), c.written.end(),
                                         [&](const char* w) { return std::string(w) == name; }) != c.written.end();
      EXPECT_EQ(has(name), expected) << c.what << ": " << name;
    }
    TStoredSample copy;
    ReadForm(&copy, bytes);
    EXPECT_EQ(copy.Hidden, 0) << c.what;
    EXPECT_TRUE(copy.Shapes == source.Shapes) << c.what;
    EXPECT_EQ(copy.Scale, source.Scale) << c.what;
    EXPECT_EQ(copy.Title, source.Title) << c.what;
    EXPECT_EQ(copy.Picture()->Width(), source.KeepPicture ? 2 : 0) << c.what;
    EXPECT_EQ(copy.FrameWidthInScreenPixels, source.FrameWidthInScreenPixels) << c.what;
  }
}

TEST_F(BinaryFiler, IntegersTakeTheSmallestForm) {
  struct Case {
    int64_t value;
    TValueType type;
    size_t size;
  };
  const Case cases[] = {
      {0, vaInt8, 2},           {-128, vaInt8, 2},        {127, vaInt8, 2},
      {128, vaInt16, 3},        {-32768, vaInt16, 3},     {32768, vaInt32, 5},
      {INT32_MIN, vaInt32, 5},  {int64_t{INT32_MAX} + 1, vaInt64, 9},
  };
  for (const Case& c : cases) {
    TMemoryStream stream;
    TBinaryFormWriter(&stream).WriteInt64(c.value);
    EXPECT_EQ(stream.Size(), static_cast<int64_t>(c.size)) << c.value;
    EXPECT_EQ(static_cast<const Byte*>(stream.Memory())[0], c.type) << c.value;
    stream.SetPosition(0);
    EXPECT_EQ(TBinaryFormReader(&stream).ReadInt64(), c.value);
  }
}

// A property as the writer puts it: its name and one value written by `value`.
std::string Property(const std::string& name, const std::function<void(TBinaryFormWriter&)>& value) {
  TMemoryStream stream;
  TBinaryFormWriter writer(&stream);
  const Byte length = static_cast<Byte>(name.size());
  stream.WriteBuffer(&length, 1);
  stream.WriteBuffer(name.data(), length);
  value(writer);
  return std::string(static_cast<const char*>(stream.Memory()), static_cast<size_t>(stream.Size()));
}

TEST_F(BinaryFiler, DamagedStreamsRaiseClearErrors) {
  TSample source;
  Fill(source);
  const std::string good = WrittenForm(&source);
  const size_t data = good.find("Picture.Data") + 12;  // vaBinary, size, then the picture's own size and .bmp
  std::string badPicture = good;
  badPicture[data + 9] = 'X';  // the "BM" of the .bmp file header
  std::string bigBinary = good;
  bigBinary[data + 4] = 0x7F;  // the binary block claims more bytes than follow
  struct Case {
    const char* what;
    std::string bytes;
    std::function<bool(const Exception&)> expected;
    std::string message;
  };
  auto readError = [](const Exception& e) { return dynamic_cast<const EReadError*>(&e) != nullptr; };
  auto graphicError = [](const Exception& e) { return dynamic_cast<const EInvalidGraphic*>(&e) != nullptr; };
  const Case cases[] = {
      {"cut inside the picture", good.substr(0, data + 40), readError, "Stream read error"},
      {"cut after a name", good.substr(0, good.find("Caption") + 7), readError, "Stream read error"},
      {"cut before the end of the list", good.substr(0, good.size() - 1), readError, "Stream read error"},
      {"binary block longer than the stream", bigBinary, readError, "Stream read error"},
      {"picture that is no bitmap", badPicture, graphicError, ""},
      {"unknown value type", Property("Count", [](TBinaryFormWriter&) {}) + "\x7F", readError, "Invalid stream format"},
      {"unknown property", Property("Colour", [](TBinaryFormWriter& w) { w.WriteInteger(1); }) + '\0', readError,
       "Property Colour does not exist"},
      {"path through a plain value", Property("Count.Data", [](TBinaryFormWriter& w) { w.WriteInteger(1); }) + '\0',
       readError, "Invalid property path Count.Data"},
      {"text for a number", Property("Count", [](TBinaryFormWriter& w) { w.WriteString("12"); }) + '\0', readError,
       "Invalid property value"},
      {"unknown enumeration name", Property("Shape", [](TBinaryFormWriter& w) { w.WriteIdent("shOval"); }) + '\0',
       readError, "Invalid property value of Shape"},
  };
  for (const Case& c : cases) {
    TSample target;
    try {
      ReadForm(&target, c.bytes);
      ADD_FAILURE() << c.what << ": no exception";
    } catch (const Exception& e) {
      EXPECT_TRUE(c.expected(e)) << c.what << ": " << e.ClassName() << " " << e.Message();
      if (!c.message.empty()) {
        EXPECT_EQ(e.Message(), c.message) << c.what;
      }
    }
  }
}

TEST_F(BinaryFiler, SkippedValuesLeaveTheReaderAtTheNextOne) {
  TMemoryStream stream;
  TBinaryFormWriter writer(&stream);
  writer.WriteListBegin();
  writer.WriteString(std::string(400, 's'));
  writer.WriteFloat(1.25L);
  writer.WriteIdent("True");
  writer.WriteCollection(TSample().Items());
  writer.WriteListEnd();
  writer.WriteInteger(-5);
  stream.SetPosition(0);
  TBinaryFormReader reader(&stream);
  reader.SkipValue();
  EXPECT_EQ(reader.ReadInteger(), -5);
  EXPECT_EQ(stream.Position(), stream.Size());
}

}  // namespace
