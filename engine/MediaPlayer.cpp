#include "MediaPlayer.h"
#include "EngineLog.h"
#include "MediaPlayerSession.h"
#include <memory>
#include <mutex>

namespace {

struct Player {
  std::mutex lock;
  PlayerEffects effects;
  std::unique_ptr<PlayerSession> session;
};

Player& ThePlayer() {
  static Player* player = new Player();  // lives for the process; no exit-time teardown
  return *player;
}

EngineStatus SetEffect(std::atomic<int>& effect, int32_t value, int low, int high) {
  if (value < low || value > high) return esParameters;
  Player& p = ThePlayer();
  effect = value;
  ++p.effects.version;
  return esOk;
}

}  // namespace

EngineStatus MediaPlayer_Play(const char* path, HWND window) {
  EngineStartup();
  Player& p = ThePlayer();
  std::lock_guard<std::mutex> hold(p.lock);
  p.session.reset();
  auto session = std::make_unique<PlayerSession>(p.effects);
  EngineStatus status = session->Open(path, window);
  if (status == esOk && !session->Start()) status = esBadCall;
  if (status == esOk) p.session = std::move(session);
  return status;
}

EngineStatus MediaPlayer_PlayDVD(const char* path, HWND window, int32_t discId1, int32_t discId2, int32_t discId3) {
  EngineStartup();
  Player& p = ThePlayer();
  std::lock_guard<std::mutex> hold(p.lock);
  p.session.reset();
  EngineLog(elNotice, "disc title \"%s\" (%d, %d, %d) for window %p cannot be read here", path ? path : "",
            discId1, discId2, discId3, static_cast<void*>(window));
  return esFormatNotSupported;
}

EngineStatus MediaPlayer_Seek(int64_t start, int64_t length) {
  Player& p = ThePlayer();
  std::lock_guard<std::mutex> hold(p.lock);
  if (p.session) p.session->Seek(start, length);
  return esOk;
}

EngineStatus MediaPlayer_Pause(void) {
  Player& p = ThePlayer();
  std::lock_guard<std::mutex> hold(p.lock);
  if (p.session) p.session->SetPaused(true);
  return esOk;
}

EngineStatus MediaPlayer_Continue(void) {
  Player& p = ThePlayer();
  std::lock_guard<std::mutex> hold(p.lock);
  if (p.session) p.session->SetPaused(false);
  return esOk;
}

EngineStatus MediaPlayer_Stop(void) {
  Player& p = ThePlayer();
  std::lock_guard<std::mutex> hold(p.lock);
  p.session.reset();
  return esOk;
}

EngineStatus MediaPlayer_SetVolume(int32_t volume) { return SetEffect(ThePlayer().effects.volume, volume, 0, 500); }

EngineStatus MediaPlayer_SetBrightness(int32_t brightness) {
  return SetEffect(ThePlayer().effects.brightness, brightness, -127, 127);
}

EngineStatus MediaPlayer_SetContrast(int32_t contrast) {
  return SetEffect(ThePlayer().effects.contrast, contrast, -127, 127);
}

EngineStatus MediaPlayer_GetSnap(uint8_t* pixels, int32_t* size, int32_t* width, int32_t* height) {
  if (!size || !width || !height) return esBadCall;
  Player& p = ThePlayer();
  std::lock_guard<std::mutex> hold(p.lock);
  int32_t capacity = *size, needed = 0;
  int w = 0, h = 0;
  if (!p.session || !p.session->Snapshot(pixels, capacity, needed, w, h)) needed = 0, w = 0, h = 0;
  *size = needed;
  *width = w;
  *height = h;
  return esOk;
}

EngineStatus MediaPlayer_GetCurrentPosition(int64_t* position) {
  if (!position) return esBadCall;
  Player& p = ThePlayer();
  std::lock_guard<std::mutex> hold(p.lock);
  *position = p.session ? p.session->Position() : 0;
  return esOk;
}
