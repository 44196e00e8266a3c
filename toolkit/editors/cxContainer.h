// The styled container: the style objects every container and popup takes its look from (one per
// state, each value resolved from the style itself, a shared style controller or a default), the
// view info that computes and paints the border, and the container control that hosts one inner
// platform control inside that border.
#pragma once
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "Controls.h"
#include "Graphics.h"
#include "cxClasses.h"
#include "cxControls.h"
#include "cxGraphics.h"
#include "cxLookAndFeels.h"

class TcxContainer;
class TcxContainerStyle;
class TcxContainerStyles;
class TcxStyleController;

// ---------------------------------------------------------------------------------------------
// Style values

enum TcxContainerBorderStyle : uint8_t { cbsNone, cbsSingle, cbsThick, cbsFlat, cbs3D, cbsUltraFlat, cbsOffice11 };

// The numbered values of a container style; the editor style numbers further ones (up to 31).
enum TcxContainerStyleValue : uint8_t {
  csvBorderColor, csvBorderStyle, csvColor, csvEdges, csvFont, csvHotTrack, csvShadow, csvTextColor, csvTextStyle,
  csvTransparentBorder
};
using TcxContainerStyleValues = TSet<TcxContainerStyleValue>;

// The state a style stands for, also its index in TcxContainerStyles.
enum TcxContainerStyleState : uint8_t { cssNormal, cssFocused, cssDisabled, cssHot };

// Case-insensitive (locale upper case) search of a style value by its property name.
bool FindStyleValueByName(const TcxContainerStyle* style, const std::string& name, TcxContainerStyleValue& value);

// The class operations of the style family: styles are made through them with their arguments.
class TcxContainerStyleClass : public TClassOperations {
 public:
  using TClassOperations::TClassOperations;
  virtual TcxContainerStyle* Create(TPersistent* owner, bool directAccess, TcxContainerStyle* parentStyle,
                                    TcxContainerStyleState state) const;
};

using TcxStyleChangedEvent = TEvent<void(TObject* Sender)>;

class TcxContainerStyle : public TcxInterfacedPersistent {
  CALDERAN_CLASS_WITH_OPERATIONS(TcxContainerStyle, TcxContainerStyleClass)
  TcxContainerStyle(TPersistent* owner, bool directAccess, TcxContainerStyle* parentStyle,
                    TcxContainerStyleState state);
  ~TcxContainerStyle() override;

  // --- values (reads resolve through the controller chain and the defaults)
  TColor BorderColor() const;
  void SetBorderColor(TColor value);
  TcxContainerBorderStyle BorderStyle() const;
  void SetBorderStyle(TcxContainerBorderStyle value);
  TColor Color() const { return ResolveColor(); }
  void SetColor(TColor value);
  TcxBorders Edges() const;
  void SetEdges(TcxBorders value);
  TFont* Font() const;
  void SetFont(TFont* value);
  bool HotTrack() const;
  void SetHotTrack(bool value);
  bool Shadow() const;
  void SetShadow(bool value);
  TColor TextColor() const { return GetTextColor(); }
  void SetTextColor(TColor value);
  TFontStyles TextStyle() const { return GetTextStyle(); }
  void SetTextStyle(TFontStyles value);
  bool TransparentBorder() const;
  void SetTransparentBorder(bool value);
  TcxLookAndFeel* LookAndFeel() const;
  void SetLookAndFeel(TcxLookAndFeel* value);
  // Nil when the style follows the default style controller.
  TcxStyleController* StyleController() const;
  void SetStyleController(TcxStyleController* value);
  TcxContainerStyleValues AssignedValues() const;
  void SetAssignedValues(TcxContainerStyleValues value);

  // --- state and structure
  TPersistent* Owner() const { return owner_; }
  TcxContainerStyle* ParentStyle() const { return parentStyle_; }
  TcxContainerStyleState State() const { return state_; }
  bool IsNormal() const { return parentStyle_ == nullptr; }
  bool DirectAccessMode() const { return directAccess_; }
  // The stored controller, the default one included.
  TcxStyleController* ActiveStyleController() const;
  TcxStyleChangedEvent OnChanged;

  // The font painting uses: the resolved font with the resolved text colour and style.
  TFont* GetEffectiveFont() const;
  void BeginChanges() { ++updateCount_; }
  void EndChanges();
  void Assign(TPersistent* source) override;
  void DefineProperties(TFiler* filer) override;
  // Refreshes the font of a normal style from the controller chain (or the defaults).
  void UpdateFont();

  // --- numbered operations
  virtual void SignalChange();
  virtual void ControllerChanged(TcxStyleController* controller);
  virtual void ControllerFreed(TcxStyleController* controller);
  virtual TColor DefaultBorderColor() const;
  virtual TcxContainerBorderStyle DefaultBorderStyle() const;
  virtual TColor DefaultColor() const;
  virtual TcxBorders DefaultEdges() const { return cxBordersAll; }
  virtual bool DefaultHotTrack() const { return true; }
  virtual bool DefaultShadow() const { return false; }
  virtual TColor DefaultTextColor() const;
  virtual TFontStyles DefaultTextStyle() const;
  virtual bool DefaultTransparentBorder() const { return true; }
  virtual void FontObjectChanged(TObject* sender);
  virtual TColor ResolveColor() const;
  virtual TcxStyleController* GetDefaultStyleController() const;
  // The colour where an assigned one must win over the parent-colour rule.
  virtual TColor EffectiveColor() const;
  virtual TColor GetTextColor() const;
  virtual TFontStyles GetTextStyle() const;
  virtual TcxContainerStyleValues NonStateValues() const;
  virtual int StyleValueCount() const { return 10; }
  virtual bool StyleValueName(int value, std::string& name) const;
  virtual bool HasBorder() const { return IsNormal() ? true : parentStyle_->HasBorder(); }
  virtual bool IsValueAssigned(int value) const;
  virtual void RestoreDefaults();

  // What a stored form keeps of the value of that name.
  bool IsStyleValueStored(const std::string& propertyName) const;
  // The same for a value by number (the stored test of its published property).
  template <TcxContainerStyleValue Value> bool IsValueStored() const {
    std::string name;
    return StyleValueName(Value, name) && IsStyleValueStored(name);
  }

 protected:
  // The style of the chain (this one or a controller's of the same state) that assigns the value.
  const TcxContainerStyle* AssigningStyle(TcxContainerStyleValue value) const;
  TcxContainerStyle* NormalStyle() const { return parentStyle_ ? parentStyle_ : const_cast<TcxContainerStyle*>(this); }
  TcxContainer* OwnerContainer() const;
  bool IsDestroying() const { return destroying_; }
  void MarkAssigned(TcxContainerStyleValue value);
  void RemoveAssigned(TcxContainerStyleValue value) { assigned_.Exclude(value); }
  // Stores a value into the field: skipped when assigned and equal, else marked and signalled.
  template <class T> void WriteValue(T TcxContainerStyle::*field, T value, TcxContainerStyleValue id);
  friend class TcxContainer;

 private:
  friend class TcxStyleController;
  bool FindAssigned(TcxContainerStyleValue value) const { return AssigningStyle(value) != nullptr; }
  bool IsCycle(TcxStyleController* controller) const;
  void CheckChanges();
  void LookAndFeelChanged(TcxLookAndFeel*, TcxLookAndFeelValues) { SignalChange(); }
  void ResetFontToDefault();
  void ReadIsFontAssigned(TReader* reader);
  void WriteIsFontAssigned(TWriter* writer);

  TColor borderColor_ = clWindowFrame;
  TcxContainerBorderStyle borderStyle_ = cbsNone;
  TcxBorders edges_ = cxBordersAll;
  bool hotTrack_ = true;
  bool shadow_ = false;
  bool transparentBorder_ = true;
  const bool directAccess_;
  int fontAssignLock_ = 0;
  bool destroying_ = false;
  std::unique_ptr<TcxLookAndFeel> lookAndFeel_;
  bool modified_ = false;
  TPersistent* const owner_;
  TcxContainerStyle* const parentStyle_;
  const TcxContainerStyleState state_;
  TFontStyles textStyle_;
  int updateCount_ = 0;
  std::unique_ptr<TFont> visibleFont_;
  TcxContainerStyleValues assigned_;
  TcxStyleController* styleController_ = nullptr;
  TColor color_ = clWindow;
  TFont* font_ = nullptr;
  std::unique_ptr<TFont> ownFont_;
  TColor textColor_ = clWindowText;
};

// The four state styles of a container, all owned.
class TcxContainerStyles : public TObject {
  CALDERAN_CLASS(TcxContainerStyles)
  TcxContainerStyles(TPersistent* owner, const TcxContainerStyleClass* styleClass);
  ~TcxContainerStyles() override;
  TcxContainerStyle* Style(TcxContainerStyleState state) const { return styles_[state]; }
  TcxContainerStyle* GetNormalStyle() const { return styles_[cssNormal]; }
  void AssignStyle(TcxContainerStyleState state, TcxContainerStyle* source) { styles_[state]->Assign(source); }
  void AssignNormalStyle(TcxContainerStyle* source) { AssignStyle(cssNormal, source); }
  void SetOnChanged(const TcxStyleChangedEvent& handler);

 private:
  TcxContainerStyle* styles_[4] = {};
};

// Input of a container's inner control handed to the container (nothing is handed without one):
// keys go to the container first, and the inner control's own handling runs only for a key still
// non-zero afterwards; a Tab never reaches either as a character or key-up, and an Enter character
// reaches only the container. Mouse points are moved into the container's coordinates.
void InnerKeyDownToContainer(TcxContainer* container, Word& key, TShiftState shift);
void InnerKeyPressToContainer(TcxContainer* container, char& key);
void InnerKeyUpToContainer(TcxContainer* container, Word& key, TShiftState shift);
void InnerMouseDownToContainer(TcxContainer* container, TControl* inner, TMouseButton button, TShiftState shift,
                               int x, int y);
void InnerMouseMoveToContainer(TcxContainer* container, TControl* inner, TShiftState shift, int x, int y);
void InnerMouseUpToContainer(TcxContainer* container, TControl* inner, TMouseButton button, TShiftState shift,
                             int x, int y);
// Adds to the inner control's dialog codes the characters, and Tab unless Ctrl is down.
void AddInnerDialogCodes(TcxContainer* container, TMessage& message);

// The published properties of the container style for stored forms (registered by the module).
void RegisterContainerStyleProperties();

// A component holding styles that many containers share.
class TcxStyleController : public TComponent {
  CALDERAN_CLASS(TcxStyleController)
  // Descendants whose styles are of a derived class pass that class.
  explicit TcxStyleController(TComponent* owner,
                              const TcxContainerStyleClass* styleClass = TcxContainerStyle::StaticClassOperations());
  ~TcxStyleController() override;
  void Loaded() override;

  TcxContainerStyles* Styles() const { return styles_.get(); }
  TcxContainerStyle* Style(TcxContainerStyleState state) const { return styles_->Style(state); }
  TcxContainerStyle* NormalStyle() const { return styles_->GetNormalStyle(); }
  TcxStyleController* FakeStyleController() const { return NormalStyle()->StyleController(); }
  void SetFakeStyleController(TcxStyleController*) {}
  bool IsDestroying() const { return destroying_; }
  const std::vector<TcxContainerStyle*>& Listeners() const { return listeners_; }

  virtual void AddStyleListener(TcxContainerStyle* style);
  const TcxContainerStyleClass* StyleClass() const { return NormalStyle()->ClassOperations(); }
  virtual void RemoveStyleListener(TcxContainerStyle* style);
  void NotifyStyleChanged();
  // Scales the controller's assigned font once in its lifetime (a form read at another density).
  void ScaleFont(int multiplier, int divisor);

  TNotifyEvent OnStyleChanged;

 private:
  void StyleChangedHandler(TObject*) { NotifyStyleChanged(); }
  bool destroying_ = false;
  bool fontScaled_ = false;
  std::vector<TcxContainerStyle*> listeners_;
  std::unique_ptr<TcxContainerStyles> styles_;
};

// The process-wide default style controller (set by the editor module; nil until then).
TcxStyleController* DefaultStyleController();
void SetDefaultStyleController(TcxStyleController* controller);

// ---------------------------------------------------------------------------------------------
// Container state, view info and inner-control interface

enum TcxContainerStateItem : uint8_t { csNormal, csActive, csDisabled, csHotTrack };
using TcxContainerState = TSet<TcxContainerStateItem>;
// 0 hot tracking off, 1 on but neither hot nor active, 2 on and hot or active.
enum TcxContainerHotState : uint8_t { chsNoHotTrack, chsNormal, chsSelected };
// The mouse button a refresh was caused by: 0 none, 1 left, 2 right, 3 middle.
enum TcxContainerMouseButton : uint8_t { cmbNone, cmbLeft, cmbRight, cmbMiddle };

// Private messages of a container window.
inline constexpr UINT CM_CXCONTAINER_REFRESH = 0x807F;
inline constexpr UINT CM_CXCONTAINER_UPDATESCROLLBARS = 0x8080;
inline constexpr UINT CM_CXCONTAINER_BUFFEREDPAINT = 0x8081;  // reserved
// Width of the drop shadow under and right of a container.
inline constexpr int cxContainerShadowWidth = 3;

int GetContainerBorderWidth(TcxContainerBorderStyle style);
// Border extents of the given width on the edges of the set and none on the others.
TRect ContainerEdgeExtents(TcxBorders edges, int width);
// Border extents widened at the right and bottom by the drop shadow.
TRect AddContainerShadow(TRect extents);
TcxContainerMouseButton ToContainerMouseButton(TMouseButton button);

// The computed look of a container: geometry, colours and state, and its painting.
class TcxContainerViewInfo : public TObject {
  CALDERAN_CLASS(TcxContainerViewInfo)
  TcxContainerViewInfo() = default;

  TColor BackgroundColor = clWindow;
  TColor BorderColor = clWindowFrame;
  TRect BorderRect;
  TcxContainerBorderStyle BorderStyle = cbsNone;
  int BorderWidth = 0;
  TRect Bounds;
  TRect ClientRect;
  TcxContainerState ContainerState{csNormal};
  TcxBorders Edges = cxBordersAll;
  TcxContainerHotState HotState = chsNoHotTrack;
  int NativePart = 0;
  int NativeState = 0;
  bool NativeStyle = false;
  TcxCustomLookAndFeelPainterClass Painter = nullptr;
  bool Shadow = false;
  TdxThemedObjectType ThemedObjectType = totEdit;

  virtual void DrawBorderRing(TcxCanvas* canvas, TRect rect);
  virtual TcxContainerBorderStyle BorderStyleOf() const { return BorderStyle; }
  virtual void PaintBody(TcxCanvas* canvas);
  virtual void SetBackColor(TColor value) { BackgroundColor = value; }
  virtual void TakeFrom(TcxContainerViewInfo* source) { ClientRect = source->ClientRect; }
  // The base never reports a partial change: an empty region.
  virtual TcxRegion* ChangedRegion(TcxContainerViewInfo* other);
  virtual void Shift(int dx, int dy);
  virtual void PaintAll(TcxCanvas* canvas) { PaintBody(canvas); }

 private:
  void PaintNativeBody(TcxCanvas* canvas);
};

// Two clBtnShadow bands of the shadow width under and right of the rectangle, each excluded from
// the clip once filled.
void DrawContainerShadow(TcxCanvas* canvas, const TRect& rect);

// Implemented by inner controls so that code holding one can reach its container.
class IcxContainerInnerControl {
 public:
  virtual TWinControl* HostedControl() = 0;
  virtual TcxContainer* OwnerContainer() = 0;

 protected:
  ~IcxContainerInnerControl() = default;
};
// The control itself when it is a container, else the container its inner-control interface
// names, else nil.
TcxContainer* GetContainerOfControl(TControl* control);
IcxContainerInnerControl* InnerControlInterface(TControl* control);

// The cached window region of a control inside a container.
struct TcxContainerInnerControlBounds {
  bool IsEmpty = true;
  TRect Rect;
};

// ---------------------------------------------------------------------------------------------
// The container control

class TcxContainer : public TcxControl, public IcxMouseTrackingCaller {
  CALDERAN_CLASS(TcxContainer)
  explicit TcxContainer(TComponent* owner);
  ~TcxContainer() override;
  void WndProc(TMessage& message) override;
  void Dispatch(TMessage& message) override;

  TWinControl* InnerControl() const { return innerControl_; }
  void SetInnerControl(TWinControl* control);
  TcxContainerStyles* Styles() const { return styles_.get(); }
  TcxContainerStyle* Style() const { return styles_->GetNormalStyle(); }
  TcxContainerStyle* StyleState(TcxContainerStyleState state) const { return styles_->Style(state); }
  void SetStyle(TcxContainerStyle* value) { styles_->AssignNormalStyle(value); }
  TcxContainerViewInfo* ViewInfo() const { return viewInfo_.get(); }
  TcxStyleController* FakeStyleController() const { return Style()->StyleController(); }
  void SetFakeStyleController(TcxStyleController*) {}
  bool InnerControlMouseDown() const { return innerControlMouseDown_; }
  void SetInnerControlMouseDown(bool value) { innerControlMouseDown_ = value; }

  void ShortRefresh(bool isMouseEvent = false);
  void PostScrollBarsUpdate();
  void LockInnerAlign(bool lock);
  void LockPopupMenu(bool lock);
  bool IsContainerDestroying() const { return IsDestroying() || destroying_; }
  void SetFocus() override;
  void GetTabOrderList(std::vector<TWinControl*>& list) override;
  void SetDragMode(TDragMode value);

  // --- numbered operations (see the class comment of each in the .cpp)
  virtual bool IsContainerFocused();
  virtual void ApplyStyleToInner();
  virtual void CalculateViewInfo(const TPoint& point, bool hotTrackAllowed);
  virtual bool HandlesTabKey() { return true; }
  virtual bool NeedsWindowRegion();
  virtual bool CanShowContextMenuAt(const TPoint&) { return true; }
  virtual void StyleChanged(TObject* sender);
  virtual void RefreshNow() { ShortRefresh(false); }
  virtual bool UsesParentBackground() const { return false; }
  virtual void InnerMouseLeave();
  virtual TcxContainerStyle* GetActiveStyle();
  virtual TRect CalcBorderWidths();
  virtual void CalcInnerControlRegion(const TRect& alignRect, TControl* control, TcxContainerInnerControlBounds& region);
  virtual TRect GetVisibleBorderRect();
  virtual const TcxContainerStyleClass* StyleClass() const { return TcxContainerStyle::StaticClassOperations(); }
  virtual TcxContainerViewInfo* CreateViewInfo() const { return new TcxContainerViewInfo; }
  virtual bool HasShadow();
  virtual void CallInnerWindowProc(TMessage& message);
  virtual TcxContainerStyle* SelectStateStyle();
  virtual TcxContainerStyleValues HiddenStyleValues() const { return {}; }
  virtual bool IsPlainChildContainer() const { return false; }
  virtual bool IsReadOnlyLook() const { return false; }
  virtual bool HasTransparentBackground() const { return false; }
  virtual bool RefreshContainer(const TPoint& point, TcxContainerMouseButton button, TShiftState shift,
                                bool isMouseEvent);
  // A refresh that laid the view info out says so: painting then draws it as it is.
  void ViewInfoCalculated() { viewInfoCalculated_ = true; }
  virtual void UpdateWindowRegion();
  virtual void AdjustInnerControl();
  virtual void ClipPaintToRegion(TcxCanvas* canvas);
  virtual void UpdateOwnScrollBar(TcxScrollBar* scrollBar);
  virtual TdxThemedObjectType ThemeClassIndex() const { return totEdit; }
  virtual int ThemePart() const;
  virtual int ThemeState();
  virtual TRect CalcOwnScrollBarRect(const TRect& screenRect);
  virtual bool IsOwnScrollBarEnabled(TcxScrollBar* scrollBar, const SCROLLBARINFO& info);
  virtual bool QueryInnerScrollBarInfo(SCROLLBARINFO& info, TScrollBarKind kind);
  virtual bool IsSystemScrollBarShown(const SCROLLBARINFO& info) const;
  virtual bool IsNativeStyle();
  virtual void FocusInnerControl();
  virtual void ShowOwnScrollBar(TcxScrollBar* scrollBar, bool visible);
  virtual void ResetInnerBoundsCache() { innerBounds_ = {}; }
  virtual TRect CalcHotTrackRect();
  virtual bool WantsArrowKeys() { return false; }
  // Called by the inner control's default handling; true when handled.
  virtual bool PreviewInnerMessage(TMessage& message);
  // Called by the inner control before it handles a message; true when handled.
  virtual bool HandleInnerKeyMessage(TMessage& message);
  virtual bool IsInPlaceContainer() const { return false; }
  virtual void UpdateOwnScrollBars(bool scrollInfoOnly = false);

  // The toolkit control's notifications and the platform's steps.
  bool IsFocused() override { return IsContainerFocused(); }
  TcxLookAndFeel* GetLookAndFeel() override { return Style()->LookAndFeel(); }
  bool HasBuiltInScrollBars() override { return false; }
  // The own bars follow the inner control's system bars, not the base control's records.
  void UpdateScrollBars() override { UpdateOwnScrollBars(false); }
  void Loaded() override;
  // IcxMouseTrackingCaller
  void MouseLeave() override { InnerMouseLeave(); }

  // Forwarders through which a control inside the container raises the container's events.
  void DoBeginAutoDrag() { BeginAutoDrag(); }
  void DoClick() { Click(); }
  void DoFocusChanged() { FocusChanged(); }
  void DoDblClick() { DblClick(); }
  bool DoInnerMouseWheel(TShiftState shift, int delta, TPoint position) { return DoMouseWheel(shift, delta, position); }
  void DoDragOver(TObject* source, int x, int y, TDragState state, bool& accept) { DragOver(source, x, y, state, accept); }
  void DoKeyDown(Word& key, TShiftState shift) { KeyDown(key, shift); }
  void DoKeyPress(char& key) { KeyPress(key); }
  void DoKeyUp(Word& key, TShiftState shift) { KeyUp(key, shift); }
  void DoMouseMove(TShiftState shift, int x, int y) { MouseMove(shift, x, y); }
  void DoMouseUp(TMouseButton button, TShiftState shift, int x, int y) { MouseUp(button, shift, x, y); }
  void DoMouseDown(TMouseButton button, TShiftState shift, int x, int y) { MouseDown(button, shift, x, y); }

 protected:
  // Descendants whose styles or view info are of derived classes name them here: the constructor
  // cannot ask a descendant's StyleClass or CreateViewInfo. The view info is taken over.
  TcxContainer(TComponent* owner, const TcxContainerStyleClass* styleClass, TcxContainerViewInfo* viewInfo);
  void AlignControls(TControl* control, TRect& rect) override;
  void AdjustClientRect(TRect& rect) override;
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void Paint() override;
  void Notification(TComponent* component, TOperation operation) override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseEnter(TControl* control) override;
  void MouseLeave(TControl* control) override;
  void KeyDown(Word& key, TShiftState shift) override;
  void Resize() override;
  void ColorChanged() override;
  void CursorChanged() override;
  void FontChanged() override;
  void FocusChanged() override;
  bool TakesFocusOnClick() override;
  bool CanFocusNow() override;
  TDragImageList* GetDragImages() override;
  void DragCanceled() override;
  TRect GetClientBounds() override { return viewInfo_->ClientRect; }
  bool IsInternalControl(TControl* control) const;
  void SetInternalSetting(bool value) { internalSetting_ = value; }

  // True when the style in force sets the value itself (for the focused and hot states, which show
  // the normal style's values, also when the normal style sets it).
  bool ActiveStyleOwns(TcxContainerStyleValue value);

 private:
  void UpdateActiveStyle();
  TcxContainerStyle* ActiveStyle() { return GetActiveStyle(); }
  TcxContainerState ComputeState(const TPoint& point, bool hotTrackAllowed);
  void CalculateStateAndBorder(const TPoint& point, bool hotTrackAllowed);
  TColor CalcBorderColor();
  TColor CalcBackgroundColor();
  TColor SkinEditorColor(bool text);
  void InvalidateBorderFrame();
  void StartHotTracking();
  void UpdateSizeGrip();
  void ParentColorChanged();
  void ParentFontChanged();
  void EnabledChanged();

  void WMSetFocus(TMessage& m);
  void WMKillFocus(TMessage& m);
  void WMWindowPosChanging(TMessage& m);
  void WMSetCursor(TMessage& m);
  void WMContextMenu(TMessage& m);
  void WMNCPaint(TMessage& m);

  TcxContainerStyleState activeStyleState_ = cssNormal;
  TcxContainerState activeStyleCacheState_{csNormal};
  TcxContainerStyle* activeStyle_ = nullptr;
  TWinControl* innerControl_ = nullptr;
  TcxContainerInnerControlBounds innerBounds_;
  bool innerControlMouseDown_ = false;
  bool destroying_ = false;
  bool refreshLock_ = false;
  bool viewInfoCalculated_ = false;
  int innerAlignLock_ = 0;
  int popupMenuLock_ = 0;
  bool refreshing_ = false;
  bool scrollBarsCalculating_ = false;
  TRect sizeGripRect_;
  bool sizeGripVisible_ = false;
  bool internalSetting_ = false;
  bool creating_ = true;
  std::unique_ptr<TcxContainerStyles> styles_;
  std::unique_ptr<TcxContainerViewInfo> viewInfo_;
};

// ---------------------------------------------------------------------------------------------
// Module routines shared by the editors

bool StringsMatch(const std::string& a, const std::string& b, bool caseSensitive);
TPoint GetMouseScreenPos();
TShiftState GetCurrentShiftState();
TRect GetControlSizeRect(TControl* control);
void GrowRectOnSides(TRect& rect, int amount, TcxBorders sides);
void ShrinkRectOnMissingSides(TRect& rect, int width, TcxBorders edges);
void InvalidateControlRect(TWinControl* control, const TRect& rect, bool erase);
// R, united with R moved by the shadow width when shadow is set, minus the cut-out; none when no
// region is asked for.
HRGN BuildWindowRegion(const TRect& rect, bool noRegion, const TRect& cutOut, bool shadow);
// Sets that region on the window only when it differs from the window's current one.
void ApplyWindowRegion(HWND window, const TRect& rect, bool noRegion, const TRect& cutOut, bool shadow);
bool QueryScrollBarInfo(HWND window, LONG object, SCROLLBARINFO& info);
// Whether the platform offers GetScrollBarInfo (looked up at start-up).
bool AreOwnScrollBarsUsable();
// The shift state of the last mouse press or release on any container (empty after a leave).
TShiftState LastContainerShiftState();

// ---------------------------------------------------------------------------------------------
// Popup windows: borderless drop-downs opened next to an owner control, closed by outside clicks,
// deactivation, the owner going away and explicit requests. The container module keeps the list of
// open popups and three thread hooks (call-window, get-message, mouse) that apply these rules.

// Private messages of a popup window: close (deferred) and show again.
inline constexpr UINT CM_CXPOPUP_CLOSE = 0x807D;
inline constexpr UINT CM_CXPOPUP_SHOW = 0x807E;

class TcxCustomPopupWindow : public TcxPopupWindow {
  CALDERAN_CLASS(TcxCustomPopupWindow)
  explicit TcxCustomPopupWindow(TControl* ownerControl);
  ~TcxCustomPopupWindow() override;
  void Dispatch(TMessage& message) override;

  TControl* OwnerControl() const { return ownerControl_; }
  bool CaptureFocus() const { return captureFocus_; }
  void SetCaptureFocus(bool value);
  bool TopmostWithOwner() const { return topmostWithOwner_; }
  void SetTopmostWithOwner(bool value);
  bool Modal() const { return modal_; }
  void SetModal(bool value) { modal_ = value; }
  TcxContainerStyle* Style() const { return style_.get(); }
  TcxContainerViewInfo* ViewInfo() const { return viewInfo_.get(); }
  TWinControl* FocusedControlOnShow() const { return focusedControl_; }
  // The control a queued show request gives the focus to.
  void SetFocusedControlOnShow(TWinControl* control) { focusedControl_ = control; }
  bool IsOpen() const;
  // Whether a click on the owner's area closed the popup and HandleOutsideClick took it; cleared.
  bool TakeClosedByOwnerClick();
  void MarkClosedByOwnerClick() { closedByOwnerClick_ = true; }
  void LockClosing(bool lock) { closingLock_ += lock ? 1 : (closingLock_ > 0 ? -1 : 0); }

  virtual void ShowPopup(TWinControl* focusedControl = nullptr);
  void ClosePopup() override;
  void ClosePopupDeferred();
  TRect GetOwnerScreenBounds() override;
  void InitPopup() override {}

  TNotifyEvent OnClosed, OnClosing, OnShown, OnShowing;

  // --- numbered operations
  virtual bool CanFitToWorkArea() { return false; }
  virtual void FireClosed() { if (OnClosed) OnClosed(this); }
  virtual void FireClosing() { if (OnClosing) OnClosing(this); }
  virtual void FireShown() { if (OnShown) OnShown(this); }
  virtual void FireShowing() { if (OnShowing) OnShowing(this); }
  virtual bool ErasesBackground() { return false; }
  virtual bool AcceptsSystemKey(Word key);
  virtual void CloseByModalResult() { ClosePopup(); }
  // True when the popup consumed a click outside it.
  virtual bool HandleOutsideClick(HWND window, UINT mouseMessage, const TPoint& point, TShiftState shift);
  virtual void StyleChanged(TObject*) {}
  virtual void FitIntoWorkArea(TPoint& position);
  virtual const TcxContainerStyleClass* StyleClass() const { return TcxContainerStyle::StaticClassOperations(); }
  virtual TcxContainerViewInfo* CreateViewInfo() const { return new TcxContainerViewInfo; }

 protected:
  // Descendants whose view info is of a derived class pass it here (taken over): the constructor
  // cannot ask a descendant's CreateViewInfo.
  TcxCustomPopupWindow(TControl* ownerControl, TcxContainerViewInfo* viewInfo);
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void Paint() override;
  void Deactivate() override;
  void VisibleChanged() override;
  void KeyDown(Word& key, TShiftState shift) override;
  void AdjustClientRect(TRect& rect) override;

 private:
  TWinControl* ChooseFocusedControl(TWinControl* requested);
  void PlaceOnTop();
  void RunModalLoop();
  void RecreateAndReopen();
  void CloseDeferred(TMessage&);
  TCustomForm* OwnerForm() const;

  bool captureFocus_ = true;
  int closingLock_ = 0;
  TWinControl* focusedControl_ = nullptr;
  bool topmostWithOwner_ = false;
  bool closedByOwnerClick_ = false;
  bool modal_ = true;
  TControl* ownerControl_;
  std::unique_ptr<TcxContainerStyle> style_;
  std::unique_ptr<TcxContainerViewInfo> viewInfo_;
};

// The open popups, in opening order (the last is the newest).
const std::vector<TcxCustomPopupWindow*>& OpenPopups();
bool IsPopupOpen(TCustomForm* form);
bool IsWindowOfControl(TControl* control, HWND window, bool includeDescendants);
bool IsDescendantWindowOfControl(TControl* control, HWND window);
bool IsWindowOfOwnerForm(TControl* ownerControl, HWND window);
HWND GetTopLevelAncestorWindow(HWND window);
bool RemovePendingMessages(HWND window, UINT first, UINT last, bool all);
void InstallPopupHooks();
void RemovePopupHooks();
// The mouse hook's rule for a button press on window at point (screen): true when the press goes
// on to the window, false when it is swallowed. Popups it concerns are closed.
bool ProcessPopupOutsideClick(HWND window, UINT message, const TPoint& point);

extern const TUnitInfo cxContainerUnit;
