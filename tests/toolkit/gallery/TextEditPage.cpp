// The text editor page: text editors in their states (normal, hot, focused, disabled, read-only,
// with a selection), alignments, echo and letter case, editors whose text the view info draws
// (no typing), and a lookup editor that completed typed text from its items.
#include <string>

#include "GalleryPages.h"
#include "cxTextEdit.h"

namespace {

TcxTextEdit* AddEdit(TGalleryPage& page, int x, int y, const std::string& text, int width = 150) {
  auto* edit = page.Place(new TcxTextEdit(page.Form()), x, y, width, 21);
  edit->SetText(text);
  return edit;
}

// Real key and character messages, as typing sends them.
void TypeInto(HWND window, const std::string& chars) {
  for (char ch : chars) {
    const SHORT scan = VkKeyScanA(ch);
    SendMessageA(window, WM_KEYDOWN, LOBYTE(scan), 1);
    SendMessageA(window, WM_CHAR, static_cast<unsigned char>(ch), 1);
    SendMessageA(window, WM_KEYUP, LOBYTE(scan), 0xC0000001);
  }
}

void AddStates(TGalleryPage& page, int top) {
  page.AddLabel(10, top, "Text editors: normal, hot, focused with a selection, disabled, read-only, selection kept");
  const int y = top + 22;
  AddEdit(page, 10, y, "C:\\Videos\\Output");
  TcxTextEdit* hot = AddEdit(page, 170, y, "hot");
  page.AfterShow([hot] { hot->DoMouseMove({}, 20, 10); });
  TcxTextEdit* focused = AddEdit(page, 330, y, "focused editor");
  page.AfterShow([focused] {  // after the lookup typed: the focus stays here
    focused->InnerTextEdit()->SetFocus();
    focused->SelectRange(0, 7);
  });
  AddEdit(page, 490, y, "disabled")->SetEnabled(false);
  TcxTextEdit* readOnly = AddEdit(page, 650, y, "read-only");
  readOnly->Properties()->SetReadOnly(true);
  TcxTextEdit* kept = AddEdit(page, 810, y, "selection kept");
  kept->Properties()->SetHideSelection(false);
  page.AfterShow([kept] { kept->SelectRange(10, 4); });
}

void AddSettings(TGalleryPage& page, int top) {
  page.AddLabel(10, top, "Right, centred, password, upper case, a larger font, an empty editor");
  const int y = top + 22;
  AddEdit(page, 10, y, "right")->Properties()->Alignment()->SetHorz(taRightJustify);
  AddEdit(page, 170, y, "centred")->Properties()->Alignment()->SetHorz(taCenter);
  TcxTextEdit* password = AddEdit(page, 330, y, "secret");
  password->Properties()->SetEchoMode(eemPassword);
  AddEdit(page, 490, y, "upper case")->Properties()->SetCharCase(ecUpperCase);
  TcxTextEdit* large = AddEdit(page, 650, y, "Large Type");
  large->Style()->Font()->SetSize(14);
  AddEdit(page, 810, y, "");
}

void AddDrawnByViewInfo(TGalleryPage& page, int top) {
  page.AddLabel(10, top, "No typing (the view info draws the text): normal, disabled, right-aligned, centred, clipped");
  const int y = top + 22;
  const char* texts[] = {"no-edit text", "disabled no-edit", "right no-edit", "centred", "a text too long for its editor"};
  for (int i = 0; i < 5; ++i) {
    TcxTextEdit* edit = AddEdit(page, 10 + i * 160, y, texts[i]);
    edit->Properties()->SetHideCursor(true);
    if (i == 1) edit->SetEnabled(false);
    if (i == 2) edit->Properties()->Alignment()->SetHorz(taRightJustify);
    if (i == 3) edit->Properties()->Alignment()->SetHorz(taCenter);
  }
}

void AddLookup(TGalleryPage& page, int top) {
  page.AddLabel(10, top, "Lookup: \"ap\" typed into an editor with the items Apple, apricot, Banana (completion selected)");
  TcxTextEdit* lookup = AddEdit(page, 10, top + 22, "", 200);
  TStringList items;
  for (const char* item : {"Apple", "apricot", "Banana"}) items.Add(item);
  lookup->Properties()->SetLookupItems(&items);
  lookup->Properties()->SetHideSelection(false);
  page.AfterShow([lookup] {
    lookup->InnerTextEdit()->SetFocus();
    TypeInto(lookup->InnerTextEdit()->Handle(), "ap");
  });
  // The list editor popups show, with the lookup's items (the second one highlighted).
  auto* list = page.Place(new TcxCustomEditListBox(page.Form()), 220, top + 22, 120, 60);
  list->LookupEditor = lookup;
  for (const char* item : {"Apple", "apricot", "Banana"}) list->Items()->Add(item);
  list->SetListItemIndex(1);
  // In the look the editor gives its popup list (a skin's editor colours under a skin).
  page.AfterShow([list, lookup] {
    list->SetColor(lookup->LookupListColor());
    list->Font()->Assign(lookup->LookupListFont());
  });
}

}  // namespace

void BuildTextEditPage(TGalleryPage& page) {
  AddLookup(page, 190);  // first: its typing needs the focus for a moment
  AddStates(page, 10);
  AddSettings(page, 70);
  AddDrawnByViewInfo(page, 130);
}
