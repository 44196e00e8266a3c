// The editors page: the push button in every kind and state, containers with an inner edit box in
// every border style (with a shadow, hot, focused and disabled) and list views in report style.
#include <string>

#include "GalleryPages.h"
#include "Menus.h"
#include "cxButtons.h"
#include "cxContainer.h"
#include "cxEdit.h"
#include "cxEditPaintUtils.h"
#include "cxListView.h"

namespace {

// A strip of two 16 x 16 pieces: a green arrow (up) and a grey one (disabled).
TBitmap* MakeArrowGlyph(TComponent* owner) {
  auto* bitmap = new TBitmap();
  bitmap->SetSize(32, 16);
  TCanvas* c = bitmap->Canvas();
  c->Brush()->SetColor(clFuchsia);
  c->FillRect(TRect(0, 0, 32, 16));
  for (int piece = 0; piece < 2; ++piece) {
    c->Brush()->SetColor(piece == 0 ? TColor(0x00A000) : clGray);
    c->Pen()->SetColor(piece == 0 ? TColor(0x006000) : clDkGray);
    const int x = piece * 16;
    c->Polygon({TPoint(x + 3, 3), TPoint(x + 13, 8), TPoint(x + 3, 13)});
  }
  bitmap->SetTransparentColor(clFuchsia);
  (void)owner;
  return bitmap;
}

TcxButton* AddButton(TGalleryPage& page, int x, int y, const std::string& caption, TcxButtonKind kind,
                     TPopupMenu* menu) {
  auto* button = page.Place(new TcxButton(page.Form()), x, y, 110, 28);
  button->SetText(caption);
  button->SetKind(kind);
  button->SetDropDownMenu(menu);
  return button;
}

void AddButtons(TGalleryPage& page, int top) {
  auto* menu = new TPopupMenu(page.Form());
  for (const char* text : {"Open", "Save"}) {
    auto* item = new TMenuItem(menu);
    item->SetCaption(text);
    menu->Items()->Add(item);
  }
  std::unique_ptr<TBitmap> glyph(MakeArrowGlyph(page.Form()));
  const std::pair<const char*, TcxButtonKind> kinds[] = {
      {"standard", cxbkStandard}, {"drop-down", cxbkDropDown}, {"split", cxbkDropDownButton}};
  const char* states[] = {"normal", "default", "hot", "down", "disabled", "glyph"};
  page.AddLabel(10, top, "Push buttons: kinds down, states across");
  for (int column = 0; column < 6; ++column) page.AddLabel(90 + column * 118, top + 20, states[column], 110);
  for (int row = 0; row < 3; ++row) {
    const int y = top + 40 + row * 36;
    page.AddLabel(10, y + 6, kinds[row].first, 78);
    for (int column = 0; column < 6; ++column) {
      TcxButton* b = AddButton(page, 90 + column * 118, y, "&Convert", kinds[row].second, menu);
      switch (column) {
        case 1: b->SetDefault(true); break;
        case 2: page.AfterShow([b] { b->Perform(CM_MOUSEENTER, 0, 0); }); break;
        case 3: b->SetGroupIndex(row + 1), b->SetDown(true); break;
        case 4: b->SetEnabled(false), b->SetGlyph(glyph.get()); break;
        case 5: b->SetGlyph(glyph.get()), b->SetLayout(row == 2 ? blGlyphRight : blGlyphLeft); break;
      }
    }
  }
  auto* top1 = AddButton(page, 90, top + 150, "Glyph on top", cxbkStandard, nullptr);
  top1->SetBounds(90, top + 150, 110, 48);
  top1->SetGlyph(glyph.get());
  top1->SetLayout(blGlyphTop);
  auto* glyphOnly = AddButton(page, 208, top + 150, "", cxbkStandard, nullptr);
  glyphOnly->SetBounds(208, top + 150, 48, 48);
  glyphOnly->SetGlyph(glyph.get());
  auto* coloured = AddButton(page, 264, top + 150, "Colours", cxbkStandard, nullptr);
  coloured->Colors()->SetColor(cxbcNormal, TColor(0xC0E0FF));
  coloured->Colors()->SetColor(cxbcDefault, TColor(0xC0E0FF));
  coloured->Colors()->SetColor(cxbcNormalText, clMaroon);
  coloured->Colors()->SetColor(cxbcDefaultText, clMaroon);
}

TcxContainer* AddContainer(TGalleryPage& page, int x, int y, const std::string& text) {
  auto* container = page.Place(new TcxContainer(page.Form()), x, y, 150, 24);
  auto* edit = new TEdit(container);
  edit->SetParent(container);
  edit->SetBorderStyle(bsNone);
  edit->SetText(text);
  container->SetInnerControl(edit);
  container->Style()->SetTransparentBorder(false);
  return container;
}

void AddContainers(TGalleryPage& page, int top) {
  page.AddLabel(10, top, "Containers: border styles, shadow and states");
  const std::pair<const char*, TcxContainerBorderStyle> styles[] = {
      {"none", cbsNone}, {"single", cbsSingle}, {"thick", cbsThick}, {"flat", cbsFlat},
      {"3D", cbs3D},     {"ultra-flat", cbsUltraFlat}, {"office-11", cbsOffice11}};
  int i = 0;
  for (auto [name, style] : styles) {
    TcxContainer* c = AddContainer(page, 10 + (i % 4) * 170, top + 24 + (i / 4) * 34, name);
    c->Style()->SetBorderStyle(style);
    ++i;
  }
  TcxContainer* look = AddContainer(page, 10 + 3 * 170, top + 58, "look and feel");
  look->Style()->RestoreDefaults();
  look->Style()->SetTransparentBorder(false);
  TcxContainer* shadow = AddContainer(page, 10, top + 100, "shadow");
  shadow->Style()->SetShadow(true);
  shadow->SetHeight(27);
  TcxContainer* hot = AddContainer(page, 180, top + 100, "hot");
  page.AfterShow([hot] { hot->DoMouseMove({}, 20, 10); });
  TcxContainer* focused = AddContainer(page, 350, top + 100, "focused");
  page.AfterShow([focused] { focused->SetFocus(); focused->ShortRefresh(); });
  TcxContainer* disabled = AddContainer(page, 520, top + 100, "disabled");
  disabled->SetEnabled(false);
  TcxContainer* coloured = AddContainer(page, 10, top + 140, "coloured, edges left+bottom");
  coloured->Style()->SetBorderStyle(cbsSingle);
  coloured->Style()->SetBorderColor(clRed);
  coloured->Style()->SetColor(TColor(0xE0FFFF));
  coloured->Style()->SetEdges({bLeft, bBottom});
  coloured->SetWidth(220);
}

void AddListViews(TGalleryPage& page, int top) {
  page.AddLabel(10, top, "List views: report style with painted headers (the second read-only and disabled)");
  for (int i = 0; i < 2; ++i) {
    auto* list = page.Place(new TcxListView(page.Form()), 10 + i * 350, top + 22, 330, 120);
    TcxCustomInnerListView* inner = list->InnerListView();
    inner->AddColumn({"Source video", 130});
    inner->AddColumn({"Original Length", 100, taRightJustify});
    inner->AddColumn({"Destination File", 120});
    const char* rows[][3] = {{"holiday.avi", "00:03:12", "holiday.mp4"},
                             {"concert.mkv", "01:24:05", "concert.mp4"},
                             {"interview.mov", "00:17:48", "interview.m4a"}};
    for (auto& row : rows) inner->AddItem({row[0], {row[1], row[2]}});
    list->SetViewStyle(vsReport);
    inner->SetGridLines(true);
    inner->SetRowSelect(true);
    list->Style()->SetColor(TColor(0xFCFCFA));
    if (i == 1) list->SetReadOnly(true), list->SetEnabled(false);
    else page.AfterShow([inner] { inner->SetSelectedIndex(1); });
  }
}

// The handlers of the second row of lists: images by row, a reversed sort, owner-drawn bands.
class TListHandlers : public TComponent {
 public:
  using TComponent::TComponent;
  void ImageOf(TObject*, int index, TcxListItem& item) { item.ImageIndex = index % 3; }
  void SubItemImage(TObject*, int item, int sub, int& image) { image = sub == 1 && item % 2 == 0 ? 2 : -1; }
  void Descending(TObject*, const TcxListItem& a, const TcxListItem& b, int, int& result) {
    result = -lstrcmpA(a.Caption.c_str(), b.Caption.c_str());
  }
  void DrawRow(TObject*, TCanvas* canvas, int item, const TRect& rect, TOwnerDrawState state) {
    canvas->Brush()->SetColor(state.Contains(odSelected) ? clHighlight : item % 2 ? TColor(0xF0E6DC) : clWindow);
    canvas->Font()->SetColor(state.Contains(odSelected) ? clHighlightText : clWindowText);
    canvas->FillRect(rect);
    canvas->TextOut(rect.Left + 6, rect.Top + 1, "Row " + std::to_string(item + 1) + " drawn by its handler");
  }
};

// Three 16 x 16 images: a red, a green and a blue disc.
TImageList* MakeDiscImages(TComponent* owner) {
  auto* images = new TImageList(owner, 16, 16);
  for (TColor colour : {TColor(0x3030D0), TColor(0x30A030), TColor(0xD06030)}) {
    TBitmap bitmap;
    bitmap.SetSize(16, 16);
    bitmap.Canvas()->Brush()->SetColor(clFuchsia);
    bitmap.Canvas()->FillRect(TRect(0, 0, 16, 16));
    bitmap.Canvas()->Brush()->SetColor(colour);
    bitmap.Canvas()->Pen()->SetColor(colour);
    bitmap.Canvas()->Ellipse(2, 2, 14, 14);
    images->AddMasked(&bitmap, clFuchsia);
  }
  return images;
}

void AddEventListViews(TGalleryPage& page, int top) {
  page.AddLabel(10, top, "List views: images asked for and sorted by OnCompare (descending); owner-drawn rows", 600);
  auto* handlers = new TListHandlers(page.Form());
  auto* sorted = page.Place(new TcxListView(page.Form()), 10, top + 22, 330, 120);
  TcxCustomInnerListView* inner = sorted->InnerListView();
  inner->AddColumn({"Source video", 150});
  inner->AddColumn({"Format", 150});
  inner->SetSmallImages(MakeDiscImages(page.Form()));
  inner->OnGetImageIndex = MakeEvent(handlers, &TListHandlers::ImageOf);
  inner->OnGetSubItemImage = MakeEvent(handlers, &TListHandlers::SubItemImage);
  inner->OnCompare = MakeEvent(handlers, &TListHandlers::Descending);
  for (const char* name : {"alpha.avi", "delta.mkv", "bravo.mov", "charlie.mp4"}) inner->AddItem({name, {"MP4"}});
  sorted->SetSortType(stData);
  sorted->SetViewStyle(vsReport);
  auto* drawn = page.Place(new TcxListView(page.Form()), 360, top + 22, 330, 120);
  drawn->InnerListView()->AddColumn({"Owner-drawn", 300});
  for (int i = 0; i < 4; ++i) drawn->InnerListView()->AddItem({"row", {}});
  drawn->InnerListView()->OnDrawItem = MakeEvent(handlers, &TListHandlers::DrawRow);
  drawn->SetViewStyle(vsReport);
  drawn->SetOwnerDraw(true);
}

}  // namespace

void BuildEditorsPage(TGalleryPage& page) {
  StartUnits({&cxContainerUnit, &cxEditPaintUtilsUnit, &cxEditUnit, &cxButtonsUnit, &cxListViewUnit});
  AddButtons(page, 10);
  AddContainers(page, 230);
  AddListViews(page, 410);
  AddEventListViews(page, 560);
}
