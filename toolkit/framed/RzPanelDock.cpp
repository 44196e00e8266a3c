// The framed panel as a dock site: its dock manager's caption strips.
#include "RzPanel.h"

#include <windows.h>

CALDERAN_IMPLEMENT_CLASS(TRzPanelDockManager, TDockTree)

namespace {
constexpr int captionStripSize = 14;

// A windowed client is active while it or one of its windows has the focus.
bool HoldsFocus(TControl* control) {
  auto* windowed = ObjectAs<TWinControl>(control);
  if (!windowed) return true;
  if (!windowed->HandleAllocated()) return false;
  HWND focus = GetFocus();
  return focus && (focus == windowed->WindowHandle() || IsChild(windowed->WindowHandle(), focus));
}

// Restores the canvas's text alignment on every way out.
class TTextAlignSaver {
 public:
  TTextAlignSaver(HDC dc, UINT align) : dc_(dc), old_(SetTextAlign(dc, align)) {}
  ~TTextAlignSaver() { SetTextAlign(dc_, old_); }
  TTextAlignSaver(const TTextAlignSaver&) = delete;
  TTextAlignSaver& operator=(const TTextAlignSaver&) = delete;

 private:
  HDC dc_;
  UINT old_;
};
}  // namespace

std::unique_ptr<TDockTree> TRzCustomPanel::CreateDockManager() {
  std::unique_ptr<TDockTree> result;
  if (!DockManager() && DockSite() && UseDockManager()) result = std::make_unique<TRzPanelDockManager>(this);
  else result = TCustomPanel::CreateDockManager();
  if (result) SetDoubleBuffered(true);
  return result;
}

TRzPanelDockManager::TRzPanelDockManager(TRzCustomPanel* panel) : TDockTree(panel), panel_(panel) {
  SetGrabberSize(captionStripSize);
  captionFont_.SetName("Verdana");
  captionFont_.SetSize(8);
  closeFont_.SetName("Marlett");
  closeFont_.SetSize(8);
  if (panel->ComponentState().Contains(csDesigning)) return;
  previousWindowProc_ = panel->WindowProc();
  panel->SetWindowProc(MakeEvent(this, &TRzPanelDockManager::SiteWindowProc));
}

TRzPanelDockManager::~TRzPanelDockManager() {
  if (previousWindowProc_) panel_->SetWindowProc(previousWindowProc_);
}

// A command from a client or a click into one may move the focus: the strips' colours follow.
void TRzPanelDockManager::SiteWindowProc(TMessage& m) {
  if (m.Msg == WM_COMMAND || m.Msg == WM_MOUSEACTIVATE) panel_->Invalidate();
  previousWindowProc_(m);
}

TRect TRzPanelDockManager::CloseButtonRect(const TRect& r) const {
  if (GrabbersOnLeft()) return {r.Left + 1, r.Top + 1, r.Left + 12, r.Top + 12};
  return {r.Right - 15, r.Top + 1, r.Right - 2, r.Top + 12};
}

void TRzPanelDockManager::PaintDockFrame(TCanvas* canvas, TControl* control, const TRect& rect) {
  if (!panel_->ShowDockClientCaptions()) return TDockTree::PaintDockFrame(canvas, control, rect);
  const bool active = HoldsFocus(control);
  const TRect strip = GrabberRect(rect);
  canvas->Brush()->SetStyle(TBrushStyle::bsSolid);
  canvas->Brush()->SetColor(active ? clActiveCaption : clInactiveCaption);
  canvas->FillRect(strip);
  canvas->SetFont(&captionFont_);
  canvas->Font()->SetColor(active ? clCaptionText : clInactiveCaptionText);
  canvas->Brush()->SetStyle(TBrushStyle::bsClear);
  PaintCaption(canvas, control, strip);
  canvas->SetFont(&closeFont_);
  canvas->Font()->SetColor(active ? clCaptionText : clInactiveCaptionText);
  TRect close = CloseButtonRect(rect);
  DrawTextA(canvas->Handle(), "r", 1, close.Win(), DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOCLIP);
  canvas->Brush()->SetStyle(TBrushStyle::bsSolid);
}

// Along the top strip the text reads left to right; on a left strip it runs upward from the
// bottom, its baseline near the strip's right edge.
void TRzPanelDockManager::PaintCaption(TCanvas* canvas, TControl* control, const TRect& strip) {
  // a caption of several lines (a memo's text) shows its first
  std::string text = control->Caption();
  text = text.substr(0, text.find_first_of("\r\n"));
  if (text.empty()) return;
  if (!GrabbersOnLeft()) {
    TRect clip = strip;
    clip.Right = CloseButtonRect(strip).Left;
    canvas->TextRect(clip, strip.Left + 2, strip.Top, text);
    return;
  }
  HFONT rotated = CreateRotatedFont(canvas->Font(), 90);
  HGDIOBJ old = SelectObject(canvas->Handle(), rotated);
  {
    TTextAlignSaver align(canvas->Handle(), TA_BASELINE);
    ExtTextOutA(canvas->Handle(), strip.Right - 2, strip.Bottom - 3, 0, nullptr, text.c_str(),
                static_cast<UINT>(text.size()), nullptr);
  }
  SelectObject(canvas->Handle(), old);
  DeleteObject(rotated);
}
