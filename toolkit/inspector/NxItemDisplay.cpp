#include "NxItemDisplay.h"

#include "NxInspectorCommon.h"
#include "NxItemClasses.h"
#include "NxPropertyItems.h"
#include "NxSharedDraw.h"
#include "NxThemesSupport.h"
#include "SysUtils.h"

CALDERAN_IMPLEMENT_CREATABLE(TNxItemDisplay, TObject, TNxPropertyItem*)
CALDERAN_IMPLEMENT_CREATABLE(TNxTextItemDisplay, TNxItemDisplay, TNxPropertyItem*)

int ItemIndent(const TNxPropertyItem* item) { return item->Level() > 1 ? (item->Level() - 1) * 14 : 0; }

void TNxItemDisplay::SetDisplayParams(TColor selectionColor, TColor categoriesColor, bool visualStyles,
                                      TColor gridColor, TColor marginColor) {
  SelectionColor = selectionColor;
  CategoriesColor = categoriesColor;
  VisualStyles = visualStyles;
  GridColor = gridColor;
  MarginColor = marginColor;
}

void TNxItemDisplay::DrawBackground() {
  if (Item->Level() == 0) return;
  Canvas->Brush()->SetColor(Item->Color());
  Canvas->FillRect(Rect);
}

void TNxItemDisplay::DrawCategoryBackground(const TRect& textFrame) {
  switch (Style) {
    case psDefault:
      if (VisualStyles) DrawThemeElement(Window, Canvas->Handle(), Rect, u"rebar", 0, 1);
      else {
        Canvas->Brush()->SetColor(CategoriesColor);
        Canvas->FillRect(Rect);
      }
      if (Selected) TGraphicsProvider::DrawFocus(Canvas, textFrame, false);
      break;
    case psOffice2003:
      TGraphicsProvider::DrawGradient(Canvas, Rect, Office2003Color(Selected ? 1 : 10), Office2003Color(Selected ? 2 : 11));
      break;
    case psWhidbey:
      TGraphicsProvider::DrawGradient(Canvas, Rect, clWindow, clBtnFace);
      if (Selected) {
        Canvas->Brush()->SetColor(clBlack);
        Canvas->FrameRect(textFrame);
      }
      break;
  }
}

void TNxItemDisplay::DrawRowBackground() {
  if (!Selected) {
    Canvas->Brush()->SetColor(Item->Color());
    Canvas->FillRect(Rect);
    return;
  }
  switch (Style) {
    case psDefault:
      Canvas->Brush()->SetColor(SelectionColor);
      Canvas->FillRect(Rect);
      Canvas->Font()->SetColor(clHighlightText);
      break;
    case psOffice2003:
      Canvas->Pen()->SetColor(Office2003Color(3));
      Canvas->Brush()->SetColor(Office2003Color(0));
      Canvas->Rectangle(Rect);
      break;
    case psWhidbey:
      Canvas->Pen()->SetColor(clHighlight);
      Canvas->Brush()->SetColor(Blend(clHighlight, clWindow, 80));
      Canvas->Rectangle(Rect);
      break;
  }
}

void TNxItemDisplay::DrawCaption() {
  Canvas->Font()->Assign(Item->Font());
  const int indent = ItemIndent(Item);
  const bool hasImage = Item->ImageIndex() >= 0 && Images;
  const std::string caption = WideToAnsi(Item->Caption());
  TRect textFrame(indent + 14, Rect.Top, indent + 18 + Canvas->TextWidth(caption), Rect.Bottom);
  if (hasImage) textFrame.Right += Images->Width() + 8;
  if (Item->Level() == 0) DrawCategoryBackground(textFrame);
  else DrawRowBackground();
  if (!Item->Enabled()) Canvas->Font()->SetColor(clGrayText);
  int textStart = indent + 17;
  if (hasImage) {
    Images->Draw(Canvas, indent + Rect.Left + 3, Rect.Top + Rect.Height() / 2 - Images->Height() / 2,
                 Item->ImageIndex(), true);
    textStart = indent + Images->Width() + 25;
  }
  TGraphicsProvider::DrawTextRect(Canvas, ::Rect(textStart, Rect.Top, Rect.Right, Rect.Bottom), 0, Item->Caption(), 0);
}

void TNxItemDisplay::DrawExpandButton() {
  const int height = Rect.Height();
  if (ButtonsStyle == btCustom) {
    TBitmap* glyph = Item->Expanded() ? CollapseGlyph : ExpandGlyph;
    if (glyph && !glyph->Empty())
      TDrawProvider::DrawBitmap(Canvas, 7 - glyph->Width() / 2, Rect.Top + height / 2 - glyph->Height() / 2, glyph);
    return;
  }
  const int indent = ItemIndent(Item);
  const int y = Rect.Top + height / 2 - 5;
  const TRect box(indent + 2, y, indent + 11, y + 9);
  if (Style == psOffice2003 || Style == psWhidbey) {
    TBitmap picture;
    picture.LoadFromResourceName(GetModuleHandleA(nullptr), Item->Expanded() ? "OFFICE2003COLLAPSE" : "OFFICE2003EXPAND");
    TDrawProvider::DrawBitmap(Canvas, box.Left, box.Top, &picture);
  } else if (VisualStyles) {
    DrawThemeElement(Window, Canvas->Handle(), box, u"treeview", 2, Item->Expanded() ? 2 : 1);
  } else {
    DrawExpandBox(Canvas, box.TopLeft(), Item->Expanded(), MarginColor, Item->Level() == 0);
  }
}

void TNxItemDisplay::DrawSuffix() {
  Canvas->Font()->Assign(Item->ValueFont());
  Canvas->Brush()->SetColor(Item->Color());
  Canvas->FillRect(Rect);
  const TRect clip = Canvas->ClipRect();
  Canvas->Pen()->SetColor(GridColor);
  Canvas->MoveTo(Rect.Left, clip.Top);
  Canvas->LineTo(Rect.Left, clip.Bottom);
  TGraphicsProvider::DrawTextRect(Canvas, ::Rect(Rect.Left + 3, Rect.Top, Rect.Right, Rect.Bottom), RightToLeft,
                                  Item->SuffixValue(), 0);
}

void TNxItemDisplay::DrawValue() {
  DrawBackground();
  if (!Item->ShowPreview() || !Item->HasPreview()) return;
  TRect frame(Rect.Left + 1, Rect.Top + 1, Rect.Left + 21, Rect.Bottom - 1);
  Canvas->Brush()->SetColor(static_cast<TColor>(RGB(128, 128, 128)));
  Canvas->FrameRect(frame);
  frame.Inflate(-1, -1);
  DrawPreview(frame);
}

void TNxTextItemDisplay::GetTextRect(TRect& rect) {
  rect = Rect;
  rect.Left += Item->ShowPreview() ? 30 : 3;
}

void TNxTextItemDisplay::DrawValueText() {
  Canvas->Font()->Assign(Item->ValueFont());
  TRect textRect;
  GetTextRect(textRect);
  const std::u16string value = Item->GetValue();
  if (value.empty()) {
    Canvas->Font()->SetColor(clGrayText);
    TGraphicsProvider::DrawTextRect(Canvas, textRect, RightToLeft, Item->EmptyValue(), 0);
    return;
  }
  if (Item->Options().Contains(itoBoldNonDefault) &&
      AnsiLowerCase(WideToAnsi(value)) != AnsiLowerCase(WideToAnsi(Item->DefaultValue())))
    Canvas->Font()->SetStyle(Canvas->Font()->Style() + TFontStyle::fsBold);
  if (!Item->Enabled()) Canvas->Font()->SetColor(clGrayText);
  std::u16string shown = value;
  if (auto* text = ObjectAs<TNxTextItem>(Item); text && text->PasswordChar() != 0)
    shown.assign(value.size(), static_cast<char16_t>(static_cast<unsigned char>(text->PasswordChar())));
  TGraphicsProvider::DrawTextRect(Canvas, textRect, RightToLeft, shown, 0);
}

void TNxTextItemDisplay::DrawValue() {
  TNxItemDisplay::DrawValue();
  DrawValueText();
}
