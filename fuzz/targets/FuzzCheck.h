#pragma once

#include <cstdio>
#include <cstdlib>

// A property of the code under test that an input broke: reported and aborted, so that
// libFuzzer keeps the input and a replaying test fails on it.
namespace FuzzCheck {

inline void require(bool holds, const char* property)
{
    if (holds)
        return;
    std::fprintf(stderr, "fuzz property broken: %s\n", property);
    std::abort();
}

} // namespace FuzzCheck
