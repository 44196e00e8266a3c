// Standard push buttons, panels and frames on a skinned form, painted with the form's skin.
#include "ExtCtrls.h"
#include "cxGeometry.h"
#include "cxGraphicsRoutines.h"
#include "dxSkinsForm.h"

CALDERAN_IMPLEMENT_CLASS(TdxSkinCustomControlViewInfo, TObject)
CALDERAN_IMPLEMENT_CLASS(TdxSkinButtonViewInfo, TdxSkinCustomControlViewInfo)
CALDERAN_IMPLEMENT_CLASS(TdxSkinCustomControlPainter, TObject)
CALDERAN_IMPLEMENT_CLASS_WITH_OPERATIONS(TdxSkinCustomController, TdxSkinWinController)
CALDERAN_IMPLEMENT_CLASS_WITH_OPERATIONS(TdxSkinButtonController, TdxSkinCustomController)
CALDERAN_IMPLEMENT_CLASS_WITH_OPERATIONS(TdxSkinPanelController, TdxSkinCustomController)
CALDERAN_IMPLEMENT_CLASS_WITH_OPERATIONS(TdxSkinFrameController, TdxSkinCustomController)
CALDERAN_IMPLEMENT_CLASS_WITH_OPERATIONS(TdxSkinEditController, TdxSkinCustomController)

namespace {

constexpr UINT CM_MOUSELEAVE_NOTIFICATION = 0xB014;

// Ends a control painter's paint also when the painting failed.
struct TEndPaint {
  TdxSkinCustomControlPainter* Painter;
  ~TEndPaint() { Painter->EndPaint(); }
};

}  // namespace

// ---------------------------------------------------------------------------------------------
// View infos
TRect TdxSkinCustomControlViewInfo::GetBounds() const {
  RECT r;
  GetWindowRect(controller_->Handle(), &r);
  return TRect(0, 0, r.right - r.left, r.bottom - r.top);
}
bool TdxSkinCustomControlViewInfo::IsEnabled() const { return IsWindowEnabled(controller_->Handle()) != FALSE; }
bool TdxSkinCustomControlViewInfo::IsFocused() const { return GetFocus() == controller_->Handle(); }
bool TdxSkinCustomControlViewInfo::IsMouseOver() const {
  POINT cursor;
  GetCursorPos(&cursor);
  return WindowFromPoint(cursor) == controller_->Handle();
}

TdxSkinButtonViewInfo::TdxSkinButtonViewInfo(TdxSkinCustomController* controller)
    : TdxSkinCustomControlViewInfo(controller) {
  char text[1024] = {};
  GetWindowTextA(controller->Handle(), text, sizeof(text));
  caption_ = text;
  ResetState();
}

void TdxSkinButtonViewInfo::ApplyState(TcxButtonState state) {
  if (!IsEnabled()) state = cxbsDisabled;
  if (state == state_) return;
  state_ = state;
  pushed_ = state == cxbsPressed;
  Controller()->Redraw(true);
}

void TdxSkinButtonViewInfo::ResetState() { ApplyState(IsEnabled() ? cxbsNormal : cxbsDisabled); }
void TdxSkinButtonViewInfo::SetPushed(bool pushed) { ApplyState(pushed ? cxbsPressed : cxbsNormal); }
void TdxSkinButtonViewInfo::SetMouseOver(bool over) {
  ApplyState(!over ? cxbsNormal : pushed_ ? cxbsPressed : cxbsHot);
}

// ---------------------------------------------------------------------------------------------
// TdxSkinCustomControlPainter
TdxSkinCustomControlPainter::TdxSkinCustomControlPainter(TdxSkinCustomControlViewInfo* viewInfo)
    : canvas_(std::make_unique<TCanvas>()), cxCanvas_(std::make_unique<TcxCanvas>(canvas_.get())), viewInfo_(viewInfo) {}

TdxSkinCustomControlPainter::~TdxSkinCustomControlPainter() { EndPaint(); }

void TdxSkinCustomControlPainter::BeginPaint(HDC dc) {
  ownDC_ = dc == nullptr;
  HWND window = viewInfo_->Controller()->Handle();
  dc_ = ownDC_ ? GetDCEx(window, nullptr, DCX_WINDOW | DCX_CACHE | DCX_CLIPSIBLINGS | 0x00200000 /* DCX_VALIDATE */) : dc;
  canvas_->SetHandle(dc_);
}

void TdxSkinCustomControlPainter::EndPaint() {
  canvas_->SetHandle(nullptr);
  if (ownDC_ && dc_) ReleaseDC(viewInfo_->Controller()->Handle(), dc_);
  dc_ = nullptr;
  ownDC_ = false;
}

TdxSkinPainterClass TdxSkinCustomControlPainter::Painter() const { return viewInfo_->Controller()->GetPainter(); }

void TdxSkinCustomControlPainter::PaintParent() {
  if (TControl* control = viewInfo_->Controller()->Control())
    PaintParentImage(control, cxCanvas_.get(), viewInfo_->GetBounds(), true);
}

void TdxSkinCustomControlPainter::PaintButtonFace(const std::string& caption, const TRect& rect, TcxButtonState state) {
  Painter()->PaintButton(cxCanvas_.get(), rect, "", state, false, clDefault, clDefault, false);
  if (caption.empty()) return;
  TdxSkinCanvasStateSaver saver(cxCanvas_.get());
  cxCanvas_->GetBrush()->SetStyle(TBrushStyle::bsClear);
  const bool multiLine = GetWindowLongA(viewInfo_->Controller()->Handle(), GWL_STYLE) & BS_MULTILINE;
  const Cardinal flags = cxAlignHCenter | cxAlignVCenter | cxShowPrefix | (multiLine ? cxWordBreak : cxSingleLine);
  if (state == cxbsDisabled) {
    cxCanvas_->GetFont()->SetColor(clBtnHighlight);
    cxCanvas_->DrawText(caption, RectOffset(rect, 1, 1), flags);
  }
  cxCanvas_->GetFont()->SetColor(Painter()->ButtonGlyphColor(state, clDefault));
  cxCanvas_->DrawText(caption, rect, flags);
}

void TdxSkinCustomControlPainter::PaintFocusRect(const TRect& rect) {
  RECT r = *rect.Win();
  DrawFocusRect(cxCanvas_->GetHandle(), &r);
}

// ---------------------------------------------------------------------------------------------
// TdxSkinCustomController
TdxSkinWinController* TdxSkinCustomControllerClass::Create(HWND handle) const {
  return TdxSkinCustomController::Make(new TdxSkinCustomController, handle);
}

TdxSkinCustomControlViewInfo* TdxSkinCustomControllerClass::CreateViewInfo(TdxSkinCustomController* controller) const {
  return new TdxSkinCustomControlViewInfo(controller);
}

TdxSkinCustomController::~TdxSkinCustomController() {
  EndMouseTracking(this);
  SetHandle(nullptr);
}

TdxSkinCustomController* TdxSkinCustomController::Make(TdxSkinCustomController* controller, HWND handle) {
  controller->SetHandle(handle);
  controller->viewInfo_.reset(controller->ClassOperations()->CreateViewInfo(controller));
  controller->controlPainter_ = std::make_unique<TdxSkinCustomControlPainter>(controller->viewInfo_.get());
  return controller;
}

// Asked once, when attached: a control on a form without a controller never gets a skin.
TdxSkinWinController* TdxSkinCustomController::GetOwner(HWND) {
  TCustomForm* form = Control() ? GetParentForm(Control()) : nullptr;
  if (!form || !form->HandleAllocated() || !CanSkinControl()) return nullptr;
  return FindControllerByHandle(form->WindowHandle());
}

void TdxSkinCustomController::WndProc(TMessage& m) {
  bool handled = false;
  if (IsSkinActive() && viewInfo_) {
    if (m.Msg == WM_PAINT) handled = WMPaint(m);
    else if (m.Msg == WM_ERASEBKGND) handled = WMEraseBkgnd(m);
    else handled = AnswerWindowlessColorQuery(m);
  }
  if (!handled) CallDefault(m);
}

bool TdxSkinCustomController::WMEraseBkgnd(TMessage& m) {
  m.Result = 1;
  return true;
}

bool TdxSkinCustomController::WMPaint(TMessage& m) {
  if (m.WParam) {
    Paint(reinterpret_cast<HDC>(m.WParam));
    return true;
  }
  PAINTSTRUCT ps;
  HDC dc = ::BeginPaint(Handle(), &ps);
  struct TEnd {
    HWND window;
    PAINTSTRUCT* ps;
    ~TEnd() { ::EndPaint(window, ps); }
  } end{Handle(), &ps};
  Paint(dc);
  return true;
}

// WM_PRINTCLIENT paints the skinned control into the given device context, unless it is hidden
// and the sender asked to check that.
void TdxSkinCustomController::WndProcWithPrintClient(TMessage& m) {
  if (m.Msg == WM_PRINTCLIENT && IsSkinActive() && m.Result != 1 &&
      !((m.LParam & PRF_CHECKVISIBLE) && !IsWindowVisible(Handle())))
    WMPaint(m);
  else
    TdxSkinCustomController::WndProc(m);
}

// ---------------------------------------------------------------------------------------------
// Buttons
TdxSkinWinController* TdxSkinButtonControllerClass::Create(HWND handle) const {
  return TdxSkinButtonController::Make(new TdxSkinButtonController, handle);
}

TdxSkinCustomControlViewInfo* TdxSkinButtonControllerClass::CreateViewInfo(TdxSkinCustomController* controller) const {
  return new TdxSkinButtonViewInfo(controller);
}

void TdxSkinButtonController::WndProc(TMessage& m) {
  TdxSkinButtonViewInfo* info = ButtonViewInfo();
  if (m.Msg == WM_SETTEXT && info) info->SetCaption(m.LParam ? reinterpret_cast<const char*>(m.LParam) : "");
  TdxSkinCustomController::WndProc(m);
  if (!IsSkinActive() || !info) return;
  switch (m.Msg) {
    case WM_ENABLE: info->ResetState(); break;
    case BM_SETSTATE: info->SetPushed(m.WParam != 0); break;
    case WM_UPDATEUISTATE:
      if (m.WParamLo() == UIS_SET || m.WParamLo() == UIS_CLEAR) Paint(nullptr);
      break;
    case WM_MOUSEMOVE:
    case WM_MOUSEHOVER:
      if (info->IsMouseOver()) info->SetMouseOver(true);
      break;
    case WM_MOUSELEAVE:
    case CM_MOUSELEAVE_NOTIFICATION: info->SetMouseOver(false); break;
  }
}

void TdxSkinButtonController::MouseLeave() {
  if (ButtonViewInfo()) ButtonViewInfo()->SetMouseOver(false);
}

void TdxSkinButtonController::Paint(HDC dc) {
  TdxSkinCustomControlPainter* painter = ControlPainter();
  painter->BeginPaint(dc);
  TEndPaint end{painter};
  const TRect r = ViewInfo()->GetBounds();
  painter->PaintParent();
  painter->PaintButtonFace(ButtonViewInfo()->Caption(), r, ButtonViewInfo()->State());
  if (ViewInfo()->IsFocused()) painter->PaintFocusRect(RectInflate(r, -4, -4));
}

// ---------------------------------------------------------------------------------------------
// Panels
TdxSkinWinController* TdxSkinPanelControllerClass::Create(HWND handle) const {
  return TdxSkinPanelController::Make(new TdxSkinPanelController, handle);
}

void TdxSkinPanelController::WndProc(TMessage& m) { WndProcWithPrintClient(m); }
void TdxSkinFrameController::WndProc(TMessage& m) { WndProcWithPrintClient(m); }

bool TdxSkinPanelController::WMPaint(TMessage& m) {
  if (painting_) return false;
  painting_ = true;
  struct TDone {
    bool& flag;
    ~TDone() { flag = false; }
  } done{painting_};
  return TdxSkinCustomController::WMPaint(m);
}

// The erase device context takes the whole panel at once.
bool TdxSkinPanelController::WMEraseBkgnd(TMessage& m) {
  if (WMPaint(m)) return true;
  return TdxSkinCustomController::WMEraseBkgnd(m);
}

namespace {
// A panel caption whose font colour is left at its default takes the skin's text colour, that of
// the form's content: the default window text is black, unreadable on a dark skin's panel.
TColor PanelCaptionColor(TdxSkinPainterClass painter, TFont* font) {
  const TColor text = font->Color() == clWindowText ? SkinContentTextColor(painter) : clDefault;
  return text != clDefault ? text : font->Color();
}
}  // namespace

void TdxSkinPanelController::Paint(HDC dc) {
  auto* panel = ObjectAs<TCustomPanel>(Control());
  if (!panel) return;
  TdxSkinCustomControlPainter* painter = ControlPainter();
  painter->BeginPaint(dc);
  TEndPaint end{painter};
  TcxCanvas* canvas = painter->Canvas();
  const TRect r = ViewInfo()->GetBounds();
  const bool parentBackground = panel->ParentBackground();
  const TColor color = parentBackground || panel->Color() == clBtnFace ? clDefault : panel->Color();
  painter->Painter()->PaintGroupBoxInterior(canvas, panel, r, color, clDefault);
  if (!parentBackground && color == clDefault) painter->Painter()->PaintGroupPanelBackground(canvas, r, false);
  if (panel->BevelInner() != bvNone || panel->BevelOuter() != bvNone) painter->Painter()->PaintGroupPanelFrame(canvas, r);
  {
    TdxSkinCanvasStateSaver saver(canvas);
    canvas->GetBrush()->SetStyle(TBrushStyle::bsClear);
    canvas->SetFont(panel->Font());
    canvas->GetFont()->SetColor(PanelCaptionColor(painter->Painter(), panel->Font()));
    static constexpr UINT alignments[3] = {DT_LEFT, DT_RIGHT, DT_CENTER};
    RECT textRect = *r.Win();
    const std::string text = panel->Caption();
    ::DrawTextA(canvas->GetHandle(), text.c_str(), static_cast<int>(text.size()), &textRect,
                alignments[panel->Alignment()] | DT_VCENTER | DT_SINGLELINE | DT_EXPANDTABS);
  }
  panel->PaintControls(canvas->GetHandle(), nullptr);
}

// ---------------------------------------------------------------------------------------------
// Frames
TdxSkinWinController* TdxSkinFrameControllerClass::Create(HWND handle) const {
  return TdxSkinFrameController::Make(new TdxSkinFrameController, handle);
}

void TdxSkinFrameController::Paint(HDC dc) {
  TdxSkinCustomControlPainter* painter = ControlPainter();
  painter->BeginPaint(dc);
  TEndPaint end{painter};
  auto* frame = ObjectAs<TCustomFrame>(Control());
  if (!frame) return;
  if (frame->ParentBackground()) {
    PaintParentImage(frame, painter->Canvas(), ViewInfo()->GetBounds(), false);
  } else if (auto* form = ObjectAs<TdxSkinFormController>(Owner())) {
    form->PaintClientBackground(painter->Canvas()->GetHandle());
  }
  frame->PaintControls(painter->Canvas()->GetHandle(), nullptr);
}

// ---------------------------------------------------------------------------------------------
// Edits and combo boxes
TdxSkinWinController* TdxSkinEditControllerClass::Create(HWND handle) const {
  return TdxSkinEditController::Make(new TdxSkinEditController, handle);
}

TdxSkinEditController::~TdxSkinEditController() {
  if (brush_) DeleteObject(brush_);
}

// The platform paints these controls itself: the controller only answers their colour questions.
void TdxSkinEditController::WndProc(TMessage& m) {
  if (!IsSkinActive() || !AnswerColorQuery(m)) CallDefault(m);
}

// The field and the list ask as an edit or a list box, a disabled or read-only edit as a static
// control; a font colour of the form's own stays.
bool TdxSkinEditController::AnswerColorQuery(TMessage& m) {
  if (m.Msg != CN_CTLCOLOREDIT && m.Msg != CN_CTLCOLORLISTBOX && m.Msg != CN_CTLCOLORSTATIC) return false;
  TControl* control = Control();
  if (!control || control->Color() != clWindow) return false;
  const bool disabled = !IsWindowEnabled(Handle());
  const TColor back = GetPainter()->EditorBackgroundColor(disabled);
  if (back == clDefault) return false;
  const TColor skinText = GetPainter()->EditorTextColor(disabled);
  const TColor fontColor = control->Font()->Color();
  const TColor text = skinText != clDefault && fontColor == clWindowText ? skinText : fontColor;
  HDC dc = reinterpret_cast<HDC>(m.WParam);
  SetTextColor(dc, ColorToRGB(text));
  SetBkColor(dc, ColorToRGB(back));
  m.Result = reinterpret_cast<LRESULT>(BrushOf(back));
  return true;
}

HBRUSH TdxSkinEditController::BrushOf(TColor color) {
  if (brush_ && brushColor_ == color) return brush_;
  if (brush_) DeleteObject(brush_);
  brush_ = CreateSolidBrush(ColorToRGB(color));
  brushColor_ = color;
  return brush_;
}
