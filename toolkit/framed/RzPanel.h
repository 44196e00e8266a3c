// Framed panels and group boxes: a container with an outer and an inner border in any frame style,
// a band of border width between them, three visual styles (classic, visual-style, gradient), an
// optional grid and a laid-out caption; it paints its parent behind itself when transparent and
// remembers its children's enabled states while it is disabled. The group box frames its children
// under a caption in one of six group styles.
// Leaves out: docking pages into a page control and the dock manager's caption strips (the framework
// has no dock sites).
#pragma once
#include <cstdint>
#include <map>

#include "ExtCtrls.h"
#include "RzCommon.h"
#include "RzFrameController.h"
#include "RzGrafx.h"
#include "StdCtrls.h"

enum TAlignmentVertical : uint8_t { avTop, avCenter, avBottom };
enum TRzVisualStyle : uint8_t { vsClassic, vsWinXP, vsGradient };
enum TRzGridStyle : uint8_t { gsDots, gsDottedLines, gsSolidLines };
enum TRzGroupBoxStyle : uint8_t { gsStandard, gsCustom, gsTopLine, gsFlat, gsBanner, gsUnderline };

// The settings of PaintPanelBorders, as the panel hands them over.
struct TRzPanelBorders {
  TFrameStyleEx Outer = fsRaised, Inner = fsNone;
  int BorderWidth = 0;
  TSides Sides = sdAllSides;
  int BevelWidth = 1;
  TColor BorderColor = clBtnFace, Highlight = clBtnHighlight, Shadow = clBtnShadow;
  TColor FlatColor = clBtnShadow;
  int FlatColorAdjustment = 30;
  TColor Color = clBtnFace, ParentColor = clBtnFace;
  bool Transparent = false;
};
// Draws the outer border, the border-width band and the inner border on the given sides and
// answers the rectangle inside them.
TRect PaintPanelBorders(TCanvas* canvas, const TRect& bounds, const TRzPanelBorders& borders);

class TRzCustomPanel : public TCustomPanel, public IFrameSettingsListener {
  CALDERAN_CLASS(TRzCustomPanel)
  explicit TRzCustomPanel(TComponent* owner);
  ~TRzCustomPanel() override;
  void Dispatch(TMessage& message) override;
  void SetBounds(int left, int top, int width, int height) override;
  void AlignControls(TControl* control, TRect& rect) override;
  void FrameSettingsChanged() override;

  virtual void AdjustRectForBorders(TRect& rect, bool includeBorderWidth);
  virtual TPoint CursorClientPos();

  TAlignmentVertical AlignmentVertical() const { return alignmentVertical_; }
  virtual void SetAlignmentVertical(TAlignmentVertical value) { Change(alignmentVertical_, value); }
  TColor BorderColor() const { return borderColor_; }
  virtual void SetBorderColor(TColor value) { Change(borderColor_, value); }
  TFrameStyleEx BorderInner() const { return borderInner_; }
  virtual void SetBorderInner(TFrameStyleEx value) { ChangeBorder(borderInner_, value); }
  TFrameStyleEx BorderOuter() const { return borderOuter_; }
  virtual void SetBorderOuter(TFrameStyleEx value) { ChangeBorder(borderOuter_, value); }
  TSides BorderSides() const { return borderSides_; }
  virtual void SetBorderSides(TSides value) { ChangeBorder(borderSides_, value); }
  TColor BorderHighlight() const { return borderHighlight_; }
  virtual void SetBorderHighlight(TColor value) { Change(borderHighlight_, value); }
  TColor BorderShadow() const { return borderShadow_; }
  virtual void SetBorderShadow(TColor value) { Change(borderShadow_, value); }
  TColor FlatColor() const { return flatColor_; }
  virtual void SetFlatColor(TColor value) { Change(flatColor_, value); }
  int FlatColorAdjustment() const { return flatColorAdjustment_; }
  virtual void SetFlatColorAdjustment(int value) { Change(flatColorAdjustment_, value); }
  TRzFrameController* FrameController() const { return frameController_; }
  virtual void SetFrameController(TRzFrameController* value);
  TRzFrameControllerNotifications FrameControllerNotifications() const { return frameControllerNotifications_; }
  void SetFrameControllerNotifications(TRzFrameControllerNotifications value) { frameControllerNotifications_ = value; }
  TRzGradientColorStyle GradientColorStyle() const { return gradientColorStyle_; }
  virtual void SetGradientColorStyle(TRzGradientColorStyle value) { Change(gradientColorStyle_, value); }
  TColor GradientColorStart() const { return gradientColorStart_; }
  virtual void SetGradientColorStart(TColor value) { ChangeGradient(gradientColorStart_, value); }
  TColor GradientColorStop() const { return gradientColorStop_; }
  virtual void SetGradientColorStop(TColor value) { ChangeGradient(gradientColorStop_, value); }
  TGradientDirection GradientDirection() const { return gradientDirection_; }
  virtual void SetGradientDirection(TGradientDirection value) { ChangeGradient(gradientDirection_, value); }
  TColor GridColor() const { return gridColor_; }
  virtual void SetGridColor(TColor value) { Change(gridColor_, value); }
  TRzGridStyle GridStyle() const { return gridStyle_; }
  virtual void SetGridStyle(TRzGridStyle value) { Change(gridStyle_, value); }
  uint16_t GridXSize() const { return gridXSize_; }
  virtual void SetGridXSize(uint16_t value) { Change(gridXSize_, value); }
  uint16_t GridYSize() const { return gridYSize_; }
  virtual void SetGridYSize(uint16_t value) { Change(gridYSize_, value); }
  bool ShowDockClientCaptions() const { return showDockClientCaptions_; }
  void SetShowDockClientCaptions(bool value) { Change(showDockClientCaptions_, value); }
  bool ShowGrid() const { return showGrid_; }
  virtual void SetShowGrid(bool value) { Change(showGrid_, value); }
  bool Transparent() const { return transparent_; }
  virtual void SetTransparent(bool value);
  int TextMargin() const { return textMargin_; }
  virtual void SetTextMargin(int value) { Change(textMargin_, value); }
  bool WordWrap() const { return wordWrap_; }
  virtual void SetWordWrap(bool value) { Change(wordWrap_, value); }
  TRzVisualStyle VisualStyle() const { return visualStyle_; }
  virtual void SetVisualStyle(TRzVisualStyle value) { Change(visualStyle_, value); }

  TNotifyEvent OnMouseEnter;
  TNotifyEvent OnMouseLeave;
  TNotifyEvent OnPaint;

 protected:
  void Paint() override;
  void CreateWnd() override;
  void Notification(TComponent* component, TOperation operation) override;
  void DefineProperties(TFiler* filer) override;
  // A dock site with UseDockManager lays its clients out under caption strips of the suite's own.
  std::unique_ptr<TDockTree> CreateDockManager() override;
  virtual void GetPaintRect(TRect& rect) { rect = ClientRect(); }
  virtual void GetGradientColors(TColor& start, TColor& stop);
  virtual void DrawCaptionText(TRect rect);
  virtual void DrawGrid(const TRect& rect);
  TRzPanelBorders Borders();
  void InvalidateTransparentChildren();
  void CMMouseEnter(TMessage& m);
  void CMMouseLeave(TMessage& m);
  void WMEraseBkgnd(TMessage& m);

 private:
  template <class T> void Change(T& field, T value) {
    if (StoreChanged(field, value)) Invalidate();
  }
  template <class T> void ChangeBorder(T& field, T value) {
    if (!StoreChanged(field, value)) return;
    Realign();
    Invalidate();
  }
  template <class T> void ChangeGradient(T& field, T value) {
    if (!StoreChanged(field, value)) return;
    Invalidate();
    InvalidateTransparentChildren();
  }
  void RememberChildStates();
  void RestoreChildStates();
  void ForgetChildStates();
  void ReadUseGradients(TReader* reader);

  void WMWindowPosChanged(TMessage& m);
  void WMThemeChanged(TMessage& m);
  void CMEnabledChanged(TMessage& m);

  TAlignmentVertical alignmentVertical_ = avCenter;
  TFrameStyleEx borderInner_ = fsNone, borderOuter_ = fsRaised;
  TSides borderSides_ = sdAllSides;
  TColor borderColor_ = clBtnFace, borderHighlight_ = clBtnHighlight, borderShadow_ = clBtnShadow;
  TColor flatColor_ = clBtnShadow;
  int flatColorAdjustment_ = 30;
  TRzGradientColorStyle gradientColorStyle_ = gcsSystem;
  TColor gradientColorStart_ = clWhite, gradientColorStop_ = clBtnFace;
  TGradientDirection gradientDirection_ = gdHorizontalEnd;
  TColor gridColor_ = clBtnShadow;
  TRzGridStyle gridStyle_ = gsDots;
  uint16_t gridXSize_ = 8, gridYSize_ = 8;
  bool showGrid_ = false, transparent_ = false;
  int textMargin_ = 0;
  TRzVisualStyle visualStyle_ = vsWinXP;
  bool showDockClientCaptions_ = true;
  bool wordWrap_ = true;
  // The children's enabled states while the panel is disabled; a child that is freed leaves the
  // record, so a newcomer at its address is not taken for it.
  std::map<TControl*, bool> childStates_;
  TSize windowSize_;
  TRzFrameController* frameController_ = nullptr;
  TRzFrameControllerNotifications frameControllerNotifications_ = AllFrameControllerNotifications();
};

// The dock manager of a framed panel: caption strips in the caption colours (active for the
// client that holds the focus) with the client's text, rotated on the left-hand strips of panels
// aligned to the top or the bottom, and a close box drawn as a glyph of the symbol font. It
// repaints the panel when the focus may have moved between its clients.
class TRzPanelDockManager : public TDockTree {
  CALDERAN_CLASS(TRzPanelDockManager)
  explicit TRzPanelDockManager(TRzCustomPanel* panel);
  ~TRzPanelDockManager() override;
  TRect CloseButtonRect(const TRect& zoneRect) const override;

 protected:
  void PaintDockFrame(TCanvas* canvas, TControl* control, const TRect& rect) override;

 private:
  void SiteWindowProc(TMessage& m);
  void PaintCaption(TCanvas* canvas, TControl* control, const TRect& strip);
  TRzCustomPanel* panel_;
  TFont captionFont_, closeFont_;
  TWndMethod previousWindowProc_;
};

class TRzPanel : public TRzCustomPanel {
  CALDERAN_CLASS(TRzPanel)
  using TRzCustomPanel::TRzCustomPanel;
};

class TRzCustomGroupBox : public TRzCustomPanel {
  CALDERAN_CLASS(TRzCustomGroupBox)
  explicit TRzCustomGroupBox(TComponent* owner);
  void Dispatch(TMessage& message) override;
  void AdjustClientRect(TRect& rect) override;
  void FrameSettingsChanged() override;

  TRzGroupBoxStyle GroupStyle() const { return groupStyle_; }
  virtual void SetGroupStyle(TRzGroupBoxStyle value);
  // Where the caption goes for the current style and size (empty without one, and for gsCustom).
  TRect CaptionRect();

 protected:
  void Paint() override;

 private:
  bool ThemedLook();
  void PaintThemed(const TRect& caption, int frameTop);
  void PaintOwnFrame(TCanvas* canvas, const TRect& box, const TRect& caption);
  void PaintCaption(TCanvas* canvas, TRect caption);
  void CMDialogChar(TMessage& m);
  void CMFontChanged(TMessage& m);
  void WMEraseBkgnd(TMessage& m);

  TRzGroupBoxStyle groupStyle_ = gsFlat;
};

class TRzGroupBox : public TRzCustomGroupBox {
  CALDERAN_CLASS(TRzGroupBox)
  using TRzCustomGroupBox::TRzCustomGroupBox;
};

void RegisterPanelClasses();
