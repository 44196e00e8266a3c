// Engine-internal: opening a user's media file for reading, shared by the probe, the player and
// the converter so all three accept and refuse the same files with the same status.
#pragma once
#include "EngineAv.h"
#include "EngineStatus.h"
#include <string>

struct EngineSource {
  AvInputPtr format;
  std::string unixPath;
  int videoStream = -1;     // the picture stream used (cover art is not a picture stream)
  int audioStream = -1;
  int64_t duration = 0;     // 100-ns ticks, 0 when unknown
  int64_t startTime = 0;    // the container's first timestamp, in AV_TIME_BASE units

  AVStream* Video() const { return videoStream < 0 ? nullptr : format->streams[videoStream]; }
  AVStream* Audio() const { return audioStream < 0 ? nullptr : format->streams[audioStream]; }
  // A timestamp of stream s in 100-ns ticks on the file's own time line (0 = start of the file).
  int64_t Ticks(int64_t ts, AVRational timeBase) const;
  // The same point as a timestamp of a stream with that time base.
  int64_t StreamTs(int64_t ticks, AVRational timeBase) const;
};

// Opens and probes the file: 1 when it is missing or cannot be read, 3 when it is empty, not media
// or has neither a picture nor a sound stream, 4 when a chosen stream has no decoder.
EngineStatus OpenEngineSource(const char* windowsPath, EngineSource& source);

// Opens the source's file once more, for one more reader of it, from the file's header alone (no
// probing); null when that fails or gives other streams than the source has.
AvInputPtr ReopenEngineSource(const EngineSource& source);

// Moves the source's reader to a point from which the pictures on show at ticks (the file's time
// line) decode: the key frame shown at or before it. Demuxers search their index by decoding
// times, which for pictures decoded out of their order (B-frames) run ahead of the times shown, so
// a plain seek can land on a key frame shown after the point; the reader then steps back a key
// frame at a time. Without a picture stream it seeks the sound.
void SeekEngineSource(const EngineSource& source, int64_t ticks);
// The same for another reader of the source's file (see ReopenEngineSource).
void SeekEngineReader(const EngineSource& source, AVFormatContext* reader, int64_t ticks);

// Stream kinds as the probe reports them.
enum EngineStreamKind : uint8_t {
  eskOther = 0, eskVideo = 1, eskAudio = 2, eskSubtitle = 3, eskData = 4, eskAttachment = 5
};
EngineStreamKind StreamKindOf(const AVStream* stream);

// Opens a decoder for a stream with that many threads (0: FFmpeg picks); 4 on failure.
EngineStatus OpenEngineDecoder(const AVStream* stream, AvCodecPtr& decoder, int threads = 0);
