// The toolkit gallery: one form with every toolkit control built so far, in one look and feel, and
// the painter sheet of that look's painter. scripts/gallery shows it on a virtual display once per
// look and saves a picture of each.
//
//   toolkit_gallery.exe [--kind flat|standard|ultra-flat|office-11|native] [--skin NAME]
//                       [--close-after MILLISECONDS]
//
// Work that builds new controls adds them to BuildControls (give each a labelled place); new
// painters and painter elements go to PainterSheet.cpp.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "ExtCtrls.h"
#include "Forms.h"
#include "PainterSheet.h"
#include "StdCtrls.h"
#include "cxBaseUnits.h"
#include "dxSkinsBuiltIn.h"
#include "cxControls.h"
#include "cxLookAndFeelPainters.h"
#include "cxLookAndFeels.h"
#include "cxScrollBar.h"
#include "dxOffice11.h"
#include "dxThemeManager.h"
#include "dxUxTheme.h"

namespace {

struct TGalleryOptions {
  std::string Kind = "ultra-flat";
  std::string Skin;
  int CloseAfter = 0;
};

TGalleryOptions ParseOptions(int argc, char** argv) {
  TGalleryOptions options;
  for (int i = 1; i + 1 < argc; i += 2) {
    if (!std::strcmp(argv[i], "--kind")) options.Kind = argv[i + 1];
    else if (!std::strcmp(argv[i], "--skin")) options.Skin = argv[i + 1];
    else if (!std::strcmp(argv[i], "--close-after")) options.CloseAfter = std::atoi(argv[i + 1]);
  }
  return options;
}

// The root look and feel, which every control follows unless it assigns its own.
void ApplyLook(const TGalleryOptions& options) {
  struct TKindName { const char* Name; TcxLookAndFeelKind Kind; } const kinds[] = {
      {"flat", lfFlat}, {"standard", lfStandard}, {"ultra-flat", lfUltraFlat}, {"office-11", lfOffice11}, {"native", lfStandard}};
  TcxLookAndFeel* root = RootLookAndFeel();
  for (const TKindName& k : kinds)
    if (options.Kind == k.Name) root->SetKind(k.Kind);
  root->SetNativeStyle(options.Kind == "native");
  if (!options.Skin.empty()) root->SetSkinName(options.Skin);
}

// A base control with content of a given size, scrolled by its built-in bars (in pixels).
class TGalleryContent : public TcxControl {
 public:
  TGalleryContent(TComponent* owner, TSize content) : TcxControl(owner), content_(content) {
    SetBorderStyle(cxcbsDefault);
  }

 protected:
  void CalculateScrollBarParams() override {
    const TRect client = GetClientBounds();
    SetScrollBarInfo(sbHorizontal, 0, content_.cx - 1, 8, client.Width(), offset_.X, true, true);
    SetScrollBarInfo(sbVertical, 0, content_.cy - 1, 8, client.Height(), offset_.Y, true, true);
  }
  bool ScrollsByPixels(TScrollBarKind) override { return true; }
  void Scroll(TScrollBarKind kind, TScrollCode code, int& position) override {
    TcxControlScrollBar* bar = kind == sbHorizontal ? HScrollBar() : VScrollBar();
    if (code == scLineUp) position -= 8;
    if (code == scLineDown) position += 8;
    if (code == scPageUp) position -= bar->PageSize();
    if (code == scPageDown) position += bar->PageSize();
    position = std::clamp(position, 0, std::max(0, bar->Max() - bar->PageSize() + 1));
    (kind == sbHorizontal ? offset_.X : offset_.Y) = position;
    UpdateScrollBars();
    Invalidate();
  }
  void Paint() override {
    TcxControl::Paint();
    TcxCanvas* c = cxCanvas();
    const TRect client = GetClientBounds();
    c->GetBrush()->SetColor(GetPainter()->ContentColor());
    c->Canvas()->FillRect(client);
    c->GetPen()->SetColor(clBtnShadow);
    for (int x = 0; x < content_.cx; x += 40) {
      c->Canvas()->MoveTo(client.Left + x - offset_.X, client.Top);
      c->Canvas()->LineTo(client.Left + x - offset_.X, client.Bottom);
    }
    for (int y = 0; y < content_.cy; y += 20) {
      c->Canvas()->MoveTo(client.Left, client.Top + y - offset_.Y);
      c->Canvas()->LineTo(client.Right, client.Top + y - offset_.Y);
    }
    c->GetFont()->SetColor(GetPainter()->ContentTextColor());
    c->Canvas()->TextOut(client.Left + 4 - offset_.X, client.Top + 3 - offset_.Y,
                         std::to_string(content_.cx) + " x " + std::to_string(content_.cy));
  }

 private:
  TSize content_;
  TPoint offset_;
};

// A scroll bar control that shows one part in a chosen state (hot and pressed need the mouse).
class TStateScrollBar : public TcxScrollBar {
 public:
  TStateScrollBar(TComponent* owner, TcxScrollBarPart part, TcxButtonState state)
      : TcxScrollBar(owner), part_(part), state_(state) {}

 protected:
  void DrawScrollBarPart(TcxCanvas* canvas, const TRect& rect, TcxScrollBarPart part, TcxButtonState state) override {
    TcxScrollBar::DrawScrollBarPart(canvas, rect, part, part == part_ ? state_ : state);
  }

 private:
  TcxScrollBarPart part_;
  TcxButtonState state_;
};

// The painter sheet, drawn by the painter of the control's look and feel.
class TSheetControl : public TcxControl {
 public:
  using TcxControl::TcxControl;

 protected:
  bool HasBuiltInScrollBars() override { return false; }
  void Paint() override {
    TcxCanvas* c = cxCanvas();
    c->GetBrush()->SetColor(clBtnFace);
    c->Canvas()->FillRect(ClientRect());
    c->GetBrush()->SetStyle(TBrushStyle::bsClear);
    DrawPainterSheet(c, TPoint(0, 0), GetPainter(), TPainterSheetLayout());
  }
};

TGalleryOptions galleryOptions;

// An error in the gallery ends it with the message on the error stream: nobody is there to close
// a message box on the virtual display.
struct TErrorReport {
  void Show(TObject*, Exception* e) {
    std::fprintf(stderr, "gallery: %s\n", e ? e->Message().c_str() : "unknown error");
    std::exit(1);
  }
} errorReport;

class TGalleryForm : public TForm {
 public:
  explicit TGalleryForm(TComponent* owner) : TForm(owner, 0), options_(galleryOptions) {
    const TGalleryOptions& options = options_;
    SetCaption("Toolkit gallery: " + options.Kind + (options.Skin.empty() ? "" : " / " + options.Skin));
    SetBounds(0, 0, 1900, 1160);
    SetColor(clBtnFace);
    BuildControls();
    showTimer_ = new TcxTimer(this);
    showTimer_->SetInterval(400);
    showTimer_->SetOnTimer(MakeEvent(this, &TGalleryForm::ShowTransients));
    if (options.CloseAfter > 0) {
      closeTimer_ = new TcxTimer(this);
      closeTimer_->SetInterval(static_cast<uint32_t>(options.CloseAfter));
      closeTimer_->SetOnTimer(MakeEvent(this, &TGalleryForm::CloseNow));
    }
  }

 private:
  TLabel* AddLabel(int x, int y, const std::string& text) {
    auto* label = new TLabel(this);
    label->SetParent(this);
    label->SetBounds(x, y, 300, 16);
    label->SetCaption(text);
    return label;
  }

  template <class T> T* Place(T* control, int x, int y, int w, int h) {
    control->SetParent(this);
    control->SetBounds(x, y, w, h);
    return control;
  }

  void BuildControls() {
    AddLabel(8, 4, "Base controls: both bars and the size grip / vertical only / pixel content that fits");
    Place(new TGalleryContent(this, TSize(600, 400)), 8, 24, 220, 150);
    Place(new TGalleryContent(this, TSize(150, 400)), 240, 24, 220, 150);
    Place(new TGalleryContent(this, TSize(210, 140)), 472, 24, 220, 150);
    BuildScrollBars(712, 4);
    AddLabel(1250, 4, "Popup (double 3-D frame) beside this panel; hint below it");
    popupOwner_ = Place(new TPanel(this), 1250, 24, 140, 60);
    popupOwner_->SetCaption("popup owner");
    AddLabel(8, 196, "Painter sheet: " + options_.Kind + " (states: default, normal, hot, pressed, disabled)");
    Place(new TSheetControl(this), 8, 216, 1880, 900);
  }

  void BuildScrollBars(int x, int y) {
    AddLabel(x, y, "Scroll bar control: normal, hot arrow, pressed thumb, hot page, disabled, no thumb");
    struct TBarCase { TcxScrollBarPart Part; TcxButtonState State; bool Enabled; int Max; } const cases[] = {
        {sbpNone, cxbsNormal, true, 100},  {sbpLineDown, cxbsHot, true, 100}, {sbpThumbnail, cxbsPressed, true, 100},
        {sbpPageDown, cxbsHot, true, 100}, {sbpNone, cxbsNormal, false, 100}, {sbpNone, cxbsNormal, true, 0}};
    for (int i = 0; i < 6; ++i) {
      auto* bar = Place(new TStateScrollBar(this, cases[i].Part, cases[i].State), x, y + 22 + i * 24, 240, 17);
      const int page = cases[i].Max == 0 ? 0 : 20;
      bar->SetScrollParams(0, cases[i].Max, 30, page);
      bar->SetEnabled(cases[i].Enabled);
      auto* vertical = Place(new TStateScrollBar(this, cases[i].Part, cases[i].State), x + 260 + i * 26, y + 22, 17, 140);
      vertical->SetKind(sbVertical);
      vertical->SetBounds(x + 260 + i * 26, y + 22, 17, 140);
      vertical->SetScrollParams(0, cases[i].Max, 60, i == 3 ? 0 : page);
      vertical->SetEnabled(cases[i].Enabled);
    }
  }

  void ShowTransients(TObject*) {
    showTimer_->SetEnabled(false);
    auto* popup = new TcxPopupWindow(this);
    auto* content = new TPanel(popup);
    content->SetParent(popup);
    content->SetBounds(0, 0, 160, 70);
    content->SetCaption("popup content");
    popup->SetBorderStyle(pbsDouble3D);
    popup->SetDirection(pdHorizontal);
    popup->SetAlignHorz(pahRight);
    popup->SetAlignVert(pavTop);
    popup->SetOwnerParent(this);
    popup->SetOwnerBounds(popupOwner_->BoundsRect());
    popup->Popup();
    auto* hint = new TcxBaseHintWindow(this);
    hint->SetColor(clInfoBk);
    hint->SetEraseBackground(true);
    const TPoint at = ClientToScreen(TPoint(1250, 100));
    hint->ActivateHint(Bounds(at.X, at.Y, 180, 20), "A toolkit hint window");
  }

  void CloseNow(TObject*) { Close(); }

  TGalleryOptions options_;
  TPanel* popupOwner_ = nullptr;
  TcxTimer* showTimer_ = nullptr;
  TcxTimer* closeTimer_ = nullptr;
};

}  // namespace

int main(int argc, char** argv) {
  StartToolkitBaseUnits();
  StartUnits({&dxUxThemeUnit, &dxThemeManagerUnit, &dxOffice11Unit, &cxLookAndFeelsUnit, &cxLookAndFeelPaintersUnit});
  StartSkinUnits();  // the program's skins: skin:NAME
  galleryOptions = ParseOptions(argc, argv);
  int code = 0;
  try {
    Application->OnException = MakeEvent(&errorReport, &TErrorReport::Show);
    ApplyLook(galleryOptions);
    TGalleryForm* form = nullptr;
    Application->CreateForm(form);
    Application->Run();
  } catch (const Exception& e) {
    std::fprintf(stderr, "gallery: %s\n", e.Message().c_str());
    code = 1;
  }
  StopUnits();
  return code;
}
