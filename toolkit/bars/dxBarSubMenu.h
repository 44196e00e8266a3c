// Menu windows: the window that shows a menu (a sub item's menu, a button's drop-down, a popup
// menu opened at a point). A menu window is a bar window laid out as one column of item controls
// inside a border, with an optional side bar on the left and scroll buttons when its links do not
// fit the work area. It places itself on the monitor's work area (flipping to the other side of
// its owner item, or of the point, when there is more room there), keeps the keyboard while it is
// the innermost window of the active chain, and opens with the manager's menu animation.
//
// The open animation runs on the user-interface thread: a window timer of the menu draws one step
// per tick from an image of the finished menu, so nothing else moves or paints the window from
// another thread. Any key, real mouse movement or left press shows the whole menu at once.
//
// Left for later: the expand mark of rarely used links (recent-items mode shows all links here),
// the tear-off strip and its drag loop, and link dragging while customizing.
#pragma once
#include <windows.h>

#include "dxBarControl.h"
#include "dxBarItemLinks.h"

// The window timer of a menu's running unfold or slide.
constexpr UINT_PTR dxBarMenuAnimationTimerId = 4;

class TdxBarButtonControl;
class TdxBarShadow;
class TdxBarSubItemControl;

// What the owner of a menu's links may add: the width of a side bar at the menu's left edge, and
// its painting.
class IdxBarSubMenuOwner {
 public:
  virtual int GetBarSize() = 0;
  virtual void DoPaintBar(TCanvas* canvas, const TRect& rect) = 0;

 protected:
  ~IdxBarSubMenuOwner() = default;
};

// Where a menu of a size goes on a work area. `at` is the point asked for: the opening item's
// top-right corner for a menu beside it (ownerWidth set), its bottom-left corner for a menu under
// it (ownerHeight set), or the point itself (both 0). toRight and downwards are the directions
// the menu opens in.
struct TdxBarMenuPlacement {
  TRect Bounds;
  bool FlippedLeft = false;
  bool FlippedUp = false;
};
TdxBarMenuPlacement CalcMenuPlacement(const TPoint& at, const TSize& size, int ownerWidth, int ownerHeight,
                                      bool toRight, bool downwards, const TRect& workArea, bool clipWidth);
// The work area of the monitor nearest to a screen point.
TRect MonitorWorkAreaAt(const TPoint& point);
// The text height of a menu item: twice the base height for large items, two and a half times
// when they show descriptions, to the nearest integer (a half to the even neighbour).
int MenuItemTextSize(int baseSize, bool large, bool descriptions);

// One step of an unfold or slide: the visible part's bounds in the window's final client
// coordinates (the window shows the finished menu's image anchored at its growing corner).
struct TdxBarMenuAnimationRecord {
  TdxBarMenuAnimations Kind = maUnfold;
  bool FromRight = false;
  bool FromBottom = false;
  int ClientWidth = 0, ClientHeight = 0;
  int FirstValue = 0;
  int Delta = 0;
  int Step = 8;
};
TdxBarMenuAnimationRecord MakeMenuAnimationRecord(TdxBarMenuAnimations kind, int clientWidth, int clientHeight,
                                                  bool fromRight, bool fromBottom);
int MenuAnimationStepCount(const TdxBarMenuAnimationRecord& record);
TRect MenuAnimationStepRect(const TdxBarMenuAnimationRecord& record, int step);
// The kind a menu opens with: maRandom draws 0..99 (below 33 unfold, below 66 slide, else fade).
TdxBarMenuAnimations ChooseMenuAnimation(TdxBarMenuAnimations kind, int randomValue);

class TdxBarSubMenuControl : public TCustomdxBarControl {
  CALDERAN_CLASS(TdxBarSubMenuControl)
  TdxBarSubMenuControl(TComponent* owner, TdxBarManager* manager);
  ~TdxBarSubMenuControl() override;

  // --- What a menu answers as a bar window
  int GetKind() const override { return 2; }
  int PaintType() const override { return ptMenu; }
  bool CanActivate() const override { return true; }
  bool ClosesAfterClick() const override { return true; }
  bool IsDocked() const override { return false; }
  bool IsPopupBar() const override { return true; }
  bool CanShowHints() const override { return (GetBehaviourFlags() & 0x04) != 0; }
  Word GetBehaviourFlags() const override;
  int GetSeparatorSize() const override;
  int GetItemTextSize(TdxBarItemControl* control) const override;
  HBRUSH BkBrush() const override;
  TFont* ItemsFont() const override;
  void HideWindow() override;
  virtual bool IsInternalPopup() const;
  // A menu at a point, or inside a chain that started with one: the right button clicks too.
  virtual bool IsStandalone() const;
  virtual bool ClipsToWorkAreaWidth() const { return false; }
  virtual bool SelectsFirstItemByKey() const { return true; }
  // 200 ms when the painter reserves room for scroll buttons, else 80 ms.
  virtual UINT GetScrollInterval() const;

  // --- Opening
  // Places, shows and (with the show-animation flag) animates the window; the handle is made here.
  void Show();
  bool ShowAnimation() const { return showAnimation_; }
  void SetShowAnimation(bool value) { showAnimation_ = value; }
  TdxBarMenuAnimations AnimationKind() const { return animationKind_; }
  bool IsAnimating() const { return animating_; }
  // Draws the next step of a running unfold or slide (the animation timer's work; tests tick it).
  void AnimationTick();
  // Shows the whole menu at once.
  void StopAnimation();
  int OwnerWidth() const { return ownerWidth_; }
  int OwnerHeight() const { return ownerHeight_; }
  void SetOwnerWidth(int value) { ownerWidth_ = value; }
  void SetOwnerHeight(int value) { ownerHeight_ = value; }
  // The screen rectangle of the item the menu opens from (for the shadow along it); empty for none.
  void SetOwnerBounds(const TRect& rect) { ownerBounds_ = rect; }
  // The owner window of the popup window; nullptr: the manager's owner form.
  void SetParentWindowHandle(HWND window) { parentWindow_ = window; }
  bool FlippedLeft() const { return flippedLeft_; }
  bool FlippedUp() const { return flippedUp_; }
  TdxBarButtonControl* DropDownButton() const { return dropDownButton_; }
  void SetDropDownButton(TdxBarButtonControl* value) { dropDownButton_ = value; }
  TdxBarSubItemControl* SubItemControl() const { return subItemControl_; }
  void SetSubItemControl(TdxBarSubItemControl* value) { subItemControl_ = value; }
  // The item control that opened the menu: the drop-down button, else the sub-item control.
  TdxBarItemControl* Opener() const;
  TNotifyEvent OnCloseUp;
  TNotifyEvent OnPopup;

  // --- Geometry
  TSize CalcMenuSize();
  int ShortCutColumnWidth();
  TRect GetBorderRect() const;
  TRect GetMarginsRect() const;
  TRect GetItemsRect() const;
  TRect GetSideBarRect() const;
  int GetBarSize() const;
  TdxBarShadow* Shadow() const { return shadow_; }

  // --- Scrolling
  int TopIndex() const { return topIndex_; }
  void SetTopIndex(int index);
  bool TopScrollButtonShown() const { return topIndex_ > 0; }
  bool BottomScrollButtonShown() const { return bottomScrollButton_; }
  TRect ScrollButtonRect(bool top) const;
  bool IsScrolling() const { return scrollTimer_ != 0; }
  // One tick of timer 1: moves one link towards the scroll button under the cursor, or stops.
  void ScrollTick();

  void Dispatch(TMessage& message) override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void DestroyWindowHandle() override;
  void Paint() override;
  void DrawNonClient(HDC dc) override;
  void CalcItemRects(int first, int& bottom) override;
  void CloseUp() override;
  void DoSetSelectedItemControl(TdxBarItemControl* control) override;
  void DoMouseMove(TShiftState shift, const TPoint& point, TdxBarItemControl* control) override;
  virtual void PaintContent();
  // Fades the window in, or shows it plainly (an unfold or slide shows it step by step).
  virtual void ShowWindowAnimated();
  virtual void DrawFrame(HDC dc);
  // The links' owner when it adds a side bar.
  IdxBarSubMenuOwner* SubMenuOwner() const;

 private:
  void CalcPosition();
  void StartAnimation();
  void FinishAnimation();
  void DrawAnimationStep(int step);
  void CaptureAnimationImage();
  void ShowShadow();
  void HideShadow();
  void HandleMenuKey(TMessage& m);
  bool HandleExpansionKeys(Word key);
  void EscapeOneLevel();
  void LeftFromMenu(TMessage& m);
  void ForwardToRootToolbar(TMessage& m, Word key);
  void StartScrolling();
  void StopScrolling();
  void MakeItemControlVisible(TdxBarItemControl* control);
  void PaintScrollButtons(TcxCanvas* canvas);
  void WMRButton(TMessage& m);

  bool showAnimation_ = true;
  bool animating_ = false;
  TdxBarMenuAnimations animationKind_ = maNone;
  TdxBarMenuAnimationRecord animation_;
  int animationStep_ = 0;
  TBitmap* animationImage_ = nullptr;
  TPoint showPosition_;
  TPoint finalPosition_;
  int ownerWidth_ = 0;
  int ownerHeight_ = 0;
  TRect ownerBounds_;
  HWND parentWindow_ = nullptr;
  bool toRight_ = true;
  bool downwards_ = true;
  bool flippedLeft_ = false;
  bool flippedUp_ = false;
  bool hiding_ = false;
  bool bottomScrollButton_ = false;
  int topIndex_ = 0;
  UINT_PTR scrollTimer_ = 0;
  TdxBarButtonControl* dropDownButton_ = nullptr;
  TdxBarSubItemControl* subItemControl_ = nullptr;
  TdxBarShadow* shadow_ = nullptr;
};

// A menu that shows links of its own (links that belong to no item): the design controller's
// popup on a link, the toolbars popup, the quick-customizing popup. Any item may be placed on it.
class TdxBarInternalSubMenuControl : public TdxBarSubMenuControl, public IdxBarLinksOwner {
  CALDERAN_CLASS(TdxBarInternalSubMenuControl)
  TdxBarInternalSubMenuControl(TComponent* owner, TdxBarManager* manager);
  ~TdxBarInternalSubMenuControl() override;

  bool IsInternalPopup() const override { return true; }
  TdxBarItemLinks* OwnLinks() const { return ownLinks_; }

  // IdxBarLinksOwner
  bool CanContainItem(TdxBarItem* item, std::string& text) override;
  TCustomdxBarControl* CreateBarControl() override { return this; }
  TComponent* GetInstance() override { return this; }
  TdxBarItemLinks* GetItemLinks() override { return ownLinks_; }

 private:
  TdxBarItemLinks* ownLinks_;
};

// The popup the design controller opens on a link: it never unfolds or slides (a fade still fades).
class TdxBarCustomizingPopup : public TdxBarInternalSubMenuControl {
  CALDERAN_CLASS(TdxBarCustomizingPopup)
  TdxBarCustomizingPopup(TComponent* owner, TdxBarManager* manager);
  // Lets the application add links before the popup is filled and shown.
  void Fill();
};
