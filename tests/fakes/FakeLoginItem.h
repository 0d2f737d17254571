#pragma once

#include "ports/LoginItem.h"

#include <vector>

class FakeLoginItem final : public LoginItem {
public:
    void setEnabled(bool enabled) override { m_calls.push_back(enabled); }

    [[nodiscard]] const std::vector<bool>& calls() const { return m_calls; }

private:
    std::vector<bool> m_calls;
};
