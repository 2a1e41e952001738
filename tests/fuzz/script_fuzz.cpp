// libFuzzer entry for the script language. Built twice (see CMakeLists.txt):
// qx70fuzz_parse checks the parser and the writer only, which runs thousands
// of inputs a second; qx70fuzz_run also runs every script that parses, with
// a small tick budget, against the whole unit.
#include <cstdio>
#include <cstdlib>

#include "tests/script_fuzz_check.h"

#ifndef QX70_FUZZ_RUNS_SCRIPTS
#define QX70_FUZZ_RUNS_SCRIPTS 0
#endif

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string broken = fuzzcheck::check(data, size, QX70_FUZZ_RUNS_SCRIPTS != 0);
    if (!broken.empty()) {
        std::fprintf(stderr, "script fuzz: %s\n", broken.c_str());
        std::abort();
    }
    return 0;
}
