#pragma once

#include "domain/UploadError.h"
#include "domain/UploadTransportError.h"
#include "services/UploadService.h"

#include "fakes/TaskRunner.h"

#include <QCoro/QCoroTask>

#include <optional>

// How one upload ended, so that tests can wait for it without an exception escaping the
// event loop that waits.
struct UploadOutcome {
    std::optional<UploadResult> result;
    std::optional<QString> error;
    bool transportFailure = false;
};

inline QCoro::Task<UploadOutcome> uploadOutcome(UploadConfiguration configuration, UploadService::PngSource source)
{
    UploadOutcome outcome;
    try {
        outcome.result = co_await UploadService::upload(std::move(configuration), std::move(source));
    } catch (const UploadError& error) {
        outcome.error = error.description();
    } catch (const UploadTransportError& error) {
        outcome.error = error.description();
        outcome.transportFailure = true;
    }
    co_return outcome;
}

inline UploadOutcome runUpload(UploadConfiguration configuration, QByteArray png)
{
    return runToCompletion(uploadOutcome(std::move(configuration), [png] { return png; }));
}
