#pragma once

#include "ZipLibrary.h"

#include <cstdint>

class cZip;

// The module behind cZip: the state shared by all runs (the running object,
// the cancel flag, the password-confirmation flag) and the callbacks that
// turn the library's calls into the running object's events. Texts cross
// to and from the library as UTF-8.
namespace mZip {

// Starts a run: clears both flags and remembers the object whose events the
// callbacks raise. The object stays remembered after the run.
void begin(cZip *zip);

ZipCallbacks callbacks();

// Raises Progress(1, text) for a text of 2 to 1023 bytes, "/" turned into "\"
// after the first character. Returns 0.
int32_t print(const char *text, uint32_t length);
// Writes the comment of CommentRequest, at most 255 bytes, and a zero byte.
int16_t comment(char *buffer);
// Writes exactly maxLength bytes (never more than 256) of the password of
// PasswordRequest, padded with zero bytes.
int16_t password(char *buffer, int32_t maxLength, const char *prompt, const char *archive);
// Raises Cancel for a text of 2 to 1023 bytes; 1 when the handler cancels.
int32_t service(const char *text, uint32_t length);

} // namespace mZip
