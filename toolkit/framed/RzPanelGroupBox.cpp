// The group box: its client area under the caption, its six group styles, the visual-style box, and
// the published properties of panels and group boxes.
#include <windows.h>

#include <algorithm>

#include "RzFramedTypes.h"
#include "RzPanel.h"
#include "TypInfo.h"
#include "dxThemeManager.h"
#include "dxUxTheme.h"

CALDERAN_IMPLEMENT_CLASS(TRzCustomGroupBox, TRzCustomPanel)
CALDERAN_IMPLEMENT_CREATABLE(TRzGroupBox, TRzCustomGroupBox, TComponent*)

namespace {
// The size of a text in a font, measured without a window.
TSize MeasureText(TFont* font, const std::string& text) {
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, font->Handle());
  SIZE size{};
  GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
  SelectObject(dc, old);
  DeleteDC(dc);
  return {size.cx, size.cy};
}

// The visual style's group-box part of the BUTTON class.
constexpr int groupBoxPart = 4;

UINT AlignmentFlag(TAlignment alignment) {
  static constexpr UINT flags[] = {DT_LEFT, DT_RIGHT, DT_CENTER};
  return flags[alignment];
}

void HorizontalLine(TCanvas* canvas, int x0, int x1, int y, TColor color) {
  canvas->Pen()->SetColor(color);
  canvas->MoveTo(x0, y);
  canvas->LineTo(x1, y);
}

void VerticalLine(TCanvas* canvas, int x, int y0, int y1, TColor color) {
  canvas->Pen()->SetColor(color);
  canvas->MoveTo(x, y0);
  canvas->LineTo(x, y1);
}

// An outline with its corners cut by one pixel, or rounded by a pixel set inside each corner.
void PaintCutOutline(TCanvas* canvas, const TRect& r, int inset, TColor color) {
  VerticalLine(canvas, r.Left, r.Top + inset, r.Bottom - inset, color);
  HorizontalLine(canvas, r.Left + inset, r.Right - inset, r.Top, color);
  VerticalLine(canvas, r.Right - 1, r.Top + inset, r.Bottom - inset, color);
  HorizontalLine(canvas, r.Left + inset, r.Right - inset, r.Bottom - 1, color);
}
}  // namespace

TRzCustomGroupBox::TRzCustomGroupBox(TComponent* owner) : TRzCustomPanel(owner) {
  TControlStyle style = ControlStyle();
  style.Include(csSetCaption);
  style.Include(csDoubleClicks);
  SetControlStyle(style);
  SetBorderOuter(fsNone);
  SetBorderInner(fsNone);
  SetAlignment(taLeftJustify);
  SetAlignmentVertical(avTop);
  SetHeight(105);
}

void TRzCustomGroupBox::Dispatch(TMessage& message) {
  switch (message.Msg) {
    case CM_DIALOGCHAR: CMDialogChar(message); break;
    case CM_FONTCHANGED: CMFontChanged(message); break;
    case WM_ERASEBKGND: WMEraseBkgnd(message); break;
    default: TRzCustomPanel::Dispatch(message);
  }
}

void TRzCustomGroupBox::SetGroupStyle(TRzGroupBoxStyle value) {
  if (!StoreChanged(groupStyle_, value)) return;
  Realign();
  Invalidate();
}

void TRzCustomGroupBox::FrameSettingsChanged() {
  if (groupStyle_ == gsCustom) TRzCustomPanel::FrameSettingsChanged();
}

void TRzCustomGroupBox::AdjustClientRect(TRect& rect) {
  TRzCustomPanel::AdjustClientRect(rect);
  const int h = MeasureText(Font(), "Yy").cy;
  switch (groupStyle_) {
    case gsStandard: case gsFlat: {
      const int a = h / 2 - 1;
      rect.Top += a < BorderWidth() ? a : h - BorderWidth();
      const int by = groupStyle_ == gsStandard ? 2 : 1;
      rect.Inflate(-by, -by);
      break;
    }
    case gsCustom:
      if (!Caption().empty()) rect.Top += h;
      rect.Inflate(-2, -2);
      break;
    case gsTopLine: rect.Top += h; break;
    case gsBanner: rect.Top += h + 8; break;
    case gsUnderline: rect.Top += h + 4; break;
  }
}

void TRzCustomGroupBox::CMDialogChar(TMessage& m) {
  if (IsAccel(static_cast<Word>(m.WParam), Caption()) && CanFocus()) {
    SelectFirst();
    m.Result = 1;
  } else {
    TRzCustomPanel::Dispatch(m);
  }
}

void TRzCustomGroupBox::CMFontChanged(TMessage& m) {
  TRzCustomPanel::Dispatch(m);
  Invalidate();
}

void TRzCustomGroupBox::WMEraseBkgnd(TMessage& m) {
  if (!Transparent()) return TRzCustomPanel::Dispatch(m);
  PaintBehindControl(this, reinterpret_cast<HDC>(m.WParam), true);
  m.Result = 1;
}

TRect TRzCustomGroupBox::CaptionRect() {
  const std::string caption = Caption();
  if (caption.empty() || groupStyle_ == gsCustom) return {};
  const TSize size = MeasureText(Font(), StripHotkeyMarks(caption));
  const bool rightToLeft = IsRightToLeft();
  switch (groupStyle_) {
    case gsStandard: case gsFlat:
      return rightToLeft ? TRect{Width() - size.cx - 8, 0, Width() - 8, size.cy} : TRect{8, 0, 8 + size.cx, size.cy};
    case gsTopLine:
      return rightToLeft ? TRect{Width() - size.cx - 4, 0, Width() - 4, size.cy} : TRect{0, 0, size.cx + 4, size.cy};
    case gsBanner: return {0, 0, Width(), size.cy + 6};
    default: return {0, 0, Width(), size.cy + 2};
  }
}

bool TRzCustomGroupBox::ThemedLook() {
  return VisualStyle() == vsWinXP && FramedThemesEnabled() && (groupStyle_ == gsStandard || groupStyle_ == gsFlat);
}

void TRzCustomGroupBox::Paint() {
  TCanvas* canvas = Canvas();
  canvas->SetFont(Font());
  const int frameTop = canvas->TextHeight("Pp") / 2 - 1;
  const TRect caption = CaptionRect();
  if (ThemedLook()) return PaintThemed(caption, frameTop);
  if (groupStyle_ == gsCustom) return TRzCustomPanel::Paint();
  if (!Transparent()) {
    canvas->Brush()->SetColor(Color());
    canvas->FillRect({0, 0, Width(), Height()});
  }
  const bool excluded = Transparent() && groupStyle_ != gsBanner && !caption.IsEmpty();
  if (excluded) ExcludeClipRect(canvas->Handle(), caption.Left, caption.Top, caption.Right, caption.Bottom);
  PaintOwnFrame(canvas, {0, frameTop, Width(), Height()}, caption);
  PaintCaption(canvas, caption);
}

void TRzCustomGroupBox::PaintThemed(const TRect& caption, int frameTop) {
  TCanvas* canvas = Canvas();
  HDC dc = canvas->Handle();
  if (!Transparent()) PaintBehindControl(this, dc, true);
  const int saved = SaveDC(dc);
  if (!caption.IsEmpty()) ExcludeClipRect(dc, caption.Left, caption.Top, caption.Right, caption.Bottom);
  const RECT box{0, frameTop, Width(), Height()};
  UxDrawThemeBackground(OpenThemeByKind(totButton), dc, groupBoxPart, Enabled() ? 1 : 2, &box, nullptr);
  RestoreDC(dc, saved);
  if (Caption().empty()) return;
  const RECT text = caption;
  UxDrawThemeTextAnsi(OpenThemeByKind(totButton), dc, groupBoxPart, Enabled() ? 1 : 2, Caption(), -1,
                      AlignmentFlag(Alignment()), 0, &text);
}

void TRzCustomGroupBox::PaintOwnFrame(TCanvas* canvas, const TRect& b, const TRect& caption) {
  const TColor fc = ShiftColorLum(FlatColor(), FlatColorAdjustment());
  switch (groupStyle_) {
    case gsStandard:
      if (BorderOuter() == fsNone) PaintFrameStyleSides(canvas, b, fsGroove, sdAllSides);
      else if (BorderOuter() == fsFlat) PaintBoxOutline(canvas, b, fc);
      else if (BorderOuter() == fsFlatBold) PaintBevel(canvas, b, fc, sdAllSides, 2, fc);
      else PaintFrameStyleSides(canvas, b, BorderOuter(), sdAllSides);
      break;
    case gsTopLine:
      if (BorderOuter() == fsNone || (BorderOuter() != fsFlat && BorderOuter() != fsFlatBold)) {
        PaintFrameStyleSides(canvas, b, BorderOuter() == fsNone ? fsGroove : BorderOuter(), TSides{sdTop});
      } else {
        HorizontalLine(canvas, b.Left + 2, b.Right - 2, b.Top, fc);
        if (BorderOuter() == fsFlatBold) HorizontalLine(canvas, b.Left + 2, b.Right - 2, b.Top + 1, fc);
      }
      break;
    case gsFlat:
      PaintCutOutline(canvas, b, 2, fc);
      for (TPoint p : {TPoint{b.Left + 1, b.Top + 1}, TPoint{b.Right - 2, b.Top + 1}, TPoint{b.Right - 2, b.Bottom - 2},
                       TPoint{b.Left + 1, b.Bottom - 2}})
        canvas->SetPixel(p.X, p.Y, fc);
      break;
    case gsBanner: {
      TColor start, stop, line;
      if (GradientColorStyle() == gcsCustom) {
        start = GradientColorStart();
        stop = GradientColorStop();
        line = fc;
      } else {
        GroupGradientColors(GradientColorStyle(), stop, start, line);
      }
      PaintCutOutline(canvas, caption, 1, line);
      RenderGradient(canvas, {caption.Left + 1, caption.Top + 1, caption.Right - 1, caption.Bottom - 1}, gdHorizontalEnd,
                     start, stop, 1);
      break;
    }
    case gsUnderline: HorizontalLine(canvas, caption.Left, caption.Right, caption.Bottom, fc); break;
    case gsCustom: break;
  }
}

void TRzCustomGroupBox::PaintCaption(TCanvas* canvas, TRect c) {
  const std::string caption = Caption();
  if (caption.empty()) return;
  if (!Transparent() && groupStyle_ != gsBanner) {
    canvas->Brush()->SetColor(Color());
    canvas->FillRect(c);
  }
  if (groupStyle_ == gsBanner) c = {c.Left + 4, c.Top + 1, c.Right - 4, c.Bottom - 1};
  canvas->Brush()->SetStyle(TBrushStyle::bsClear);
  if (Enabled() && VisualStyle() == vsWinXP && FramedThemesEnabled()) canvas->Font()->SetColor(ThemedPartColor(6));
  const UINT flags = DT_SINGLELINE | AlignmentFlag(Alignment());
  if (!Enabled()) {
    TRect light = c;
    light.Offset(1, 1);
    canvas->Font()->SetColor(clBtnHighlight);
    DrawTextA(canvas->Handle(), caption.c_str(), -1, light.Win(), flags);
    canvas->Font()->SetColor(clBtnShadow);
  }
  SelectClipRgn(canvas->Handle(), nullptr);
  DrawTextA(canvas->Handle(), caption.c_str(), -1, c.Win(), flags);
  canvas->Brush()->SetStyle(TBrushStyle::bsSolid);
}

// ---------------------------------------------------------------------------------------------
namespace {
using P = TRzCustomPanel;
constinit const TPropInfo panelProps[] = {
    Published<&P::AlignmentVertical, &P::SetAlignmentVertical>("AlignmentVertical", &AlignmentVerticalInfo)
        .WithDefault(avCenter),
    Published<&P::BorderColor, &P::SetBorderColor>("BorderColor").WithDefault(clBtnFace),
    Published<&P::BorderInner, &P::SetBorderInner>("BorderInner", &FrameStyleInfo).WithDefault(fsNone),
    Published<&P::BorderOuter, &P::SetBorderOuter>("BorderOuter", &FrameStyleInfo).WithDefault(fsRaised),
    Published<&P::BorderSides, &P::SetBorderSides>("BorderSides", &SideInfo).WithDefault(sdAllSides),
    Published<&P::BorderHighlight, &P::SetBorderHighlight>("BorderHighlight").WithDefault(clBtnHighlight),
    Published<&P::BorderShadow, &P::SetBorderShadow>("BorderShadow").WithDefault(clBtnShadow),
    Published<&P::FlatColor, &P::SetFlatColor>("FlatColor").WithDefault(clBtnShadow),
    Published<&P::FlatColorAdjustment, &P::SetFlatColorAdjustment>("FlatColorAdjustment").WithDefault(30),
    Published<&P::FrameController, &P::SetFrameController>("FrameController"),
    Published<&P::FrameControllerNotifications, &P::SetFrameControllerNotifications>("FrameControllerNotifications",
                                                                                      &FrameControllerConnectionInfo),
    Published<&P::GradientColorStyle, &P::SetGradientColorStyle>("GradientColorStyle", &GradientColorStyleInfo)
        .WithDefault(gcsSystem),
    Published<&P::GradientColorStart, &P::SetGradientColorStart>("GradientColorStart").WithDefault(clWhite),
    Published<&P::GradientColorStop, &P::SetGradientColorStop>("GradientColorStop").WithDefault(clBtnFace),
    Published<&P::GradientDirection, &P::SetGradientDirection>("GradientDirection", &GradientDirectionInfo)
        .WithDefault(gdHorizontalEnd),
    Published<&P::GridColor, &P::SetGridColor>("GridColor").WithDefault(clBtnShadow),
    Published<&P::GridStyle, &P::SetGridStyle>("GridStyle", &GridStyleInfo).WithDefault(gsDots),
    Published<&P::GridXSize, &P::SetGridXSize>("GridXSize").WithDefault(8),
    Published<&P::GridYSize, &P::SetGridYSize>("GridYSize").WithDefault(8),
    Published<&P::ShowDockClientCaptions, &P::SetShowDockClientCaptions>("ShowDockClientCaptions").WithDefault(true),
    Published<&P::ShowGrid, &P::SetShowGrid>("ShowGrid").WithDefault(false),
    Published<&P::TextMargin, &P::SetTextMargin>("TextMargin").WithDefault(0),
    Published<&P::Transparent, &P::SetTransparent>("Transparent").WithDefault(false),
    Published<&P::VisualStyle, &P::SetVisualStyle>("VisualStyle", &VisualStyleInfo).WithDefault(vsWinXP),
    Published<&P::WordWrap, &P::SetWordWrap>("WordWrap").WithDefault(true),
    PublishedEvent<&P::OnMouseEnter>("OnMouseEnter"),
    PublishedEvent<&P::OnMouseLeave>("OnMouseLeave"),
    PublishedEvent<&P::OnPaint>("OnPaint"),
};

constinit const TPropInfo groupBoxProps[] = {
    Published<&TRzCustomGroupBox::GroupStyle, &TRzCustomGroupBox::SetGroupStyle>("GroupStyle", &GroupBoxStyleInfo)
        .WithDefault(gsFlat),
    Published<&P::BorderOuter, &P::SetBorderOuter>("BorderOuter", &FrameStyleInfo).WithDefault(fsNone),
};
}  // namespace

void RegisterPanelClasses() {
  RegisterPublishedProperties(TRzCustomPanel::StaticClass(), panelProps);
  RegisterPublishedProperties(TRzCustomGroupBox::StaticClass(), groupBoxProps);
  RegisterClasses({TRzPanel::StaticClass(), TRzGroupBox::StaticClass()});
}
