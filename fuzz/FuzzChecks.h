#pragma once

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

/*
===============================================================================
Checks shared by the fuzz targets. A broken expectation prints what went wrong
and aborts, which libFuzzer records as a crash with the input that caused it.
===============================================================================
*/
inline void fuzzRequire(bool condition, const char* what) {
    if (condition) return;
    std::fprintf(stderr, "fuzz check failed: %s\n", what);
    std::abort();
}

inline bool allFinite(std::initializer_list<float> values) {
    for (float v : values)
        if (!std::isfinite(v)) return false;
    return true;
}

template <typename Array> bool allFinite(const Array& values) {
    for (float v : values)
        if (!std::isfinite(v)) return false;
    return true;
}

// The input as text, as a file holding these bytes would be read.
inline std::string inputText(const unsigned char* data, std::size_t size) {
    return std::string(reinterpret_cast<const char*>(data), size);
}
