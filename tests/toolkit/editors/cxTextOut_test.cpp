#include "calderan_test.h"

#include <string>

#include "cxExtEditUtils.h"
#include "cxTextOut.h"
#include "editors_fixture.h"

namespace {

// A memory device context with a fixed-pitch font, so that widths are counted in characters.
struct TextRows : ::testing::Test {
  static void SetUpTestSuite() { StartEditorUnits(); }
  TextRows() {
    dc = CreateCompatibleDC(nullptr);
    font = CreateFontA(-13, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, FIXED_PITCH | FF_MODERN, "Courier New");
    old = SelectObject(dc, font);
    SIZE size;
    GetTextExtentPoint32A(dc, "x", 1, &size);
    charWidth = size.cx;
    TEXTMETRICA metrics;
    GetTextMetricsA(dc, &metrics);
    charHeight = metrics.tmHeight;
  }
  ~TextRows() override {
    SelectObject(dc, old);
    DeleteObject(font);
    DeleteDC(dc);
  }
  std::vector<std::string> Rows(const char* text, int widthInChars, uint32_t flags, int maxLines = 0) {
    TcxTextLayoutParams params;
    InitTextParams(dc, flags, params);
    TcxTextRows rows;
    BuildTextRows(dc, text, TRect(0, 0, widthInChars * charWidth, 1000), maxLines, rows, params);
    std::vector<std::string> result;
    for (const TcxTextRow& row : rows) result.emplace_back(row.Text, row.Length);
    return result;
  }
  HDC dc;
  HFONT font;
  HGDIOBJ old;
  int charWidth = 0, charHeight = 0;
};

using Strings = std::vector<std::string>;

int CountPixels(const TDibSurface& surface, const TRect& r, TColor color) {
  int n = 0;
  for (int y = r.Top; y < r.Bottom; ++y)
    for (int x = r.Left; x < r.Right; ++x) n += surface.Pixel(x, y) == color;
  return n;
}

TEST_F(TextRows, BreakAtWordsCharactersAndLineEnds) {
  struct Case {
    const char* text;
    int width;
    uint32_t flags;
    Strings rows;
  };
  const Case cases[] = {
      {"a b", 2, CXTO_WORDBREAK, {"a ", "b"}},
      {"a   b", 2, CXTO_WORDBREAK, {"a  ", "b"}},  // the row ends after its last break; the rest is skipped
      {"abcdefgh", 3, CXTO_WORDBREAK, {"abcdefgh"}},  // a long word overflows
      {"abcdefgh", 3, CXTO_WORDBREAK | CXTO_CHARBREAK, {"abc", "def", "gh"}},
      {"ab\r\ncd", 10, CXTO_WORDBREAK, {"ab", "cd"}},
      {"ab\ncd", 10, 0, {"ab", "cd"}},
      {"ab cd ef", 5, CXTO_SINGLELINE, {"ab cd "}},
      {"", 5, CXTO_WORDBREAK, {}},
  };
  for (const Case& c : cases) EXPECT_EQ(Rows(c.text, c.width, c.flags), c.rows) << c.text << " " << c.flags;
}

TEST_F(TextRows, CharacterBreakNeverLeavesAnEmptyRow) {
  EXPECT_EQ(Rows("abc", 0, CXTO_WORDBREAK | CXTO_CHARBREAK), (Strings{"a", "b", "c"}));
}

TEST_F(TextRows, JustifiedRowsDropTrailingBreaksAndTheParagraphsLastRowStaysUnstretched) {
  TcxTextLayoutParams params;
  InitTextParams(dc, CXTO_JUSTIFY, params);
  const char* text = "aa bb cc dd\r\nee ff";
  const char* cursor = text;
  int remaining = static_cast<int>(strlen(text));
  TcxTextRow row;
  BuildTextRow(dc, cursor, remaining, row, params, false, 6 * charWidth);
  EXPECT_EQ(std::string(row.Text, row.Length), "aa bb");
  EXPECT_EQ(row.BreakCount, 1);
  BuildTextRow(dc, cursor, remaining, row, params, false, 6 * charWidth);
  EXPECT_EQ(std::string(row.Text, row.Length), "cc dd");
  EXPECT_EQ(row.BreakCount, 0);  // ends its paragraph
}

TEST_F(TextRows, EndEllipsisOnTheLastOfTwoRows) {
  TRect rect(0, 0, 6 * charWidth, 200);
  SetBkColor(dc, RGB(255, 255, 255));
  const int height = ToolkitTextOut(dc, "aaaa bbbb cccc dddd", rect,
                                    CXTO_WORDBREAK | CXTO_END_ELLIPSIS | CXTO_EDITCONTROL, {}, 2);
  TcxTextLayoutParams params;
  InitTextParams(dc, 0, params);
  EXPECT_EQ(height, params.RowHeight + params.CharHeight);
}

TEST_F(TextRows, CalculationGivesTheWidestRowAndTheHeightOfAllRows) {
  TRect rect(10, 20, 10 + 8 * charWidth, 1000);
  const int height = ToolkitTextOut(dc, "abcdef ab abcd", rect, CXTO_WORDBREAK | CXTO_CALCRECT);
  EXPECT_EQ(rect, TRect(10, 20, 10 + 7 * charWidth, 20 + 2 * charHeight));
  EXPECT_EQ(height, 2 * charHeight);
  TRect rows(0, 0, 8 * charWidth, 1000);
  EXPECT_EQ(ToolkitTextOut(dc, "abcdef ab abcd", rows, CXTO_WORDBREAK | CXTO_CALCRECT | CXTO_CALCROWCOUNT), 2);
}

TEST_F(TextRows, DistributedRowsShareTheSpareHeight) {
  TcxTextLayoutParams params;
  InitTextParams(dc, CXTO_DISTRIBUTE_VERTICALLY, params);
  params.CharHeight = params.RowHeight = 13;
  TcxTextRows rows(3);
  PlaceTextRows(TRect(0, 0, 50, 100), params, rows);
  EXPECT_EQ(params.RowHeight, 43);
  EXPECT_EQ(rows[0].Y, 0);
  EXPECT_EQ(rows[1].Y, 44);
  EXPECT_EQ(rows[2].Y, 87);
}

TEST_F(TextRows, ASelectionBeyondTheTextDrawsNone) {
  TDibSurface surface(100, 30, clWhite);
  SelectObject(surface.DC(), font);
  TRect rect(0, 0, 100, 30);
  ToolkitTextOut(surface.DC(), "abc", rect, CXTO_SINGLELINE, {5, 2, clRed, clWhite});
  EXPECT_EQ(CountPixels(surface, TRect(0, 0, 100, 30), clRed), 0);
  ToolkitTextOut(surface.DC(), "abc", rect, CXTO_SINGLELINE, {1, 1, clRed, clWhite});
  EXPECT_GT(CountPixels(surface, TRect(charWidth, 0, 2 * charWidth, 30), clRed), 0);
  EXPECT_EQ(CountPixels(surface, TRect(0, 0, charWidth, 30), clRed), 0);
}

TEST(ExtEditUtils, TextFlagsForEitherTextOutput) {
  struct Case {
    TcxTextFlagOptions options;
    uint32_t expected;
  };
  const Case cases[] = {
      {{taCenter, taVCenter, false, true, 0, true, false}, 0x815},
      {{taCenter, taVCenter, false, true, 0, false, true}, 0x624},
      {{taRightJustify, taBottomJustify, true, false, 8, false, false}, 0x912},
      {{taLeftJustify, taTopJustify, true, false, 8, true, true}, 0x80C0},
  };
  for (const Case& c : cases) EXPECT_EQ(BuildTextFlags(0, c.options), c.expected) << std::hex << c.expected;
  EXPECT_EQ(BuildTextFlags(0x1000, {}), 0x1009u);
}

TEST(ExtEditUtils, RectangleHelpers) {
  EXPECT_EQ(ClampedRectWidth(TRect(10, 0, 4, 0)), 0);
  EXPECT_EQ(ClampedRectHeight(TRect(0, 3, 0, 10)), 7);
  TRect r(5, 5, 10, 10);
  ExtendRectSides(r, -1, -1, 1, 1);
  EXPECT_EQ(r, TRect(4, 4, 11, 11));
}

TEST_F(TextRows, ATrueTypeFontTurnsByTheNormalisedAngle) {
  TBitmap bitmap;
  bitmap.SetSize(10, 10);
  TFont font;
  font.SetName("Arial");
  EXPECT_TRUE(SelectRotatedFont(bitmap.Canvas(), &font, 360));
  LOGFONTA logFont{};
  GetObjectA(bitmap.Canvas()->Font()->Handle(), sizeof(logFont), &logFont);
  EXPECT_EQ(logFont.lfEscapement, 0);
  EXPECT_TRUE(SelectRotatedFont(bitmap.Canvas(), &font, -90));
  GetObjectA(bitmap.Canvas()->Font()->Handle(), sizeof(logFont), &logFont);
  EXPECT_EQ(logFont.lfEscapement, 2700);
}

}  // namespace
