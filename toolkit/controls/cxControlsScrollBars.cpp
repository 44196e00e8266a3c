// The built-in scroll bars and size grip of the base control, the scroll-bar update loop, the
// settings controller that follows the system's scroll-bar sizes, and the control's child
// components.
#include <algorithm>
#include <vector>

#include "cxControls.h"
#include "cxControlsSettings.h"

CALDERAN_IMPLEMENT_CREATABLE(TcxControlScrollBar, TcxScrollBar, TComponent*)
CALDERAN_IMPLEMENT_CREATABLE(TcxSizeGrip, TCustomControl, TComponent*)
CALDERAN_IMPLEMENT_CREATABLE(TcxControlChildComponent, TcxComponent, TComponent*)

// Tells every registered control with a window when the system's scroll-bar sizes change.
class TcxSettingsController : public TcxMessageWindow {
 public:
  void AddControl(TcxControl* control);
  void RemoveControl(TcxControl* control);
  bool Empty() const { return controls_.empty(); }

 protected:
  void WndProc(TMessage& message) override;

 private:
  std::vector<TcxControl*> controls_;
};

namespace {

TcxSettingsController* settingsController = nullptr;
bool settingsControllerClosed = false;

// Restores the update loop's flags when a step throws.
struct TScrollBarUpdateScope {
  bool& updating;
  bool& initialParams;
  const bool savedUpdating;
  TScrollBarUpdateScope(bool& updatingFlag, bool& initialParamsFlag)
      : updating(updatingFlag), initialParams(initialParamsFlag), savedUpdating(updatingFlag) {
    updating = true;
  }
  ~TScrollBarUpdateScope() {
    if (!savedUpdating) initialParams = false;
    updating = savedUpdating;
  }
};

}  // namespace

// ---------------------------------------------------------------------------------------------
// The settings controller: its window lives while any control is registered.

namespace {

// Null once the control unit has shut down.
TcxSettingsController* SettingsController() {
  if (!settingsController && !settingsControllerClosed) settingsController = new TcxSettingsController();
  return settingsController;
}

void FreeSettingsController() {
  delete settingsController;
  settingsController = nullptr;
}

}  // namespace

void CloseSettingsController() {
  settingsControllerClosed = true;
  FreeSettingsController();
}

void TcxSettingsController::AddControl(TcxControl* control) {
  if (std::find(controls_.begin(), controls_.end(), control) == controls_.end()) controls_.push_back(control);
}

void TcxSettingsController::RemoveControl(TcxControl* control) {
  controls_.erase(std::remove(controls_.begin(), controls_.end(), control), controls_.end());
}

void TcxSettingsController::WndProc(TMessage& m) {
  if (m.Msg != WM_SETTINGCHANGE || m.WParam != SPI_SETNONCLIENTMETRICS) return TcxMessageWindow::WndProc(m);
  for (TcxControl* control : controls_)
    if (control->HandleAllocated()) SendNotifyMessageA(control->Handle(), CXM_SCROLLBARMETRICS, 0, 0);
  m.Result = 0;
}

// ---------------------------------------------------------------------------------------------
// TcxControlScrollBar

TcxControlScrollBar::TcxControlScrollBar(TComponent* owner) : TcxScrollBar(owner) {
  SetColor(clBtnFace);
  SetControlStyle(ControlStyle() - csFramed + csNoDesignVisible);
  SetTabStop(false);
  SetVisible(false);
}

TcxControlScrollBar::~TcxControlScrollBar() { ClearObjectLinks(this); }

void TcxControlScrollBar::Dispatch(TMessage& m) {
  if (m.Msg == CM_DESIGNHITTEST) m.Result = 1;
  else TcxScrollBar::Dispatch(m);
}

void TcxControlScrollBar::WndProc(TMessage& m) {
  if (m.Msg == WM_LBUTTONDOWN || m.Msg == WM_LBUTTONDBLCLK) {
    TcxObjectLinkGuard link(this);
    FocusParent();
    if (!link.Alive()) return;
  }
  TcxScrollBar::WndProc(m);
}

void TcxControlScrollBar::FocusParent() {
  TWinControl* parent = Parent();
  if (!parent) return;
  if (auto* control = ObjectAs<TcxControl>(parent)) {
    if (control->TakesFocusOnBuiltInControlClick(this)) control->SetFocus();
  } else if (parent->CanFocus()) {
    parent->SetFocus();
  }
}

void TcxControlScrollBar::ApplyData() {
  if (Data.Visible) {
    SetScrollParams(Data.Min, Data.Max, Data.Position, Data.PageSize, true);
    SetSmallChange(Data.SmallChange);
    SetLargeChange(Data.LargeChange);
  }
  SetEnabled(Data.Enabled);
  if (Visible() != Data.Visible) SetVisible(Data.Visible);
}

void TcxControlScrollBar::ApplyInitialVisibility(bool visible) {
  if (Visible() == visible) return;
  SetEnabled(false);
  SetVisible(true);
}

// ---------------------------------------------------------------------------------------------
// TcxSizeGrip

TcxSizeGrip::TcxSizeGrip(TComponent* owner)
    : TCustomControl(owner), lookAndFeel_(std::make_unique<TcxLookAndFeel>(this)) {
  lookAndFeel_->OnChanged = MakeEvent(this, &TcxSizeGrip::LookAndFeelChanged);
  SetColor(clBtnFace);
  SetControlStyle(ControlStyle() + csNoDesignVisible);
}

void TcxSizeGrip::Dispatch(TMessage& m) {
  if (m.Msg == WM_ERASEBKGND) m.Result = 1;
  else TCustomControl::Dispatch(m);
}

void TcxSizeGrip::Paint() {
  TCanvas* canvas = Canvas();
  canvas->Brush()->SetColor(lookAndFeel_->CurrentPainter()->FormContentColor());
  canvas->FillRect(ClientRect());
}

// ---------------------------------------------------------------------------------------------
// The control's built-in controls

void TcxControl::CreateBuiltInControls() {
  if (!HasBuiltInScrollBars() || hScrollBar_) return;
  hScrollBar_ = new TcxControlScrollBar(this);
  hScrollBar_->SetKind(sbHorizontal);
  hScrollBar_->OnScroll = MakeEvent(this, &TcxControl::ScrollBarScroll);
  vScrollBar_ = new TcxControlScrollBar(this);
  vScrollBar_->SetKind(sbVertical);
  vScrollBar_->OnScroll = MakeEvent(this, &TcxControl::ScrollBarScroll);
  sizeGrip_ = new TcxSizeGrip(this);
  for (TcxLookAndFeel* lf : {hScrollBar_->LookAndFeel(), vScrollBar_->LookAndFeel(), sizeGrip_->LookAndFeel()})
    lf->SetParentLookAndFeel(lookAndFeel_.get());
  if (TcxSettingsController* controller = SettingsController()) controller->AddControl(this);
}

void TcxControl::DestroyBuiltInControls() {
  if (!hScrollBar_) return;
  if (settingsController) {
    settingsController->RemoveControl(this);
    if (settingsController->Empty()) FreeSettingsController();
  }
  delete sizeGrip_;
  delete vScrollBar_;
  delete hScrollBar_;
  sizeGrip_ = nullptr;
  vScrollBar_ = hScrollBar_ = nullptr;
}

void TcxControl::ParentBuiltInControls() {
  if (!HasBuiltInScrollBars() || !hScrollBar_) return;
  hScrollBar_->SetParent(this);
  vScrollBar_->SetParent(this);
  sizeGrip_->SetParent(this);
}

void TcxControl::UpdateInternalControls() {
  if (HasBuiltInScrollBars()) CreateBuiltInControls();
  else DestroyBuiltInControls();
}

bool TcxControl::IsBuiltInControl(TControl* control) const {
  return control && (control == hScrollBar_ || control == vScrollBar_ || control == sizeGrip_);
}

void TcxControl::BringBuiltInControlsToFront() {
  for (TControl* control : {static_cast<TControl*>(hScrollBar_), static_cast<TControl*>(vScrollBar_),
                            static_cast<TControl*>(sizeGrip_)})
    if (control) control->BringToFront();
}

void TcxControl::RefreshBuiltInControls() {
  if (!hScrollBar_) return;
  for (TControl* control : {static_cast<TControl*>(hScrollBar_), static_cast<TControl*>(vScrollBar_),
                            static_cast<TControl*>(sizeGrip_)})
    if (control->Visible()) control->Update();
}

TRect TcxControl::GetHScrollBarBounds() {
  const TRect c = GetClientBounds();
  return TRect(c.Left, c.Bottom, c.Right, c.Bottom + hScrollBar_->Height());
}

TRect TcxControl::GetVScrollBarBounds() {
  const TRect c = GetClientBounds();
  return TRect(c.Right, c.Top, c.Right + vScrollBar_->Width(), c.Bottom);
}

TRect TcxControl::GetSizeGripBounds() {
  return TRect(vScrollBar_->Left(), hScrollBar_->Top(), vScrollBar_->Left() + vScrollBar_->Width(),
               hScrollBar_->Top() + hScrollBar_->Height());
}

void TcxControl::PlaceBuiltInControls() {
  if (hScrollBar_->Visible()) hScrollBar_->SetBoundsRect(GetHScrollBarBounds());
  if (vScrollBar_->Visible()) vScrollBar_->SetBoundsRect(GetVScrollBarBounds());
  if (sizeGrip_->Visible()) sizeGrip_->SetBoundsRect(GetSizeGripBounds());
}

void TcxControl::SetScrollBars(TcxScrollStyle value) {
  if (scrollBars_ == value) return;
  scrollBars_ = value;
  UpdateScrollBars();
}

bool TcxControl::IsHScrollBarVisible() const {
  if (!hScrollBar_) return false;
  return calculatingScrollBarParams_ ? hScrollBar_->Data.Visible : hScrollBar_->Visible();
}

bool TcxControl::IsVScrollBarVisible() const {
  if (!vScrollBar_) return false;
  return calculatingScrollBarParams_ ? vScrollBar_->Data.Visible : vScrollBar_->Visible();
}

void TcxControl::ScrollBarScroll(TObject* sender, TScrollCode code, int& position) {
  Scroll(sender == hScrollBar_ ? sbHorizontal : sbVertical, code, position);
}

void TcxControl::ScrollByDirection(TcxDirection direction) {
  if (direction == dirNone) return;
  if (!hScrollBar_ && !ScrollsWithoutScrollBars(direction)) return;
  const bool horizontal = direction == dirLeft || direction == dirRight;
  const TScrollCode code = direction == dirLeft || direction == dirUp ? scLineUp : scLineDown;
  TcxControlScrollBar* bar = horizontal ? hScrollBar_ : vScrollBar_;
  int position = bar ? bar->Position() : 0;
  Scroll(horizontal ? sbHorizontal : sbVertical, code, position);
  Update();
}

// ---------------------------------------------------------------------------------------------
// The update loop

void TcxControl::SetScrollBarInfo(TScrollBarKind kind, int min, int max, int step, int page, int pos,
                                  bool allowShow, bool allowHide) {
  TcxControlScrollBar* bar = kind == sbHorizontal ? hScrollBar_ : vScrollBar_;
  if (!bar) return;
  TcxScrollBarData& d = bar->Data;
  const TScrollStyle own = kind == sbHorizontal ? ssHorizontal : ssVertical;
  d.AllowShow = allowShow && (scrollBars_ == own || scrollBars_ == ssBoth);
  d.AllowHide = allowHide;
  d.Visible = false;
  if (!d.AllowShow) return;
  if (max < min || page >= max - min + 1 || pos < min) {
    if (d.AllowHide) return;
    d.Visible = true;
    d.Enabled = false;
    return;
  }
  d.Min = min;
  d.Max = max;
  d.Position = pos;
  d.PageSize = page;
  d.SmallChange = static_cast<Word>(step);
  d.LargeChange = static_cast<Word>(page);
  d.Enabled = true;
  d.Visible = true;
}

// Showing one bar can make the other necessary and back; a nested call that finds the bars as
// they were when the outermost call began keeps the differing ones shown but disabled, so the
// bars settle instead of flickering without end.
void TcxControl::UpdateScrollBars() {
  if (!hScrollBar_ || !HasBuiltInScrollBars()) return;
  if (!updatingScrollBars_) {
    initialHScrollBarVisible_ = hScrollBar_->Visible();
    initialVScrollBarVisible_ = vScrollBar_->Visible();
  }
  const bool nested = updatingScrollBars_;
  TScrollBarUpdateScope scope(updatingScrollBars_, isInitialScrollBarsParams_);
  const bool hWasVisible = hScrollBar_->Visible(), vWasVisible = vScrollBar_->Visible();
  ApplyScrollBarVisibility(nested, hWasVisible, vWasVisible);
  if (hScrollBar_->Visible() != hWasVisible || vScrollBar_->Visible() != vWasVisible) {
    BoundsChanged();
    return;
  }
  sizeGrip_->SetVisible(hScrollBar_->Visible() && vScrollBar_->Visible());
  PlaceBuiltInControls();
  if (KeepsBuiltInControlsOnTop()) BringBuiltInControlsToFront();
}

void TcxControl::ApplyScrollBarVisibility(bool nested, bool, bool) {
  if (isInitialScrollBarsParams_) return;
  CalculateScrollBarData();
  isInitialScrollBarsParams_ = nested && hScrollBar_->Data.Visible == initialHScrollBarVisible_ &&
                               vScrollBar_->Data.Visible == initialVScrollBarVisible_;
  if (isInitialScrollBarsParams_) {
    hScrollBar_->ApplyInitialVisibility(initialHScrollBarVisible_);
    vScrollBar_->ApplyInitialVisibility(initialVScrollBarVisible_);
  } else {
    hScrollBar_->ApplyData();
    vScrollBar_->ApplyData();
  }
}

void TcxControl::CalculateScrollBarData() {
  if (calculatingScrollBarParams_) return;
  TcxFlagScope calculating(calculatingScrollBarParams_);
  hScrollBar_->Data.Visible = vScrollBar_->Data.Visible = false;
  bool hBefore, vBefore;
  do {
    hBefore = hScrollBar_->Data.Visible;
    vBefore = vScrollBar_->Data.Visible;
    CalculateScrollBarParams();
  } while (hBefore != hScrollBar_->Data.Visible || vBefore != vScrollBar_->Data.Visible);
  JointHidePixelBars();
}

// Two pixel-scrolling bars that are each needed only because of the other go together.
void TcxControl::JointHidePixelBars() {
  const TcxScrollBarData h = hScrollBar_->Data, v = vScrollBar_->Data;
  auto usable = [](const TcxScrollBarData& d) { return d.Visible && d.Enabled && d.AllowHide; };
  if (!usable(h) || !usable(v)) return;
  const int hThickness = vScrollBar_->Width(), vThickness = hScrollBar_->Height();
  auto onlyForOther = [](const TcxScrollBarData& d, int thickness) { return thickness + d.PageSize >= d.Max - d.Min + 1; };
  const bool hByPixels = ScrollsByPixels(sbHorizontal), vByPixels = ScrollsByPixels(sbVertical);
  if (!(hByPixels && onlyForOther(h, hThickness)) || !(vByPixels && onlyForOther(v, vThickness))) return;
  SetScrollBarInfo(sbHorizontal, h.Min, h.Max, h.SmallChange, h.PageSize + hThickness, h.Position, h.AllowShow, h.AllowHide);
  SetScrollBarInfo(sbVertical, v.Min, v.Max, v.SmallChange, v.PageSize + vThickness, v.Position, v.AllowShow, v.AllowHide);
}

void TcxControl::CXMScrollBarMetrics(TMessage&) {
  if (!hScrollBar_) return;
  const int height = GetSystemMetrics(SM_CYHSCROLL), width = GetSystemMetrics(SM_CXVSCROLL);
  if (height == hScrollBar_->Height() && width == vScrollBar_->Width()) return;
  hScrollBar_->SetHeight(height);
  vScrollBar_->SetWidth(width);
  BoundsChanged();
}

// ---------------------------------------------------------------------------------------------
// Child components

TcxControlChildComponent::TcxControlChildComponent(TComponent* owner) : TcxComponent(owner) {}

TcxControlChildComponent::~TcxControlChildComponent() {
  if (control_) control_->RemoveChildComponent(this);
}

TcxControlChildComponent* TcxControlChildComponent::CreateForControl(TClass cls, TcxControl* control, bool takeOwner) {
  auto* child = static_cast<TcxControlChildComponent*>(cls->Create(takeOwner ? control->Owner() : nullptr));
  child->Initialize();
  child->SetControl(control);
  return child;
}

TComponent* TcxControlChildComponent::GetParentComponent() const { return control_; }

void TcxControlChildComponent::SetParentComponent(TComponent* parent) {
  if (auto* control = ObjectAs<TcxControl>(parent)) control->AddChildComponent(this);
}

void TcxControl::AddChildComponent(TcxControlChildComponent* component) { component->SetControl(this); }

void TcxControl::RemoveChildComponent(TcxControlChildComponent* component) { component->SetControl(nullptr); }
