#include "cxHeader.h"

#include <commctrl.h>

namespace {

constexpr int textInset = 4;
constexpr int sortMarkInset = 15;
constexpr int imageGap = 2;
constexpr int fillerOverhang = 10;
constexpr int sortMarkWidth = 7;

void DrawSortMark(TcxCanvas* canvas, const TRect& rect, uint8_t sortOrder, TcxCustomLookAndFeelPainterClass painter) {
  const TColor pen = canvas->GetPen()->Color();
  TRect mark = rect;
  mark.Right = rect.Right - textInset;
  mark.Left = mark.Right - sortMarkWidth;
  painter->PaintSortMark(canvas, mark, sortOrder == 1);
  canvas->GetPen()->SetColor(pen);
}

}  // namespace

TRect CalcHeaderTextArea(const TRect& content, bool sortMark) {
  return TRect(content.Left + textInset, content.Top, content.Right - (sortMark ? sortMarkInset : textInset),
               content.Bottom);
}

int CalcHeaderImagePos(TRect& textArea, TAlignment& alignment, int imageWidth, int textWidth) {
  int left = textArea.Left;
  switch (alignment) {
    case taLeftJustify: textArea.Left = left + imageWidth + imageGap; break;
    case taRightJustify:
      left = textArea.Right - textWidth - imageWidth - imageGap;
      if (left < textArea.Left) {
        left = textArea.Left;
        textArea.Left += imageWidth + imageGap;
        alignment = taLeftJustify;
      }
      break;
    case taCenter:
      left = textArea.Left + (textArea.Width() - imageWidth - imageGap - textWidth) / 2;
      if (left < textArea.Left) {
        left = textArea.Left;
        alignment = taLeftJustify;
      }
      textArea.Left += imageWidth + imageGap;
      break;
  }
  return left;
}

void DrawHeaderItem(HWND header, int position, TcxCanvas* canvas, TCustomImageList* images, TcxLookAndFeel* lookAndFeel) {
  const int count = static_cast<int>(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0));
  RECT window;
  GetWindowRect(header, &window);
  const TRect bounds(0, 0, window.right - window.left, window.bottom - window.top);
  if (count <= 0) return canvas->Canvas()->FillRect(bounds);
  THeaderItemInfo info;
  SendMessageA(header, CM_CXHEADER_ITEMINFO, position, reinterpret_cast<LPARAM>(&info));
  TcxCustomLookAndFeelPainterClass painter = lookAndFeel->CurrentPainter();
  if (position == count) info.Rect.Right = bounds.Width() + fillerOverhang;
  else if (!lookAndFeel->NativeStyle() && lookAndFeel->Kind() == lfUltraFlat) ++info.Rect.Right;
  const TRect content = painter->HeaderContentBounds(info.Rect, cxBordersAll);
  TRect textArea = CalcHeaderTextArea(content, info.SortOrder != 0);
  const bool hasImage = images && info.ImageIndex >= 0;
  int imageLeft = 0;
  if (hasImage) imageLeft = CalcHeaderImagePos(textArea, info.Alignment, images->Width(), canvas->TextWidth(info.Text));
  const TColor brush = canvas->GetBrush()->Color();
  canvas->SaveClipRegion();
  canvas->IntersectClipRect(info.Rect);
  painter->PaintHeader(canvas, info.Rect, textArea, {bRight}, cxBordersAll, info.State, info.Alignment, vaCenter, false,
                       true, info.Text, canvas->GetFont(), canvas->GetFont()->Color(), brush, {});
  canvas->IntersectClipRect(content);
  if (hasImage)
    canvas->DrawListImage(images, imageLeft, textArea.Top + (textArea.Height() - images->Height()) / 2, info.ImageIndex);
  if (info.SortOrder != 0) DrawSortMark(canvas, info.Rect, info.SortOrder, painter);
  canvas->RestoreClipRegion();
  canvas->GetBrush()->SetColor(brush);
}
