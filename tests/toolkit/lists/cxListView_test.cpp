#include "calderan_test.h"

#include <functional>
#include <string>
#include <vector>

#include "FormReader.h"
#include "TypInfo.h"
#include "cxListView.h"
#include "dxSkinsBuiltIn.h"
#include "toolkit/editors/editors_fixture.h"

// A form as the application's frame of the file list is: its handlers record what reached them.
class TFileListProbe : public TForm {
  CALDERAN_CLASS(TFileListProbe)
  using TForm::TForm;
  void FileListColumnRightClick(TObject* sender, int column, TPoint) {
    log.push_back(std::string(sender->ClassName()) + " right " + std::to_string(column));
  }
  void FileListCancelEdit(TObject* sender) { log.push_back(std::string(sender->ClassName()) + " cancel"); }
  std::vector<std::string> log;
};
CALDERAN_IMPLEMENT_CREATABLE(TFileListProbe, TForm, TComponent*)

namespace {

constinit const TMethodInfo fileListMethods[] = {
    PublishedMethod<&TFileListProbe::FileListColumnRightClick>("FileListColumnRightClick"),
    PublishedMethod<&TFileListProbe::FileListCancelEdit>("FileListCancelEdit"),
};

struct ListView : EditorsFixture {
  static void SetUpTestSuite() {
    EditorsFixture::SetUpTestSuite();
    StartUnits({&FormReaderUnit, &cxListViewUnit});
    StartSkinUnits();
    RegisterPublishedMethods(TFileListProbe::StaticClass(), fileListMethods);
  }
  TcxListView* NewReportList() {
    auto* list = Place(new TcxListView(form.get()), 10, 10, 300, 150);
    TcxCustomInnerListView* inner = list->InnerListView();
    inner->AddColumn({"Source video", 120});
    inner->AddColumn({"Length", 80, taRightJustify});
    for (const char* name : {"clip one.avi", "clip two.mp4", "song.mp3"}) inner->AddItem({name, {"00:01:00"}});
    list->SetViewStyle(vsReport);
    PumpWhileBusy();
    return list;
  }
  // Sends the end of a label edit as the platform list view reports it.
  void EndEdit(TcxCustomInnerListView* inner, int item, const char* text) {
    NMLVDISPINFOA info{};
    info.hdr.hwndFrom = inner->Handle();
    info.hdr.code = LVN_ENDLABELEDITA;
    info.item.iItem = item;
    info.item.pszText = const_cast<char*>(text);
    inner->Perform(CN_NOTIFY, 0, reinterpret_cast<LPARAM>(&info));
  }
  void Cancelled(TObject*) { ++cancels; }
  void Edited(TObject*, int, std::string& text, bool& allow) {
    ++edits;
    allow = text != "refused";
  }
  // Asks for the hint at a point of the list as the application does when the mouse rests.
  THintInfo ShowHintAt(TcxCustomInnerListView* inner, int item) {
    THintInfo info;
    info.HintControl = inner;
    info.CursorPos = item >= 0 ? ItemCentre(inner, item) : TPoint(5, inner->ClientHeight() - 3);
    info.HintStr = inner->Hint();
    inner->Perform(CM_HINTSHOW, 0, reinterpret_cast<LPARAM>(&info));
    return info;
  }
  static TPoint ItemCentre(TcxCustomInnerListView* inner, int item) {
    RECT r{LVIR_LABEL, 0, 0, 0};
    SendMessageA(inner->Handle(), LVM_GETITEMRECT, item, reinterpret_cast<LPARAM>(&r));
    return TPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2);
  }
  void InfoTip(TObject*, int item, std::string& tip) {
    ++tips;
    tip = "#" + std::to_string(item) + " " + tip;
  }
  int cancels = 0, edits = 0, tips = 0;
};

TEST_F(ListView, StartsAsAnIconListWithTheUsualDefaults) {
  TcxListView list(nullptr);
  EXPECT_EQ(list.Width(), 121);
  EXPECT_EQ(list.Height(), 97);
  TcxCustomInnerListView* inner = list.InnerListView();
  EXPECT_EQ(list.ViewStyle(), vsIcon);
  EXPECT_TRUE(inner->ShowColumnHeaders());
  EXPECT_TRUE(inner->ColumnClick());
  EXPECT_TRUE(inner->HideSelection());
  EXPECT_EQ(list.IconOptions()->Arrangement(), iaTop);
  EXPECT_TRUE(list.IconOptions()->WrapText());
  EXPECT_FALSE(list.IconOptions()->AutoArrange());
  EXPECT_EQ(list.InnerControl(), inner);
  EXPECT_EQ(GetContainerOfControl(inner), &list);
}

TEST_F(ListView, LabelEditsAreOfferedAndCancelsReported) {
  TcxListView* list = NewReportList();
  TcxCustomInnerListView* inner = list->InnerListView();
  list->OnCancelEdit = MakeEvent(static_cast<ListView*>(this), &ListView::Cancelled);
  inner->OnEdited = MakeEvent(static_cast<ListView*>(this), &ListView::Edited);
  EndEdit(inner, 0, nullptr);
  EXPECT_EQ(cancels, 1);
  EXPECT_EQ(edits, 0);
  EndEdit(inner, 1, "renamed.mp4");
  EXPECT_EQ(edits, 1);
  EXPECT_EQ(inner->Item(1).Caption, "renamed.mp4");
  char text[64] = {};
  LVITEMA item{};
  item.pszText = text;
  item.cchTextMax = sizeof(text);
  SendMessageA(inner->Handle(), LVM_GETITEMTEXTA, 1, reinterpret_cast<LPARAM>(&item));
  EXPECT_STREQ(text, "renamed.mp4");
  EndEdit(inner, 2, "refused");
  EXPECT_EQ(inner->Item(2).Caption, "song.mp3");
  EXPECT_EQ(cancels, 1);

  NMLVDISPINFOA begin{};
  begin.hdr = NMHDR{inner->Handle(), 0, static_cast<UINT>(LVN_BEGINLABELEDITA)};
  EXPECT_EQ(inner->Perform(CN_NOTIFY, 0, reinterpret_cast<LPARAM>(&begin)), FALSE);
  list->SetReadOnly(true);
  EXPECT_EQ(inner->Perform(CN_NOTIFY, 0, reinterpret_cast<LPARAM>(&begin)), TRUE);
  EXPECT_FALSE(GetWindowLongA(inner->Handle(), GWL_STYLE) & LVS_EDITLABELS);
  EXPECT_EQ(list->ThemeState(), 6);  // the read-only look
}

// Counts the pixels of a header item's caption area painted in one colour.
int CountHeaderPixels(HWND header, const TRect& item, TColor color) {
  HDC dc = GetDC(header);
  int count = 0;
  for (int y = item.Top + 2; y < item.Bottom - 2; ++y)
    for (int x = item.Left + 4; x < item.Right - 4; ++x) count += GetPixel(dc, x, y) == ColorToRGB(color);
  ReleaseDC(header, dc);
  return count;
}

TEST_F(ListView, TheHeaderIsPaintedByThePainterItemByItem) {
  TcxListView* list = NewReportList();
  list->Style()->LookAndFeel()->SetKind(lfOffice11);
  TcxCustomInnerListView* inner = list->InnerListView();
  HWND header = inner->HeaderWindow();
  ASSERT_NE(header, nullptr);
  RedrawWindow(header, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  RECT client;
  GetClientRect(header, &client);
  auto* painter = dynamic_cast<const TcxOffice11LookAndFeelPainter*>(list->LookAndFeel()->CurrentPainter());
  ASSERT_NE(painter, nullptr);
  const TRect first = inner->GetHeaderItemRect(0), second = inner->GetHeaderItemRect(1);
  const int middle = (first.Left + first.Right) / 2;
  // Above the caption each cell shows the painter's face, its last row the dark edge, and
  // the seam between two cells the painter's edge columns; the filler past the last column is
  // a cell of its own, not the platform's plain face.
  struct Case { const char* where; int x, y; TColor color; } cases[] = {
      {"first face", middle, 2, painter->HeaderFaceColor()},
      {"second face", (second.Left + second.Right) / 2, 2, painter->HeaderFaceColor()},
      {"bottom edge", middle, static_cast<int>(first.Bottom) - 1, painter->HeaderDarkEdgeColor()},
      {"seam", static_cast<int>(first.Right) - 1, static_cast<int>(first.Bottom) / 2, painter->HeaderDarkEdgeColor()},
      {"next cell's light edge", static_cast<int>(second.Left), static_cast<int>(first.Bottom) / 2, painter->HeaderLightEdgeColor()},
      {"filler face", static_cast<int>(client.right) - 10, 2, painter->HeaderFaceColor()},
  };
  HDC dc = GetDC(header);
  for (const Case& c : cases)
    EXPECT_EQ(static_cast<TColor>(GetPixel(dc, c.x, c.y)), ColorToRGB(c.color)) << c.where << " at " << c.x << "," << c.y;
  ReleaseDC(header, dc);
  EXPECT_NE(ColorToRGB(painter->HeaderFaceColor()), ColorToRGB(clBtnFace));
  EXPECT_NE(ColorToRGB(painter->HeaderDarkEdgeColor()), ColorToRGB(painter->HeaderFaceColor()));
  EXPECT_GT(CountHeaderPixels(header, first, painter->HeaderTextColor()), 20);
}

TEST_F(ListView, HeaderCaptionsTakeThePaintersHeaderTextColour) {
  GlobalUseSkins = true;
  TcxListView* list = NewReportList();
  TcxCustomInnerListView* inner = list->InnerListView();
  struct Case { const char* skin; } cases[] = {{"Midnight"}, {"Linen"}, {""}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.skin);
    list->Style()->LookAndFeel()->SetSkinName(c.skin);
    TcxCustomLookAndFeelPainterClass painter = list->LookAndFeel()->CurrentPainter();
    std::string name;
    ASSERT_EQ(ExtendedStylePainters()->FindNameByPainter(painter, name), *c.skin != 0);
    RedrawWindow(inner->HeaderWindow(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    const TRect first = inner->GetHeaderItemRect(0);
    EXPECT_GT(CountHeaderPixels(inner->HeaderWindow(), first, painter->HeaderTextColor()), 20);
    if (ColorToRGB(painter->HeaderTextColor()) != ColorToRGB(clBtnText)) {
      EXPECT_EQ(CountHeaderPixels(inner->HeaderWindow(), first, clBtnText), 0);
    }
  }
  list->Style()->LookAndFeel()->SetSkinName("");
  GlobalUseSkins = false;
}

// Counts the pixels of a rectangle of a window painted in one colour.
int CountWindowPixels(HWND window, const TRect& area, TColor color) {
  HDC dc = GetDC(window);
  int count = 0;
  for (int y = area.Top; y < area.Bottom; ++y)
    for (int x = area.Left; x < area.Right; ++x) count += GetPixel(dc, x, y) == ColorToRGB(color);
  ReleaseDC(window, dc);
  return count;
}

TRect ItemLabel(TcxCustomInnerListView* inner, int item) {
  RECT r{LVIR_LABEL, 0, 0, 0};
  SendMessageA(inner->Handle(), LVM_GETITEMRECT, item, reinterpret_cast<LPARAM>(&r));
  return TRect(r);
}

// Under a dark skin the rows are the skin's content and the selected row the skin's selection,
// text included; a colour the style sets itself wins over the skin's.
TEST_F(ListView, RowsWearTheSkinsContentAndSelectionColours) {
  GlobalUseSkins = true;
  TcxListView* list = NewReportList();
  TcxCustomInnerListView* inner = list->InnerListView();
  list->Style()->LookAndFeel()->SetSkinName("Midnight");
  TcxCustomLookAndFeelPainterClass skin = list->Style()->LookAndFeel()->SkinPainter();
  ASSERT_NE(skin, nullptr);
  inner->SetSelectedIndex(1);
  SetFocus(inner->Handle());
  RedrawWindow(inner->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  RECT client;
  GetClientRect(inner->Handle(), &client);
  const TRect plain = ItemLabel(inner, 0), selected = ItemLabel(inner, 1);
  const TRect below(0, ItemLabel(inner, 2).Bottom + 2, client.right, client.bottom);
  EXPECT_GT(CountWindowPixels(inner->Handle(), plain, skin->ContentColor()), plain.Width() * plain.Height() / 2);
  // The skins carry no content text colour (the painter answers black): the editors' text stands in.
  ASSERT_NE(skin->EditorTextColor(false), clDefault);
  EXPECT_GT(CountWindowPixels(inner->Handle(), plain, skin->EditorTextColor(false)), 5);
  EXPECT_EQ(CountWindowPixels(inner->Handle(), plain, clWindowText), 0) << "no black text on the dark rows";
  EXPECT_GT(CountWindowPixels(inner->Handle(), selected, skin->SelectionColor()), selected.Width() * selected.Height() / 3);
  EXPECT_GT(CountWindowPixels(inner->Handle(), selected, skin->SelectionTextColor()), 5);
  EXPECT_EQ(CountWindowPixels(inner->Handle(), selected, clHighlight), 0);
  EXPECT_EQ(CountWindowPixels(inner->Handle(), below, skin->ContentColor()), below.Width() * below.Height());
  EXPECT_NE(ColorToRGB(skin->ContentColor()), ColorToRGB(clWindow));

  list->Style()->SetColor(clYellow);
  RedrawWindow(inner->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  EXPECT_GT(CountWindowPixels(inner->Handle(), plain, clYellow), plain.Width() * plain.Height() / 2);
  EXPECT_GT(CountWindowPixels(inner->Handle(), selected, clHighlight), selected.Width() * selected.Height() / 3);
  list->Style()->LookAndFeel()->SetSkinName("");
  GlobalUseSkins = false;
}

// A disabled list under a dark skin shows the skin's content and its disabled text (it showed black
// text on the dark rows), also when the normal style sets a colour of its own, which a disabled
// container does not show.
TEST_F(ListView, ADisabledListUnderASkinWritesTheSkinsDisabledText) {
  GlobalUseSkins = true;
  TcxListView* list = NewReportList();
  TcxCustomInnerListView* inner = list->InnerListView();
  list->Style()->SetColor(TColor(0xFCFCFA));
  list->Style()->LookAndFeel()->SetSkinName("Midnight");
  TcxCustomLookAndFeelPainterClass skin = list->Style()->LookAndFeel()->SkinPainter();
  ASSERT_NE(skin, nullptr);
  list->SetEnabled(false);
  PumpWhileBusy();
  RedrawWindow(inner->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  const TRect row = ItemLabel(inner, 0);
  const TColor text = skin->EditorTextColor(true);
  ASSERT_NE(text, clDefault);
  EXPECT_GT(CountWindowPixels(inner->Handle(), row, skin->ContentColor()), row.Width() * row.Height() / 2);
  EXPECT_GT(CountWindowPixels(inner->Handle(), row, text), 5);
  EXPECT_EQ(CountWindowPixels(inner->Handle(), row, clWindowText), 0);
  list->Style()->LookAndFeel()->SetSkinName("");
  GlobalUseSkins = false;
}

TEST_F(ListView, HeaderItemsDescribeColumnsFillerAndState) {
  TcxListView* list = NewReportList();
  TcxCustomInnerListView* inner = list->InnerListView();
  THeaderItemInfo info;
  inner->HandleHeaderItemInfo(1, info);
  EXPECT_EQ(info.Text, "Length");
  EXPECT_EQ(info.Alignment, taRightJustify);
  EXPECT_EQ(info.Rect, inner->GetHeaderItemRect(1));
  EXPECT_EQ(info.State, cxbsNormal);
  inner->HandleHeaderItemInfo(2, info);  // the filler
  EXPECT_EQ(info.ImageIndex, -1);
  EXPECT_EQ(info.Rect.Left, inner->GetHeaderItemRect(1).Right);
  list->SetEnabled(false);
  for (int position : {0, 2}) {
    inner->HandleHeaderItemInfo(position, info);
    EXPECT_EQ(info.State, cxbsDisabled) << position;
  }
}

TEST(HeaderLayout, ImagesBesideCaptions) {
  struct Case {
    TAlignment alignment;
    int textWidth;
    int imageLeft;
    int textLeft;
    TAlignment result;
  };
  // Text area 10..110, image 16 wide.
  const Case cases[] = {
      {taLeftJustify, 30, 10, 28, taLeftJustify},  {taRightJustify, 30, 62, 10, taRightJustify},
      {taRightJustify, 95, 10, 28, taLeftJustify}, {taCenter, 30, 36, 28, taCenter},
      {taCenter, 95, 10, 28, taLeftJustify},
  };
  for (const Case& c : cases) {
    TRect area(10, 0, 110, 20);
    TAlignment alignment = c.alignment;
    EXPECT_EQ(CalcHeaderImagePos(area, alignment, 16, c.textWidth), c.imageLeft) << c.alignment << " " << c.textWidth;
    EXPECT_EQ(area.Left, c.textLeft);
    EXPECT_EQ(alignment, c.result);
  }
  EXPECT_EQ(CalcHeaderTextArea(TRect(0, 0, 100, 20), false), TRect(4, 0, 96, 20));
  EXPECT_EQ(CalcHeaderTextArea(TRect(0, 0, 100, 20), true), TRect(4, 0, 85, 20));
}

TEST_F(ListView, InfoTipsAreBuiltOncePerItemAndEmptySpaceRestoresTheDesignHint) {
  TcxListView* list = NewReportList();
  TcxCustomInnerListView* inner = list->InnerListView();
  inner->SetHint("Files to convert");
  inner->Loaded();
  inner->OnInfoTip = MakeEvent(static_cast<ListView*>(this), &ListView::InfoTip);

  THintInfo info = ShowHintAt(inner, 1);
  EXPECT_EQ(tips, 1);
  EXPECT_EQ(info.HintStr, "#1 clip two.mp4");
  EXPECT_EQ(inner->Hint(), "#1 clip two.mp4");
  RECT bounds{LVIR_BOUNDS, 0, 0, 0};
  SendMessageA(inner->Handle(), LVM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&bounds));
  const TPoint topLeft = inner->ClientToScreen(TPoint(bounds.left, bounds.top));
  EXPECT_EQ(info.CursorRect, TRect(topLeft.X, topLeft.Y, topLeft.X + bounds.right - bounds.left,
                                   topLeft.Y + bounds.bottom - bounds.top));
  EXPECT_EQ(info.HintPos,
            TPoint(topLeft.X + GetSystemMetrics(SM_CXCURSOR), topLeft.Y + GetSystemMetrics(SM_CYCURSOR)));
  EXPECT_EQ(info.HintMaxWidth, inner->ClientWidth());

  ShowHintAt(inner, 1);  // resting on the same item again
  EXPECT_EQ(tips, 1);
  ShowHintAt(inner, 2);
  EXPECT_EQ(tips, 2);
  EXPECT_EQ(inner->Hint(), "#2 song.mp3");

  // Moving over empty space puts the design hint back.
  const TPoint empty(5, inner->ClientHeight() - 3);
  ASSERT_LT(inner->ItemAtPoint(empty.X, empty.Y), 0);
  inner->Perform(WM_MOUSEMOVE, 0, MAKELPARAM(empty.X, empty.Y));
  EXPECT_EQ(inner->Hint(), "Files to convert");
  ShowHintAt(inner, -1);
  EXPECT_EQ(tips, 2);
  EXPECT_EQ(inner->Hint(), "Files to convert");

  // After a deletion the same index names another item, so its tip is built afresh.
  ShowHintAt(inner, 1);
  inner->DeleteItem(0);
  info = ShowHintAt(inner, 1);
  EXPECT_EQ(info.HintStr, "#1 song.mp3");

  // Without a handler the list shows its design hint.
  inner->OnInfoTip = nullptr;
  inner->SetHint("changed");
  ShowHintAt(inner, 0);
  EXPECT_EQ(inner->Hint(), "Files to convert");
}

// Item 1 is filled red by its handler; sub-item 1 of item 2 is filled blue; everything else is
// left to the list.
struct CustomDrawn : ListView {
  void DrawItem(TObject*, TCanvas* canvas, int item, int subItem, bool& defaultDraw) {
    seen.push_back(item * 10 + subItem);
    if (item != 1) return;
    canvas->Brush()->SetColor(clRed);
    canvas->FillRect(ItemRect(item));
    defaultDraw = false;
  }
  void DrawSubItem(TObject*, TCanvas* canvas, int item, int subItem, bool& defaultDraw) {
    if (item != 2 || subItem != 1) return;
    canvas->Brush()->SetColor(clBlue);
    canvas->FillRect(ItemRect(item));
    defaultDraw = false;
  }
  void DrawList(TObject*, TCanvas*, const TRect&, bool& defaultDraw) { defaultDraw = skipList; }
  TRect ItemRect(int item) {
    RECT r{LVIR_BOUNDS, 0, 0, 0};
    SendMessageA(inner->Handle(), LVM_GETITEMRECT, item, reinterpret_cast<LPARAM>(&r));
    return TRect(r);
  }
  TColor PixelOf(int item, int x) {
    UpdateWindow(inner->Handle());
    HDC dc = GetDC(inner->Handle());
    const TRect r = ItemRect(item);
    const auto colour = static_cast<TColor>(GetPixel(dc, x, (r.Top + r.Bottom) / 2));
    ReleaseDC(inner->Handle(), dc);
    return colour;
  }
  void Repaint() {
    seen.clear();
    RedrawWindow(inner->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  }
  TcxCustomInnerListView* inner = nullptr;
  std::vector<int> seen;
  bool skipList = true;
};

TEST_F(CustomDrawn, HandlersDrawItemsAndSubItemsInsteadOfTheList) {
  inner = NewReportList()->InnerListView();
  inner->OnCustomDrawItem = MakeEvent(static_cast<CustomDrawn*>(this), &CustomDrawn::DrawItem);
  Repaint();
  EXPECT_EQ(seen, (std::vector<int>{0, 10, 20}));
  EXPECT_EQ(PixelOf(1, 30), ColorToRGB(clRed));
  EXPECT_EQ(PixelOf(1, 150), ColorToRGB(clRed));
  EXPECT_NE(PixelOf(0, 30), ColorToRGB(clRed));

  inner->OnCustomDrawSubItem = MakeEvent(static_cast<CustomDrawn*>(this), &CustomDrawn::DrawSubItem);
  Repaint();
  EXPECT_EQ(PixelOf(1, 150), ColorToRGB(clRed));  // a skipped item asks nothing of its sub-items
  EXPECT_EQ(PixelOf(2, 150), ColorToRGB(clBlue));

  // A list handler that draws everything itself leaves no item to draw.
  inner->OnCustomDraw = MakeEvent(static_cast<CustomDrawn*>(this), &CustomDrawn::DrawList);
  skipList = false;
  Repaint();
  EXPECT_TRUE(seen.empty());
}

// The text the platform list shows for an item (or a sub-item).
std::string WindowText(TcxCustomInnerListView* inner, int index, int sub = 0) {
  char text[64] = {};
  LVITEMA item{};
  item.iSubItem = sub;
  item.pszText = text;
  item.cchTextMax = sizeof(text);
  SendMessageA(inner->Handle(), LVM_GETITEMTEXTA, index, reinterpret_cast<LPARAM>(&item));
  return text;
}

// An owner-data list of a thousand rows named after their numbers.
struct OwnerData : ListView {
  void Data(TObject*, int index, TcxListItem& item) {
    ++asked;
    item.Caption = "row " + std::to_string(index);
    item.SubItems = {std::to_string(index * 2)};
  }
  void Find(TObject*, const std::string& text, int start, int& index) {
    for (int i = start; i < 1000; ++i)
      if (("row " + std::to_string(i)).rfind(text, 0) == 0) {
        index = i;
        return;
      }
  }
  void Hint(TObject*, int from, int to) { hinted = {from, to}; }
  int asked = 0;
  std::pair<int, int> hinted{-1, -1};
};

TEST_F(OwnerData, RowsComeFromTheHandlerAsTheListShowsThem) {
  TcxListView* list = NewReportList();
  TcxCustomInnerListView* inner = list->InnerListView();
  inner->OnData = MakeEvent(static_cast<OwnerData*>(this), &OwnerData::Data);
  inner->OnDataFind = MakeEvent(static_cast<OwnerData*>(this), &OwnerData::Find);
  inner->OnDataHint = MakeEvent(static_cast<OwnerData*>(this), &OwnerData::Hint);
  inner->SetOwnerData(true);
  inner->SetDataCount(1000);
  PumpWhileBusy();
  EXPECT_TRUE(GetWindowLongA(inner->Handle(), GWL_STYLE) & LVS_OWNERDATA);
  EXPECT_EQ(SendMessageA(inner->Handle(), LVM_GETITEMCOUNT, 0, 0), 1000);
  EXPECT_EQ(WindowText(inner, 998, 0), "row 998");
  EXPECT_EQ(WindowText(inner, 7, 1), "14");
  EXPECT_EQ(WindowText(inner, 7, 5), "");  // a column the row has no text for

  asked = 0;
  RedrawWindow(inner->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  EXPECT_GT(asked, 0);
  EXPECT_LT(asked, 100);  // only the visible rows are asked for
  EXPECT_EQ(hinted.first, 0);
  EXPECT_GT(hinted.second, 0);

  LVFINDINFOA find{};
  find.flags = LVFI_STRING | LVFI_PARTIAL;
  find.psz = "row 42";
  EXPECT_EQ(SendMessageA(inner->Handle(), LVM_FINDITEMA, 10, reinterpret_cast<LPARAM>(&find)), 42);

  // The info tip of an owner-data row is its caption from the handler.
  inner->OnInfoTip = MakeEvent(static_cast<ListView*>(this), &ListView::InfoTip);
  EXPECT_EQ(ShowHintAt(inner, 1).HintStr, "#1 row 1");
}

// Records the item events the platform list view's own notifications raise.
struct ItemEvents {
  std::vector<std::string> log;
  bool refuse = false;
  void Changing(TObject*, int item, TItemChange change, bool& allow) {
    log.push_back("changing " + std::to_string(item) + "/" + std::to_string(change));
    allow = !refuse;
  }
  void Selected(TObject*, int item, bool on) { log.push_back("select " + std::to_string(item) + (on ? "+" : "-")); }
  void Inserted(TObject*, int item) { log.push_back("insert " + std::to_string(item)); }
  void Deleted(TObject*, int item) { log.push_back("delete " + std::to_string(item)); }
  void Column(TObject*, int column) { log.push_back("column " + std::to_string(column)); }
};

TEST_F(ListView, ItemEventsComeFromThePlatformListsNotifications) {
  TcxListView* list = NewReportList();
  TcxCustomInnerListView* inner = list->InnerListView();
  ItemEvents events;
  inner->OnChanging = MakeEvent(&events, &ItemEvents::Changing);
  inner->OnSelectItem = MakeEvent(&events, &ItemEvents::Selected);
  inner->OnInsert = MakeEvent(&events, &ItemEvents::Inserted);
  inner->OnDeletion = MakeEvent(&events, &ItemEvents::Deleted);
  inner->OnColumnClick = MakeEvent(&events, &ItemEvents::Column);
  struct Case {
    const char* what;
    bool refuse;
    std::function<void()> act;
    std::vector<std::string> expected;
    int selected;
  } cases[] = {
      {"select", false, [&] { inner->SetSelectedIndex(1); }, {"changing 1/2", "select 1+"}, 1},
      {"refused", true, [&] { inner->SetSelectedIndex(2); }, {"changing 2/2"}, 1},
      {"insert", false, [&] { inner->AddItem({"new.avi"}); }, {"insert 3"}, 1},
      {"delete", false, [&] { inner->DeleteItem(0); }, {"changing 0/2", "delete 0"}, 0},
      {"column", false,
       [&] {
         const TRect second = inner->GetHeaderItemRect(1);
         const LPARAM at = MAKELPARAM((second.Left + second.Right) / 2, second.Height() / 2);
         SendMessageA(inner->HeaderWindow(), WM_LBUTTONDOWN, MK_LBUTTON, at);
         SendMessageA(inner->HeaderWindow(), WM_LBUTTONUP, 0, at);
       },
       {"column 1"}, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    events.log.clear();
    events.refuse = c.refuse;
    c.act();
    PumpWhileBusy();
    EXPECT_EQ(events.log, c.expected);
    EXPECT_EQ(inner->SelectedIndex(), c.selected);
  }
}

TEST_F(ListView, TheListAsksForTabOnlyWithoutCtrl) {
  TcxListView* list = NewReportList();
  struct Case { BYTE control; bool wantsTab; } cases[] = {{0, true}, {0x80, false}, {0, true}};
  BYTE keys[256];
  GetKeyboardState(keys);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.control);
    keys[VK_CONTROL] = keys[VK_LCONTROL] = c.control;
    SetKeyboardState(keys);
    const LRESULT code = SendMessageA(list->InnerListView()->Handle(), WM_GETDLGCODE, VK_TAB, 0);
    EXPECT_TRUE(code & DLGC_WANTCHARS);
    EXPECT_EQ((code & DLGC_WANTTAB) != 0, c.wantsTab);
  }
}

std::vector<std::string> WindowCaptions(TcxCustomInnerListView* inner) {
  std::vector<std::string> captions;
  const int count = static_cast<int>(SendMessageA(inner->Handle(), LVM_GETITEMCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) captions.push_back(WindowText(inner, i));
  return captions;
}

std::vector<std::string> ModelCaptions(TcxCustomInnerListView* inner) {
  std::vector<std::string> captions;
  for (int i = 0; i < inner->ItemCount(); ++i) captions.push_back(inner->Item(i).Caption);
  return captions;
}

// Records the header and editing events.
struct ListEvents {
  std::vector<std::string> log;
  void RightClick(TObject*, int column, TPoint point) {
    log.push_back("right " + std::to_string(column) + " at " + std::to_string(point.X) + "," + std::to_string(point.Y));
  }
  void Dragged(TObject*) { log.push_back("dragged"); }
  void Editing(TObject*, int item, bool& allow) {
    log.push_back("editing " + std::to_string(item));
    allow = item != 1;
  }
  // Sorts by Data, largest first.
  void Compare(TObject*, const TcxListItem& a, const TcxListItem& b, int, int& result) {
    result = a.Data > b.Data ? -1 : a.Data < b.Data ? 1 : 0;
  }
};

// Presses and releases a mouse button over the header at a point of its client area, with the
// cursor there, as the system posts it.
void ClickHeader(HWND header, TPoint at, UINT down, UINT up, WPARAM buttons) {
  POINT screen{at.X, at.Y};
  ClientToScreen(header, &screen);
  SetCursorPos(screen.x, screen.y);
  PostMessageA(header, down, buttons, MAKELPARAM(at.X, at.Y));
  PostMessageA(header, up, 0, MAKELPARAM(at.X, at.Y));
  PumpWhileBusy();
}

TEST_F(ListView, AColumnRightClickedInTheHeaderIsReportedWithThePoint) {
  TcxCustomInnerListView* inner = NewReportList()->InnerListView();
  ListEvents events;
  inner->OnColumnRightClick = MakeEvent(&events, &ListEvents::RightClick);
  const TRect second = inner->GetHeaderItemRect(1);
  struct Case {
    TPoint at;
    std::vector<std::string> expected;
  } cases[] = {
      {TPoint(10, 5), {"right 0 at 10,5"}},
      {TPoint(second.Left + 20, 4), {"right 1 at " + std::to_string(second.Left + 20) + ",4"}},
      {TPoint(second.Right + 20, 5), {}},  // the empty header beyond the last column
  };
  for (const Case& c : cases) {
    events.log.clear();
    ClickHeader(inner->HeaderWindow(), c.at, WM_RBUTTONDOWN, WM_RBUTTONUP, MK_RBUTTON);
    EXPECT_EQ(events.log, c.expected) << c.at.X;
  }
  events.log.clear();
  ClickHeader(inner->HeaderWindow(), TPoint(10, 5), WM_LBUTTONDOWN, WM_LBUTTONUP, MK_LBUTTON);
  EXPECT_TRUE(events.log.empty()) << "a left click is no right click";
}

// Drags the first column by its caption to the right half of the second.
void DragFirstColumnBehindSecond(TcxCustomInnerListView* inner) {
  HWND header = inner->HeaderWindow();
  const TRect second = inner->GetHeaderItemRect(1);
  const TPoint from(10, 5), to(second.Right - 5, 5);
  POINT screen{from.X, from.Y};
  ClientToScreen(header, &screen);
  SetCursorPos(screen.x, screen.y);
  SendMessageA(header, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(from.X, from.Y));
  for (int x = from.X + 10; x <= to.X; x += 10) SendMessageA(header, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x, to.Y));
  SendMessageA(header, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(to.X, to.Y));
  SendMessageA(header, WM_LBUTTONUP, 0, MAKELPARAM(to.X, to.Y));
  PumpWhileBusy();
}

TEST_F(ListView, DraggedColumnsMoveInTheHeaderAndArePaintedInTheirNewPlace) {
  TcxListView* list = NewReportList();
  TcxCustomInnerListView* inner = list->InnerListView();
  ListEvents events;
  inner->OnColumnDragged = MakeEvent(&events, &ListEvents::Dragged);
  DragFirstColumnBehindSecond(inner);
  EXPECT_TRUE(events.log.empty()) << "without FullDrag the header keeps its order";

  inner->SetFullDrag(true);
  DragFirstColumnBehindSecond(inner);
  EXPECT_EQ(events.log, std::vector<std::string>{"dragged"});
  int order[2] = {};
  SendMessageA(inner->Handle(), LVM_GETCOLUMNORDERARRAY, 2, reinterpret_cast<LPARAM>(order));
  EXPECT_EQ(order[0], 1);
  EXPECT_EQ(order[1], 0);
  THeaderItemInfo info;
  inner->HandleHeaderItemInfo(0, info);
  EXPECT_EQ(info.Text, "Length");  // the header item at the first place is the moved column
  EXPECT_EQ(info.Alignment, taRightJustify);

  list->SetViewStyle(vsList);  // a new window keeps the order
  list->SetViewStyle(vsReport);
  PumpWhileBusy();
  order[0] = order[1] = -1;
  SendMessageA(inner->Handle(), LVM_GETCOLUMNORDERARRAY, 2, reinterpret_cast<LPARAM>(order));
  EXPECT_EQ(order[0], 1);
}

TEST_F(ListView, SortsByOnCompareOrByCaptionsKeepingTheSelection) {
  TcxCustomInnerListView* inner = NewReportList()->InnerListView();
  ListEvents events;
  const intptr_t data[] = {5, 20, 10};  // clip one, clip two, song
  for (int i = 0; i < 3; ++i) const_cast<TcxListItem&>(inner->Item(i)).Data = data[i];
  inner->SetSelectedIndex(0);
  inner->OnCompare = MakeEvent(&events, &ListEvents::Compare);
  inner->SetSortType(stData);
  const std::vector<std::string> byData{"clip two.mp4", "song.mp3", "clip one.avi"};
  EXPECT_EQ(ModelCaptions(inner), byData);
  EXPECT_EQ(WindowCaptions(inner), byData);
  EXPECT_EQ(WindowText(inner, 0, 1), "00:01:00");  // sub-items travel with their items
  EXPECT_EQ(inner->SelectedIndex(), 2) << "the selection stays on its item";

  // Captions without a handler; a new item goes to its place.
  inner->OnCompare = nullptr;
  inner->SetSortType(stText);
  EXPECT_EQ(ModelCaptions(inner), (std::vector<std::string>{"clip one.avi", "clip two.mp4", "song.mp3"}));
  EXPECT_EQ(inner->AddItem({"concert.mkv", {}}), 2);
  const std::vector<std::string> byText{"clip one.avi", "clip two.mp4", "concert.mkv", "song.mp3"};
  EXPECT_EQ(ModelCaptions(inner), byText);
  EXPECT_EQ(WindowCaptions(inner), byText);

  // A renamed item moves to its new place.
  EndEdit(inner, 0, "zoo.avi");
  PumpWhileBusy();
  EXPECT_EQ(ModelCaptions(inner).back(), "zoo.avi");
  EXPECT_EQ(WindowCaptions(inner).back(), "zoo.avi");
}

TEST_F(ListView, OnEditingDecidesWhichCaptionsCanBeEdited) {
  TcxListView* list = NewReportList();
  TcxCustomInnerListView* inner = list->InnerListView();
  ListEvents events;
  inner->OnEditing = MakeEvent(&events, &ListEvents::Editing);
  inner->SetFocus();
  HWND edit = inner->EditCaption(0);
  EXPECT_NE(edit, nullptr);
  EXPECT_EQ(reinterpret_cast<HWND>(SendMessageA(inner->Handle(), LVM_GETEDITCONTROL, 0, 0)), edit);
  SendMessageA(edit, WM_KEYDOWN, VK_ESCAPE, 0);
  PumpWhileBusy();
  EXPECT_EQ(inner->EditCaption(1), nullptr);
  EXPECT_EQ(SendMessageA(inner->Handle(), LVM_GETEDITCONTROL, 0, 0), 0);
  EXPECT_EQ(events.log, (std::vector<std::string>{"editing 0", "editing 1"}));

  list->SetReadOnly(true);  // refused before the handler is asked
  events.log.clear();
  EXPECT_EQ(inner->EditCaption(0), nullptr);
  EXPECT_TRUE(events.log.empty());
}

TColor PixelAt(HWND window, int x, int y) {
  HDC dc = GetDC(window);
  const auto colour = static_cast<TColor>(GetPixel(dc, x, y));
  ReleaseDC(window, dc);
  return colour;
}

TRect ItemBoundsOf(TcxCustomInnerListView* inner, int item, int part = LVIR_BOUNDS) {
  RECT r{part, 0, 0, 0};
  SendMessageA(inner->Handle(), LVM_GETITEMRECT, item, reinterpret_cast<LPARAM>(&r));
  return TRect(r);
}

void Repaint(TcxCustomInnerListView* inner) {
  RedrawWindow(inner->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

// Fills each row in a colour of its index and records the states it was asked with.
struct OwnerDrawn {
  static constexpr TColor colours[] = {0x0000C0, 0x00C000, 0xC00000};
  std::vector<TOwnerDrawState> states;
  void Draw(TObject*, TCanvas* canvas, int item, const TRect& rect, TOwnerDrawState state) {
    if (static_cast<int>(states.size()) <= item) states.resize(item + 1);
    states[item] = state;
    canvas->Brush()->SetColor(colours[item]);
    canvas->FillRect(rect);
  }
};

TEST_F(ListView, OwnerDrawnRowsArePaintedByOnDrawItemOrAsPlainCaptions) {
  TcxListView* list = NewReportList();
  TcxCustomInnerListView* inner = list->InnerListView();
  list->Style()->SetColor(TColor(0xE0F0F0));
  list->SetOwnerDraw(true);
  PumpWhileBusy();
  EXPECT_TRUE(GetWindowLongA(inner->Handle(), GWL_STYLE) & LVS_OWNERDRAWFIXED);

  // Without a handler each row shows its caption on the list's colour.
  Repaint(inner);
  const TRect first = ItemBoundsOf(inner, 0);
  EXPECT_EQ(PixelAt(inner->Handle(), 100, (first.Top + first.Bottom) / 2), ColorToRGB(TColor(0xE0F0F0)));
  int ink = 0;
  for (int x = first.Left + 2; x < first.Left + 40; ++x)
    for (int y = first.Top; y < first.Bottom; ++y) ink += PixelAt(inner->Handle(), x, y) == static_cast<TColor>(ColorToRGB(inner->Font()->Color()));
  EXPECT_GT(ink, 10) << "the caption's letters";

  OwnerDrawn drawn;
  inner->OnDrawItem = MakeEvent(&drawn, &OwnerDrawn::Draw);
  inner->SetSelectedIndex(1);
  Repaint(inner);
  for (int item = 0; item < 3; ++item) {
    const TRect r = ItemBoundsOf(inner, item);
    for (int x : {5, 150, 190}) EXPECT_EQ(PixelAt(inner->Handle(), x, (r.Top + r.Bottom) / 2), OwnerDrawn::colours[item]) << item << " " << x;
  }
  ASSERT_EQ(drawn.states.size(), 3u);
  EXPECT_FALSE(drawn.states[0].Contains(odSelected));
  EXPECT_TRUE(drawn.states[1].Contains(odSelected));

  list->SetOwnerDraw(false);
  PumpWhileBusy();
  EXPECT_FALSE(GetWindowLongA(inner->Handle(), GWL_STYLE) & LVS_OWNERDRAWFIXED);
}

// Records every custom-draw step as "target item/sub stage".
struct DrawSteps {
  std::vector<std::string> log;
  TCustomDrawState selectedState;
  static constexpr const char* stages[] = {"pre", "post", "pre-erase", "post-erase"};
  void List(TObject*, TCanvas*, const TRect&, TCustomDrawStage stage, bool&) {
    log.push_back(std::string("list ") + stages[stage]);
  }
  void Item(TObject*, TCanvas*, int item, int sub, TCustomDrawState state, TCustomDrawStage stage, bool&) {
    log.push_back("item " + std::to_string(item) + "/" + std::to_string(sub) + " " + stages[stage]);
    if (item == 1 && stage == cdPrePaint) selectedState = state;
  }
  void SubItem(TObject*, TCanvas*, int item, int sub, TCustomDrawState, TCustomDrawStage stage, bool&) {
    log.push_back("sub " + std::to_string(item) + "/" + std::to_string(sub) + " " + stages[stage]);
  }
};

TEST_F(ListView, CustomDrawingIsOfferedAtEveryStageInPaintOrder) {
  TcxCustomInnerListView* inner = NewReportList()->InnerListView();
  inner->DeleteItem(2);
  inner->SetSelectedIndex(1);
  DrawSteps steps;
  inner->OnAdvancedCustomDraw = MakeEvent(&steps, &DrawSteps::List);
  inner->OnAdvancedCustomDrawItem = MakeEvent(&steps, &DrawSteps::Item);
  Repaint(inner);
  EXPECT_EQ(steps.log, (std::vector<std::string>{"list pre", "item 0/0 pre", "item 0/0 post", "item 1/0 pre",
                                                 "item 1/0 post", "list post"}));
  EXPECT_TRUE(steps.selectedState.Contains(cdsSelected));

  inner->OnAdvancedCustomDrawSubItem = MakeEvent(&steps, &DrawSteps::SubItem);
  steps.log.clear();
  Repaint(inner);
  EXPECT_EQ(steps.log, (std::vector<std::string>{"list pre", "item 0/0 pre", "sub 0/0 pre", "sub 0/0 post",
                                                 "sub 0/1 pre", "sub 0/1 post", "item 0/0 post", "item 1/0 pre",
                                                 "sub 1/0 pre", "sub 1/0 post", "sub 1/1 pre", "sub 1/1 post",
                                                 "item 1/0 post", "list post"}));
}

// Two 16 x 16 images: red and blue squares.
std::unique_ptr<TImageList> ColourImages() {
  auto images = std::make_unique<TImageList>(nullptr, 16, 16);
  for (TColor colour : {clRed, clBlue}) {
    TBitmap bitmap;
    bitmap.SetSize(16, 16);
    bitmap.Canvas()->Brush()->SetColor(colour);
    bitmap.Canvas()->FillRect(TRect(0, 0, 16, 16));
    images->AddMasked(&bitmap, clFuchsia);
  }
  return images;
}

struct ImageQuestions {
  std::vector<std::string> log;
  void ItemImage(TObject*, int index, TcxListItem& item) {
    log.push_back("item " + std::to_string(index));
    item.ImageIndex = index % 2;
  }
  void SubItemImage(TObject*, int item, int sub, int& image) {
    log.push_back("sub " + std::to_string(item) + "/" + std::to_string(sub));
    image = item == 0 ? 1 : image;
  }
};

int WindowImage(TcxCustomInnerListView* inner, int index, int sub) {
  LVITEMA item{};
  item.mask = LVIF_IMAGE;
  item.iItem = index;
  item.iSubItem = sub;
  SendMessageA(inner->Handle(), LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
  return item.iImage;
}

TEST_F(ListView, ImageIndexesAreAskedForWhenTheListShowsItsItems) {
  TcxCustomInnerListView* inner = NewReportList()->InnerListView();
  auto images = ColourImages();
  ImageQuestions questions;
  inner->SetSmallImages(images.get());
  inner->OnGetImageIndex = MakeEvent(&questions, &ImageQuestions::ItemImage);
  inner->OnGetSubItemImage = MakeEvent(&questions, &ImageQuestions::SubItemImage);
  inner->RecreateWnd();  // sub-item images are taken on when the window is made
  PumpWhileBusy();
  struct Case {
    int item, sub, image;
    const char* asked;
  } cases[] = {{0, 0, 0, "item 0"}, {1, 0, 1, "item 1"}, {0, 1, 1, "sub 0/1"}, {2, 1, -1, "sub 2/1"}};
  for (const Case& c : cases) {
    questions.log.clear();
    EXPECT_EQ(WindowImage(inner, c.item, c.sub), c.image) << c.asked;
    EXPECT_EQ(questions.log, std::vector<std::string>{c.asked});
  }
  EXPECT_EQ(inner->Item(1).ImageIndex, 1) << "the handler's index is kept in the item";

  questions.log.clear();
  Repaint(inner);
  EXPECT_FALSE(questions.log.empty());
  for (int item : {0, 1}) {
    const TRect icon = ItemBoundsOf(inner, item, LVIR_ICON);
    EXPECT_EQ(PixelAt(inner->Handle(), (icon.Left + icon.Right) / 2, (icon.Top + icon.Bottom) / 2),
              ColorToRGB(item == 0 ? clRed : clBlue)) << item;
  }
}

constexpr const char* fileListForm = R"(object Frame: TFileListProbe
  object FileList: TcxListView
    Left = 0
    Top = 0
    Width = 400
    Height = 200
    ViewStyle = vsReport
    ReadOnly = True
    OwnerDraw = True
    SortType = stText
    IconOptions.WrapText = False
    Style.Color = 16579834
    Style.BorderStyle = cbsSingle
    StyleHot.BorderColor = clRed
    OnColumnRightClick = FileListColumnRightClick
    OnCancelEdit = FileListCancelEdit
  end
end
)";

TEST_F(ListView, AStoredFormSetsTheListAndBindsItsEventsWhereTheyFire) {
  TFileListProbe frame(nullptr, 0);
  ReadComponentText(fileListForm, "FileList", &frame);
  auto* list = ObjectAs<TcxListView>(frame.FindComponent("FileList"));
  ASSERT_NE(list, nullptr);
  TcxCustomInnerListView* inner = list->InnerListView();
  EXPECT_EQ(list->ViewStyle(), vsReport);
  EXPECT_TRUE(list->ReadOnly());
  EXPECT_TRUE(inner->OwnerDraw()) << "applied once the form was read";
  EXPECT_EQ(inner->SortType(), stText);
  EXPECT_FALSE(list->IconOptions()->WrapText());
  EXPECT_EQ(list->Style()->Color(), TColor(16579834));
  EXPECT_EQ(list->Style()->BorderStyle(), cbsSingle);
  EXPECT_EQ(list->StyleHot()->BorderColor(), clRed);

  // The list's events are the inner list view's, fired with it as sender; the container's own
  // event with the container.
  ASSERT_TRUE(static_cast<bool>(inner->OnColumnRightClick));
  inner->OnColumnRightClick(inner, 2, TPoint(1, 1));
  list->OnCancelEdit(list);
  EXPECT_EQ(frame.log, (std::vector<std::string>{"TcxCustomInnerListView right 2", "TcxListView cancel"}));
}

TEST_F(ListView, AStyleKeepsInAStoredFormOnlyTheValuesItAssigns) {
  TcxListView list(nullptr);
  list.Style()->SetColor(clYellow);
  list.StyleHot()->SetShadow(true);  // a value the state styles leave to the normal style
  struct Case {
    TcxContainerStyle* style;
    const char* property;
    bool stored;
  } cases[] = {
      {list.Style(), "Color", true},          {list.Style(), "BorderColor", false},
      {list.Style(), "Shadow", true},         {list.Style(), "LookAndFeel", true},
      {list.Style(), "StyleController", true}, {list.StyleHot(), "StyleController", false},
      {list.Style(), "AssignedValues", false},
  };
  for (const Case& c : cases) {
    const TPropInfo* prop = FindPublishedProperty(c.style->ClassType(), c.property);
    ASSERT_NE(prop, nullptr) << c.property;
    EXPECT_EQ(IsStoredProp(c.style, prop), c.stored) << c.property << " of state " << c.style->State();
  }
}

}  // namespace
