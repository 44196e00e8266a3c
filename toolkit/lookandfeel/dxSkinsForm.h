// Skinned window frames. A call-window hook on the user-interface thread sees every window of the
// process being created; a hidden helper window then attaches a window controller to each form,
// MDI client area, frame, standard push button and standard panel. The controller subclasses the
// window and, while a skin painter applies to it, takes over its non-client area (frame size, hit
// test, frame, caption, caption buttons and scroll bars painted from the skin) and paints its
// background. TdxSkinController is the component through which the application chooses the skin
// and decides form by form and control by control.
#pragma once
#include <windows.h>

#include <memory>
#include <string>

#include "Controls.h"
#include "Forms.h"
#include "cxClasses.h"
#include "cxControlsRoutines.h"
#include "cxGraphics.h"
#include "cxLookAndFeels.h"
#include "dxSkinsLookAndFeelPainter.h"

extern const TUnitInfo dxSkinsFormUnit;

// Registered at unit start-up by these names.
extern UINT WM_POSTREDRAW, WM_CHILDCHANGED, WM_POSTCREATE, WM_POSTCHECKRGN;

using TdxSkinPainterClass = const TdxSkinLookAndFeelPainter*;

class TdxSkinController;
class TdxSkinWinController;
class TdxSkinFormController;
class TdxSkinFormNonClientAreaInfo;

using TdxSkinFormEvent =
    TEvent<void(TdxSkinController* Sender, TCustomForm* AForm, std::string& ASkinName, bool& UseSkin)>;
using TdxSkinControlEvent = TEvent<void(TdxSkinController* Sender, TWinControl* AControl, bool& UseSkin)>;

// ---------------------------------------------------------------------------------------------
// The component on a form that sets the root look and feel and the skinning of window frames.
class TdxSkinController : public TcxLookAndFeelController {
  CALDERAN_CLASS(TdxSkinController)
  explicit TdxSkinController(TComponent* owner);
  ~TdxSkinController() override;

  // The process-wide skin switch (GlobalUseSkins).
  bool UseSkins() const { return GlobalUseSkins; }
  void SetUseSkins(bool value);

  TdxSkinFormEvent OnSkinForm;
  TdxSkinControlEvent OnSkinControl;

  void Loaded() override;
  void LookAndFeelChanged(TcxLookAndFeel* sender, TcxLookAndFeelValues changedValues) override;
  void LookAndFeelDestroying(TcxLookAndFeel* sender) override;

  virtual bool DoSkinControl(TWinControl* control);
  virtual TdxSkinPainterClass GetFormPainter(TCustomForm* form);
  virtual TdxSkinPainterClass DoSkinForm(TCustomForm* form, std::string& skinName, bool& useSkin);
};

// The window controllers of the process (attached, in order of attachment) and the questions the
// controllers ask of them.
TdxSkinWinController* FindControllerByHandle(HWND handle);
TdxSkinWinController* FindControllerByControl(TControl* control);
bool IsActiveSkinnedForm(HWND handle);
void RefreshSkinnedWindows();
// Every skin controller, from the last created to the first, chooses the form's painter again.
void RequeryFormPainter(TdxSkinFormController* controller);

// The choice of a controller class for a new window; replaceable (null: not skinned).
class TdxSkinWinControllerClass;
using TdxGetControllerClass = const TdxSkinWinControllerClass* (*)(HWND handle);
extern TdxGetControllerClass GetControllerClass;
const TdxSkinWinControllerClass* DefaultGetControllerClass(HWND handle);

// The common-controls flat scroll-bar calls, replaceable: a skinned form's bars are drawn by its
// controller, so the skinning unit asks for no redraw of them.
using TFlatSBSetScrollPos = int(WINAPI*)(HWND window, int bar, int position, BOOL redraw);
using TFlatSBSetScrollInfo = int(WINAPI*)(HWND window, int bar, LPSCROLLINFO info, BOOL redraw);
extern TFlatSBSetScrollPos FlatSBSetScrollPosProc;
extern TFlatSBSetScrollInfo FlatSBSetScrollInfoProc;

// ---------------------------------------------------------------------------------------------
// Window controllers.
class TdxSkinWinControllerClass : public TClassOperations {
 public:
  using TClassOperations::TClassOperations;
  // A controller subclassing the window (and refreshing it).
  virtual TdxSkinWinController* Create(HWND handle) const;
};

// The text colour of the skin's form content, in which text on a skinned form, panel or frame is
// drawn; clDefault when the skin gives none.
TColor SkinContentTextColor(TdxSkinPainterClass painter);

class TdxSkinWinController : public TcxIUnknownObject, public IcxMouseTrackingCaller {
  CALDERAN_CLASS_WITH_OPERATIONS(TdxSkinWinController, TdxSkinWinControllerClass)
  ~TdxSkinWinController() override;

  HWND Handle() const { return handle_; }
  void SetHandle(HWND handle);
  TControl* Control() const { return control_; }
  TdxSkinPainterClass Painter() const { return painter_; }
  void SetPainter(TdxSkinPainterClass painter) { painter_ = painter; }
  TdxSkinWinController* Owner() const { return owner_; }
  void SetOwner(TdxSkinWinController* owner) { owner_ = owner; }
  // The owner's painter when there is an owner, else this window's own.
  TdxSkinPainterClass GetPainter() const;

  virtual bool IsSkinActive() const;
  virtual TdxSkinWinController* GetOwner(HWND handle);
  virtual bool CanSkinControl();
  virtual void Subclass();
  virtual void ChooseSkin() {}
  virtual void Unsubclass();
  virtual void WndProc(TMessage& message) { CallDefault(message); }
  void MouseLeave() override {}
  virtual void Refresh();

  void CallDefault(TMessage& message);
  void FrameChanged();
  void Redraw(bool updateNow);
  bool HasNonWindowedChild() const;

  static bool IsMDIChild(HWND handle);
  static bool IsMDIClient(HWND handle);
  static bool IsMessageForm(HWND handle);

 protected:
  TdxSkinWinController() = default;
  bool AnswerWindowlessColorQuery(TMessage& message);

 private:
  friend class TdxSkinWinControllerClass;
  void SubclassedWndProc(TMessage& message) { WndProc(message); }

  HWND handle_ = nullptr;
  TdxSkinPainterClass painter_ = nullptr;
  TdxSkinWinController* owner_ = nullptr;
  TWndMethod savedControlProc_;                // a framework control's handler that was replaced
  std::unique_ptr<TWindowSubclass> subclass_;  // a foreign window's procedure
  TControl* control_ = nullptr;
};

class TdxSkinFormPainter;

class TdxSkinFormControllerClass : public TdxSkinWinControllerClass {
 public:
  using TdxSkinWinControllerClass::TdxSkinWinControllerClass;
  TdxSkinWinController* Create(HWND handle) const override;
};

class TdxSkinFormController : public TdxSkinWinController {
  CALDERAN_CLASS_WITH_OPERATIONS(TdxSkinFormController, TdxSkinFormControllerClass)
  ~TdxSkinFormController() override;

  TCustomForm* Form() const;
  TdxSkinFormNonClientAreaInfo* NonClientAreaInfo() const { return info_.get(); }
  TdxSkinFormPainter* FormPainter() const { return painter_.get(); }
  bool RegionSet() const { return regionSet_; }

  bool IsSkinActive() const override;
  void ChooseSkin() override;
  void WndProc(TMessage& message) override;
  void MouseLeave() override;
  void Refresh() override;

  virtual void CalculateNonClientArea();
  virtual void PaintClientBackground(HDC dc);
  virtual void RedrawNonClientArea();

  void LockRedraw();
  void UnlockRedraw();
  void CheckRegion(bool use);
  bool NeedRegion(WPARAM sizeType);
  void RemoveClientEdge();
  bool UpdateHotPart(bool force);

 protected:
  TdxSkinFormController();
  virtual void PrepareMessageForm();
  virtual bool HandleMessage(TMessage& message);

 private:
  friend class TdxSkinFormControllerClass;
  void WMDestroy(TMessage& m);
  void WMEraseBkgnd(TMessage& m);
  void WMNCActivate(TMessage& m);
  void WMNCLButtonDown(TMessage& m);
  void WMNCCalcSize(TMessage& m);
  void WMNCHitTest(TMessage& m);
  void WMNCLButtonUp(TMessage& m);
  void WMNCPaint(TMessage& m);
  void WMScroll(TMessage& m);
  void WMSetText(TMessage& m);
  void WMSize(TMessage& m);
  void WMSysCommand(TMessage& m);
  void WMNCMouseMove(TMessage& m);
  bool HandleRegisteredMessage(TMessage& m);
  void SetTrackPos(int bar, int position);
  void RemoveRegion();

  bool pendingRedraw_ = false;
  bool regionSet_ = false;
  int redrawLock_ = 0;
  std::unique_ptr<TdxSkinFormNonClientAreaInfo> info_;
  std::unique_ptr<TdxSkinFormPainter> painter_;
};

// ---------------------------------------------------------------------------------------------
// The non-client area of one skinned window: frame widths, caption and its buttons, scroll bars,
// fonts and colours, recalculated from the window's styles and sizes.
enum TdxCaptionButtonKind : uint8_t { cbIcon, cbHelp, cbMinimize, cbMaximize, cbRestore, cbClose };
using TdxCaptionButtons = TSet<TdxCaptionButtonKind>;
enum TdxScrollBarKindSet : uint8_t { sbkHorizontal, sbkVertical, sbkSizeBox };
using TdxScrollBars = TSet<TdxScrollBarKindSet>;

class TdxSkinFormNonClientAreaInfo : public TObject {
  CALDERAN_CLASS(TdxSkinFormNonClientAreaInfo)
  explicit TdxSkinFormNonClientAreaInfo(TdxSkinFormController* controller);
  ~TdxSkinFormNonClientAreaInfo() override;

  virtual void Calculate();
  // A new region in screen coordinates (the caller deletes it).
  virtual HRGN GetNonClientRegion();

  bool IsClassicFrame();
  bool DrawsFrame();
  int HitTest(TPoint screenPoint, int defaultCode);
  TdxCaptionButtonKind ButtonAtCursor();
  bool UpdateButtonStates();
  TdxCaptionButtonKind TakePressedButton(bool release);
  void SetActive(bool value);
  void SetCaption(const std::string& text);
  bool UpdateChildCaption();
  std::string CaptionText() const;
  bool ScrollPartAtCursor(int& bar, int& part);
  void ForgetVisualStyles() { themeRead_ = false; }
  // The window's own text becomes the caption.
  void ReadCaption();

  TdxSkinFormController* Controller() const { return controller_; }
  HWND Handle() const;
  bool Active() const { return active_; }
  int Row() const { return IsToolWindow() ? 0 : 1; }
  bool IsToolWindow() const { return (windowInfo_.dwExStyle & WS_EX_TOOLWINDOW) != 0; }
  DWORD Style() const { return windowInfo_.dwStyle; }
  bool HasStyle(DWORD bits) const { return (windowInfo_.dwStyle & bits) == bits; }
  bool IsSizeable() const { return HasStyle(WS_THICKFRAME); }
  bool IsMaximized() const { return HasStyle(WS_MAXIMIZE); }
  bool IsMinimized() const { return HasStyle(WS_MINIMIZE); }
  bool HasMenuBar() const { return hasMenuBar_; }
  bool IsMDIClientArea() const { return isMDIClient_; }
  const WINDOWINFO& WindowInfo() const { return windowInfo_; }
  const TRect& FrameRect(int side) const { return frameRects_[side]; }
  const TRect& FrameWidths() const { return frameWidths_; }
  const TRect& ClientBounds() const { return clientBounds_; }
  const TRect& WindowBounds() const { return windowBounds_; }
  const TRect& TextRect() const { return textRect_; }
  const TRect& MenuBarRect() const { return menuBarRect_; }
  const TRect& ButtonRect(TdxCaptionButtonKind kind) const { return buttonRects_[kind]; }
  TdxSkinElementState ButtonState(TdxCaptionButtonKind kind) const { return buttonStates_[kind]; }
  TdxCaptionButtons Buttons() const { return buttons_; }
  TdxCaptionButtonKind PressedButton() const { return pressedButton_; }
  TdxCaptionButtonKind HotButton() const { return hotButton_; }
  const std::string& Caption() const { return caption_; }
  const std::string& ChildCaption() const { return childCaption_; }
  TFont* CaptionFont() const { return captionFont_.get(); }
  TColor CaptionTextColor(bool active) const { return textColors_[active]; }
  TColor ShadowColor() const { return shadowColor_; }
  HICON Icon() const { return icon_; }
  TSize BorderSize() const { return borderSize_; }
  TdxSkinPainterClass Painter() const { return painter_; }
  TdxSkinInfo* SkinInfo() const { return skinInfo_; }
  TdxScrollBars ScrollBars() const { return scrollBars_; }
  const TRect& ScrollBarRect(int bar) const { return scrollBarRects_[bar]; }  // 0 horz, 1 vert, 2 size box
  const TRect& ScrollPartRect(int bar, int part) const { return partRects_[bar][part]; }
  TcxButtonState ScrollPartState(int bar, int part) const { return partStates_[bar][part]; }
  int TrackedBar() const { return trackedBar_; }
  void SetTrackedBar(int bar) { trackedBar_ = bar; }

 protected:
  virtual void CalculateFrameRects();
  virtual void CalculateFrameWidths();
  virtual void CalculateCaptionButtons();
  virtual void CalculateScrollBars();
  virtual void CalculateScrollBarParts(int bar);
  virtual TdxCaptionButtons GetButtons();
  virtual HICON GetIcon();

 private:
  void CalculateCaptionFont();
  int CaptionHeight();
  TcxButtonState ScrollPartStateFor(int bar, int part, TPoint cursor);
  TPoint CursorInWindow() const;

  TdxSkinFormController* controller_;
  bool themeActive_ = false;
  bool themeRead_ = false;
  bool active_ = true;
  TRect frameRects_[4];
  TRect frameWidths_;
  TRect clientBounds_;
  std::string caption_;
  TRect textRect_;
  std::unique_ptr<TFont> captionFont_;
  TColor textColors_[2] = {clInactiveCaptionText, clCaptionText};
  TColor shadowColor_ = clBtnShadow;
  std::string childCaption_;
  bool hasMenuBar_ = false;
  bool isMDIClient_ = false;
  TRect buttonRects_[6];
  TdxCaptionButtons buttons_;
  TdxSkinElementState buttonStates_[6] = {};
  TdxCaptionButtonKind pressedButton_ = cbIcon;
  TdxCaptionButtonKind hotButton_ = cbIcon;
  TRect menuBarRect_;
  TdxSkinPainterClass painter_ = nullptr;
  TdxSkinInfo* skinInfo_ = nullptr;
  TdxScrollBars scrollBars_;
  TRect scrollBarRects_[3];
  SCROLLBARINFO scrollBarInfo_[2] = {};
  TRect partRects_[2][6];
  TcxButtonState partStates_[2][6] = {};
  int trackedBar_ = 2;
  HICON icon_ = nullptr;
  TSize borderSize_;
  WINDOWINFO windowInfo_ = {};
  TRect windowBounds_;
};

// ---------------------------------------------------------------------------------------------
// Paints the non-client area and the client background of one skinned window from the skin.
class TdxSkinFormPainter : public TObject {
  CALDERAN_CLASS(TdxSkinFormPainter)
  explicit TdxSkinFormPainter(TdxSkinFormNonClientAreaInfo* info);
  ~TdxSkinFormPainter() override;

  // With no device context the painter takes the window's own and releases it at EndPaint.
  void BeginPaint(HDC dc);
  void EndPaint();
  virtual void PaintClientBackground();
  virtual void PaintNonClientArea();
  virtual void PaintFormContent(HDC dc, const TRect& rect);
  TcxCanvas* Canvas() const { return cxCanvas_.get(); }

 protected:
  virtual void PaintScrollBars(HDC dc);
  virtual void PaintScrollBar(HDC dc, int bar, const TRect& rect);
  virtual void PaintCaption(HDC dc, const TRect& rect, TdxSkinElement* element);
  virtual void PaintCaptionButton(HDC dc, const TRect& rect, TdxSkinElement* element, TdxCaptionButtonKind kind);

 private:
  void PaintCaptionArea();
  void PaintFrameSides();
  void PaintFramePart(const TRect& rect, int side, bool buffered);
  void PaintCaptionText(HDC dc);
  TdxSkinElementState FrameState() const;
  bool IsBuffered() const;

  std::unique_ptr<TCanvas> canvas_;
  std::unique_ptr<TcxCanvas> cxCanvas_;
  TdxSkinElementCache frameCaches_[4];
  HDC dc_ = nullptr;
  bool ownDC_ = false;
  TdxSkinElementCache buttonCaches_[6];
  TdxSkinPainterClass painter_ = nullptr;
  TdxSkinInfo* skinInfo_ = nullptr;
  TdxSkinFormNonClientAreaInfo* info_;
};

// ---------------------------------------------------------------------------------------------
// Controllers of the standard push buttons, panels and frames on a skinned form: no skin of their
// own, the painter of the form they sit on.
class TdxSkinCustomController;

class TdxSkinCustomControlViewInfo : public TObject {
  CALDERAN_CLASS(TdxSkinCustomControlViewInfo)
  explicit TdxSkinCustomControlViewInfo(TdxSkinCustomController* controller) : controller_(controller) {}
  TdxSkinCustomController* Controller() const { return controller_; }
  TRect GetBounds() const;
  bool IsEnabled() const;
  bool IsFocused() const;
  bool IsMouseOver() const;

 private:
  TdxSkinCustomController* controller_;
};

class TdxSkinButtonViewInfo : public TdxSkinCustomControlViewInfo {
  CALDERAN_CLASS(TdxSkinButtonViewInfo)
  explicit TdxSkinButtonViewInfo(TdxSkinCustomController* controller);
  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& caption) { caption_ = caption; }
  bool Pushed() const { return pushed_; }
  TcxButtonState State() const { return state_; }
  virtual void SetPushed(bool pushed);
  virtual void SetMouseOver(bool over);
  void ApplyState(TcxButtonState state);
  void ResetState();

 private:
  std::string caption_;
  bool pushed_ = false;
  TcxButtonState state_ = cxbsDefault;
};

class TdxSkinCustomControlPainter : public TObject {
  CALDERAN_CLASS(TdxSkinCustomControlPainter)
  explicit TdxSkinCustomControlPainter(TdxSkinCustomControlViewInfo* viewInfo);
  ~TdxSkinCustomControlPainter() override;
  void BeginPaint(HDC dc);
  void EndPaint();
  TcxCanvas* Canvas() const { return cxCanvas_.get(); }
  TdxSkinPainterClass Painter() const;
  void PaintParent();
  void PaintButtonFace(const std::string& caption, const TRect& rect, TcxButtonState state);
  void PaintFocusRect(const TRect& rect);

 private:
  std::unique_ptr<TCanvas> canvas_;
  std::unique_ptr<TcxCanvas> cxCanvas_;
  HDC dc_ = nullptr;
  bool ownDC_ = false;
  TdxSkinCustomControlViewInfo* viewInfo_;
};

class TdxSkinCustomControllerClass : public TdxSkinWinControllerClass {
 public:
  using TdxSkinWinControllerClass::TdxSkinWinControllerClass;
  TdxSkinWinController* Create(HWND handle) const override;
  virtual TdxSkinCustomControlViewInfo* CreateViewInfo(TdxSkinCustomController* controller) const;
};

class TdxSkinCustomController : public TdxSkinWinController {
  CALDERAN_CLASS_WITH_OPERATIONS(TdxSkinCustomController, TdxSkinCustomControllerClass)
  ~TdxSkinCustomController() override;
  TdxSkinWinController* GetOwner(HWND handle) override;
  void ChooseSkin() override {}
  void WndProc(TMessage& message) override;
  TdxSkinCustomControlViewInfo* ViewInfo() const { return viewInfo_.get(); }
  TdxSkinCustomControlPainter* ControlPainter() const { return controlPainter_.get(); }
  virtual void Paint(HDC) {}
  // Attaches a new controller to the window, then makes its view info and painter.
  static TdxSkinCustomController* Make(TdxSkinCustomController* controller, HWND handle);

 protected:
  TdxSkinCustomController() = default;
  virtual bool WMEraseBkgnd(TMessage& m);
  virtual bool WMPaint(TMessage& m);
  // The window procedure of panels and frames, which also paint for WM_PRINTCLIENT.
  void WndProcWithPrintClient(TMessage& m);

 private:
  friend class TdxSkinCustomControllerClass;
  std::unique_ptr<TdxSkinCustomControlViewInfo> viewInfo_;
  std::unique_ptr<TdxSkinCustomControlPainter> controlPainter_;
};

class TdxSkinButtonControllerClass : public TdxSkinCustomControllerClass {
 public:
  using TdxSkinCustomControllerClass::TdxSkinCustomControllerClass;
  TdxSkinWinController* Create(HWND handle) const override;
  TdxSkinCustomControlViewInfo* CreateViewInfo(TdxSkinCustomController* controller) const override;
};

class TdxSkinButtonController : public TdxSkinCustomController {
  CALDERAN_CLASS_WITH_OPERATIONS(TdxSkinButtonController, TdxSkinButtonControllerClass)
  void WndProc(TMessage& message) override;
  void MouseLeave() override;
  void Paint(HDC dc) override;
  TdxSkinButtonViewInfo* ButtonViewInfo() const { return static_cast<TdxSkinButtonViewInfo*>(ViewInfo()); }

 private:
  friend class TdxSkinButtonControllerClass;
  TdxSkinButtonController() = default;
};

class TdxSkinPanelControllerClass : public TdxSkinCustomControllerClass {
 public:
  using TdxSkinCustomControllerClass::TdxSkinCustomControllerClass;
  TdxSkinWinController* Create(HWND handle) const override;
};

class TdxSkinPanelController : public TdxSkinCustomController {
  CALDERAN_CLASS_WITH_OPERATIONS(TdxSkinPanelController, TdxSkinPanelControllerClass)
  void WndProc(TMessage& message) override;
  void Paint(HDC dc) override;

 protected:
  bool WMEraseBkgnd(TMessage& m) override;
  bool WMPaint(TMessage& m) override;

 private:
  friend class TdxSkinPanelControllerClass;
  TdxSkinPanelController() = default;
  bool painting_ = false;
};

class TdxSkinFrameControllerClass : public TdxSkinCustomControllerClass {
 public:
  using TdxSkinCustomControllerClass::TdxSkinCustomControllerClass;
  TdxSkinWinController* Create(HWND handle) const override;
};

class TdxSkinFrameController : public TdxSkinCustomController {
  CALDERAN_CLASS_WITH_OPERATIONS(TdxSkinFrameController, TdxSkinFrameControllerClass)
  void WndProc(TMessage& message) override;
  void Paint(HDC dc) override;

 private:
  friend class TdxSkinFrameControllerClass;
  TdxSkinFrameController() = default;
};

// Platform edits and combo boxes on a skinned form (and a combo's dropped list, whose colour
// question the combo passes on as its own): the skin's editor colours, as the toolkit's own editors
// wear them, unless the form gave the control a colour of its own.
class TdxSkinEditControllerClass : public TdxSkinCustomControllerClass {
 public:
  using TdxSkinCustomControllerClass::TdxSkinCustomControllerClass;
  TdxSkinWinController* Create(HWND handle) const override;
};

class TdxSkinEditController : public TdxSkinCustomController {
  CALDERAN_CLASS_WITH_OPERATIONS(TdxSkinEditController, TdxSkinEditControllerClass)
  ~TdxSkinEditController() override;
  void WndProc(TMessage& message) override;

 private:
  friend class TdxSkinEditControllerClass;
  TdxSkinEditController() = default;
  bool AnswerColorQuery(TMessage& m);
  HBRUSH BrushOf(TColor color);
  HBRUSH brush_ = nullptr;
  TColor brushColor_ = clDefault;
};
