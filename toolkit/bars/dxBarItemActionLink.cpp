#include "dxBarItemActionLink.h"

#include "SysUtils.h"
#include "dxBarButtons.h"
#include "dxBarItem.h"

CALDERAN_IMPLEMENT_CLASS(TdxBarItemActionLink, TActionLink)

namespace {
TdxBarItem* ClientItem(TObject* client) {
  auto* item = ObjectAs<TdxBarItem>(client);
  if (!item) throw EInvalidCast("Invalid class typecast");
  return item;
}

TdxBarItemVisible VisibleOf(bool visible) { return visible ? ivAlways : ivNever; }
}  // namespace

TdxBarItemActionLink::TdxBarItemActionLink(TObject* client) : TActionLink(client), client_item_(ClientItem(client)) {}

TCustomAction* TdxBarItemActionLink::LinkedAction() const { return ObjectAs<TCustomAction>(Action()); }

void TdxBarItemActionLink::TakeActionValues() {
  TCustomAction* action = LinkedAction();
  if (!action) return;
  seenValid_ = true;
  seen_ = {action->Caption(), action->Hint(),       action->Checked(),  action->Enabled(), action->Visible(),
           action->HelpContext(), action->ImageIndex(), action->ShortCut(), action->OnExecute};
}

bool TdxBarItemActionLink::IsCaptionLinked() const {
  return LinkedAction() && client_item_->Caption() == seen_.Caption;
}

bool TdxBarItemActionLink::IsCheckedLinked() const {
  auto* button = ObjectAs<TdxBarButton>(client_item_);
  return LinkedAction() && button && button->Down() == seen_.Checked;
}

bool TdxBarItemActionLink::IsEnabledLinked() const {
  return LinkedAction() && client_item_->Enabled() == seen_.Enabled;
}

bool TdxBarItemActionLink::IsHelpContextLinked() const {
  return LinkedAction() && client_item_->HelpContext() == seen_.HelpContext;
}

// The hint also counts as linked while it still follows the item's caption.
bool TdxBarItemActionLink::IsHintLinked() const {
  if (!LinkedAction()) return false;
  return client_item_->Hint() == seen_.Hint || client_item_->HintFollowsCaption();
}

bool TdxBarItemActionLink::IsImageIndexLinked() const {
  return LinkedAction() && client_item_->GetImageIndex() == seen_.ImageIndex;
}

bool TdxBarItemActionLink::IsShortCutLinked() const {
  return LinkedAction() && client_item_->ShortCut() == seen_.ShortCut;
}

bool TdxBarItemActionLink::IsVisibleLinked() const {
  const bool loading = client_item_->ComponentState().Contains(csLoading);
  const TdxBarItemVisible visible = loading ? client_item_->LoadedVisible() : client_item_->Visible();
  return LinkedAction() && visible == VisibleOf(seen_.Visible);
}

bool TdxBarItemActionLink::IsOnExecuteLinked() const {
  return LinkedAction() && client_item_->OnClick == seen_.OnExecute;
}

void TdxBarItemActionLink::SetCaption(const std::string& value) {
  if (IsCaptionLinked()) client_item_->SetCaption(value);
}

void TdxBarItemActionLink::SetChecked(bool value) {
  if (IsCheckedLinked()) static_cast<TdxBarButton*>(client_item_)->SetDown(value);
}

void TdxBarItemActionLink::SetEnabled(bool value) {
  if (IsEnabledLinked()) client_item_->SetEnabled(value);
}

void TdxBarItemActionLink::SetHelpContext(int value) {
  if (IsHelpContextLinked()) client_item_->SetHelpContext(value);
}

void TdxBarItemActionLink::SetHint(const std::string& value) {
  if (IsHintLinked()) client_item_->SetHint(value);
}

void TdxBarItemActionLink::SetImageIndex(int value) {
  if (IsImageIndexLinked()) client_item_->SetImageIndexValue(value);
}

void TdxBarItemActionLink::SetShortCut(TShortCut value) {
  if (IsShortCutLinked()) client_item_->SetShortCut(value);
}

void TdxBarItemActionLink::SetVisible(bool value) {
  if (IsVisibleLinked()) client_item_->SetVisible(VisibleOf(value));
}

void TdxBarItemActionLink::SetOnExecute(TNotifyEvent value) {
  if (IsOnExecuteLinked()) client_item_->OnClick = value;
}

// Every value the action changed since the item last took them goes through its setter, which
// writes it only where the item still shows the action's old value.
void TdxBarItemActionLink::ApplyTo(TCustomAction* action) {
  if (!seenValid_) return TakeActionValues();
  if (action->Caption() != seen_.Caption) SetCaption(action->Caption());
  if (action->Checked() != seen_.Checked) SetChecked(action->Checked());
  if (action->Enabled() != seen_.Enabled) SetEnabled(action->Enabled());
  if (action->HelpContext() != seen_.HelpContext) SetHelpContext(action->HelpContext());
  if (action->Hint() != seen_.Hint) SetHint(action->Hint());
  if (action->ImageIndex() != seen_.ImageIndex) SetImageIndex(action->ImageIndex());
  if (action->ShortCut() != seen_.ShortCut) SetShortCut(action->ShortCut());
  if (action->Visible() != seen_.Visible) SetVisible(action->Visible());
  if (!(action->OnExecute == seen_.OnExecute)) SetOnExecute(action->OnExecute);
  TakeActionValues();
}
