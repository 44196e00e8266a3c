// Media for the windows' tests, made once per test program with ffmpeg in a private folder, and the
// input list filled with it as the main window fills it.
#pragma once
#include "EngineTestUtil.h"
#include "windows_fixture.h"
#include "Global.h"
#include "XMLFormats.h"

struct TWindowsMedia {
  enginetest::TempFolder folder;
  std::string Short, Long, Audio;  // Unix paths
  TWindowsMedia() {
    Short = folder / "short clip.mp4";
    Long = folder / "long clip.mp4";
    Audio = folder / "tone.mp3";
    enginetest::MakeClip(Short, 160, 120, 25, 1.0);
    enginetest::MakeClip(Long, 320, 240, 25, 30.0);
    enginetest::MakeMedia(Audio, "-f lavfi -i sine=frequency=440:sample_rate=44100:duration=2");
  }
  // A fresh output folder inside the media folder, as the program names it (trailing delimiter).
  std::string OutDir(const std::string& name) const {
    const std::string unix = folder / name;
    enginetest::Sh("rm -rf " + enginetest::Quote(unix) + " && mkdir -p " + enginetest::Quote(unix));
    return enginetest::WinPath(unix) + "\\";
  }
};

// Chooses the profile with that name in the filtered catalogue.
inline void SelectProfile(const std::string& name) {
  TXMLFormatsType* catalogue = GlobalFormats->XMLFormats();
  for (int i = 0; i < catalogue->Count(); ++i)
    if (catalogue->Format(i)->Name() == name) {
      TFormatSelection selection;
      selection.Format = i;
      GlobalFormats->SetSelection(selection);
      return;
    }
  ADD_FAILURE() << "no profile " << name;
}

// Adds a file to the input list and answers its index.
inline int AddInput(const std::string& unixPath) {
  GlobalVideoList->AddVideo(GlobalMediaInfo, enginetest::WinPath(unixPath));
  return GlobalVideoList->Count() - 1;
}

// The real start-up with the media made once for the test program's suite.
struct MediaWindowsFixture : AppWindowsFixture {
  static inline TWindowsMedia* media = nullptr;
  static void SetUpTestSuite() {
    AppWindowsFixture::SetUpTestSuite();
    media = new TWindowsMedia;
  }
  static void TearDownTestSuite() {
    delete media;
    media = nullptr;
    AppWindowsFixture::TearDownTestSuite();
  }
};
