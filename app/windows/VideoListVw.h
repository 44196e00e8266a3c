// The file list frame: one report row per input file (name, full length, trimmed length, output
// name) rebuilt whenever the input list changes, and an in-place editor over the output-name column
// through which the user renames a file's output.
//
// The frame observes the input list through a small link object: a control's own Update (repaint)
// and the observer's Update would otherwise be one function. A rebuild hides the in-place editor,
// so that a rename typed after a deletion can never land in another file's task.
#pragma once
#include "Forms.h"
#include "Observer.h"
#include "cxListView.h"
#include "cxTextEdit.h"

class TFrameFileList;

class TFileListObserver : public IObserver {
 public:
  explicit TFileListObserver(TFrameFileList* Frame) : frame_(Frame) {}
  void Update() override;

 private:
  TFrameFileList* frame_;
};

class TFrameFileList : public TFrame {
  CALDERAN_CLASS(TFrameFileList)
  explicit TFrameFileList(TComponent* Owner) : TFrame(Owner), FObserver(this) {}
  // Reads the stored frame, then: no row remembered, grid lines and whole-row selection on.
  void AfterConstruction() override;

  TcxListView* FileList = nullptr;
  TcxTextEdit* Edit = nullptr;

  // What the input list attaches to be told of its changes.
  IObserver* Observer() { return &FObserver; }
  // Rebuilds every row from the input list and selects the last one.
  void UpdateRows();

  void FileListMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  void FileListMouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  void EditChange(TObject* Sender);
  // Remembers the selected row: a press below the rows clears the selection before the frame sees it.
  void FileListSelectItem(TObject* Sender, int Item, bool Selected);
  int EditRow() const { return FEditRow; }
  int LastRow() const { return FLastRow; }
  static void Register();

 private:
  // The left edge of the output-name column in the list's client coordinates.
  int DestinationLeft(TListItem* Item) const;
  void OpenEditor(TListItem* Item, int Left);

  TFileListObserver FObserver;
  int32_t FEditRow = 0;
  int32_t FLastRow = -1;
  int32_t FSelectedRow = -1;
};

extern const TUnitInfo VideoListVwUnit;
