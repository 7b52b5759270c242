#pragma once
// What the fuzz targets share: a property that fails stops the run as a
// crash, so that libFuzzer keeps the input that broke it.

#include <cstdio>
#include <cstdlib>

namespace velmora::fuzz {

inline void Require(bool holds, const char* property) {
    if (!holds) {
        std::fprintf(stderr, "property broken: %s\n", property);
        std::abort();
    }
}

} // namespace velmora::fuzz
