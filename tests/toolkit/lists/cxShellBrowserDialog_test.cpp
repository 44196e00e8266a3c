#include "calderan_test.h"

#include <malloc.h>

#include <functional>
#include <string>
#include <vector>

#include "FormReader.h"
#include "cxShellBrowserDialog.h"
#include "cxShellListView.h"
#include "dxSkinsBuiltIn.h"
#include "shell_fixture.h"

namespace {

// Runs a step inside the dialog's modal loop: a thread timer fires once the form is shown.
std::function<void(TcxShellBrowserDlg*)> pendingStep;
TcxShellBrowserDlg* openForm = nullptr;

void CALLBACK RunPendingStep(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  GuardedCall([] {
    auto step = std::move(pendingStep);
    pendingStep = nullptr;
    if (step && openForm) step(openForm);
  });
}

class TTestedDialog : public TcxShellBrowserDialog {
 public:
  using TcxShellBrowserDialog::TcxShellBrowserDialog;
  TcxShellBrowserDlg* CreateForm() override {
    openForm = TcxShellBrowserDialog::CreateForm();
    SetTimer(nullptr, 0, 10, RunPendingStep);
    return openForm;
  }
};

void Click(TcxButton* button) { SendMessageA(button->Handle(), BM_CLICK, 0, 0); }

BOOL CALLBACK CountOne(HWND window, LPARAM count) {
  ++*reinterpret_cast<int*>(count);
  return TRUE;
}
int ThreadWindowCount() {
  int count = 0;
  EnumThreadWindows(GetCurrentThreadId(), CountOne, reinterpret_cast<LPARAM>(&count));
  return count;
}

// Wine answers 0 to GetGuiResources and GetProcessHandleCount, so the objects are counted by
// asking about every handle value: kernel handles are small multiples of four, and Wine finds a
// GDI object by its table index alone when the handle's high word is 0.
int KernelHandleCount() {
  int count = 0;
  DWORD flags;
  for (uintptr_t value = 4; value < 0x10000; value += 4)
    if (GetHandleInformation(reinterpret_cast<HANDLE>(value), &flags)) ++count;
  return count;
}

int GdiObjectCount() {
  int count = 0;
  for (uintptr_t index = 1; index < 0x10000; ++index)
    if (GetObjectType(reinterpret_cast<HGDIOBJ>(index))) ++count;
  return count;
}

// Bytes in use: the C++ heap's (the allocator's own count) and the Win32 process heap's busy
// blocks, where the shell and the common controls allocate.
size_t CppHeapBytes() { return mallinfo2().uordblks; }

size_t ProcessHeapBytes() {
  HANDLE heap = GetProcessHeap();
  size_t bytes = 0;
  PROCESS_HEAP_ENTRY entry{};
  HeapLock(heap);
  while (HeapWalk(heap, &entry))
    if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) bytes += entry.cbData;
  HeapUnlock(heap);
  return bytes;
}

BOOL CALLBACK CountWithChildren(HWND window, LPARAM count) {
  ++*reinterpret_cast<int*>(count);
  EnumChildWindows(window, CountOne, count);
  return TRUE;
}

int WindowCount() {
  int count = 0;
  EnumThreadWindows(GetCurrentThreadId(), CountWithChildren, reinterpret_cast<LPARAM>(&count));
  return count;
}

struct ShellBrowserDialog : ShellFixture {
  static void SetUpTestSuite() {
    ShellFixture::SetUpTestSuite();
    StartUnits({&FormReaderUnit, &cxButtonsUnit, &cxLabelUnit, &cxTextEditUnit, &cxListViewUnit, &cxShellTreeViewUnit,
                &cxShellListViewUnit, &cxShellBrowserDialogUnit});
    StartSkinUnits();
  }
  // Runs the dialog with a step done in its loop; answers Execute's result.
  bool Run(TTestedDialog& dialog, std::function<void(TcxShellBrowserDlg*)> step) {
    pendingStep = std::move(step);
    const bool result = dialog.Execute();
    openForm = nullptr;
    return result;
  }
};

TEST_F(ShellBrowserDialog, FolderTextsShrinkDirectoryByDirectory) {
  const std::string path = "C:\\Program Files\\Foo\\Bar";
  auto length = [](const std::string& s) { return static_cast<int>(s.size()); };
  struct {
    int width;
    const char* text;
  } cases[] = {{40, "C:\\Program Files\\Foo\\Bar"}, {24, "C:\\Program Files\\Foo\\Bar"}, {23, "C:\\...\\Foo\\Bar"},
               {14, "C:\\...\\Foo\\Bar"}, {13, "C:\\...\\Bar"}, {10, "C:\\...\\Bar"}, {9, "...\\Bar"},
               {7, "...\\Bar"}, {6, "Bar"}, {1, "Bar"}};
  for (const auto& c : cases) EXPECT_EQ(ShortenFolderText(path, c.width, length), c.text) << c.width;
  EXPECT_EQ(ShortenFolderText("\\\\server\\share\\folder", 11, length), "\\...\\folder");
  EXPECT_EQ(ShortenFolderText("\\\\server\\share\\folder", 10, length), "...\\folder");
  EXPECT_EQ(ShortenFolderText("Bar", 1, length), "Bar");
}

TEST_F(ShellBrowserDialog, OpensWithItsStoredTextsAndAFolderTree) {
  TTestedDialog dialog(nullptr);
  std::vector<std::string> seen;
  bool result = Run(dialog, [&](TcxShellBrowserDlg* form) {
    seen = {form->Caption(), form->lblFolder->Caption(), form->cxButton1->Caption(), form->cxButton2->Caption()};
    EXPECT_FALSE(form->cxStv->Options()->ShowNonFolders());
    EXPECT_FALSE(form->cxStv->Options()->ShowHidden());
    EXPECT_EQ(ItemIdCount(form->cxStv->Root()->RootId()), 0);  // the desktop
    EXPECT_EQ(GetWindowLongA(form->Handle(), GWL_EXSTYLE) & (WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE),
              WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE);
    form->cxStv->SetPath(TreePath("\\Folder with spaces"));
    seen.push_back(form->cxTeFolder->Text());
    Click(form->cxButton1);
  });
  EXPECT_TRUE(result);
  ASSERT_EQ(seen.size(), 5u);
  EXPECT_EQ(seen[0], "Browse for Folder");
  EXPECT_EQ(seen[1], "Current Folder");
  EXPECT_EQ(seen[2], "Use folder");  // the string table's texts, not the stored form's "OK" and "Cancel"
  EXPECT_EQ(seen[3], "Keep old folder");
  EXPECT_NE(seen[4].find("Folder with spaces"), std::string::npos) << seen[4];
  EXPECT_EQ(dialog.Path, TreePath("\\Folder with spaces"));

  dialog.Title = "Output folder";
  dialog.FolderLabelCaption = "Chosen:";
  Run(dialog, [&](TcxShellBrowserDlg* form) {
    seen = {form->Caption(), form->lblFolder->Caption()};
    Click(form->cxButton2);
  });
  EXPECT_EQ(seen, (std::vector<std::string>{"Output folder", "Chosen:"}));
}

TEST_F(ShellBrowserDialog, OkOnAVirtualFolderGivesAnEmptyPathAndCancelKeepsThePath) {
  TTestedDialog dialog(nullptr);
  dialog.Path = "C:\\kept";
  EXPECT_FALSE(Run(dialog, [](TcxShellBrowserDlg* form) {
    form->cxStv->SetPath(TreePath());
    Click(form->cxButton2);
  }));
  EXPECT_EQ(dialog.Path, "C:\\kept");
  EXPECT_TRUE(Run(dialog, [](TcxShellBrowserDlg* form) {
    LPITEMIDLIST computer = nullptr;
    SHGetSpecialFolderLocation(nullptr, CSIDL_DRIVES, &computer);
    SendMessageA(form->cxStv->InnerTreeView()->Handle(), CXSM_SELECTBYID, reinterpret_cast<WPARAM>(computer), 0);
    FreeItemIdList(computer);
    EXPECT_NE(form->cxStv->InnerTreeView()->Selected(), form->cxStv->InnerTreeView()->TopNode());
    Click(form->cxButton1);
  }));
  EXPECT_EQ(dialog.Path, "");
}

TEST_F(ShellBrowserDialog, AnUnresolvableRootPassesOutOfExecuteAndFreesTheForm) {
  TTestedDialog dialog(nullptr);
  dialog.Path = "C:\\kept";
  dialog.Root()->BrowseFolder = bfCustomPath;
  dialog.Root()->CustomPath = TreePath("\\No such folder");
  const int windows = ThreadWindowCount();
  EXPECT_THROW(Run(dialog, [](TcxShellBrowserDlg* form) { Click(form->cxButton1); }), EcxEditError);
  EXPECT_EQ(dialog.Path, "C:\\kept");
  EXPECT_EQ(ThreadWindowCount(), windows);
}

// The dialog's look reaches the folder field as it reaches the tree and the buttons; under a dark
// skin the field keeps its own white background and so its own dark text, while the label on the
// skinned form takes the skin's light text.
TEST_F(ShellBrowserDialog, TheFolderFieldTakesTheDialogsLookAndStaysReadableUnderADarkSkin) {
  TTestedDialog dialog(nullptr);
  dialog.Root()->BrowseFolder = bfCustomPath;
  dialog.Root()->CustomPath = TreePath();
  struct Seen {
    TcxLookAndFeelKind fieldKind = lfStandard;
    TColor fieldText = clNone, fieldBack = clNone, skinText = clNone;
  } seen;
  const TcxLookAndFeelKind kind = RootLookAndFeel()->Kind() == lfOffice11 ? lfFlat : lfOffice11;
  dialog.LookAndFeel()->SetKind(kind);
  Run(dialog, [&](TcxShellBrowserDlg* form) {
    seen.fieldKind = form->cxTeFolder->Style()->LookAndFeel()->Kind();
    Click(form->cxButton2);
  });
  EXPECT_EQ(seen.fieldKind, kind);

  GlobalUseSkins = true;
  dialog.LookAndFeel()->SetSkinName("Midnight");
  Run(dialog, [&](TcxShellBrowserDlg* form) {
    TcxCustomEditViewInfo* field = form->cxTeFolder->GetViewInfo();
    seen.fieldText = field->TextColor;
    seen.fieldBack = field->BackgroundColor;
    TcxCustomLookAndFeelPainterClass skin = form->cxTeFolder->Style()->LookAndFeel()->SkinPainter();
    seen.skinText = skin ? skin->EditorTextColor(false) : clNone;
    Click(form->cxButton2);
  });
  dialog.LookAndFeel()->SetSkinName("");
  GlobalUseSkins = false;
  ASSERT_NE(seen.skinText, clNone) << "the skin reaches the field";
  EXPECT_EQ(ColorToRGB(seen.fieldBack), ColorToRGB(clWindow));
  EXPECT_EQ(ColorToRGB(seen.fieldText), ColorToRGB(clWindowText));
  EXPECT_NE(ColorToRGB(seen.fieldText), ColorToRGB(seen.skinText));
}

// Every window, GDI object and handle the dialog makes is given back when it closes.
TEST_F(ShellBrowserDialog, OpeningAndClosingAHundredTimesLeaksNothing) {
  TTestedDialog dialog(nullptr);
  dialog.Root()->BrowseFolder = bfCustomPath;
  dialog.Root()->CustomPath = TreePath();
  auto openAndClose = [&] {
    Run(dialog, [](TcxShellBrowserDlg* form) {
      form->cxStv->SetPath(TreePath("\\Dossier \xE9t\xE9"));
      Click(form->cxButton2);
    });
    PumpWhileBusy();
  };
  for (int i = 0; i < 3; ++i) openAndClose();  // caches of the shell and the look and feel
  const int windows = WindowCount(), gdi = GdiObjectCount(), handles = KernelHandleCount();
  const size_t cppBytes = CppHeapBytes(), processBytes = ProcessHeapBytes();
  ASSERT_GT(gdi, 0);
  ASSERT_GT(handles, 0);
  ASSERT_GT(processBytes, 0u);
  for (int i = 0; i < 100; ++i) openAndClose();
  EXPECT_EQ(WindowCount(), windows);
  EXPECT_EQ(GdiObjectCount(), gdi);
  EXPECT_EQ(KernelHandleCount(), handles);
  // Over a hundred openings, a leak of more than about 650 bytes each shows; what may remain is
  // the allocators' own bookkeeping and the shell's caches settling.
  constexpr size_t slack = 64 * 1024;
  EXPECT_LE(CppHeapBytes(), cppBytes + slack);
  EXPECT_LE(ProcessHeapBytes(), processBytes + slack);
}

}  // namespace
