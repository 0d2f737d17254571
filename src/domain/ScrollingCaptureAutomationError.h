#pragma once

#include "domain/TrovixError.h"

// Synthetic scrolling input could not be sent to the target.
class ScrollingCaptureAutomationError : public TrovixError {
public:
    enum class Code { unableToSendScrollCommand };

    explicit ScrollingCaptureAutomationError(Code code = Code::unableToSendScrollCommand)
        : TrovixError(descriptionFor(code))
        , m_code(code)
    { }

    [[nodiscard]] Code code() const { return m_code; }

    [[nodiscard]] static QString descriptionFor(Code code)
    {
        switch (code) {
        case Code::unableToSendScrollCommand:
            return QStringLiteral("Trovix could not send the scroll command. Check Accessibility permissions.");
        }
        return {};
    }

private:
    Code m_code;
};
