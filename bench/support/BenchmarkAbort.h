#pragma once

#include <QString>

#include <cstdio>
#include <cstdlib>

// Ends the whole run with an error: a benchmark whose operation failed would otherwise report
// the time of the failure as if it were the time of the work.
[[noreturn]] inline void abortBenchmarkRun(const QString& reason)
{
    std::fprintf(stderr, "benchmark aborted: %s\n", qUtf8Printable(reason));
    std::fflush(stdout);
    std::exit(EXIT_FAILURE);
}
