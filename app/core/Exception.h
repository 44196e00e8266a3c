// The conversion core's exception classes: the engine's status errors, the wrappers the player and
// the converter raise, and the fatal start-up error.
#pragma once
#include <cstdint>
#include <exception>
#include <string>

#include "System.h"

// A non-zero status of an engine function, with the fixed text of that status.
class EMediaException : public Exception {
  CALDERAN_CLASS(EMediaException)
  explicit EMediaException(uint8_t status);
  uint8_t Status() const { return status_; }

 private:
  uint8_t status_;
};

// Text shown for an engine status (1..6 have their own texts, every other value a numbered one).
std::string MediaStatusText(uint8_t status);

// Whatever went wrong inside a preview-player call, under one class and a heading line.
class EPlayException : public Exception {
  CALDERAN_CLASS(EPlayException)
  explicit EPlayException(const std::string& inner);
};

// Whatever went wrong inside a converter call, under one class and a heading line.
class EConvertException : public Exception {
  CALDERAN_CLASS(EConvertException)
  explicit EConvertException(const std::string& inner);
};

// A start-up error that ends the program.
CALDERAN_EXCEPTION(FinalException, Exception)

// Destructors that call the engine or write the settings cannot let an error leave them: they keep
// it here, and the shutdown of the global objects raises it after freeing each object.
void KeepDestructorError(std::exception_ptr Error);
void ClearDestructorError();
// Raises the kept error, if any, and forgets it.
void RaiseDestructorError();
