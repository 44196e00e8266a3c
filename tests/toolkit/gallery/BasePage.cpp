// The base page: the control base's built-in scroll bars, the scroll bar control, a popup and a hint
// window, and the painter sheet of the look's painter.
#include <algorithm>
#include <string>

#include "ExtCtrls.h"
#include "GalleryPages.h"
#include "PainterSheet.h"
#include "cxControls.h"
#include "cxLookAndFeelPainters.h"
#include "cxScrollBar.h"

namespace {

// A base control with content of a given size, scrolled by its built-in bars (in pixels).
class TGalleryContent : public TcxControl {
 public:
  TGalleryContent(TComponent* owner, TSize content) : TcxControl(owner), content_(content) {
    SetBorderStyle(cxcbsDefault);
  }

 protected:
  void CalculateScrollBarParams() override {
    const TRect client = GetClientBounds();
    SetScrollBarInfo(sbHorizontal, 0, content_.cx - 1, 8, client.Width(), offset_.X, true, true);
    SetScrollBarInfo(sbVertical, 0, content_.cy - 1, 8, client.Height(), offset_.Y, true, true);
  }
  bool ScrollsByPixels(TScrollBarKind) override { return true; }
  void Scroll(TScrollBarKind kind, TScrollCode code, int& position) override {
    TcxControlScrollBar* bar = kind == sbHorizontal ? HScrollBar() : VScrollBar();
    if (code == scLineUp) position -= 8;
    if (code == scLineDown) position += 8;
    if (code == scPageUp) position -= bar->PageSize();
    if (code == scPageDown) position += bar->PageSize();
    position = std::clamp(position, 0, std::max(0, bar->Max() - bar->PageSize() + 1));
    (kind == sbHorizontal ? offset_.X : offset_.Y) = position;
    UpdateScrollBars();
    Invalidate();
  }
  void Paint() override {
    TcxControl::Paint();
    TcxCanvas* c = cxCanvas();
    const TRect client = GetClientBounds();
    c->GetBrush()->SetColor(GetPainter()->ContentColor());
    c->Canvas()->FillRect(client);
    c->GetPen()->SetColor(clBtnShadow);
    for (int x = 0; x < content_.cx; x += 40) {
      c->Canvas()->MoveTo(client.Left + x - offset_.X, client.Top);
      c->Canvas()->LineTo(client.Left + x - offset_.X, client.Bottom);
    }
    for (int y = 0; y < content_.cy; y += 20) {
      c->Canvas()->MoveTo(client.Left, client.Top + y - offset_.Y);
      c->Canvas()->LineTo(client.Right, client.Top + y - offset_.Y);
    }
    c->GetFont()->SetColor(GetPainter()->ContentTextColor());
    c->Canvas()->TextOut(client.Left + 4 - offset_.X, client.Top + 3 - offset_.Y,
                         std::to_string(content_.cx) + " x " + std::to_string(content_.cy));
  }

 private:
  TSize content_;
  TPoint offset_;
};

// A scroll bar control that shows one part in a chosen state (hot and pressed need the mouse).
class TStateScrollBar : public TcxScrollBar {
 public:
  TStateScrollBar(TComponent* owner, TcxScrollBarPart part, TcxButtonState state)
      : TcxScrollBar(owner), part_(part), state_(state) {}

 protected:
  void DrawScrollBarPart(TcxCanvas* canvas, const TRect& rect, TcxScrollBarPart part, TcxButtonState state) override {
    TcxScrollBar::DrawScrollBarPart(canvas, rect, part, part == part_ ? state_ : state);
  }

 private:
  TcxScrollBarPart part_;
  TcxButtonState state_;
};

// The painter sheet, drawn by the painter of the control's look and feel.
class TSheetControl : public TcxControl {
 public:
  using TcxControl::TcxControl;

 protected:
  bool HasBuiltInScrollBars() override { return false; }
  void Paint() override {
    TcxCanvas* c = cxCanvas();
    c->GetBrush()->SetColor(clBtnFace);
    c->Canvas()->FillRect(ClientRect());
    c->GetBrush()->SetStyle(TBrushStyle::bsClear);
    DrawPainterSheet(c, TPoint(0, 0), GetPainter(), TPainterSheetLayout());
  }
};

void BuildScrollBars(TGalleryPage& page, int x, int y) {
  page.AddLabel(x, y, "Scroll bar control: normal, hot arrow, pressed thumb, hot page, disabled, no thumb", 520);
  struct TBarCase { TcxScrollBarPart Part; TcxButtonState State; bool Enabled; int Max; } const cases[] = {
      {sbpNone, cxbsNormal, true, 100},  {sbpLineDown, cxbsHot, true, 100}, {sbpThumbnail, cxbsPressed, true, 100},
      {sbpPageDown, cxbsHot, true, 100}, {sbpNone, cxbsNormal, false, 100}, {sbpNone, cxbsNormal, true, 0}};
  TForm* form = page.Form();
  for (int i = 0; i < 6; ++i) {
    auto* bar = page.Place(new TStateScrollBar(form, cases[i].Part, cases[i].State), x, y + 22 + i * 24, 240, 17);
    const int pageSize = cases[i].Max == 0 ? 0 : 20;
    bar->SetScrollParams(0, cases[i].Max, 30, pageSize);
    bar->SetEnabled(cases[i].Enabled);
    auto* vertical = page.Place(new TStateScrollBar(form, cases[i].Part, cases[i].State), x + 260 + i * 26, y + 22, 17, 140);
    vertical->SetKind(sbVertical);
    vertical->SetBounds(x + 260 + i * 26, y + 22, 17, 140);
    vertical->SetScrollParams(0, cases[i].Max, 60, i == 3 ? 0 : pageSize);
    vertical->SetEnabled(cases[i].Enabled);
  }
}

void ShowPopupAndHint(TForm* form, TPanel* popupOwner) {
  auto* popup = new TcxPopupWindow(form);
  auto* content = new TPanel(popup);
  content->SetParent(popup);
  content->SetBounds(0, 0, 160, 70);
  content->SetCaption("popup content");
  popup->SetBorderStyle(pbsDouble3D);
  popup->SetDirection(pdHorizontal);
  popup->SetAlignHorz(pahRight);
  popup->SetAlignVert(pavTop);
  popup->SetOwnerParent(form);
  popup->SetOwnerBounds(popupOwner->BoundsRect());
  popup->Popup();
  auto* hint = new TcxBaseHintWindow(form);
  hint->SetColor(clInfoBk);
  hint->SetEraseBackground(true);
  const TPoint at = form->ClientToScreen(TPoint(1250, 100));
  hint->ActivateHint(Bounds(at.X, at.Y, 180, 20), "A toolkit hint window");
}

}  // namespace

void BuildBasePage(TGalleryPage& page) {
  TForm* form = page.Form();
  page.AddLabel(8, 4, "Base controls: both bars and the size grip / vertical only / pixel content that fits", 680);
  page.Place(new TGalleryContent(form, TSize(600, 400)), 8, 24, 220, 150);
  page.Place(new TGalleryContent(form, TSize(150, 400)), 240, 24, 220, 150);
  page.Place(new TGalleryContent(form, TSize(210, 140)), 472, 24, 220, 150);
  BuildScrollBars(page, 712, 4);
  page.AddLabel(1250, 4, "Popup (double 3-D frame) beside this panel; hint below it");
  TPanel* popupOwner = page.Place(new TPanel(form), 1250, 24, 140, 60);
  popupOwner->SetCaption("popup owner");
  page.AfterShow([form, popupOwner] { ShowPopupAndHint(form, popupOwner); });
  page.AddLabel(8, 196, "Painter sheet: " + page.Kind() + " (states: default, normal, hot, pressed, disabled)", 680);
  page.Place(new TSheetControl(form), 8, 216, 1880, 900);
}
