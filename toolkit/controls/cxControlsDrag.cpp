// Drag and drop of the toolkit: its own drag-and-drop objects inside a control, the framework's
// drag of whole controls started after drag detection, drag images and the size frame.
#include "cxControls.h"
#include "cxControlsSettings.h"

CALDERAN_IMPLEMENT_CREATABLE(TcxDragAndDropObject, TObject, TcxControl*)
CALDERAN_IMPLEMENT_CREATABLE(TcxDragControlObject, TDragControlObject, TControl*)
CALDERAN_IMPLEMENT_CREATABLE(TcxDragImageList, TDragImageList, TComponent*)
CALDERAN_IMPLEMENT_CLASS(TcxCustomDragImage, TcxPopupWindow)
CALDERAN_IMPLEMENT_CLASS(TcxDragImage, TcxCustomDragImage)
CALDERAN_IMPLEMENT_CLASS(TcxSizeFrame, TcxCustomDragImage)

namespace {

constexpr BYTE DragImageAlpha = 180;

TDragObject* currentDragObject = nullptr;

bool IsEscape(const MSG& msg) {
  return (msg.message == WM_KEYDOWN || msg.message == WM_KEYUP) && msg.wParam == VK_ESCAPE;
}

bool IsButtonRelease(UINT msg) { return msg == WM_LBUTTONUP || msg == WM_RBUTTONUP || msg == WM_MBUTTONUP; }

// What one message of the detection loop decides: -1 go on, else the result.
int DetectDragStep(HWND window, const MSG& msg, const TRect& box) {
  if (IsEscape(msg)) return 2;
  if (msg.message == WM_MOUSEMOVE && msg.hwnd == window) {
    POINT p{static_cast<int16_t>(LOWORD(msg.lParam)), static_cast<int16_t>(HIWORD(msg.lParam))};
    ClientToScreen(window, &p);
    if (!box.Contains(p)) return 1;
  }
  if (IsButtonRelease(msg.message)) return 0;
  return -1;
}

}  // namespace

// The loop runs while the window holds the capture; every message it takes is dispatched, the one
// that ends it too. A capture lost to another window counts as a cancel.
int DetectDrag(HWND window) {
  const int t = Mouse ? Mouse->DragThreshold() : 5;
  const TPoint cursor = GetCursorPosSafe();
  const TRect box(cursor.X - t, cursor.Y - t, cursor.X + t, cursor.Y + t);
  SetCapture(window);
  int result = 2;
  while (GetCapture() == window) {
    MSG msg;
    const BOOL got = GetMessageA(&msg, nullptr, 0, 0);
    if (got <= 0) {
      if (got == 0) PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    const int step = DetectDragStep(window, msg, box);
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
    if (step >= 0) {
      result = step;
      break;
    }
  }
  if (GetCapture() == window) ReleaseCapture();
  return result;
}

TDragObject* GetCurrentDragObject() { return currentDragObject; }

// ---------------------------------------------------------------------------------------------
// TcxDragAndDropObject

TcxDragAndDropObject::TcxDragAndDropObject(TcxControl* control) : control_(control), canvas_(control->cxCanvas()) {}

void TcxDragAndDropObject::SetDirty(bool value) {
  if (dirty_ == value) return;
  dirty_ = value;
  DirtyChanged();
}

TCursor TcxDragAndDropObject::GetDragAndDropCursor(bool accepted) const { return accepted ? crDrag : crNoDrop; }

void TcxDragAndDropObject::ChangeMousePos(const TPoint& point) {
  prevMousePos_ = curMousePos_;
  curMousePos_ = point;
}

void TcxDragAndDropObject::Init() {
  curMousePos_ = prevMousePos_ = control_->ScreenToClient(GetCursorPosSafe());
  BeginDragAndDrop();
}

void TcxDragAndDropObject::DoDragAndDrop(const TPoint& point, bool& accepted) {
  ChangeMousePos(point);
  DragAndDrop(point, accepted);
}

void TcxDragAndDropObject::DoEndDragAndDrop(bool accepted) {
  PrepareEndDragAndDrop(accepted);
  EndDragAndDrop(accepted);
}

void TcxDragAndDropObject::DragAndDrop(const TPoint&, bool& accepted) {
  dirty_ = false;
  if (Screen) Screen->SetCursor(GetDragAndDropCursor(accepted));
}

// ---------------------------------------------------------------------------------------------
// TcxDragControlObject: frees itself when the framework's drag ends.

void TcxDragControlObject::Finished(TObject* target, int x, int y, bool accepted) {
  TDragControlObject::Finished(target, x, y, accepted);
  delete this;
}

TCursor TcxDragControlObject::GetDragCursor(bool accepted, int x, int y) {
  auto* control = ObjectAs<TcxControl>(Control());
  if (accepted && control && control->IsCopyDrag()) return crcxDragCopy;
  return TDragControlObject::GetDragCursor(accepted, x, y);
}

// ---------------------------------------------------------------------------------------------
// The control's side of the toolkit's drag and drop

TcxDragAndDropObject* TcxControl::DragAndDropObject() {
  if (!dragAndDropObject_)
    dragAndDropObject_.reset(static_cast<TcxDragAndDropObject*>(GetDragAndDropObjectClass()->Create(this)));
  return dragAndDropObject_.get();
}

TClass TcxControl::GetDragAndDropObjectClass() const {
  return dragAndDropObjectClass_ ? dragAndDropObjectClass_ : TcxDragAndDropObject::StaticClass();
}

void TcxControl::SetDragAndDropState(TcxDragAndDropState value) {
  if (dragAndDropState_ == value) return;
  dragAndDropState_ = value;
  if (value == ddsNone && !finishingDragAndDrop_) DoCancelMode();
}

void TcxControl::BeginDragAndDrop() {
  DragAndDropObject()->Init();
  SetMouseCapture(true);
  dragAndDropPrevCursor_ = Screen ? Screen->Cursor() : crDefault;
  dragAndDropState_ = ddsInProcess;
}

void TcxControl::DragAndDropMove(const TPoint& point, bool& accepted) { DragAndDropObject()->DoDragAndDrop(point, accepted); }

void TcxControl::EndDragAndDrop(bool accepted) {
  SetDragAndDropState(ddsNone);
  if (Screen) Screen->SetCursor(dragAndDropPrevCursor_);
  SetMouseCapture(false);
  SetMouseCaptureObject(nullptr);
  DragAndDropObject()->DoEndDragAndDrop(accepted);
}

void TcxControl::FinishDragAndDrop(bool accepted) {
  if (finishingDragAndDrop_) return;
  TcxFlagScope finishing(finishingDragAndDrop_);
  if (dragAndDropState_ == ddsInProcess) EndDragAndDrop(accepted);
  else SetDragAndDropState(ddsNone);
  dragAndDropObject_.reset();
}

// ---------------------------------------------------------------------------------------------
// The control's side of the framework's drag

void TcxControl::DoStartDrag(TDragObject*& dragObject) {
  Repaint();
  TCustomControl::DoStartDrag(dragObject);
  if (dragObject) return;
  if (TClass cls = GetDragControlObjectClass()) {
    dragObject = static_cast<TDragObject*>(cls->Create(this));
    if (!AcceptsDragObject(dragObject)) {
      delete dragObject;
      dragObject = nullptr;
      CancelDrag();
    }
  }
}

void TcxControl::DoEndDrag(TObject* target, int x, int y) {
  TCustomControl::DoEndDrag(target, x, y);
  dragImages_.reset();
}

void TcxControl::DragOver(TObject* source, int x, int y, TDragState state, bool& accept) {
  TDragObject* dragObject = ObjectAs<TDragObject>(source);
  if (!dragObject) dragObject = CurrentDragObject();
  if (dragObject) currentDragObject = state == dsDragLeave ? nullptr : dragObject;
  TCustomControl::DragOver(source, x, y, state, accept);
}

TDragImageList* TcxControl::GetDragImages() {
  if (!HasDragImage()) return nullptr;
  if (!dragImages_) {
    dragImages_.reset(static_cast<TcxDragImageList*>(GetDragImageListClass()->Create(nullptr)));
    FillDragImageList(dragImages_.get());
  }
  return dragImages_->Count() > 0 ? dragImages_.get() : nullptr;
}

void TcxControl::FillDragImageList(TcxDragImageList* list) {
  const TPoint size = GetDragImageSize();
  list->SetWidth(size.X);
  list->SetHeight(size.Y);
  if (size.X == 0 || size.Y == 0) return;
  TBitmap bitmap(size.X, size.Y);
  TcxCanvas canvas(bitmap.Canvas());
  DrawDragImage(&canvas, TRect(0, 0, size.X, size.Y));
  list->AddMasked(&bitmap, bitmap.TransparentColor());
}

// ---------------------------------------------------------------------------------------------
// Drag images and the size frame

TcxCustomDragImage::TcxCustomDragImage(TComponent* owner) : TcxPopupWindow(owner) {
  SetBounds(0, 0, 0, 0);
  SetAlphaBlend(true);
  SetAlphaBlendValue(DragImageAlpha);
}

void TcxCustomDragImage::CreateParams(TCreateParams& params) {
  TcxPopupWindow::CreateParams(params);
  params.WindowClass.style |= CS_SAVEBITS;
  if (!PopupParentWindow()) {
    if (TCustomForm* active = Screen ? Screen->ActiveCustomForm() : nullptr) params.WndParent = active->Handle();
  }
}

void TcxCustomDragImage::Dispatch(TMessage& m) {
  switch (m.Msg) {
    case WM_ERASEBKGND: m.Result = 1; break;
    case WM_NCHITTEST: m.Result = HTTRANSPARENT; break;
    default: TcxPopupWindow::Dispatch(m);
  }
}

// The window is shown without the form's showing steps, which would activate it.
void TcxCustomDragImage::ShowImage() {
  ShowWindow(Handle(), SW_SHOWNA);
  Update();
}

void TcxCustomDragImage::HideImage() {
  if (HandleAllocated()) ShowWindow(Handle(), SW_HIDE);
}

TcxSizeFrame::TcxSizeFrame(int frameWidth)
    : TcxCustomDragImage(nullptr), frameWidth_(frameWidth), region_(std::make_unique<TcxRegion>()) {
  SetAlphaBlend(false);
}

TcxSizeFrame::~TcxSizeFrame() = default;

void TcxSizeFrame::DrawSizeFrame(const TRect& rect) {
  region_ = std::make_unique<TcxRegion>(0, 0, rect.Width(), rect.Height());
  SetBoundsRect(rect);
}

void TcxSizeFrame::SetBounds(int left, int top, int width, int height) {
  TcxCustomDragImage::SetBounds(left, top, width, height);
  if (!HandleAllocated() || 2 * frameWidth_ >= width || 2 * frameWidth_ >= height) return;
  BuildFrameRegion();
  ApplyRegion();
}

// The ring of the frame's width: the region less itself shrunk by that width on every side.
void TcxSizeFrame::BuildFrameRegion() {
  if (!region_) return;
  auto inner = std::make_unique<TcxRegion>();
  inner->Combine(region_.get(), roSet, false);
  const int w = frameWidth_;
  const TPoint offsets[] = {{w, 0}, {0, w}, {-w, 0}, {0, -w}};
  for (const TPoint& offset : offsets) {
    auto moved = new TcxRegion();
    moved->Combine(region_.get(), roSet, false);
    moved->Offset(offset.X, offset.Y);
    inner->Combine(moved, roIntersect);
  }
  region_->Combine(inner.release(), roSubtract);
}

void TcxSizeFrame::ApplyRegion() {
  HRGN current = CreateRectRgn(0, 0, 0, 0);
  const bool hasRegion = GetWindowRgn(Handle(), current) != ERROR;
  const bool same = hasRegion && region_->IsEqualHandle(current);
  DeleteObject(current);
  if (same) return;
  HRGN copy = CreateRectRgn(0, 0, 0, 0);
  CombineRgn(copy, region_->Handle(), nullptr, RGN_COPY);
  SetWindowRgn(Handle(), copy, TRUE);  // the window owns the copy from now on
}

// The checkered 8 x 8 pattern of black and white pixels.
void TcxSizeFrame::Paint() {
  TBitmap pattern(8, 8);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) pattern.Canvas()->SetPixel(x, y, (x + y) % 2 ? clWhite : clBlack);
  TCanvas* canvas = Canvas();
  canvas->Brush()->SetBitmap(&pattern);
  canvas->FillRect(ClientRect());
  canvas->Brush()->SetBitmap(nullptr);
}
