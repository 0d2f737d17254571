#pragma once

// Starting the application when the user logs in.
class LoginItem {
public:
    virtual ~LoginItem() = default;

    // Failures are not reported back: the preference keeps the user's choice
    // either way, and the next change tries again.
    virtual void setEnabled(bool enabled) = 0;
};
