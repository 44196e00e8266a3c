#include "NxEdit.h"

#include "Forms.h"
#include "NxSharedDraw.h"
#include "NxThemesSupport.h"
#include "SysUtils.h"

CALDERAN_IMPLEMENT_CLASS(TNxMargins, TPersistent)
CALDERAN_IMPLEMENT_CREATABLE(TNxCustomEdit, TCustomEdit, TComponent*)
CALDERAN_IMPLEMENT_CREATABLE(TNxEdit, TNxCustomEdit, TComponent*)

// ---------------------------------------------------------------------------------------------
// Margins

void TNxMargins::Assign(TPersistent* source) {
  if (auto* other = ObjectAs<TNxMargins>(source)) {
    top_ = other->top_;
    bottom_ = other->bottom_;
    left_ = other->left_;
    right_ = other->right_;
    if (edit_) edit_->RecreateWnd();
    return;
  }
  TPersistent::Assign(source);
}

void TNxMargins::Set(int& field, int value) {
  field = value;
  if (edit_) edit_->RecreateWnd();
}

// ---------------------------------------------------------------------------------------------
// The edit base

TNxCustomEdit::TNxCustomEdit(TComponent* owner)
    : TCustomEdit(owner),
      canvas_(std::make_unique<TControlCanvas>()),
      glyph_(std::make_unique<TBitmap>()),
      innerMargins_(std::make_unique<TNxMargins>(this)) {
  canvas_->SetControl(this);
  glyph_->OnChange = MakeEvent(this, &TNxCustomEdit::GlyphChanged);
  SetBorderStyle(bsSingle);
  SetColor(clWindow);
  SetHeight(20);
  SetParentColor(false);
  SetTabStop(true);
  SetWidth(121);
  Screen->SetCursors(crReversedArrow, LoadCursorA(GetModuleHandleA(nullptr), "REVERSEDARROW"));
}

TNxCustomEdit::~TNxCustomEdit() {
  Destroying();
  DestroyComponents();
}

void TNxCustomEdit::Dispatch(TMessage& m) {
  switch (m.Msg) {
    case WM_PAINT: WMPaint(m); break;
    case WM_NCPAINT: WMNCPaint(m); break;
    case WM_ERASEBKGND: WMEraseBkgnd(m); break;
    case WM_GETDLGCODE: WMGetDlgCode(m); break;
    case WM_WINDOWPOSCHANGED: WMWindowPosChanged(m); break;
    case CM_ENABLEDCHANGED: CMEnabledChanged(m); break;
    case CM_FONTCHANGED:
      TCustomEdit::Dispatch(m);
      UpdateEditRect();
      break;
    default: TCustomEdit::Dispatch(m);
  }
}

void TNxCustomEdit::SetAlignment(TAlignment value) {
  if (value == alignment_) return;
  alignment_ = value;
  RecreateWnd();
}

void TNxCustomEdit::SetVerticalAlignment(TVerticalAlignment value) {
  if (value == verticalAlignment_) return;
  verticalAlignment_ = value;
  RecreateWnd();
}

void TNxCustomEdit::SetPreviewBorder(bool value) {
  if (value == previewBorder_) return;
  previewBorder_ = value;
  if (!HandleAllocated()) return;
  RECT r = GetPreviewRect();
  InvalidateRect(WindowHandle(), &r, FALSE);
}

void TNxCustomEdit::SetShowPreview(bool value) {
  if (value == showPreview_) return;
  showPreview_ = value;
  UpdateEditRect();
  Invalidate();
}

bool TNxCustomEdit::GetAsBoolean() {
  const std::string text = Trim(Text());
  if (SameText(text, "True")) return true;
  if (SameText(text, "False")) return false;
  long double number = 0;
  if (TryStrToFloat(text, number)) return number != 0;
  throw EConvertError(Format("'%s' is not a valid boolean value", {text}));
}

double TNxCustomEdit::GetAsDateTime() { return StrToDateTime(Text()); }
double TNxCustomEdit::GetAsFloat() { return static_cast<double>(StrToFloat(Text())); }
int TNxCustomEdit::GetAsInteger() { return StrToInt(Text()); }
void TNxCustomEdit::SetAsDateTime(double value) { SetText(DateTimeToStr(value)); }
void TNxCustomEdit::SetAsFloat(double value) { SetText(FloatToStr(value)); }
void TNxCustomEdit::SetAsInteger(int value) { SetText(IntToStr(value)); }

void TNxCustomEdit::CreateParams(TCreateParams& p) {
  TCustomEdit::CreateParams(p);
  static constexpr DWORD alignments[] = {ES_LEFT, ES_RIGHT, ES_CENTER};
  p.Style |= ES_AUTOVSCROLL | ES_AUTOHSCROLL | WS_CLIPCHILDREN | alignments[alignment_];
  // a password edit stays single-line: the platform masks only single-line edits
  if (PasswordChar() == 0) p.Style |= ES_MULTILINE;
}

void TNxCustomEdit::CreateWnd() {
  TCustomEdit::CreateWnd();
  UpdateEditRect();
}

int TNxCustomEdit::TextHeight() {
  canvas_->Font()->Assign(Font());
  TEXTMETRICA metrics{};
  GetTextMetricsA(canvas_->Handle(), &metrics);
  return metrics.tmHeight;
}

TRect TNxCustomEdit::GetEditRect() {
  const int textHeight = TextHeight();
  const int clientHeight = ClientHeight();
  TRect r(innerMargins_->Left(), 0, ClientWidth() - innerMargins_->Right() - 1, clientHeight + 1);
  switch (verticalAlignment_) {
    case vaTop:
      r.Top = innerMargins_->Top();
      r.Bottom = r.Top + textHeight;
      break;
    case vaMiddle:
      r.Top = (clientHeight - 1) / 2 - textHeight / 2;
      r.Bottom = r.Top + textHeight;
      break;
    case vaBottom:
      r.Bottom = clientHeight - innerMargins_->Bottom();
      r.Top = r.Bottom - textHeight;
      break;
  }
  if (showPreview_) r.Left += 27;
  if (!glyph_->Empty()) r.Left += glyph_->Width() + 4;
  return r;
}

TRect TNxCustomEdit::GetPreviewRect() {
  const int g = glyph_->Empty() ? 0 : glyph_->Width() + 4;
  TRect r(g + 1, 1, g + 21, ClientHeight() - 1);
  if (previewBorder_) r.Inflate(-1, -1);
  return r;
}

void TNxCustomEdit::UpdateEditRect() {
  if (!HandleAllocated()) return;
  RECT r = GetEditRect();
  SendMessageA(WindowHandle(), EM_SETRECTNP, 0, reinterpret_cast<LPARAM>(&r));
}

void TNxCustomEdit::GlyphChanged(TObject*) {
  if (!glyph_->Empty()) {
    glyph_->SetTransparentColor(glyph_->Canvas()->Pixel(0, glyph_->Height() - 1));
    glyph_->SetTransparent(true);
  }
  UpdateEditRect();
  RecreateWnd();
}

void TNxCustomEdit::WMPaint(TMessage& m) {
  TCustomEdit::Dispatch(m);
  if (!HandleAllocated()) return;
  if (!TextEditable()) PaintFace();
  PaintWindowExtras();
  canvas_->FreeHandle();
}

void TNxCustomEdit::WMNCPaint(TMessage& m) {
  if (!ThemesAvailable() || BorderStyle() != bsSingle) {
    TCustomEdit::Dispatch(m);
    return;
  }
  HWND window = WindowHandle();
  RECT bounds;
  GetWindowRect(window, &bounds);
  OffsetRect(&bounds, -bounds.left, -bounds.top);
  HDC dc = GetWindowDC(window);
  ExcludeClipRect(dc, bounds.left + 2, bounds.top + 2, bounds.right - 2, bounds.bottom - 2);
  DrawThemeElement(window, dc, TRect(bounds), u"edit", 1, 0);
  ReleaseDC(window, dc);
  m.Result = 0;
}

void TNxCustomEdit::WMEraseBkgnd(TMessage& m) {
  if (TextEditable()) TCustomEdit::Dispatch(m);
  else m.Result = 1;
}

void TNxCustomEdit::CMEnabledChanged(TMessage& m) {
  TCustomEdit::Dispatch(m);
  for (int i = 0; i < ComponentCount(); ++i)
    if (auto* control = ObjectAs<TControl>(Components(i))) control->Invalidate();
}

void TNxCustomEdit::WMWindowPosChanged(TMessage& m) {
  TCustomEdit::Dispatch(m);
  Invalidate();
}

void TNxCustomEdit::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  TCustomEdit::MouseDown(button, shift, x, y);
  if (CanFocus()) SetFocus();
  if (!glyph_->Empty() && Rect(0, 0, glyph_->Width(), Height()).Contains(TPoint(x, y))) DoGlyphClick();
}

void TNxCustomEdit::DoGlyphClick() {
  if (OnGlyphClick) OnGlyphClick(this);
}

// ---------------------------------------------------------------------------------------------
// The text edit

void TNxEdit::Dispatch(TMessage& m) {
  switch (m.Msg) {
    case WM_SIZE: WMSize(m); break;
    default: TNxCustomEdit::Dispatch(m);
  }
}

void TNxEdit::CaretToEnd() {
  const int length = static_cast<int>(Text().size());
  SetSelStart(length);
  SetSelLength(0);
}

void TNxEdit::Change() {
  TNxCustomEdit::Change();
  TextChanged();
}

// A multi-line edit would take Enter as a line break.
void TNxEdit::KeyPress(char& key) {
  TNxCustomEdit::KeyPress(key);
  if (key == '\r') key = 0;
}

void TNxEdit::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  TNxCustomEdit::MouseDown(button, shift, x, y);
  if (x <= 2) SelectAll();
}

void TNxEdit::MouseMove(TShiftState shift, int x, int y) {
  TNxCustomEdit::MouseMove(shift, x, y);
  SetCursor(x <= 2 ? crReversedArrow : crDefault);
}

void TNxEdit::WMSize(TMessage& m) {
  TNxCustomEdit::Dispatch(m);
  UpdateEditRect();
  if (!ComponentState().Contains(csReading)) SetAutoSize(false);
}

void TNxEdit::PaintWindowExtras() {
  TCanvas* canvas = Canvas();
  if (!Glyph()->Empty()) {
    const int y = (Height() - Glyph()->Height()) / 2 - (BorderStyle() == bsSingle ? 2 : 0);
    canvas->Draw(2, y, Glyph());
  }
  if (!ShowPreview()) return;
  const int g = Glyph()->Empty() ? 0 : Glyph()->Width() + 4;
  TRect box(g + 1, 1, g + 21, ClientHeight() - 1);
  if (PreviewBorder()) {
    canvas->Brush()->SetColor(static_cast<TColor>(RGB(128, 128, 128)));
    canvas->FrameRect(box);
  }
  box.Inflate(-1, -1);
  DrawPreview(box);
}
