// The accessibility object of a part of a bar or ribbon window (a dock site, a bar window, a mark,
// a caption button, an item control): its owner, its place in the tree (parent and children), its
// screen bounds, whether it can be selected and whether it is visible. One object serves one owner
// and lives as long as someone holds it; the owner tells it when it goes, and from then on the
// object answers as if it had nothing.
//
// Built so far: the tree that keyboard navigation and key tips walk. Left for later: the outside
// accessibility interfaces (names, roles, values, hit tests, navigation by child id), which no
// window of the bar system hands out yet.
#pragma once
#include <windows.h>

#include <memory>

#include "Classes.h"
#include "Types.h"

// The state bit of an object that is not shown.
constexpr int cxAccessibilityInvisible = 0x8000;

class TcxAccessibilityHelper : public TObject, public std::enable_shared_from_this<TcxAccessibilityHelper> {
  CALDERAN_CLASS(TcxAccessibilityHelper)
  explicit TcxAccessibilityHelper(TObject* owner) : owner_(owner) {}

  TObject* OwnerObject() const { return owner_; }
  bool IsOwnerObjectLive() const { return ownerLive_; }
  // The owner is being destroyed: the object forgets it.
  void OwnerObjectDestroyed() { NotifyOwnerDestroyed(); }

  virtual TcxAccessibilityHelper* GetChild(int) const { return nullptr; }
  virtual int GetChildCount() const { return 0; }
  // Every kind with children answers it; the base raises.
  virtual int IndexOfChild(const TcxAccessibilityHelper* child) const;
  virtual HWND GetOwnerWindow() const { return nullptr; }
  virtual TcxAccessibilityHelper* GetParent() const { return nullptr; }
  // In screen coordinates; empty while the object is not shown.
  virtual TRect GetScreenRect() const { return {}; }
  virtual bool IsSelectable() const { return false; }
  virtual int GetStateFlags() const { return 0; }

  // The first child from the start index on (going forward from -1, backward from the count) that
  // can be selected; -1 when none. A start at or beyond the count raises.
  int GetNextSelectableChildIndex(int start, bool forward) const;
  // The topmost object reached through the parents.
  TcxAccessibilityHelper* GetRootHelper();
  bool IsObjectVisible() const { return (GetStateFlags() & cxAccessibilityInvisible) == 0; }

 protected:
  virtual void NotifyOwnerDestroyed() { ownerLive_ = false; }

 private:
  TObject* owner_;
  bool ownerLive_ = true;
};
