#pragma once

#include "domain/TrovixError.h"

// A failure of the connection itself (refused, reset, time-out, TLS), reported with the
// network layer's own words rather than as an upload error.
class UploadTransportError : public TrovixError {
public:
    using TrovixError::TrovixError;
};
