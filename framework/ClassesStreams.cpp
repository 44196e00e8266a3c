// The stream family of Classes.
#include <cstring>

#include "Classes.h"

CALDERAN_IMPLEMENT_CLASS(TStream, TObject)
CALDERAN_IMPLEMENT_CLASS(THandleStream, TStream)
CALDERAN_IMPLEMENT_CLASS(TFileStream, THandleStream)
CALDERAN_IMPLEMENT_CLASS(TCustomMemoryStream, TStream)
CALDERAN_IMPLEMENT_CREATABLE0(TMemoryStream, TCustomMemoryStream)
CALDERAN_IMPLEMENT_CLASS(TResourceStream, TCustomMemoryStream)

// ---------------------------------------------------------------------------------------------
// TStream
int64_t TStream::Size() {
  int64_t pos = Seek(0, soCurrent);
  int64_t size = Seek(0, soEnd);
  Seek(pos, soBeginning);
  return size;
}

void TStream::SetSize(int64_t) {}

void TStream::ReadBuffer(void* buffer, int32_t count) {
  if (count != 0 && Read(buffer, count) != count) throw EReadError(SReadError);
}

void TStream::WriteBuffer(const void* buffer, int32_t count) {
  if (count != 0 && Write(buffer, count) != count) throw EWriteError(SWriteError);
}

int64_t TStream::CopyFrom(TStream* source, int64_t count) {
  if (count == 0) {
    source->SetPosition(0);
    count = source->Size();
  }
  const int64_t result = count;
  char buffer[61440];
  while (count > 0) {
    int32_t n = count > static_cast<int64_t>(sizeof buffer) ? static_cast<int32_t>(sizeof buffer)
                                                            : static_cast<int32_t>(count);
    source->ReadBuffer(buffer, n);
    WriteBuffer(buffer, n);
    count -= n;
  }
  return result;
}

std::string TStream::ReadAll() {
  int64_t rest = Size() - Position();
  std::string bytes(rest > 0 ? static_cast<size_t>(rest) : 0, '\0');
  if (!bytes.empty()) ReadBuffer(bytes.data(), static_cast<int32_t>(bytes.size()));
  return bytes;
}

// ---------------------------------------------------------------------------------------------
// THandleStream
int32_t THandleStream::Read(void* buffer, int32_t count) {
  DWORD done = 0;
  if (count <= 0 || !ReadFile(handle_, buffer, static_cast<DWORD>(count), &done, nullptr)) return 0;
  return static_cast<int32_t>(done);
}

int32_t THandleStream::Write(const void* buffer, int32_t count) {
  DWORD done = 0;
  if (count <= 0 || !WriteFile(handle_, buffer, static_cast<DWORD>(count), &done, nullptr)) return 0;
  return static_cast<int32_t>(done);
}

int64_t THandleStream::Seek(int64_t offset, TSeekOrigin origin) {
  static constexpr DWORD kMethod[] = {FILE_BEGIN, FILE_CURRENT, FILE_END};
  LARGE_INTEGER distance, result;
  distance.QuadPart = offset;
  if (!SetFilePointerEx(handle_, distance, &result, kMethod[origin])) return -1;
  return result.QuadPart;
}

void THandleStream::SetSize(int64_t size) {
  Seek(size, soBeginning);
  if (!SetEndOfFile(handle_)) throw EStreamError(SysErrorMessage(GetLastError()));
}

// ---------------------------------------------------------------------------------------------
// TFileStream
TFileStream::TFileStream(const std::string& fileName, Word mode)
    : THandleStream(INVALID_HANDLE_VALUE), fileName_(fileName) {
  if (mode == fmCreate) {
    handle_ = CreateFileA(fileName.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                          FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle_ == INVALID_HANDLE_VALUE) throw EFCreateError(Format(SFCreateError, {fileName}));
    return;
  }
  static constexpr DWORD kAccess[] = {GENERIC_READ, GENERIC_WRITE, GENERIC_READ | GENERIC_WRITE};
  static constexpr DWORD kShare[] = {0, 0, FILE_SHARE_READ, FILE_SHARE_WRITE,
                                     FILE_SHARE_READ | FILE_SHARE_WRITE};
  const unsigned access = mode & 3, share = (mode & 0xF0) >> 4;
  if (access <= 2 && share <= 4)
    handle_ = CreateFileA(fileName.c_str(), kAccess[access], kShare[share], nullptr, OPEN_EXISTING,
                          FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle_ == INVALID_HANDLE_VALUE) throw EFOpenError(Format(SFOpenError, {fileName}));
}

TFileStream::~TFileStream() {
  if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
}

// ---------------------------------------------------------------------------------------------
// TCustomMemoryStream
int32_t TCustomMemoryStream::Read(void* buffer, int32_t count) {
  if (position_ < 0 || count <= 0) return 0;
  int64_t n = size_ - position_;
  if (n <= 0) return 0;
  if (n > count) n = count;
  std::memcpy(buffer, static_cast<char*>(memory_) + position_, static_cast<size_t>(n));
  position_ += n;
  return static_cast<int32_t>(n);
}

int64_t TCustomMemoryStream::Seek(int64_t offset, TSeekOrigin origin) {
  switch (origin) {
    case soBeginning: position_ = offset; break;
    case soCurrent: position_ += offset; break;
    case soEnd: position_ = size_ + offset; break;
  }
  return position_;
}

void TCustomMemoryStream::SaveToStream(TStream* stream) {
  if (size_ > 0) stream->WriteBuffer(memory_, static_cast<int32_t>(size_));
}

void TCustomMemoryStream::SaveToFile(const std::string& fileName) {
  TFileStream file(fileName, fmCreate);
  SaveToStream(&file);
}

// ---------------------------------------------------------------------------------------------
// TMemoryStream
void TMemoryStream::SetCapacity(int64_t capacity) {
  try {
    data_.resize(static_cast<size_t>(capacity));
  } catch (const std::bad_alloc&) {
    throw EStreamError(SMemoryStreamError);
  }
  memory_ = data_.empty() ? nullptr : data_.data();
}

void TMemoryStream::SetSize(int64_t size) {
  int64_t old = position_;
  if (size > static_cast<int64_t>(data_.size()) || size < static_cast<int64_t>(data_.size()) / 2)
    SetCapacity(size);
  size_ = size;
  if (old > size) Seek(0, soEnd);
}

int32_t TMemoryStream::Write(const void* buffer, int32_t count) {
  if (position_ < 0 || count <= 0) return 0;
  int64_t end = position_ + count;
  if (end > size_) {
    if (end > static_cast<int64_t>(data_.size())) {
      // Grow in steps so that many small writes do not reallocate every time.
      int64_t capacity = (end + (end >> 2) + 8191) & ~int64_t(8191);
      SetCapacity(capacity);
    }
    size_ = end;
  }
  std::memcpy(static_cast<char*>(memory_) + position_, buffer, static_cast<size_t>(count));
  position_ = end;
  return count;
}

void TMemoryStream::Clear() {
  data_.clear();
  data_.shrink_to_fit();
  SetPointer(nullptr, 0);
  position_ = 0;
}

void TMemoryStream::LoadFromStream(TStream* stream) {
  stream->SetPosition(0);
  int64_t count = stream->Size();
  SetSize(count);
  if (count != 0) stream->ReadBuffer(memory_, static_cast<int32_t>(count));
  position_ = 0;
}

void TMemoryStream::LoadFromFile(const std::string& fileName) {
  TFileStream file(fileName, fmOpenRead | fmShareDenyWrite);
  LoadFromStream(&file);
}

// ---------------------------------------------------------------------------------------------
// TResourceStream
TResourceStream::TResourceStream(HINSTANCE instance, const std::string& resName, const char* resType) {
  Initialize(instance, resName.c_str(), resType, resName);
}

TResourceStream::TResourceStream(HINSTANCE instance, int resId, const char* resType) {
  Initialize(instance, MAKEINTRESOURCEA(resId), resType, IntToStr(resId));
}

void TResourceStream::Initialize(HINSTANCE instance, const char* name, const char* resType,
                                 const std::string& shownName) {
  HRSRC info = FindResourceA(instance, name, resType);
  if (!info) throw EResNotFound(Format(SResNotFound, {shownName}));
  HGLOBAL handle = LoadResource(instance, info);
  void* data = handle ? LockResource(handle) : nullptr;
  if (!data) throw EResNotFound(Format(SResNotFound, {shownName}));
  SetPointer(data, SizeofResource(instance, info));
}

int32_t TResourceStream::Write(const void*, int32_t) { throw EStreamError(SCantWriteResourceStreamError); }
