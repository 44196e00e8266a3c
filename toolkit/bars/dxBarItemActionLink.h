// The link between a bar item and an action: the action's Caption, Checked, Enabled, HelpContext,
// Hint, ImageIndex, ShortCut, Visible and OnExecute flow into the item while the item still shows
// the action's value. A value the user (or the program) changed on the item stays the item's own.
//
// The framework's actions tell their links after they stored a new value, so the link keeps the
// values it last saw of the action: "the item still shows the action's value" compares the item
// with that record, and the record then takes the new values.
#pragma once
#include <string>

#include "ActnList.h"
#include "dxBarTypes.h"

class TdxBarItemActionLink : public TActionLink {
  CALDERAN_CLASS(TdxBarItemActionLink)
  // Raises EInvalidCast for a client that is not a bar item.
  explicit TdxBarItemActionLink(TObject* client);

  TdxBarItem* Client() const { return client_item_; }
  // Records the action's values as those the item shows (after the item took them).
  void TakeActionValues();
  // A newly linked action: its first change notice only records its values.
  void ForgetActionValues() { seenValid_ = false; }

  bool IsCaptionLinked() const;
  bool IsCheckedLinked() const;
  bool IsEnabledLinked() const;
  bool IsHelpContextLinked() const;
  bool IsHintLinked() const;
  bool IsImageIndexLinked() const;
  bool IsShortCutLinked() const;
  bool IsVisibleLinked() const;
  bool IsOnExecuteLinked() const;

  void SetCaption(const std::string& value);
  void SetChecked(bool value);
  void SetEnabled(bool value);
  void SetHelpContext(int value);
  void SetHint(const std::string& value);
  void SetImageIndex(int value);
  void SetShortCut(TShortCut value);
  void SetVisible(bool value);
  void SetOnExecute(TNotifyEvent value);

 protected:
  void ApplyTo(TCustomAction* action) override;

 private:
  // The action's values as the item last took them.
  struct TSeen {
    std::string Caption, Hint;
    bool Checked = false, Enabled = true, Visible = true;
    int HelpContext = 0, ImageIndex = -1;
    TShortCut ShortCut = 0;
    TNotifyEvent OnExecute;
  };
  TCustomAction* LinkedAction() const;
  TdxBarItem* client_item_;
  TSeen seen_;
  bool seenValid_ = false;
};
