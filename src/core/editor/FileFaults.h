#pragma once

namespace murelo {

// The steps of writing a file through a temporary, in the order they happen.
enum class FileStep { Create, Write, Flush, Sync, Rename };

// A seam for the tests of the failure paths: the (skip + 1)-th next time any file reaches
// `step`, that step fails with the system error `error` as if the system had refused it.
// One fault is armed at a time; it disarms itself when it strikes.
void InjectFileFault(FileStep step, int error, int skip = 0);
void ClearFileFaults();

// True, with errno set to the armed error, when the step is to fail now.
bool FileFaultStrikes(FileStep step);

} // namespace murelo
