// The ribbon skin pages, one per colour scheme: the large button in every state, a small ribbon put
// together from the scheme's parts, then every part of the scheme drawn at its own size and
// stretched, in the order the skin holds them, each under its id.
#include <algorithm>
#include <string>

#include "GalleryPages.h"
#include "cxControls.h"
#include "dxBarSkin.h"
#include "dxRibbonSkins.h"

namespace {

class TRibbonSkinSheet : public TcxControl {
 public:
  TRibbonSkinSheet(TComponent* owner, TdxCustomRibbonSkin* skin) : TcxControl(owner), skin_(skin) {}

 protected:
  bool HasBuiltInScrollBars() override { return false; }
  void Paint() override {
    HDC dc = cxCanvas()->Canvas()->Handle();
    FillRect(dc, ClientRect().Win(), reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    if (!skin_) return;
    SetBkMode(dc, TRANSPARENT);
    SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    DrawButtonStates(dc, 8, 8);
    DrawMiniRibbon(dc, 560, 8);
    DrawEveryPart(dc, TRect(8, 200, ClientWidth() - 8, ClientHeight() - 8));
  }

 private:
  void Text(HDC dc, int x, int y, const std::string& text, TColor color = clBtnText) {
    SetTextColor(dc, ColorToRGB(color));
    TextOutA(dc, x, y, text.c_str(), static_cast<int>(text.size()));
  }

  // Large buttons in states 0 to 8 on the group body, at the frame's size and wider.
  void DrawButtonStates(HDC dc, int x, int y) {
    skin_->DrawTabGroupBody(dc, TRect(x, y, x + 540, y + 180), 0);
    for (int state = 0; state < 9; ++state) {
      const int left = x + 8 + state * 58;
      Text(dc, left + 4, y + 6, "state " + std::to_string(state), skin_->GetElementColor(10133, 0));
      skin_->DrawLargeButton(dc, Bounds(left, y + 24, 42, 66), state);
      skin_->DrawLargeButton(dc, Bounds(left, y + 98, 54, 72), state);
    }
  }

  // A tab row, a group with its caption, buttons and the application button, as a ribbon shows them.
  void DrawMiniRibbon(HDC dc, int x, int y) {
    TdxRibbonFormData form;
    skin_->DrawFormCaption(dc, TRect(x, y, x + 560, y + 30), form);
    skin_->DrawQuickAccessToolbarBackground(dc, TRect(x + 40, y + 2, x + 160, y + 28), false, true, true, true, true);
    // minimize (hot), restore (pressed), close (normal)
    const int kinds[] = {0, 2, 3}, states[] = {1, 2, 0};
    for (int i = 0; i < 3; ++i) skin_->DrawFormCaptionButton(dc, Bounds(x + 470 + i * 28, y + 3, 25, 25), kinds[i], states[i]);
    skin_->DrawTabRowBackground(dc, TRect(x, y + 30, x + 560, y + 54));
    skin_->DrawApplicationButton(dc, Bounds(x + 2, y + 6, 42, 42), 1);
    skin_->DrawTabGroupsArea(dc, TRect(x, y + 54, x + 560, y + 180));
    skin_->DrawAreaBottomLines(dc, TRect(x, y + 178, x + 560, y + 180));
    for (int g = 0; g < 2; ++g) {
      const int left = x + 6 + g * 250;
      skin_->DrawTabGroupBody(dc, TRect(left, y + 58, left + 240, y + 158), g == 1 ? 2 : 0);
      skin_->DrawTabGroupCaption(dc, TRect(left, y + 158, left + 240, y + 175), g == 1 ? 2 : 0);
      Text(dc, left + 90, y + 160, g == 0 ? "Convert" : "Clips", skin_->GetElementColor(10133, 0));
      skin_->DrawLargeButton(dc, Bounds(left + 6, y + 62, 46, 92), g == 0 ? 2 : 4);
      skin_->DrawLargeSplitButtonUpper(dc, Bounds(left + 58, y + 62, 46, 52), 3);
      skin_->DrawLargeSplitButtonLower(dc, Bounds(left + 58, y + 114, 46, 40), 4);
      for (int row = 0; row < 3; ++row) skin_->DrawSmallButton(dc, Bounds(left + 112, y + 62 + row * 30, 90, 24), row + 2);
      skin_->DrawGroupCaptionButton(dc, Bounds(left + 222, y + 160, 15, 14), 2);
      skin_->DrawGroupCaptionButtonGlyph(dc, Bounds(left + 224, y + 161, 12, 12), 0);
    }
    skin_->DrawCollapsedGroupButton(dc, TRect(x + 508, y + 58, x + 556, y + 175), 2);
  }

  void DrawEveryPart(HDC dc, const TRect& area) {
    int x = area.Left, y = area.Top, rowHeight = 0;
    for (int i = 0; i < skin_->Count(); ++i) {
      TdxSkinnedRect* part = skin_->GetPart(i);
      const TSize own = part->Image() ? PartSize(part) : TSize(8, 8);
      // Stretched both ways; tall parts only across, so the page holds every part.
      const TSize wide(std::max(own.cx * 3 / 2, own.cx + 10), own.cy > 60 ? own.cy : std::max(own.cy * 4 / 3, own.cy + 6));
      const int width = std::max(own.cx + wide.cx + 6, 36);
      if (x + width > area.Right) {
        x = area.Left;
        y += rowHeight + 2;
        rowHeight = 0;
      }
      Text(dc, x, y, std::to_string(part->ID()));
      part->Draw(dc, Bounds(x, y + 13, own.cx, own.cy));
      part->Draw(dc, Bounds(x + own.cx + 4, y + 13, wide.cx, wide.cy));
      rowHeight = std::max(rowHeight, wide.cy + 13);
      x += width + 4;
    }
  }

  static TSize PartSize(TdxSkinnedRect* part) {
    // The source cells span the part's own picture.
    return TSize(part->SourceCells()[8].Right, part->SourceCells()[8].Bottom);
  }

  TdxCustomRibbonSkin* skin_;
};

void BuildRibbonSkinPage(TGalleryPage& page, const char* scheme) {
  auto* skin = static_cast<TdxCustomRibbonSkin*>(BarSkinManager()->FindByName(scheme));
  page.AddLabel(8, 4, std::string("Ribbon skin \"") + scheme + "\": large buttons in states 0-8, a ribbon put together "
                "from the parts, then every part at its own size and stretched" + (skin ? "" : " (not registered)"), 1200);
  page.Place(new TRibbonSkinSheet(page.Form(), skin), 0, 24, 1900, 1130);
}

}  // namespace

void BuildRibbonBluePage(TGalleryPage& page) { BuildRibbonSkinPage(page, "Blue"); }
void BuildRibbonBlackPage(TGalleryPage& page) { BuildRibbonSkinPage(page, "Black"); }
void BuildRibbonSilverPage(TGalleryPage& page) { BuildRibbonSkinPage(page, "Silver"); }
