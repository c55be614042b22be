#include "Contributions.h"

#include <algorithm>
#include <cmath>

namespace nowplaying {

namespace {

std::int32_t reflect(std::int64_t j, std::int64_t size) {
    std::int64_t n = j;
    if (j < 0) {
        n = -j;
    } else if (j >= size) {
        n = 2 * size - 1 - j;
    }
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(n, 0, size - 1));
}

}  // namespace

float AxisScale(int sourceSize, int destinationSize) {
    if (sourceSize == 1 || destinationSize == 1) {
        return static_cast<float>(destinationSize) / static_cast<float>(sourceSize);
    }
    return static_cast<float>(destinationSize - 1) / static_cast<float>(sourceSize - 1);
}

std::vector<ContributionList> MakeContributions(int sourceSize, int destinationSize,
                                                FilterFunction filter, float support) {
    std::vector<ContributionList> lists(static_cast<std::size_t>(std::max(destinationSize, 0)));
    const float scale = AxisScale(sourceSize, destinationSize);
    const bool shrinking = scale < 1.0f;
    const float width = shrinking ? support / scale : support;
    const float fscale = 1.0f / scale;
    // Enough for every non-zero weight; push_back keeps the rare rounding extra safe.
    const auto capacity = static_cast<std::size_t>(std::max(0.0f, std::trunc(2.0f * width + 1.0f)));

    for (int i = 0; i < destinationSize; ++i) {
        ContributionList& list = lists[static_cast<std::size_t>(i)];
        list.reserve(capacity);
        const float centre = static_cast<float>(i) / scale;
        const auto left = static_cast<std::int64_t>(std::floor(centre - width));
        const auto right = static_cast<std::int64_t>(std::ceil(centre + width));
        for (std::int64_t j = left; j <= right; ++j) {
            const float distance = centre - static_cast<float>(j);
            const float weight = shrinking ? filter(distance / fscale) / fscale : filter(distance);
            if (weight != 0.0f) {
                list.push_back({reflect(j, sourceSize), weight});
            }
        }
    }
    return lists;
}

}  // namespace nowplaying
