// Drives a fuzz target with seeded pseudo-random inputs built from the
// separators and fragments the parsers care about.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

TEST(FuzzReplay, HostileInputsNeverCrash) {
    const std::string fragments[] = {"\xE8",
                                     "|",
                                     "Y",
                                     "N",
                                     "-1",
                                     "99999999999",
                                     "12/31/2025 23:59:59",
                                     "1e308",
                                     "NaN",
                                     ";;",
                                     "\x00",
                                     "\x81",
                                     "  ",
                                     "WAV",
                                     "0",
                                     "4",
                                     "true",
                                     "/tmp/x",
                                     "\xE8\xE8\xE8",
                                     "|SET|AUDIO|DICTATION|",
                                     "|GET|AUDIO|DICTATION|",
                                     "NEXTKEY",
                                     "|FILE",
                                     "|RTF|",
                                     "|GET|FILE|",
                                     "|1|",
                                     "|STATUS|",
                                     "|WORKFLOW|",
                                     "|NEXT|",
                                     "|*|",
                                     "|GET|COLOR|",
                                     "|GET|TRAN|INIT|"};
    std::mt19937 rng(20261205);
    for (int round = 0; round < 400; ++round) {
        std::string input;
        const int pieces = int(rng() % 200);
        for (int i = 0; i < pieces; ++i) {
            if (rng() % 4 == 0)
                input += char(rng() % 256);
            else
                input += fragments[rng() % std::size(fragments)];
        }
        LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(input.data()), input.size());
    }
    // A well-formed 89-field string with random field contents.
    for (int round = 0; round < 200; ++round) {
        std::string input;
        for (int field = 0; field < 89; ++field) {
            if (field) input += "\xE8";
            input += fragments[rng() % std::size(fragments)];
            if (input.back() == '\xE8') input.pop_back();
        }
        LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(input.data()), input.size());
    }
    SUCCEED();
}
