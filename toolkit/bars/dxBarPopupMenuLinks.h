// Popup-menu links: a bar popup menu as the context menu of an ordinary control. A link replaces
// the control's window procedure, answers its context-menu request with the popup menu (at the
// click point, or at the control's client point (-1, -1) for a keyboard request), and lets the
// popup menu's shortcuts work while the control (or, with ProcessChildren, a child) has the focus.
//
// Left for later: the manager's own PopupMenuLinks property and the search of an enclosing form's
// manager for shortcuts.
#pragma once
#include "Classes.h"
#include "Controls.h"

class TdxBarManager;
class TdxBarPopupMenu;
class TdxBarPopupMenuLink;

using TdxBarPopupMenuLinkActionEvent =
    TEvent<void(TdxBarPopupMenuLink* Sender, int& X, int& Y, bool ClickedByMouse, bool& AllowPopup)>;

class TdxBarPopupMenuLink : public TCollectionItem {
  CALDERAN_CLASS(TdxBarPopupMenuLink)
  explicit TdxBarPopupMenuLink(TCollection* collection);
  ~TdxBarPopupMenuLink() override;

  TControl* Control() const { return control_; }
  // A control outside the manager's owner is taken as nil.
  void SetControl(TControl* value);
  TdxBarPopupMenu* PopupMenu() const { return popupMenu_; }
  void SetPopupMenu(TdxBarPopupMenu* value) { popupMenu_ = value; }
  bool ProcessChildren() const { return processChildren_; }
  void SetProcessChildren(bool value) { processChildren_ = value; }
  TdxBarPopupMenuLinkActionEvent OnAction;

  // Shows the menu at a client point of the control; false when it was not allowed.
  bool Popup(const TPoint& point);
  bool IsShortCut(uint16_t shortCut);

 private:
  TdxBarManager* Manager() const;
  bool LiesInManagerOwner(TControl* control) const;
  void LinkWindowProc(TMessage& message);
  void ContextPopup(TObject* sender, TPoint mousePos, bool& handled);

  TControl* control_ = nullptr;
  TdxBarPopupMenu* popupMenu_ = nullptr;
  bool processChildren_ = true;
  bool inContextMenu_ = false;
  TWndMethod savedWindowProc_;
  TContextPopupEvent savedContextPopup_;
};

class TdxBarPopupMenuLinks : public TCollection {
  CALDERAN_CLASS(TdxBarPopupMenuLinks)
  explicit TdxBarPopupMenuLinks(TdxBarManager* manager);
  TdxBarManager* BarManager() const { return manager_; }
  TPersistent* GetOwner() override;
  TdxBarPopupMenuLink* Add() { return static_cast<TdxBarPopupMenuLink*>(TCollection::Add()); }
  TdxBarPopupMenuLink* Link(int index) const { return static_cast<TdxBarPopupMenuLink*>(Items(index)); }
  // The links of the control first, then the links that take their controls' children.
  bool IsShortCut(TControl* control, uint16_t shortCut);

 private:
  TdxBarManager* manager_;
};
