// The base windowed control of the toolkit and what comes with it: built-in scroll bars and size
// grip, child components, the toolkit's drag and drop, popup windows, drag images and hint windows,
// and the unit that starts them. Its routines, hidden windows and timers are in cxControlsRoutines.h
// (toolkit/base): this layer stands over the look and feel, which draws everything here.
#pragma once
#include <windows.h>

#include <memory>
#include <string>

#include "Classes.h"
#include "Controls.h"
#include "Forms.h"
#include "ImgList.h"
#include "Menus.h"
#include "cxClasses.h"
#include "cxControlsRoutines.h"
#include "cxGraphics.h"
#include "cxLookAndFeels.h"
#include "cxScrollBar.h"

// ---------------------------------------------------------------------------------------------
// The base windowed control of the toolkit: its own look and feel, painting through the painter,
// built-in scroll bars and size grip, the toolkit's drag and drop next to the framework's, focus
// on click, a key set for the dialog manager, popup menus of either kind and font listeners.

class TcxControl;
class TcxDragAndDropObject;
class TcxDragImageList;

// Private message: re-read the system's scroll-bar sizes.
inline constexpr UINT CXM_SCROLLBARMETRICS = 0x8065;

class IcxLookAndFeelOwner {
 public:
  virtual TcxLookAndFeel* GetLookAndFeel() = 0;

 protected:
  ~IcxLookAndFeelOwner() = default;
};

// An object that held the mouse capture of a toolkit control hears when it lost it.
class IcxMouseCaptureObject {
 public:
  virtual void DoCancelMode() = 0;

 protected:
  ~IcxMouseCaptureObject() = default;
};

class IcxFontListener {
 public:
  virtual void FontChanged(TObject* sender, TFont* font) = 0;

 protected:
  ~IcxFontListener() = default;
};

enum TcxControlBorderStyle : uint8_t { cxcbsNone, cxcbsDefault };
enum TcxDragAndDropState : uint8_t { ddsNone, ddsStarting, ddsInProcess };
enum TcxKey : uint8_t { kAll, kArrows, kChars, kTab };
using TcxKeys = TSet<TcxKey>;
// Which built-in bars may show (the framework's none, horizontal, vertical, both).
using TcxScrollStyle = TScrollStyle;
// 0 none, 1 left, 2 right, 3 up, 4 down.
enum TcxDirection : uint8_t { dirNone, dirLeft, dirRight, dirUp, dirDown };

// Middle-button panning: where the mouse stands against the anchor decides the direction and the
// speed (0..12) of scrolling. Outside the neutral zone (the anchor's square; the whole screen
// width without a horizontal bar, the whole height without a vertical one) the mouse has moved out.
struct TcxPanningState {
  TPoint Anchor;
  int AnchorSize = 29;
  bool HorzBarShown = false, VertBarShown = false;
  TcxDirection Direction = dirNone;
  int Speed = 0;
  bool MovedOut = false;
};
void CalcPanningDirectionAndSpeed(TcxPanningState& state, const TPoint& point, const TRect& screen);
enum TcxWheelScrollKind : uint8_t { wskNone, wskHorizontal, wskVertical };

// A built-in bar: the control describes it in Data; the update loop applies the record.
struct TcxScrollBarData {
  int Min = 0, Max = 0, Position = 0, PageSize = 0;
  Word SmallChange = 1, LargeChange = 1;
  bool Enabled = true, Visible = false;
  bool AllowShow = false, AllowHide = false;
};

class TcxControlScrollBar : public TcxScrollBar {
  CALDERAN_CLASS(TcxControlScrollBar)
  explicit TcxControlScrollBar(TComponent* owner);
  ~TcxControlScrollBar() override;
  void Dispatch(TMessage& message) override;

  TcxScrollBarData Data;
  void ApplyData();
  void ApplyInitialVisibility(bool visible);

 protected:
  // Focuses the parent before the bar's own handling of a left-button press.
  virtual void FocusParent();
  void WndProc(TMessage& message) override;
};

class TcxSizeGrip : public TCustomControl {
  CALDERAN_CLASS(TcxSizeGrip)
  explicit TcxSizeGrip(TComponent* owner);
  void Dispatch(TMessage& message) override;
  TcxLookAndFeel* LookAndFeel() const { return lookAndFeel_.get(); }

 protected:
  void Paint() override;

 private:
  void LookAndFeelChanged(TcxLookAndFeel*, TcxLookAndFeelValues) { Invalidate(); }
  std::unique_ptr<TcxLookAndFeel> lookAndFeel_;
};

// A component that belongs to a toolkit control (streamed as its child).
class TcxControlChildComponent : public TcxComponent {
  CALDERAN_CLASS(TcxControlChildComponent)
  explicit TcxControlChildComponent(TComponent* owner);
  ~TcxControlChildComponent() override;
  // Owned by the control's owner when takeOwner is set, else by nobody.
  static TcxControlChildComponent* CreateForControl(TClass cls, TcxControl* control, bool takeOwner = true);

  TcxControl* Control() const { return control_; }
  virtual bool IsDestroying() const { return ComponentState().Contains(csDestroying); }
  virtual void Initialize() {}
  virtual void SetControl(TcxControl* control) { control_ = control; }
  bool HasParent() const override { return true; }
  TComponent* GetParentComponent() const override;
  void SetParentComponent(TComponent* parent) override;

 private:
  TcxControl* control_ = nullptr;
};

// The framework's drag object of toolkit controls: the copy cursor while Ctrl is down.
class TcxDragControlObject : public TDragControlObject {
  CALDERAN_CLASS(TcxDragControlObject)
  explicit TcxDragControlObject(TControl* control) : TDragControlObject(control) {}
  void Finished(TObject* target, int x, int y, bool accepted) override;
  TCursor GetDragCursor(bool accepted, int x, int y) override;
};

class TcxDragImageList : public TDragImageList {
  CALDERAN_CLASS(TcxDragImageList)
  using TDragImageList::TDragImageList;
};

// The toolkit's own drag and drop inside a control: made by the control on first use, follows the
// mouse while the control holds the capture.
class TcxDragAndDropObject : public TObject {
  CALDERAN_CLASS(TcxDragAndDropObject)
  explicit TcxDragAndDropObject(TcxControl* control);

  TcxControl* Control() const { return control_; }
  TcxCanvas* Canvas() const { return canvas_; }
  TPoint CurMousePos() const { return curMousePos_; }
  TPoint PrevMousePos() const { return prevMousePos_; }
  bool Dirty() const { return dirty_; }
  void SetDirty(bool value);

  virtual TCursor GetDragAndDropCursor(bool accepted) const;
  virtual bool GetImmediateStart() const { return false; }

  void Init();
  void DoDragAndDrop(const TPoint& point, bool& accepted);
  void DoEndDragAndDrop(bool accepted);

 protected:
  virtual void DirtyChanged() {}
  virtual void EndDragAndDrop(bool /*accepted*/) {}
  virtual void BeginDragAndDrop() { DirtyChanged(); }
  virtual void DragAndDrop(const TPoint& point, bool& accepted);
  virtual void PrepareEndDragAndDrop(bool /*accepted*/) { dirty_ = true; }
  void ChangeMousePos(const TPoint& point);

 private:
  TcxControl* control_;
  TcxCanvas* canvas_;
  TPoint curMousePos_{-1, -1};
  TPoint prevMousePos_{-1, -1};
  bool dirty_ = false;
};

class TcxControl : public TCustomControl, public IcxLookAndFeelOwner {
  CALDERAN_CLASS(TcxControl)
  explicit TcxControl(TComponent* owner);
  ~TcxControl() override;
  void WndProc(TMessage& message) override;
  void Dispatch(TMessage& message) override;

  // --- canvases and look
  TcxCanvas* cxCanvas() const { return canvas_.get(); }
  // The control's canvas once it has a window; before, a screen canvas for measuring.
  TcxCanvas* GetActiveCanvas();
  TcxLookAndFeel* LookAndFeel() const { return lookAndFeel_.get(); }
  void SetLookAndFeel(TcxLookAndFeel* value) { lookAndFeel_->Assign(value); }
  TcxLookAndFeel* GetLookAndFeel() override { return lookAndFeel_.get(); }
  virtual TcxCustomLookAndFeelPainterClass GetPainter() const { return lookAndFeel_->CurrentPainter(); }
  TcxControlBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TcxControlBorderStyle value);

  // --- keys, focus, menus
  TcxKeys Keys() const { return keys_; }
  void SetKeys(TcxKeys value) { keys_ = value; }
  bool FocusOnClick() const { return focusOnClick_; }
  void SetFocusOnClick(bool value) { focusOnClick_ = value; }
  // A framework popup menu or a component with IcxPopupMenuHandler; anything else is dropped.
  TComponent* PopupMenu() const { return popupMenu_; }
  void SetPopupMenu(TComponent* value);
  void AddFontListener(IcxFontListener* listener);
  void RemoveFontListener(IcxFontListener* listener);
  bool IsDestroying() const { return ComponentState().Contains(csDestroying); }
  virtual bool IsFocused() { return Focused(); }
  virtual bool IsDesigning() const { return ComponentState().Contains(csDesigning); }
  virtual bool CanFocusNow();
  void InvalidateRect(const TRect& rect, bool erase);
  void InvalidateWithChildren();

  // --- mouse
  TObject* MouseCaptureObject() const { return mouseCaptureObject_; }
  void SetMouseCaptureObject(TObject* value);
  TPoint MouseDownPos() const { return mouseDownPos_; }
  bool MouseButtonPressed() const { return mouseButtonPressed_; }
  bool IsRightButtonBeingReleased() const { return rightButtonBeingReleased_; }

  // --- bounds and built-in scroll bars
  virtual TRect GetBounds();
  virtual TRect GetClientBounds();
  virtual int GetBorderSize();
  TcxScrollStyle ScrollBars() const { return scrollBars_; }
  void SetScrollBars(TcxScrollStyle value);
  TcxControlScrollBar* HScrollBar() const { return hScrollBar_; }
  TcxControlScrollBar* VScrollBar() const { return vScrollBar_; }
  TcxSizeGrip* SizeGrip() const { return sizeGrip_; }
  bool IsHScrollBarVisible() const;
  bool IsVScrollBarVisible() const;
  void SetScrollBarInfo(TScrollBarKind kind, int min, int max, int step, int page, int pos, bool allowShow,
                        bool allowHide);
  virtual void UpdateScrollBars();
  void ScrollByDirection(TcxDirection direction);
  // Middle-button panning with its own message loop, while a built-in bar is shown; it ends with
  // a click (not passed on), Esc (passed on) or the loss of the mouse capture.
  void PanContent();
  bool Panning() const { return panning_; }
  virtual void Scroll(TScrollBarKind kind, TScrollCode code, int& position) { (void)kind, (void)code, (void)position; }

  // --- drag and drop
  TcxDragAndDropState DragAndDropState() const { return dragAndDropState_; }
  void SetDragAndDropState(TcxDragAndDropState value);
  TcxDragAndDropObject* DragAndDropObject();
  TClass DragAndDropObjectClass() const { return dragAndDropObjectClass_; }
  void SetDragAndDropObjectClass(TClass value) { dragAndDropObjectClass_ = value; }
  void FinishDragAndDrop(bool accepted);
  TDragImageList* GetDragImages() override;
  void DoStartDrag(TDragObject*& dragObject) override;
  void DoEndDrag(TObject* target, int x, int y) override;
  void DragOver(TObject* source, int x, int y, TDragState state, bool& accept) override;
  virtual bool IsCopyDrag() { return IsCtrlKeyDown(); }

  // --- built-in controls and child components
  virtual bool IsBuiltInControl(TControl* control) const;
  virtual bool TakesFocusOnBuiltInControlClick(TControl* control) { (void)control; return TakesFocusOnClick(); }
  virtual void AddChildComponent(TcxControlChildComponent* component);
  virtual void RemoveChildComponent(TcxControlChildComponent* component);

  TNotifyEvent OnFocusChanged;

 protected:
  // --- numbered operations that descendants refine
  virtual bool PopupContextMenu(TComponent* menu, int x, int y) { return ShowPopupMenu(this, menu, x, y); }
  virtual void ParentBackgroundChanged() {}
  virtual void AfterMouseDown(TMouseButton button, int x, int y);
  virtual bool AllowsDesignTimeDrag(int /*x*/, int /*y*/, TShiftState /*shift*/) { return true; }
  virtual void MouseDownHook(TMouseButton, TShiftState, int, int) {}
  virtual void BringBuiltInControlsToFront();
  virtual void EndMouseOperations();
  virtual bool TakesFocusOnClick();
  virtual bool TakesFocusOnClickAt(int /*x*/, int /*y*/) { return TakesFocusOnClick(); }
  virtual TCursor GetCursorAt(int /*x*/, int /*y*/) { return defaultCursor_; }
  virtual TcxWheelScrollKind GetWheelScrollKind();
  virtual bool ErasesBackground() { return false; }
  virtual void InitWindow() { ParentBuiltInControls(); }
  virtual void LookAndFeelChanged(TcxLookAndFeel* sender, TcxLookAndFeelValues changedValues) { (void)sender, (void)changedValues; }
  virtual bool ScrollsWithoutScrollBars(TcxDirection) { return false; }
  virtual TRect GetHScrollBarBounds();
  virtual TRect GetSizeGripBounds();
  virtual TRect GetVScrollBarBounds();
  virtual void CalculateScrollBarParams() {}
  virtual bool ScrollsByPixels(TScrollBarKind) { return false; }
  virtual bool HasBuiltInScrollBars() { return true; }
  virtual bool KeepsBuiltInControlsOnTop() { return true; }
  virtual void PlaceBuiltInControls();
  virtual void RefreshBuiltInControls();
  virtual TClass GetDragAndDropObjectClass() const;
  virtual void DrawDragImage(TcxCanvas*, const TRect&) {}
  virtual TClass GetDragImageListClass() const { return TcxDragImageList::StaticClass(); }
  virtual TPoint GetDragImageSize() { return TPoint(0, 0); }
  virtual bool HasDragImage() { return false; }
  virtual void FillDragImageList(TcxDragImageList* list);
  virtual bool StaysInPressArea(int x, int y);

  // --- notifications (the message-table operations)
  virtual void ColorChanged() {}
  virtual void VisibleChanged() {}
  virtual bool AcceptsPressWithoutFocus() { return false; }
  virtual void BoundsChanged() { UpdateScrollBars(); }
  virtual bool CanStartDrag(int /*x*/, int /*y*/) { return dragAndDropState_ == ddsNone; }
  virtual void CursorChanged() { defaultCursor_ = Cursor(); }
  virtual void DoCancelMode();
  virtual void FocusChanged();
  virtual void FontChanged();
  virtual bool IsDesignHitTest(int x, int y, TShiftState shift);
  virtual TClass GetDragControlObjectClass() const { return TcxDragControlObject::StaticClass(); }
  virtual bool AllowsFocus() { return true; }
  virtual void MouseEnter(TControl* control);
  virtual void MouseLeave(TControl* control);
  virtual void TextChanged() {}
  virtual void DragAndDropMove(const TPoint& point, bool& accepted);
  virtual void EndDragAndDrop(bool accepted);
  virtual bool WantsDragAndDrop(const TPoint&) { return false; }
  virtual bool AcceptsDragObject(TDragObject*) { return true; }
  virtual void BeginDragAndDrop();

  // --- the framework's steps
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void DestroyWindowHandle() override;
  void Paint() override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  void KeyDown(Word& key, TShiftState shift) override;
  bool DoMouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos) override;
  void Resize() override;
  void Notification(TComponent* component, TOperation operation) override;
  TPopupMenu* GetPopupMenu() override { return ObjectAs<TPopupMenu>(popupMenu_); }

  void CreateBuiltInControls();
  void DestroyBuiltInControls();
  void ParentBuiltInControls();
  void UpdateInternalControls();
  bool IsMenuShortCut(TMessage& message);

 private:
  friend class TcxControlScrollBar;
  friend class TcxSettingsController;
  void LookAndFeelChangedHandler(TcxLookAndFeel* sender, TcxLookAndFeelValues values) { LookAndFeelChanged(sender, values); }
  void ScrollBarScroll(TObject* sender, TScrollCode code, int& position);
  void CalculateScrollBarData();
  void JointHidePixelBars();
  void ApplyScrollBarVisibility(bool nested, bool hWasVisible, bool vWasVisible);
  void DispatchLeftPress(TMessage& message);
  void AfterDispatch(const TMessage& message);
  bool FocusOnPress(int& x, int& y);
  void ArmDragAndDrop();

  void WMPaint(TMessage& m);
  void WMEraseBkgnd(TMessage& m);
  void WMGetDlgCode(TMessage& m);
  void WMCancelMode(TMessage& m);
  void WMContextMenu(TMessage& m);
  void WMNCCalcSize(TMessage& m);
  void WMSetCursor(TMessage& m);
  void CXMScrollBarMetrics(TMessage& m);
  void CNKeyDown(TMessage& m);
  void CMDesignHitTest(TMessage& m);

  std::unique_ptr<TcxScreenCanvas> activeCanvas_;
  TcxControlBorderStyle borderStyle_ = cxcbsNone;
  bool calculatingScrollBarParams_ = false;
  std::unique_ptr<TcxCanvas> canvas_;
  bool creatingWindow_ = false;
  TCursor defaultCursor_ = crDefault;
  std::unique_ptr<TcxDragAndDropObject> dragAndDropObject_;
  TClass dragAndDropObjectClass_ = nullptr;
  TCursor dragAndDropPrevCursor_ = crDefault;
  TcxDragAndDropState dragAndDropState_ = ddsNone;
  std::unique_ptr<TcxDragImageList> dragImages_;
  bool finishingDragAndDrop_ = false;
  bool focusOnClick_ = true;
  std::vector<IcxFontListener*> fontListeners_;
  TcxControlScrollBar* hScrollBar_ = nullptr;
  bool initialHScrollBarVisible_ = false, initialVScrollBarVisible_ = false;
  bool isInitialScrollBarsParams_ = false;
  TcxKeys keys_;
  std::unique_ptr<TcxLookAndFeel> lookAndFeel_;
  bool mouseButtonPressed_ = false;
  TObject* mouseCaptureObject_ = nullptr;
  TPoint mouseDownPos_;
  bool rightButtonBeingReleased_ = false;
  TComponent* popupMenu_ = nullptr;
  TcxScrollStyle scrollBars_ = ssBoth;
  TcxSizeGrip* sizeGrip_ = nullptr;
  bool updatingScrollBars_ = false;
  TcxControlScrollBar* vScrollBar_ = nullptr;
  bool lastParentBackground_ = true;
  bool panning_ = false;
};

// Asks whether the mouse leaves the box of the drag threshold around the cursor before a button
// goes up: 0 released first, 1 a drag, 2 cancelled (Esc, or the capture went elsewhere).
int DetectDrag(HWND window);
// The framework's drag object now over a toolkit control, or null.
TDragObject* GetCurrentDragObject();

// ---------------------------------------------------------------------------------------------
// Feedback windows of dragging and the toolkit's popup and hint windows.

enum TcxPopupAlignHorz : uint8_t { pahLeft, pahCenter, pahRight };
enum TcxPopupAlignVert : uint8_t { pavTop, pavCenter, pavBottom };
enum TcxPopupDirection : uint8_t { pdHorizontal, pdVertical };
enum TcxPopupBorderStyle : uint8_t { pbsNone, pbsFlat, pbsSingle3D, pbsDouble3D };

// A borderless stay-on-top form shown beside or below an owner rectangle: it sizes itself around
// its child controls, flips to the side with more room, stays on the work area and closes when it
// or the application loses activation.
class TcxPopupWindow : public TForm {
  CALDERAN_CLASS(TcxPopupWindow)
  explicit TcxPopupWindow(TComponent* owner);
  ~TcxPopupWindow() override;
  void Dispatch(TMessage& message) override;

  bool Adjustable() const { return adjustable_; }
  void SetAdjustable(bool value) { adjustable_ = value; }
  TcxPopupAlignHorz AlignHorz() const { return alignHorz_; }
  void SetAlignHorz(TcxPopupAlignHorz value) { alignHorz_ = value; }
  TcxPopupAlignVert AlignVert() const { return alignVert_; }
  void SetAlignVert(TcxPopupAlignVert value) { alignVert_ = value; }
  int BorderSpace() const { return borderSpace_; }
  void SetBorderSpace(int value) { borderSpace_ = value; }
  TcxPopupBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TcxPopupBorderStyle value);
  TcxCanvas* cxCanvas() const { return canvas_.get(); }
  TcxPopupDirection Direction() const { return direction_; }
  void SetDirection(TcxPopupDirection value) { direction_ = value; }
  TColor FrameColor() const { return frameColor_; }
  void SetFrameColor(TColor value) { frameColor_ = value; }
  const TRect& OwnerBounds() const { return ownerBounds_; }
  void SetOwnerBounds(const TRect& value) { ownerBounds_ = value; }
  TControl* OwnerParent() const { return ownerParent_; }
  void SetOwnerParent(TControl* value) { ownerParent_ = value; }
  // The popup's window is owned by this window when set (the drag images use it).
  HWND PopupParentWindow() const { return popupParentWindow_; }
  void SetPopupParentWindow(HWND value) { popupParentWindow_ = value; }

  // Left (horizontal) or Top (vertical) of the popup; both are worked out in one go.
  virtual TPoint CalculatePosition();
  virtual void CalculateSize();
  virtual int GetBorderSpace(TcxBorder side);
  virtual TRect GetClientBounds();
  virtual int GetBorderWidth(TcxBorder side);
  virtual TRect GetOwnerScreenBounds();
  virtual void InitPopup();
  virtual void DrawFrame();
  virtual void ClosePopup() { Hide(); }
  virtual void Popup();

 protected:
  void CreateParams(TCreateParams& params) override;
  void Paint() override;
  void Deactivate() override;
  virtual void VisibleChanged() {}

 private:
  void WMActivate(TMessage& m);
  void WMActivateApp(TMessage& m);
  void MoveChildren(int dx, int dy);

  bool adjustable_ = true;
  TcxPopupAlignHorz alignHorz_ = pahLeft;
  TcxPopupAlignVert alignVert_ = pavBottom;
  int borderSpace_ = 0;
  TcxPopupBorderStyle borderStyle_ = pbsNone;
  std::unique_ptr<TcxCanvas> canvas_;
  TcxPopupDirection direction_ = pdVertical;
  TColor frameColor_ = clWindowText;
  TRect ownerBounds_;
  TControl* ownerParent_ = nullptr;
  HWND prevActiveWindow_ = nullptr;
  HWND popupParentWindow_ = nullptr;
};

// Where CalculatePosition puts a popup of the given size for an owner rectangle (screen
// coordinates) and a work-area chooser; the popup window uses it with the monitors' work areas.
struct TcxPopupPlacement {
  TcxPopupDirection Direction = pdVertical;
  TcxPopupAlignHorz AlignHorz = pahLeft;
  TcxPopupAlignVert AlignVert = pavBottom;
};
TPoint CalculatePopupPosition(const TcxPopupPlacement& placement, const TRect& owner, TSize size,
                              TRect (*workAreaAt)(const TPoint&));

// A semi-transparent window that never takes the mouse (the base of drag images).
class TcxCustomDragImage : public TcxPopupWindow {
  CALDERAN_CLASS(TcxCustomDragImage)
  explicit TcxCustomDragImage(TComponent* owner = nullptr);
  void Dispatch(TMessage& message) override;
  // Shows it without activating it, painted at once.
  virtual void ShowImage();
  void HideImage();

 protected:
  void CreateParams(TCreateParams& params) override;
};

class TcxDragImage : public TcxCustomDragImage {
  CALDERAN_CLASS(TcxDragImage)
  using TcxCustomDragImage::TcxCustomDragImage;
};

// A checkered rectangular ring that shows a size being dragged.
class TcxSizeFrame : public TcxCustomDragImage {
  CALDERAN_CLASS(TcxSizeFrame)
  explicit TcxSizeFrame(int frameWidth);
  ~TcxSizeFrame() override;
  int FrameWidth() const { return frameWidth_; }
  void DrawSizeFrame(const TRect& rect);
  void SetBounds(int left, int top, int width, int height) override;
  TcxRegion* Region() const { return region_.get(); }

 protected:
  void Paint() override;

 private:
  void BuildFrameRegion();
  void ApplyRegion();
  int frameWidth_;
  std::unique_ptr<TcxRegion> region_;
};

// The base of the toolkit's hint windows: shown without activation, kept on the work area, with
// the system's tooltip animation.
enum TcxHintAnimationStyle : uint8_t {
  cxhaSlideFromLeft, cxhaSlideFromRight, cxhaSlideDownward, cxhaSlideUpward, cxhaSlideFromCenter, cxhaHide,
  cxhaActivate, cxhaFadeIn, cxhaAuto, cxhaNone
};

class TcxBaseHintWindow : public THintWindow {
  CALDERAN_CLASS(TcxBaseHintWindow)
  explicit TcxBaseHintWindow(TComponent* owner);
  void Dispatch(TMessage& message) override;

  TcxHintAnimationStyle AnimationStyle() const { return animationStyle_; }
  void SetAnimationStyle(TcxHintAnimationStyle value) { animationStyle_ = value; }
  int AnimationDelay() const { return animationDelay_; }
  void SetAnimationDelay(int value) { animationDelay_ = value; }
  bool BorderStyle() const { return border_; }
  void SetBorderStyle(bool value) { border_ = value; }
  bool EraseBackground() const { return eraseBackground_; }
  void SetEraseBackground(bool value) { eraseBackground_ = value; }
  bool StandardHint() const { return standardHint_; }
  void SetStandardHint(bool value) { standardHint_ = value; }

  void ActivateHint(const TRect& rect, const std::string& hint) override;
  void SetBounds(int left, int top, int width, int height) override;
  // The style the animation uses now (automatic and the system's settings resolved).
  TcxHintAnimationStyle GetAnimationStyle() const;

 protected:
  void CreateParams(TCreateParams& params) override;
  virtual void RemoveWindowRegion();
  virtual void PrepareShow() {}
  virtual void ShowNoActivate();
  virtual void Animate();

 private:
  TcxHintAnimationStyle animationStyle_ = cxhaAuto;
  int animationDelay_ = 100;
  bool border_ = false;
  bool eraseBackground_ = false;
  bool standardHint_ = false;
};

// The style a hint animates with under the system's tooltip settings: none stays none, nothing
// animates while tooltip animation is off, automatic fades or slides down as the system does.
TcxHintAnimationStyle ResolveHintAnimationStyle(TcxHintAnimationStyle style, bool tooltipAnimation, bool tooltipFade);


extern const TUnitInfo cxControlsUnit;
