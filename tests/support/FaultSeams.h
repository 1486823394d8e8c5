#pragma once

// Scoped switches for the file layer's failure seams: a test that fails on an
// assertion still turns the seam off again for the tests after it.

#include "FileSystem.h"

namespace testfiles {

class ReadFailure {
  public:
    explicit ReadFailure(long long after) { tavrik::os::SetReadFailureForTesting(after); }
    ~ReadFailure() { tavrik::os::SetReadFailureForTesting(-1); }
    ReadFailure(const ReadFailure&) = delete;
    ReadFailure& operator=(const ReadFailure&) = delete;
};

class WriteFailure {
  public:
    explicit WriteFailure(long long after) { tavrik::os::SetWriteFailureForTesting(after); }
    ~WriteFailure() { tavrik::os::SetWriteFailureForTesting(-1); }
    WriteFailure(const WriteFailure&) = delete;
    WriteFailure& operator=(const WriteFailure&) = delete;
};

} // namespace testfiles
