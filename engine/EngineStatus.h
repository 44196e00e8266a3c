// Status bytes returned by every engine function (MediaInfo_*, MediaPlayer_*, MediaConv_*,
// CodecMgrInit, Log*). 0 is success; 1-6 carry the meaning the application's error texts give
// them; 7 is our own code for a call that makes no sense in the current state or with an argument
// outside its range (a stream index past the count, a call before a file is open), which the
// application shows as an unknown media error.
#pragma once
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef uint8_t EngineStatus;

enum {
  esOk = 0,
  esInputNotFound = 1,     // "Cannot find input file": missing, unreadable or not a file
  esOutputNotCreatable = 2,// "Cannot create output file": folder missing or not writable, write failure
  esFormatNotSupported = 3,// "Cannot support file format": not media, no streams, unknown output format
  esDecoder = 4,           // "Cannot find/open decoder"
  esEncoder = 5,           // "Cannot find/open encoder": unknown codec id or encoder refuses to open
  esParameters = 6,        // "Cannot support output parameters in this format"
  esBadCall = 7            // out-of-range argument or a call that does not fit the current state
};

#ifdef __cplusplus
}
#endif
