// The shell page: the folder-browse dialog read from its stored definition, over a folder tree the
// page makes in the temporary folder (names with spaces and accented letters, a hidden folder, an
// empty one and one of many files), with the tree view and a report list view of the same tree.
#include <string>

#include "FormReader.h"
#include "GalleryPages.h"
#include "SysUtils.h"
#include "cxButtons.h"
#include "cxShellBrowserDialog.h"
#include "cxShellListView.h"

namespace {

std::string MakeShellTree() {
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  const std::string root = std::string(temp) + "Calderan gallery tree";
  for (const char* folder : {"", "\\Folder with spaces", "\\Folder with spaces\\Inner", "\\Dossier \xE9t\xE9",
                             "\\Empty", "\\Hidden folder", "\\Many"})
    CreateDirectoryA((root + folder).c_str(), nullptr);
  SetFileAttributesA((root + "\\Hidden folder").c_str(), FILE_ATTRIBUTE_HIDDEN);
  for (const char* file : {"\\one byte.txt", "\\kilo.bin", "\\Dossier \xE9t\xE9\\caf\xE9.txt"})
    CloseHandle(CreateFileA((root + file).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
  for (int i = 0; i < 40; ++i)
    CloseHandle(CreateFileA((root + "\\Many\\clip " + std::to_string(i) + ".avi").c_str(), GENERIC_WRITE, 0, nullptr,
                            CREATE_ALWAYS, 0, nullptr));
  return root;
}

template <class TView> void RootAt(TView* view, const std::string& path) {
  view->Root()->SetCustomPath(AnsiToWide(path));
  view->Root()->SetBrowseFolder(bfCustomPath);
}

}  // namespace

void BuildShellPage(TGalleryPage& page) {
  StartUnits({&FormReaderUnit, &cxButtonsUnit, &cxShellCommonUnit, &cxListViewUnit, &cxShellTreeViewUnit,
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
