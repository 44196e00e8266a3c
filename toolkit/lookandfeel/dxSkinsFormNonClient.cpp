// The non-client layout of a skinned window: frame widths, caption, caption buttons and their
// states, scroll bars and their parts, hit tests.
#include <algorithm>

#include "SysUtils.h"
#include "cxGeometry.h"
#include "dxSkinsForm.h"
#include "dxUxTheme.h"

CALDERAN_IMPLEMENT_CLASS(TdxSkinFormNonClientAreaInfo, TObject)

namespace {

int Metric(int index) { return GetSystemMetrics(index); }

std::string WindowText(HWND handle) {
  const int length = static_cast<int>(SendMessageA(handle, WM_GETTEXTLENGTH, 0, 0));
  if (length <= 0) return {};
  std::string text(static_cast<size_t>(length) + 1, '\0');
  const int read = static_cast<int>(SendMessageA(handle, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data())));
  text.resize(static_cast<size_t>(std::clamp(read, 0, length)));
  return text;
}

// The maximized active child of the window's MDI client area, or null.
HWND MaximizedMDIChild(HWND frame) {
  HWND client = FindWindowExA(frame, nullptr, "MDICLIENT", nullptr);
  if (!client) return nullptr;
  BOOL maximized = FALSE;
  HWND child = reinterpret_cast<HWND>(SendMessageA(client, WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(&maximized)));
  return child && maximized ? child : nullptr;
}

bool LeftButtonDown() { return (GetAsyncKeyState(VK_LBUTTON) & 0x8000) != 0; }

}  // namespace

TdxSkinFormNonClientAreaInfo::TdxSkinFormNonClientAreaInfo(TdxSkinFormController* controller)
    : controller_(controller), captionFont_(std::make_unique<TFont>()) {}

TdxSkinFormNonClientAreaInfo::~TdxSkinFormNonClientAreaInfo() = default;

HWND TdxSkinFormNonClientAreaInfo::Handle() const { return controller_->Handle(); }

void TdxSkinFormNonClientAreaInfo::ReadCaption() { caption_ = Handle() ? WindowText(Handle()) : std::string(); }

void TdxSkinFormNonClientAreaInfo::Calculate() {
  const HWND handle = Handle();
  if (!handle) return;
  hasMenuBar_ = IsMenu(GetMenu(handle)) && !TdxSkinWinController::IsMDIChild(handle);
  isMDIClient_ = TdxSkinWinController::IsMDIClient(handle);
  painter_ = controller_->GetPainter();
  TObject* data = nullptr;
  skinInfo_ = painter_ && ExtendedStylePainters() && ExtendedStylePainters()->FindDataByPainter(painter_, data)
                  ? ObjectAs<TdxSkinInfo>(data)
                  : nullptr;
  windowInfo_ = {};
  windowInfo_.cbSize = sizeof(WINDOWINFO);
  GetWindowInfo(handle, &windowInfo_);
  borderSize_ = IsClassicFrame() ? TSize(Metric(SM_CXFRAME), Metric(SM_CYFRAME)) : TSize(4, 4);
  const RECT& w = windowInfo_.rcWindow;
  const RECT& c = windowInfo_.rcClient;
  windowBounds_ = TRect(0, 0, w.right - w.left, w.bottom - w.top);
  clientBounds_ = TRect(c.left - w.left, c.top - w.top, c.right - w.left, c.bottom - w.top);
  buttons_ = GetButtons();
  icon_ = GetIcon();
  CalculateCaptionFont();
  CalculateFrameWidths();
  menuBarRect_ = TRect(clientBounds_.Left, frameWidths_.Top, clientBounds_.Right, clientBounds_.Top);
  CalculateFrameRects();
  CalculateCaptionButtons();
  CalculateScrollBars();
}

bool TdxSkinFormNonClientAreaInfo::IsClassicFrame() {
  if (!themeRead_) {
    themeActive_ = UxIsThemeActive() != 0;
    themeRead_ = true;
  }
  return hasMenuBar_ || isMDIClient_ || !themeActive_;
}

bool TdxSkinFormNonClientAreaInfo::DrawsFrame() {
  return HasStyle(WS_BORDER) && !IsClassicFrame() && !(IsMaximized() && TdxSkinWinController::IsMDIChild(Handle()));
}

TdxCaptionButtons TdxSkinFormNonClientAreaInfo::GetButtons() {
  TdxCaptionButtons buttons;
  if (HasStyle(WS_SYSMENU)) {
    buttons.Include(cbClose);
    if (!IsToolWindow() && !(windowInfo_.dwExStyle & WS_EX_DLGMODALFRAME)) buttons.Include(cbIcon);
  }
  if (HasStyle(WS_MINIMIZEBOX)) buttons.Include(IsMinimized() ? cbRestore : cbMinimize);
  if (HasStyle(WS_MAXIMIZEBOX)) buttons.Include(IsMaximized() ? cbRestore : cbMaximize);
  if (windowInfo_.dwExStyle & WS_EX_CONTEXTHELP) buttons.Include(cbHelp);
  return buttons;
}

HICON TdxSkinFormNonClientAreaInfo::GetIcon() {
  const WPARAM type = IsWinXPOrLater() ? ICON_SMALL2 : IsToolWindow() ? ICON_SMALL : ICON_BIG;
  return reinterpret_cast<HICON>(DefWindowProcA(Handle(), WM_GETICON, type, 0));
}

void TdxSkinFormNonClientAreaInfo::CalculateCaptionFont() {
  NONCLIENTMETRICSA metrics{};
  metrics.cbSize = sizeof(metrics);
  SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
  captionFont_->SetHandle(CreateFontIndirectA(IsToolWindow() ? &metrics.lfSmCaptionFont : &metrics.lfCaptionFont));
  if (skinInfo_ && !IsToolWindow()) captionFont_->SetSize(captionFont_->Size() + skinInfo_->CaptionFontDelta - 1);
  shadowColor_ = clBtnShadow;
  textColors_[1] = clCaptionText;
  textColors_[0] = clInactiveCaptionText;
  if (!skinInfo_) return;
  textColors_[1] = skinInfo_->ElementTextColor(seFormCaption);
  if (skinInfo_->Property(spFormTextColorInactive)) textColors_[0] = skinInfo_->ColorValue(spFormTextColorInactive);
  if (skinInfo_->Property(spFormTextShadowColor)) shadowColor_ = skinInfo_->ColorValue(spFormTextShadowColor);
}

int TdxSkinFormNonClientAreaInfo::CaptionHeight() {
  if (IsClassicFrame() || IsToolWindow()) return Metric(IsToolWindow() ? SM_CYSMCAPTION : SM_CYCAPTION);
  return 2 * Metric(SM_CYEDGE) + borderSize_.cy +
         std::max(Metric(SM_CYSMICON), SharedScreenCanvas()->FontHeight(captionFont_.get()));
}

void TdxSkinFormNonClientAreaInfo::CalculateFrameWidths() {
  frameWidths_ = TRect();
  const bool classic = IsClassicFrame();
  if (!classic && HasStyle(WS_BORDER)) {
    if (skinInfo_) frameWidths_ = skinInfo_->FormFrameWidths[Row()];
    if (IsToolWindow()) frameWidths_.Top += borderSize_.cy;
  }
  if (HasStyle(WS_CAPTION)) frameWidths_.Top += CaptionHeight();
  if (classic && HasStyle(WS_BORDER)) {
    frameWidths_.Left += windowInfo_.cxWindowBorders;
    frameWidths_.Right += windowInfo_.cxWindowBorders;
    frameWidths_.Top += windowInfo_.cyWindowBorders;
    frameWidths_.Bottom += windowInfo_.cyWindowBorders;
  }
}

void TdxSkinFormNonClientAreaInfo::CalculateFrameRects() {
  const TRect& b = windowBounds_;
  frameRects_[0] = TRect(b.Left, b.Top, b.Left + frameWidths_.Left, b.Bottom);
  frameRects_[1] = TRect(b.Left, b.Top, b.Right, b.Top + frameWidths_.Top);
  frameRects_[2] = TRect(b.Right - frameWidths_.Right, b.Top, b.Right, b.Bottom);
  frameRects_[3] = TRect(b.Left, b.Bottom - frameWidths_.Bottom, b.Right, b.Bottom);
  // The part of a maximized window beyond the screen edge carries no caption.
  if (IsMaximized() && IsSizeable() && !IsClassicFrame()) frameRects_[1].Offset(0, Metric(SM_CYFRAME) - borderSize_.cy);
}

void TdxSkinFormNonClientAreaInfo::CalculateCaptionButtons() {
  std::fill(std::begin(buttonRects_), std::end(buttonRects_), TRect());
  const bool classic = IsClassicFrame();
  const int iconSize = IsToolWindow() ? Metric(SM_CYSMCAPTION) - 2 * Metric(SM_CYEDGE) : Metric(SM_CYSMICON);
  const TRect& caption = frameRects_[1];
  textRect_ = caption;
  textRect_.Top += IsToolWindow() ? 2 : 1;
  if (IsSizeable() && IsMaximized() && !classic) textRect_.Inflate(-Metric(SM_CXFRAME), -Metric(SM_CYEDGE));
  else textRect_.Inflate(-borderSize_.cx, -Metric(SM_CYEDGE));
  if (IsSizeable()) {
    if (IsMaximized()) textRect_.Top += borderSize_.cy;
    else if (classic) textRect_.Top += Metric(SM_CYFRAME) - 4;
  }
  if (buttons_.Contains(cbIcon)) {
    const int top = (textRect_.Top + textRect_.Bottom - iconSize) / 2;
    buttonRects_[cbIcon] = TRect(textRect_.Left, top, textRect_.Left + iconSize, top + iconSize);
    textRect_.Left = buttonRects_[cbIcon].Right + 5;
  } else {
    textRect_.Left = 7;
  }
  const TRect offset = skinInfo_ && skinInfo_->FormFrames[Row()][1]
                           ? skinInfo_->FormFrames[Row()][1]->ContentOffset()->GetRect()
                           : TRect();
  TRect square(0, caption.Top + (classic && IsSizeable() ? Metric(SM_CYFRAME) : offset.Top), textRect_.Right,
               caption.Bottom - offset.Bottom);
  square.Left = square.Right - square.Height();
  TdxCaptionButtons layout = buttons_;
  const bool both = buttons_.Contains(cbMaximize) && buttons_.Contains(cbRestore);
  if (both) {
    layout.Exclude(cbRestore);
    layout.Include(cbMinimize);
  }
  for (TdxCaptionButtonKind kind : {cbClose, cbRestore, cbMaximize, cbMinimize, cbHelp}) {
    if (!layout.Contains(kind)) continue;
    buttonRects_[kind] = square;
    square.Offset(-(square.Width() + 2), 0);
    textRect_.Right = buttonRects_[kind].Left - 5;
  }
  if (both) buttonRects_[cbRestore] = buttonRects_[cbMinimize];
  UpdateButtonStates();
}

// ---------------------------------------------------------------------------------------------
// Caption buttons: states, hit test, presses
TPoint TdxSkinFormNonClientAreaInfo::CursorInWindow() const {
  POINT cursor;
  GetCursorPos(&cursor);
  return TPoint(cursor.x - windowInfo_.rcWindow.left, cursor.y - windowInfo_.rcWindow.top);
}

int TdxSkinFormNonClientAreaInfo::HitTest(TPoint screenPoint, int defaultCode) {
  int result = defaultCode;
  const TPoint p(screenPoint.X - windowInfo_.rcWindow.left, screenPoint.Y - windowInfo_.rcWindow.top);
  const TRect& b = windowBounds_;
  if (IsSizeable() && !IsMaximized()) {
    const TSize zone = IsClassicFrame() ? borderSize_ : TSize(2, 2);
    const int w = zone.cx, h = zone.cy, top = frameWidths_.Top;
    const std::pair<TRect, int> zones[] = {
        {TRect(0, 0, w, top), HTTOPLEFT},         {TRect(b.Right - w, 0, b.Right, top), HTTOPRIGHT},
        {TRect(0, b.Bottom - h, w, b.Bottom), HTBOTTOMLEFT},
        {TRect(b.Right - w, b.Bottom - h, b.Right, b.Bottom), HTBOTTOMRIGHT},
        {TRect(0, top, w, b.Bottom), HTLEFT},     {TRect(0, 0, b.Right, h), HTTOP},
        {TRect(b.Right - w, top, b.Right, b.Bottom), HTRIGHT}, {TRect(0, b.Bottom - h, b.Right, b.Bottom), HTBOTTOM}};
    for (const auto& [rect, code] : zones)
      if (result == HTNOWHERE && rect.Contains(p)) result = code;
  }
  if (result != HTNOWHERE || !frameRects_[1].Contains(p)) return result;
  result = HTCAPTION;
  const int restoreCode = IsMinimized() ? HTMINBUTTON : HTMAXBUTTON;
  const int codes[6] = {HTSYSMENU, HTHELP, HTMINBUTTON, HTMAXBUTTON, restoreCode, HTCLOSE};
  for (int kind = 0; kind < 6; ++kind)
    if (buttonRects_[kind].Contains(p)) result = codes[kind];
  return result;
}

TdxCaptionButtonKind TdxSkinFormNonClientAreaInfo::ButtonAtCursor() {
  POINT cursor;
  GetCursorPos(&cursor);
  switch (HitTest(TPoint(cursor.x, cursor.y), HTNOWHERE)) {
    case HTMINBUTTON: return IsMinimized() ? cbRestore : cbMinimize;
    case HTMAXBUTTON: return IsMaximized() ? cbRestore : cbMaximize;
    case HTCLOSE: return cbClose;
    case HTHELP: return cbHelp;
    default: return cbIcon;
  }
}

bool TdxSkinFormNonClientAreaInfo::UpdateButtonStates() {
  TdxSkinElementState previous[6];
  std::copy(std::begin(buttonStates_), std::end(buttonStates_), previous);
  std::fill(std::begin(buttonStates_), std::end(buttonStates_), esNormal);
  const TdxCaptionButtonKind under = ButtonAtCursor();
  hotButton_ = pressedButton_;
  for (int kind = 0; kind < 6; ++kind) {
    TdxSkinElementState& state = buttonStates_[kind];
    if (!active_) state = esActiveDisabled;
    else if ((kind == cbMinimize && !HasStyle(WS_MINIMIZEBOX)) || (kind == cbMaximize && !HasStyle(WS_MAXIMIZEBOX)))
      state = esDisabled;
    if (kind != under || state == esDisabled) continue;
    if (LeftButtonDown() && pressedButton_ == kind) {
      state = esPressed;
    } else if (pressedButton_ == cbIcon) {
      state = esHot;
      hotButton_ = TdxCaptionButtonKind(kind);
    }
  }
  return !std::equal(std::begin(buttonStates_), std::end(buttonStates_), previous);
}

TdxCaptionButtonKind TdxSkinFormNonClientAreaInfo::TakePressedButton(bool release) {
  const TdxCaptionButtonKind pressed = pressedButton_;
  const TdxCaptionButtonKind under = ButtonAtCursor();
  if (!release) {
    pressedButton_ = under;
    return pressed;
  }
  pressedButton_ = cbIcon;
  return pressed == under ? pressed : cbIcon;
}

void TdxSkinFormNonClientAreaInfo::SetActive(bool value) {
  if (value == active_) return;
  active_ = value;
  UpdateButtonStates();
}

void TdxSkinFormNonClientAreaInfo::SetCaption(const std::string& text) {
  caption_ = text;
  UpdateChildCaption();
}

bool TdxSkinFormNonClientAreaInfo::UpdateChildCaption() {
  std::string caption;
  if (ObjectAs<TCustomForm>(controller_->Control()))
    if (HWND child = MaximizedMDIChild(Handle())) caption = WindowText(child);
  if (caption == childCaption_) return false;
  childCaption_ = caption;
  return true;
}

std::string TdxSkinFormNonClientAreaInfo::CaptionText() const {
  return childCaption_.empty() ? caption_ : Format("%s - [%s]", {caption_, childCaption_});
}

// ---------------------------------------------------------------------------------------------
// What the skin paints, and the scroll bars
HRGN TdxSkinFormNonClientAreaInfo::GetNonClientRegion() {
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  auto add = [&](const TRect& r) {
    if (r.IsEmpty()) return;
    HRGN part = CreateRectRgn(r.Left, r.Top, r.Right, r.Bottom);
    CombineRgn(region, region, part, RGN_OR);
    DeleteObject(part);
  };
  for (const TRect& part : frameRects_) add(part);
  if (hasMenuBar_) add(TRect(menuBarRect_.Left, menuBarRect_.Bottom - 1, menuBarRect_.Right, menuBarRect_.Bottom));
  for (int bar = 0; bar < 3; ++bar)
    if (scrollBars_.Contains(TdxScrollBarKindSet(bar))) add(scrollBarRects_[bar]);
  OffsetRgn(region, windowInfo_.rcWindow.left, windowInfo_.rcWindow.top);
  return region;
}

void TdxSkinFormNonClientAreaInfo::CalculateScrollBars() {
  scrollBars_ = {};
  const LONG objects[2] = {OBJID_HSCROLL, OBJID_VSCROLL};
  for (int bar = 0; bar < 2; ++bar) {
    scrollBarInfo_[bar] = {};
    scrollBarInfo_[bar].cbSize = sizeof(SCROLLBARINFO);
    GetScrollBarInfo(Handle(), objects[bar], &scrollBarInfo_[bar]);
  }
  const TRect& c = clientBounds_;
  if (HasStyle(WS_HSCROLL)) {
    scrollBars_.Include(sbkHorizontal);
    scrollBarRects_[0] = TRect(c.Left, c.Bottom, c.Right, c.Bottom + Metric(SM_CYHSCROLL));
  }
  if (HasStyle(WS_VSCROLL)) {
    scrollBars_.Include(sbkVertical);
    scrollBarRects_[1] = TRect(c.Right, c.Top, c.Right + Metric(SM_CXVSCROLL), c.Bottom);
  }
  if (HasStyle(WS_HSCROLL | WS_VSCROLL)) {
    scrollBars_.Include(sbkSizeBox);
    scrollBarRects_[2] = TRect(c.Right, c.Bottom, scrollBarRects_[1].Right, scrollBarRects_[0].Bottom);
  }
  for (int bar = 0; bar < 2; ++bar)
    if (scrollBars_.Contains(TdxScrollBarKindSet(bar))) CalculateScrollBarParts(bar);
}

void TdxSkinFormNonClientAreaInfo::CalculateScrollBarParts(int bar) {
  const TRect& r = scrollBarRects_[bar];
  const bool horizontal = bar == 0;
  const int start = horizontal ? r.Left : r.Top, end = horizontal ? r.Right : r.Bottom;
  const SCROLLBARINFO& info = scrollBarInfo_[bar];
  const int arrow = info.dxyLineButton, thumbTop = info.xyThumbTop, thumbBottom = info.xyThumbBottom;
  const std::pair<int, int> spans[6] = {{0, 0},
                                        {start, start + arrow},
                                        {end - arrow, end},
                                        {start + thumbTop, start + thumbBottom},
                                        {start + arrow, start + thumbTop},
                                        {start + thumbBottom, end - arrow}};
  const TPoint cursor = CursorInWindow();
  for (int part = 1; part <= 5; ++part) {
    const auto [from, to] = spans[part];
    partRects_[bar][part] = horizontal ? TRect(from, r.Top, to, r.Bottom) : TRect(r.Left, from, r.Right, to);
    partStates_[bar][part] = ScrollPartStateFor(bar, part, cursor);
  }
}

TcxButtonState TdxSkinFormNonClientAreaInfo::ScrollPartStateFor(int bar, int part, TPoint cursor) {
  // The system's states are in the order whole bar, first arrow, page before, thumb, page after,
  // second arrow.
  static constexpr int systemIndex[6] = {0, 1, 5, 3, 2, 4};
  const DWORD state = scrollBarInfo_[bar].rgstate[systemIndex[part]];
  if (state & STATE_SYSTEM_INVISIBLE) return cxbsDefault;
  const bool inPart = partRects_[bar][part].Contains(cursor);
  if ((part == 3 && trackedBar_ == bar) || (state & STATE_SYSTEM_PRESSED)) return cxbsPressed;
  if (state & STATE_SYSTEM_UNAVAILABLE) return cxbsDisabled;
  if ((state & STATE_SYSTEM_HOTTRACKED) || inPart) return inPart && LeftButtonDown() ? cxbsPressed : cxbsHot;
  return cxbsNormal;
}

bool TdxSkinFormNonClientAreaInfo::ScrollPartAtCursor(int& bar, int& part) {
  const TPoint cursor = CursorInWindow();
  for (bar = 0; bar < 2; ++bar) {
    if (!scrollBars_.Contains(TdxScrollBarKindSet(bar)) || !scrollBarRects_[bar].Contains(cursor)) continue;
    for (part = 1; part <= 5; ++part)
      if (partStates_[bar][part] != cxbsDefault && partRects_[bar][part].Contains(cursor)) return true;
  }
  return false;
}
