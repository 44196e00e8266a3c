#include "Exception.h"

CALDERAN_IMPLEMENT_CLASS(EMediaException, Exception)
CALDERAN_IMPLEMENT_CLASS(EPlayException, Exception)
CALDERAN_IMPLEMENT_CLASS(EConvertException, Exception)
CALDERAN_IMPLEMENT_CLASS(FinalException, Exception)

namespace {
// Indexed by status; 0 and 7..255 have no text of their own.
constexpr const char* kStatusTexts[] = {
    nullptr,
    "Cannot find input file",
    "Cannot create output file",
    "Cannot support file format",
    "Cannot find/open decoder",
    "Cannot find/open encoder",
    "Cannot support output parameters in this format",
};
constexpr size_t kStatusTextCount = sizeof(kStatusTexts) / sizeof(kStatusTexts[0]);
}  // namespace

std::string MediaStatusText(uint8_t status) {
  if (status < kStatusTextCount && kStatusTexts[status]) return kStatusTexts[status];
  return "Unknown media error " + std::to_string(status);
}

EMediaException::EMediaException(uint8_t status) : Exception(MediaStatusText(status)), status_(status) {}

EPlayException::EPlayException(const std::string& inner) : Exception("Playback occured exception\r\n" + inner) {}

EConvertException::EConvertException(const std::string& inner)
    : Exception("Converting occured exception\r\n" + inner) {}

namespace {
std::exception_ptr& KeptError() {
  static std::exception_ptr error;
  return error;
}
}  // namespace

void KeepDestructorError(std::exception_ptr Error) { KeptError() = Error; }

void ClearDestructorError() { KeptError() = nullptr; }

void RaiseDestructorError() {
  std::exception_ptr error = KeptError();
  KeptError() = nullptr;
  if (error) std::rethrow_exception(error);
}
