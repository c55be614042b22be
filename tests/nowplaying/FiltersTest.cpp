#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "Contributions.h"
#include "Filters.h"

using namespace nowplaying;

TEST(Filters, TableHoldsTheSevenFiltersInOrder) {
    const char* names[] = {"Box",      "Triangle", "Hermite", "Bell",
                           "B-Spline", "Lanczos3", "Mitchell"};
    const float supports[] = {0.5f, 1.0f, 1.0f, 1.5f, 2.0f, 3.0f, 2.0f};
    ASSERT_EQ(kFilters.size(), 7u);
    for (std::size_t i = 0; i < kFilters.size(); ++i) {
        EXPECT_EQ(std::string(kFilters[i].name), names[i]);
        EXPECT_EQ(kFilters[i].support, supports[i]);
        // Every filter is zero at and beyond its support.
        EXPECT_EQ(kFilters[i].function(kFilters[i].support + 0.01f), 0.0f) << names[i];
        EXPECT_EQ(kFilters[i].function(-kFilters[i].support - 0.01f), 0.0f) << names[i];
    }
}

TEST(Filters, ValuesAtChosenPoints) {
    struct Point {
        FilterFunction f;
        float x;
        double expected;
    };
    const Point points[] = {
        {BoxFilter, 0.0f, 1.0},
        {BoxFilter, 0.5f, 1.0},
        {BoxFilter, -0.5f, 0.0},
        {BoxFilter, 0.51f, 0.0},
        {TriangleFilter, 0.25f, 0.75},
        {TriangleFilter, -0.75f, 0.25},
        {TriangleFilter, 1.0f, 0.0},
        {HermiteFilter, 0.5f, 0.5},
        {HermiteFilter, -0.25f, 0.84375},
        {HermiteFilter, 1.0f, 0.0},
        {BellFilter, 0.0f, 0.75},
        {BellFilter, 0.5f, 0.5},
        {BellFilter, -1.0f, 0.125},
        {BellFilter, 1.5f, 0.0},
        {SplineFilter, 0.0f, 2.0 / 3.0},
        {SplineFilter, 1.0f, 1.0 / 6.0},
        {SplineFilter, -1.5f, 0.125 / 6.0},
        {SplineFilter, 2.0f, 0.0},
        {Lanczos3Filter, 0.0f, 1.0},
        {Lanczos3Filter, 1.0f, 0.0},
        {Lanczos3Filter, 0.5f, 0.6079271},
        {Lanczos3Filter, -1.5f, -0.1350949},
        {Lanczos3Filter, 3.0f, 0.0},
        {MitchellFilter, 0.0f, 8.0 / 9.0},
        {MitchellFilter, 1.0f, 1.0 / 18.0},
        {MitchellFilter, -0.5f, 0.5347222},
        {MitchellFilter, 1.5f, -0.0347222},
        {MitchellFilter, 2.0f, 0.0},
    };
    for (const Point& p : points) {
        EXPECT_NEAR(p.f(p.x), p.expected, 2e-7) << "x = " << p.x;
    }
}

TEST(Contributions, SameSizeMitchellUsesThreeNeighboursReflectedUnevenly) {
    const auto lists = MakeContributions(6, 6, MitchellFilter, 2.0f);
    ASSERT_EQ(lists.size(), 6u);
    const float side = MitchellFilter(1.0f);
    const float middle = MitchellFilter(0.0f);
    EXPECT_FLOAT_EQ(side, 1.0f / 18.0f);
    EXPECT_FLOAT_EQ(middle, 8.0f / 9.0f);
    const int expected[6][3] = {{1, 0, 1}, {0, 1, 2}, {1, 2, 3}, {2, 3, 4}, {3, 4, 5}, {4, 5, 5}};
    for (int i = 0; i < 6; ++i) {
        const auto& list = lists[static_cast<std::size_t>(i)];
        ASSERT_EQ(list.size(), 3u) << i;
        for (int k = 0; k < 3; ++k) {
            EXPECT_EQ(list[static_cast<std::size_t>(k)].pixel, expected[i][k]) << i;
            EXPECT_EQ(list[static_cast<std::size_t>(k)].weight, k == 1 ? middle : side) << i;
        }
    }
}

TEST(Contributions, ShrinkingStretchesTheFilterAndScalesItsWeights) {
    // 7 -> 3: scale 2/6, so the filter is three times as wide and a third as high.
    const auto lists = MakeContributions(7, 3, MitchellFilter, 2.0f);
    ASSERT_EQ(lists.size(), 3u);
    const auto& centre = lists[1];  // samples source pixel 3
    ASSERT_EQ(centre.size(), 11u);
    EXPECT_EQ(centre.front().pixel, 2);  // j = -2 reflected
    EXPECT_EQ(centre.back().pixel, 5);   // j = 8 reflected
    EXPECT_EQ(centre[5].pixel, 3);
    EXPECT_NEAR(centre[5].weight, (8.0 / 9.0) / 3.0, 1e-7);
    EXPECT_NEAR(centre[2].weight, (1.0 / 18.0) / 3.0, 1e-7);
}

TEST(Contributions, ListsStayWithinCapacityAndIndicesWithinTheSource) {
    for (const FilterEntry& filter : kFilters) {
        for (int source = 1; source <= 90; source += 7) {
            for (int destination = 1; destination <= 80; destination += 3) {
                const auto lists =
                    MakeContributions(source, destination, filter.function, filter.support);
                const float scale = AxisScale(source, destination);
                const float w = scale < 1.0f ? filter.support / scale : filter.support;
                const auto capacity = static_cast<std::size_t>(std::trunc(2.0f * w + 1.0f));
                for (const auto& list : lists) {
                    EXPECT_LE(list.size(), capacity)
                        << filter.name << ' ' << source << "->" << destination;
                    for (const Contribution& c : list) {
                        ASSERT_GE(c.pixel, 0);
                        ASSERT_LT(c.pixel, source);
                        ASSERT_NE(c.weight, 0.0f);
                    }
                }
            }
        }
    }
}
