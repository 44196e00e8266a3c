// The memo page: memos with wrapped and unwrapped text, each scroll-bar setting with text that
// overflows and text that fits, a read-only log, a height of so many lines, alignment, a focused
// selection, disabled and in place.
#include <string>

#include "GalleryPages.h"
#include "cxContainer.h"
#include "cxEdit.h"
#include "cxEditPaintUtils.h"
#include "cxMemo.h"

namespace {

const char* const sampleLines[] = {
    "Input: Z:\\media\\holiday clip.mp4",   "Output: Z:\\converted\\holiday clip.m4a",
    "Audio: AAC, 44100 Hz, stereo, 128 kb/s", "Video: none",
    "Progress: 25 %",                       "Progress: 50 %",
    "Progress: 75 %",                       "Progress: 100 %",
    "Finished in 00:00:12",                 "All conversion tasks have been finished!",
};

std::string SampleText(int lineCount) {
  std::string text;
  for (int i = 0; i < lineCount; ++i) text += std::string(i ? "\r\n" : "") + sampleLines[i % std::size(sampleLines)];
  return text;
}

const std::string longParagraph =
    "A memo wraps its long lines at the right edge unless a horizontal scroll bar lets them run on; "
    "this paragraph is one line of its text.";

TcxMemo* AddMemo(TGalleryPage& page, int x, int y, int w, int h, const std::string& caption, const std::string& text,
                 TScrollStyle bars, bool wordWrap = true) {
  page.AddLabel(x, y, caption, w + 20);
  auto* memo = page.Place(new TcxMemo(page.Form()), x, y + 18, w, h);
  memo->Properties()->SetScrollBars(bars);
  memo->Properties()->SetWordWrap(wordWrap);
  memo->SetText(text);
  return memo;
}

void AddScrollBarMemos(TGalleryPage& page, int top) {
  AddMemo(page, 10, top, 185, 89, "Wrapped, no bars", longParagraph, ssNone);
  AddMemo(page, 215, top, 185, 89, "Vertical bar, text fits", "Two lines\r\nof text", ssVertical);
  AddMemo(page, 420, top, 185, 89, "Vertical bar, overflowing", SampleText(10), ssVertical);
  AddMemo(page, 625, top, 185, 89, "Horizontal bar, no wrap", longParagraph + "\r\n" + SampleText(2), ssHorizontal,
          false);
  TcxMemo* both = AddMemo(page, 830, top, 185, 89, "Both bars, scrolled", longParagraph + "\r\n" + SampleText(10),
                          ssBoth, false);
  page.AfterShow([both] { SendMessageA(both->InnerMemo()->Handle(), EM_LINESCROLL, 3, 4); });
}

void AddOtherMemos(TGalleryPage& page, int top) {
  TcxMemo* log = AddMemo(page, 10, top, 280, 130, "Read-only log (both bars)", SampleText(10), ssBoth, false);
  log->Properties()->SetReadOnly(true);
  TcxMemo* lines = AddMemo(page, 310, top, 185, 0, "Three visible lines", SampleText(5), ssVertical);
  lines->Properties()->SetVisibleLineCount(3);
  TcxMemo* right = AddMemo(page, 515, top, 185, 89, "Right-aligned", "right\r\naligned\r\ntext", ssNone);
  right->Properties()->Alignment()->SetHorz(taRightJustify);
  TcxMemo* disabled = AddMemo(page, 720, top, 185, 89, "Disabled", SampleText(3), ssVertical);
  disabled->SetEnabled(false);
  TcxMemo* focused = AddMemo(page, 10, top + 160, 185, 89, "Focused, second line selected", SampleText(4), ssNone);
  page.AfterShow([focused] {
    focused->InnerMemo()->SetFocus();
    SendMessageA(focused->InnerMemo()->Handle(), EM_SETSEL, 38, 78);
  });
  TcxMemo* styled = AddMemo(page, 215, top + 160, 185, 89, "Coloured, bold", SampleText(3), ssNone);
  styled->Style()->SetColor(TColor(0xE0F8FF));
  styled->Style()->SetTextColor(clNavy);
  styled->Style()->Font()->SetStyle({TFontStyle::fsBold});
  page.AddLabel(420, top + 160, "In place (no border of its own)");
  auto* inPlace = page.Place(new TcxMemo(page.Form(), true), 420, top + 178, 185, 60);
  inPlace->SetText(SampleText(3));
}

}  // namespace

void BuildMemoPage(TGalleryPage& page) {
  StartUnits({&cxContainerUnit, &cxEditPaintUtilsUnit, &cxEditUnit, &cxTextEditUnit, &cxMemoUnit});
  page.AddLabel(10, 4, "Memos: " + page.Kind() + (page.Skin().empty() ? "" : " / " + page.Skin()), 600);
  AddScrollBarMemos(page, 28);
  AddOtherMemos(page, 160);
}
