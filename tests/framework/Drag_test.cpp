#include "calderan_test.h"

#include <string>
#include <vector>

#include "Forms.h"
#include "forms_fixture.h"
#include "StdCtrls.h"

namespace {

class Drag : public FormsFixture {};

struct TLog {
  std::vector<std::string> log;
  void Over(TObject*, TObject* source, int x, int y, TDragState state, bool& accept) {
    static const char* names[] = {"enter", "leave", "move"};
    log.push_back(std::string("over ") + names[state] + " from " + static_cast<TComponent*>(source)->Name() + " at " +
                  std::to_string(x) + "," + std::to_string(y));
    accept = true;
  }
  void Dropped(TObject*, TObject* source, int x, int y) {
    log.push_back("drop " + static_cast<TComponent*>(source)->Name() + " at " + std::to_string(x) + "," + std::to_string(y));
  }
  void Ended(TObject*, TObject* target, int x, int y) {
    log.push_back("end on " + (target ? static_cast<TComponent*>(target)->Name() : std::string("nothing")) + " at " +
                  std::to_string(x) + "," + std::to_string(y));
  }
};

// The mouse is moved with SetCursorPos and the capture window told, as Win32 would.
TEST_F(Drag, AutomaticDragFromPressToDropOnAnAcceptingControl) {
  TForm form(nullptr, 0);
  form.AfterConstruction();
  form.SetBorderStyle(bsNone);
  form.SetBounds(100, 100, 300, 200);
  auto* source = new TButton(&form);
  source->SetName("Source");
  source->SetParent(&form);
  source->SetBounds(10, 10, 80, 25);
  source->SetDragMode(dmAutomatic);
  auto* target = new TEdit(&form);
  target->SetName("Target");
  target->SetParent(&form);
  target->SetBounds(150, 100, 100, 21);
  TLog log;
  target->OnDragOver = MakeEvent(&log, &TLog::Over);
  target->OnDragDrop = MakeEvent(&log, &TLog::Dropped);
  source->OnEndDrag = MakeEvent(&log, &TLog::Ended);
  form.Show();

  Mouse->SetCursorPos(Point(120, 120));
  SendMessageA(source->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
  ASSERT_TRUE(source->Dragging());
  HWND capture = GetCapture();
  ASSERT_NE(capture, nullptr);
  Mouse->SetCursorPos(Point(260, 205));  // over the edit: 8, 3 in its client area (2-pixel edge)
  SendMessageA(capture, WM_MOUSEMOVE, MK_LBUTTON, 0);
  Mouse->SetCursorPos(Point(262, 206));
  SendMessageA(capture, WM_MOUSEMOVE, MK_LBUTTON, 0);
  SendMessageA(capture, WM_LBUTTONUP, 0, 0);
  EXPECT_FALSE(source->Dragging());
  EXPECT_EQ(log.log, (std::vector<std::string>{"over enter from Source at 8,3", "over move from Source at 8,3",
                                               "over move from Source at 10,4", "over move from Source at 10,4",
                                               "drop Source at 10,4", "end on Target at 10,4"}));

  // an immediate drag starts over the control under the mouse; a cancelled one ends on nothing
  log.log.clear();
  source->BeginDrag(true);
  Mouse->SetCursorPos(Point(120, 250));
  SendMessageA(GetCapture(), WM_MOUSEMOVE, MK_LBUTTON, 0);
  CancelDrag();
  EXPECT_EQ(log.log, (std::vector<std::string>{"over enter from Source at 10,4", "over move from Source at 10,4",
                                               "over leave from Source at -132,48", "end on nothing at 0,0"}));
  form.Hide();
}

}  // namespace
