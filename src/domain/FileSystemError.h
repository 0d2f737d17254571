#pragma once

#include "domain/TrovixError.h"

// A folder or file the system could not create or write; the text names the path and the
// operating system's reason.
class FileSystemError : public TrovixError {
public:
    using TrovixError::TrovixError;
};
