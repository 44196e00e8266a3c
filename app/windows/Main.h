// The main window "Video Converter": the file list with the preview beside it, the output folder
// and profile row, and the commands that add, delete and clear files, open the clip editor, the
// output settings, the help file and the about box, and start the conversion. Its skin controller
// gives the whole program the blue built-in skin. At every start it launches the updater beside
// the program.
//
// The commands are the form's handlers, bound by name: the large buttons of the ribbon at the top of
// the form (groups "File", "Edit", "Help", the bar manager's toolbars) call AddVideo ... ShowAbout
// with the button as sender.
//
// Guarded here: the profile box takes only its own items, so no typed name can become a selection
// of -1 that the settings file would keep; the output field is read-only, since only "Browse"
// changes the output folder and typed text would be ignored by the conversion.
#pragma once
#include <string>

#include "Forms.h"
#include "Observer.h"

class TRzPanel;
class TFrameFileList;
class TFramePreview;
class TcxLabel;
class TcxTextEdit;
class TcxComboBox;
class TcxButton;
class TcxImageList;
class TdxSkinController;
class TcxCustomShellBrowserDialog;
class TFormOSetting;
class TFormVideoEdit;
class TPlayContext;
class TFormMain;

// The input list tells the main window of its changes through this link (a control's own Update
// repaints it).
class TMainObserver : public IObserver {
 public:
  explicit TMainObserver(TFormMain* Form) : form_(Form) {}
  void Update() override;

 private:
  TFormMain* form_;
};

class TFormMain : public TForm {
  CALDERAN_CLASS(TFormMain)
  explicit TFormMain(TComponent* Owner) : TForm(Owner), FObserver(this) {}
  ~TFormMain() override;

  TRzPanel* RzPanelBG = nullptr;
  TRzPanel* RzPanel1 = nullptr;
  TRzPanel* RzPanel2 = nullptr;
  TRzPanel* RzPanel3 = nullptr;
  TRzPanel* RzPanel4 = nullptr;
  TRzPanel* RzPanel5 = nullptr;
  TFrameFileList* FrameFileList = nullptr;
  TFramePreview* FramePreview = nullptr;
  TcxLabel* Label1 = nullptr;
  TcxLabel* Label2 = nullptr;
  TcxTextEdit* edtOutDir = nullptr;
  TcxComboBox* cbProfile = nullptr;
  TcxButton* Browse = nullptr;
  TcxButton* Advance = nullptr;
  TcxButton* Convert = nullptr;
  TdxSkinController* dxSkinController = nullptr;
  TcxImageList* cxImageList = nullptr;

  void FormCreate(TObject* Sender);
  void FormDestroy(TObject* Sender);
  void FormShow(TObject* Sender);
  void FormClose(TObject* Sender, TCloseAction& Action);
  void AddVideo(TObject* Sender);
  void DeleteVideo(TObject* Sender);
  void ClearVideo(TObject* Sender);
  void ShowEffectEdit(TObject* Sender);
  void ShowTrimEdit(TObject* Sender);
  void ShowCropEdit(TObject* Sender);
  void HelpClick(TObject* Sender);
  void ShowAbout(TObject* Sender);
  void ShowAdvance(TObject* Sender);
  void BrowseOutDir(TObject* Sender);
  void ConvertVideo(TObject* Sender);
  void cbProfileChange(TObject* Sender);

  void FillProfiles();
  // The observer operation: the output field shows the input list's output folder.
  void UpdateFromList();
  void FillPlayContext(int Index, TPlayContext* Context);
  // The updater's command line, as LaunchUpdater hands it to the shell.
  std::string UpdaterParameters();
  void LaunchUpdater();
  IObserver* Observer() { return &FObserver; }
  static void Register();

 private:
  enum TClipPage { cpEffect, cpTrim, cpCrop };
  void ShowClipEditor(TClipPage Page);
  void LoadPictures();
  TMainObserver FObserver;
};

// The windows the main window opens, created once at start-up.
extern TFormMain* FormMain;
extern TFormOSetting* FormOSetting;

// The shell's "open" of a program or document beside the program, owned by a window; the result is
// not reported. A test replaces it to see what would be started without starting anything.
using TShellExecuteProc = void (*)(HWND Owner, const std::string& File, const std::string& Parameters);
extern TShellExecuteProc GlobalShellExecute;

// Runs the folder-browse dialog (true for OK, its Path then holds the folder); a test replaces it.
using TFolderDialogProc = bool (*)(TcxCustomShellBrowserDialog* Dialog);
extern TFolderDialogProc GlobalFolderDialog;

// The platform's major version, false when it cannot be read; a test replaces it.
using TPlatformMajorVersionProc = bool (*)(DWORD& Major);
extern TPlatformMajorVersionProc GlobalPlatformMajorVersion;

extern const TUnitInfo MainUnit;
