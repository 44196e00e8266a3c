#include "calderan_test.h"

#include <cstring>
#include <string>

#include "Graphics.h"

namespace {

class Graphics : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { StartUnits({&GraphicsUnit}); }
  static void TearDownTestSuite() { StopUnits(); }

  // A white bitmap of the format to draw on.
  static std::unique_ptr<TBitmap> Sheet(int w, int h, TPixelFormat format = TPixelFormat::pf32bit) {
    auto b = std::make_unique<TBitmap>(w, h, format);
    b->Canvas()->Brush()->SetColor(clWhite);
    b->Canvas()->FillRect(Rect(0, 0, w, h));
    return b;
  }
};

TEST_F(Graphics, ColoursResolveAndConvertToText) {
  EXPECT_EQ(ColorToRGB(clRed), 0x0000FFu);
  EXPECT_EQ(ColorToRGB(clBtnFace), GetSysColor(COLOR_BTNFACE));
  EXPECT_EQ(static_cast<uint32_t>(clWindowText), 0xFF000008u);
  struct Case {
    const char* text;
    TColor color;
    const char* back;
  } cases[] = {
      {"clBtnFace", clBtnFace, "clBtnFace"},   {"clred", clRed, "clRed"},
      {"$00FF8000", 0x00FF8000, "$00FF8000"}, {"255", clRed, "clRed"},
      {"clNone", clNone, "clNone"},           {"clDefault", clDefault, "clDefault"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(StringToColor(c.text), c.color) << c.text;
    EXPECT_EQ(ColorToString(c.color), c.back) << c.text;
  }
  EXPECT_THROW(StringToColor("clNoSuchColour"), EConvertError);
}

TEST_F(Graphics, CanvasDrawsShapesWithPenAndBrush) {
  auto b = Sheet(40, 30);
  TCanvas* c = b->Canvas();
  c->Pen()->SetColor(clBlue);
  c->Brush()->SetColor(clYellow);
  c->Rectangle(2, 2, 12, 12);
  EXPECT_EQ(c->Pixel(2, 2), clBlue);     // the frame in the pen
  EXPECT_EQ(c->Pixel(11, 7), clBlue);    // right edge is the last pixel inside
  EXPECT_EQ(c->Pixel(6, 6), clYellow);   // the inside in the brush
  EXPECT_EQ(c->Pixel(12, 6), clWhite);   // Right lies outside

  c->Brush()->SetStyle(TBrushStyle::bsClear);
  c->Rectangle(20, 2, 30, 12);
  EXPECT_EQ(c->Pixel(25, 6), clWhite);  // a clear brush leaves the inside alone

  // a pen changed while selected draws the next line in its new colour
  c->Pen()->SetColor(clRed);
  c->MoveTo(0, 20);
  c->LineTo(10, 20);
  c->Pen()->SetColor(clGreen);
  c->LineTo(20, 20);
  EXPECT_EQ(c->Pixel(5, 20), clRed);
  EXPECT_EQ(c->Pixel(15, 20), clGreen);
  EXPECT_EQ(c->PenPos(), Point(20, 20));

  c->Brush()->SetColor(clLime);  // a clear brush that gets a colour is solid again
  EXPECT_EQ(c->Brush()->Style(), TBrushStyle::bsSolid);
  c->FillRect(Rect(30, 20, 40, 30));
  c->Brush()->SetColor(clNavy);
  c->FrameRect(Rect(30, 20, 40, 30));
  EXPECT_EQ(c->Pixel(30, 25), clNavy);
  EXPECT_EQ(c->Pixel(35, 25), clLime);

  c->SetPixel(1, 28, clPurple);
  EXPECT_EQ(c->Pixel(1, 28), clPurple);
  TPoint tri[] = {{20, 22}, {28, 22}, {24, 29}};
  c->Brush()->SetColor(clTeal);
  c->Pen()->SetColor(clTeal);
  c->Polygon(tri, 3);
  EXPECT_EQ(c->Pixel(24, 24), clTeal);
}

TEST_F(Graphics, TextIsDrawnInTheFontColourOverTheBrush) {
  auto b = Sheet(120, 40);
  TCanvas* c = b->Canvas();
  c->Font()->SetColor(clRed);
  c->Font()->SetHeight(-16);
  c->Brush()->SetColor(clYellow);
  TSize size = c->TextExtent("Wg");
  ASSERT_GT(size.cx, 0);
  ASSERT_GT(size.cy, 8);
  c->TextOut(0, 0, "Wg");
  bool red = false;
  for (int x = 0; x < size.cx; ++x)
    for (int y = 0; y < size.cy; ++y) red |= c->Pixel(x, y) == clRed;
  EXPECT_TRUE(red);
  EXPECT_EQ(c->Pixel(size.cx - 1, 0), clYellow);  // an opaque brush fills behind the text
  EXPECT_EQ(c->PenPos(), Point(size.cx, 0));

  c->Brush()->SetStyle(TBrushStyle::bsClear);
  c->TextOut(60, 0, "Wg");
  EXPECT_EQ(c->Pixel(60 + size.cx - 1, 0), clWhite);  // a clear brush leaves the background

  c->Brush()->SetColor(clAqua);
  c->TextRect(Rect(0, 20, 10, 30), 0, 20, "WWWW");
  EXPECT_EQ(c->Pixel(10, 21), clWhite);  // clipped at the rectangle
}

TEST_F(Graphics, FontSizeHeightAndAdoptedHandle) {
  TFont f;
  EXPECT_EQ(f.Size(), 8);
  f.SetSize(12);
  EXPECT_EQ(f.Height(), -MulDiv(12, ScreenPixelsPerInch(), 72));
  HFONT h = CreateFontA(-20, 0, 0, 0, FW_BOLD, TRUE, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "Courier New");
  ASSERT_NE(h, nullptr);
  f.SetHandle(h);
  EXPECT_EQ(f.Name(), "Courier New");
  EXPECT_EQ(f.Height(), -20);
  EXPECT_EQ(f.Style(), TFontStyles({TFontStyle::fsBold, TFontStyle::fsItalic}));
  EXPECT_EQ(f.Handle(), h);
  TFont copy;
  copy.Assign(&f);
  EXPECT_TRUE(copy == f);
  EXPECT_NE(copy.Handle(), h);
}

TEST_F(Graphics, BitmapResizeKeepsTheTopLeftAndScanLinesAreRowsFromTheTop) {
  auto b = Sheet(4, 3);
  b->Canvas()->SetPixel(0, 0, clRed);
  b->Canvas()->SetPixel(3, 2, clBlue);
  auto* row0 = static_cast<uint32_t*>(b->ScanLine(0));
  auto* row2 = static_cast<uint32_t*>(b->ScanLine(2));
  EXPECT_EQ(row0[0] & 0xFFFFFF, 0xFF0000u);  // BGRA in memory: red is the third byte
  EXPECT_EQ(row2[3] & 0xFFFFFF, 0x0000FFu);
  row0[1] = 0x0000FF00;  // green, written straight into the pixels
  EXPECT_EQ(b->Canvas()->Pixel(1, 0), clLime);

  b->SetSize(6, 5);
  EXPECT_EQ(b->Canvas()->Pixel(0, 0), clRed);
  EXPECT_EQ(b->Canvas()->Pixel(3, 2), clBlue);
  EXPECT_EQ(b->Canvas()->Pixel(5, 4), clBlack);
  EXPECT_THROW(b->ScanLine(5), EInvalidGraphicOperation);
  b->SetSize(0, 5);
  EXPECT_TRUE(b->Empty());
  EXPECT_THROW(b->ScanLine(0), EInvalidGraphicOperation);
}

// The width is given first and the height after, each on its own: the first alone makes no
// picture, but it is not forgotten when the second arrives.
TEST_F(Graphics, BitmapSizedOneSideAtATime) {
  TBitmap b;
  b.SetPixelFormat(TPixelFormat::pf32bit);
  b.SetWidth(36);
  EXPECT_TRUE(b.Empty());
  EXPECT_EQ(b.Width(), 36);
  b.SetHeight(27);
  ASSERT_FALSE(b.Empty());
  EXPECT_EQ(b.Width(), 36);
  EXPECT_EQ(b.Height(), 27);
  EXPECT_EQ(b.PixelFormat(), TPixelFormat::pf32bit);
  TBitmap c;
  c.SetHeight(5);
  c.SetWidth(7);
  EXPECT_EQ(c.Width(), 7);
  EXPECT_EQ(c.Height(), 5);
  EXPECT_FALSE(c.Empty());
}

TEST_F(Graphics, DeviceBitmapBecomesDibForScanLines) {
  TBitmap b(5, 5, TPixelFormat::pfDevice);
  EXPECT_EQ(b.HandleType(), TBitmapHandleType::bmDDB);
  b.Canvas()->SetPixel(2, 3, clRed);
  b.ScanLine(0);
  EXPECT_EQ(b.HandleType(), TBitmapHandleType::bmDIB);
  EXPECT_EQ(b.Canvas()->Pixel(2, 3), clRed);
}

TEST_F(Graphics, HandleOwnershipPassesInAndOut) {
  auto b = Sheet(8, 8);
  b->Canvas()->SetPixel(4, 4, clRed);
  HBITMAP h = b->ReleaseHandle();
  EXPECT_TRUE(b->Empty());
  EXPECT_EQ(b->Handle(), nullptr);
  BITMAP bm{};
  ASSERT_EQ(GetObjectA(h, sizeof bm, &bm), static_cast<int>(sizeof bm));  // still alive: the caller owns it
  EXPECT_EQ(bm.bmWidth, 8);

  TBitmap other;
  other.SetHandle(h);  // and back into another bitmap, which owns it now
  EXPECT_EQ(other.Width(), 8);
  EXPECT_EQ(other.PixelFormat(), TPixelFormat::pf32bit);
  EXPECT_EQ(other.Canvas()->Pixel(4, 4), clRed);
}

TEST_F(Graphics, BmpRoundTripKeepsFormatSizeAndPixels) {
  struct Case {
    TPixelFormat format;
    TColor a, b;
  } cases[] = {
      {TPixelFormat::pf1bit, clBlack, clWhite},  {TPixelFormat::pf4bit, clRed, clBlue},
      {TPixelFormat::pf8bit, clRed, clLime},     {TPixelFormat::pf15bit, clRed, clBlue},
      {TPixelFormat::pf16bit, clRed, clLime},{TPixelFormat::pf24bit, 0x123456, 0xABCDEF},
      {TPixelFormat::pf32bit, 0x123456, 0xABCDEF},
  };
  for (const auto& c : cases) {
    TBitmap src(7, 5, c.format);  // an odd width exercises row padding
    src.Canvas()->Brush()->SetColor(c.a);
    src.Canvas()->FillRect(Rect(0, 0, 7, 5));
    src.Canvas()->Brush()->SetColor(c.b);
    src.Canvas()->FillRect(Rect(4, 0, 7, 2));
    TMemoryStream stream;
    src.SaveToStream(&stream);
    stream.SetPosition(0);
    TBitmap dst;
    dst.LoadFromStream(&stream);
    SCOPED_TRACE(static_cast<int>(c.format));
    EXPECT_EQ(stream.Position(), stream.Size());  // exactly one image read
    EXPECT_EQ(dst.PixelFormat(), c.format);
    EXPECT_EQ(dst.Width(), 7);
    EXPECT_EQ(dst.Height(), 5);
    EXPECT_EQ(dst.Canvas()->Pixel(0, 4), c.a);
    EXPECT_EQ(dst.Canvas()->Pixel(6, 0), c.b);
    EXPECT_EQ(dst.Canvas()->Pixel(3, 1), c.a);
  }
}

TEST_F(Graphics, BmpFileWithAwkwardNameAndTopDownRows) {
  auto b = Sheet(3, 2, TPixelFormat::pf24bit);
  b->Canvas()->SetPixel(0, 0, clRed);
  char temp[MAX_PATH];
  ASSERT_GT(GetTempPathA(MAX_PATH, temp), 0u);
  std::string name = std::string(temp) + "Bild & B\xE4ume 1.bmp";
  b->SaveToFile(name);
  TBitmap back;
  back.LoadFromFile(name);
  EXPECT_EQ(back.Canvas()->Pixel(0, 0), clRed);
  EXPECT_EQ(back.Canvas()->Pixel(0, 1), clWhite);
  DeleteFileA(name.c_str());

  // the same picture stored with its rows from the top (negative height)
  TMemoryStream s;
  b->SaveToStream(&s);
  auto* bytes = static_cast<uint8_t*>(s.Memory());
  auto* info = reinterpret_cast<BITMAPINFOHEADER*>(bytes + 14);
  uint8_t* pixels = bytes + 14 + 40;
  std::swap_ranges(pixels, pixels + 12, pixels + 12);  // two rows of 12 bytes (9 + padding)
  info->biHeight = -2;
  s.SetPosition(0);
  TBitmap topDown;
  topDown.LoadFromStream(&s);
  EXPECT_EQ(topDown.Height(), 2);
  EXPECT_EQ(topDown.Canvas()->Pixel(0, 0), clRed);

  TMemoryStream junk;
  char garbage[40] = "BM";
  std::memset(garbage + 2, 'x', sizeof garbage - 2);
  junk.WriteBuffer(garbage, sizeof garbage);
  junk.SetPosition(0);
  EXPECT_THROW(topDown.LoadFromStream(&junk), EInvalidGraphic);
}

TEST_F(Graphics, TransparentBitmapLeavesItsKeyColourOut) {
  TBitmap glyph(4, 4, TPixelFormat::pf24bit);
  glyph.Canvas()->Brush()->SetColor(clFuchsia);
  glyph.Canvas()->FillRect(Rect(0, 0, 4, 4));
  glyph.Canvas()->Brush()->SetColor(clBlue);
  glyph.Canvas()->FillRect(Rect(1, 1, 3, 3));
  glyph.SetTransparent(true);
  EXPECT_EQ(glyph.TransparentColor(), clFuchsia);  // the bottom-left pixel by default

  auto sheet = Sheet(10, 10);
  sheet->Canvas()->Draw(2, 2, &glyph);
  EXPECT_EQ(sheet->Canvas()->Pixel(2, 2), clWhite);
  EXPECT_EQ(sheet->Canvas()->Pixel(3, 3), clBlue);

  glyph.SetTransparentColor(clBlue);  // a fixed key instead
  EXPECT_EQ(glyph.TransparentMode(), TTransparentMode::tmFixed);
  sheet->Canvas()->Draw(6, 6, &glyph);
  EXPECT_EQ(sheet->Canvas()->Pixel(6, 6), clFuchsia);
  EXPECT_EQ(sheet->Canvas()->Pixel(7, 7), clWhite);

  // BrushCopy: the key colour replaced by the brush
  sheet->Canvas()->Brush()->SetColor(clGreen);
  glyph.SetTransparent(false);
  sheet->Canvas()->BrushCopy(Rect(0, 0, 4, 4), &glyph, Rect(0, 0, 4, 4), clFuchsia);
  EXPECT_EQ(sheet->Canvas()->Pixel(0, 0), clGreen);
  EXPECT_EQ(sheet->Canvas()->Pixel(1, 1), clBlue);
}

TEST_F(Graphics, StretchDrawAndCopyRectScale) {
  TBitmap quad(2, 2, TPixelFormat::pf24bit);
  const TColor colours[4] = {clRed, clLime, clBlue, clYellow};
  for (int i = 0; i < 4; ++i) quad.Canvas()->SetPixel(i % 2, i / 2, colours[i]);
  auto sheet = Sheet(8, 8);
  sheet->Canvas()->StretchDraw(Rect(0, 0, 4, 4), &quad);
  for (int i = 0; i < 4; ++i)
    for (int dy = 0; dy < 2; ++dy)
      for (int dx = 0; dx < 2; ++dx) EXPECT_EQ(sheet->Canvas()->Pixel(i % 2 * 2 + dx, i / 2 * 2 + dy), colours[i]);
  sheet->Canvas()->CopyRect(Rect(4, 4, 8, 8), quad.Canvas(), Rect(0, 0, 2, 2));
  EXPECT_EQ(sheet->Canvas()->Pixel(7, 7), clYellow);
  sheet->Canvas()->SetCopyMode(DSTINVERT);
  sheet->Canvas()->CopyRect(Rect(4, 4, 8, 8), quad.Canvas(), Rect(0, 0, 2, 2));
  EXPECT_EQ(sheet->Canvas()->Pixel(7, 7), clBlue);  // inverted yellow
}

TEST_F(Graphics, PixelFormatChangeKeepsColours) {
  auto b = Sheet(3, 3, TPixelFormat::pf24bit);
  b->Canvas()->SetPixel(1, 1, 0x336699);
  b->SetPixelFormat(TPixelFormat::pf32bit);
  EXPECT_EQ(b->PixelFormat(), TPixelFormat::pf32bit);
  EXPECT_EQ(b->Canvas()->Pixel(1, 1), 0x336699);
  EXPECT_EQ(b->Canvas()->Pixel(0, 0), clWhite);
}

TEST_F(Graphics, IconRoundTrip) {
  TBitmap colour(16, 16, TPixelFormat::pf32bit);
  for (int y = 0; y < 16; ++y) {
    auto* row = static_cast<uint32_t*>(colour.ScanLine(y));
    for (int x = 0; x < 16; ++x) row[x] = x < 8 ? 0xFFFF0000 : 0xFF0000FF;  // opaque red | blue
  }
  TBitmap mask(16, 16, TPixelFormat::pf1bit);
  mask.Canvas()->Brush()->SetColor(clBlack);
  mask.Canvas()->FillRect(Rect(0, 0, 16, 16));
  ICONINFO ii{TRUE, 0, 0, mask.Handle(), colour.Handle()};
  colour.Dormant();
  mask.Dormant();
  TIcon icon;
  icon.SetHandle(CreateIconIndirect(&ii));
  ASSERT_FALSE(icon.Empty());
  EXPECT_EQ(icon.Width(), 16);

  TMemoryStream s;
  icon.SaveToStream(&s);
  s.SetPosition(0);
  TIcon back;
  back.LoadFromStream(&s);
  EXPECT_EQ(back.Width(), 16);
  EXPECT_EQ(back.Height(), 16);
  auto sheet = Sheet(20, 20);
  sheet->Canvas()->Draw(2, 2, &back);
  EXPECT_EQ(sheet->Canvas()->Pixel(3, 3), clRed);
  EXPECT_EQ(sheet->Canvas()->Pixel(15, 15), clBlue);
  EXPECT_EQ(sheet->Canvas()->Pixel(19, 19), clWhite);
}

TEST_F(Graphics, PictureLoadsByExtensionAndCopiesPictures) {
  char temp[MAX_PATH];
  ASSERT_GT(GetTempPathA(MAX_PATH, temp), 0u);
  std::string name = std::string(temp) + "picture test.BMP";
  Sheet(5, 4)->SaveToFile(name);
  TPicture p;
  p.LoadFromFile(name);
  DeleteFileA(name.c_str());
  ASSERT_NE(p.Graphic(), nullptr);
  EXPECT_STREQ(p.Graphic()->ClassName(), "TBitmap");
  EXPECT_EQ(p.Width(), 5);
  try {
    p.LoadFromFile("x.xyz");
    ADD_FAILURE() << "an unknown extension was accepted";
  } catch (const EInvalidGraphic& e) {
    EXPECT_EQ(e.Message(), "Unknown picture file extension (.xyz)");
  }
  EXPECT_EQ(TPicture::GraphicClassOf("ICO"), TIcon::StaticClass());
  EXPECT_EQ(TPicture::GraphicFilter(TGraphic::StaticClass()),
            "All (*.bmp;*.ico)|*.bmp;*.ico|Bitmaps (*.bmp)|*.bmp|Icons (*.ico)|*.ico");

  // a picture keeps its own copy; drawing on its bitmap tells its listeners
  auto original = Sheet(2, 2);
  p.SetGraphic(original.get());
  original->Canvas()->SetPixel(0, 0, clRed);
  EXPECT_EQ(p.Bitmap()->Canvas()->Pixel(0, 0), clWhite);
  bool changed = false;
  p.OnChange = TNotifyEvent(+[](void* flag, TObject*) { *static_cast<bool*>(flag) = true; }, &changed);
  p.Bitmap()->Canvas()->SetPixel(1, 1, clBlue);
  EXPECT_TRUE(changed);
  p.Icon();  // asking for another class replaces the picture
  EXPECT_TRUE(p.Graphic()->Is<TIcon>());
  EXPECT_TRUE(p.Graphic()->Empty());
}

TEST_F(Graphics, BitmapStoredDataReadsBackAndSkipsExactly) {
  auto b = Sheet(3, 3, TPixelFormat::pf24bit);
  b->Canvas()->SetPixel(2, 2, clMaroon);
  TMemoryStream s;
  b->WriteData(&s);
  int32_t tail = 0x5A5A5A5A;
  s.WriteBuffer(&tail, 4);
  s.SetPosition(0);
  TBitmap back;
  back.ReadData(&s);
  EXPECT_EQ(back.Canvas()->Pixel(2, 2), clMaroon);
  int32_t read = 0;
  s.ReadBuffer(&read, 4);
  EXPECT_EQ(read, tail);
}

TEST_F(Graphics, CanvasLockCounts) {
  TCanvas c;
  c.Lock();
  c.Lock();
  EXPECT_EQ(c.LockCount(), 2);
  c.Unlock();
  c.Unlock();
  EXPECT_EQ(c.LockCount(), 0);
  EXPECT_TRUE(c.TryLock());
  c.Unlock();
  EXPECT_THROW(c.FillRect(Rect(0, 0, 1, 1)), EInvalidOperation);  // no device context to draw on
}

}  // namespace
