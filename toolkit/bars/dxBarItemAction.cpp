// A bar item's action, its values taken from the action, and its style slots.
#include "ActnList.h"
#include "dxBarButtons.h"
#include "dxBarItem.h"
#include "dxBarItemActionLink.h"
#include "dxBarItemControl.h"
#include "dxBarItemLinks.h"
#include "dxBarItemStylesData.h"
#include "dxBarManager.h"

TBasicAction* TdxBarItem::Action() const { return actionLink_ ? actionLink_->Action() : nullptr; }

namespace {
// The designer-modified notices of a manager stay locked while an action that is still loading is
// bound to one of its items.
struct TDesignerNoticeLock {
  TdxBarManager* Manager;
  TDesignerNoticeLock(TdxBarManager* manager) : Manager(manager) {
    if (Manager) Manager->LockDesignerModified(true);
  }
  ~TDesignerNoticeLock() {
    if (Manager) Manager->LockDesignerModified(false);
  }
};
}  // namespace

void TdxBarItem::SetAction(TBasicAction* value) {
  if (value == Action()) return;
  if (!value) {
    delete actionLink_;
    actionLink_ = nullptr;
    return;
  }
  const bool actionLoading = value->ComponentState().Contains(csLoading);
  TDesignerNoticeLock lock(actionLoading ? BarManager() : nullptr);
  if (!actionLink_) actionLink_ = new TdxBarItemActionLink(this);
  actionLink_->ForgetActionValues();
  actionLink_->SetAction(value);
  ActionChange(value, actionLoading);
  value->FreeNotification(this);
}

void TdxBarItem::ActionChange(TObject* sender, bool checkDefaults) {
  auto* action = ObjectAs<TCustomAction>(sender);
  if (!action) return;
  applyingActionDefaults_ = checkDefaults;
  if (!checkDefaults || caption_.empty()) SetCaption(action->Caption());
  applyingActionDefaults_ = false;
  auto* button = ObjectAs<TdxBarButton>(this);
  if (button && (!checkDefaults || !button->Down())) button->SetDown(action->Checked());
  if (!checkDefaults || Enabled()) SetEnabled(action->Enabled());
  if (!checkDefaults || helpContext_ == 0) helpContext_ = action->HelpContext();
  if (!checkDefaults || hint_.empty()) hint_ = action->Hint();
  if (!checkDefaults || imageIndex_ == -1) SetImageIndexValue(action->ImageIndex());
  if (!checkDefaults || shortCut_ == 0) SetShortCut(action->ShortCut());
  if (!checkDefaults || visible_ == ivAlways) SetVisible(action->Visible() ? ivAlways : ivNever);
  if (!checkDefaults || !OnClick) OnClick = action->OnExecute;
  if (actionLink_) actionLink_->TakeActionValues();
}

void TdxBarItem::ExecuteClick() {
  TBasicAction* action = Action();
  if (OnClick && (!action || !(action->OnExecute == OnClick))) {
    OnClick(this);
    return;
  }
  if (ComponentState().Contains(csDesigning)) return;
  if (actionLink_) actionLink_->Execute(this);
}

bool TdxBarItem::IsCaptionStored() const { return !actionLink_ || !actionLink_->IsCaptionLinked(); }
bool TdxBarItem::IsEnabledStored() const { return !actionLink_ || !actionLink_->IsEnabledLinked(); }
bool TdxBarItem::IsHelpContextStored() const { return !actionLink_ || !actionLink_->IsHelpContextLinked(); }
bool TdxBarItem::IsHintStored() const { return !actionLink_ || !actionLink_->IsHintLinked(); }
bool TdxBarItem::IsImageIndexStored() const { return !actionLink_ || !actionLink_->IsImageIndexLinked(); }
bool TdxBarItem::IsShortCutStored() const { return !actionLink_ || !actionLink_->IsShortCutLinked(); }
bool TdxBarItem::IsVisibleStored() const { return !actionLink_ || !actionLink_->IsVisibleLinked(); }
bool TdxBarItem::IsOnClickStored() const { return !actionLink_ || !actionLink_->IsOnExecuteLinked(); }

void TdxBarItem::AssignTo(TPersistent* dest) {
  auto* action = ObjectAs<TCustomAction>(dest);
  if (!action) return TdxBarComponent::AssignTo(dest);
  action->SetCaption(caption_);
  if (auto* button = ObjectAs<TdxBarButton>(this)) action->SetChecked(button->Down());
  action->SetEnabled(enabled_);
  action->SetHelpContext(helpContext_);
  action->SetHint(hint_);
  action->SetImageIndex(imageIndex_);
  action->SetShortCut(shortCut_);
  if (visible_ != ivInCustomizing) action->SetVisible(visible_ == ivAlways);
  action->OnExecute = OnClick;
}

void TdxBarItem::Notification(TComponent* component, TOperation operation) {
  TdxBarComponent::Notification(component, operation);
  if (operation == opRemove && component == Action()) SetAction(nullptr);
}

// ---------------------------------------------------------------------------------------------
// Style slots.

TcxStyle* TdxBarItem::Style() const { return stylesData_ ? stylesData_->GetStyle(0) : nullptr; }

void TdxBarItem::SetStyle(TcxStyle* value) { SetStyleSlot(0, value); }

// The data is made on first use: its slot count is the item kind's answer, which a constructor
// cannot ask for.
void TdxBarItem::SetStyleSlot(int index, TcxStyle* value) {
  if (!stylesData_) {
    if (!value) return;
    stylesData_ = new TdxBarItemStylesData(GetStyleCount());
    stylesData_->OnChange = MakeEvent(this, &TdxBarItem::StyleDataChanged);
  }
  stylesData_->SetStyle(index, value);
}

TcxViewParams TdxBarItem::GetStyleViewParams() const {
  return stylesData_ ? stylesData_->GetViewParams(0) : TcxViewParams{};
}

// A font change makes the controls again and rebuilds the bars; a colour change only repaints.
void TdxBarItem::StyleDataChanged(int kind) {
  if (ComponentState().Contains(csDestroying)) return;
  if (kind == dxBarStyleFontChanged) {
    TdxBarManager* manager = BarManager();
    for (int i = 0; i < LinkCount(); ++i) {
      TdxBarItemLink* link = Links(i);
      if (link->Control() && !(manager && manager->IsUpdateLocked())) link->RecreateControl();
    }
    RebuildBars();
    return;
  }
  for (int i = 0; i < LinkCount(); ++i) {
    if (TdxBarItemControl* control = Links(i)->Control()) control->CalcSizesWithFont();
  }
  UpdateControls();
}
