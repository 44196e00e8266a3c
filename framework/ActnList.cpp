// Actions, action lists and the links of their clients.
#include "ActnList.h"

#include <algorithm>

#include "ImgList.h"

CALDERAN_IMPLEMENT_CLASS(TBasicActionLink, TObject)
CALDERAN_IMPLEMENT_CREATABLE(TBasicAction, TComponent, TComponent*)
CALDERAN_IMPLEMENT_CREATABLE(TContainedAction, TBasicAction, TComponent*)
CALDERAN_IMPLEMENT_CREATABLE(TCustomAction, TContainedAction, TComponent*)
CALDERAN_IMPLEMENT_CREATABLE(TAction, TCustomAction, TComponent*)
CALDERAN_IMPLEMENT_CREATABLE(TCustomActionList, TComponent, TComponent*)
CALDERAN_IMPLEMENT_CREATABLE(TActionList, TCustomActionList, TComponent*)
CALDERAN_IMPLEMENT_CLASS(TActionLink, TBasicActionLink)
CALDERAN_IMPLEMENT_CLASS(TControlActionLink, TActionLink)

const TUnitInfo ActnListUnit{"ActnList", nullptr, nullptr};

// ---------------------------------------------------------------------------------------------
// Links
TBasicActionLink::TBasicActionLink(TObject* client) : client_(client) {}

TBasicActionLink::~TBasicActionLink() {
  if (action_) action_->UnRegisterChanges(this);
}

void TBasicActionLink::SetAction(TBasicAction* action) {
  if (action == action_) return;
  if (action_) action_->UnRegisterChanges(this);
  action_ = action;
  if (action) {
    action->RegisterChanges(this);
    Change();
  }
}

bool TBasicActionLink::Execute(TComponent* target) {
  if (!action_) return false;
  action_->SetActionComponent(target);
  struct TClear {
    TBasicAction* a;
    ~TClear() { a->SetActionComponent(nullptr); }
  } clear{action_};
  return action_->Execute();
}

bool TBasicActionLink::Update() { return action_ && action_->Update(); }

void TBasicActionLink::Change() {
  if (OnChange) OnChange(client_);
}

void TActionLink::Change() {
  if (auto* action = ObjectAs<TCustomAction>(Action())) ApplyTo(action);
  TBasicActionLink::Change();
}

void TActionLink::ApplyTo(TCustomAction*) {}

void TControlActionLink::ApplyTo(TCustomAction* action) {
  auto* control = static_cast<TControl*>(client_);
  control->SetCaption(action->Caption());
  control->SetEnabled(action->Enabled());
  control->SetVisible(action->Visible());
  control->SetHint(action->Hint());
}

// ---------------------------------------------------------------------------------------------
// Actions
TBasicAction::TBasicAction(TComponent* owner) : TComponent(owner) {}

TBasicAction::~TBasicAction() {
  Destroying();
  for (TBasicActionLink* link : std::vector<TBasicActionLink*>(clients_)) link->action_ = nullptr;
}

void TBasicAction::UnRegisterChanges(TBasicActionLink* link) { std::erase(clients_, link); }

void TBasicAction::Change() {
  for (TBasicActionLink* link : std::vector<TBasicActionLink*>(clients_)) link->Change();
}

bool TBasicAction::Execute() {
  if (!OnExecute) return false;
  OnExecute(this);
  return true;
}

bool TBasicAction::Update() {
  if (!OnUpdate) return false;
  OnUpdate(this);
  return true;
}

TContainedAction::~TContainedAction() {
  Destroying();
  SetActionList(nullptr);
}

void TContainedAction::SetActionList(TCustomActionList* list) {
  if (list == actionList_) return;
  if (actionList_) std::erase(actionList_->actions_, this);
  actionList_ = list;
  if (list) list->actions_.push_back(this);
}

int TContainedAction::Index() const {
  if (!actionList_) return -1;
  auto& list = actionList_->actions_;
  auto it = std::find(list.begin(), list.end(), this);
  return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

TComponent* TContainedAction::GetParentComponent() const { return actionList_; }

void TContainedAction::SetParentComponent(TComponent* parent) {
  if (auto* list = ObjectAs<TCustomActionList>(parent)) SetActionList(list);
}

bool TContainedAction::Execute() {
  if (actionList_ && actionList_->ExecuteAction(this)) return true;
  return TBasicAction::Execute();
}

bool TContainedAction::Update() {
  if (actionList_ && actionList_->UpdateAction(this)) return true;
  return TBasicAction::Update();
}

void TCustomAction::SetCaption(const std::string& value) {
  if (value == caption_) return;
  caption_ = value;
  Change();
}
void TCustomAction::SetHelpContext(int value) {
  if (value == helpContext_) return;
  helpContext_ = value;
  Change();
}
void TCustomAction::SetChecked(bool value) {
  if (value == checked_) return;
  checked_ = value;
  // checking one action of a group unchecks the others of its list
  if (value && groupIndex_ > 0 && ActionList())
    for (int i = 0; i < ActionList()->ActionCount(); ++i)
      if (auto* other = ObjectAs<TCustomAction>(ActionList()->Actions(i)); other && other != this && other->groupIndex_ == groupIndex_)
        other->SetChecked(false);
  Change();
}
void TCustomAction::SetEnabled(bool value) {
  if (value == enabled_) return;
  enabled_ = value;
  Change();
}
void TCustomAction::SetVisible(bool value) {
  if (value == visible_) return;
  visible_ = value;
  Change();
}
void TCustomAction::SetHint(const std::string& value) {
  if (value == hint_) return;
  hint_ = value;
  Change();
}
void TCustomAction::SetImageIndex(int value) {
  if (value == imageIndex_) return;
  imageIndex_ = value;
  Change();
}
void TCustomAction::SetShortCut(TShortCut value) {
  if (value == shortCut_) return;
  shortCut_ = value;
  Change();
}

bool TCustomAction::Execute() {
  if (!enabled_) return false;
  if (autoCheck_) SetChecked(!checked_);
  return TContainedAction::Execute();
}

// ---------------------------------------------------------------------------------------------
// Lists
TCustomActionList::~TCustomActionList() {
  Destroying();
  for (TContainedAction* action : std::vector<TContainedAction*>(actions_)) action->SetActionList(nullptr);
}

void TCustomActionList::SetImages(TCustomImageList* images) {
  if (images == images_) return;
  if (images_) images_->RemoveFreeNotification(this);
  images_ = images;
  if (images) images->FreeNotification(this);
}

void TCustomActionList::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation == opRemove && component == images_) images_ = nullptr;
}

bool TCustomActionList::ExecuteAction(TBasicAction* action) {
  bool handled = false;
  if (OnExecute) OnExecute(action, handled);
  return handled;
}

bool TCustomActionList::UpdateAction(TBasicAction* action) {
  bool handled = false;
  if (OnUpdate) OnUpdate(action, handled);
  return handled;
}

bool TCustomActionList::IsShortCut(TMessage& m) {
  TShortCut key = ShortCut(LOWORD(m.WParam), KeyDataToShiftState(m.LParam));
  if (!key) return false;
  for (TContainedAction* a : actions_)
    if (auto* action = ObjectAs<TCustomAction>(a); action && action->ShortCut() == key && action->Enabled()) {
      action->Update();
      return action->Execute();
    }
  return false;
}
