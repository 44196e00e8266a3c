// The settings file beside the program: section "Files" (the two folders) and section "Formats"
// (the nine indexes of the profile selection).
#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "System.h"

class TIniFile;

// The one settings file both sections live in (one name, so case-sensitive file systems agree).
std::string ConfigureFileName();

// Section "Files". Each read or write opens the file, handles one key and closes it again.
class TConfIni : public TObject {
  CALDERAN_CLASS(TConfIni)
  TConfIni() = default;

  std::string GetInitDir() const { return ReadDir("InitDir"); }
  std::string GetOutDir() const { return ReadDir("OutDir"); }
  void SetInitDir(const std::string& Dir) const { WriteDir("InitDir", Dir); }
  void SetOutDir(const std::string& Dir) const { WriteDir("OutDir", Dir); }
  // The user's documents folder with a trailing delimiter, or "C:\" when the system has none.
  static std::string GetDefaultDir();

 private:
  // The stored folder, or the default when it is missing, empty or no longer exists.
  std::string ReadDir(const char* Key) const;
  void WriteDir(const char* Key, const std::string& Dir) const;
};

// Section "Formats": open from creation to destruction. A missing or unreadable value reads as the
// key's default: 0 for "Format", -1 (nothing stored) for the others.
class TFormatsIni : public TObject {
  CALDERAN_CLASS(TFormatsIni)
  TFormatsIni();
  ~TFormatsIni() override;

  int32_t ReadFormat() const { return Read("Format", 0); }
  int32_t ReadVCodec() const { return Read("VCodec", -1); }
  int32_t ReadVBitrate() const { return Read("VBitrate", -1); }
  int32_t ReadSize() const { return Read("Size", -1); }
  int32_t ReadFps() const { return Read("Fps", -1); }
  int32_t ReadAspect() const { return Read("Aspect", -1); }
  int32_t ReadABitrate() const { return Read("ABitrate", -1); }
  int32_t ReadSampleRate() const { return Read("SampleRate", -1); }
  int32_t ReadChannels() const { return Read("Channels", -1); }
  void WriteFormat(int32_t Value) { Write("Format", Value); }
  void WriteVCodec(int32_t Value) { Write("VCodec", Value); }
  void WriteVBitrate(int32_t Value) { Write("VBitrate", Value); }
  void WriteSize(int32_t Value) { Write("Size", Value); }
  void WriteFps(int32_t Value) { Write("Fps", Value); }
  void WriteAspect(int32_t Value) { Write("Aspect", Value); }
  void WriteABitrate(int32_t Value) { Write("ABitrate", Value); }
  void WriteSampleRate(int32_t Value) { Write("SampleRate", Value); }
  void WriteChannels(int32_t Value) { Write("Channels", Value); }

 private:
  int32_t Read(const char* Key, int32_t Default) const;
  void Write(const char* Key, int32_t Value);

  std::unique_ptr<TIniFile> ini_;
  std::string section_ = "Formats";
};
