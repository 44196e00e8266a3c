#include "MediaConvSoundParts.h"
#include "EngineLog.h"
#include <algorithm>
#include <cstring>
#include <thread>

namespace {

constexpr int64_t kWarmUpFrames = 12;   // about 0.3 s: the encoder's analysis and reservoir settle
constexpr int64_t kOverrunFrames = 16;  // where the next part may join (it does within a few)
constexpr int64_t kShortestPart = 96, kLongestPart = 512;
constexpr int64_t kUnknownLengthPart = 512;

int Cores() { return int(std::max(1u, std::thread::hardware_concurrency())); }

// What the join needs of an MPEG-1 Layer III frame.
struct Mp3Frame {
  int mainStart = 0;      // the frame's own main data starts here (after header, CRC, side info)
  int mainDataBegin = 0;  // bytes of its main data kept in earlier frames
  int windows = 0;        // the last granule's window shape, 2 bits per channel
};

unsigned Bits(const uint8_t* data, int at, int count) {
  unsigned value = 0;
  for (int i = at; i < at + count; ++i) value = value << 1 | (data[i >> 3] >> (7 - (i & 7)) & 1);
  return value;
}

// Side info: main_data_begin (9 bits), private bits (5 mono, 3 stereo), scfsi (4 per channel), then
// 59 bits per granule and channel, whose window-switching flag is at 33 and block type after it.
bool ReadMp3Frame(const AVPacket* packet, Mp3Frame& frame) {
  const uint8_t* d = packet->data;
  if (packet->size < 4 || d[0] != 0xFF || (d[1] & 0xE0) != 0xE0) return false;
  if ((d[1] >> 3 & 3) != 3 || (d[1] >> 1 & 3) != 1) return false;  // MPEG-1, Layer III
  bool mono = (d[3] >> 6 & 3) == 3;
  int header = 4 + ((d[1] & 1) ? 0 : 2), side = mono ? 17 : 32, channels = mono ? 1 : 2;
  if (packet->size < header + side) return false;
  const uint8_t* s = d + header;
  frame.mainStart = header + side;
  frame.mainDataBegin = int(Bits(s, 0, 9));
  frame.windows = 0;
  for (int ch = 0; ch < channels; ++ch) {
    int entry = (mono ? 18 : 20) + (channels + ch) * 59;  // granule 1
    unsigned type = Bits(s, entry + 33, 1) ? Bits(s, entry + 34, 2) : 0;
    // A stop window ends like a long one: what follows sees the same shape.
    frame.windows |= int(type == 3 ? 0 : type) << (2 * ch);
  }
  return true;
}

// The last count bytes of main data before frame `frame` of a part's packets, latest first.
template <typename PacketAt>
bool ReservoirBytes(PacketAt packetAt, int64_t frame, int count, std::vector<uint8_t*>& bytes) {
  bytes.clear();
  for (int64_t n = frame - 1; int(bytes.size()) < count; --n) {
    AVPacket* packet = packetAt(n);
    Mp3Frame info;
    if (!packet || !ReadMp3Frame(packet, info)) return false;
    for (int i = packet->size - 1; i >= info.mainStart && int(bytes.size()) < count; --i)
      bytes.push_back(packet->data + i);
  }
  return true;
}

}  // namespace

struct SoundParts::Part {
  int64_t ownStart = 0;             // its own frames start here; frames before are its warm-up
  std::vector<AvFramePtr> frames;   // given to its encoder, warm-up and overrun included
  bool last = false;
  std::vector<AvPacketPtr> packets;  // packet i is encoder frame firstPacket + i
  int64_t firstPacket = 0;
  bool done = false, ok = false;     // under the lock
  EngineThread thread;

  AVPacket* Packet(int64_t frame) const {
    int64_t i = frame - firstPacket;
    return i >= 0 && i < int64_t(packets.size()) ? packets[i].get() : nullptr;
  }
  int64_t EndPacket() const { return firstPacket + int64_t(packets.size()); }
};

bool SoundParts::Suits(const AudioPlan& plan) {
  return std::strcmp(plan.encoder->name, "libmp3lame") == 0 && plan.sampleRate >= 32000;
}

SoundParts::SoundParts(const AudioPlan& plan, bool globalHeader, int64_t expectedFrames, EngineGate& gate,
                       Writer write)
    : plan_(plan), globalHeader_(globalHeader), gate_(gate), write_(std::move(write)) {
  partFrames_ = expectedFrames > 0
                    ? std::clamp<int64_t>((expectedFrames + Cores() - 1) / Cores(), kShortestPart, kLongestPart)
                    : kUnknownLengthPart;
}

SoundParts::~SoundParts() {
  for (auto& part : parts_) part->thread.Join();
}

bool SoundParts::Add(const AVFrame* frame) {
  AvFramePtr copy(av_frame_clone(frame));
  if (!copy) return false;
  frames_.push_back(std::move(copy));
  ++framesAdded_;
  while (framesAdded_ >= (nextPart_ + 1) * partFrames_ + kOverrunFrames) {
    if (!WriteReady(false)) return false;
    StartPart(false);
  }
  std::lock_guard<std::mutex> hold(lock_);
  return !failed_;
}

bool SoundParts::Finish() {
  if (framesAdded_ > nextPart_ * partFrames_) {
    if (!WriteReady(false)) return false;
    StartPart(true);
  }
  return WriteReady(true);
}

// A part's frames are references to the frames added (the samples are shared, not copied).
void SoundParts::StartPart(bool last) {
  auto part = std::make_unique<Part>();
  int64_t index = nextPart_++;
  part->ownStart = index * partFrames_;
  part->last = last;
  int64_t first = std::max<int64_t>(0, part->ownStart - kWarmUpFrames);
  int64_t end = last ? framesAdded_ : std::min(framesAdded_, (index + 1) * partFrames_ + kOverrunFrames);
  for (int64_t n = first; n < end; ++n) part->frames.emplace_back(av_frame_clone(frames_[n - framesBase_].get()));
  // What the next part needs starts at its warm-up.
  int64_t keep = std::max<int64_t>(0, nextPart_ * partFrames_ - kWarmUpFrames);
  while (framesBase_ < keep && !frames_.empty()) frames_.pop_front(), ++framesBase_;
  Part& started = *part;
  parts_.push_back(std::move(part));
  if (!started.thread.Start([this, &started] { EncodePart(started); })) {
    std::lock_guard<std::mutex> hold(lock_);
    started.done = true;
    failed_ = true;
  }
}

void SoundParts::EncodePart(Part& part) {
  AvCodecPtr encoder;
  bool ok = OpenAudioEncoder(plan_, globalHeader_, encoder) == esOk;
  AvPacketPtr packet = MakePacket();
  auto send = [&](const AVFrame* frame) {
    if (avcodec_send_frame(encoder.get(), frame) < 0) return false;
    int err;
    while ((err = avcodec_receive_packet(encoder.get(), packet.get())) >= 0) {
      part.packets.push_back(std::move(packet));
      packet = MakePacket();
      if (!packet) return false;
    }
    return err == AVERROR(EAGAIN) || err == AVERROR_EOF;
  };
  for (size_t i = 0; ok && i < part.frames.size(); ++i) {
    ok = gate_.Wait() && part.frames[i] && send(part.frames[i].get());
    part.frames[i].reset();
  }
  if (ok && part.last) ok = send(nullptr);
  // Encoder frame n is shown from sample n * frame size, the encoder's delay before it.
  if (ok && !part.packets.empty() && encoder->frame_size > 0) {
    const AVPacket* first = part.packets.front().get();
    part.firstPacket = (first->pts + encoder->initial_padding) / encoder->frame_size;
  }
  part.frames.clear();
  std::lock_guard<std::mutex> hold(lock_);
  part.ok = ok;
  part.done = true;
  if (!ok) failed_ = true;
  partDone_.notify_all();
}

bool SoundParts::WaitForPart(Part& part) {
  std::unique_lock<std::mutex> hold(lock_);
  while (!part.done && !gate_.Stopped()) partDone_.wait_for(hold, std::chrono::milliseconds(20));
  return part.done && part.ok;
}

// Writes every part whose join is known; with all, waits for the parts and writes them to the end.
// Otherwise it waits only while as many parts run as there are cores.
bool SoundParts::WriteReady(bool all) {
  size_t most = size_t(std::max(2, Cores()));
  while (!parts_.empty()) {
    Part& part = *parts_[0];
    Part* next = parts_.size() > 1 ? parts_[1].get() : nullptr;
    bool ready;
    {
      std::lock_guard<std::mutex> hold(lock_);
      ready = part.done && (!next || next->done);
    }
    bool needed = all || parts_.size() >= most;
    if (!ready && !needed) break;
    if (!WaitForPart(part) || (next && !WaitForPart(*next))) return false;
    if (!next && !part.last) break;  // its join comes with the next part
    if (!WritePart(part, next ? Join(part, *next) : INT64_MAX)) return false;
    part.thread.Join();
    parts_.pop_front();
  }
  return true;
}

bool SoundParts::WritePart(Part& part, int64_t end) {
  for (int64_t n = std::max(joinedUpTo_, part.firstPacket); n < std::min(end, part.EndPacket()); ++n)
    if (!write_(part.Packet(n))) return false;
  joinedUpTo_ = std::min(end, part.EndPacket());
  return true;
}

// A join at frame J needs the later part's J to keep no more bytes in earlier frames than the
// earlier part's J did (that space is free once the earlier part's J is dropped), and both parts'
// J - 1 to end in the same window shape. The first such frame from the later part's own start is
// taken; failing that, the first where the bytes fit.
int64_t SoundParts::Join(Part& a, const Part& b) {
  int64_t fitting = -1;
  for (int64_t j = b.ownStart; j < std::min(a.EndPacket(), b.EndPacket()); ++j) {
    Mp3Frame a0, a1, b0, b1;
    if (!a.Packet(j - 1) || !b.Packet(j - 1) || !ReadMp3Frame(a.Packet(j - 1), a0) ||
        !ReadMp3Frame(a.Packet(j), a1) || !ReadMp3Frame(b.Packet(j - 1), b0) || !ReadMp3Frame(b.Packet(j), b1) ||
        b1.mainDataBegin > a1.mainDataBegin)
      continue;
    if (fitting < 0) fitting = j;
    if (a0.windows == b0.windows) {
      fitting = j;
      break;
    }
  }
  if (fitting < 0) {
    EngineLog(elNotice, "sound parts: no clean join after frame %lld", (long long)b.ownStart);
    fitting = std::min(b.ownStart, a.EndPacket());
  }
  Mp3Frame info;
  std::vector<uint8_t*> from, to;
  int count = b.Packet(fitting) && ReadMp3Frame(b.Packet(fitting), info) ? info.mainDataBegin : 0;
  // Never more than the earlier part leaves free, or its own last frames would lose their bits.
  count = a.Packet(fitting) && ReadMp3Frame(a.Packet(fitting), info) ? std::min(count, info.mainDataBegin) : 0;
  for (int64_t n = fitting - 1; n >= fitting - 8; --n)
    if (a.Packet(n)) av_packet_make_writable(a.Packet(n));
  if (count > 0 && ReservoirBytes([&](int64_t n) { return b.Packet(n); }, fitting, count, from) &&
      ReservoirBytes([&](int64_t n) { return a.Packet(n); }, fitting, count, to))
    for (int i = 0; i < count; ++i) *to[i] = *from[i];
  return fitting;
}
