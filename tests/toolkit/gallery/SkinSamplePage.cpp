// The skin sample: one small form's worth of controls in the top left corner, the same under every
// look, so that pictures of it under each skin (scripts/skin-sheet) can be laid side by side:
// buttons in every state, text editors, a memo, a list with a header and a selected row, a panel
// with a caption, a group box with check boxes, a progress bar and a label; the gallery window's
// own caption bar is the caption.
#include <string>

#include "ExtCtrls.h"
#include "GalleryPages.h"
#include "cxButtons.h"
#include "cxCheckBox.h"
#include "cxContainer.h"
#include "cxEdit.h"
#include "cxEditPaintUtils.h"
#include "cxGroupBox.h"
#include "cxListView.h"
#include "cxMemo.h"
#include "cxProgressBar.h"
#include "cxTextEdit.h"

namespace {

void AddButtons(TGalleryPage& page, int x, int y) {
  const char* captions[] = {"Normal", "Hot", "Pressed", "Disabled"};
  for (int i = 0; i < 4; ++i) {
    auto* button = page.Place(new TcxButton(page.Form()), x + i * 108, y, 100, 26);
    button->SetText(captions[i]);
    if (i == 1) page.AfterShow([button] { button->Perform(CM_MOUSEENTER, 0, 0); });
    if (i == 2) button->SetGroupIndex(1), button->SetDown(true);
    if (i == 3) button->SetEnabled(false);
  }
}

void AddEditors(TGalleryPage& page, int x, int y) {
  page.AddLabel(x, y + 3, "Output", 50);
  page.Place(new TcxTextEdit(page.Form()), x + 54, y, 150, 21)->SetText("holiday.mp4");
  auto* disabled = page.Place(new TcxTextEdit(page.Form()), x + 212, y, 150, 21);
  disabled->SetText("disabled");
  disabled->SetEnabled(false);
  auto* memo = page.Place(new TcxMemo(page.Form()), x, y + 28, 204, 52);
  memo->SetText("A memo of two lines\r\nin the skin's colours");
}

void AddList(TGalleryPage& page, int x, int y) {
  auto* list = page.Place(new TcxListView(page.Form()), x, y, 204, 92);
  TcxCustomInnerListView* inner = list->InnerListView();
  inner->AddColumn({"Source video", 110});
  inner->AddColumn({"Length", 70, taRightJustify});
  const char* rows[][2] = {{"holiday.avi", "00:03:12"}, {"concert.mkv", "01:24:05"}, {"interview.mov", "00:17:48"}};
  for (auto& row : rows) inner->AddItem({row[0], {row[1]}});
  list->SetViewStyle(vsReport);
  inner->SetRowSelect(true);
  list->SetHideSelection(false);  // the sample shows its selected row without the focus
  page.AfterShow([inner] { inner->SetSelectedIndex(1); });
}

void AddGroupAndPanel(TGalleryPage& page, int x, int y) {
  auto* box = page.Place(new TcxGroupBox(page.Form()), x, y, 214, 92);
  box->SetCaption("Audio");
  const char* captions[] = {"Keep original sound", "Normalise volume"};
  for (int i = 0; i < 2; ++i) {
    auto* check = new TcxCheckBox(box);
    check->SetParent(box);
    check->SetBounds(10, 24 + i * 26, 190, 21);
    check->SetCaption(captions[i]);
    check->SetChecked(i == 0);
  }
  auto* panel = page.Place(new TPanel(page.Form()), x, y + 100, 214, 40);
  panel->SetCaption("Panel caption");
}

}  // namespace

void BuildSkinSamplePage(TGalleryPage& page) {
  StartUnits({&cxContainerUnit, &cxEditPaintUtilsUnit, &cxEditUnit, &cxButtonsUnit, &cxListViewUnit, &cxTextEditUnit,
              &cxMemoUnit, &cxCheckBoxUnit, &cxGroupBoxUnit, &cxProgressBarUnit});
  AddButtons(page, 8, 8);
  AddEditors(page, 8, 44);
  AddList(page, 8, 132);
  AddGroupAndPanel(page, 222, 72);
  auto* progress = page.Place(new TcxProgressBar(page.Form()), 222, 220, 214, 18);
  progress->SetPosition(60);
  page.AddLabel(8, 232, "A label on the form", 200);
}
