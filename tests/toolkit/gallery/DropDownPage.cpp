// The drop-down pages: combo boxes closed in each list style and state (hot, focused with the fixed
// list's selection bar, disabled, an owner-drawn fixed list) with one dropped down: a plain list of
// three rows on the first page, a sizeable list of twelve items with its scroll bar, grip and
// close button on the second (only the focused editor keeps its popup open).
#include <string>

#include "GalleryPages.h"
#include "cxDropDownEdit.h"

namespace {

const char* const profiles[] = {"iPhone", "MP3", "AAC", "WAV", "M4A"};

TcxComboBox* AddCombo(TGalleryPage& page, int x, int y, TcxEditDropDownListStyle style, int itemIndex) {
  auto* combo = new TcxComboBox(page.Form());
  combo->SetAutoSize(false);
  page.Place(combo, x, y, 150, 21);
  combo->Properties()->SetDropDownListStyle(style);
  for (const char* item : profiles) combo->Properties()->Items()->Add(item);
  if (itemIndex >= 0) combo->SetItemIndex(itemIndex);
  return combo;
}

// Owner drawing: a colour swatch before the text.
struct TSwatchDrawer {
  void Draw(TcxCustomComboBox*, TcxCanvas* canvas, int index, const TRect& rect, TOwnerDrawState state) {
    static const TColor colours[] = {TColor(0x3050E0), TColor(0x30A030), TColor(0xE07020), TColor(0x20A0E0),
                                     TColor(0xA040A0)};
    canvas->FillRectColor(rect, state.Contains(odSelected) ? clHighlight : clWindow);
    TRect swatch(rect.Left + 2, rect.Top + 2, rect.Left + 14, rect.Bottom - 2);
    canvas->FillRectColor(swatch, colours[index % 5]);
    canvas->GetFont()->SetColor(state.Contains(odSelected) ? clHighlightText : clWindowText);
    SetBkMode(canvas->GetHandle(), TRANSPARENT);
    const std::string text = profiles[index % 5];
    TextOutA(canvas->GetHandle(), rect.Left + 18, rect.Top + 1, text.c_str(), static_cast<int>(text.size()));
  }
};
TSwatchDrawer swatchDrawer;

void AddClosedCombos(TGalleryPage& page, int top) {
  page.AddLabel(10, top, "Combo boxes: edit list, fixed list, hot, focused fixed list, disabled, owner-drawn");
  const int y = top + 22;
  AddCombo(page, 10, y, lsEditList, 1);
  AddCombo(page, 170, y, lsFixedList, 2);
  TcxComboBox* hot = AddCombo(page, 330, y, lsEditList, 3);
  page.AfterShow([hot] { hot->DoMouseMove({}, 140, 10); });
  TcxComboBox* focused = AddCombo(page, 10, y + 34, lsFixedList, 0);
  page.AfterShow([focused] { focused->SetFocus(); focused->ShortRefresh(); });
  TcxComboBox* disabled = AddCombo(page, 170, y + 34, lsFixedList, 4);
  disabled->SetEnabled(false);
  TcxComboBox* drawn = AddCombo(page, 330, y + 34, lsFixedList, 1);
  drawn->Properties()->OnDrawItem = MakeEvent(&swatchDrawer, &TSwatchDrawer::Draw);
  TcxComboBox* coloured = AddCombo(page, 490, y, lsEditList, 1);
  coloured->Style()->SetColor(TColor(16579834));  // the main window's profile box
}

void AddDroppedCombo(TGalleryPage& page, int top, bool sizeable) {
  page.AddLabel(10, top, sizeable ? "Dropped down: twelve items, sizeable, with close button"
                                  : "Dropped down: three items in eight rows");
  TcxComboBox* combo = AddCombo(page, 10, top + 22, sizeable ? lsEditList : lsFixedList, 1);
  TStrings* items = combo->Properties()->Items();
  if (sizeable) {
    for (int i = 0; i < 7; ++i) items->Add("Profile " + std::to_string(i + 6));
    combo->Properties()->SetDropDownSizeable(true);
    combo->Style()->SetPopupCloseButton(true);
  } else {
    for (int i : {4, 0}) items->Delete(i);
  }
  page.AfterShow([combo] { combo->SetDroppedDown(true); });
}

}  // namespace

void BuildDropDownPage(TGalleryPage& page) {
  AddClosedCombos(page, 10);
  AddDroppedCombo(page, 110, false);
}

void BuildDropDownPanelPage(TGalleryPage& page) {
  AddClosedCombos(page, 10);
  AddDroppedCombo(page, 110, true);
}
