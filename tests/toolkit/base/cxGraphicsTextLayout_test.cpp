#include "calderan_test.h"

#include <memory>

#include "Classes.h"
#include "cxBaseUnits.h"
#include "cxGraphics.h"

namespace {

class TextLayout : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { StartToolkitBaseUnits(); }
  HDC DC() const { return SharedScreenCanvas()->GetHandle(); }
  int Width(const std::string& text) const {
    TSize size;
    GetTextExtent(DC(), text, size);
    return size.cx;
  }
  int LineHeight() const {
    TSize size;
    GetTextSize(DC(), "Wg", size);
    return size.cy;
  }
};

TEST_F(TextLayout, RectForLines) {
  const std::string text = "Narrow Considerably";
  TRect r(5, 5, 9, 9);
  CalcTextRectForLines(DC(), text, 0, r, false);
  EXPECT_EQ(r, TRect(0, 0, 0, 0));
  CalcTextRectForLines(DC(), text, -3, r, true);
  EXPECT_EQ(r, TRect(0, 0, 0, 0));

  CalcTextRectForLines(DC(), text, 1, r, false);
  EXPECT_EQ(r, TRect(0, 0, Width(text), LineHeight()));

  // Two lines: one word per line, so the width is the wider word's (give or take the bisection's pixel).
  CalcTextRectForLines(DC(), text, 2, r, false);
  EXPECT_NEAR(r.Width(), Width("Considerably"), 1);
  EXPECT_LT(r.Width(), Width(text));
  EXPECT_EQ(r.Height(), 2 * LineHeight());

  // Forcing the height reports the target even when the text needs fewer lines.
  CalcTextRectForLines(DC(), "Short", 3, r, true);
  EXPECT_EQ(r.Bottom, 3 * LineHeight());
  EXPECT_EQ(r.Width(), Width("Short"));
}

TEST_F(TextLayout, SplitTextToWidth) {
  struct Case {
    const char* text;
    const char* widthOf;  // the rectangle is as wide as this text
    std::vector<std::string> lines;
  } cases[] = {
      {"fits in one line", "fits in one line", {"fits in one line"}},
      {"aaa bbb ccc", "aaa bbb", {"aaa bbb", "ccc"}},
      {"aaa bbb ccc", "aaa", {"aaa", "bbb", "ccc"}},
      {"", "x", {""}},
      // a first word wider than the rectangle keeps its line: no empty line above it
      {"Enormously ab cd", "ab cd", {"Enormously", "ab cd"}},
      {"ab Enormously cd", "ab cd", {"ab", "Enormously", "cd"}},
      // a second space of a run starts the next word, so it begins the broken line
      {"aaa  bbb", "aaa", {"aaa", " bbb"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    TStringList lines;
    SplitTextToWidth(c.text, SharedScreenCanvas(), TRect(0, 0, Width(c.widthOf), 10), &lines);
    std::vector<std::string> got;
    for (int i = 0; i < lines.Count(); ++i) got.push_back(lines[i]);
    EXPECT_EQ(got, c.lines);
  }
}

TEST_F(TextLayout, AbbreviateText) {
  std::string result = "stale";
  AbbreviateText(nullptr, nullptr, "", result, 100);
  EXPECT_EQ(result, "");
  AbbreviateText(nullptr, nullptr, "text", result, 0);
  EXPECT_EQ(result, "");

  HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  SelectObject(DC(), font);
  AbbreviateText(DC(), font, "Fits", result, Width("Fits") + 10);
  EXPECT_EQ(result, "Fits");
  const std::string longText = "A rather long caption that cannot fit";
  AbbreviateText(nullptr, font, longText, result, Width("A rather long"));
  ASSERT_GT(result.size(), 3u);
  EXPECT_EQ(result.substr(result.size() - 3), "...");
  EXPECT_EQ(longText.compare(0, result.size() - 3, result, 0, result.size() - 3), 0);
  // only the first 4095 bytes are laid out
  AbbreviateText(nullptr, font, std::string(5000, 'i'), result, 100000);
  EXPECT_EQ(result, std::string(4095, 'i'));
}

TEST_F(TextLayout, FontMeasuring) {
  TFont font;
  font.SetName("Tahoma");
  font.SetSize(8);
  const int eightPoint = GetFontTextWidth(&font, "Measure me");
  EXPECT_GT(eightPoint, 0);
  EXPECT_GT(GetFontTextWidth(&font, "Measure me", 20), eightPoint);
  EXPECT_GT(GetFontTextHeight(&font, "Measure me", 20), GetFontTextHeight(&font, "Measure me"));
  EXPECT_EQ(font.Size(), 8);  // the screen canvas measured a copy
}

TEST_F(TextLayout, ScreenAndObjectDescriptions) {
  EXPECT_EQ(GetScreenPixelsPerInch(0), 96);
  EXPECT_EQ(GetScreenPixelsPerInch(1), 96);

  HPEN pen = CreatePen(PS_DASH, 1, RGB(1, 2, 3));
  HBRUSH brush = CreateHatchBrush(HS_CROSS, RGB(4, 5, 6));
  HBITMAP bitmap = CreateBitmap(7, 9, 1, 1, nullptr);
  HFONT font = CreateFontA(-13, 0, 0, 0, FW_BOLD, 0, 0, 0, 0, 0, 0, 0, 0, "Tahoma");
  LOGPEN lp{};
  LOGBRUSH lb{};
  BITMAP bm{};
  LOGFONTA lf{};
  ASSERT_TRUE(GetLogPen(pen, lp));
  EXPECT_EQ(lp.lopnStyle, UINT(PS_DASH));
  EXPECT_EQ(lp.lopnColor, RGB(1, 2, 3));
  ASSERT_TRUE(GetLogBrush(brush, lb));
  EXPECT_EQ(lb.lbHatch, ULONG_PTR(HS_CROSS));
  ASSERT_TRUE(GetBitmapInfo(bitmap, bm));
  EXPECT_EQ(bm.bmWidth, 7);
  EXPECT_EQ(bm.bmHeight, 9);
  ASSERT_TRUE(GetLogFont(font, lf));
  EXPECT_EQ(lf.lfHeight, -13);
  EXPECT_STREQ(lf.lfFaceName, "Tahoma");
  for (HGDIOBJ o : {HGDIOBJ(pen), HGDIOBJ(brush), HGDIOBJ(bitmap), HGDIOBJ(font)}) DeleteObject(o);
  EXPECT_FALSE(GetLogPen(nullptr, lp));
}

TEST_F(TextLayout, NonLatinAbbreviationCharsets) {
  struct Case {
    BYTE charset;
    const char* text;
    bool expected;
  } cases[] = {
      {GB2312_CHARSET, "Latin", false},   {CHINESEBIG5_CHARSET, "1", false},
      {ARABIC_CHARSET, "\xC7\xE1", true}, {GB2312_CHARSET, "\xB0\xA1", true},
      {ANSI_CHARSET, "\xC7\xE1", false},  {HEBREW_CHARSET, "\xE0", false},
      // code page 1252 here: the default character set is ANSI
      {DEFAULT_CHARSET, "\xC7\xE1", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(IsNonLatinAbbrevCharset(c.charset, c.text), c.expected);
  }
}

}  // namespace
