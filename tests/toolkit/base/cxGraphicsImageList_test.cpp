#include "calderan_test.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "BinaryFiler.h"
#include "cxBaseUnits.h"
#include "cxGraphics.h"
#include "cxGraphicsGlyphs.h"
#include "stored_form_test.h"

namespace {

class ImageList : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { StartToolkitBaseUnits(); }
};

const TColor Palette[] = {clRed, clLime, clBlue, clYellow, clFuchsia, clAqua, clMaroon, clNavy};

// The colour as the low 24 bits of a pixel.
TcxPixel Rgb(TColor color) { return ColorToPixel(color, 0) & 0xFFFFFF; }

// A 24-bit picture of columns x rows cells of 16 x 16, cell k (row by row) in Palette[first + k].
std::unique_ptr<TBitmap> Cells(int columns, int rows, int first = 0) {
  auto b = std::make_unique<TBitmap>(columns * 16, rows * 16, TPixelFormat::pf24bit);
  for (int k = 0; k < columns * rows; ++k) {
    b->Canvas()->Brush()->SetColor(Palette[(first + k) % 8]);
    b->Canvas()->FillRect(Bounds((k % columns) * 16, (k / columns) * 16, 16, 16));
  }
  return b;
}

std::unique_ptr<TBitmap> Solid(int w, int h, TColor color) {
  auto b = std::make_unique<TBitmap>(w, h, TPixelFormat::pf24bit);
  b->Canvas()->Brush()->SetColor(color);
  b->Canvas()->FillRect(TRect(0, 0, w, h));
  return b;
}

// A 16 x 16 picture with alpha: blue whose alpha grows along x (0, 16 ... 240), with an opaque red
// 4 x 4 square at (4, 4). Image lists take colours not multiplied by alpha, as icons have them.
std::unique_ptr<TcxBitmap> AlphaPicture() {
  auto b = std::make_unique<TcxBitmap>(16, 16);
  std::vector<TcxPixel> pixels(256);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) {
      const bool square = x >= 4 && x < 8 && y >= 4 && y < 8;
      const TcxPixel a = square ? 255 : x * 16;
      pixels[(15 - y) * 16 + x] = square ? 0xFFFF0000u : (a << 24) | 0xFF;
    }
  b->SetPixels(pixels);
  return b;
}

TcxPixel PixelOf(TBitmap* b, int x, int y) { return GetBitmapPixels(b, true)[size_t(y) * b->Width() + x]; }

// Image i as the platform list holds it, and as its image info holds it.
TcxPixel PlatformPixel(TcxImageList& list, int i, int x, int y) {
  TBitmap image(list.Width(), list.Height(), TPixelFormat::pf32bit);
  TcxImageList::FetchImageFromHandle(list.Handle(), i, nullptr, &image);
  return PixelOf(&image, x, y);
}
TcxPixel InfoPixel(TcxImageList& list, int i, int x, int y) { return PixelOf(list.ImageInfo()->Items(i)->Image(), x, y); }

// The palette index of every image (read at its centre) from the platform list and from the infos.
std::vector<int> Order(TcxImageList& list, bool fromInfos) {
  std::vector<int> order;
  const int count = fromInfos ? list.ImageInfo()->Count() : list.Count();
  for (int i = 0; i < count; ++i) {
    const TcxPixel p = (fromInfos ? InfoPixel(list, i, 8, 8) : PlatformPixel(list, i, 8, 8)) & 0xFFFFFF;
    int k = 0;
    while (k < 8 && Rgb(Palette[k]) != p) ++k;
    order.push_back(k);
  }
  return order;
}

// A 32-bit target filled with one colour.
struct TTarget {
  explicit TTarget(TColor fill, int size = 40) : Bitmap(size, size) {
    Bitmap.Canvas()->GetBrush()->SetColor(fill);
    Bitmap.Canvas()->Canvas()->FillRect(TRect(0, 0, size, size));
  }
  COLORREF At(int x, int y) { return GetPixel(Bitmap.Canvas()->GetHandle(), x, y); }
  TcxBitmap Bitmap;
};

TEST_F(ImageList, PicturesBecomeOneImageAndOneInfoPerCell) {
  struct Case {
    int width, height;
    int images;
  };
  // Whole grids of cells give one image per cell, row by row; any other picture is one image.
  const Case cases[] = {{16, 16, 1}, {48, 16, 3}, {32, 32, 4}, {16, 48, 3}, {20, 16, 1}, {40, 16, 1}, {8, 8, 1}};
  for (const Case& c : cases) {
    const bool grid = c.width % 16 == 0 && c.height % 16 == 0;
    std::unique_ptr<TBitmap> picture = grid ? Cells(c.width / 16, c.height / 16) : Solid(c.width, c.height, clBlue);
    TcxImageList list(nullptr, 16, 16);
    list.Add(Solid(16, 16, clNavy).get(), nullptr);
    EXPECT_EQ(list.Add(picture.get(), nullptr), 1) << c.width << " x " << c.height;
    ASSERT_EQ(list.Count(), 1 + c.images) << c.width << " x " << c.height;
    ASSERT_EQ(list.ImageInfo()->Count(), 1 + c.images) << c.width << " x " << c.height;
    for (int k = 0; k < c.images; ++k) {
      const TcxPixel expected = Rgb(grid ? Palette[k] : clBlue);
      EXPECT_EQ(PlatformPixel(list, 1 + k, 2, 2) & 0xFFFFFF, expected) << c.width << " x " << c.height << " image " << k;
      EXPECT_EQ(InfoPixel(list, 1 + k, 2, 2) & 0xFFFFFF, expected) << c.width << " x " << c.height << " info " << k;
    }
    if (!grid) {
      EXPECT_EQ(list.ImageInfo()->Items(1)->Image()->Width(), c.width) << "the info keeps the whole picture";
    }
  }
}

TEST_F(ImageList, EditsKeepImagesAndInfosInStep) {
  struct Case {
    const char* what;
    std::function<void(TcxImageList&)> edit;
    std::vector<int> order;
  };
  const Case cases[] = {
      {"Move(2, 0)", [](TcxImageList& l) { l.Move(2, 0); }, {2, 0, 1, 3}},
      {"Move(0, 3)", [](TcxImageList& l) { l.Move(0, 3); }, {1, 2, 3, 0}},
      {"Insert at Count", [](TcxImageList& l) { l.Insert(4, Cells(1, 1, 5).get(), nullptr); }, {0, 1, 2, 3, 5}},
      {"Insert past Count", [](TcxImageList& l) { l.Insert(5, Cells(1, 1, 5).get(), nullptr); }, {0, 1, 2, 3}},
      {"Insert below 0", [](TcxImageList& l) { l.Insert(-1, Cells(1, 1, 5).get(), nullptr); }, {0, 1, 2, 3}},
      {"Insert a strip", [](TcxImageList& l) { l.Insert(1, Cells(2, 1, 4).get(), nullptr); }, {0, 4, 5, 1, 2, 3}},
      {"Insert a grid", [](TcxImageList& l) { l.Insert(0, Cells(2, 2, 4).get(), nullptr); }, {4, 5, 6, 7, 0, 1, 2, 3}},
      {"Replace", [](TcxImageList& l) { l.Replace(2, Cells(1, 1, 6).get(), nullptr); }, {0, 1, 6, 3}},
      {"Delete", [](TcxImageList& l) { l.Delete(1); }, {0, 2, 3}},
      {"Delete all", [](TcxImageList& l) { l.Delete(-1); }, {}},
      {"Clear", [](TcxImageList& l) { l.Clear(); }, {}},
      {"a new size", [](TcxImageList& l) { l.SetSize(24, 24); }, {}},
  };
  for (const Case& c : cases) {
    TcxImageList list(nullptr, 16, 16);
    list.Add(Cells(4, 1).get(), nullptr);
    c.edit(list);
    EXPECT_EQ(Order(list, false), c.order) << c.what;
    EXPECT_EQ(Order(list, true), c.order) << c.what;
  }
  TcxImageList list(nullptr, 16, 16);
  list.Add(Cells(2, 1).get(), nullptr);
  EXPECT_THROW(list.Delete(2), EInvalidOperation);
  EXPECT_THROW(list.Delete(-2), EInvalidOperation);
  EXPECT_EQ(Order(list, true), (std::vector<int>{0, 1}));
}

TEST_F(ImageList, MasksAndMaskColoursDecideWhatIsTransparent) {
  // The left half of the picture is fuchsia, the right half red.
  auto picture = Solid(16, 16, clRed);
  picture->Canvas()->Brush()->SetColor(clFuchsia);
  picture->Canvas()->FillRect(TRect(0, 0, 8, 16));
  auto mask = Solid(16, 16, clBlack);
  mask->Canvas()->Brush()->SetColor(clWhite);
  mask->Canvas()->FillRect(TRect(0, 0, 16, 4));  // the top rows transparent
  struct Case {
    const char* what;
    std::function<int(TcxImageList&)> add;
    TColor maskColor;
    COLORREF left, top;  // drawn at (2, 8) and (12, 1)
  };
  const Case cases[] = {
      {"AddMasked fuchsia", [&](TcxImageList& l) { return l.AddMasked(picture.get(), clFuchsia); }, clFuchsia,
       ColorToRGB(clLime), ColorToRGB(clRed)},
      {"AddMasked clNone", [&](TcxImageList& l) { return l.AddMasked(picture.get(), clNone); }, clNone,
       ColorToRGB(clFuchsia), ColorToRGB(clRed)},
      {"Add without a mask", [&](TcxImageList& l) { return l.Add(picture.get(), nullptr); }, clNone,
       ColorToRGB(clFuchsia), ColorToRGB(clRed)},
      {"Add with a mask", [&](TcxImageList& l) { return l.Add(picture.get(), mask.get()); }, clNone,
       ColorToRGB(clFuchsia), ColorToRGB(clLime)},
  };
  for (const Case& c : cases) {
    TcxImageList list(nullptr, 16, 16);
    ASSERT_EQ(c.add(list), 0) << c.what;
    EXPECT_EQ(list.ImageInfo()->Items(0)->MaskColor(), c.maskColor) << c.what;
    TTarget t(clLime);
    list.Draw(t.Bitmap.Canvas()->Canvas(), 0, 0, 0);
    EXPECT_EQ(t.At(2, 8), c.left) << c.what;
    EXPECT_EQ(t.At(12, 1), c.top) << c.what;
    EXPECT_EQ(t.At(12, 8), ColorToRGB(clRed)) << c.what;
    EXPECT_EQ(t.At(20, 8), ColorToRGB(clLime)) << c.what << ": outside the image";
  }
}

TEST_F(ImageList, ImagesWithAlphaKeepItAndBlendByIt) {
  TcxImageList list(nullptr, 16, 16);
  auto picture = AlphaPicture();
  ASSERT_EQ(list.Add(picture.get(), nullptr), 0);
  EXPECT_EQ(TcxImageList::PlatformColorDepth(list.Handle()), 32);
  TBitmap image, mask;
  list.FetchImage(0, &image, &mask);
  ASSERT_EQ(image.PixelFormat(), TPixelFormat::pf32bit);
  EXPECT_EQ(GetBitmapPixels(&image, true), GetBitmapPixels(picture.get(), true)) << "every channel, alpha too";
  EXPECT_TRUE(mask.Empty());
  TBitmap untouched(3, 3);
  list.FetchImage(1, &untouched, nullptr);
  EXPECT_EQ(untouched.Width(), 3) << "an index outside the list fetches nothing";

  TTarget t(clWhite);
  list.Draw(t.Bitmap.Canvas()->Canvas(), 0, 0, 0);
  EXPECT_EQ(t.At(5, 5), RGB(255, 0, 0)) << "the opaque square";
  EXPECT_EQ(t.At(0, 12), RGB(255, 255, 255)) << "alpha 0";
  const COLORREF half = t.At(8, 12);  // alpha 128
  EXPECT_NEAR(GetRValue(half), 127, 2);
  EXPECT_EQ(GetBValue(half), 255);
}

TEST_F(ImageList, DrawInRectCentresStretchesAndGreys) {
  TcxImageList list(nullptr, 16, 16);
  list.Add(Solid(16, 16, clRed).get(), nullptr);
  struct Case {
    const char* what;
    int index;
    bool stretch, enabled;
    std::vector<std::pair<TPoint, COLORREF>> pixels;
  };
  const COLORREF red = ColorToRGB(clRed), lime = ColorToRGB(clLime);
  const Case cases[] = {
      {"centred", 0, false, true, {{{12, 12}, red}, {{27, 27}, red}, {{11, 12}, lime}, {{28, 27}, lime}}},
      {"stretched", 0, true, true, {{{1, 1}, red}, {{38, 38}, red}, {{20, 20}, red}}},
      {"outside the list", 1, true, true, {{{20, 20}, lime}}},
  };
  for (const Case& c : cases) {
    TTarget t(clLime);
    list.DrawInRect(c.index, t.Bitmap.Canvas()->Canvas(), TRect(0, 0, 40, 40), dsNormal, c.stretch, false, c.enabled);
    for (const auto& [p, colour] : c.pixels) EXPECT_EQ(t.At(p.X, p.Y), colour) << c.what << " at " << p.X << ", " << p.Y;
  }
  TTarget t(clLime);
  list.Draw(t.Bitmap.Canvas()->Canvas(), 0, 0, 0, false);
  const COLORREF grey = t.At(8, 8);
  EXPECT_NE(grey, red);
  EXPECT_EQ(GetRValue(grey), GetGValue(grey)) << "disabled images are grey";
}

void CountChange(void* data, TObject*) { ++*static_cast<int*>(data); }

TEST_F(ImageList, NestedUpdatesNotifyOnceAtTheOutermostEnd) {
  TcxImageList list(nullptr, 16, 16);
  int changes = 0;
  list.OnChange = TNotifyEvent(&CountChange, &changes);
  list.AddMasked(Solid(16, 16, clRed).get(), clFuchsia);
  EXPECT_EQ(changes, 1) << "one edit, one notification";
  list.BeginUpdate();
  list.BeginUpdate();
  list.Add(Solid(16, 16, clRed).get(), nullptr);
  list.Move(0, 1);
  list.EndUpdate(true);
  EXPECT_EQ(changes, 1);
  list.EndUpdate(true);
  EXPECT_EQ(changes, 2);
  list.BeginUpdate();
  list.Delete(0);
  list.EndUpdate(false);
  list.EndUpdate(true);  // not locked: nothing
  EXPECT_EQ(changes, 2);
}

TEST_F(ImageList, AssignCopiesTheImagesOfAnyImageList) {
  TcxImageList source(nullptr, 16, 16);
  source.Add(AlphaPicture().get(), nullptr);
  source.AddMasked(Cells(2, 1).get(), clFuchsia);
  TcxImageList copy(nullptr);
  copy.Assign(&source);
  ASSERT_EQ(copy.Count(), 3);
  ASSERT_EQ(copy.ImageInfo()->Count(), 3);
  EXPECT_EQ(GetBitmapPixels(copy.ImageInfo()->Items(0)->Image(), true), GetBitmapPixels(source.ImageInfo()->Items(0)->Image(), true));
  EXPECT_EQ(copy.ImageInfo()->Items(2)->MaskColor(), clFuchsia);
  EXPECT_TRUE(TcxImageList::SameImages(&copy, &source));

  TImageList plain(nullptr, 16, 16);
  plain.Add(Cells(3, 1).get(), nullptr);
  TcxImageList fromPlain(nullptr);
  fromPlain.Assign(&plain);
  EXPECT_EQ(Order(fromPlain, false), (std::vector<int>{0, 1, 2}));
  EXPECT_EQ(Order(fromPlain, true), (std::vector<int>{0, 1, 2}));
  EXPECT_FALSE(TcxImageList::SameImages(&fromPlain, &source));
  fromPlain.Clear();
  TcxImageList empty(nullptr);
  EXPECT_TRUE(TcxImageList::SameImages(&fromPlain, &empty));
  EXPECT_EQ(TcxImageList::PlatformColorDepth(empty.Handle()), 0);
}

// ---------------------------------------------------------------------------------------------
// The stored form

// A 20 x 12 list: an image with alpha, one with a mask, one with a mask colour, and a strip.
void FillForStoring(TcxImageList& list) {
  list.SetSize(20, 12);
  list.SetBkColor(clYellow);
  list.SetDrawingStyle(dsTransparent);
  list.SetDesignInfo(0x00300040);
  auto alpha = std::make_unique<TcxBitmap>(20, 12);
  std::vector<TcxPixel> pixels(240);
  for (size_t i = 0; i < pixels.size(); ++i) {
    const TcxPixel a = (i * 7) % 256;
    pixels[i] = (a << 24) | ((a / 2) << 16) | (a / 3);
  }
  alpha->SetPixels(pixels);
  list.Add(alpha.get(), nullptr);
  auto picture = Solid(20, 12, clGreen);
  auto mask = Solid(20, 12, clBlack);
  mask->Canvas()->Brush()->SetColor(clWhite);
  mask->Canvas()->FillRect(TRect(3, 3, 9, 7));
  list.Add(picture.get(), mask.get());
  auto keyed = Solid(20, 12, clTeal);
  keyed->Canvas()->Brush()->SetColor(clFuchsia);
  keyed->Canvas()->FillRect(TRect(10, 0, 20, 12));
  list.AddMasked(keyed.get(), clFuchsia);
  auto strip = Solid(40, 12, clNavy);
  strip->Canvas()->Brush()->SetColor(clOlive);
  strip->Canvas()->FillRect(TRect(20, 0, 40, 12));
  list.Add(strip.get(), nullptr);
}

void ExpectSameLists(TcxImageList& read, TcxImageList& written, const char* what) {
  EXPECT_EQ(read.Width(), 20) << what;
  EXPECT_EQ(read.Height(), 12) << what;
  EXPECT_EQ(read.BkColor(), clYellow) << what;
  EXPECT_EQ(read.DrawingStyle(), dsTransparent) << what;
  EXPECT_EQ(read.DesignInfo(), 0x00300040) << what;
  EXPECT_EQ(read.FormatVersion(), 1) << what;
  ASSERT_EQ(read.Count(), written.Count()) << what;
  ASSERT_EQ(read.ImageInfo()->Count(), written.ImageInfo()->Count()) << what;
  for (int i = 0; i < read.Count(); ++i) {
    TcxImageInfoItem *r = read.ImageInfo()->Items(i), *w = written.ImageInfo()->Items(i);
    EXPECT_EQ(r->Image()->PixelFormat(), w->Image()->PixelFormat()) << what << " image " << i;
    EXPECT_EQ(GetBitmapPixels(r->Image(), true), GetBitmapPixels(w->Image(), true)) << what << " image " << i;
    EXPECT_EQ(r->Mask()->Empty(), w->Mask()->Empty()) << what << " mask " << i;
    if (!w->Mask()->Empty()) {
      EXPECT_EQ(GetBitmapPixels(r->Mask(), true), GetBitmapPixels(w->Mask(), true)) << what << " mask " << i;
    }
    EXPECT_EQ(r->MaskColor(), w->MaskColor()) << what << " mask colour " << i;
    TTarget a(clWhite), b(clWhite);
    read.Draw(a.Bitmap.Canvas()->Canvas(), 4, 4, i);
    written.Draw(b.Bitmap.Canvas()->Canvas(), 4, 4, i);
    EXPECT_EQ(a.Bitmap.GetPixels(), b.Bitmap.GetPixels()) << what << ": image " << i << " draws the same";
  }
}

TEST_F(ImageList, StoredFormRoundTrip) {
  for (bool compress : {false, true}) {
    const char* what = compress ? "packed" : "plain";
    TcxImageList written(nullptr);
    written.SetCompressData(compress);
    FillForStoring(written);
    const std::string bytes = WrittenForm(&written);
    EXPECT_EQ(bytes.find("XDBM") != std::string::npos, compress) << what;
    EXPECT_NE(bytes.find("\x0D" "FormatVersion"), std::string::npos) << what;
    EXPECT_EQ(bytes.find("\x06" "Bitmap"), std::string::npos) << what << ": the platform list's data is never written";
    TcxImageList read(nullptr);
    read.Add(Solid(16, 16, clRed).get(), nullptr);  // reading replaces the images
    ReadForm(&read, bytes);
    EXPECT_EQ(read.CompressData(), compress) << what;
    ExpectSameLists(read, written, what);
  }
  TcxImageList empty(nullptr);
  EXPECT_EQ(WrittenForm(&empty).find("ImageInfo"), std::string::npos) << "a list without images stores none";
}

TEST_F(ImageList, StreamWithOnlyThePlatformListRebuildsTheInfos) {
  TImageList plain(nullptr, 16, 16);
  plain.Add(Cells(3, 1).get(), nullptr);
  TMemoryStream stream;
  TBinaryFormWriter writer(&stream);
  writer.DefineBinaryProperty("Bitmap", nullptr, TStreamProc(static_cast<TCustomImageList*>(&plain), &TCustomImageList::WriteData), true);
  writer.WriteListEnd();
  stream.SetPosition(0);
  TcxImageList list(nullptr);
  TBinaryFormReader(&stream).ReadProperties(&list);
  EXPECT_EQ(Order(list, false), (std::vector<int>{0, 1, 2}));
  EXPECT_EQ(Order(list, true), (std::vector<int>{0, 1, 2}));
}

TEST_F(ImageList, DamagedStoredFormsRaiseAndLeaveTheListEmpty) {
  TcxImageList packed(nullptr);
  packed.SetCompressData(true);
  FillForStoring(packed);
  const std::string good = WrittenForm(&packed);
  std::string hugeCount = good;
  const size_t signature = hugeCount.find("XDBM");
  hugeCount[signature - 1] = 0x7F;
  std::string badRun = good;
  badRun[signature + 6] = char(0xFF);  // the first run claims 127 literal bytes
  badRun.replace(signature - 4, 4, std::string("\x01\x00\x00\x00", 4));

  TcxImageList misfits(nullptr, 16, 16);
  misfits.Add(Solid(16, 16, clRed).get(), nullptr);
  misfits.ImageInfo()->Add();  // an info without a picture
  TcxImageList wide(nullptr, 16, 16);
  wide.Add(Solid(16, 16, clRed).get(), nullptr);
  wide.ImageInfo()->Items(0)->SetImage(Cells(2, 1).get());  // two cells for one image

  struct Case {
    const char* what;
    std::string bytes;
    std::string message;
  };
  const Case cases[] = {
      {"cut inside the image infos", good.substr(0, good.find("ImageInfo") + 300), "Stream read error"},
      {"packed count past the end", hugeCount, "Packed bitmap data is truncated"},
      {"packed run past the end", badRun, "Packed bitmap data is corrupted: a literal run reaches past the end"},
      {"info without a picture", WrittenForm(&misfits), "Stored image 1 does not fit the image list"},
      {"info of two cells", WrittenForm(&wide), "Stored image 0 does not fit the image list"},
  };
  for (const Case& c : cases) {
    TcxImageList list(nullptr);
    list.Add(Solid(16, 16, clRed).get(), nullptr);
    try {
      ReadForm(&list, c.bytes);
      ADD_FAILURE() << c.what << ": no exception";
    } catch (const EReadError& e) {
      EXPECT_EQ(e.Message(), c.message) << c.what;
    }
    EXPECT_EQ(list.Count(), 0) << c.what;
    EXPECT_EQ(list.ImageInfo()->Count(), 0) << c.what;
  }
}

}  // namespace
