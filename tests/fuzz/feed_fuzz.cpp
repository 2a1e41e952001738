// libFuzzer entry for the feed's three formats and its captures: any bytes
// as a datagram, through the feed's steps, and as a capture.
#include <cstdio>
#include <cstdlib>

#include "tests/feed_fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string broken = feedcheck::check(data, size);
    if (!broken.empty()) {
        std::fprintf(stderr, "feed fuzz: %s\n", broken.c_str());
        std::abort();
    }
    return 0;
}
