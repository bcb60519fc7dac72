// The libFuzzer entry point of one fuzz target; ZEMTRA_FUZZ_ENTRY names its body.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz/fuzz_entries.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    zemtra::fuzz::ZEMTRA_FUZZ_ENTRY(std::string_view(reinterpret_cast<const char*>(data), size));
    return 0;
}
