// The preview player: pictures painted into a real (headless) window, the clock, seeking, pausing,
// live adjustments and snapshots.
#include "calderan_test.h"
#include "EngineTestUtil.h"
#include "MediaPlayer.h"

using namespace enginetest;

namespace {

constexpr int64_t kSecond = 10000000;
TempFolder* gFolder = nullptr;

class Player : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    gFolder = new TempFolder();
    const TempFolder& f = *gFolder;
    // Red frame whose top-right quarter is blue, 4:3.
    ASSERT_TRUE(MakeMedia(f / "quarters.mp4", "-f lavfi -i color=red:size=320x240:rate=25:duration=2 -vf "
                          "drawbox=x=160:y=0:w=160:h=120:color=blue:t=fill -c:v mpeg4 -q:v 2"));
    ASSERT_TRUE(MakeMedia(f / "blackwhite.mp4",
                          "-f lavfi -i color=black:size=320x240:rate=25:duration=1 -f lavfi -i "
                          "color=white:size=320x240:rate=25:duration=1 -filter_complex concat=n=2:v=1:a=0 -c:v mpeg4 -q:v 2"));
    ASSERT_TRUE(MakeMedia(f / "grey.mp4", "-f lavfi -i color=0x808080:size=64x48:rate=25:duration=2 -c:v mpeg4 -q:v 2"));
    ASSERT_TRUE(MakeMedia(f / "tone.mp3", "-f lavfi -i sine=frequency=440:sample_rate=44100:duration=1 -c:a libmp3lame"));
    ASSERT_TRUE(MakeTurnedPictures(f));
  }
  static void TearDownTestSuite() {
    MediaPlayer_Stop();
    delete gFolder;
    gFolder = nullptr;
  }
  void SetUp() override { window_ = MakeWindow(160, 120); }
  void TearDown() override {
    MediaPlayer_Stop();
    MediaPlayer_SetBrightness(0);
    MediaPlayer_SetContrast(0);
    DestroyWindow(window_);
  }

  static HWND MakeWindow(int width, int height) {
    return CreateWindowExA(0, "STATIC", "preview", WS_POPUP | WS_VISIBLE, 0, 0, width, height, nullptr, nullptr,
                           nullptr, nullptr);
  }
  const TempFolder& F() const { return *gFolder; }
  int Play(const std::string& name) { return MediaPlayer_Play(WinPath(F() / name).c_str(), window_); }

  HWND window_ = nullptr;
};

int64_t Position() {
  int64_t position = -1;
  EXPECT_EQ(MediaPlayer_GetCurrentPosition(&position), 0);
  return position;
}

// Waits (pumping nothing; the player paints from its own thread) until the condition holds.
template <typename Condition>
bool WaitUntil(Condition condition, int seconds = 20) {
  for (int i = 0; i < seconds * 100; ++i) {
    if (condition()) return true;
    Sleep(10);
  }
  return condition();
}

COLORREF PixelAt(HWND window, int x, int y) {
  HDC dc = GetDC(window);
  COLORREF c = GetPixel(dc, x, y);
  ReleaseDC(window, dc);
  return c;
}

std::vector<uint8_t> Snapshot(int& width, int& height) {
  int32_t size = 0, w = 0, h = 0;
  EXPECT_EQ(MediaPlayer_GetSnap(nullptr, &size, &w, &h), 0);
  std::vector<uint8_t> pixels(size > 0 ? size : 0);
  if (size > 0) {
    EXPECT_EQ(MediaPlayer_GetSnap(pixels.data(), &size, &w, &h), 0);
  }
  width = w, height = h;
  return pixels;
}

// Writes what the window shows to a bitmap file, for looking at the player's painting by eye.
void SaveWindow(HWND window, const std::string& path) {
  RECT r;
  GetClientRect(window, &r);
  int w = r.right, h = r.bottom;
  HDC dc = GetDC(window), memory = CreateCompatibleDC(dc);
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, w, h, dc, 0, 0, SRCCOPY);
  BITMAPFILEHEADER file{0x4D42, DWORD(sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER) + w * h * 4), 0, 0,
                        DWORD(sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER))};
  if (FILE* out = fopen(path.c_str(), "wb")) {
    fwrite(&file, sizeof file, 1, out);
    fwrite(&info.bmiHeader, sizeof info.bmiHeader, 1, out);
    fwrite(bits, 4, size_t(w) * h, out);
    fclose(out);
  }
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(window, dc);
}

bool IsBlue(COLORREF c) { return GetBValue(c) > 200 && GetRValue(c) < 60; }
bool IsRed(COLORREF c) { return GetRValue(c) > 200 && GetBValue(c) < 60; }

}  // namespace

TEST_F(Player, PaintsThePictureScaledIntoTheWindow) {
  ASSERT_EQ(Play("quarters.mp4"), 0);
  ASSERT_TRUE(WaitUntil([&] { return IsBlue(PixelAt(window_, 120, 30)); }));
  EXPECT_TRUE(IsRed(PixelAt(window_, 40, 90)));
  EXPECT_TRUE(IsRed(PixelAt(window_, 150, 110)));
}

TEST_F(Player, KeepsThePicturesShapeOnBlackBars) {
  HWND wide = MakeWindow(200, 100);  // a 4:3 picture fills 133 x 100 in the middle
  ASSERT_EQ(MediaPlayer_Play(WinPath(F() / "quarters.mp4").c_str(), wide), 0);
  ASSERT_TRUE(WaitUntil([&] { return IsRed(PixelAt(wide, 60, 80)); }));
  EXPECT_EQ(PixelAt(wide, 10, 50), RGB(0, 0, 0));
  EXPECT_EQ(PixelAt(wide, 190, 50), RGB(0, 0, 0));
  EXPECT_TRUE(IsBlue(PixelAt(wide, 150, 20)));
  if (const char* shot = getenv("ENGINE_TEST_SHOT")) SaveWindow(wide, shot);
  MediaPlayer_Stop();
  DestroyWindow(wide);
}

TEST_F(Player, TurnedPicturesAreShownUpright) {
  std::vector<uint8_t> upright = Decode(F() / "upright.mp4", "-frames:v 1 -f rawvideo -pix_fmt bgra");
  for (const TurnedPicture& t : kTurnedPictures) {
    ASSERT_EQ(Play(t.name), 0) << t.name;
    int width = 0, height = 0;
    ASSERT_TRUE(WaitUntil([&] { return !Snapshot(width, height).empty(); })) << t.name;
    EXPECT_EQ(width, kUprightWidth) << t.name;
    EXPECT_EQ(height, kUprightHeight) << t.name;
    EXPECT_LT(MeanDifference(Snapshot(width, height), upright), 8) << t.name;
  }
}

TEST_F(Player, PositionFollowsTheClockAndRestsAtTheEnd) {
  int64_t duration = 2 * kSecond;
  ASSERT_EQ(Play("quarters.mp4"), 0);
  int64_t last = 0;
  bool monotonic = true;
  ASSERT_TRUE(WaitUntil([&] {
    int64_t p = Position();
    monotonic = monotonic && p >= last;
    last = p;
    return p >= duration;
  }));
  EXPECT_TRUE(monotonic);
  Sleep(100);
  EXPECT_EQ(Position(), duration) << "the position rests at the duration";
}

TEST_F(Player, PauseHoldsAndContinueGoesOn) {
  ASSERT_EQ(Play("quarters.mp4"), 0);
  ASSERT_TRUE(WaitUntil([&] { return Position() > 0; }));
  ASSERT_EQ(MediaPlayer_Pause(), 0);
  int64_t held = Position();
  Sleep(300);
  EXPECT_EQ(Position(), held);
  ASSERT_EQ(MediaPlayer_Continue(), 0);
  EXPECT_TRUE(WaitUntil([&] { return Position() > held; }));
}

TEST_F(Player, SeekPlaysTheRangeAndHoldsAtItsEnd) {
  ASSERT_EQ(Play("blackwhite.mp4"), 0);
  ASSERT_EQ(MediaPlayer_Seek(12 * kSecond / 10, 3 * kSecond / 10), 0);
  ASSERT_TRUE(WaitUntil([&] { return Position() == 15 * kSecond / 10; }));
  Sleep(200);
  EXPECT_EQ(Position(), 15 * kSecond / 10);
  int w, h;
  EXPECT_GT(MeanByte(Snapshot(w, h)), 200) << "the white half is on show";
  // Length 0 plays on to the end.
  ASSERT_EQ(MediaPlayer_Seek(kSecond, 0), 0);
  EXPECT_TRUE(WaitUntil([&] { return Position() == 2 * kSecond; }));
}

TEST_F(Player, SeekWhilePausedShowsTheNewPlaceAndStaysPaused) {
  ASSERT_EQ(Play("blackwhite.mp4"), 0);
  int w, h;
  ASSERT_TRUE(WaitUntil([&] { return !Snapshot(w, h).empty(); }));
  ASSERT_EQ(MediaPlayer_Pause(), 0);
  ASSERT_EQ(MediaPlayer_Seek(15 * kSecond / 10, 0), 0);
  ASSERT_TRUE(WaitUntil([&] { return MeanByte(Snapshot(w, h), 4, 1) > 200; }));
  Sleep(200);
  EXPECT_EQ(Position(), 15 * kSecond / 10);
  ASSERT_EQ(MediaPlayer_Seek(2 * kSecond / 10, 0), 0);
  EXPECT_TRUE(WaitUntil([&] { return MeanByte(Snapshot(w, h), 4, 1) < 50; }));
  EXPECT_EQ(Position(), 2 * kSecond / 10);
}

TEST_F(Player, SnapshotSizeHandshake) {
  ASSERT_EQ(Play("quarters.mp4"), 0);
  int32_t size = 0, width = 0, height = 0;
  ASSERT_TRUE(WaitUntil([&] {
    size = 0;
    MediaPlayer_GetSnap(nullptr, &size, &width, &height);
    return size > 0;
  }));
  EXPECT_EQ(width, 320);
  EXPECT_EQ(height, 240);
  EXPECT_EQ(size, 320 * 240 * 4);
  // Too tooSmall: nothing copied, the needed size comes back.
  std::vector<uint8_t> tooSmall(100, 7);
  size = 100;
  ASSERT_EQ(MediaPlayer_GetSnap(tooSmall.data(), &size, &width, &height), 0);
  EXPECT_EQ(size, 320 * 240 * 4);
  EXPECT_EQ(tooSmall, std::vector<uint8_t>(100, 7));
  // Large enough: B, G, R bytes, rows from the top.
  std::vector<uint8_t> pixels(size);
  ASSERT_EQ(MediaPlayer_GetSnap(pixels.data(), &size, &width, &height), 0);
  const uint8_t* topRight = &pixels[(10 * 320 + 300) * 4];
  const uint8_t* bottomLeft = &pixels[(230 * 320 + 10) * 4];
  EXPECT_GT(topRight[0], 200);
  EXPECT_LT(topRight[2], 60);
  EXPECT_GT(bottomLeft[2], 200);
  EXPECT_EQ(bottomLeft[3], 255);
}

TEST_F(Player, BrightnessAndContrastApplyLive) {
  ASSERT_EQ(Play("grey.mp4"), 0);
  int w, h;
  ASSERT_TRUE(WaitUntil([&] { return !Snapshot(w, h).empty(); }));
  ASSERT_EQ(MediaPlayer_Pause(), 0);
  double plain = MeanByte(Snapshot(w, h), 4, 1);
  ASSERT_EQ(MediaPlayer_SetBrightness(60), 0);
  EXPECT_TRUE(WaitUntil([&] { return MeanByte(Snapshot(w, h), 4, 1) > plain + 50; }));
  ASSERT_EQ(MediaPlayer_SetBrightness(0), 0);
  ASSERT_EQ(MediaPlayer_SetContrast(127), 0);  // mid-grey stays where it is
  // The brightened picture stays on show until the player's thread has drawn the new one.
  EXPECT_TRUE(WaitUntil([&] { return std::abs(MeanByte(Snapshot(w, h), 4, 1) - plain) <= 4; }));
  EXPECT_EQ(MediaPlayer_SetBrightness(128), 6);
  EXPECT_EQ(MediaPlayer_SetContrast(-128), 6);
  EXPECT_EQ(MediaPlayer_SetVolume(501), 6);
  EXPECT_EQ(MediaPlayer_SetVolume(250), 0);
  EXPECT_EQ(MediaPlayer_SetVolume(100), 0);
}

TEST_F(Player, SoundOnlyFileIsTimedByTheClock) {
  ASSERT_EQ(Play("tone.mp3"), 0);
  EXPECT_TRUE(WaitUntil([&] { return Position() >= kSecond; }));
  int w = -1, h = -1;
  EXPECT_TRUE(Snapshot(w, h).empty());
  EXPECT_EQ(w, 0);
  EXPECT_EQ(PixelAt(window_, 80, 60), RGB(0, 0, 0));
}

TEST_F(Player, ANewPlayReplacesTheCurrentOne) {
  ASSERT_EQ(Play("blackwhite.mp4"), 0);
  ASSERT_EQ(MediaPlayer_Seek(15 * kSecond / 10, 0), 0);
  ASSERT_EQ(Play("quarters.mp4"), 0);
  EXPECT_LT(Position(), kSecond);
  EXPECT_TRUE(WaitUntil([&] { return IsBlue(PixelAt(window_, 120, 30)); }));
}

TEST_F(Player, BadFilesAndIdleCalls) {
  const TempFolder& f = F();
  ASSERT_TRUE(Sh("printf 'not media at all\\n' > " + Quote(f / "notes.avi")));
  EXPECT_EQ(MediaPlayer_Play(WinPath(f / "missing.avi").c_str(), window_), 1);
  EXPECT_EQ(MediaPlayer_Play(WinPath(f / "notes.avi").c_str(), window_), 3);
  EXPECT_EQ(MediaPlayer_PlayDVD(WinPath(f.Path()).c_str(), window_, 0, 0, -1), 3);
  EXPECT_EQ(MediaPlayer_Stop(), 0);
  EXPECT_EQ(MediaPlayer_Stop(), 0);
  EXPECT_EQ(MediaPlayer_Pause(), 0);
  EXPECT_EQ(MediaPlayer_Continue(), 0);
  EXPECT_EQ(MediaPlayer_Seek(kSecond, 0), 0);
  EXPECT_EQ(Position(), 0);
  int w = -1, h = -1;
  EXPECT_TRUE(Snapshot(w, h).empty());
  EXPECT_EQ(h, 0);
}

TEST_F(Player, NamesWithSpacesAmpersandsAndAccents) {
  std::string name = "clip & \xC3\xA9t\xC3\xA9.mp4";
  ASSERT_TRUE(Sh("cp " + Quote(F() / "quarters.mp4") + " " + Quote(F() / name)));
  ASSERT_EQ(Play(name), 0);
  EXPECT_TRUE(WaitUntil([&] { return IsBlue(PixelAt(window_, 120, 30)); }));
}
