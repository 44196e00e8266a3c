// The groups page: group boxes with the caption on each of its twelve places, in every border
// style and as panels; radio groups in columns, disabled, with disabled items, word-wrapped, turned
// captions and the focus on a button.
#include <string>
#include <vector>

#include "ExtCtrls.h"
#include "GalleryPages.h"
#include "cxButtons.h"
#include "cxGroupBox.h"
#include "cxRadioGroup.h"

namespace {

struct TAlignmentCase {
  const char* Caption;
  TcxCaptionAlignment Alignment;
};

const TAlignmentCase alignmentCases[] = {
    {"&Top left", alTopLeft},          {"Top centre", alTopCenter},       {"Top right", alTopRight},
    {"Bottom left", alBottomLeft},     {"Bottom centre", alBottomCenter}, {"Bottom right", alBottomRight},
    {"Le&ft top", alLeftTop},          {"Left centre", alLeftCenter},     {"Left bottom", alLeftBottom},
    {"Right top", alRightTop},         {"Right centre", alRightCenter},   {"Right bottom", alRightBottom},
};

TcxGroupBox* AddBox(TGalleryPage& page, int x, int y, int w, int h, const std::string& caption) {
  auto* box = page.Place(new TcxGroupBox(page.Form()), x, y, w, h);
  box->SetCaption(caption);
  return box;
}

void AddAlignments(TGalleryPage& page, int top) {
  page.AddLabel(10, top, "Group boxes: the caption on each of its twelve places (an accelerator only when horizontal)");
  for (int i = 0; i < 12; ++i) {
    const int x = 10 + (i % 6) * 215, y = top + 24 + (i / 6) * 105;
    AddBox(page, x, y, 200, 95, alignmentCases[i].Caption)->SetAlignment(alignmentCases[i].Alignment);
  }
}

struct TBorderCase {
  const char* Caption;
  TcxContainerBorderStyle Style;
};

void AddBorderStyles(TGalleryPage& page, int top) {
  page.AddLabel(10, top, "Border styles, shadow, disabled, a child control inside, transparent over a colour");
  const TBorderCase cases[] = {{"None", cbsNone},   {"Single", cbsSingle}, {"Thick", cbsThick},
                               {"Flat", cbsFlat},   {"3D", cbs3D},         {"Ultra-flat", cbsUltraFlat},
                               {"Office 11", cbsOffice11}};
  int x = 10;
  for (const TBorderCase& c : cases) {
    AddBox(page, x, top + 24, 150, 70, c.Caption)->Style()->SetBorderStyle(c.Style);
    x += 160;
  }
  AddBox(page, x, top + 24, 150, 70, "Shadow")->Style()->SetShadow(true);
  x += 160;
  AddBox(page, x, top + 24, 150, 70, "Disabled")->SetEnabled(false);
  x += 160;
  TcxGroupBox* holder = AddBox(page, x, top + 24, 200, 70, "With a button");
  auto* button = new TcxButton(page.Form());
  button->SetParent(holder);
  button->SetCaption("Inside");
  button->SetAlign(alClient);
  x += 210;
  auto* backdrop = new TPanel(page.Form());
  backdrop->SetParent(page.Form());
  backdrop->SetBounds(x, top + 24, 170, 70);
  backdrop->SetColor(TColor(0x90D0F0));
  backdrop->SetBevelOuter(bvNone);
  backdrop->SetParentBackground(false);
  auto* transparent = new TcxGroupBox(page.Form());
  transparent->SetParent(backdrop);
  transparent->SetBounds(10, 5, 150, 60);
  transparent->SetCaption("Transparent");
  transparent->SetTransparent(true);
}

struct TPanelCase {
  const char* Caption;
  TcxCaptionAlignment Alignment;
  bool WordWrap;
  TcxPanelOffice11BackgroundKind Background;
};

void AddPanels(TGalleryPage& page, int top) {
  page.AddLabel(10, top, "Panels: caption indented inside, word wrap, the Office-11 backgrounds");
  const TPanelCase cases[] = {
      {"Centre", alCenterCenter, false, pobkOffice11Color},
      {"Top left", alTopLeft, false, pobkOffice11Color},
      {"Bottom right", alBottomRight, false, pobkGradient},
      {"A long caption that wraps onto more lines", alCenterCenter, true, pobkStyleColor},
      {"Left centre", alLeftCenter, false, pobkGradient},
  };
  int x = 10;
  for (const TPanelCase& c : cases) {
    TcxGroupBox* panel = AddBox(page, x, top + 24, 180, 70, c.Caption);
    panel->SetAlignment(c.Alignment);
    panel->PanelStyle()->SetActive(true);
    panel->PanelStyle()->SetWordWrap(c.WordWrap);
    panel->PanelStyle()->SetCaptionIndent(6);
    panel->PanelStyle()->SetOfficeBackgroundKind(c.Background);
    x += 190;
  }
}

TcxRadioGroup* AddRadioGroup(TGalleryPage& page, int x, int y, int w, int h, const std::string& caption,
                             const std::vector<std::string>& items, int columns, int checked) {
  auto* group = page.Place(new TcxRadioGroup(page.Form()), x, y, w, h);
  group->SetCaption(caption);
  TcxRadioGroupProperties* p = group->Properties();
  p->BeginUpdate();
  for (const std::string& item : items) p->Items()->Add()->SetCaption(item);
  p->SetColumns(columns);
  p->EndUpdate();
  group->SetItemIndex(checked);
  return group;
}

void AddRadioGroups(TGalleryPage& page, int top) {
  page.AddLabel(10, top,
                "Radio groups: one column, 6 items in 4 columns, 5 in 4 (4 columns), disabled, a disabled item, "
                "word wrap, a turned caption, the focus on a button");
  const int y = top + 24;
  AddRadioGroup(page, 10, y, 150, 110, "&Format", {"AVI", "MP4", "MKV"}, 1, 1);
  AddRadioGroup(page, 170, y, 330, 110, "Six in four", {"One", "Two", "Three", "Four", "Five", "Six"}, 4, 4);
  AddRadioGroup(page, 510, y, 330, 110, "Five in four", {"A", "B", "C", "D", "E"}, 4, 0);
  AddRadioGroup(page, 850, y, 150, 110, "Disabled", {"Low", "High"}, 1, 0)->SetEnabled(false);
  TcxRadioGroup* partly = AddRadioGroup(page, 1010, y, 150, 110, "Disabled item", {"Yes", "No", "Maybe"}, 1, 0);
  partly->Properties()->Items()->Items(2)->SetEnabled(false);
  TcxRadioGroup* wrapped = AddRadioGroup(page, 1170, y, 170, 110, "Word wrap",
                                         {"A caption long enough to wrap", "Short"}, 1, 1);
  wrapped->Properties()->SetWordWrap(true);
  AddRadioGroup(page, 1350, y, 170, 110, "Turned", {"Left", "Right"}, 1, 0)->SetAlignment(alLeftCenter);
  TcxRadioGroup* focused = AddRadioGroup(page, 1530, y, 150, 110, "Focused", {"First", "Second", "Third"}, 1, 2);
  page.AfterShow([focused] { focused->SetFocus(); });
}

}  // namespace

void BuildGroupsPage(TGalleryPage& page) {
  AddAlignments(page, 10);
  AddBorderStyles(page, 260);
  AddPanels(page, 370);
  AddRadioGroups(page, 480);
}
