// The fuzzers' kept inputs (crashes found and fixed, inputs that reached new
// code) and every script of the project, through the fuzzers' checks: parse,
// write back, parse again, and run with a small tick budget; and the feed
// fuzzer's kept datagrams and the project's captures through the feed's.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <sstream>
#include <string>
#include <vector>

#include "tests/feed_fuzz_check.h"
#include "tests/script_fuzz_check.h"

namespace {

// Every file of corpus, and the files with extension ext in the other folders.
std::vector<std::filesystem::path> inputs(const char* corpus, const char* ext,
                                          std::initializer_list<const char*> dirs) {
    std::vector<std::filesystem::path> files;
    const std::filesystem::path root(QX70_SOURCE_DIR);
    std::error_code ec;
    for (const auto& e : std::filesystem::directory_iterator(root / corpus, ec))
        if (e.is_regular_file()) files.push_back(e.path());
    for (const char* dir : dirs) {
        for (const auto& e : std::filesystem::directory_iterator(root / dir, ec))
            if (e.is_regular_file() && e.path().extension() == ext) files.push_back(e.path());
    }
    return files;
}

std::string contents(const std::filesystem::path& f) {
    std::ifstream in(f, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

}  // namespace

TEST(ScriptFuzzCorpus, EveryKeptInputParsesWritesBackAndRuns) {
    const std::vector<std::filesystem::path> files =
        inputs("tests/fuzz/corpus", ".qx70", {"tests/golden", "tests/headless", "docs"});
    EXPECT_GT(files.size(), 20u) << "the corpus is missing";
    for (const auto& f : files) {
        const std::string text = contents(f);
        EXPECT_EQ(
            fuzzcheck::check(reinterpret_cast<const uint8_t*>(text.data()), text.size(), true), "")
            << f;
    }
}

TEST(FeedFuzzCorpus, EveryKeptDatagramAndCaptureKeepsTheFeedsProperties) {
    const std::vector<std::filesystem::path> files =
        inputs("tests/fuzz/feed_corpus", ".feed", {"docs", "tests/headless"});
    EXPECT_GT(files.size(), 5u) << "the corpus is missing";
    for (const auto& f : files) {
        const std::string data = contents(f);
        EXPECT_EQ(feedcheck::check(reinterpret_cast<const uint8_t*>(data.data()), data.size()), "")
            << f;
    }
}
