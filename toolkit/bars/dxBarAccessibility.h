// The navigation objects of the bar system: the accessibility object of each bar window and item
// control, with what keyboard navigation and key tips need on top of the plain tree: selection,
// moving by direction or by Tab, and the key tips of an object and of its children (made unique
// before they are shown). A bar window's object has its item controls' objects as children; an
// item control's object moves, selects and runs its item through its bar window's object.
//
// Objects are made on first request by their owner's CreateAccessibilityHelper and kept until the
// owner goes (ReleaseAccessibilityHelper, from the owner's destructor); the navigation controller
// holds the ones it works with, and forgets each one whose owner goes.
//
// Left for later: the objects of dock sites, menu windows, toolbar marks and caption buttons, of
// hosted edit windows and of the ribbon's parts; a plain toolbar window has no key-tip windows
// manager (key tips show where a root, such as the ribbon, brings one).
#pragma once
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "cxAccessibility.h"
#include "dxBarCanvas.h"
#include "dxBarTypes.h"

class TdxBarAccessibilityHelper;
using TdxBarAccessibilityHelperRef = std::shared_ptr<TdxBarAccessibilityHelper>;
using TdxBarKeyTipDataList = std::vector<std::unique_ptr<TdxBarKeyTipData>>;

// Directions of keyboard navigation.
enum TdxBarNavigationDirection : int { bndLeft = 0, bndUp = 1, bndRight = 2, bndDown = 3 };

class TdxBarAccessibilityHelper : public TcxAccessibilityHelper {
  CALDERAN_CLASS(TdxBarAccessibilityHelper)
  using TcxAccessibilityHelper::TcxAccessibilityHelper;

  TdxBarAccessibilityHelperRef Ref();

  // The object that shows key-tip badges: the key-tip parent's; nil when there is none.
  virtual IdxBarKeyTipWindowsManager* GetKeyTipWindowsManager();
  virtual bool AcceptsNavigationKey(Word) { return true; }
  // Root objects only (bar windows, the ribbon); any other raises.
  virtual TdxBarManager* GetRootBarManager();
  virtual TdxBarAccessibilityHelper* GetDefaultSelectableObject();
  // The nearest visible selectable object of the tree in the direction, from the selected one.
  virtual TdxBarAccessibilityHelper* GetNextAccessibleObject(int direction);
  virtual bool HandleNavigationKey(Word&) { return false; }
  virtual bool IsNavigationKey(Word) { return false; }
  // The next (or previous) selectable object in Tab order; Tab wraps round the tree.
  virtual TdxBarAccessibilityHelper* GetNextTabObject(bool forward);
  virtual void Select(bool byTab);
  virtual void Unselect(TdxBarAccessibilityHelper* next);
  virtual std::string GetAssignedKeyTip() = 0;
  virtual std::string GetDefaultKeyTip() = 0;
  // The assigned key tip, else the default one, at most 3 characters.
  virtual std::string GetKeyTip();
  virtual TdxBarKeyTipData* CreateKeyTipData();
  virtual void GetKeyTipInfo(TdxBarKeyTipInfo& info);
  virtual void AddKeyTip(TdxBarKeyTipDataList& list);
  // Selectable children add their key tips, the others their own children's.
  virtual void CollectKeyTips(TdxBarKeyTipDataList& list);
  virtual TdxBarAccessibilityHelper* GetParentForKeyTip();
  virtual bool CanShowKeyTips() { return IsSelectable(); }
  // A level of key tips of its own (Esc in a deeper level comes back to it).
  virtual bool IsKeyTipContainer() { return false; }
  virtual void KeyTipHandler(TObject* sender);
  virtual void KeyTipsEscapeHandler();
  virtual TdxBarAccessibilityHelper* GetNavigationChild(int index);
  virtual int GetNavigationChildCount() { return GetChildCount(); }
  virtual int GetNavigationChildIndex(TdxBarAccessibilityHelper* child) { return IndexOfChild(child); }

  // Nil for an invisible object; itself when selectable; else the first (or last) child that has one.
  TdxBarAccessibilityHelper* GetFirstSelectableObject();
  TdxBarAccessibilityHelper* GetLastSelectableObject();
  bool IsSelected();
  TdxBarAccessibilityHelper* GetBarHelperParent() const;
  // The visible selectable objects of the tree under this one (this one included) that lie in the
  // direction from the rectangle and share some of its height (left, right) or width (up, down).
  void CollectNavigationCandidates(const TRect& from, int direction, std::vector<TdxBarAccessibilityHelper*>& list);

 protected:
  void NotifyOwnerDestroyed() override;
};

// The neighbour among the candidates in the direction from the object's bounds (the nearest, then
// the closest to the straight direction); with wrap, left and right go on from the far end of the
// row. Nil when none.
TdxBarAccessibilityHelper* FindNeighbourHelperInDirection(TdxBarAccessibilityHelper* helper,
                                                          const std::vector<TdxBarAccessibilityHelper*>& candidates,
                                                          int direction, bool wrap);
// From the object's parent up: the first that is a level of key tips of its own, else the topmost;
// nil for an object without parent.
TdxBarAccessibilityHelper* FindNavigableAncestorHelper(TdxBarAccessibilityHelper* helper);

// The helper of a bar window or an item control, made on first request; nil for other objects.
TdxBarAccessibilityHelper* GetBarAccessibilityHelper(TObject* owner);
// The owner goes: its helper is told and dropped.
void ReleaseAccessibilityHelper(TObject* owner);
// The root of keyboard navigation for a window: the hook's answer when one is installed (the ribbon
// installs one), else nil.
using TdxBarAccessibilityRootHook = TdxBarAccessibilityHelper* (*)(HWND window);
void SetBarAccessibilityRootHook(TdxBarAccessibilityRootHook hook);
TdxBarAccessibilityHelper* GetAccessibilityHelperForWindow(HWND window);

// ---------------------------------------------------------------------------------------------
// Bar windows (toolbars and menus).
class TCustomdxBarControlAccessibilityHelper : public TdxBarAccessibilityHelper {
  CALDERAN_CLASS(TCustomdxBarControlAccessibilityHelper)
  explicit TCustomdxBarControlAccessibilityHelper(TCustomdxBarControl* bar);

  TCustomdxBarControl* BarControl() const;
  TcxAccessibilityHelper* GetChild(int index) const override;
  int GetChildCount() const override;
  int IndexOfChild(const TcxAccessibilityHelper* child) const override;
  HWND GetOwnerWindow() const override;
  TRect GetScreenRect() const override;
  int GetStateFlags() const override;
  TdxBarManager* GetRootBarManager() override;
  std::string GetAssignedKeyTip() override { return ""; }
  std::string GetDefaultKeyTip() override { return ""; }

  // Key tips of items sit on the centre of the item.
  virtual void GetItemKeyTipPosition(TdxBarItemControl* control, TPoint& basePoint, Byte& horzAlign, Byte& vertAlign);
  // The nearest visible selectable object in the direction from the item, without wrapping.
  virtual TdxBarAccessibilityHelper* GetNextItemObject(TdxBarItemControl* control, int direction);
  virtual bool AreItemsHidden() const { return false; }
  // The focused window deactivates; another only drops its selection.
  virtual void ResetBarSelection();
};

// Toolbar windows: roots of their own navigation; the arrows along the toolbar walk its links
// round, across it they search by geometry.
class TdxBarControlAccessibilityHelper : public TCustomdxBarControlAccessibilityHelper {
  CALDERAN_CLASS(TdxBarControlAccessibilityHelper)
  using TCustomdxBarControlAccessibilityHelper::TCustomdxBarControlAccessibilityHelper;

  TdxBarAccessibilityHelper* GetDefaultSelectableObject() override { return this; }
  bool HandleNavigationKey(Word& key) override;
  // Activates the window, which selects its first selectable link.
  void Select(bool byTab) override;
  void Unselect(TdxBarAccessibilityHelper* next) override;
  TdxBarAccessibilityHelper* GetNextItemObject(TdxBarItemControl* control, int direction) override;
};

// ---------------------------------------------------------------------------------------------
// Item controls.
class TdxBarItemControlAccessibilityHelper : public TdxBarAccessibilityHelper {
  CALDERAN_CLASS(TdxBarItemControlAccessibilityHelper)
  explicit TdxBarItemControlAccessibilityHelper(TdxBarItemControl* control);

  TdxBarItemControl* ItemControl() const;
  TCustomdxBarControlAccessibilityHelper* ParentBarHelper() const;
  TdxBarAccessibilityHelper* GetNextAccessibleObject(int direction) override;
  bool HandleNavigationKey(Word& key) override;
  void Select(bool byTab) override;
  void Unselect(TdxBarAccessibilityHelper* next) override;
  HWND GetOwnerWindow() const override;
  TcxAccessibilityHelper* GetParent() const override;
  TRect GetScreenRect() const override;
  bool IsSelectable() const override;
  int GetStateFlags() const override;
  std::string GetAssignedKeyTip() override;
  // Ctrl plus a letter gives the letter, else the caption's accelerator, else "Y".
  std::string GetDefaultKeyTip() override;
  void GetKeyTipInfo(TdxBarKeyTipInfo& info) override;
};

// Buttons and the like: a key tip clicks the item, or opens its drop-down and shows the key tips of
// the menu that opened.
class TdxBarButtonLikeControlAccessibilityHelper : public TdxBarItemControlAccessibilityHelper {
  CALDERAN_CLASS(TdxBarButtonLikeControlAccessibilityHelper)
  using TdxBarItemControlAccessibilityHelper::TdxBarItemControlAccessibilityHelper;
  void KeyTipHandler(TObject* sender) override;

 protected:
  // Ends navigation and clicks as from the keyboard (the item stays pressed if it would).
  virtual void ClickByKeyTip();
  virtual bool IsDropDownKind() { return false; }
  virtual bool DropDownByKeyTip() { return false; }
};

class TdxBarButtonControlAccessibilityHelper : public TdxBarButtonLikeControlAccessibilityHelper {
  CALDERAN_CLASS(TdxBarButtonControlAccessibilityHelper)
  using TdxBarButtonLikeControlAccessibilityHelper::TdxBarButtonLikeControlAccessibilityHelper;

 protected:
  bool IsDropDownKind() override;
  bool DropDownByKeyTip() override;
};
