#include "calderan_test.h"

#include <string>
#include <vector>

#include "controls_fixture.h"

namespace {

// A window that records the messages the detection loop dispatches to it; a posted WM_APP makes
// it give the capture away.
struct TRecordingWindow {
  std::vector<UINT> messages;
  HWND window = nullptr;
  void Method(TMessage& m) {
    messages.push_back(m.Msg);
    if (m.Msg == WM_APP) ReleaseCapture();
    m.Result = DefWindowProcA(window, m.Msg, m.WParam, m.LParam);
  }
};

struct DragDetection : ControlsFixture {
  DragDetection() {
    recorder.window = AllocateHWnd(MakeEvent(&recorder, &TRecordingWindow::Method));
    threshold = Mouse->DragThreshold();
  }
  ~DragDetection() override { DeallocateHWnd(recorder.window); }
  // A mouse move to the screen point (cursor + offset), in the window's client coordinates.
  void PostMoveBy(int dx, int dy) {
    const TPoint cursor = GetCursorPosSafe();
    POINT p{cursor.X + dx, cursor.Y + dy};
    ScreenToClient(recorder.window, &p);
    PostMessageA(recorder.window, WM_MOUSEMOVE, MK_LBUTTON, ClientPoint(p.x, p.y));
  }
  TRecordingWindow recorder;
  int threshold = 5;
};

TEST_F(DragDetection, ThresholdReleaseAndCancel) {
  struct Case {
    const char* what;
    std::function<void(DragDetection*)> post;
    int result;
  } const cases[] = {
      {"press and release without moving", [](DragDetection* t) { PostMessageA(t->recorder.window, WM_LBUTTONUP, 0, 0); }, 0},
      {"exactly the threshold to the right leaves the box", [](DragDetection* t) { t->PostMoveBy(t->threshold, 0); }, 1},
      {"exactly the threshold down leaves the box", [](DragDetection* t) { t->PostMoveBy(0, t->threshold); }, 1},
      {"the threshold to the left stays inside",
       [](DragDetection* t) {
         t->PostMoveBy(-t->threshold, -t->threshold);
         PostMessageA(t->recorder.window, WM_RBUTTONUP, 0, 0);
       }, 0},
      {"Esc cancels", [](DragDetection* t) { PostMessageA(t->recorder.window, WM_KEYDOWN, VK_ESCAPE, 0); }, 2},
      {"the capture goes elsewhere", [](DragDetection* t) { PostMessageA(t->recorder.window, WM_APP, 0, 0); }, 2},
  };
  for (const Case& c : cases) {
    recorder.messages.clear();
    c.post(this);
    EXPECT_EQ(DetectDrag(recorder.window), c.result) << c.what;
    EXPECT_NE(GetCapture(), recorder.window) << c.what;
    ASSERT_FALSE(recorder.messages.empty()) << c.what;
  }
  PostMessageA(recorder.window, WM_KEYDOWN, VK_ESCAPE, 0);
  recorder.messages.clear();
  DetectDrag(recorder.window);
  EXPECT_NE(std::find(recorder.messages.begin(), recorder.messages.end(), UINT(WM_KEYDOWN)), recorder.messages.end())
      << "the Esc key message is still dispatched";
}

// ---------------------------------------------------------------------------------------------
// The toolkit's own drag and drop

struct TDragLog {
  std::vector<std::string> steps;
};

class TLoggingDragObject : public TcxDragAndDropObject {
  CALDERAN_CLASS(TLoggingDragObject)
  explicit TLoggingDragObject(TcxControl* control) : TcxDragAndDropObject(control) {}
  static TDragLog* log;

 protected:
  void BeginDragAndDrop() override {
    log->steps.push_back("begin");
    TcxDragAndDropObject::BeginDragAndDrop();
  }
  void DragAndDrop(const TPoint& p, bool& accepted) override {
    log->steps.push_back("move " + std::to_string(p.X));
    TcxDragAndDropObject::DragAndDrop(p, accepted);
  }
  void EndDragAndDrop(bool accepted) override { log->steps.push_back(accepted ? "end accepted" : "end cancelled"); }
};
TDragLog* TLoggingDragObject::log = nullptr;
CALDERAN_IMPLEMENT_CREATABLE(TLoggingDragObject, TcxDragAndDropObject, TcxControl*)

class TDraggingControl : public TcxControl {
 public:
  using TcxControl::TcxControl;
  bool copy = false;
  bool IsCopyDrag() override { return copy; }

 protected:
  bool WantsDragAndDrop(const TPoint&) override { return true; }
};

using ToolkitDrag = ControlsFixture;

TEST_F(ToolkitDrag, StartsPastTheThresholdFollowsAndEnds) {
  TDragLog log;
  TLoggingDragObject::log = &log;
  auto* control = Place(new TDraggingControl(form.get()), 10, 10, 200, 150);
  control->SetDragAndDropObjectClass(TLoggingDragObject::StaticClass());
  control->Perform(WM_LBUTTONDOWN, MK_LBUTTON, ClientPoint(50, 50));
  EXPECT_EQ(control->DragAndDropState(), ddsStarting);
  control->Perform(WM_MOUSEMOVE, MK_LBUTTON, ClientPoint(54, 46));
  EXPECT_EQ(control->DragAndDropState(), ddsStarting) << "inside the threshold";
  control->Perform(WM_MOUSEMOVE, MK_LBUTTON, ClientPoint(55, 50));
  EXPECT_EQ(control->DragAndDropState(), ddsInProcess);
  control->Perform(WM_MOUSEMOVE, MK_LBUTTON, ClientPoint(70, 50));
  control->Perform(WM_LBUTTONUP, 0, ClientPoint(70, 50));
  EXPECT_EQ(control->DragAndDropState(), ddsNone);
  EXPECT_EQ(log.steps, (std::vector<std::string>{"begin", "move 55", "move 70", "end accepted"}));

  log.steps.clear();
  control->Perform(WM_LBUTTONDOWN, MK_LBUTTON, ClientPoint(50, 50));
  control->Perform(WM_MOUSEMOVE, MK_LBUTTON, ClientPoint(80, 50));
  control->Perform(WM_KEYDOWN, VK_ESCAPE, 0);
  EXPECT_EQ(control->DragAndDropState(), ddsNone);
  EXPECT_EQ(log.steps, (std::vector<std::string>{"begin", "move 80", "end cancelled"}));
}

TEST_F(ToolkitDrag, CursorsOfTheDragObjects) {
  auto* control = Place(new TDraggingControl(form.get()), 10, 10, 200, 150);
  TcxDragAndDropObject object(control);
  EXPECT_EQ(object.GetDragAndDropCursor(true), -12);
  EXPECT_EQ(object.GetDragAndDropCursor(false), -13);
  EXPECT_EQ(object.CurMousePos(), TPoint(-1, -1));
  TcxDragControlObject dragObject(control);
  control->SetDragCursor(crHandPoint);
  EXPECT_EQ(dragObject.GetDragCursor(true, 0, 0), crHandPoint);
  control->copy = true;
  EXPECT_EQ(dragObject.GetDragCursor(true, 0, 0), crcxDragCopy) << "Ctrl held over a target that accepts";
  EXPECT_EQ(dragObject.GetDragCursor(false, 0, 0), crNoDrop);
}

TEST_F(ToolkitDrag, TheDragObjectOverAToolkitControlIsKnown) {
  auto* control = Place(new TDraggingControl(form.get()), 10, 10, 200, 150);
  TDragObject source;
  bool accept = false;
  control->DragOver(&source, 5, 5, dsDragEnter, accept);
  EXPECT_EQ(GetCurrentDragObject(), &source);
  control->DragOver(&source, 5, 5, dsDragLeave, accept);
  EXPECT_EQ(GetCurrentDragObject(), nullptr);
}

// ---------------------------------------------------------------------------------------------
// Drag images and the size frame

TEST_F(ToolkitDrag, DragImagesAreTranslucentAndLetTheMouseThrough) {
  TcxDragImage image(nullptr);
  image.SetBounds(10, 10, 40, 30);
  image.ShowImage();
  EXPECT_TRUE(IsWindowVisible(image.Handle()));
  EXPECT_EQ(GetForegroundWindow() == image.Handle(), false) << "shown without activation";
  BYTE alpha = 0;
  DWORD flags = 0;
  ASSERT_TRUE(GetLayeredWindowAttributes(image.Handle(), nullptr, &alpha, &flags));
  EXPECT_EQ(alpha, 180);
  EXPECT_EQ(image.Perform(WM_NCHITTEST), HTTRANSPARENT);
}

TEST_F(ToolkitDrag, SizeFrameIsARingAndKeepsItsRegionWhenTooSmall) {
  TcxSizeFrame frame(4);
  frame.DrawSizeFrame(TRect(100, 100, 160, 140));
  frame.ShowImage();
  frame.DrawSizeFrame(TRect(100, 100, 160, 140));
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  ASSERT_NE(GetWindowRgn(frame.Handle(), region), ERROR);
  EXPECT_TRUE(PtInRegion(region, 1, 1));
  EXPECT_TRUE(PtInRegion(region, 58, 20));
  EXPECT_FALSE(PtInRegion(region, 30, 20)) << "the inside is not part of the frame";
  frame.DrawSizeFrame(TRect(100, 100, 107, 200));  // narrower than twice the frame width
  HRGN after = CreateRectRgn(0, 0, 0, 0);
  ASSERT_NE(GetWindowRgn(frame.Handle(), after), ERROR);
  EXPECT_TRUE(EqualRgn(region, after)) << "the previous region stays";
  DeleteObject(region);
  DeleteObject(after);
}

}  // namespace
