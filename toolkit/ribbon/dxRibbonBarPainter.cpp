#include "dxRibbonBarPainter.h"

#include <algorithm>

#include "cxGeometry.h"
#include "dxBarCanvas.h"
#include "dxBarControl.h"
#include "dxBarDrawRoutines.h"
#include "dxBarSkinnedPainterElements.h"
#include "dxBarToolbar.h"
#include "dxRibbon.h"
#include "dxRibbonGroupBarControl.h"

CALDERAN_IMPLEMENT_CLASS(TdxRibbonBarPainter, TdxBarSkinnedPainter)

using namespace dxBarSkinElements;

namespace {

constexpr int kSmallGlyphSize = 16;
// A group caption in a 13-pixel font: its text height + 1.
constexpr int kNominalCaptionHeight = 14;
// The glyph frame keeps 3 pixels above it and 4 below it in its area.
constexpr int kGlyphAreaTopIndent = 3, kGlyphAreaBottomIndent = 4;

TdxRibbonGroupBarControl* AsGroupWindow(TCustomdxBarControl* bar) { return ObjectAs<TdxRibbonGroupBarControl>(bar); }

std::string CaptionOf(TCustomdxBarControl* bar) {
  if (TdxRibbonGroupBarControl* group = AsGroupWindow(bar)) return group->Caption();
  return bar->Caption();
}

TRect Deflated(const TRect& r, const TRect& by) {
  return TRect(r.Left + by.Left, r.Top + by.Top, r.Right - by.Right, r.Bottom - by.Bottom);
}

}  // namespace

// The collapsed group's proportions come from a full group of small buttons around small glyphs
// under a nominal caption; they do not change with the skin.
TdxRibbonBarPainter::TdxRibbonBarPainter(TdxCustomRibbon* ribbon)
    : TdxBarSkinnedPainter(ribbon), ribbon_(ribbon), drawParams_(std::make_unique<TdxBarItemControlDrawParams>()) {
  const TRect frame = ElementOffsets(kCollapsedGroup), glyphFrame = ElementOffsets(kCollapsedGroupGlyphFrame);
  const TRect button = ElementOffsets(kSmallButton);
  const int buttonHeight = kSmallGlyphSize + button.Top + button.Bottom;
  glyphBlockHeight_ = kSmallGlyphSize + glyphFrame.Top + glyphFrame.Bottom + kGlyphAreaTopIndent + kGlyphAreaBottomIndent;
  referenceHeight_ = frame.Top + 3 * buttonHeight + 1 + kNominalCaptionHeight + 3 - (frame.Top + frame.Bottom);
}

TdxRibbonBarPainter::~TdxRibbonBarPainter() = default;

IdxSkin* TdxRibbonBarPainter::GetSkin() const { return ribbon_ && ribbon_->Skin() ? ribbon_ : nullptr; }

// The ribbon's offsets are its own, with or without a skin.
TRect TdxRibbonBarPainter::ElementOffsets(int element) const {
  return ribbon_ ? ribbon_->GetElementContentOffsets(element) : TRect();
}

bool TdxRibbonBarPainter::IsCollapsedGroup(TCustomdxBarControl* bar) const {
  TdxRibbonGroupBarControl* group = AsGroupWindow(bar);
  return group && group->Collapsed();
}

TRect TdxRibbonBarPainter::GetToolbarBorderOffsets(TCustomdxBarControl* bar) const {
  return IsCollapsedGroup(bar) ? TRect() : TdxBarSkinnedPainter::GetToolbarBorderOffsets(bar);
}

TRect TdxRibbonBarPainter::CalcMarkRect(TCustomdxBarControl* bar) const { return bar->ClientRect(); }

int TdxRibbonBarPainter::GetMenuSeparatorSize() const {
  return GetSkin() ? ribbon_->Skin()->GetSeparatorSize() : TdxBarSkinnedPainter::GetMenuSeparatorSize();
}

int TdxRibbonBarPainter::GetSeparatorLineSize() const {
  return GetSkin() ? ribbon_->Skin()->GetSeparatorSize() : TdxBarSkinnedPainter::GetSeparatorLineSize();
}

// ---------------------------------------------------------------------------------------------
// The group's geometry.

int TdxRibbonBarPainter::GetGroupRowHeight(TFont* font) const {
  TcxScreenCanvas* canvas = SharedScreenCanvas();
  canvas->SetFont(font);
  return CalcButtonHeight(canvas->TextHeight("Wg") + 3);
}

int TdxRibbonBarPainter::GetGroupCaptionHeight(TFont* font) const {
  TFont measured;
  measured.Assign(font);
  if (measured.Size() < 8) measured.SetSize(8);
  TcxScreenCanvas* canvas = SharedScreenCanvas();
  canvas->SetFont(&measured);
  return canvas->TextHeight("Qq") + 1;
}

TRect TdxRibbonBarPainter::GetGroupCaptionRect(const TRect& rect) const {
  TRect caption = Deflated(rect, ElementOffsets(kCollapsedGroup));
  caption.Left += 1;
  caption.Right -= 1;
  caption.Top += caption.Height() * glyphBlockHeight_ / referenceHeight_;
  return caption;
}

int TdxRibbonBarPainter::GetGroupCaptionMinWidth(TCustomdxBarControl* bar) const {
  TcxScreenCanvas* canvas = SharedScreenCanvas();
  if (ribbon_) canvas->SetFont(ribbon_->Fonts()->GetGroupHeaderFont());
  return canvas->TextWidth(CaptionOf(bar));
}

int TdxRibbonBarPainter::GetCollapsedGlyphFrameSize(int windowHeight) const {
  const TRect frame = ElementOffsets(kCollapsedGroup), glyphFrame = ElementOffsets(kCollapsedGroupGlyphFrame);
  return (kSmallGlyphSize + glyphFrame.Top + glyphFrame.Bottom) * (windowHeight - frame.Top - frame.Bottom) /
         referenceHeight_;
}

TSize TdxRibbonBarPainter::GetCollapsedGlyphSize(TdxBar* toolbar) {
  TBitmap* glyph = toolbar ? toolbar->Glyph() : nullptr;
  if (!glyph || glyph->Empty()) return TSize(kSmallGlyphSize, kSmallGlyphSize);
  TSize size(glyph->Width(), glyph->Height());
  if (size.cx <= kSmallGlyphSize && size.cy <= kSmallGlyphSize) return size;
  if (size.cx >= size.cy) return TSize(kSmallGlyphSize, size.cy * kSmallGlyphSize / size.cx);
  return TSize(size.cx * kSmallGlyphSize / size.cy, kSmallGlyphSize);
}

// Mark states: 1 hot, 2 dropped down.
int TdxRibbonBarPainter::GetCollapsedGroupState(TCustomdxBarControl* bar) {
  const int mark = bar->MarkState();
  return mark == 1 ? bssHot : mark == 2 ? bssPressed : bssNormal;
}

// The caption of a large, enabled drop-down button, hot or pressed with the group.
void TdxRibbonBarPainter::PrepareCaptionParams(TCustomdxBarControl* bar, TcxCanvas* canvas, int state) const {
  TdxBarItemControlDrawParams& params = *drawParams_;
  params = TdxBarItemControlDrawParams();
  params.Canvas = canvas;
  params.Caption = CaptionOf(bar);
  params.DropDown = true;
  params.ViewSize = cvsLarge;
  params.ViewStructure = cvsGlyph | cvsCaption;
  params.Enabled = true;
  params.CanSelect = true;
  params.HotPartIndex = state == bssNormal ? -1 : 0;
  params.Pressed = state == bssPressed;
}

// The caption's extent, or the glyph frame with its margins, whichever is wider; the frame is
// measured for the height the group gets.
int TdxRibbonBarPainter::GetCollapsedGroupWidth(TCustomdxBarControl* bar) const {
  TcxScreenCanvas* canvas = SharedScreenCanvas();
  canvas->SetFont(bar->ItemsFont());
  PrepareCaptionParams(bar, canvas, bssNormal);
  TRect extent;
  CalcButtonTextExtent(*drawParams_, extent);
  const TRect probe(0, 0, 100, 100), caption = GetGroupCaptionRect(probe);
  const int captionWidth = extent.Width() + probe.Width() - caption.Width();
  const TRect frame = ElementOffsets(kCollapsedGroup);
  const int height = ribbon_ ? ribbon_->GetGroupHeight() : bar->Height();
  const int glyphWidth = GetCollapsedGlyphFrameSize(height) + 3 + 3 + frame.Left + frame.Right;
  return std::max(captionWidth, glyphWidth);
}

// ---------------------------------------------------------------------------------------------
// Drawing.

void TdxRibbonBarPainter::DrawToolbarBackground(TCustomdxBarControl* bar, HDC dc) const {
  IdxSkin* skin = GetSkin();
  if (skin && IsCollapsedGroup(bar)) return DrawCollapsedGroup(skin, bar, dc);
  TdxBarSkinnedPainter::DrawToolbarBackground(bar, dc);
}

// On the shared bar canvas (none once the bar unit has stopped).
void TdxRibbonBarPainter::DrawCollapsedCaption(TCustomdxBarControl* bar, HDC dc, const TRect& rect, int state) const {
  TdxBarCanvas* canvas = BarCanvas();
  if (!canvas) return;
  canvas->BeginPaintDC(dc);
  struct TEndPaint {
    TdxBarCanvas* Canvas;
    ~TEndPaint() { Canvas->EndPaint(); }
  } endPaint{canvas};
  canvas->SetFont(bar->ItemsFont());
  PrepareCaptionParams(bar, canvas, state);
  DrawButtonText(*drawParams_, rect, DT_SINGLELINE, 1);
}

// One button over the whole window: its caption at the bottom, the glyph frame centred above it
// and the toolbar's glyph inside the frame.
void TdxRibbonBarPainter::DrawCollapsedGroup(IdxSkin* skin, TCustomdxBarControl* bar, HDC dc) const {
  const TRect client = bar->ClientRect();
  const int state = GetCollapsedGroupState(bar);
  skin->DrawElement(dc, client, kCollapsedGroup, state);

  const TRect caption = GetGroupCaptionRect(client);
  DrawCollapsedCaption(bar, dc, caption, state);

  TRect area = Deflated(client, ElementOffsets(kCollapsedGroup));
  area.Bottom = caption.Top;
  const int side = GetCollapsedGlyphFrameSize(client.Height());
  const int left = area.Left + (area.Width() - side) / 2;
  const int top = area.Top + kGlyphAreaTopIndent + (area.Height() - kGlyphAreaTopIndent - kGlyphAreaBottomIndent - side) / 2;
  const TRect square(left, top, left + side, top + side);
  skin->DrawElement(dc, square, kCollapsedGroupGlyphFrame, state);

  TdxRibbonGroupBarControl* group = AsGroupWindow(bar);
  TdxBar* toolbar = group ? group->Toolbar() : nullptr;
  if (!toolbar || toolbar->Glyph()->Empty()) return;
  const TRect glyphFrame = ElementOffsets(kCollapsedGroupGlyphFrame);
  const TRect box(square.Left, square.Top + glyphFrame.Top, square.Right, square.Bottom - glyphFrame.Bottom);
  DrawGlyphInRect(dc, RectCenterSize(box, GetCollapsedGlyphSize(toolbar)), toolbar->Glyph(), true);
}
