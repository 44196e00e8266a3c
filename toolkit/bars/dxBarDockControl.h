// Dock sites: the child windows along a form's edges (or placed on a form) that hold docked
// toolbar windows in rows of columns.
//
// Here: the rows and columns, which row and column a toolbar docked at a screen point goes to
// (the zones above, inside and below each row), the placing of the windows along a row (at their
// stored positions when there is room, shrunk behind the mark when not), the site's size (the
// sum of its rows), a toolbar moved to another row by its stored row number, and the form dock
// control with its alignment and empty size.
// Not here: the site's background picture and the customizing popup.
#pragma once
#include <memory>
#include <vector>

#include "Controls.h"
#include "dxBarTypes.h"

class TdxBar;
class TdxBarControl;
class TdxBarManager;
class TdxDockControl;
class TdxDockRow;

// How far outside a site's edge a dragged toolbar still docks into it.
constexpr int dxBarDockingZoneSize = 23;

// One toolbar window in a row, with the position (site client coordinates) it asked for.
class TdxDockCol {
 public:
  TdxDockCol(TdxDockRow* row, TdxBarControl* control) : row_(row), control_(control) {}
  TdxDockRow* Row() const { return row_; }
  TdxBarControl* BarControl() const { return control_; }
  TPoint Pos;
  void StorePosition();

 private:
  TdxDockRow* row_;
  TdxBarControl* control_;
};

class TdxDockRow {
 public:
  explicit TdxDockRow(TdxDockControl* site) : site_(site) {}
  TdxDockControl* DockControl() const { return site_; }
  int ColCount() const { return static_cast<int>(cols_.size()); }
  TdxDockCol* GetCol(int index) const { return cols_[index].get(); }
  int IndexOfControl(const TdxBarControl* control) const;
  TdxDockCol* InsertCol(int index, TdxBarControl* control);
  void DeleteCol(int index);
  bool HoldsWholeRowBar() const;

 private:
  // A toolbar alone on its row knows it.
  void UpdateOneOnRow();

  TdxDockControl* site_;
  std::vector<std::unique_ptr<TdxDockCol>> cols_;
};

class TdxDockControl : public TCustomControl {
  CALDERAN_CLASS(TdxDockControl)
  // A manager's own edge site has a fixed style; dsNone: the style follows Align.
  TdxDockControl(TComponent* owner, TdxBarManager* manager, TdxBarDockingStyle fixedStyle = dsNone);
  ~TdxDockControl() override;

  TdxBarManager* BarManager() const { return manager_; }
  TdxBarDockingStyle DockingStyle() const;
  bool IsVertical() const { return DockingStyle() == dsLeft || DockingStyle() == dsRight; }
  bool AllowDocking() const { return allowDocking_; }
  void SetAllowDocking(bool value) { allowDocking_ = value; }
  virtual bool CanDocking(TdxBar* bar) const;
  virtual bool IsMultiRow() const { return true; }

  int RowCount() const { return static_cast<int>(rows_.size()); }
  TdxDockRow* GetRow(int index) const { return rows_[index].get(); }
  int IndexOfRow(const TdxDockRow* row) const;
  // The row and column holding the window; false when it is not docked here.
  bool FindBarControl(const TdxBarControl* control, int& row, int& col) const;

  // Docks the window at the screen point (the cursor's place while dragging).
  void AddBarControl(TdxBarControl* control, TPoint screenPoint, bool realign);
  void RemoveBarControl(TdxBarControl* control, bool realign);
  // A docked toolbar dragged inside its site.
  void MoveBarControl(TdxBarControl* control, TPoint screenPoint);
  // Moves the window to the row; a row past the last appends one empty row (more only while the
  // manager's updates are locked or it loads its bars: a stored number never makes thousands).
  void SetBarRow(TdxBarControl* control, int row);
  void StoreColumnPositions();

  // Zones and rows, across the rows in client coordinates.
  int RowThickness(int row) const;
  int GetDockSize() const;
  TRect GetRowRect(int row) const;
  // Row -1: the zone before the first row; RowCount(): after the last. Part 0 before the 5-pixel
  // strip, 1 the strip, 2 after it.
  void GetRowZone(int row, int part, int& low, int& high) const;
  int FindRowAtPoint(TPoint screenPoint, bool& newRow) const;
  int FindColumnAtPoint(int row, TPoint screenPoint) const;
  // Where a dragged toolbar catches the site, on the screen.
  TRect GetDockingZoneRect() const;

  void RealignBars();
  virtual void UpdateSize();
  void Dispatch(TMessage& message) override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void CalcRowsLayout();
  void CalcRowLayout(TdxDockRow* row, int rowIndex, int length);

 private:
  int AcrossOf(TPoint client) const { return IsVertical() ? client.X : client.Y; }
  int AlongOf(TPoint client) const { return IsVertical() ? client.Y : client.X; }
  int ClientAcross() const;
  bool IsNearSite() const { return DockingStyle() == dsLeft || DockingStyle() == dsTop; }
  TdxDockRow* InsertRow(int index);
  void DeleteRowIfEmpty(int index);

  TdxBarManager* manager_;
  TdxBarDockingStyle fixedStyle_;
  bool allowDocking_ = true;
  std::vector<std::unique_ptr<TdxDockRow>> rows_;
};

enum TdxBarDockAlign : uint8_t { dalNone, dalTop, dalBottom, dalLeft, dalRight };

// A dock site a form places where it wants toolbars (inside a panel, say).
class TdxBarDockControl : public TdxDockControl {
  CALDERAN_CLASS(TdxBarDockControl)
  TdxBarDockControl(TComponent* owner, TdxBarManager* manager);

  TdxBarDockAlign DockAlign() const { return dockAlign_; }
  // Every docked toolbar turns with the site in one update of the manager.
  void SetDockAlign(TdxBarDockAlign value);
  bool AllowZeroSizeInDesignTime() const { return allowZeroSize_; }
  void SetAllowZeroSizeInDesignTime(bool value) { allowZeroSize_ = value; }
  // An empty site is 0 thick at run time, 3 while designed unless zero size is allowed there.
  int EmptySize() const;
  void UpdateSize() override;

 private:
  TdxBarDockAlign dockAlign_ = dalTop;
  bool allowZeroSize_ = false;
};

TdxBarDockingStyle DockingStyleOfAlign(TdxBarDockAlign align);
