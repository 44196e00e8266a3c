// The bar system's hints and shadows: a plain hint, a screen tip with header, description glyph and
// footer, and a menu-like popup under a button with its drop shadow.
#include <memory>
#include <string>

#include "ExtCtrls.h"
#include "GalleryPages.h"
#include "dxBarHintWindow.h"
#include "dxBarManager.h"
#include "dxBarShadow.h"

namespace {
// A description picture: a framed blue square with a white play triangle.
TBitmap* MakePicture(TComponent*) {
  auto* picture = new TBitmap(48, 48);
  TCanvas* canvas = picture->Canvas();
  canvas->Brush()->SetColor(TColor(0xB07030));
  canvas->FillRect(TRect{0, 0, 48, 48});
  canvas->Brush()->SetColor(clWhite);
  canvas->Polygon({{16, 12}, {36, 24}, {16, 36}});
  return picture;
}

// A borderless window that stands for a menu: a raised panel with a caption.
TForm* MakePopup(TForm* owner) {
  auto* popup = new TForm(owner, 0);
  popup->SetBorderStyle(bsNone);
  popup->SetColor(clWindow);
  auto* panel = new TPanel(popup);
  panel->SetParent(popup);
  panel->SetAlign(alClient);
  panel->SetBevelOuter(bvRaised);
  panel->SetCaption("Menu-like popup");
  panel->SetColor(clWindow);
  return popup;
}

struct TPageObjects {
  TdxBarHintWindow* Plain = nullptr;
  TdxBarHintWindow* Tip = nullptr;
  TdxBarShadow* Shadow = nullptr;
  TForm* Popup = nullptr;
  std::unique_ptr<TBitmap> Picture;
};
}  // namespace

void BuildBarHintsPage(TGalleryPage& page) {
  TForm* form = page.Form();
  auto* manager = new TdxBarManager(form);
  auto* repository = new TdxBarScreenTipRepository(form);
  TdxBarScreenTip* tip = repository->Items()->AddTip();
  tip->Header()->SetText("Add Files");
  tip->Description()->SetText("Adds video and audio files to the conversion list. Several files can be chosen at once.");
  tip->Footer()->SetText("Press F1 for more help.");
  auto objects = std::make_shared<TPageObjects>();
  objects->Picture.reset(MakePicture(form));
  tip->Description()->SetGlyph(objects->Picture.get());

  page.AddLabel(20, 20, "Plain hint:", 200);
  page.AddLabel(20, 120, "Screen tip:", 200);
  page.AddLabel(520, 20, "Button with a popup and its shadow:", 300);
  auto* button = new TButton(form);
  page.Place(button, 520, 50, 140, 26)->SetCaption("Convert");

  page.AfterShow([form, manager, tip, objects, button] {
    const TPoint origin = form->ClientToScreen({0, 0});
    objects->Plain = new TdxBarHintWindow(form);
    objects->Tip = new TdxBarHintWindow(form);
    TPoint at{origin.X + 120, origin.Y + 20};
    TdxBarHintWindow::SetHintCursorPos(&at);
    objects->Plain->ShowBarHint(manager, "Delete the selected files", " (Del)");
    // A screen tip comes through an object that hands its tip to the layout.
    struct TTipSource : TObject, IdxBarHintLayoutSource {
      TdxBarManager* Manager;
      TdxBarScreenTip* Tip;
      TdxBarCustomHintViewInfo* CreateHintViewInfo(const std::string& text, const std::string& shortCut) override {
        return ::CreateHintViewInfo(Manager, text, shortCut, Manager->Painter(), Tip);
      }
      TPoint GetHintPosition(const TPoint& cursor, int) override { return cursor; }
    };
    static TTipSource source;
    source.Manager = manager;
    source.Tip = tip;
    at = {origin.X + 120, origin.Y + 120};
    TdxBarHintWindow::SetHintCursorPos(&at);
    manager->UpdateHint(true, "", &source);
    objects->Tip->ShowBarHint(manager, "Add", " (Ctrl+O)");
    manager->UpdateHint(false, "", nullptr);
    TdxBarHintWindow::SetHintCursorPos(nullptr);

    const TRect buttonRect = button->BoundsRect();
    const TPoint buttonOrigin = form->ClientToScreen(buttonRect.TopLeft());
    const TRect owner{buttonOrigin.X, buttonOrigin.Y, buttonOrigin.X + buttonRect.Width() + 30,
                      buttonOrigin.Y + buttonRect.Height()};
    objects->Popup = MakePopup(form);
    objects->Popup->SetBounds(owner.Left + 10, owner.Bottom, 150, 120);
    objects->Popup->Show();
    objects->Shadow = new TdxBarShadow(objects->Popup);
    objects->Shadow->SetShadowBounds(owner, {owner.Left + 10, owner.Bottom, owner.Left + 160, owner.Bottom + 120});
    objects->Shadow->SetVisible(true);
  });
}
