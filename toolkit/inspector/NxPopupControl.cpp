#include "NxPopupControl.h"

#include <cmath>

#include "Forms.h"
#include "NxButtonEdit.h"
#include "NxSharedDraw.h"
#include "SysUtils.h"

CALDERAN_IMPLEMENT_CLASS(TNxPopupControl, TNxControl)
CALDERAN_IMPLEMENT_CREATABLE(TNxPopupList, TNxPopupControl, TComponent*)

// ---------------------------------------------------------------------------------------------
// The popup window

TNxPopupControl::TNxPopupControl(TComponent* owner)
    : TNxControl(owner) {
  // the popup keeps the capture itself while it is open
  SetControlStyle(ControlStyle() - csCaptureMouse - csReplicatable);
  SetVisible(false);
}

void TNxPopupControl::Dispatch(TMessage& m) {
  switch (m.Msg) {
    case WM_ERASEBKGND: m.Result = 1; break;
    case WM_ACTIVATEAPP:
      TNxControl::Dispatch(m);
      if (m.WParam == 0 && !closed_) ClosePopup();
      break;
    default: TNxControl::Dispatch(m);
  }
}

// A top-level tool window over everything; it never takes the activation from the edit's form.
void TNxPopupControl::CreateParams(TCreateParams& p) {
  TNxControl::CreateParams(p);
  p.Style = WS_POPUP | WS_CLIPSIBLINGS;
  p.ExStyle |= WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE;
  p.WndParent = nullptr;
  p.WindowClass.style |= CS_SAVEBITS | CS_DBLCLKS;
}

void TNxPopupControl::CreateWnd() {
  TNxControl::CreateWnd();
  VertBar()->SetLargeChange(10);
}

void TNxPopupControl::PopupAt(int x, int y) {
  const int editWidth = ownerEdit_ ? ownerEdit_->Width() : Width();
  const int editHeight = ownerEdit_ ? ownerEdit_->Height() : Height();
  RECT probe{x, y, x + editWidth, y + editHeight};
  MONITORINFO monitor{};
  monitor.cbSize = sizeof(monitor);
  GetMonitorInfoA(MonitorFromRect(&probe, MONITOR_DEFAULTTONEAREST), &monitor);
  // only the horizontal position is corrected: the list opens below the edit
  if (x + Width() > monitor.rcWork.right) x = monitor.rcWork.right - Width();
  if (x < 0) x = 0;
  SetBounds(x, y, Width(), Height());
  SetWindowPos(Handle(), HWND_TOPMOST, x, y, Width(), Height(), SWP_NOACTIVATE | SWP_SHOWWINDOW);
  closed_ = false;
  releasedOnce_ = false;
  SetVisible(true);
  SetCapture(Handle());
  Repaint();
}

void TNxPopupControl::ClosePopup() {
  releasedOnce_ = false;
  if (auto* edit = ObjectAs<TNxPopupEdit>(ownerEdit_)) edit->SetDroppedDown(false);
  else {
    closed_ = true;
    Hide();
  }
  DoCloseUp();
}

void TNxPopupControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  TNxControl::MouseUp(button, shift, x, y);
  if (closed_) return;
  if (!releasedOnce_) {
    // the release of the click that opened the popup
    releasedOnce_ = true;
    SetCapture(Handle());
    return;
  }
  if (ClientRect().Contains(TPoint(x, y))) {
    Click(x, y);
    if (!closed_) SetCapture(Handle());
  } else {
    ClosePopup();
  }
}

void TNxPopupControl::DoCloseUp() {
  if (OnCloseUp) OnCloseUp(this);
}

void TNxPopupControl::DoSelect(const std::string& text) {
  if (OnSelect) OnSelect(this, text);
}

// ---------------------------------------------------------------------------------------------
// The drop-down list

TNxPopupList::TNxPopupList(TComponent* owner) : TNxPopupControl(owner) { SetClientSize(80, 50); }

void TNxPopupList::CreateWnd() {
  TNxPopupControl::CreateWnd();
  VertBar()->SetVisible(false);
}

int TNxPopupList::RowAt(int x, int y) {
  if (!InnerRect().Contains(TPoint(x, y))) return -1;
  return (y - 2) / itemHeight_ + VertBar()->Position();
}

void TNxPopupList::PopupAt(int x, int y) {
  HandleNeeded();  // a new window hides its bar: make it before the bar is set up
  TNxVertScrollBar* bar = VertBar();
  bar->SetMax(ScrollMax());
  bar->SetPageSize(0);
  if (ItemCount() > 0) {
    const int barWidth = bar->ButtonSize();
    bar->SetBounds(ClientWidth() - barWidth - 2, 2, barWidth, ClientHeight() - 4);
    const double share = static_cast<double>(VisibleRows()) * 100 / ItemCount();
    bar->SetPageSize(static_cast<int>(std::lround(bar->TrackLength() * share / 100)));
  }
  TNxPopupControl::PopupAt(x, y);
}

void TNxPopupList::Click(int x, int y) {
  if (!InnerRect().Contains(TPoint(x, y))) return;
  itemIndex_ = (y - 2) / itemHeight_ + VertBar()->Position();
  if (itemIndex_ >= 0 && itemIndex_ < ItemCount()) DoSelect(items_->Get(itemIndex_));
}

void TNxPopupList::MouseMove(TShiftState shift, int x, int y) {
  TNxPopupControl::MouseMove(shift, x, y);
  if (InnerRect().Contains(TPoint(x, y)) && !VertBar()->IsThumbPressed())
    SetHotIndex((y - 2) / itemHeight_ + VertBar()->Position());
}

void TNxPopupList::InvalidateRow(int index) {
  if (!HandleAllocated() || index < 0) return;
  const int top = (index - VertBar()->Position()) * itemHeight_ + 2;
  RECT r{2, top, 2 + InnerWidth(), top + itemHeight_};
  InvalidateRect(WindowHandle(), &r, FALSE);
}

void TNxPopupList::SetHotIndex(int value) {
  previousHot_ = hotIndex_;
  hotIndex_ = value;
  if (hotIndex_ == previousHot_) return;
  InvalidateRow(previousHot_);
  InvalidateRow(hotIndex_);
}

void TNxPopupList::SetItemIndex(int value) {
  itemIndex_ = value;
  const int visible = VisibleRows(), position = VertBar()->Position();
  if (value >= position + visible) VertBar()->MoveBy(value - visible - position + 1);
  else if (value < position) VertBar()->MoveBy(value - position);
  SetHotIndex(value);
}

void TNxPopupList::Paint() {
  TNxPopupControl::Paint();
  TCanvas* canvas = Canvas();
  canvas->Font()->Assign(Font());
  VertClipRect = InnerRect();
  const int innerWidth = InnerWidth(), innerHeight = InnerHeight();
  int y = 2;
  for (int i = VertBar()->Position(); i < ItemCount(); ++i) {
    const TRect row(2, y, 2 + innerWidth, y + itemHeight_);
    const bool hot = i == hotIndex_;
    canvas->Brush()->SetColor(hot ? selectionColor_ : listColor_);
    canvas->FillRect(row);
    canvas->Font()->SetColor(hot ? highlightTextColor_ : textColor_);
    DrawItem(i, row);
    y += itemHeight_;
    if (y > innerHeight) break;
  }
  canvas->Brush()->SetColor(listColor_);
  canvas->FillRect(Rect(2, y, 2 + innerWidth, innerHeight + 2));
}

void TNxPopupList::DrawItem(int index, const TRect& rect) {
  int x = rect.Left + 2;
  if (showImages_ && images_) {
    if (index < images_->Count())
      images_->Draw(Canvas(), rect.Left + 2, rect.Top + itemHeight_ / 2 - images_->Height() / 2, index, true);
    x = rect.Left + images_->Width() + 5;
  }
  const std::string line = items_->Get(index);
  // the indent level of a line whose name is no number is 0, as if it had none
  if (DisplayMode == dmIndentList) x += 10 * StrToIntDef(ItemLineName(line), 0);
  TGraphicsProvider::DrawTextRect(Canvas(), Rect(x, rect.Top, rect.Right, rect.Bottom), 0,
                                  AnsiToWide(ItemLineText(line, DisplayMode)), 0);
}
