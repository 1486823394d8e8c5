#pragma once

// Scoped switches for the file layer's failure seams: a test that fails on an
// assertion still turns the seam off again for the tests after it.

#include "os/FileSystem.h"

namespace testfiles {

// Fails the file layer's reads (or writes) after |after| bytes while it lives.
template <void (*SetFailure)(long long)> class SeamFailure {
  public:
    explicit SeamFailure(long long after) { SetFailure(after); }
    ~SeamFailure() { SetFailure(-1); }
    SeamFailure(const SeamFailure&) = delete;
    SeamFailure& operator=(const SeamFailure&) = delete;
};

using ReadFailure = SeamFailure<&tavrik::os::SetReadFailureForTesting>;
using WriteFailure = SeamFailure<&tavrik::os::SetWriteFailureForTesting>;

} // namespace testfiles
