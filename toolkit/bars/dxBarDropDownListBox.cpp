#include "dxBarDropDownListBox.h"

#include "dxBarControl.h"
#include "dxBarEditControls.h"
#include "dxBarEditItems.h"
#include "dxBarItemLinks.h"

CALDERAN_IMPLEMENT_CLASS(TdxBarDropDownListBox, TCustomListBox)

TdxBarDropDownListBox::TdxBarDropDownListBox(TdxBarCustomCombo* combo) : TCustomListBox(combo), combo_(combo) {
  SetStyle(lbOwnerDrawVariable);
  SetVisible(false);
}

TdxBarPainterClass TdxBarDropDownListBox::Painter() const {
  auto* bar = ObjectAs<TCustomdxBarControl>(Parent());
  return bar ? bar->GetPainter() : TdxBarPainter::Instance();
}

void TdxBarDropDownListBox::CreateParams(TCreateParams& params) {
  TCustomListBox::CreateParams(params);
  params.Style &= ~WS_BORDER;
  params.ExStyle = WS_EX_TOPMOST | WS_EX_TOOLWINDOW;
  params.WindowClass.style |= CS_SAVEBITS;
}

// The list keeps the bar window as the owner of its notifications (drawing and measuring come
// back through it) but lives on the desktop, so it is not clipped by the bar window.
void TdxBarDropDownListBox::CreateWnd() {
  TCustomListBox::CreateWnd();
  ::SetParent(WindowHandle(), nullptr);
  TMessage focus{WM_SETFOCUS, 0, 0, 0};
  DefaultHandler(focus);
}

void TdxBarDropDownListBox::Dispatch(TMessage& m) {
  switch (m.Msg) {
    case WM_NCCALCSIZE: WMNCCalcSize(m); break;
    case WM_NCPAINT: WMNCPaint(m); break;
    case WM_ERASEBKGND: m.Result = 1; break;
    case WM_CAPTURECHANGED:
      TCustomListBox::Dispatch(m);
      tracking_ = false;
      break;
    case WM_LBUTTONUP: WMLButtonUp(m); break;
    default: TCustomListBox::Dispatch(m);
  }
}

void TdxBarDropDownListBox::WMNCCalcSize(TMessage& m) {
  TCustomListBox::Dispatch(m);
  auto* rect = reinterpret_cast<RECT*>(m.LParam);
  const int border = Painter()->GetDropDownListBorderSize();
  InflateRect(rect, -border, -border);
}

void TdxBarDropDownListBox::WMNCPaint(TMessage& m) {
  TCustomListBox::Dispatch(m);
  HDC dc = GetWindowDC(WindowHandle());
  RECT window;
  GetWindowRect(WindowHandle(), &window);
  const TRect bounds(0, 0, window.right - window.left, window.bottom - window.top);
  TRect client = bounds;
  const int border = Painter()->GetDropDownListBorderSize();
  client.Inflate(-border, -border);
  ExcludeClipRect(dc, client.Left, client.Top, client.Right, client.Bottom);
  Painter()->DrawDropDownListBorder(dc, bounds, Color());
  ReleaseDC(WindowHandle(), dc);
}

void TdxBarDropDownListBox::BeginTracking() {
  tracking_ = true;
  SetCapture(WindowHandle());
  tracking_ = true;  // the capture change above cleared a previous capture's flag only
}

void TdxBarDropDownListBox::MouseMove(TShiftState shift, int x, int y) {
  const TPoint point(x, y);
  if (tracking_ && GetCapture() == WindowHandle() && ClientRect().Contains(point)) {
    tracking_ = false;
    TMessage press{WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y), 0};
    DefaultHandler(press);
  }
  const int index = ItemAtPos(point, true);
  if (index >= 0 && index != ItemIndex()) {
    SetItemIndex(index);
    Click();
  }
  TCustomListBox::MouseMove(shift, x, y);
}

void TdxBarDropDownListBox::KeyDown(Word& key, TShiftState shift) {
  if (ItemIndex() < 0 && Count() > 0) SetItemIndex(TopIndex());
  TCustomListBox::KeyDown(key, shift);
}

// The browsed entry shows in the combo control's edit window.
void TdxBarDropDownListBox::Click() {
  TCustomListBox::Click();
  const int index = ItemIndex();
  TdxBarItemLink* link = combo_->ActiveLink();
  auto* control = link ? ObjectAs<TdxBarComboControl>(link->Control()) : nullptr;
  if (index >= 0 && control) control->SetLocalItemIndex(index);
}

void TdxBarDropDownListBox::WMLButtonUp(TMessage& m) {
  TcxObjectLinkGuard alive(this);
  TCustomListBox::Dispatch(m);
  if (!alive.Alive()) return;
  if (tracking_) {
    ReleaseCapture();
    return;
  }
  Pick();
}

void TdxBarDropDownListBox::Pick() {
  const int index = ItemIndex();
  TdxBarCustomCombo* combo = combo_;
  TcxObjectLinkGuard comboAlive(combo);
  if (TdxBarItemLink* link = combo->ActiveLink()) link->OriginalLink()->MarkRecentlyUsed(true);
  if (TCustomdxBarControl* active = ActiveBarControl()) active->Close();
  if (comboAlive.Alive() && index >= 0) combo->SetItemIndex(index);
}
