// One conversion as the program makes it, so that a whole process of it compares with a whole
// process of another converter: the program's start-up (engine log, codec manager, profile
// catalogue, input list and engine bindings), the input probed into the list with its default clip
// settings, the named profile with its default choices (the audio bit rate may be chosen, as in the
// output settings dialog), the job started through the converter
// binding and followed until it ends, and the program's shutdown. Prints the output file's Unix path.
// The progress window polls every 300 ms; here the poll is short, so the time is the engine's.
// Usage: engine_bench.exe <profile name, e.g. iPhone or MP3> <input> <output folder> [audio bit/s]
// (Unix paths)
// The program loads its window DLLs on first use, so this process, which opens no window, does not
// start Wine's desktop process. With CALDERAN_BENCH_WINDOWS set in the environment it first starts
// the common controls as the program's toolkit does before its first window, and so waits for the
// desktop process as a program showing windows does when it is the session's first.
#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "Global.h"
#include "XMLFormats.h"

namespace {

std::string DosPath(const char* unixPath) {
  WCHAR* wide = wine_get_dos_file_name(unixPath);
  char text[MAX_PATH * 2] = {};
  if (wide) WideCharToMultiByte(CP_ACP, 0, wide, -1, text, sizeof text, nullptr, nullptr);
  HeapFree(GetProcessHeap(), 0, wide);
  return text;
}

std::string UnixPath(const std::string& dosPath) {
  WCHAR wide[MAX_PATH * 2] = {};
  MultiByteToWideChar(CP_ACP, 0, dosPath.c_str(), -1, wide, MAX_PATH * 2);
  char* name = wine_get_unix_file_name(wide);
  std::string text = name ? name : "";
  HeapFree(GetProcessHeap(), 0, name);
  return text;
}

// Selects the profile as the profile box does, with its default choices, and the audio bit rate
// when one is given (0: the default); false when the profile or the rate is not offered.
bool SelectProfile(const std::string& name, int32_t audioBitRate) {
  TXMLFormatsType* catalogue = GlobalFormats->XMLFormats();
  for (int i = 0; i < catalogue->Count(); ++i) {
    if (catalogue->Format(i)->Name() != name) continue;
    TFormatSelection selection = GlobalFormats->GetSelection();
    selection.Format = i;
    GlobalFormats->SetSelection(selection);
    GlobalFormats->SelectDefaults();
    if (audioBitRate == 0) return true;
    selection = GlobalFormats->GetSelection();
    TXMLIntegerList* rates = catalogue->Format(i)->Audio()->BitRate();
    for (selection.ABitrate = 0; selection.ABitrate < rates->Count(); ++selection.ABitrate)
      if (rates->Items(selection.ABitrate) == audioBitRate) break;
    GlobalFormats->SetSelection(selection);
    return selection.ABitrate < rates->Count();
  }
  return false;
}

// Converts the list's only file as the progress window does; the job's outcome (0 = completed).
int ConvertFirstFile(const FormatDetail& detail, std::string& output) {
  TTaskInfo* task = GlobalVideoList->GetVideoInfo(0)->TaskInfo;
  output = GlobalVideoList->OutDir() + task->OutName + "." + detail.FileExt;
  StartConversionJob(*GlobalMediaConverter, GlobalVideoList->GetFileName(0), output, detail, *task, nullptr);
  uint8_t outcome = 0;
  while (!GlobalMediaConverter->WaitFor(outcome)) Sleep(2);
  return outcome;
}

int Run(const char* profile, const char* input, const char* folder, int32_t audioBitRate) {
  SetGlobalStrings();
  TInitGlobal init;
  if (!SelectProfile(profile, audioBitRate)) {
    std::fprintf(stderr, "engine_bench: the profile \"%s\" or its audio bit rate is not offered\n", profile);
    return 2;
  }
  GlobalVideoList->AddVideo(GlobalMediaInfo, DosPath(input));
  if (GlobalVideoList->Count() != 1) {
    std::fprintf(stderr, "engine_bench: cannot add \"%s\"\n", input);
    return 1;
  }
  GlobalVideoList->SetOutDir(DosPath(folder));
  std::string output;
  int outcome = ConvertFirstFile(GlobalFormats->GetCurrentOutputParams(), output);
  init.FreeGlobals();
  if (outcome != 0) {
    std::fprintf(stderr, "engine_bench: the conversion failed with status %d\n", outcome);
    return 1;
  }
  std::printf("%s\n", UnixPath(output).c_str());
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4 && argc != 5) {
    std::fprintf(stderr, "usage: engine_bench.exe <profile> <input> <output folder> [audio bit/s]\n");
    return 2;
  }
  if (std::getenv("CALDERAN_BENCH_WINDOWS")) InitCommonControls();
  try {
    return Run(argv[1], argv[2], argv[3], argc == 5 ? std::atoi(argv[4]) : 0);
  } catch (const Exception& e) {
    std::fprintf(stderr, "engine_bench: %s\n", e.Message().c_str());
  } catch (const std::exception& e) {
    std::fprintf(stderr, "engine_bench: %s\n", e.what());
  }
  return 1;
}
