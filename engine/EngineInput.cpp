#include "EngineInput.h"
#include "EngineLog.h"
#include "EnginePath.h"
#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

// Demuxers that accept almost any file and would turn a text file into "video".
const char* const kRefusedDemuxers[] = {"tty"};

bool IsRefusedDemuxer(const AVInputFormat* format) {
  for (const char* name : kRefusedDemuxers)
    if (std::strcmp(format->name, name) == 0) return true;
  return false;
}

EngineStatus CheckFile(const std::string& path) {
  struct stat info;
  if (stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return esInputNotFound;
  if (access(path.c_str(), R_OK) != 0) return esInputNotFound;
  if (info.st_size == 0) return esFormatNotSupported;
  return esOk;
}

int PickVideoStream(const AVFormatContext* format) {
  int best = -1;
  int64_t bestArea = -1;
  for (unsigned i = 0; i < format->nb_streams; ++i) {
    const AVStream* s = format->streams[i];
    if (StreamKindOf(s) != eskVideo) continue;
    int64_t area = int64_t(s->codecpar->width) * s->codecpar->height;
    if (area > bestArea) best = int(i), bestArea = area;
  }
  return best;
}

int64_t DurationOf(const AVFormatContext* format) {
  if (format->duration != AV_NOPTS_VALUE && format->duration > 0)
    return av_rescale_q(format->duration, AV_TIME_BASE_Q, kTicks);
  int64_t longest = 0;
  for (unsigned i = 0; i < format->nb_streams; ++i) {
    const AVStream* s = format->streams[i];
    if (s->duration != AV_NOPTS_VALUE && s->duration > 0)
      longest = std::max(longest, av_rescale_q(s->duration, s->time_base, kTicks));
  }
  return longest;
}

EngineStatus OpenFormat(EngineSource& source) {
  AVDictionary* options = nullptr;
  // Only the local file itself: playlists and references inside a file may not reach elsewhere.
  av_dict_set(&options, "protocol_whitelist", "file", 0);
  AVFormatContext* raw = nullptr;
  std::string url = "file:" + source.unixPath;
  int err = avformat_open_input(&raw, url.c_str(), nullptr, &options);
  av_dict_free(&options);
  if (err < 0)
    return err == AVERROR(ENOENT) || err == AVERROR(EACCES) ? esInputNotFound : esFormatNotSupported;
  source.format.reset(raw);
  if (IsRefusedDemuxer(raw->iformat)) return esFormatNotSupported;
  if (avformat_find_stream_info(raw, nullptr) < 0) return esFormatNotSupported;
  return esOk;
}

// FFmpeg guesses the length of a file that holds neither an index nor a header stating it (raw
// ADTS, MP3 without a header frame) from the bit rate of its first frames, which for a variable
// bit rate can be half the real length, and has none for some raw streams. Reading the packets to
// the end, without decoding, gives the real one; it takes a fraction of a second even for hours.
bool LengthIsGuessed(const AVFormatContext* format) {
  return format->duration_estimation_method == AVFMT_DURATION_FROM_BITRATE ||
         format->duration == AV_NOPTS_VALUE || format->duration <= 0;
}

// The end of each stream's last timed packet, in its own time base; AV_NOPTS_VALUE where none.
// A raw stream (H.264 without a container) stamps no packet but gives each its duration: such a
// stream ends at the sum of its durations.
std::vector<int64_t> PacketEnds(AVFormatContext* format) {
  std::vector<int64_t> ends(format->nb_streams, AV_NOPTS_VALUE), summed(format->nb_streams, 0);
  std::vector<bool> stamped(format->nb_streams, false);
  AvPacketPtr packet = MakePacket();
  while (packet && av_read_frame(format, packet.get()) >= 0) {
    int index = packet->stream_index;
    int64_t ts = packet->pts != AV_NOPTS_VALUE ? packet->pts : packet->dts;
    int64_t duration = std::max<int64_t>(packet->duration, 0);
    if (ts != AV_NOPTS_VALUE) ends[index] = std::max(ends[index], ts + duration), stamped[index] = true;
    summed[index] += duration;
    av_packet_unref(packet.get());
  }
  for (size_t i = 0; i < ends.size(); ++i)
    if (!stamped[i] && summed[i] > 0) ends[i] = summed[i];
  return ends;
}

// Replaces the guessed durations of the picture and sound streams, and of the file, by measured
// ones, on a second reader so that the source's own stays at the start of the file.
void MeasureLength(EngineSource& source) {
  EngineSource scan;
  scan.unixPath = source.unixPath;
  AVFormatContext* format = source.format.get();
  if (OpenFormat(scan) != esOk || scan.format->nb_streams != format->nb_streams) return;
  std::vector<int64_t> ends = PacketEnds(scan.format.get());
  int64_t longest = 0;
  for (AVStream* s : {source.Video(), source.Audio()}) {
    if (!s || ends[s->index] == AV_NOPTS_VALUE) continue;
    int64_t length = ends[s->index] - av_rescale_q(source.startTime, AV_TIME_BASE_Q, s->time_base);
    if (length <= 0) continue;
    s->duration = length;
    longest = std::max(longest, av_rescale_q(length, s->time_base, AV_TIME_BASE_Q));
  }
  if (longest > 0) format->duration = longest;
}

// The first picture packet the reader gives from where it stands: when it is shown and when it is
// decoded, in the stream's time base (shown is AV_NOPTS_VALUE when none comes).
struct PictureTimes {
  int64_t shown = AV_NOPTS_VALUE, decoded = AV_NOPTS_VALUE;
};

PictureTimes FirstPicture(AVFormatContext* format, int stream) {
  AvPacketPtr packet = MakePacket();
  PictureTimes times;
  // A picture is normally among the first packets after a seek; the limit keeps a file with a
  // sparse picture stream from being read through.
  for (int read = 0; packet && read < 1000 && av_read_frame(format, packet.get()) >= 0; ++read) {
    bool picture = packet->stream_index == stream;
    if (picture) {
      times.shown = packet->pts != AV_NOPTS_VALUE ? packet->pts : packet->dts;
      times.decoded = packet->dts != AV_NOPTS_VALUE ? packet->dts : packet->pts;
    }
    av_packet_unref(packet.get());
    if (picture) break;
  }
  return times;
}

}  // namespace

void SeekEngineSource(const EngineSource& source, int64_t ticks) {
  SeekEngineReader(source, source.format.get(), ticks);
}

void SeekEngineReader(const EngineSource& source, AVFormatContext* format, int64_t ticks) {
  AVStream* video = source.Video();
  if (!video) {
    int64_t target = av_rescale_q(ticks, kTicks, AV_TIME_BASE_Q) + source.startTime;
    avformat_seek_file(format, -1, INT64_MIN, target, target, 0);
    return;
  }
  int64_t wanted = source.StreamTs(ticks, video->time_base), target = wanted;
  // Each step lands on an earlier key frame; a few are enough for any reordering of pictures.
  for (int step = 0; step < 8; ++step) {
    if (avformat_seek_file(format, video->index, INT64_MIN, target, target, 0) < 0) return;
    PictureTimes first = FirstPicture(format, video->index);
    if (first.shown == AV_NOPTS_VALUE || first.shown <= wanted || first.decoded == AV_NOPTS_VALUE ||
        first.decoded - 1 >= target)
      break;  // on show in time, or no earlier key frame to go to
    target = first.decoded - 1;
  }
  avformat_seek_file(format, video->index, INT64_MIN, target, target, 0);
}

int64_t EngineSource::Ticks(int64_t ts, AVRational timeBase) const {
  return av_rescale_q(ts, timeBase, kTicks) - av_rescale_q(startTime, AV_TIME_BASE_Q, kTicks);
}

int64_t EngineSource::StreamTs(int64_t ticks, AVRational timeBase) const {
  return av_rescale_q(ticks + av_rescale_q(startTime, AV_TIME_BASE_Q, kTicks), kTicks, timeBase);
}

EngineStreamKind StreamKindOf(const AVStream* stream) {
  if (stream->disposition & AV_DISPOSITION_ATTACHED_PIC) return eskAttachment;
  switch (stream->codecpar->codec_type) {
    case AVMEDIA_TYPE_VIDEO: return eskVideo;
    case AVMEDIA_TYPE_AUDIO: return eskAudio;
    case AVMEDIA_TYPE_SUBTITLE: return eskSubtitle;
    case AVMEDIA_TYPE_DATA: return eskData;
    case AVMEDIA_TYPE_ATTACHMENT: return eskAttachment;
    default: return eskOther;
  }
}

EngineStatus OpenEngineSource(const char* windowsPath, EngineSource& source) {
  EngineStartup();
  source = EngineSource();
  if (!EngineUnixPath(windowsPath, source.unixPath)) return esInputNotFound;
  EngineStatus status = CheckFile(source.unixPath);
  if (status == esOk) status = OpenFormat(source);
  if (status != esOk) {
    EngineLog(elNotice, "cannot open \"%s\" (status %d)", source.unixPath.c_str(), status);
    return status;
  }
  AVFormatContext* format = source.format.get();
  source.videoStream = PickVideoStream(format);
  source.audioStream = av_find_best_stream(format, AVMEDIA_TYPE_AUDIO, -1, -1, nullptr, 0);
  if (source.audioStream < 0) source.audioStream = -1;
  if (source.videoStream < 0 && source.audioStream < 0) return esFormatNotSupported;
  for (const AVStream* s : {source.Video(), source.Audio()})
    if (s && !avcodec_find_decoder(s->codecpar->codec_id)) return esDecoder;
  source.startTime = format->start_time == AV_NOPTS_VALUE ? 0 : format->start_time;
  if (LengthIsGuessed(format)) MeasureLength(source);
  source.duration = DurationOf(format);
  return esOk;
}

AvInputPtr ReopenEngineSource(const EngineSource& source) {
  AVDictionary* options = nullptr;
  av_dict_set(&options, "protocol_whitelist", "file", 0);
  AVFormatContext* raw = nullptr;
  std::string url = "file:" + source.unixPath;
  int err = avformat_open_input(&raw, url.c_str(), source.format->iformat, &options);
  av_dict_free(&options);
  if (err < 0) return nullptr;
  AvInputPtr format(raw);
  for (int index : {source.videoStream, source.audioStream}) {
    if (index < 0) continue;
    if (index >= int(raw->nb_streams) ||
        raw->streams[index]->codecpar->codec_id != source.format->streams[index]->codecpar->codec_id)
      return nullptr;
  }
  return format;
}

EngineStatus OpenEngineDecoder(const AVStream* stream, AvCodecPtr& decoder, int threads) {
  const AVCodec* codec = avcodec_find_decoder(stream->codecpar->codec_id);
  if (!codec) return esDecoder;
  decoder.reset(avcodec_alloc_context3(codec));
  if (!decoder || avcodec_parameters_to_context(decoder.get(), stream->codecpar) < 0)
    return esDecoder;
  decoder->pkt_timebase = stream->time_base;
  decoder->thread_count = threads;
  if (avcodec_open2(decoder.get(), codec, nullptr) < 0) return esDecoder;
  return esOk;
}
