// The input list: every file the user added, in order, with what the probe found and its own clip
// settings, plus the folder files were last added from and the output folder.
#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "Classes.h"
#include "FormatsIni.h"
#include "Observer.h"
#include "TaskConf.h"

class TMediaInfo;

CALDERAN_EXCEPTION(EInvalideIndex, Exception)

// The probe result of one input file; owns the file's clip settings.
class TVideoInfo : public TObject {
  CALDERAN_CLASS(TVideoInfo)
  TVideoInfo();
  ~TVideoInfo() override;

  bool HasVideo = false;
  int32_t Width = 0;
  int32_t Height = 0;
  bool HasAudio = false;
  int32_t AudioValue1 = 0;
  int32_t AudioValue2 = 0;
  int64_t Duration = 0;  // 100 ns
  TTaskInfo* TaskInfo;
};

// Notifies its observers after adding, deleting and clearing; reads the two folders from the
// settings file when created and writes them back when freed.
class TVideoList : public TSubject {
  CALDERAN_CLASS(TVideoList)
  TVideoList();
  // Writes the two folders; an error is kept for the shutdown (KeepDestructorError).
  ~TVideoList() override;

  int Count() const { return files_.Count(); }
  // Raises EInvalideIndex unless 0 <= Index < Count.
  void CheckIndex(int Index) const;
  std::string GetFileName(int Index) const;
  TVideoInfo* GetVideoInfo(int Index) const;

  const std::string& InitDir() const { return initDir_; }
  const std::string& OutDir() const { return outDir_; }
  // Stores Folder with a trailing delimiter; observers are not told.
  void SetOutDir(const std::string& Folder);

  // Probes Path and appends it with its clip settings (whole frame, whole length, output name from
  // the file name). A failed probe leaves the list as it was, but InitDir already follows Path.
  void AddVideo(TMediaInfo* Probe, const std::string& Path);
  void Delete(int Index);
  void Clear();
  // Writes "InitDir" then "OutDir" to the settings file.
  void SaveFolders();

 private:
  void FreeInfos();

  TStringList files_;
  TConfIni conf_;
  std::string initDir_;
  std::string outDir_;
};

// The output file name of an input path, without folder and extension: "holiday.avi" gives
// "holiday_avi", "readme" gives "readme_".
std::string OutputNameOf(const std::string& Path);
