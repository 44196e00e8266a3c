#include "NxToolbarItem.h"

#include "ExtCtrls.h"
#include "NxInspectorCommon.h"
#include "NxSharedDraw.h"
#include "NxThemesSupport.h"

CALDERAN_IMPLEMENT_CREATABLE(TNxToolbarItemButton, TCollectionItem, TCollection*)
CALDERAN_IMPLEMENT_CLASS(TNxToolbarItemButtons, TOwnedCollection)
CALDERAN_IMPLEMENT_CREATABLE(TNxToolbarItem, TNxPropertyItem, TComponent*)
CALDERAN_IMPLEMENT_CREATABLE(TNxToolbarItemDisplay, TNxItemDisplay, TNxPropertyItem*)

// ---------------------------------------------------------------------------------------------
// Buttons

TNxToolbarItemButton::TNxToolbarItemButton(TCollection* collection)
    : TCollectionItem(collection), glyph_(std::make_unique<TBitmap>()) {
  glyph_->OnChange = MakeEvent(this, &TNxToolbarItemButton::GlyphChanged);
}

TNxToolbarItemButton::~TNxToolbarItemButton() {
  auto* buttons = ObjectAs<TNxToolbarItemButtons>(Collection());
  if (buttons && checked_) buttons->checkedCount_ -= 1;
}

void TNxToolbarItemButton::Assign(TPersistent* source) {
  auto* other = ObjectAs<TNxToolbarItemButton>(source);
  if (!other) return TCollectionItem::Assign(source);
  glyph_->Assign(other->glyph_.get());
  text_ = other->text_;
  autoCheck_ = other->autoCheck_;
  divider_ = other->divider_;
  SetChecked(other->checked_);
}

TNxToolbarItem* TNxToolbarItemButton::Row() const { return ObjectAs<TNxToolbarItem>(Collection() ? Collection()->GetOwner() : nullptr); }

void TNxToolbarItemButton::SetChecked(bool value) {
  auto* buttons = ObjectAs<TNxToolbarItemButtons>(Collection());
  if (!buttons) {
    checked_ = value;
    return;
  }
  buttons->SetButtonChecked(this, value);
  if (TNxToolbarItem* row = Row()) row->InvalidateButton(Index());
}

void TNxToolbarItemButton::SetDivider(bool value) {
  divider_ = value;
  if (TNxToolbarItem* row = Row()) row->InvalidateButton(Index());
}

void TNxToolbarItemButton::GlyphChanged(TObject*) {
  if (TNxToolbarItem* row = Row()) row->InvalidateButton(Index());
}

TNxToolbarItemButtons::TNxToolbarItemButtons(TNxToolbarItem* row)
    : TOwnedCollection(row, TNxToolbarItemButton::StaticClass()), row_(row) {}

// The last checked button stays checked unless all may be up; a grouped strip keeps one checked.
void TNxToolbarItemButtons::SetButtonChecked(TNxToolbarItemButton* button, bool checked) {
  if (checked == button->checked_) return;
  if (!checked && !row_->AllowAllUp() && checkedCount_ == 1) return;
  checkedCount_ += checked ? 1 : -1;
  button->checked_ = checked;
  if (row_->Grouped() && checked) {
    for (int i = 0; i < Count(); ++i) {
      TNxToolbarItemButton* other = Button(i);
      if (other == button || !other->checked_) continue;
      other->checked_ = false;
      checkedCount_ -= 1;
      row_->InvalidateButton(i);
    }
  }
  row_->ButtonClicked(button->Index());
}

// ---------------------------------------------------------------------------------------------
// The row

TNxToolbarItem::TNxToolbarItem(TComponent* owner)
    : TNxPropertyItem(owner), buttons_(std::make_unique<TNxToolbarItemButtons>(this)) {
  CreateButtons();
}

TNxToolbarItem::~TNxToolbarItem() {
  buttons_->Clear();
  buttons_.reset();
}

TClass TNxToolbarItem::GetDisplayClass() const { return TNxToolbarItemDisplay::StaticClass(); }

void TNxToolbarItem::SetAlignment(TButtonsAlignment value) {
  alignment_ = value;
  Notify(inValueCell);
}

void TNxToolbarItem::SetButtonWidth(int value) {
  buttonWidth_ = value;
  Notify(inValueCell);
}

void TNxToolbarItem::SetDrawBackground(bool value) {
  drawBackground_ = value;
  Notify(inValueCell);
}

void TNxToolbarItem::SetShowText(bool value) {
  showText_ = value;
  Notify(inToolbarText);
}

void TNxToolbarItem::ButtonClicked(int index) {
  Notify(inToolbarClick, index);
  DoToolButtonClick(index);
}

void TNxToolbarItem::DoToolButtonClick(int index) {
  if (OnToolButtonClick) OnToolButtonClick(this, index);
}

void TNxToolbarItem::SetButtonState(int index, bool checked) {
  buttons_->Button(index)->SetChecked(checked);
  WriteToAssociate();
  Notify(inValueChanged);
}

void TNxToolbarItem::GetValueText(std::u16string& text) {
  text.clear();
  for (int i = 0; i < ButtonCount(); ++i) {
    if (!IsButtonChecked(i)) continue;
    if (!text.empty()) text += u",";
    text += buttons_->Button(i)->Text();
  }
}

void TNxToolbarItem::SetValueText(const std::u16string& text) {
  for (int i = 0; i < ButtonCount(); ++i) {
    const std::u16string& name = buttons_->Button(i)->Text();
    SetButtonState(i, !name.empty() && text.find(name) != std::u16string::npos);
  }
  TNxPropertyItem::SetValueText(text);
}

// ---------------------------------------------------------------------------------------------
// The display

TNxToolbarItem* TNxToolbarItemDisplay::Row() const { return static_cast<TNxToolbarItem*>(Item); }

bool TNxToolbarItemDisplay::Valid(int index) const { return index >= 0 && index < Row()->ButtonCount(); }

TRect TNxToolbarItemDisplay::ButtonRect(int index) const {
  const int width = Row()->ButtonWidth();
  const int left = Row()->Alignment() == baLeftJustify ? Rect.Left + index * width
                                                        : Rect.Right + (index - Row()->ButtonCount()) * width;
  return ::Rect(left, Rect.Top, left + width, Rect.Bottom);
}

int TNxToolbarItemDisplay::ButtonAtX(int x) const {
  const int width = Row()->ButtonWidth();
  if (width <= 0) return -1;
  if (Row()->Alignment() == baLeftJustify) return x / width;
  const int start = Rect.Width() - Row()->ButtonCount() * width;
  return x < start ? -1 : (x - start) / width;
}

void TNxToolbarItemDisplay::MouseDown(TMouseButton, TShiftState, int x, int) {
  const int b = ButtonAtX(x);
  if (!Valid(b)) return;
  PressedIndex = b;
  Row()->InvalidateButton(b);
}

void TNxToolbarItemDisplay::MouseMove(TShiftState, int x, int) {
  const int b = ButtonAtX(x);
  if (b == HotIndex) return;
  const int old = HotIndex;
  HotIndex = b;
  if (Valid(b)) Row()->InvalidateButton(b);
  if (Valid(old)) Row()->InvalidateButton(old);
}

void TNxToolbarItemDisplay::MouseLeave() {
  if (!Valid(HotIndex)) return;
  Row()->InvalidateButton(HotIndex);
  HotIndex = -1;
}

void TNxToolbarItemDisplay::MouseUp(TMouseButton, TShiftState, int x, int) {
  if (PressedIndex >= 0) {
    const int pressed = PressedIndex;
    PressedIndex = -1;
    if (Valid(pressed)) Row()->InvalidateButton(pressed);
  }
  const int b = ButtonAtX(x);
  if (!Valid(b)) return;
  if (Row()->Buttons()->Button(b)->AutoCheck()) Row()->SetButtonState(b, !Row()->IsButtonChecked(b));
  else Row()->ButtonClicked(b);
}

// Digits 1 to 9 (and the two codes after them) toggle the n-th button that is no divider.
void TNxToolbarItemDisplay::KeyDown(Word& key, TShiftState) {
  if (key < 49 || key > 59) return;
  const int n = key - 49;
  int found = 0, counted = 0;
  for (int i = 0; i < Row()->ButtonCount(); ++i) {
    if (Row()->Buttons()->Button(i)->Divider()) continue;
    if (counted++ == n) {
      found = i;
      break;
    }
  }
  if (Row()->ButtonCount() == 0) return;
  TNxToolbarItemButton* button = Row()->Buttons()->Button(found);
  if (button->AutoCheck()) button->SetChecked(!button->Checked());
}

void TNxToolbarItemDisplay::DrawBackground() {
  if (!Row()->DrawBackground()) return TNxItemDisplay::DrawBackground();
  switch (Style) {
    case psDefault:
      if (ThemesAvailable()) DrawThemeElement(Window, Canvas->Handle(), Rect, u"rebar", 0, 1);
      else {
        Canvas->Brush()->SetColor(clBtnFace);
        Canvas->FillRect(Rect);
      }
      break;
    case psOffice2003: TGraphicsProvider::DrawGradient(Canvas, Rect, Office2003Color(10), Office2003Color(11)); break;
    case psWhidbey: break;
  }
}

void TNxToolbarItemDisplay::DrawValue() {
  TNxItemDisplay::DrawValue();
  DrawButtons();
}

void TNxToolbarItemDisplay::DrawButtons() {
  TNxToolbarItem* row = Row();
  for (int i = 0; i < row->ButtonCount(); ++i) {
    const TRect r = ButtonRect(i);
    TNxToolbarItemButton* button = row->Buttons()->Button(i);
    if (button->Divider()) {
      const int x = (r.Left + r.Right) / 2;
      Canvas->Pen()->SetColor(clGrayText);
      Canvas->MoveTo(x, r.Top + 2);
      Canvas->LineTo(x, r.Bottom - 2);
    } else {
      DrawButton(r, button->Checked(), i == HotIndex, i == PressedIndex, i);
    }
  }
  if (!row->ShowText()) return;
  Canvas->Font()->Assign(row->ValueFont());
  const int strip = row->ButtonCount() * row->ButtonWidth();
  const TRect text = row->Alignment() == baLeftJustify ? ::Rect(Rect.Left + strip + 2, Rect.Top, Rect.Right, Rect.Bottom)
                                                       : ::Rect(Rect.Left + 2, Rect.Top, Rect.Right - strip, Rect.Bottom);
  DrawTextPlain(Canvas, text, row->GetValue(), 0);
}

void TNxToolbarItemDisplay::DrawButton(const TRect& rect, bool checked, bool hot, bool pressed, int index) {
  if (checked || hot) {
    switch (Style) {
      case psDefault:
        if (VisualStyles) {
          const int state = pressed ? 3 : checked && hot ? 6 : checked ? 5 : hot ? 2 : 0;
          DrawThemeElement(Window, Canvas->Handle(), rect, u"toolbar", 1, state);
        } else {
          const bool sunken = !hot || checked || pressed;
          Canvas->Brush()->SetColor(hot ? clBtnFace : cl3DLight);
          Canvas->FillRect(rect);
          TRect ring = rect;
          if (sunken) Frame3D(Canvas, ring, clBtnShadow, clBtnHighlight, 1);
          else Frame3D(Canvas, ring, clBtnHighlight, clBtnShadow, 1);
        }
        break;
      case psOffice2003: {
        const int from = hot ? (pressed || checked ? 8 : 6) : 4;
        TGraphicsProvider::DrawGradient(Canvas, rect, Office2003Color(from), Office2003Color(from + 1));
        Canvas->Brush()->SetColor(Office2003Color(3));
        Canvas->FrameRect(rect);
        break;
      }
      case psWhidbey: {
        const int alpha = hot ? (pressed || checked ? 160 : 80) : 35;
        Canvas->Pen()->SetColor(clHighlight);
        Canvas->Brush()->SetColor(Blend(clHighlight, clWindow, alpha));
        Canvas->Rectangle(rect);
        break;
      }
    }
  }
  TBitmap* glyph = Row()->Buttons()->Button(index)->Glyph();
  if (glyph->Empty()) return;
  glyph->SetTransparentColor(glyph->Canvas()->Pixel(0, glyph->Height() - 1));
  glyph->SetTransparent(true);
  DrawGlyph(Canvas, rect.Left + Row()->ButtonWidth() / 2 - glyph->Width() / 2,
            Rect.Top + Rect.Height() / 2 - glyph->Height() / 2, glyph);
}

bool ToolbarRepaintRect(TNxPropertyItem* row, int index, bool textArea, int splitter, int clientWidth, int top,
                        int rowHeight, RECT& rect) {
  auto* toolbar = ObjectAs<TNxToolbarItem>(row);
  if (!toolbar) return false;
  const int width = toolbar->ButtonWidth(), count = toolbar->ButtonCount();
  if (textArea) {
    if (!toolbar->ShowText()) return false;
    rect = RECT{count * (rowHeight + 1) + 2, top, clientWidth, top + rowHeight};
    return true;
  }
  const int left = toolbar->Alignment() == baLeftJustify ? splitter + index * width + 1
                                                         : clientWidth - width - (count - index - 1) * width;
  rect = RECT{left, top, left + width, top + rowHeight};
  return true;
}
