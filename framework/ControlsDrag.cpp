// Drag and drop of controls and data between controls.
#include "Controls.h"
#include "Forms.h"
#include "ImgList.h"

CALDERAN_IMPLEMENT_CLASS(TDragObject, TObject)
CALDERAN_IMPLEMENT_CLASS(TBaseDragControlObject, TDragObject)
CALDERAN_IMPLEMENT_CLASS(TDragControlObject, TBaseDragControlObject)

namespace {
// The one drag of the process: its source, object, the capture window that follows the mouse.
struct TDragSession {
  TControl* control = nullptr;
  TDragObject* object = nullptr;
  bool ownsObject = false;
  bool active = false;  // past the threshold
  int threshold = 5;
  TPoint start;
  TControl* target = nullptr;
  HWND capture = nullptr;
  TDragImageList* images = nullptr;
} drag;

TPoint CursorPos() {
  POINT p{};
  GetCursorPos(&p);
  return p;
}

TDragDockObject* DockObject() { return ObjectAs<TDragDockObject>(drag.object); }

LRESULT SendDrag(TControl* target, TDragMessage step, TPoint pos) {
  TDragRec rec{pos, drag.object, target, DockObject() != nullptr};
  return target->Perform(CM_DRAG, step, reinterpret_cast<LPARAM>(&rec));
}

void DragDone(bool drop);

void DragTo(TPoint pos) {
  drag.active = true;
  TDragDockObject* dock = DockObject();
  drag.object->DragPos = pos;
  TControl* target = dock ? FindDockSite(pos, dock->Control()) : FindDragTarget(pos, false);
  if (target != drag.target) {
    if (drag.target) SendDrag(drag.target, dmDragLeave, pos);
    drag.target = target;
    if (target) SendDrag(target, dmDragEnter, pos);
  }
  bool accept = target && SendDrag(target, dmDragMove, pos) != 0;
  if (dock) {
    // the preview shows where the drop would dock the client, or where it would float
    if (!accept) dock->DockRect = dock->FloatRect(pos);
    dock->ShowDockImage();
  }
  drag.object->DragTarget = target;
  if (target) drag.object->DragTargetPos = target->ScreenToClient(pos);
  if (!drag.images) {
    drag.images = drag.object->GetDragImages();
    if (drag.images) drag.images->BeginDrag(GetDesktopWindow(), pos.X, pos.Y);
  }
  if (drag.images) drag.images->DragMove(pos.X, pos.Y);
  TCursor cursor = drag.object->GetDragCursor(accept, pos.X, pos.Y);
  if (Screen) SetCursor(Screen->Cursors(cursor));
}

// The capture window: mouse moves drag, the left button's release drops, the right one cancels.
void CaptureMethod(void*, TMessage& m) {
  switch (m.Msg) {
    case WM_MOUSEMOVE: {
      TPoint pos = CursorPos();
      if (drag.active || std::abs(pos.X - drag.start.X) >= drag.threshold || std::abs(pos.Y - drag.start.Y) >= drag.threshold)
        DragTo(pos);
      return;
    }
    case WM_LBUTTONUP: DragDone(drag.active); return;
    case WM_RBUTTONDOWN:
    case WM_CANCELMODE:
    case WM_CAPTURECHANGED: DragDone(false); return;
  }
  m.Result = DefWindowProcA(drag.capture, m.Msg, m.WParam, m.LParam);
}

void DragDone(bool drop) {
  if (!drag.object) return;
  TDragObject* object = drag.object;
  TPoint pos = CursorPos();
  TControl* target = drag.target;
  bool accepted = drop && target && SendDrag(target, dmDragMove, pos) != 0;
  object->Dropped = accepted;
  object->Cancelling = !accepted;
  TDragDockObject* dock = DockObject();
  if (dock) dock->HideDockImage();
  // a dock drag let go outside every dock site floats the client
  const bool floats = dock && drop && drag.active && !target;
  if (target) SendDrag(target, accepted ? dmDragDrop : dmDragLeave, pos);
  if (drag.images) drag.images->EndDrag();
  HWND capture = drag.capture;
  bool owns = drag.ownsObject;
  drag = TDragSession{};  // WM_CAPTURECHANGED from ReleaseCapture must not end the drag twice
  if (GetCapture() == capture) ReleaseCapture();
  DeallocateHWnd(capture);
  TPoint local = accepted ? target->ScreenToClient(pos) : TPoint();
  struct TFree {
    TDragObject* o;
    bool owns;
    ~TFree() {
      if (owns) delete o;
    }
  } freeIt{object, owns};
  if (floats) {
    dock->DockRect = dock->FloatRect(pos);
    dock->Control()->DockTo(dock, nullptr);
    object->Dropped = true;
  }
  object->Finished(accepted ? target : nullptr, local.X, local.Y, accepted || floats);
  if (Screen) Screen->SetCursor(crDefault);
}
}  // namespace

TDragObject* CurrentDragObject() { return drag.object; }

void CancelDrag() {
  if (drag.object) DragDone(false);
}

bool DragKeyMessage(const MSG& msg) {
  if (!drag.object || msg.message != WM_KEYDOWN || msg.wParam != VK_ESCAPE) return false;
  CancelDrag();
  return true;
}

// ---------------------------------------------------------------------------------------------
// Drag objects
void TDragObject::Finished(TObject*, int, int, bool) {}

TCursor TDragObject::GetDragCursor(bool accepted, int, int) { return accepted ? crDrag : crNoDrop; }

void TBaseDragControlObject::Finished(TObject* target, int x, int y, bool accepted) {
  if (!accepted) {
    control_->DragCanceled();
    target = nullptr;
  }
  control_->DoEndDrag(target, x, y);
}

TCursor TDragControlObject::GetDragCursor(bool accepted, int, int) { return accepted ? Control()->DragCursor() : crNoDrop; }

TDragImageList* TDragControlObject::GetDragImages() { return Control()->GetDragImages(); }

// ---------------------------------------------------------------------------------------------
// The control's side
bool TControl::Dragging() const { return drag.control == this; }

void TControl::BeginAutoDrag() { BeginDrag(Mouse ? Mouse->DragImmediate() : true, Mouse ? Mouse->DragThreshold() : 5); }

void TControl::BeginDrag(bool immediate, int threshold) {
  if (drag.object) return;
  TDragObject* object = nullptr;
  if (dragKind_ == dkDock) {
    TDragDockObject* dock = nullptr;
    DoStartDock(dock);
    object = dock;
  } else {
    DoStartDrag(object);
  }
  if (drag.object) return;  // the handler started another drag
  drag.ownsObject = object == nullptr;
  if (!object) object = dragKind_ == dkDock ? static_cast<TDragObject*>(new TDragDockObject(this)) : new TDragControlObject(this);
  drag.control = this;
  drag.object = object;
  drag.threshold = threshold < 0 ? (Mouse ? Mouse->DragThreshold() : 5) : threshold;
  drag.start = CursorPos();
  drag.capture = AllocateHWnd(TWndMethod(&CaptureMethod, nullptr));
  SetCapture(drag.capture);
  if (immediate) DragTo(drag.start);
}

void TControl::EndDrag(bool drop) {
  if (Dragging()) DragDone(drop);
}

void TControl::DoStartDrag(TDragObject*& dragObject) {
  if (OnStartDrag) OnStartDrag(this, dragObject);
}

void TControl::DoEndDrag(TObject* target, int x, int y) {
  if (OnEndDrag) OnEndDrag(this, target, x, y);
}

void TControl::DragOver(TObject* source, int x, int y, TDragState state, bool& accept) {
  accept = false;
  if (OnDragOver) {
    accept = true;
    OnDragOver(this, source, x, y, state, accept);
  }
}

void TControl::DragDrop(TObject* source, int x, int y) {
  if (OnDragDrop) OnDragDrop(this, source, x, y);
}

void TControl::CMDrag(TMessage& m) {
  auto* rec = reinterpret_cast<TDragRec*>(m.LParam);
  TPoint local = ScreenToClient(rec->Pos);
  TObject* source = rec->Source->Source();
  static constexpr TDragState states[] = {dsDragEnter, dsDragLeave, dsDragMove};
  switch (static_cast<TDragMessage>(m.WParam)) {
    case dmDragEnter:
    case dmDragLeave:
    case dmDragMove: {
      bool accept = false;
      DragOver(source, local.X, local.Y, states[m.WParam], accept);
      m.Result = accept;
      break;
    }
    case dmDragDrop: DragDrop(source, local.X, local.Y); break;
    case dmFindTarget: m.Result = reinterpret_cast<LRESULT>(this); break;
    default: break;
  }
}
