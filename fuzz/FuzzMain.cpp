// libFuzzer's entry for the target this executable was built for (TROVIX_FUZZ_TARGET).
#include "FuzzTargets.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace {

FuzzTargets::Entry entryOf(std::string_view name)
{
    const auto found = std::find_if(FuzzTargets::all.begin(), FuzzTargets::all.end(),
        [name](const FuzzTargets::Target& target) { return target.name == name; });
    if (found == FuzzTargets::all.end()) {
        std::fprintf(stderr, "no fuzz target is named %s\n", TROVIX_FUZZ_TARGET);
        std::abort();
    }
    return found->entry;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const FuzzTargets::Entry entry = entryOf(TROVIX_FUZZ_TARGET);
    return entry(data, size);
}
