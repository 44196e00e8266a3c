// The framed edit: state colours, the non-client frame, Enter as Tab and validation errors.
#include "RzEdit.h"

#include <windows.h>

#include "Forms.h"
#include "RzFramedTypes.h"
#include "TypInfo.h"

CALDERAN_IMPLEMENT_CLASS(TRzCustomEdit, TCustomMaskEdit)
CALDERAN_IMPLEMENT_CREATABLE(TRzMaskEdit, TRzCustomEdit, TComponent*)

void PaintEditFrame(TCanvas* canvas, int width, int height, TFrameStyle style, TColor face, TColor frame,
                    TSides sides) {
  const TRect r{0, 0, width, height};
  PaintBevel(canvas, r, face, sdAllSides, 2, face);
  switch (style) {
    case fsFlat: PaintSides(canvas, r, frame, sides, frame); break;
    case fsFlatBold: PaintBevel(canvas, r, frame, sides, 2, frame); break;
    default:
      if (face == clWindow) PaintFrameStyleSides(canvas, r, style, sides);
      else PaintFaceFrameStyleSides(canvas, r, face, sides, style);
  }
}

TRzCustomEdit::TRzCustomEdit(TComponent* owner) : TCustomMaskEdit(owner) {
  TControlStyle style = ControlStyle();
  style.Exclude(csSetCaption);
  style.Include(csCaptureMouse);
  SetControlStyle(style);
}

TRzCustomEdit::~TRzCustomEdit() {
  if (frameController_) frameController_->RemoveControl(this);
}

void TRzCustomEdit::Dispatch(TMessage& message) {
  switch (message.Msg) {
    case WM_NCPAINT: WMNCPaint(message); break;
    case WM_SIZE: WMSize(message); break;
    case CM_ENTER: CMEnter(message); break;
    case CM_EXIT: CMExit(message); break;
    case CM_MOUSEENTER: CMMouseEnter(message); break;
    case CM_MOUSELEAVE: CMMouseLeave(message); break;
    case CM_ENABLEDCHANGED: CMEnabledChanged(message); break;
    case CM_COLORCHANGED: case CM_PARENTCOLORCHANGED: CMColorChanged(message); break;
    default: TCustomMaskEdit::Dispatch(message);
  }
}

void TRzCustomEdit::CreateParams(TCreateParams& params) {
  TCustomMaskEdit::CreateParams(params);
  params.Style |= WS_CLIPCHILDREN;
  params.Style &= ~ES_MULTILINE;
  if (alignment_ == taRightJustify) params.Style |= ES_RIGHT;
}

void TRzCustomEdit::Loaded() {
  TCustomMaskEdit::Loaded();
  UpdateColors();
  SetHotState(0, false);
}

bool TRzCustomEdit::UsesThemedFrame() { return framingPreference_ == fpXPThemes && FramedThemesEnabled(); }

// ---------------------------------------------------------------------------------------------
// Writers

void TRzCustomEdit::SetAlignment(TAlignment value) {
  alignment_ = value;
  if (HandleAllocated()) RecreateWnd();
}

void TRzCustomEdit::SetDisabledColor(TColor value) {
  disabledColor_ = value;
  if (!Enabled()) UpdateColors();
}

void TRzCustomEdit::SetFocusColor(TColor value) {
  focusColor_ = value;
  if (focusIn_) UpdateColors();
}

void TRzCustomEdit::SetReadOnlyColor(TColor value) {
  readOnlyColor_ = value;
  if (ReadOnly()) UpdateColors();
}

void TRzCustomEdit::SetReadOnlyColorOnFocus(bool value) {
  readOnlyColorOnFocus_ = value;
  UpdateColors();
}

void TRzCustomEdit::SetFrameHotTrack(bool value) {
  frameHotTrack_ = value;
  if (value) {
    SetFrameVisible(true);
    if (!ComponentState().Contains(csLoading)) frameSides_ = sdAllSides;
  }
  InvalidateFrame();
  Invalidate();
}

void TRzCustomEdit::SetFrameVisible(bool value) {
  frameVisible_ = value;
  if (value) SetCtl3D(true);
  if (HandleAllocated()) RecreateWnd();
}

void TRzCustomEdit::SetFramingPreference(TFramingPreference value) {
  framingPreference_ = value;
  if (value == fpCustomFraming) InvalidateFrame();
}

void TRzCustomEdit::SetReadOnly(bool value) {
  if (value == ReadOnly()) return;
  TCustomMaskEdit::SetReadOnly(value);
  ReadOnlyChanged();
}

void TRzCustomEdit::ReadOnlyChanged() {
  UpdateColors();
  if (HandleAllocated()) SendMessageA(Handle(), WM_NCPAINT, 1, 0);
}

void TRzCustomEdit::SetFrameController(TRzFrameController* value) {
  RelinkFrameController(this, frameController_, value);
}

void TRzCustomEdit::Notification(TComponent* component, TOperation operation) {
  TCustomMaskEdit::Notification(component, operation);
  if (operation == opRemove && component == frameController_) frameController_ = nullptr;
}

void TRzCustomEdit::DefineProperties(TFiler* filer) {
  TCustomMaskEdit::DefineProperties(filer);
  filer->DefineProperty("FrameFlat", MakeEvent(this, &TRzCustomEdit::ReadFrameFlat), {}, false);
  filer->DefineProperty("FrameFocusStyle", MakeEvent(this, &TRzCustomEdit::ReadFrameFocusStyle), {}, false);
  filer->DefineProperty("FrameFlatStyle", MakeEvent(OldPropReader(), &TRzOldPropReader::SkipIdentValue), {}, false);
}

// The old flat frame: hot tracking with a status frame that turns lowered.
void TRzCustomEdit::ReadFrameFlat(TReader* reader) {
  const bool flat = reader->ReadBoolean();
  SetFrameHotTrack(flat);
  if (!flat) return;
  SetFrameStyle(fsStatus);
  SetFrameHotStyle(fsLowered);
}

void TRzCustomEdit::ReadFrameFocusStyle(TReader* reader) {
  const std::string ident = reader->ReadIdent();
  for (int i = 0; i < FrameStyleInfo.Count; ++i)
    if (ident == FrameStyleInfo.Names[i]) SetFrameHotStyle(static_cast<TFrameStyle>(i));
}

// ---------------------------------------------------------------------------------------------
// Colours and hot state

TColor TRzCustomEdit::StateColor() {
  if (!Enabled()) return disabledColor_;
  if (focusIn_) return ReadOnly() && readOnlyColorOnFocus_ ? readOnlyColor_ : focusColor_;
  return ReadOnly() ? readOnlyColor_ : normalColor_;
}

void TRzCustomEdit::UpdateColors() {
  if (ComponentState().Contains(csLoading)) return;
  settingOwnColor_ = true;
  try {
    SetColor(StateColor());
  } catch (...) {
    settingOwnColor_ = false;
    throw;
  }
  settingOwnColor_ = false;
}

// A colour set from outside becomes the normal colour, and the focus colour follows it when the
// two were the same.
void TRzCustomEdit::CMColorChanged(TMessage& m) {
  TCustomMaskEdit::Dispatch(m);
  if (!settingOwnColor_ && (m.Msg == CM_COLORCHANGED || ParentColor())) {
    if (focusColor_ == normalColor_) focusColor_ = Color();
    normalColor_ = Color();
  }
  if (CustomFrameInUse()) InvalidateFrame();
}

void TRzCustomEdit::SetHotState(int which, bool value) {
  (which == 0 ? focusIn_ : mouseOver_) = value;
  if (frameHotTrack_) InvalidateFrame();
  UpdateColors();
}

void TRzCustomEdit::InvalidateFrame() {
  if (!HandleAllocated()) return;
  HDC dc = GetDC(Handle());
  RECT clip;
  const int kind = GetClipBox(dc, &clip);
  ReleaseDC(Handle(), dc);
  if (kind != ERROR && kind != NULLREGION) RedrawWindow(Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
}

void TRzCustomEdit::CMEnter(TMessage& m) {
  SetHotState(0, true);
  TCustomMaskEdit::Dispatch(m);
}

void TRzCustomEdit::CMExit(TMessage& m) {
  TCustomMaskEdit::Dispatch(m);
  SetHotState(0, false);
}

void TRzCustomEdit::CMMouseEnter(TMessage& m) {
  if (ComponentState().Contains(csDesigning)) return;
  TCustomMaskEdit::Dispatch(m);
  if (OnMouseEnter) OnMouseEnter(this);
  SetHotState(1, true);
}

void TRzCustomEdit::CMMouseLeave(TMessage& m) {
  TCustomMaskEdit::Dispatch(m);
  if (OnMouseLeave) OnMouseLeave(this);
  SetHotState(1, false);
}

void TRzCustomEdit::CMEnabledChanged(TMessage& m) {
  TCustomMaskEdit::Dispatch(m);
  UpdateColors();
  if (HandleAllocated()) SendMessageA(Handle(), WM_NCPAINT, 1, 0);
}

void TRzCustomEdit::WMSize(TMessage& m) {
  TCustomMaskEdit::Dispatch(m);
  if (CustomFrameInUse()) InvalidateFrame();
}

void TRzCustomEdit::WMNCPaint(TMessage& m) {
  TCustomMaskEdit::Dispatch(m);
  if (!CustomFrameInUse()) return;
  HDC dc = GetWindowDC(Handle());
  TCanvas canvas;
  canvas.SetHandle(dc);
  RECT window;
  GetWindowRect(Handle(), &window);
  const bool hot = frameHotTrack_ && (focusIn_ || mouseOver_);
  PaintEditFrame(&canvas, window.right - window.left, window.bottom - window.top, hot ? frameHotStyle_ : frameStyle_,
                 Color(), hot ? frameHotColor_ : frameColor_, frameSides_);
  canvas.SetHandle(nullptr);
  ReleaseDC(Handle(), dc);
  m.Result = 0;
}

// ---------------------------------------------------------------------------------------------
// Keys and validation

void TRzCustomEdit::KeyPress(char& key) {
  if (tabOnEnter_ && key == '\r') {
    key = 0;
    PostMessageA(Handle(), WM_KEYDOWN, VK_TAB, 0);
    return;
  }
  TCustomMaskEdit::KeyPress(key);
}

void TRzCustomEdit::ValidateError() {
  std::string message;
  if (OnValidateError) OnValidateError(this, message);
  if (message.empty()) return TCustomMaskEdit::ValidateError();
  MessageBeep(0);
  throw EDBEditError(message);
}

// ---------------------------------------------------------------------------------------------
namespace {
using E = TRzCustomEdit;
constinit const TPropInfo editProps[] = {
    Published<&E::Alignment, &E::SetAlignment>("Alignment", &LeftRightInfo).WithDefault(taLeftJustify),
    Published<&E::DisabledColor, &E::SetDisabledColor>("DisabledColor").WithDefault(clBtnFace),
    Published<&E::FocusColor, &E::SetFocusColor>("FocusColor").WithDefault(clWindow),
    Published<&E::FrameColor, &E::SetFrameColor>("FrameColor").WithDefault(clBtnShadow),
    Published<&E::FrameController, &E::SetFrameController>("FrameController"),
    Published<&E::FrameControllerNotifications, &E::SetFrameControllerNotifications>("FrameControllerNotifications",
                                                                                      &FrameControllerConnectionInfo),
    Published<&E::FrameHotColor, &E::SetFrameHotColor>("FrameHotColor").WithDefault(clBtnShadow),
    Published<&E::FrameHotTrack, &E::SetFrameHotTrack>("FrameHotTrack").WithDefault(false),
    Published<&E::FrameHotStyle, &E::SetFrameHotStyle>("FrameHotStyle", &FrameStyleInfo).WithDefault(fsFlatBold),
    Published<&E::FrameSides, &E::SetFrameSides>("FrameSides", &SideInfo).WithDefault(sdAllSides),
    Published<&E::FrameStyle, &E::SetFrameStyle>("FrameStyle", &FrameStyleInfo).WithDefault(fsFlat),
    Published<&E::FrameVisible, &E::SetFrameVisible>("FrameVisible").WithDefault(false),
    Published<&E::FramingPreference, &E::SetFramingPreference>("FramingPreference", &FramingPreferenceInfo)
        .WithDefault(fpXPThemes),
    Published<&E::ReadOnly, &E::SetReadOnly>("ReadOnly").WithDefault(false),
    Published<&E::ReadOnlyColor, &E::SetReadOnlyColor>("ReadOnlyColor").WithDefault(clInfoBk),
    Published<&E::ReadOnlyColorOnFocus, &E::SetReadOnlyColorOnFocus>("ReadOnlyColorOnFocus").WithDefault(false),
    Published<&E::TabOnEnter, &E::SetTabOnEnter>("TabOnEnter").WithDefault(false),
    PublishedEvent<&E::OnMouseEnter>("OnMouseEnter"),
    PublishedEvent<&E::OnMouseLeave>("OnMouseLeave"),
    PublishedEvent<&E::OnValidateError>("OnValidateError"),
};
}  // namespace

void RegisterEditClasses() {
  RegisterPublishedProperties(TRzCustomEdit::StaticClass(), editProps);
  RegisterClasses({TRzMaskEdit::StaticClass()});
}
