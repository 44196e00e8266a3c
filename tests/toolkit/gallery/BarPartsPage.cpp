// The bar painters side by side: per painter a toolbar in normal, hot and pressed states (its
// frame, drag handle, buttons, separator and mark, the hidden-items chevrons once hot), a menu with
// a hot, a checked and a disabled item, a floating caption with its close button in each state,
// and the size grip. Each part is a small bar window of its own, so gradients run over the part.
#include <memory>
#include <string>

#include "GalleryPages.h"
#include "dxBarControl.h"
#include "dxBarFlatPainter.h"
#include "dxBarItemControl.h"
#include "dxBarManager.h"
#include "dxBarOffice11Painter.h"
#include "dxBarXPPainter.h"
#include "dxOffice11.h"

namespace {

class TPartItemControl : public TdxBarItemControl {
 public:
  using TdxBarItemControl::TdxBarItemControl;
  bool IsPressed() const override { return Pressed; }
  bool GetEnabled() const override { return Enabled; }
  bool Pressed = false;
  bool Enabled = true;
};

enum TPartKind { pkToolbar, pkMenu, pkCaption, pkGrip };

// One part drawn by one painter; state 0 normal, 1 hot, 2 pressed.
class TPartCell : public TCustomdxBarControl {
 public:
  TPartCell(TComponent* owner, TdxBarManager* manager, TdxBarPainterClass painter, TPartKind kind, int state)
      : TCustomdxBarControl(owner, manager), kind_(kind), state_(state) {
    SetPainter(painter);
    control_ = std::make_unique<TPartItemControl>(this, nullptr);
  }
  int PaintType() const override { return kind_ == pkMenu ? ptMenu : ptHorz; }
  bool CanBeMoved() const override { return kind_ == pkToolbar; }
  int MarkState() const override { return state_; }
  bool HasHiddenItems() const override { return state_ > 0; }
  int CloseButtonState() const override { return state_; }
  // Items on a toolbar show the toolbar's own background through their faces, as on a toolbar
  // window; the frame's dock pixels keep the plain fill.
  void FillBackground(HDC dc, const TRect& rect, HBRUSH brush, TColor color, bool wholeArea) override {
    if (!paintingItems_) return TCustomdxBarControl::FillBackground(dc, rect, brush, color, wholeArea);
    paintingItems_ = false;  // the painter's toolbar background may come back here for the plain fill
    GetPainter()->FillToolbarBackground(this, dc, brush, rect);
    paintingItems_ = true;
  }

 protected:
  void Paint() override {
    TcxCanvas canvas(Canvas());
    canvas.SetFont(BarManager()->Font());
    SetBkMode(canvas.GetHandle(), TRANSPARENT);
    switch (kind_) {
      case pkToolbar: PaintToolbar(canvas); break;
      case pkMenu: PaintMenu(canvas); break;
      case pkCaption: PaintCaption(canvas); break;
      case pkGrip: PaintGrip(canvas); break;
    }
  }

 private:
  TdxBarItemControlDrawParams& Params(TcxCanvas& canvas, const char* caption) {
    TdxBarItemControlDrawParams& p = control_->DrawParams();
    p = TdxBarItemControlDrawParams();
    p.BarItemControl = control_.get();
    p.Canvas = &canvas;
    p.Caption = caption;
    p.ViewStructure = cvsCaption;
    p.PaintType = PaintType();
    control_->Pressed = false;
    control_->Enabled = true;
    return p;
  }

  void PaintToolbar(TcxCanvas& canvas) {
    TdxBarPainterClass painter = GetPainter();
    HDC dc = canvas.GetHandle();
    const TRect all = ClientRect();
    HBRUSH brush = painter->GetToolbarBrushOfBar(this);
    FillRect(dc, all.Win(), GetSysColorBrush(COLOR_APPWORKSPACE));
    painter->FillToolbarBackground(this, dc, brush, all);
    painter->DrawToolbarBorder(this, dc, brush, all);
    const int mark = painter->GetMarkSize(this);
    paintingItems_ = true;
    int x = 14;
    TdxBarItemControlDrawParams& open = Params(canvas, "Open");
    open.DrawSelected = state_ > 0, open.Pressed = control_->Pressed = state_ == 2;
    painter->DrawButton(open, {x, 3, x + 48, all.Bottom - 3});
    x += 50;
    TdxBarItemControlDrawParams& bold = Params(canvas, "Bold");
    bold.Down = true;
    painter->DrawButton(bold, {x, 3, x + 40, all.Bottom - 3});
    x += 42;
    painter->DrawToolbarSeparator(this, dc, false, brush, {x, 3, x + painter->GetSeparatorThickness(), all.Bottom - 3});
    x += painter->GetSeparatorThickness() + 2;
    TdxBarItemControlDrawParams& off = Params(canvas, "Off");
    off.Enabled = control_->Enabled = false;
    painter->DrawButton(off, {x, 3, x + 36, all.Bottom - 3});
    paintingItems_ = false;
    const TRect markRect{all.Right - mark, all.Top + 1, all.Right, all.Bottom - 1};
    painter->DrawMarkBackground(this, dc, brush, markRect);
    painter->DrawMark(this, dc, state_, markRect);
  }

  void PaintMenu(TcxCanvas& canvas) {
    TdxBarPainterClass painter = GetPainter();
    HDC dc = canvas.GetHandle();
    const TRect all = ClientRect();
    FillRect(dc, all.Win(), painter->GetMenuBackgroundBrush(this));
    FrameRect(dc, all.Win(), GetSysColorBrush(COLOR_BTNSHADOW));
    struct {
      const char* caption;
      bool selected, down, enabled;
    } items[] = {{"Open", false, false, true}, {"Save", true, false, true}, {"Word wrap", false, true, true},
                 {"Print", false, false, false}};
    const int height = 22, iconArea = painter->GetIconAreaSize(this);
    int top = 2;
    for (const auto& item : items) {
      TdxBarItemControlDrawParams& p = Params(canvas, item.caption);
      p.DrawSelected = item.selected, p.Down = item.down;
      p.Enabled = control_->Enabled = item.enabled;
      const TRect r{2, top, all.Right - 2, top + height};
      painter->DrawMenuItemBackground(p, r);
      if (item.down) {
        TdxBarGlyphState g;
        g.Down = true, g.CheckMarkMode = true;
        const TRect glyph{r.Left + 1, r.Top + 1, r.Left + iconArea - 1, r.Bottom - 1};
        painter->DrawGlyphFrame(control_.get(), dc, g, ptMenu, glyph, true, painter->GetGlyphBackgroundBrush(control_.get(), g));
        painter->DrawCheckMark(control_.get(), dc, 1, r.Top + 7, r.Left + 5);
      }
      const bool flat = painter->IsFlatLook();
      TColor text = painter->GetTextColor(control_.get(), item.selected, flat), shadow = text;
      if (!item.enabled) painter->GetDisabledTextColors(control_.get(), item.selected, text, shadow, flat);
      SetTextColor(dc, ColorToRGB(text));
      TRect textRect{r.Left + iconArea + 8, r.Top, r.Right, r.Bottom};
      DrawTextA(dc, item.caption, -1, textRect.Win(), DT_SINGLELINE | DT_VCENTER);
      top += height;
    }
  }

  void PaintCaption(TcxCanvas& canvas) {
    TdxBarPainterClass painter = GetPainter();
    HDC dc = canvas.GetHandle();
    const TRect all = ClientRect();
    FillDCRectWithColor(dc, *all.Win(), painter->GetFloatingCaptionColor(this, 0));
    SetTextColor(dc, ColorToRGB(painter->GetFloatingCaptionTextColor(this)));
    TRect text{4, 0, all.Right - 20, all.Bottom};
    DrawTextA(dc, "Tools", -1, text.Win(), DT_SINGLELINE | DT_VCENTER);
    painter->DrawFloatingCloseButton(this, dc, {all.Right - 18, 2, all.Right - 2, all.Bottom - 2});
  }

  void PaintGrip(TcxCanvas& canvas) {
    HDC dc = canvas.GetHandle();
    const TRect all = ClientRect();
    FillRect(dc, all.Win(), GetSysColorBrush(COLOR_BTNFACE));
    const TSize size = GetPainter()->GetSizeGripSize(BarManager());
    GetPainter()->DrawSizeGrip(this, dc, clBtnFace, {all.Right - size.cx, all.Bottom - size.cy, all.Right, all.Bottom});
  }

  TPartKind kind_;
  int state_;
  bool paintingItems_ = false;
  std::unique_ptr<TPartItemControl> control_;
};

struct TPainterRow {
  const char* Name;
  TdxBarPainterClass Painter;
};

}  // namespace

void BuildBarPartsPage(TGalleryPage& page) {
  auto* manager = new TdxBarManager(page.Form());
  page.AddLabel(8, 8, "Bar painters side by side: toolbar normal, hot and pressed (mark and chevrons), menu, "
                      "caption button normal, hot and pressed, size grip", 1000);
  const TPainterRow rows[] = {{"TdxBarPainter", TdxBarPainter::Instance()},
                              {"TdxBarStandardPainter", TdxBarStandardPainter::Instance()},
                              {"TdxBarXPPainter", TdxBarXPPainter::Instance()},
                              {"TdxBarFlatPainter", TdxBarFlatPainter::Instance()},
                              {"TdxBarOffice11Painter", TdxBarOffice11Painter::Instance()}};
  TdxBarXPPainter::Instance()->Create(manager);
  int top = 34;
  for (const TPainterRow& row : rows) {
    page.AddLabel(8, top + 8, row.Name, 150);
    int x = 160;
    for (int state = 0; state < 3; ++state, x += 250)
      page.Place(new TPartCell(page.Form(), manager, row.Painter, pkToolbar, state), x, top, 240, 28);
    page.Place(new TPartCell(page.Form(), manager, row.Painter, pkMenu, 0), x, top, 150, 92);
    x += 160;
    for (int state = 0; state < 3; ++state)
      page.Place(new TPartCell(page.Form(), manager, row.Painter, pkCaption, state), x, top + state * 26, 110, 20);
    x += 120;
    page.Place(new TPartCell(page.Form(), manager, row.Painter, pkGrip, 0), x, top, 30, 30);
    top += 104;
  }
}
