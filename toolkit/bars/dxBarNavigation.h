// Keyboard navigation over the bars while no menu is open: pressing and releasing Alt (or F10
// where the manager allows it) selects an object of the bar tree, the arrows and Tab move the
// selection between navigation objects, Esc backs out, and key tips (short letter codes over every
// reachable command) let the user type a command's code to run it. The manager's keyboard hook
// decides when a key goes to the controller; the controller decides what the key does.
//
// Holding Alt starts a 500 ms wait: key tips appear when it ends with Alt still down, or at once
// when Alt comes up first. The wait runs on a toolkit timer; KeyTipsWaitingTimerExpired is its
// tick (tests call it).
#pragma once
#include <windows.h>

#include <memory>
#include <string>

#include "cxControlsRoutines.h"
#include "dxBarAccessibility.h"

class TdxBarNavigationController : public TObject {
  CALDERAN_CLASS(TdxBarNavigationController)
  TdxBarNavigationController() = default;
  ~TdxBarNavigationController() override;

  // Key tips of the root appear after the wait. A nil root, or another root while one is waited
  // for, raises (callers must not); while key tips show or the wait runs nothing happens.
  void StartKeyTipsWaiting(TdxBarAccessibilityHelper* root);
  void StopKeyTipsWaiting(bool show);
  void KeyTipsWaitingTimerExpired();
  bool IsKeyTipsWaiting() const { return waitingRoot_ != nullptr; }
  bool IsKeyTipsShowing() const { return container_ != nullptr; }
  TdxBarAccessibilityHelper* KeyTipsWaitingRoot() const { return waitingRoot_.get(); }

  void EnterNavigationMode(TdxBarAccessibilityHelper* root);
  void ExitNavigationMode() { navigationMode_ = false; }
  bool NavigationMode() const { return navigationMode_; }
  bool IsNavigationModeFor(TCustomdxBarControl* bar) const;

  // The selected object and its parent: those of the bar window holding the menu focus while
  // there is one, else the stored ones.
  TdxBarAccessibilityHelper* SelectedObject() const;
  TdxBarAccessibilityHelper* SelectedObjectParent() const;
  // What Select and Unselect of the objects store.
  void SetSelection(TdxBarAccessibilityHelper* object, TdxBarAccessibilityHelper* parent);
  void ChangeSelectedObject(bool byTab, TdxBarAccessibilityHelper* newObject,
                            TdxBarAccessibilityHelper* oldObject = nullptr);
  void UnselectSelectedObject();
  void StopNavigation();
  void StopKeyTips();
  // An object's owner went: the controller lets go of it.
  void RemoveHelper(TdxBarAccessibilityHelper* helper);

  bool IsNavigationKey(Word key) const;
  bool WantsKey(Word key);
  void HandleNavigationKey(Word key, TdxBarAccessibilityHelper* parent = nullptr,
                           TdxBarAccessibilityHelper* object = nullptr);

  // Shows the key tips of the container (nil hides them) narrowed to those starting with typed.
  void SetKeyTipsShowingState(TdxBarAccessibilityHelper* container, const std::string& typed);
  TdxBarAccessibilityHelper* KeyTipsContainer() const { return container_.get(); }
  const TdxBarKeyTipDataList& KeyTips() const { return keyTips_; }
  const std::string& TypedKeyTip() const { return typed_; }
  // Whether the key counts as a key-tip key, and which key tip it reaches (exact: it completes).
  bool MatchKeyTipKey(Word key, bool& matched, TdxBarKeyTipData*& exact);
  void ExecuteKeyTipKey(Word key);

  // Makes the key tips unique: same texts get numbers (F1, F2; 01 .. 12), and a text that begins
  // another gets "1".
  static void MakeKeyTipsUnique(TdxBarKeyTipDataList& list);

 private:
  static TCustomdxBarControl* NavigationBarControl();
  static std::string KeyTipCharacter(Word key);
  static bool IsKeyTipKey(Word key);
  void FilterKeyTips();
  void HideKeyTipWindows();
  void OnWaitingTimer(TObject* sender);
  // Ends the wait and hands over its root.
  TdxBarAccessibilityHelperRef TakeWaitingRoot();

  bool handlingKey_ = false;
  TdxBarAccessibilityHelperRef container_;
  TdxBarKeyTipDataList keyTips_;
  std::string typed_;
  TdxBarAccessibilityHelperRef waitingRoot_;
  std::unique_ptr<TcxTimer> waitingTimer_;
  std::unique_ptr<TcxTimer> retiredTimer_;
  TdxBarKeyTipDataList waitingKeyTips_;  // collected from the waiting root for a key typed meanwhile
  bool navigationMode_ = false;
  TdxBarAccessibilityHelperRef selected_;
  TdxBarAccessibilityHelperRef selectedParent_;
};

// The bar unit's controller; nil before it started and after it stopped.
TdxBarNavigationController* BarNavigationController();
void CreateBarNavigationController();
void FreeBarNavigationController();

// Alt (or F10) went down and was neither released nor overridden since: the keyboard hook sets it,
// the controller clears it.
bool IsBarAltKeyDown();
void SetBarAltKeyDown(bool value);
