#pragma once

#include "ConvertOptions.h"

namespace murelo::cli {

// convert FILE... -O DIR: every picture converted on its own, `jobs` at a time, its result
// (and with --export / --save its screen files) written into DIR under its own name. A
// picture that cannot be read is reported with its name after every other one was written;
// the exit status is then 2.
int RunBatch(const ConvertOptions& options);

} // namespace murelo::cli
