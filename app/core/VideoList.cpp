#include "VideoList.h"

#include "Convert.h"
#include "Exception.h"
#include "SysUtils.h"

CALDERAN_IMPLEMENT_CLASS(TVideoInfo, TObject)
CALDERAN_IMPLEMENT_CLASS(TVideoList, TSubject)
CALDERAN_IMPLEMENT_CLASS(EInvalideIndex, Exception)

TVideoInfo::TVideoInfo() : TaskInfo(new TTaskInfo) {}

TVideoInfo::~TVideoInfo() { delete TaskInfo; }

std::string OutputNameOf(const std::string& Path) {
  std::string name = ExtractFileName(Path);
  std::string ext = ExtractFileExt(Path);
  if (!ext.empty()) {
    name.resize(name.size() - ext.size());
    ext.erase(0, 1);
  }
  return name + "_" + ext;
}

namespace {

enum : uint8_t { kStreamVideo = 1, kStreamAudio = 2 };

// Fills Info from the probe's streams; a later stream of a kind overwrites an earlier one.
void Probe(TMediaInfo& probe, const std::string& path, TVideoInfo& info) {
  probe.OpenFile(path);
  info.Duration = probe.GetDuration();
  const int32_t count = probe.GetStreamCount();
  for (int32_t i = 0; i < count; ++i) {
    TMediaStreamRecord record{};
    probe.GetStreamInfo(i, record);
    switch (probe.GetStreamType(i)) {
      case kStreamVideo:
        info.HasVideo = true;
        info.Width = record.Width;
        info.Height = record.Height;
        break;
      case kStreamAudio:
        info.HasAudio = true;
        info.AudioValue1 = record.Channels;
        info.AudioValue2 = record.SampleRate;
        break;
      default:
        break;
    }
  }
}

}  // namespace

TVideoList::TVideoList() {
  initDir_ = conf_.GetInitDir();
  SetOutDir(conf_.GetOutDir());
}

TVideoList::~TVideoList() {
  FreeInfos();
  try {
    SaveFolders();
  } catch (...) {
    KeepDestructorError(std::current_exception());
  }
}

void TVideoList::SaveFolders() {
  conf_.SetInitDir(initDir_);
  conf_.SetOutDir(outDir_);
}

void TVideoList::FreeInfos() {
  for (int i = 0; i < files_.Count(); ++i) {
    delete files_.Objects(i);
    files_.PutObject(i, nullptr);
  }
}

void TVideoList::CheckIndex(int Index) const {
  if (Index < 0 || Index >= Count()) throw EInvalideIndex(Format(SListIndexError, {Index}));
}

std::string TVideoList::GetFileName(int Index) const {
  CheckIndex(Index);
  return files_.Get(Index);
}

TVideoInfo* TVideoList::GetVideoInfo(int Index) const {
  CheckIndex(Index);
  return static_cast<TVideoInfo*>(files_.Objects(Index));
}

void TVideoList::SetOutDir(const std::string& Folder) { outDir_ = IncludeTrailingPathDelimiter(Folder); }

void TVideoList::AddVideo(TMediaInfo* Probe, const std::string& Path) {
  initDir_ = ExtractFilePath(Path);
  auto info = std::make_unique<TVideoInfo>();
  info->TaskInfo->OutName = OutputNameOf(Path);
  ::Probe(*Probe, Path, *info);
  info->TaskInfo->CropRect.Right = info->Width;
  info->TaskInfo->CropRect.Bottom = info->Height;
  info->TaskInfo->EndTime = info->Duration;
  files_.AddObject(Path, info.get());
  info.release();
  Notify();
}

void TVideoList::Delete(int Index) {
  CheckIndex(Index);
  delete files_.Objects(Index);
  files_.Delete(Index);
  Notify();
}

void TVideoList::Clear() {
  FreeInfos();
  files_.Clear();
  Notify();
}
