#pragma once

#include "domain/TrovixError.h"

// A failure reported by the operating system itself (a program that cannot be started,
// a file that cannot be read), passed on with the system's own wording.
class PlatformError : public TrovixError {
public:
    explicit PlatformError(QString systemDescription)
        : TrovixError(std::move(systemDescription))
    { }
};
