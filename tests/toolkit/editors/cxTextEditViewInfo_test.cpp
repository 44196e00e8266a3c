#include "calderan_test.h"

#include <memory>
#include <string>

#include "text_edit_fixture.h"

namespace {

// Gives the tests the row preparation a paint would run.
class TTestTextViewInfo : public TcxCustomTextEditViewInfo {
 public:
  using TcxCustomTextEditViewInfo::PrepareRows;
};

struct TextViewInfo : TextEditFixture {
  TextViewInfo() {
    bitmap.SetSize(200, 40);
    canvas = std::make_unique<TcxCanvas>(bitmap.Canvas());
    canvas->SetFont(editor->Style()->GetEffectiveFont());
  }
  TcxCustomTextEditViewInfo* ViewInfo() { return static_cast<TcxCustomTextEditViewInfo*>(editor->GetViewInfo()); }
  std::unique_ptr<TcxCustomTextEditViewData> ViewData() {
    return std::unique_ptr<TcxCustomTextEditViewData>(static_cast<TcxCustomTextEditViewData*>(editor->CreateViewData()));
  }
  void PaintEditor() {
    canvas->FillRectColor(TRect(0, 0, 200, 40), clFuchsia);
    ViewInfo()->PaintAll(canvas.get());
  }
  COLORREF Pixel(int x, int y) { return GetPixel(bitmap.Canvas()->Handle(), x, y); }
  // Pixels of the text area in the text colour (dark), i.e. drawn letters.
  int LetterPixels() {
    const TRect area = ViewInfo()->TextArea;
    int count = 0;
    for (int y = area.Top; y < area.Bottom; ++y)
      for (int x = area.Left; x < area.Right; ++x) count += Pixel(x, y) == RGB(0, 0, 0) ? 1 : 0;
    return count;
  }
  TBitmap bitmap;
  std::unique_ptr<TcxCanvas> canvas;
};

TEST_F(TextViewInfo, TheViewInfoDrawsTheTextOnlyWhereNoEditWindowShowsIt) {
  struct Case {
    bool hideCursor;
    bool drawsText;
  } cases[] = {{false, false}, {true, true}};
  for (const Case& c : cases) {
    editor->Properties()->SetHideCursor(c.hideCursor);
    editor->SetText("Wide letters");
    editor->ShortRefresh();
    EXPECT_EQ(ViewInfo()->Text, "Wide letters") << c.hideCursor;
    EXPECT_EQ(ViewInfo()->InnerEditShowsText, !c.drawsText) << c.hideCursor;
    PaintEditor();
    EXPECT_EQ(LetterPixels() > 20, c.drawsText) << c.hideCursor;
  }
}

TEST_F(TextViewInfo, TheEditWindowIsClippedAwayWhileTheViewInfoDrawsTheText) {
  struct Case {
    bool hideCursor;
    int region;  // GetWindowRgn's answer
  } cases[] = {{true, NULLREGION}, {false, ERROR}, {true, NULLREGION}};
  for (const Case& c : cases) {
    editor->Properties()->SetHideCursor(c.hideCursor);
    editor->ShortRefresh();
    PumpWhileBusy();
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(GetWindowRgn(InnerWindow(), region), c.region) << c.hideCursor;
    DeleteObject(region);
  }
}

TEST_F(TextViewInfo, AFocusedNoEditEditorFramesItsTextOnePixelIn) {
  editor->Properties()->SetHideCursor(true);
  editor->SetText("chosen");
  Focus();
  editor->ShortRefresh();
  ASSERT_TRUE(ViewInfo()->Focused);
  PaintEditor();
  const TRect client = ViewInfo()->ClientRect;
  const COLORREF background = ColorToRGB(ViewInfo()->BackgroundColor);
  auto marked = [&](int x) {  // pixels of a column that are not the background
    int count = 0;
    for (int y = client.Top + 1; y < client.Bottom - 1; ++y) count += Pixel(x, y) != background ? 1 : 0;
    return count;
  };
  EXPECT_EQ(marked(client.Left), 0);  // the one-pixel frame in the background colour
  EXPECT_GT(marked(client.Left + 1), 3);  // the dotted focus line
  EXPECT_EQ(ViewInfo()->TextArea.Left, client.Left + 2);  // content offset + the focus pixel
  // Not focused: no focus line.
  ::SetFocus(form->Handle());
  PumpWhileBusy();
  editor->ShortRefresh();
  ASSERT_FALSE(ViewInfo()->Focused);
  PaintEditor();
  EXPECT_EQ(marked(client.Left + 1), 0);
}

TEST_F(TextViewInfo, RowsEndInAForcedEllipsisOnlyWhenWrappingIsCut) {
  const std::string longText = "one two three four five six seven eight nine ten eleven twelve";
  struct Case {
    uint32_t flags;
    int rowLimit;
    int rows;
    bool ellipsis;
  } cases[] = {
      {CXTO_WORDBREAK | CXTO_EDITCONTROL | CXTO_END_ELLIPSIS, 2, 2, true},
      {CXTO_WORDBREAK | CXTO_END_ELLIPSIS, 2, 2, false},           // no strict last row
      {CXTO_SINGLELINE | CXTO_END_ELLIPSIS | CXTO_EDITCONTROL, 2, 1, false},
      {CXTO_WORDBREAK | CXTO_EDITCONTROL | CXTO_END_ELLIPSIS, 0, 0, false},  // unlimited: every row
  };
  for (const Case& c : cases) {
    TTestTextViewInfo info;
    info.Text = longText;
    info.TextArea = TRect(0, 0, 60, 400);
    info.DrawFlags = c.flags;
    info.RowLimit = c.rowLimit;
    info.PrepareRows(canvas.get());
    if (c.rows) EXPECT_EQ(info.PreparedText.RowTotal, c.rows) << std::hex << c.flags;
    else EXPECT_GT(info.PreparedText.RowTotal, 2) << std::hex << c.flags;
    EXPECT_EQ(info.PreparedText.EllipsisForced, c.ellipsis) << std::hex << c.flags;
  }
}

TEST_F(TextViewInfo, TheDrawnSelectionIsClampedToTheText) {
  struct Case {
    int start, length;
    int drawnLength;
  } cases[] = {{10, 2, 0}, {3, 1, 0}, {-1, 2, 0}, {1, 10, 2}, {0, 3, 3}};
  for (const Case& c : cases) {
    TTestTextViewInfo info;
    info.Text = "abc";
    info.TextArea = TRect(0, 0, 100, 20);
    info.DrawFlags = CXTO_SINGLELINE;
    info.SelStart = c.start;
    info.SelLength = c.length;
    info.PrepareRows(canvas.get());
    EXPECT_EQ(info.PreparedText.SelLength, c.drawnLength) << c.start << "," << c.length;
  }
}

TEST_F(TextViewInfo, SelectionColoursFollowWhatTheStyleGives) {
  struct Case {
    TColor styleColor, selText, selBack;
    TColor text, back;
  } cases[] = {
      {clWindow, clDefault, clDefault, clHighlightText, clHighlight},
      {clHighlight, clDefault, clDefault, clWhite, clBlack},
      {clWindow, TColor(0x0000FF), clDefault, TColor(0x0000FF), TColor(0xFFFF00)},
      {clWindow, clDefault, TColor(0x00FF00), TColor(0xFF00FF), TColor(0x00FF00)},
      {clWindow, TColor(0x123456), TColor(0x00FF00), TColor(0x123456), TColor(0x00FF00)},
  };
  for (const Case& c : cases) {
    editor->Style()->SetColor(c.styleColor);
    auto viewData = ViewData();
    viewData->SelStart = 0;
    viewData->SelLength = 2;
    viewData->SelTextColor = c.selText;
    viewData->SelBackgroundColor = c.selBack;
    TcxCustomTextEditViewInfo info;
    viewData->PrepareDrawValue(canvas.get(), TVariant(std::string("text")), &info);
    EXPECT_EQ(info.Text, "text");
    EXPECT_EQ(info.HighlightTextColor, c.text) << std::hex << c.selText << " " << c.selBack;
    EXPECT_EQ(info.HighlightBackColor, c.back) << std::hex << c.selText << " " << c.selBack;
  }
}

TEST_F(TextViewInfo, ContentMeasurementOfEmptyAndNarrowTexts) {
  auto viewData = ViewData();
  canvas->SetFont(editor->Style()->GetEffectiveFont());
  const int line = canvas->TextHeight("Zg");
  const TSize correction = viewData->ContentSizeAdjustment();
  struct Case {
    const char* text;
    int width;
    int expectedWidth, expectedHeight;
  } cases[] = {
      {"", -1, correction.cx, line + correction.cy},           // best fit of nothing
      {"some text", 0, 0, line + correction.cy},               // auto height without room
      {"", 50, 50, line + correction.cy},                      // one empty line
  };
  for (const Case& c : cases) {
    TcxEditSizeProperties request;
    request.Width = c.width;
    const TSize size = MeasureTextEditContent(canvas.get(), viewData.get(), c.text, viewData->TextOutFlags(), request,
                                              0, true);
    EXPECT_EQ(size.cx, c.expectedWidth) << c.text << "/" << c.width;
    EXPECT_EQ(size.cy, c.expectedHeight) << c.text << "/" << c.width;
  }
  // The best fit grows with the text; wrapping at a width stacks lines.
  TcxEditSizeProperties fit;
  const TSize one = MeasureTextEditContent(canvas.get(), viewData.get(), "word", CXTO_SINGLELINE, fit, 0, false);
  EXPECT_EQ(one.cx, canvas->TextWidth("word"));
  TcxEditSizeProperties narrow;
  narrow.Width = canvas->TextWidth("word") + 4;
  const TSize wrapped = MeasureTextEditContent(canvas.get(), viewData.get(), "word word word", CXTO_SINGLELINE,
                                               narrow, 0, false);
  EXPECT_EQ(wrapped.cy, 3 * line + correction.cy);
}

TEST_F(TextViewInfo, AClippedSingleLineTextWantsAHintOnlyOverItsVisibleArea) {
  struct Case {
    const char* text;
    int x;
    bool hint;
  } cases[] = {{"a long text that does not fit the area", 20, true},
               {"a long text that does not fit the area", 80, false},
               {"short", 20, false}};
  for (const Case& c : cases) {
    TcxCustomTextEditViewInfo info;
    info.Text = c.text;
    info.TextArea = TRect(2, 2, 60, 18);
    info.DrawFlags = CXTO_SINGLELINE | CXTO_CENTER_VERTICALLY;
    TRect box;
    bool wraps = true;
    std::string hint;
    EXPECT_EQ(info.HintNeededAt(canvas.get(), TPoint(c.x, 8), box, wraps, hint, TRect()), c.hint) << c.text << c.x;
    if (!c.hint) continue;
    EXPECT_EQ(hint, c.text);
    EXPECT_FALSE(wraps);
    EXPECT_EQ(box, info.TextArea);
  }
}

}  // namespace
