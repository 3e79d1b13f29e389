#pragma once

#include "ZipLibrary.h"

#include <cstdint>

class cZip;

// The module behind cZip: the running object, shared by all runs, and the
// callbacks that turn the library's calls into its events. Texts cross from
// the library as UTF-8.
namespace mZip {

// Starts a run: remembers the object whose events the callbacks raise. The
// object stays remembered after the run.
void begin(cZip *zip);

ZipCallbacks callbacks();

// Raises Progress(1, text) for a text of 2 to 1023 bytes, "/" turned into "\"
// after the first character. Returns 0.
int32_t print(const char *text, uint32_t length);
// Raises Cancel for a text of 2 to 1023 bytes; 1 when the handler cancels.
int32_t service(const char *text, uint32_t length);

} // namespace mZip
