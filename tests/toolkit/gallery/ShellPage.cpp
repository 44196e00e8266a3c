// The shell page: the folder-browse dialog read from its stored definition, over a folder tree the
// page makes in the temporary folder (names with spaces and accented letters, a hidden folder, an
// empty one and one of many files), with the tree view and a report list view of the same tree.
#include <string>

#include "FormReader.h"
#include "GalleryPages.h"
#include "SysUtils.h"
#include "cxButtons.h"
#include "cxShellBrowserDialog.h"
#include "cxLabel.h"
#include "cxShellListView.h"
#include "cxTextEdit.h"

namespace {

void MakeFile(const std::string& path, int bytes) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  const std::string content(bytes, 'x');
  DWORD written = 0;
  if (bytes) WriteFile(file, content.data(), bytes, &written, nullptr);
  CloseHandle(file);
}

std::string MakeShellTree() {
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  const std::string root = std::string(temp) + "Calderan gallery tree";
  for (const char* folder : {"", "\\Folder with spaces", "\\Folder with spaces\\Inner", "\\Dossier \xE9t\xE9",
                             "\\Empty", "\\Hidden folder", "\\Many"})
    CreateDirectoryA((root + folder).c_str(), nullptr);
  SetFileAttributesA((root + "\\Hidden folder").c_str(), FILE_ATTRIBUTE_HIDDEN);
  // Sizes whose kilobytes round up: 1 byte and 1024 bytes show 1 KB, 1025 bytes 2 KB, nothing 0 KB.
  const struct {
    const char* Name;
    int Bytes;
  } files[] = {{"\\one byte.txt", 1}, {"\\kilo.bin", 1024}, {"\\kilo plus.bin", 1025}, {"\\empty.txt", 0},
               {"\\Dossier \xE9t\xE9\\caf\xE9.txt", 10}};
  for (const auto& file : files) MakeFile(root + file.Name, file.Bytes);
  for (int i = 0; i < 40; ++i) MakeFile(root + "\\Many\\clip " + std::to_string(i) + ".avi", 1500 * (i + 1));
  return root;
}

template <class TView> void RootAt(TView* view, const std::string& path) {
  view->Root()->SetCustomPath(AnsiToWide(path));
  view->Root()->SetBrowseFolder(bfCustomPath);
}

}  // namespace

void BuildShellPage(TGalleryPage& page) {
  StartUnits({&FormReaderUnit, &cxButtonsUnit, &cxLabelUnit, &cxTextEditUnit, &cxShellCommonUnit, &cxListViewUnit, &cxShellTreeViewUnit,
              &cxShellListViewUnit, &cxShellBrowserDialogUnit});
  const std::string root = MakeShellTree();
  page.AddLabel(20, 12, "Shell tree view (hidden folders shown dimmed)");
  auto* tree = page.Place(new TcxShellTreeView(page.Form()), 20, 36, 260, 300);
  tree->Options()->SetShowHidden(true);
  RootAt(tree, root);
  page.AddLabel(300, 12, "Shell list view, report view of the same folder");
  auto* list = page.Place(new TcxCustomShellListView(page.Form()), 300, 36, 520, 300);
  list->SetViewStyle(vsReport);
  RootAt(list, root);
  page.AddLabel(20, 360, "The folder-browse dialog (its own window, at the right), rooted at the tree");
  page.AfterShow([root, tree, page = &page] {
    tree->SetPath(root + "\\Folder with spaces\\Inner");
    auto* dialog = CreateForm<TcxShellBrowserDlg>(page->Form());
    RootAt(dialog->cxStv, root);
    dialog->SetLeft(860);
    dialog->SetTop(60);
    dialog->Show();
    dialog->cxStv->SetPath(root + "\\Dossier \xE9t\xE9");
  });
}
