#include "core/editor/FileFaults.h"

#include <cerrno>

namespace murelo {

namespace {

struct ArmedFault {
    bool armed = false;
    FileStep step = FileStep::Create;
    int error = 0;
    int skip = 0;
};

ArmedFault& Fault() {
    static ArmedFault fault;
    return fault;
}

} // namespace

void InjectFileFault(FileStep step, int error, int skip) {
    Fault() = {true, step, error, skip};
}

void ClearFileFaults() {
    Fault() = {};
}

bool FileFaultStrikes(FileStep step) {
    ArmedFault& fault = Fault();
    if (!fault.armed || fault.step != step)
        return false;
    if (fault.skip > 0) {
        --fault.skip;
        return false;
    }
    fault.armed = false;
    errno = fault.error;
    return true;
}

} // namespace murelo
