#include "Filters.h"

#include <cmath>
#include <numbers>

namespace nowplaying {

namespace {

double sinc(double v) {
    if (v == 0.0) {
        return 1.0;
    }
    const double pv = std::numbers::pi * v;
    return std::sin(pv) / pv;
}

}  // namespace

// Half-open on purpose: a sample exactly halfway between two pixels goes to the left one only.
float BoxFilter(float x) {
    return (x > -0.5f && x <= 0.5f) ? 1.0f : 0.0f;
}

float TriangleFilter(float x) {
    const double a = std::fabs(static_cast<double>(x));
    return a < 1.0 ? static_cast<float>(1.0 - a) : 0.0f;
}

float HermiteFilter(float x) {
    const double a = std::fabs(static_cast<double>(x));
    return a < 1.0 ? static_cast<float>((2.0 * a - 3.0) * a * a + 1.0) : 0.0f;
}

float BellFilter(float x) {
    const double a = std::fabs(static_cast<double>(x));
    if (a < 0.5) {
        return static_cast<float>(0.75 - a * a);
    }
    if (a < 1.5) {
        const double t = a - 1.5;
        return static_cast<float>(0.5 * t * t);
    }
    return 0.0f;
}

float SplineFilter(float x) {
    const double a = std::fabs(static_cast<double>(x));
    if (a < 1.0) {
        return static_cast<float>(0.5 * a * a * a - a * a + 2.0 / 3.0);
    }
    if (a < 2.0) {
        const double t = 2.0 - a;
        return static_cast<float>(t * t * t / 6.0);
    }
    return 0.0f;
}

float Lanczos3Filter(float x) {
    const double a = std::fabs(static_cast<double>(x));
    return a < 3.0 ? static_cast<float>(sinc(a) * sinc(a / 3.0)) : 0.0f;
}

float MitchellFilter(float x) {
    const double a = std::fabs(static_cast<double>(x));
    const double a2 = a * a;
    const double a3 = a2 * a;
    if (a < 1.0) {
        return static_cast<float>((7.0 * a3 - 12.0 * a2 + 16.0 / 3.0) / 6.0);
    }
    if (a < 2.0) {
        return static_cast<float>((-(7.0 / 3.0) * a3 + 12.0 * a2 - 20.0 * a + 32.0 / 3.0) / 6.0);
    }
    return 0.0f;
}

}  // namespace nowplaying
