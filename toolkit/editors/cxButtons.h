// The toolkit's push button: a platform button switched to owner drawing whose face, glyph and
// caption the look-and-feel painter draws, with per-state colours, three kinds (plain, drop-down,
// split), speed-button grouping and a drop-down menu that opens above when it would leave the
// work area.
#pragma once
#include <windows.h>

#include <array>
#include <memory>
#include <string>

#include "ActnList.h"
#include "Graphics.h"
#include "Menus.h"
#include "StdCtrls.h"
#include "cxControls.h"
#include "cxGraphics.h"
#include "cxLookAndFeels.h"

class TcxCustomButton;

enum TcxButtonKind : uint8_t { cxbkStandard, cxbkDropDown, cxbkDropDownButton };
enum TcxButtonAssignedColor : uint8_t {
  cxbcDefault, cxbcDefaultText, cxbcDisabled, cxbcDisabledText, cxbcHot, cxbcHotText, cxbcNormal, cxbcNormalText,
  cxbcPressed, cxbcPressedText
};
using TcxButtonAssignedColors = TSet<TcxButtonAssignedColor>;
enum TButtonLayout : uint8_t { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };

// Private messages of the button window: open and end the drop-down menu.
inline constexpr UINT CM_DROPDOWNPOPUPMENU = 0x8065;
inline constexpr UINT CM_CLOSEUPPOPUPMENU = 0x8066;
// Width of the split button's arrow part.
inline constexpr int cxDropDownButtonWidth = 15;

using TcxButtonDropDownMenuPopupEvent = TEvent<void(TObject* Sender, TPopupMenu*& PopupMenu, bool& Handled)>;
using TcxButtonGetDrawParamsEvent = TEvent<void(TcxCustomButton* Sender, TcxButtonState State, TColor& Color, TFont* Font)>;

// The per-state colours of a button; clDefault leaves the choice to the painter.
class TcxButtonColors : public TPersistent {
  CALDERAN_CLASS(TcxButtonColors)
  explicit TcxButtonColors(TcxCustomButton* button);
  void Assign(TPersistent* source) override;

  TColor Color(TcxButtonAssignedColor index) const { return colors_[index]; }
  void SetColor(TcxButtonAssignedColor index, TColor value);
  TcxButtonAssignedColors AssignedColors() const { return assigned_; }
  // Only while the button is designed.
  void SetAssignedColors(TcxButtonAssignedColors value);

 private:
  TcxCustomButton* button_;
  TcxButtonAssignedColors assigned_;
  std::array<TColor, 10> colors_;
};

// The glyph of a button: a bitmap strip of up to four pieces (up, disabled, down, exclusive) or an
// image of an image list, with the state images built on first use.
class TcxButtonGlyph : public TObject {
  CALDERAN_CLASS(TcxButtonGlyph)
  TcxButtonGlyph();
  ~TcxButtonGlyph() override;

  TBitmap* Glyph() const { return glyph_.get(); }
  void SetGlyph(TBitmap* value);
  TCustomImageList* Images() const { return images_; }
  void SetImages(TCustomImageList* value);
  int ImageIndex() const { return imageIndex_; }
  void SetImageIndex(int value);
  int NumGlyphs() const { return numGlyphs_; }
  void SetNumGlyphs(int value);
  bool HasImage() const;
  TSize ImageSize() const;
  TSize GlyphSize() const;
  TNotifyEvent OnChange;

  // Drops the built state images and reports the change.
  void Invalidate();
  // The margins of the caption for a layout: none beside an image, left 1 and right 2 without.
  virtual TRect TextMarginsFor(TButtonLayout layout) const;
  // The glyph and caption laid out in client; the returned rectangles say where they went.
  struct TLayout {
    TPoint GlyphPos;
    TRect TextRect;
  };
  TLayout Calculate(TcxCanvas* canvas, const TRect& client, const TPoint& offset, const std::string& caption,
                    TButtonLayout layout, int margin, int spacing, UINT biDiFlags, bool wordWrap) const;
  void Draw(TcxCanvas* canvas, const TRect& client, const TPoint& offset, const std::string& caption,
            TButtonLayout layout, int margin, int spacing, TcxButtonState state, UINT biDiFlags, bool wordWrap);
  // The state image (up, disabled, down), built on first use.
  TBitmap* StateImage(TcxButtonState state);

 private:
  enum TGlyphState : uint8_t { gsUp, gsDisabled, gsDown, gsExclusive };
  TGlyphState GlyphStateOf(TcxButtonState state) const;
  std::unique_ptr<TBitmap> BuildStateImage(TGlyphState state);
  void GlyphChanged(TObject*) { Invalidate(); }

  std::unique_ptr<TBitmap> glyph_;
  TCustomImageList* images_ = nullptr;
  int imageIndex_ = -1;
  int numGlyphs_ = 1;
  std::array<std::unique_ptr<TBitmap>, 4> stateImages_;
};

// The link of a push button to its action: besides caption, enabled, visible and hint, the
// action's image index reaches the glyph; the glyph forgets the action's image when the link goes
// while the button stays.
class TcxButtonActionLink : public TControlActionLink {
  CALDERAN_CLASS(TcxButtonActionLink)
  explicit TcxButtonActionLink(TcxCustomButton* button);
  ~TcxButtonActionLink() override;

 protected:
  void ApplyTo(TCustomAction* action) override;
};

class TcxCustomButton : public TButton, public IcxMouseTrackingCaller, public IcxLookAndFeelOwner {
  CALDERAN_CLASS(TcxCustomButton)
  explicit TcxCustomButton(TComponent* owner);
  ~TcxCustomButton() override;
  void Dispatch(TMessage& message) override;
  void Click() override;
  bool CanFocus() override;

  // --- appearance
  TcxButtonColors* Colors() const { return colors_.get(); }
  void SetColors(TcxButtonColors* value) { colors_->Assign(value); }
  TcxLookAndFeel* LookAndFeel() const { return lookAndFeel_.get(); }
  void SetLookAndFeel(TcxLookAndFeel* value) { lookAndFeel_->Assign(value); }
  TcxLookAndFeel* GetLookAndFeel() override { return lookAndFeel_.get(); }
  TcxButtonGlyph* ButtonGlyph() const { return glyph_.get(); }
  TBitmap* Glyph() const { return glyph_->Glyph(); }
  void SetGlyph(TBitmap* value) { glyph_->SetGlyph(value); }
  int NumGlyphs() const { return glyph_->NumGlyphs(); }
  void SetNumGlyphs(int value) { glyph_->SetNumGlyphs(value); }
  TButtonLayout Layout() const { return layout_; }
  void SetLayout(TButtonLayout value);
  int Margin() const { return margin_; }
  void SetMargin(int value);
  int Spacing() const { return spacing_; }
  void SetSpacing(int value);
  bool UseSystemPaint() const { return useSystemPaint_; }
  void SetUseSystemPaint(bool value) { useSystemPaint_ = value; }

  // --- kinds and menus
  TcxButtonKind Kind() const { return kind_; }
  void SetKind(TcxButtonKind value);
  TPopupMenu* DropDownMenu() const { return dropDownMenu_; }
  void SetDropDownMenu(TPopupMenu* value);
  TComponent* ButtonPopupMenu() const { return popupMenu_; }
  void SetButtonPopupMenu(TComponent* value);
  TPopupAlignment PopupAlignment() const { return popupAlignment_; }
  void SetPopupAlignment(TPopupAlignment value) { popupAlignment_ = value; }
  bool MenuVisible() const { return menuVisible_; }

  // --- grouping
  bool AllowAllUp() const { return allowAllUp_; }
  void SetAllowAllUp(bool value);
  bool CanBeFocused() const { return canBeFocused_; }
  void SetCanBeFocused(bool value);
  bool Down() const { return down_; }
  void SetDown(bool value);
  int GroupIndex() const { return groupIndex_; }
  void SetGroupIndex(int value);
  bool IsSpeedButtonMode() const { return !canBeFocused_ || groupIndex_ != 0; }

  // --- state
  bool IsHot() const { return isHot_; }
  bool IsPressed() const { return isPressed_; }
  TcxButtonState ButtonState() const;
  TColor FaceColorFor(TcxButtonState state) const;
  TColor TextColorFor(TcxButtonState state) const;
  // The painter's preferred size of the caption.
  virtual TSize MeasurePreferredSize();

  TcxButtonDropDownMenuPopupEvent OnDropDownMenuPopup;
  TcxButtonGetDrawParamsEvent OnGetDrawParams;

  // IcxMouseTrackingCaller
  void MouseLeave() override { Perform(CM_MOUSELEAVE, 0, 0); }

 protected:
  virtual bool FireDropDownMenuPopup(TPopupMenu*& menu);
  virtual bool PopupContextMenu(TComponent* menu, int x, int y);
  virtual TcxCustomLookAndFeelPainterClass ButtonPainter() const;
  virtual bool PaintsNatively() const { return false; }
  bool HoverTracking() const;

  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void Notification(TComponent* component, TOperation operation) override;
  void DoContextPopup(TPoint mousePos, bool& handled) override;
  std::unique_ptr<TBasicActionLink> CreateActionLink() override;
  virtual void Paint();

 private:
  bool IsMenuPart(const TPoint& point) const;
  TRect ContentRect(TcxButtonState state) const;
  void LookAndFeelChanged(TcxLookAndFeel*, TcxLookAndFeelValues);
  void GlyphChanged(TObject*) { Invalidate(); }
  void TakeGlyphImageFromAction();
  void AnnounceToGroup();
  void CMButtonPressed(TMessage& m);
  void CNDrawItem(TMessage& m);
  void CNMeasureItem(TMessage& m);
  void CNKeyDown(TMessage& m);
  void CMDialogChar(TMessage& m);
  void CMMouseEnter(TMessage& m);
  void CMMouseLeave(TMessage& m);
  void CMEnabledChanged(TMessage& m);
  void WMLButtonDown(TMessage& m);
  void WMLButtonUp(TMessage& m);
  void WMLButtonDblClk(TMessage& m);
  void WMMouseMove(TMessage& m);
  void WMKeyDown(TMessage& m);
  void WMKeyUp(TMessage& m);
  void WMContextMenu(TMessage& m);
  void WMCaptureChanged(TMessage& m);
  void DropDownPopupMenu();
  void CloseUpPopupMenu();
  void PostMenuOpen();

  bool isPressed_ = false;
  bool isFocusedLook_ = false;
  std::unique_ptr<TControlCanvas> controlCanvas_;
  std::unique_ptr<TcxCanvas> canvas_;
  std::unique_ptr<TcxButtonColors> colors_;
  bool pressTracked_ = false;
  TPopupMenu* dropDownMenu_ = nullptr;
  bool menuClosingClick_ = false;
  TcxButtonKind kind_ = cxbkStandard;
  std::unique_ptr<TcxLookAndFeel> lookAndFeel_;
  TPopupAlignment popupAlignment_ = paLeft;
  TComponent* popupMenu_ = nullptr;
  bool useSystemPaint_ = false;
  bool allowAllUp_ = false;
  bool canBeFocused_ = true;
  bool down_ = false;
  int groupIndex_ = 0;
  std::unique_ptr<TcxButtonGlyph> glyph_;
  TButtonLayout layout_ = blGlyphLeft;
  int margin_ = -1;
  bool menuVisible_ = false;
  bool isHot_ = false;
  int spacing_ = 4;
};

class TcxButton : public TcxCustomButton {
  CALDERAN_CLASS(TcxButton)
  using TcxCustomButton::TcxCustomButton;
};

extern const TUnitInfo cxButtonsUnit;
