#pragma once

#include <array>

namespace nowplaying {

// A reconstruction filter: the weight at distance x from the sample point, in filter units.
// Each computes in double and rounds its result to float.
using FilterFunction = float (*)(float x);

float BoxFilter(float x);
float TriangleFilter(float x);
float HermiteFilter(float x);
float BellFilter(float x);
float SplineFilter(float x);
float Lanczos3Filter(float x);
// The Mitchell-Netravali cubic with B = C = 1/3; the cover pictures use it with support 2.
float MitchellFilter(float x);

struct FilterEntry {
    const char* name;
    FilterFunction function;
    float support;  // default half-width in filter units
};

inline constexpr std::array<FilterEntry, 7> kFilters{{
    {"Box", BoxFilter, 0.5f},
    {"Triangle", TriangleFilter, 1.0f},
    {"Hermite", HermiteFilter, 1.0f},
    {"Bell", BellFilter, 1.5f},
    {"B-Spline", SplineFilter, 2.0f},
    {"Lanczos3", Lanczos3Filter, 3.0f},
    {"Mitchell", MitchellFilter, 2.0f},
}};

}  // namespace nowplaying
