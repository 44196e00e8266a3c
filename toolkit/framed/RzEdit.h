// The framed edit: the framework's masked edit with colours that follow its state (disabled,
// focused, read-only, normal), an optional frame of its own in any frame style painted in the
// non-client area (with a hot style while it has the focus or the mouse), Enter as Tab, a
// validation-error event that can supply the message, and a link to a frame controller.
// Leaves out: the drop button of the framed edit (no control of the program shows one).
#pragma once
#include <cstdint>

#include "Mask.h"
#include "RzCommon.h"
#include "RzFrameController.h"

// Handlers may put a message of their own into ErrorMsg; it replaces the default one.
using TRzValidateErrorEvent = TEvent<void(TObject* Sender, std::string& ErrorMsg)>;

// Paints an edit's frame over its standard border: a two-pixel ring in the face colour on all
// sides, then the style on the given sides.
void PaintEditFrame(TCanvas* canvas, int width, int height, TFrameStyle style, TColor face, TColor frame,
                    TSides sides);

// A frame controller writes its settings through the published properties of the same names.
class TRzCustomEdit : public TCustomMaskEdit {
  CALDERAN_CLASS(TRzCustomEdit)
  explicit TRzCustomEdit(TComponent* owner);
  ~TRzCustomEdit() override;
  void Dispatch(TMessage& message) override;
  void Loaded() override;

  TAlignment Alignment() const { return alignment_; }
  virtual void SetAlignment(TAlignment value);
  TColor DisabledColor() const { return disabledColor_; }
  virtual void SetDisabledColor(TColor value);
  TColor FocusColor() const { return focusColor_; }
  virtual void SetFocusColor(TColor value);
  TColor ReadOnlyColor() const { return readOnlyColor_; }
  virtual void SetReadOnlyColor(TColor value);
  bool ReadOnlyColorOnFocus() const { return readOnlyColorOnFocus_; }
  void SetReadOnlyColorOnFocus(bool value);
  TColor FrameColor() const { return frameColor_; }
  virtual void SetFrameColor(TColor value) { ChangeFrame(frameColor_, value); }
  TColor FrameHotColor() const { return frameHotColor_; }
  virtual void SetFrameHotColor(TColor value) { ChangeFrame(frameHotColor_, value); }
  TFrameStyle FrameHotStyle() const { return frameHotStyle_; }
  virtual void SetFrameHotStyle(TFrameStyle value) { ChangeFrame(frameHotStyle_, value); }
  TSides FrameSides() const { return frameSides_; }
  virtual void SetFrameSides(TSides value) { ChangeFrame(frameSides_, value); }
  TFrameStyle FrameStyle() const { return frameStyle_; }
  virtual void SetFrameStyle(TFrameStyle value) { ChangeFrame(frameStyle_, value); }
  bool FrameHotTrack() const { return frameHotTrack_; }
  virtual void SetFrameHotTrack(bool value);
  bool FrameVisible() const { return frameVisible_; }
  virtual void SetFrameVisible(bool value);
  TFramingPreference FramingPreference() const { return framingPreference_; }
  virtual void SetFramingPreference(TFramingPreference value);
  TRzFrameController* FrameController() const { return frameController_; }
  virtual void SetFrameController(TRzFrameController* value);
  TRzFrameControllerNotifications FrameControllerNotifications() const { return frameControllerNotifications_; }
  void SetFrameControllerNotifications(TRzFrameControllerNotifications value) { frameControllerNotifications_ = value; }
  bool TabOnEnter() const { return tabOnEnter_; }
  void SetTabOnEnter(bool value) { tabOnEnter_ = value; }
  bool ReadOnly() const { return TCustomMaskEdit::ReadOnly(); }
  void SetReadOnly(bool value);

  // The custom frame is drawn unless it is hidden or the visual style draws the edit's frame.
  bool CustomFrameInUse() { return frameVisible_ && !UsesThemedFrame(); }
  virtual bool UsesThemedFrame();
  bool FocusIn() const { return focusIn_; }
  bool MouseOver() const { return mouseOver_; }
  virtual void InvalidateFrame();

  TNotifyEvent OnMouseEnter;
  TNotifyEvent OnMouseLeave;
  TRzValidateErrorEvent OnValidateError;

 protected:
  void CreateParams(TCreateParams& params) override;
  void ValidateError() override;
  void KeyPress(char& key) override;
  void Notification(TComponent* component, TOperation operation) override;
  void DefineProperties(TFiler* filer) override;
  virtual void UpdateColors();
  virtual void SetHotState(int which, bool value);
  virtual void ReadOnlyChanged();
  TColor StateColor();

 private:
  template <class T> void ChangeFrame(T& field, T value) {
    if (StoreChanged(field, value)) InvalidateFrame();
  }
  void ReadFrameFlat(TReader* reader);
  void ReadFrameFocusStyle(TReader* reader);
  void WMNCPaint(TMessage& m);
  void WMSize(TMessage& m);
  void CMEnter(TMessage& m);
  void CMExit(TMessage& m);
  void CMMouseEnter(TMessage& m);
  void CMMouseLeave(TMessage& m);
  void CMEnabledChanged(TMessage& m);
  void CMColorChanged(TMessage& m);

  TAlignment alignment_ = taLeftJustify;
  bool tabOnEnter_ = false;
  TColor disabledColor_ = clBtnFace, focusColor_ = clWindow, normalColor_ = clWindow;
  TColor frameColor_ = clBtnShadow, frameHotColor_ = clBtnShadow;
  TRzFrameController* frameController_ = nullptr;
  TRzFrameControllerNotifications frameControllerNotifications_ = AllFrameControllerNotifications();
  bool frameHotTrack_ = false;
  TFrameStyle frameHotStyle_ = fsFlatBold;
  TSides frameSides_ = sdAllSides;
  TFrameStyle frameStyle_ = fsFlat;
  TFramingPreference framingPreference_ = fpXPThemes;
  TColor readOnlyColor_ = clInfoBk;
  bool readOnlyColorOnFocus_ = false;
  bool focusIn_ = false, mouseOver_ = false;
  bool settingOwnColor_ = false;
  bool frameVisible_ = false;
};

class TRzMaskEdit : public TRzCustomEdit {
  CALDERAN_CLASS(TRzMaskEdit)
  using TRzCustomEdit::TRzCustomEdit;
};

void RegisterEditClasses();
