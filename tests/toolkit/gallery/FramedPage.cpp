// The framed page: track bars in both orientations with their ticks and thumb families, and page
// controls in the five tab styles on the four sides, one of them set up as the clip editor's.
#include <string>

#include "GalleryPages.h"
#include "RzTabs.h"
#include "RzTrkBar.h"

namespace {

TRzTrackBar* AddTrackBar(TGalleryPage& page, int x, int y, int width, int height) {
  auto* bar = page.Place(new TRzTrackBar(page.Form()), x, y, width, height);
  bar->SetShowFocusRect(false);
  return bar;
}

void BuildTrackBars(TGalleryPage& page) {
  page.AddLabel(16, 12, "Track bars: pointer with ticks, box, mixer, flat, Win95 pointer; the clip editor's");
  auto* pointer = AddTrackBar(page, 16, 32, 260, 35);
  pointer->SetPosition(3);
  auto* box = AddTrackBar(page, 16, 72, 260, 40);
  box->SetThumbStyle(tsBox);
  box->SetMax(20);
  box->SetTickStep(2);
  box->SetPosition(14);
  auto* mixer = AddTrackBar(page, 290, 32, 260, 40);
  mixer->SetThumbStyle(tsMixer);
  mixer->SetPosition(7);
  auto* flat = AddTrackBar(page, 290, 72, 260, 40);
  flat->SetThumbStyle(tsFlat);
  flat->SetTrackFrame(fsFlat);
  flat->SetPosition(10);
  auto* win95 = AddTrackBar(page, 16, 116, 260, 35);
  win95->SetPointerType(ptWin95);
  win95->SetPosition(8);
  auto* clip = AddTrackBar(page, 290, 116, 260, 35);
  clip->SetMin(-127);
  clip->SetMax(127);
  clip->SetPosition(40);
  clip->SetShowTicks(false);
  clip->SetTrackColor(clInfoBk);
  clip->SetTrackOffset(10);
  clip->SetTrackWidth(5);
  clip->SetTransparent(true);
  page.AddLabel(570, 12, "Vertical: ticks by 7 from -127, disabled", 300);
  auto* vertical = AddTrackBar(page, 570, 32, 40, 200);
  vertical->SetMin(-127);
  vertical->SetMax(127);
  vertical->SetTickStep(7);
  vertical->SetPosition(60);
  auto* verticalBox = AddTrackBar(page, 630, 32, 45, 200);
  verticalBox->SetThumbStyle(tsBox);
  verticalBox->SetPosition(2);
  auto* disabled = AddTrackBar(page, 700, 32, 40, 200);
  disabled->SetPosition(5);
  disabled->SetEnabled(false);
}

TRzPageControl* AddPageControl(TGalleryPage& page, int x, int y, int width, int height, int pageCount) {
  auto* pages = page.Place(new TRzPageControl(page.Form()), x, y, width, height);
  const char* const captions[] = {"&Effect", "&Trim", "C&rop", "Audio", "Video", "Output"};
  for (int i = 0; i < pageCount; ++i) {
    auto* sheet = new TRzTabSheet(page.Form());
    sheet->SetCaption(captions[i % 6]);
    sheet->SetPageControl(pages);
    auto* label = new TLabel(page.Form());
    label->SetParent(sheet);
    label->SetBounds(12, 12, 200, 16);
    label->SetCaption(std::string("Page ") + captions[i % 6]);
  }
  pages->SetActivePageIndex(std::min(1, pageCount - 1));
  return pages;
}

void BuildPageControls(TGalleryPage& page) {
  page.AddLabel(16, 250, "Page controls: single slant, round corners (the clip editor's), cut corner below, "
                         "double slant left, back slant right, multi-line", 900);
  AddPageControl(page, 16, 272, 280, 150, 3);
  auto* round = AddPageControl(page, 312, 272, 280, 150, 3);
  round->SetTabStyle(tsRoundCorners);
  round->SetColor(0xF2F5F6);
  for (int i = 0; i < round->PageCount(); ++i) round->Pages(i)->SetPageColor(0xF2F5F6);
  auto* cut = AddPageControl(page, 608, 272, 280, 150, 4);
  cut->SetTabStyle(tsCutCorner);
  cut->SetTabOrientation(toBottom);
  cut->Pages(3)->SetTabEnabled(false);
  auto* left = AddPageControl(page, 16, 440, 280, 170, 3);
  left->SetTabStyle(tsDoubleSlant);
  left->SetTabOrientation(toLeft);
  auto* right = AddPageControl(page, 312, 440, 280, 170, 3);
  right->SetTabStyle(tsBackSlant);
  right->SetTabOrientation(toRight);
  right->SetShowCloseButton(true);
  auto* multi = AddPageControl(page, 608, 440, 280, 170, 6);
  multi->SetMultiLine(true);
  multi->SetTabStyle(tsRoundCorners);
  multi->SetActivePageIndex(4);
  page.AddLabel(16, 626, "A single-line strip that scrolls, with the menu button", 600);
  auto* scrolling = AddPageControl(page, 16, 646, 300, 110, 6);
  scrolling->SetShowMenuButton(true);
  scrolling->SetActivePageIndex(5);
  auto* colored = AddPageControl(page, 452, 646, 436, 110, 3);
  colored->SetTabStyle(tsCutCorner);
  colored->Pages(0)->SetPageColor(0xD0E8FF);
  colored->Pages(1)->SetPageColor(0xD8F0D0);
  colored->Pages(2)->SetPageColor(clWhite);
}

}  // namespace

void BuildFramedPage(TGalleryPage& page) {
  BuildTrackBars(page);
  BuildPageControls(page);
}
