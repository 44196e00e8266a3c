// The spin edit: its value in the text, the range, stepping by buttons, keys and wheel, the
// characters it accepts and the place of its buttons.
#include "RzSpnEdt.h"

#include <windows.h>

#include <cmath>

#include "Forms.h"
#include "RzFramedTypes.h"
#include "TypInfo.h"

CALDERAN_IMPLEMENT_CREATABLE(TRzSpinEdit, TRzCustomEdit, TComponent*)

TRzSpinEdit::TRzSpinEdit(TComponent* owner) : TRzCustomEdit(owner) {
  buttons_ = new TRzSpinButtons(this);
  buttons_->SetParent(this);
  buttons_->SetBounds(0, 0, 17, 17);
  buttons_->SetFocusControl(this);
  buttons_->OnUpRightClick = MakeEvent(this, &TRzSpinEdit::UpClick);
  buttons_->OnDownLeftClick = MakeEvent(this, &TRzSpinEdit::DownClick);
  TControlStyle style = ControlStyle();
  style.Exclude(csSetCaption);
  SetControlStyle(style);
  SetWidth(47);
  SetAlignment(taRightJustify);
  SetValue(0);
}

void TRzSpinEdit::Dispatch(TMessage& message) {
  switch (message.Msg) {
    case WM_PASTE: case WM_CUT: WMPasteOrCut(message); break;
    case WM_SIZE: WMSize(message); break;
    case WM_SETFONT:  // the edit control resets its margins to the font's
      TRzCustomEdit::Dispatch(message);
      SetEditMargins();
      break;
    case CM_ENTER: CMEnter(message); break;
    case CM_EXIT: CMExit(message); break;
    case CM_ENABLEDCHANGED: CMEnabledChanged(message); break;
    case CM_FONTCHANGED: CMFontChanged(message); break;
    case CM_COLORCHANGED: CMColorChanged(message); break;
    default: TRzCustomEdit::Dispatch(message);
  }
}

void TRzSpinEdit::CreateParams(TCreateParams& params) {
  TRzCustomEdit::CreateParams(params);
  params.Style |= WS_CLIPCHILDREN;
}

void TRzSpinEdit::CreateWnd() {
  TRzCustomEdit::CreateWnd();
  SetEditMargins();
}

void TRzSpinEdit::Loaded() {
  TRzCustomEdit::Loaded();
  LayoutButtons();
}

// ---------------------------------------------------------------------------------------------
// The value

std::string TRzSpinEdit::FormatValue(long double value) const { return FloatToStrF(value, ffFixed, 18, decimals_); }

long double TRzSpinEdit::ClampValue(long double value) const {
  if (min_ == max_ && !checkRange_) return value;
  if (value < min_) return min_;
  if (value > max_) return max_;
  return value;
}

long double TRzSpinEdit::Value() {
  std::string text = Text();
  if (text.empty()) {
    if (allowBlank_) return blankValue_;
    const bool saved = writingFromRead_;
    writingFromRead_ = true;
    try {
      SetText(FloatToStr(min_));
    } catch (...) {
      writingFromRead_ = saved;
      throw;
    }
    writingFromRead_ = saved;
    text = Text();
  }
  long double value = 0;
  return TryStrToFloat(text, value) ? value : min_;
}

// The caret keeps its place in the new text (one step along when the text grew or shrank).
void TRzSpinEdit::SetValue(long double value) {
  const std::string text = FormatValue(ClampValue(value));
  if (!Parent() || !HandleAllocated() || SelLength() != 0) return SetText(text);
  const int caret = SelStart();
  const int oldLength = static_cast<int>(Text().size());
  SetText(text);
  const int newLength = static_cast<int>(text.size());
  const int place = caret + (newLength > oldLength ? 1 : newLength < oldLength ? -1 : 0);
  SetSelStart(std::max(0, std::min(place, newLength)));
}

void TRzSpinEdit::Change() {
  if (writingFromRead_ && changeDepth_ > 0) return;
  ++changeDepth_;
  try {
    TRzCustomEdit::Change();
  } catch (...) {
    --changeDepth_;
    throw;
  }
  --changeDepth_;
}

// A bound that pushes the other one along leaves a range of one value, which an empty range without
// range checks would not clamp to: the value is put on it.
void TRzSpinEdit::SetMin(long double value) {
  if (value == min_) return;
  min_ = value;
  const bool pushed = min_ > max_;
  if (pushed) max_ = min_;
  pushed ? SetValue(min_) : ApplyValue();
  Invalidate();
}

void TRzSpinEdit::SetMax(long double value) {
  if (value == max_) return;
  max_ = value;
  const bool pushed = max_ < min_;
  if (pushed) min_ = max_;
  pushed ? SetValue(max_) : ApplyValue();
  Invalidate();
}

void TRzSpinEdit::SetDecimals(uint8_t value) {
  decimals_ = value;
  ApplyValue();
}

void TRzSpinEdit::SetCheckRange(bool value) {
  checkRange_ = value;
  ApplyValue();
}

void TRzSpinEdit::SetIntegersOnly(bool value) {
  integersOnly_ = value;
  if (!value) return;
  decimals_ = 0;
  SetValue(static_cast<long double>(Round(Value())));
}

// ---------------------------------------------------------------------------------------------
// Stepping

bool TRzSpinEdit::DoChanging(long double newValue) {
  bool allow = true;
  if (OnChanging) OnChanging(this, newValue, allow);
  return allow;
}

void TRzSpinEdit::DoButtonClick(TSpinButtonType button) {
  if (OnButtonClick) OnButtonClick(this, button);
}

void TRzSpinEdit::StepValue(long double amount, TSpinButtonType button) {
  if (ReadOnly()) {
    MessageBeep(0);
    return;
  }
  const long double next = Value() + amount;
  if (!DoChanging(next)) return;
  SetValue(next);
  DoButtonClick(button);
}

void TRzSpinEdit::UpClick(TObject*) { IncValue(increment_); }
void TRzSpinEdit::DownClick(TObject*) { DecValue(increment_); }

void TRzSpinEdit::KeyDown(Word& key, TShiftState shift) {
  TRzCustomEdit::KeyDown(key, shift);
  switch (key) {
    case VK_DELETE:
      if (!allowKeyEdit_) {
        MessageBeep(0);
        key = 0;
      }
      return;
    case VK_PRIOR: IncValue(pageSize_); break;
    case VK_NEXT: DecValue(pageSize_); break;
    case VK_UP: IncValue(increment_); break;
    case VK_DOWN: DecValue(increment_); break;
    default: return;
  }
  key = 0;
}

bool TRzSpinEdit::DoMouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos) {
  TRzCustomEdit::DoMouseWheel(shift, wheelDelta, mousePos);
  const long double step = shift.Contains(ssCtrl) ? pageSize_ : increment_;
  if (wheelDelta > 0) IncValue(step);
  else if (wheelDelta < 0) DecValue(step);
  return true;
}

void TRzSpinEdit::KeyPress(char& key) {
  TRzCustomEdit::KeyPress(key);
  if (key != 0 && !IsValidChar(key)) {
    key = 0;
    MessageBeep(0);
  }
}

bool TRzSpinEdit::IsValidChar(char key) {
  const char separator = FormatSettings().DecimalSeparator;
  const std::string text = Text();
  const bool selection = HandleAllocated() && SelLength() > 0;
  bool valid = key == '+' || key == '-' || (key >= '0' && key <= '9') || (!integersOnly_ && key == separator) ||
               (static_cast<unsigned char>(key) < 32 && key != '\r');
  if (valid && !integersOnly_ && key == separator) {
    const bool textHasOne = text.find(separator) != std::string::npos;
    valid = selection ? !textHasOne || SelText().find(separator) != std::string::npos : !textHasOne;
  }
  if (valid && (key == '+' || key == '-')) {
    const bool signed_ = text.find_first_of("+-") != std::string::npos;
    const bool all = selection && SelLength() == static_cast<int>(text.size());
    valid = (HandleAllocated() && SelStart() == 0 && !signed_) || all;
  }
  if (valid && !allowKeyEdit_ && (key == '\b' || static_cast<unsigned char>(key) >= 32)) valid = false;
  return valid;
}

void TRzSpinEdit::WMPasteOrCut(TMessage& m) {
  if (allowKeyEdit_ && !ReadOnly()) TRzCustomEdit::Dispatch(m);
}

// ---------------------------------------------------------------------------------------------
// Focus, state and layout

void TRzSpinEdit::CMExit(TMessage& m) {
  TRzCustomEdit::Dispatch(m);
  SetEditMargins();
  if (Text().empty() && allowBlank_) return;
  long double value = 0;
  SetValue(TryStrToFloat(Text(), value) ? value : min_);
}

void TRzSpinEdit::CMEnter(TMessage& m) {
  TRzCustomEdit::Dispatch(m);
  SetEditMargins();
  if (AutoSelect() && !(GetKeyState(VK_LBUTTON) & 0x8000)) SelectAll();
}

void TRzSpinEdit::CMEnabledChanged(TMessage& m) {
  TRzCustomEdit::Dispatch(m);
  SetEditMargins();
  buttons_->SetButtonsEnabled(Enabled());
  if (flatButtons_) buttons_->SetButtonColor(Color());
}

void TRzSpinEdit::CMFontChanged(TMessage& m) {
  TRzCustomEdit::Dispatch(m);
  if (HandleAllocated()) SetEditMargins();
  buttons_->SetButtonsEnabled(Enabled());
}

void TRzSpinEdit::CMColorChanged(TMessage& m) {
  TRzCustomEdit::Dispatch(m);
  buttons_->SetButtonColor(Color());
}

void TRzSpinEdit::WMSize(TMessage& m) {
  TRzCustomEdit::Dispatch(m);
  LayoutButtons();
}

void TRzSpinEdit::ReadOnlyChanged() {
  TRzCustomEdit::ReadOnlyChanged();
  buttons_->SetVisible(!ReadOnly());
  LayoutButtons();
}

void TRzSpinEdit::SetHotState(int which, bool value) {
  TRzCustomEdit::SetHotState(which, value);
  if (!flatButtons_) return;
  const bool hot = FocusIn() || MouseOver();
  if (FramedThemesEnabled()) {
    buttons_->SetFlat(!hot);
    buttons_->SetButtonColor(Color());
  } else {
    buttons_->SetButtonColor(hot ? flatButtonColor_ : Color());
  }
}

void TRzSpinEdit::SetButtonWidth(int value) {
  if (value == buttonWidth_) return;
  buttonWidth_ = std::max(value, 0);
  buttons_->SetWidth(Orientation() == orVertical ? buttonWidth_ : 2 * buttonWidth_);
  LayoutButtons();
  Invalidate();
}

void TRzSpinEdit::SetOrientation(TOrientation value) {
  buttons_->SetOrientation(value);
  LayoutButtons();
  Invalidate();
}

void TRzSpinEdit::SetFlatButtons(bool value) {
  flatButtons_ = value;
  buttons_->SetFlat(value);
  LayoutButtons();
}

void TRzSpinEdit::SetFrameStyle(TFrameStyle value) {
  TRzCustomEdit::SetFrameStyle(value);
  LayoutButtons();
}

void TRzSpinEdit::LayoutButtons() {
  if (ComponentState().Contains(csLoading)) return;
  if (Height() < FontLineHeight(Font())) return SetHeight(FontLineHeight(Font()));
  const int bw = buttons_->Width();
  if (FrameVisible() || Ctl3D()) {
    if (FramedThemesEnabled()) buttons_->SetBounds(Width() - bw - 3, -1, bw, Height() - 1);
    else buttons_->SetBounds(Width() - bw - 4, 0, bw, Height() - 3);
  } else {
    buttons_->SetBounds(Width() - bw - 1, 1, bw, Height() - 3);
  }
  SetEditMargins();
}

void TRzSpinEdit::SetEditMargins() {
  if (!HandleAllocated()) return;
  if (ReadOnly()) {
    SendMessageA(Handle(), EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, 0);
  } else if (!ComponentState().Contains(csLoading)) {
    SendMessageA(Handle(), EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELONG(0, buttons_->Width() + 2));
  }
}

// ---------------------------------------------------------------------------------------------
namespace {
using S = TRzSpinEdit;
constinit const TPropInfo spinEditProps[] = {
    Published<&S::AllowBlank, &S::SetAllowBlank>("AllowBlank").WithDefault(false),
    Published<&S::BlankValue, &S::SetBlankValue>("BlankValue").WithDefault(0.0L),
    Published<&S::AllowKeyEdit, &S::SetAllowKeyEdit>("AllowKeyEdit").WithDefault(false),
    Published<&S::ButtonWidth, &S::SetButtonWidth>("ButtonWidth").WithDefault(17),
    Published<&S::CheckRange, &S::SetCheckRange>("CheckRange").WithDefault(false),
    Published<&S::Decimals, &S::SetDecimals>("Decimals").WithDefault(0),
    Published<&S::Direction, &S::SetDirection>("Direction", &SpinDirectionInfo).WithDefault(sdUpDown),
    Published<&S::FlatButtonColor, &S::SetFlatButtonColor>("FlatButtonColor").WithDefault(clBtnFace),
    Published<&S::FlatButtons, &S::SetFlatButtons>("FlatButtons").WithDefault(false),
    Published<&S::Increment, &S::SetIncrement>("Increment").WithDefault(1.0L),
    Published<&S::IntegersOnly, &S::SetIntegersOnly>("IntegersOnly").WithDefault(true),
    Published<&S::Max, &S::SetMax>("Max").WithDefault(100.0L),
    Published<&S::Min, &S::SetMin>("Min").WithDefault(0.0L),
    Published<&S::Orientation, &S::SetOrientation>("Orientation", &OrientationInfo).WithDefault(orVertical),
    Published<&S::PageSize, &S::SetPageSize>("PageSize").WithDefault(10.0L),
    Published<&S::Value, &S::SetValue>("Value"),
    Published<&S::Alignment, &S::SetAlignment>("Alignment", &LeftRightInfo).WithDefault(taRightJustify),
    PublishedEvent<&S::OnChanging>("OnChanging"),
    PublishedEvent<&S::OnButtonClick>("OnButtonClick"),
};
}  // namespace

void RegisterSpinEditClasses() {
  RegisterPublishedProperties(TRzSpinEdit::StaticClass(), spinEditProps);
  RegisterClasses({TRzSpinEdit::StaticClass()});
}
