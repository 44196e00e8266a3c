// The popup edit page: a closed popup edit, and one dropped down showing the small panel it hosts
// (a caption, a check box and two buttons) with the system panel's close button and size grip.
#include "ExtCtrls.h"
#include "GalleryPages.h"
#include "cxDropDownEdit.h"

namespace {

TPanel* AddHostedPanel(TGalleryPage& page) {
  auto* panel = page.Place(new TPanel(page.Form()), 500, 300, 200, 110);
  auto* caption = new TLabel(page.Form());
  caption->SetParent(panel);
  caption->SetBounds(10, 10, 180, 16);
  caption->SetCaption("Output folder options");
  auto* check = new TCheckBox(page.Form());
  check->SetParent(panel);
  check->SetBounds(10, 34, 180, 20);
  check->SetCaption("Same folder as the source");
  check->SetChecked(true);
  for (int i = 0; i < 2; ++i) {
    auto* button = new TButton(page.Form());
    button->SetParent(panel);
    button->SetBounds(10 + i * 90, 70, 80, 25);
    button->SetCaption(i == 0 ? "OK" : "Cancel");
  }
  return panel;
}

TcxPopupEdit* AddPopupEdit(TGalleryPage& page, int x, int y, const char* text) {
  auto* edit = new TcxPopupEdit(page.Form());
  edit->SetAutoSize(false);
  page.Place(edit, x, y, 180, 21);
  edit->SetText(text);
  return edit;
}

}  // namespace

void BuildPopupEditPage(TGalleryPage& page) {
  page.AddLabel(10, 10, "Popup edit: closed, and dropped down with its hosted panel");
  AddPopupEdit(page, 10, 32, "C:\\Videos");
  TcxPopupEdit* open = AddPopupEdit(page, 210, 32, "C:\\Music");
  open->Properties()->SetPopupControl(AddHostedPanel(page));
  open->Properties()->SetPopupSysPanelStyle(true);
  open->Style()->SetPopupCloseButton(true);
  page.AfterShow([open] { open->SetDroppedDown(true); });
}
