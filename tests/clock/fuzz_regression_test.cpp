// Replays the fuzzer's seeds and every input that ever broke the scheme reader.
#include "fuzz/scheme_reader_check.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace {

namespace fs = std::filesystem;

TEST(FuzzRegressionTest, EveryKnownInputReadsOrFailsCleanly) {
    std::size_t inputs = 0;
    for (const char* folder :
         {VELMORA_SOURCE_DIR "/tests/data/fuzz_regressions", VELMORA_SOURCE_DIR "/fuzz/seeds"}) {
        for (const auto& entry : fs::directory_iterator(folder)) {
            std::ifstream in(entry.path(), std::ios::binary);
            std::vector<std::uint8_t> bytes(std::istreambuf_iterator<char>(in), {});
            EXPECT_EQ(checkSchemeReader(bytes.data(), bytes.size()), "") << entry.path();
            ++inputs;
        }
    }
    EXPECT_GE(inputs, 4u);
}

} // namespace
