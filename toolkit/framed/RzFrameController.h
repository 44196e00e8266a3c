// The frame controller: one set of frame and colour settings pushed into every control linked to
// it, through the controls' published properties of the same names (a control may refuse single
// settings through its FrameControllerNotifications set), or, for controls that listen, by telling
// them that something changed. And TRzRegIniFile, a component that only holds where a settings
// store lies.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "Classes.h"
#include "Controls.h"
#include "Graphics.h"
#include "Registry.h"
#include "RzCommon.h"

enum TFramingPreference : uint8_t { fpCustomFraming, fpXPThemes };

enum TRzFrameControllerPropertyConnection : uint8_t {
  fcpColor, fcpFocusColor, fcpDisabledColor, fcpReadOnlyColor, fcpReadOnlyColorOnFocus, fcpParentColor,
  fcpFlatButtonColor, fcpFlatButtons, fcpFrameColor, fcpFrameHotColor, fcpFrameHotTrack, fcpFrameHotStyle,
  fcpFrameSides, fcpFrameStyle, fcpFrameVisible, fcpFramingPreference, fcpAll
};
using TRzFrameControllerNotifications = TSet<TRzFrameControllerPropertyConnection>;
// What a linked control accepts unless it says otherwise: every single setting.
TRzFrameControllerNotifications AllFrameControllerNotifications();

// Implemented by controls that read the settings they need from their controller themselves.
class IFrameSettingsListener {
 public:
  virtual void FrameSettingsChanged() = 0;

 protected:
  ~IFrameSettingsListener() = default;
};

enum TRzPathType : uint8_t { ptIniFile, ptRegistry };
enum TRzRegKey : uint8_t {
  hkeyClassesRoot, hkeyCurrentUser, hkeyLocalMachine, hkeyUsers, hkeyPerformanceData, hkeyCurrentConfig, hkeyDynData
};
enum TRzRegAccessFlag : uint8_t {
  keyQueryValue, keySetValue, keyCreateSubKey, keyEnumerateSubKeys, keyNotify, keyCreateLink, keyRead, keyWrite,
  keyExecute, keyAllAccess
};
using TRzRegAccess = TSet<TRzRegAccessFlag>;

// Where a settings store lies; nothing in the program reads or writes through it.
class TRzRegIniFile : public TComponent {
  CALDERAN_CLASS(TRzRegIniFile)
  explicit TRzRegIniFile(TComponent* owner);
  const std::string& Path() const { return path_; }
  void SetPath(const std::string& value);
  TRzPathType PathType() const { return pathType_; }
  void SetPathType(TRzPathType value);
  TRzRegKey RegKey() const { return regKey_; }
  void SetRegKey(TRzRegKey value);
  TRzRegAccess RegAccess() const { return regAccess_; }
  void SetRegAccess(TRzRegAccess value);
  bool RefreshNeeded() const { return refreshNeeded_; }

 private:
  std::string path_;
  TRzPathType pathType_ = ptIniFile;
  TRzRegKey regKey_ = hkeyCurrentUser;
  TRzRegAccess regAccess_{keyAllAccess};
  bool refreshNeeded_ = true;
};

class TRzFrameController : public TComponent {
  CALDERAN_CLASS(TRzFrameController)
  explicit TRzFrameController(TComponent* owner);
  ~TRzFrameController() override;

  // Links a control and gives it every setting; the controller follows the control's destruction,
  // so it never holds a control that is gone.
  void AddControl(TControl* control);
  void RemoveControl(TControl* control);
  int ControlCount() const { return static_cast<int>(controls_.size()); }
  TControl* Controls(int index) const { return controls_[index]; }
  void BeginUpdate() { ++updateCount_; }
  void EndUpdate();
  void Assign(TPersistent* source) override;
  void Loaded() override;

  TColor Color() const { return color_; }
  void SetColor(TColor value);
  bool ParentColor() const { return parentColor_; }
  void SetParentColor(bool value);
  TColor DisabledColor() const { return disabledColor_; }
  void SetDisabledColor(TColor value);
  TColor ReadOnlyColor() const { return readOnlyColor_; }
  void SetReadOnlyColor(TColor value);
  bool ReadOnlyColorOnFocus() const { return readOnlyColorOnFocus_; }
  void SetReadOnlyColorOnFocus(bool value);
  TColor FlatButtonColor() const { return flatButtonColor_; }
  void SetFlatButtonColor(TColor value);
  bool FlatButtons() const { return flatButtons_; }
  void SetFlatButtons(bool value);
  TColor FocusColor() const { return focusColor_; }
  void SetFocusColor(TColor value);
  TColor FrameColor() const { return frameColor_; }
  void SetFrameColor(TColor value);
  TColor FrameHotColor() const { return frameHotColor_; }
  void SetFrameHotColor(TColor value);
  TFrameStyle FrameHotStyle() const { return frameHotStyle_; }
  void SetFrameHotStyle(TFrameStyle value);
  bool FrameHotTrack() const { return frameHotTrack_; }
  void SetFrameHotTrack(bool value);
  TSides FrameSides() const { return frameSides_; }
  void SetFrameSides(TSides value);
  TFrameStyle FrameStyle() const { return frameStyle_; }
  void SetFrameStyle(TFrameStyle value);
  bool FrameVisible() const { return frameVisible_; }
  void SetFrameVisible(bool value);
  TFramingPreference FramingPreference() const { return framingPreference_; }
  void SetFramingPreference(TFramingPreference value);
  TRzRegIniFile* RegIniFile() const { return regIniFile_; }
  void SetRegIniFile(TRzRegIniFile* value);
  bool IsColorStored() const { return !parentColor_; }

 protected:
  void Notification(TComponent* component, TOperation operation) override;
  void DefineProperties(TFiler* filer) override;

 private:
  void ApplyToAll(TRzFrameControllerPropertyConnection connection);
  void ApplyTo(TControl* control, TRzFrameControllerPropertyConnection connection);
  void ApplySetting(TControl* control, TRzFrameControllerPropertyConnection connection);
  int64_t SettingValue(TRzFrameControllerPropertyConnection connection) const;
  template <class T> void Change(T& field, T value, TRzFrameControllerPropertyConnection connection);
  void ReadFrameFlat(TReader* reader);
  void ReadFrameFocusStyle(TReader* reader);

  TColor color_ = clWindow;
  bool parentColor_ = false;
  std::vector<TControl*> controls_;
  TColor flatButtonColor_ = clBtnFace;
  bool flatButtons_ = true;
  TColor disabledColor_ = clBtnFace;
  TColor readOnlyColor_ = clInfoBk;
  bool readOnlyColorOnFocus_ = false;
  TColor focusColor_ = clWindow;
  TColor frameColor_ = clBtnShadow;
  TColor frameHotColor_ = clBtnShadow;
  bool frameHotTrack_ = false;
  TFrameStyle frameHotStyle_ = fsFlatBold;
  TSides frameSides_ = sdAllSides;
  TFrameStyle frameStyle_ = fsFlat;
  bool frameVisible_ = false;
  TFramingPreference framingPreference_ = fpXPThemes;
  TRzRegIniFile* regIniFile_ = nullptr;
  int32_t updateCount_ = 0;
};

// Moves a control's link from the controller it follows to another (either may be null); the
// control hears of its controller's destruction through the free notification.
void RelinkFrameController(TControl* control, TRzFrameController*& link, TRzFrameController* value);

void RegisterFrameControllerClasses();
