// The one hint window of the bar system and the layouts it shows: a plain hint (text in a raised
// edge), a one-line hint in screen-tip style (painter background) and a full screen tip of up to
// three bands. The manager's timers decide when; the window asks the object under the mouse (a
// hint source), else the bar window's painter, else itself for the layout, measures it, places it
// and shows it.
//
// Screen-tip metrics are given at 96 pixels per inch and scaled to the screen's resolution; a view
// info takes the screen's at creation (SetPixelsPerInch changes it, for a layout at another one).
#pragma once
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "cxControls.h"
#include "cxGraphics.h"
#include "dxBarManager.h"
#include "dxBarPainter.h"
#include "dxBarScreenTips.h"

class TdxBarHintWindow;

class TdxBarCustomHintViewInfo : public TObject {
  CALDERAN_CLASS(TdxBarCustomHintViewInfo)
  explicit TdxBarCustomHintViewInfo(TdxBarManager* manager);
  virtual void CalcBounds(TcxCanvas* canvas) = 0;
  virtual bool IsScreenTip() const { return false; }
  virtual void Paint(TcxCanvas* canvas) = 0;
  // Puts the window in the mode of this layout (and makes its handle).
  virtual void ApplyToWindow(TdxBarHintWindow* window);

  TdxBarManager* BarManager() const { return manager_; }
  const TRect& Bounds() const { return bounds_; }
  int PixelsPerInch() const { return pixelsPerInch_; }
  void SetPixelsPerInch(int value) { pixelsPerInch_ = value; }
  // A metric given at 96 pixels per inch, at this layout's resolution.
  int ScaleValue(int value) const;

 protected:
  TRect bounds_;

 private:
  TdxBarManager* manager_;
  int pixelsPerInch_;
};

class TdxBarHintViewInfo : public TdxBarCustomHintViewInfo {
  CALDERAN_CLASS(TdxBarHintViewInfo)
  // The text is text + shortcut text, or empty when the text is.
  TdxBarHintViewInfo(TdxBarManager* manager, const std::string& text, const std::string& shortCut,
                     const TPoint& position);
  void CalcBounds(TcxCanvas* canvas) override;
  void Paint(TcxCanvas* canvas) override;
  void ApplyToWindow(TdxBarHintWindow* window) override;
  const std::string& Text() const { return text_; }
  const TPoint& Position() const { return position_; }

 protected:
  virtual void AddFrameSize(TSize& size) const;
  virtual TRect GetTextRect() const;
  void PaintText(TcxCanvas* canvas) const;
  void ApplyFont(TdxBarHintWindow* window) const;

 private:
  std::string text_;
  TPoint position_;
};

class TdxBarLikeHintScreenTipViewInfo : public TdxBarHintViewInfo {
  CALDERAN_CLASS(TdxBarLikeHintScreenTipViewInfo)
  TdxBarLikeHintScreenTipViewInfo(TdxBarManager* manager, const std::string& text, const std::string& shortCut,
                                  const TPoint& position, TdxBarPainterClass painter)
      : TdxBarHintViewInfo(manager, text, shortCut, position), painter_(painter) {}
  bool IsScreenTip() const override { return true; }
  void Paint(TcxCanvas* canvas) override;

 protected:
  void AddFrameSize(TSize& size) const override;
  TRect GetTextRect() const override;

 private:
  TdxBarPainterClass painter_;
};

// One band of a screen tip as laid out.
class TdxBarScreenTipBandViewInfo : public TObject {
  CALDERAN_CLASS(TdxBarScreenTipBandViewInfo)
  TdxBarScreenTipBandViewInfo(TdxBarCustomScreenTipBand* band, const std::string& hintText,
                              const std::string& shortCut, int pixelsPerInch);
  // 0 without glyph and text.
  int CalcHeight(TcxCanvas* canvas, int width, TdxBarPainterClass painter);
  void Arrange(int width, int top, TdxBarPainterClass painter, int bandHeight);
  void Paint(TcxCanvas* canvas, TdxBarPainterClass painter);

  TdxBarCustomScreenTipBand* Band() const { return band_; }
  std::string GetText() const;
  int Top() const { return top_; }
  const TSize& GlyphSize() const { return glyphSize_; }
  const TSize& TextSize() const { return textSize_; }
  const TRect& GlyphBounds() const { return glyphBounds_; }
  const TRect& TextBounds() const { return textBounds_; }
  // The band's metrics at this resolution: horizontal margin, glyph column width, vertical spacing.
  int HorzMargin() const;
  int GlyphColumnWidth() const;
  int VertSpacing(TdxBarPainterClass painter) const;

 private:
  bool HasGlyph() const { return !band_->Glyph()->Empty(); }
  bool IsType(TdxScreenTipRepositoryFont type) const { return band_->BandType() == type; }
  int Scale(int value) const;

  TdxBarCustomScreenTipBand* band_;
  std::string hintText_;
  std::string shortCut_;
  int pixelsPerInch_;
  int top_ = 0;
  int width_ = 0;
  TSize glyphSize_;
  TSize textSize_;
  TRect glyphBounds_;
  TRect textBounds_;
};

class TdxBarScreenTipViewInfo : public TdxBarCustomHintViewInfo {
  CALDERAN_CLASS(TdxBarScreenTipViewInfo)
  // The hint text is kept only for a tip that uses the hint as its header.
  TdxBarScreenTipViewInfo(TdxBarManager* manager, TdxBarScreenTip* screenTip, TdxBarPainterClass painter,
                          const std::string& hintText, const std::string& shortCut);
  ~TdxBarScreenTipViewInfo() override;
  bool IsScreenTip() const override { return true; }
  void CalcBounds(TcxCanvas* canvas) override;
  void Paint(TcxCanvas* canvas) override;

  int BandCount() const { return static_cast<int>(bands_.size()); }
  TdxBarScreenTipBandViewInfo* BandViewInfo(int index) const { return bands_[index]; }

 private:
  bool IsBandUsed(TdxBarCustomScreenTipBand* band, TdxScreenTipRepositoryFont position) const;
  void ClearBands();

  TdxBarScreenTip* screenTip_;
  TdxBarPainterClass painter_;
  std::string hintText_;
  std::string shortCut_;
  std::vector<TdxBarScreenTipBandViewInfo*> bands_;
};

// The layout for an object with a screen tip, for painters that draw screen tips: the full tip when
// its repository shows descriptions, otherwise one line in screen-tip style (the tip's header, or
// the hint) at the cursor.
TdxBarCustomHintViewInfo* CreateHintViewInfo(TdxBarManager* manager, const std::string& hintText,
                                             const std::string& shortCut, TdxBarPainterClass painter,
                                             TdxBarScreenTip* screenTip);

// What a hint source may answer beyond its texts: its own layout and where it goes.
class IdxBarHintLayoutSource {
 public:
  virtual TdxBarCustomHintViewInfo* CreateHintViewInfo(const std::string& hintText, const std::string& shortCut) = 0;
  virtual TPoint GetHintPosition(const TPoint& cursor, int height) = 0;

 protected:
  ~IdxBarHintLayoutSource() = default;
};

class TdxBarHintWindow : public TcxBaseHintWindow, public IdxBarHintWindow {
  CALDERAN_CLASS(TdxBarHintWindow)
  explicit TdxBarHintWindow(TComponent* owner);
  ~TdxBarHintWindow() override;
  void Dispatch(TMessage& message) override;

  // IdxBarHintWindow
  bool IsVisible() override;
  void Hide() override;
  bool Activate(TdxBarManager* manager, const std::string& text, const std::string& shortCut) override;
  bool IsScreenTipMode() override { return screenTipMode_; }

  // 200000 ms in screen-tip mode, else 10000.
  virtual int GetHideDelay() const;
  // 900 ms in screen-tip mode, else 1000.
  virtual int GetShowDelay() const;
  // Shows the layout for the manager's current hint object; false when there is nothing to show.
  virtual bool ShowBarHint(TdxBarManager* manager, const std::string& hintText, const std::string& shortCut);
  void SetScreenTipMode(bool value);
  TdxBarCustomHintViewInfo* ViewInfo() const { return viewInfo_.get(); }
  // The cursor position the layouts are placed at (the mouse's, unless a test sets one).
  static TPoint HintCursorPos();
  static void SetHintCursorPos(const TPoint* position);

 protected:
  void Paint() override;
  virtual void RecreateForMode();

 private:
  TdxBarCustomHintViewInfo* CreateViewInfo(TdxBarManager* manager, const std::string& hintText,
                                           const std::string& shortCut) const;
  TPoint GetPosition(TdxBarManager* manager, int height) const;
  void WMShowWindow(TMessage& message);
  void WMSize(TMessage& message);

  std::unique_ptr<TdxBarCustomHintViewInfo> viewInfo_;
  bool screenTipMode_ = false;
};

// The shared hint window, made by the first manager not in design mode and freed with the last.
TdxBarHintWindow* BarHintWindowInstance();
void CreateBarHintWindow();
void FreeBarHintWindow();
