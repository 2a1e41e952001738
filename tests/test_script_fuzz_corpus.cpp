// The fuzzers' kept inputs (crashes found and fixed, inputs that reached new
// code) and every script of the project, through the fuzzers' checks: parse,
// write back, parse again, and run with a small tick budget.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "tests/script_fuzz_check.h"

namespace {

std::vector<std::filesystem::path> inputs() {
    std::vector<std::filesystem::path> files;
    const std::filesystem::path root(QX70_SOURCE_DIR);
    for (const char* dir : {"tests/fuzz/corpus", "tests/golden", "tests/headless", "docs"}) {
        std::error_code ec;
        for (const auto& e : std::filesystem::directory_iterator(root / dir, ec)) {
            const bool script = e.path().extension() == ".qx70";
            if (e.is_regular_file() && (script || std::string(dir) == "tests/fuzz/corpus"))
                files.push_back(e.path());
        }
    }
    return files;
}

}  // namespace

TEST(ScriptFuzzCorpus, EveryKeptInputParsesWritesBackAndRuns) {
    const std::vector<std::filesystem::path> files = inputs();
    EXPECT_GT(files.size(), 20u) << "the corpus is missing";
    for (const auto& f : files) {
        std::ifstream in(f, std::ios::binary);
        std::ostringstream s;
        s << in.rdbuf();
        const std::string text = s.str();
        EXPECT_EQ(
            fuzzcheck::check(reinterpret_cast<const uint8_t*>(text.data()), text.size(), true), "")
            << f;
    }
}
