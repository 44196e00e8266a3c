// Actions: commands with a caption, state and shortcut that controls and menu items are linked
// to; a change of the action reaches every linked client, and clicking a client executes it.
#pragma once
#include <string>
#include <vector>

#include "Classes.h"
#include "Controls.h"
#include "Menus.h"

class TBasicAction;
class TCustomImageList;

// The link between an action and one client; descendants apply the action's changes.
class TBasicActionLink : public TObject {
  CALDERAN_CLASS(TBasicActionLink)
  explicit TBasicActionLink(TObject* client);
  ~TBasicActionLink() override;
  TBasicAction* Action() const { return action_; }
  void SetAction(TBasicAction* action);
  virtual bool Execute(TComponent* target = nullptr);
  virtual bool Update();
  TNotifyEvent OnChange;

 protected:
  friend class TBasicAction;
  virtual void Change();
  TObject* client_;

 private:
  TBasicAction* action_ = nullptr;
};

class TBasicAction : public TComponent {
  CALDERAN_CLASS(TBasicAction)
  explicit TBasicAction(TComponent* owner);
  ~TBasicAction() override;
  // Runs OnExecute; false when there is none.
  virtual bool Execute();
  // Runs OnUpdate; false when there is none.
  virtual bool Update();
  // The client that executed the action last.
  TComponent* ActionComponent() const { return actionComponent_; }
  void SetActionComponent(TComponent* component) { actionComponent_ = component; }
  TNotifyEvent OnExecute;
  TNotifyEvent OnUpdate;

 protected:
  friend class TBasicActionLink;
  // Tells every linked client that the action changed.
  void Change();
  void RegisterChanges(TBasicActionLink* link) { clients_.push_back(link); }
  void UnRegisterChanges(TBasicActionLink* link);

 private:
  std::vector<TBasicActionLink*> clients_;
  TComponent* actionComponent_ = nullptr;
};

class TCustomActionList;

class TContainedAction : public TBasicAction {
  CALDERAN_CLASS(TContainedAction)
  explicit TContainedAction(TComponent* owner) : TBasicAction(owner) {}
  ~TContainedAction() override;
  TCustomActionList* ActionList() const { return actionList_; }
  void SetActionList(TCustomActionList* list);
  const std::string& Category() const { return category_; }
  void SetCategory(const std::string& value) { category_ = value; }
  int Index() const;
  bool Execute() override;
  bool Update() override;
  bool HasParent() const override { return actionList_ != nullptr; }
  TComponent* GetParentComponent() const override;
  void SetParentComponent(TComponent* parent) override;

 private:
  TCustomActionList* actionList_ = nullptr;
  std::string category_;
};

class TCustomAction : public TContainedAction {
  CALDERAN_CLASS(TCustomAction)
  explicit TCustomAction(TComponent* owner) : TContainedAction(owner) {}
  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& value);
  bool Checked() const { return checked_; }
  void SetChecked(bool value);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool value);
  bool Visible() const { return visible_; }
  void SetVisible(bool value);
  const std::string& Hint() const { return hint_; }
  void SetHint(const std::string& value);
  int ImageIndex() const { return imageIndex_; }
  void SetImageIndex(int value);
  TShortCut ShortCut() const { return shortCut_; }
  void SetShortCut(TShortCut value);
  int HelpContext() const { return helpContext_; }
  void SetHelpContext(int value);
  int GroupIndex() const { return groupIndex_; }
  void SetGroupIndex(int value) { groupIndex_ = value; }
  bool AutoCheck() const { return autoCheck_; }
  void SetAutoCheck(bool value) { autoCheck_ = value; }
  // A disabled action does not run; an auto-check action toggles first.
  bool Execute() override;

 private:
  std::string caption_, hint_;
  bool checked_ = false, enabled_ = true, visible_ = true, autoCheck_ = false;
  int imageIndex_ = -1, groupIndex_ = 0, helpContext_ = 0;
  TShortCut shortCut_ = 0;
};

class TAction : public TCustomAction {
  CALDERAN_CLASS(TAction)
  using TCustomAction::TCustomAction;
};

using TActionEvent = TEvent<void(TBasicAction* Action, bool& Handled)>;

class TCustomActionList : public TComponent {
  CALDERAN_CLASS(TCustomActionList)
  explicit TCustomActionList(TComponent* owner) : TComponent(owner) {}
  ~TCustomActionList() override;
  int ActionCount() const { return static_cast<int>(actions_.size()); }
  TContainedAction* Actions(int index) const { return actions_.at(index); }
  TCustomImageList* Images() const { return images_; }
  void SetImages(TCustomImageList* images);
  // Runs OnExecute (or OnUpdate) of the list first: a handler that sets Handled stops the action's.
  virtual bool ExecuteAction(TBasicAction* action);
  virtual bool UpdateAction(TBasicAction* action);
  // Finds the enabled action of a shortcut and executes it.
  bool IsShortCut(TMessage& message);
  TActionEvent OnExecute;
  TActionEvent OnUpdate;

 protected:
  void Notification(TComponent* component, TOperation operation) override;

 private:
  friend class TContainedAction;
  std::vector<TContainedAction*> actions_;
  TCustomImageList* images_ = nullptr;
};

class TActionList : public TCustomActionList {
  CALDERAN_CLASS(TActionList)
  using TCustomActionList::TCustomActionList;
};

// The link of a control: caption, enabled, visible and hint follow the action; the click runs it.
class TActionLink : public TBasicActionLink {
  CALDERAN_CLASS(TActionLink)
  using TBasicActionLink::TBasicActionLink;

 protected:
  void Change() override;
  virtual void ApplyTo(TCustomAction* action);
};

class TControlActionLink : public TActionLink {
  CALDERAN_CLASS(TControlActionLink)
  using TActionLink::TActionLink;

 protected:
  void ApplyTo(TCustomAction* action) override;
};

extern const TUnitInfo ActnListUnit;
