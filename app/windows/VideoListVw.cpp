#include "VideoListVw.h"

#include "FormReader.h"
#include "Global.h"
#include "GlobalFun.h"
#include "SysUtils.h"
#include "TypInfo.h"

CALDERAN_IMPLEMENT_CREATABLE(TFrameFileList, TFrame, TComponent*)

namespace {
constexpr int destinationColumn = 3;  // "Destination File": sub-item 2

// The editor stands over a row with two pixels to spare: room for a frame of one line above and
// below its text. A frame of two lines (the standard look's sunken one, the flat look's), or the
// spare ring of a transparent border, cut off the letters' descenders; so the editor keeps no
// spare ring, and in those two looks it is framed by a single line.
void FitEditorFrameToRow(TcxTextEdit* edit) {
  TcxEditStyle* style = edit->Style();
  style->SetTransparentBorder(false);
  const TcxLookAndFeelKind kind = style->LookAndFeel()->Kind();
  if (kind != lfStandard && kind != lfFlat) return;
  style->SetBorderStyle(cbsSingle);
  style->SetHotTrack(false);  // a hot or focused single frame would thicken to two lines
}
}  // namespace

void TFileListObserver::Update() { frame_->UpdateRows(); }

void TFrameFileList::AfterConstruction() {
  TFrame::AfterConstruction();
  FLastRow = -1;
  FileList->SetGridLines(true);
  FileList->SetRowSelect(true);
}

void TFrameFileList::UpdateRows() {
  Edit->SetVisible(false);
  FSelectedRow = -1;
  TListItems* rows = FileList->Items();
  rows->BeginUpdate();
  rows->Clear();
  for (int i = 0; i < GlobalVideoList->Count(); ++i) {
    TVideoInfo* info = GlobalVideoList->GetVideoInfo(i);
    TListItem* row = rows->Add();
    row->SetCaption(ExtractFileName(GlobalVideoList->GetFileName(i)));
    row->SubItems()->Add(FormatRefTime(true, info->Duration));
    row->SubItems()->Add(FormatRefTime(true, info->TaskInfo->GetDuration()));
    row->SubItems()->Add(info->TaskInfo->OutName);
  }
  rows->EndUpdate();
  if (rows->Count() > 0) rows->Item(rows->Count() - 1)->SetSelected(true);
}

int TFrameFileList::DestinationLeft(TListItem* Item) const {
  int left = Item->Position().X;
  for (int column = 0; column < destinationColumn; ++column) left += FileList->Column(column)->Width();
  return left;
}

void TFrameFileList::OpenEditor(TListItem* Item, int Left) {
  TcxCustomInnerListView* inner = FileList->InnerListView();
  const TRect rect = Item->DisplayRect(TListItem::drSelectBounds);
  FEditRow = Item->Index();
  // The editor lies on the frame, over the list: list client points move by the list's own place.
  const int dx = FileList->Left() + inner->Left(), dy = FileList->Top() + inner->Top();
  FitEditorFrameToRow(Edit);
  Edit->SetBounds(Left + dx, rect.Top + dy, FileList->Column(destinationColumn)->Width() + 1,
                  rect.Bottom - rect.Top + 2);
  Edit->SetText(Item->SubItems()->Get(2));
  Edit->SetVisible(true);
  Edit->BringToFront();
  Edit->SetFocus();
}

// X and Y arrive in the list container's coordinates; rows are found in the inner list's.
void TFrameFileList::FileListMouseDown(TObject*, TMouseButton, TShiftState, int X, int Y) {
  TcxCustomInnerListView* inner = FileList->InnerListView();
  const int x = X - inner->Left(), y = Y - inner->Top();
  TListItem* item = FileList->ItemAtPoint(x, y);
  if (item) {
    const int left = DestinationLeft(item);
    if (left < x && x < left + FileList->Column(destinationColumn)->Width()) OpenEditor(item, left);
    return;
  }
  Edit->SetVisible(false);
  // The list has already cleared its selection for this press: the row selected before it counts.
  TListItem* selected = FileList->GetSelectedItem();
  FLastRow = selected ? selected->Index() : FSelectedRow;
}

void TFrameFileList::FileListSelectItem(TObject*, int Item, bool Selected) {
  if (Selected) FSelectedRow = Item;
}

void TFrameFileList::FileListMouseUp(TObject*, TMouseButton, TShiftState, int, int) {
  if (FileList->GetSelectedItem()) return;
  if (FLastRow >= 0 && FLastRow < FileList->Items()->Count()) FileList->Items()->Item(FLastRow)->SetSelected(true);
}

void TFrameFileList::EditChange(TObject*) {
  const std::string name = Edit->Text();
  GlobalVideoList->GetVideoInfo(FEditRow)->TaskInfo->OutName = name;
  FileList->Items()->Item(FEditRow)->SubItems()->Put(2, name);
}

void TFrameFileList::Register() {
  static constinit const TPropInfo fields[] = {
      PublishedField<&TFrameFileList::FileList>("FileList"),
      PublishedField<&TFrameFileList::Edit>("Edit"),
  };
  static constinit const TMethodInfo methods[] = {
      PublishedMethod<&TFrameFileList::FileListMouseDown>("FileListMouseDown"),
      PublishedMethod<&TFrameFileList::FileListMouseUp>("FileListMouseUp"),
      PublishedMethod<&TFrameFileList::EditChange>("EditChange"),
      PublishedMethod<&TFrameFileList::FileListSelectItem>("FileListSelectItem"),
  };
  RegisterPublishedProperties(StaticClass(), fields);
  RegisterPublishedMethods(StaticClass(), methods);
  RegisterClass(StaticClass());
}

namespace {
void StartVideoListVw() { TFrameFileList::Register(); }
void StopVideoListVw() { UnRegisterClass(TFrameFileList::StaticClass()); }
}  // namespace

constinit const TUnitInfo VideoListVwUnit{"VideoListVw", StartVideoListVw, StopVideoListVw};
