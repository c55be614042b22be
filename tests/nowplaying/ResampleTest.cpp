#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <random>
#include <stdexcept>
#include <string>

#include "Bitmap.h"
#include "Contributions.h"
#include "ResampleBitmap.h"

using namespace nowplaying;

namespace {

void fill(Bitmap& b, std::uint8_t r, std::uint8_t g, std::uint8_t bl) {
    for (int y = 0; y < b.height(); ++y) {
        for (int x = 0; x < b.width(); ++x) {
            std::uint8_t* p = b.scanLine(y) + x * 3;
            p[0] = r;
            p[1] = g;
            p[2] = bl;
        }
    }
}

Bitmap noise(int width, int height, unsigned seed,
             Bitmap::RowOrder order = Bitmap::RowOrder::TopDown) {
    Bitmap b(width, height, order);
    std::mt19937 random(seed);
    for (int y = 0; y < height; ++y) {
        for (int k = 0; k < width * 3; ++k) {
            b.scanLine(y)[k] = static_cast<std::uint8_t>(random() & 0xFF);
        }
    }
    return b;
}

std::uint8_t clampRound(float sum) {
    if (sum > 255.0f) {
        return 255;
    }
    if (sum < 0.0f) {
        return 0;
    }
    return static_cast<std::uint8_t>(std::nearbyint(sum));
}

// One sum at a time, straight from the lists: what the optimised passes must equal exactly.
Bitmap reference(const Bitmap& src, int width, int height, FilterFunction f, float support) {
    Bitmap mid(width, src.height());
    const auto columns = MakeContributions(src.width(), width, f, support);
    for (int y = 0; y < src.height(); ++y) {
        for (int x = 0; x < width; ++x) {
            for (int c = 0; c < 3; ++c) {
                float sum = 0.0f;
                for (const Contribution& e : columns[static_cast<std::size_t>(x)]) {
                    sum += static_cast<float>(src.scanLine(y)[e.pixel * 3 + c]) * e.weight;
                }
                mid.scanLine(y)[x * 3 + c] = clampRound(sum);
            }
        }
    }
    Bitmap out(width, height);
    const auto rows = MakeContributions(src.height(), height, f, support);
    for (int y = 0; y < height; ++y) {
        for (int k = 0; k < width * 3; ++k) {
            float sum = 0.0f;
            for (const Contribution& e : rows[static_cast<std::size_t>(y)]) {
                sum += static_cast<float>(mid.scanLine(e.pixel)[k]) * e.weight;
            }
            out.scanLine(y)[k] = clampRound(sum);
        }
    }
    return out;
}

void expectSamePixels(const Bitmap& a, const Bitmap& b) {
    ASSERT_EQ(a.width(), b.width());
    ASSERT_EQ(a.height(), b.height());
    for (int y = 0; y < a.height(); ++y) {
        for (int k = 0; k < a.width() * 3; ++k) {
            ASSERT_EQ(a.scanLine(y)[k], b.scanLine(y)[k]) << "row " << y << " byte " << k;
        }
    }
}

}  // namespace

TEST(ResampleBitmap, TwoPixelsEnlargedToSeventyKeepTheReflectionAtBothEnds) {
    Bitmap src(2, 2);
    for (int y = 0; y < 2; ++y) {
        std::uint8_t* row = src.scanLine(y);
        row[0] = row[1] = row[2] = 0;
        row[3] = row[4] = row[5] = 255;
    }
    Bitmap dst(70, 70);
    ResampleBitmap(src, dst, MitchellFilter, 2.0f);
    for (int y = 0; y < 70; ++y) {
        for (int c = 0; c < 3; ++c) {
            ASSERT_EQ(dst.scanLine(y)[c], 28) << y;            // 255/18 twice
            ASSERT_EQ(dst.scanLine(y)[69 * 3 + c], 241) << y;  // 255 * 17/18
        }
    }
}

TEST(ResampleBitmap, SameSizeCopyIsSlightlyBlurred) {
    Bitmap src(3, 1);
    src.scanLine(0)[3] = 180;  // only the middle pixel's red is lit
    Bitmap dst(3, 1);
    ResampleBitmap(src, dst, MitchellFilter, 2.0f);
    EXPECT_EQ(dst.scanLine(0)[0], 20);   // 180 * 2/18: pixel 1 counted twice at the left edge
    EXPECT_EQ(dst.scanLine(0)[3], 160);  // 180 * 8/9
    EXPECT_EQ(dst.scanLine(0)[6], 10);   // 180 * 1/18
    EXPECT_EQ(dst.scanLine(0)[4], 0);
}

TEST(ResampleBitmap, HalvesRoundToEven) {
    // Triangle, 2 -> 3: the middle output is exactly half of each source pixel.
    Bitmap src(2, 1);
    const std::uint8_t right[3] = {5, 7, 1};
    std::copy_n(right, 3, src.scanLine(0) + 3);
    Bitmap dst(3, 1);
    ResampleBitmap(src, dst, TriangleFilter, 1.0f);
    EXPECT_EQ(dst.scanLine(0)[3], 2);  // 2.5
    EXPECT_EQ(dst.scanLine(0)[4], 4);  // 3.5
    EXPECT_EQ(dst.scanLine(0)[5], 0);  // 0.5
    EXPECT_EQ(dst.scanLine(0)[6], 5);
}

TEST(ResampleBitmap, UniformColourEnlargedStaysUniform) {
    for (const FilterEntry& filter : {kFilters[6], kFilters[4], kFilters[1]}) {
        for (const auto& [w, h, dw, dh] :
             {std::array{5, 4, 70, 70}, std::array{1, 1, 70, 70}, std::array{3, 2, 70, 5}}) {
            Bitmap src(w, h);
            fill(src, 37, 150, 201);
            Bitmap dst(dw, dh);
            ResampleBitmap(src, dst, filter.function, filter.support);
            for (int y = 0; y < dh; ++y) {
                for (int x = 0; x < dw; ++x) {
                    const std::uint8_t* p = dst.scanLine(y) + x * 3;
                    ASSERT_EQ(p[0], 37) << filter.name << ' ' << w << 'x' << h;
                    ASSERT_EQ(p[1], 150) << filter.name;
                    ASSERT_EQ(p[2], 201) << filter.name;
                }
            }
        }
    }
}

TEST(ResampleBitmap, OvershootAtAnEdgeIsClampedNotWrapped) {
    Bitmap src(8, 1);
    for (int x = 4; x < 8; ++x) {
        src.scanLine(0)[x * 3] = 255;
    }
    Bitmap dst(29, 1);  // scale 4: output 10 samples 2.5, output 18 samples 4.5
    ResampleBitmap(src, dst, MitchellFilter, 2.0f);
    EXPECT_EQ(dst.scanLine(0)[10 * 3], 0);    // sum about -8.9
    EXPECT_EQ(dst.scanLine(0)[18 * 3], 255);  // sum about 263.9
    EXPECT_EQ(dst.scanLine(0)[0], 0);
    EXPECT_EQ(dst.scanLine(0)[28 * 3], 255);
}

TEST(ResampleBitmap, MatchesOneSumAtATimeForEveryFilterAndShape) {
    struct Shape {
        int w, h, dw, dh;
    };
    // Heights around the eight-row blocks, single pixels, shrinking to one and two pixels.
    const Shape shapes[] = {{37, 13, 11, 29}, {13, 37, 70, 70}, {320, 17, 70, 9}, {1, 9, 70, 70},
                            {70, 1, 2, 2},    {64, 64, 1, 1},   {2, 250, 70, 2},  {100, 8, 3, 8}};
    unsigned seed = 1;
    for (const FilterEntry& filter : kFilters) {
        for (const Shape& s : shapes) {
            const Bitmap src = noise(s.w, s.h, seed++);
            Bitmap dst(s.dw, s.dh);
            ResampleBitmap(src, dst, filter.function, filter.support);
            SCOPED_TRACE(std::string(filter.name) + ' ' + std::to_string(s.w) + 'x' +
                         std::to_string(s.h) + "->" + std::to_string(s.dw) + 'x' +
                         std::to_string(s.dh));
            expectSamePixels(dst, reference(src, s.dw, s.dh, filter.function, filter.support));
        }
    }
}

TEST(ResampleBitmap, BottomUpRowsGiveTheSamePicture) {
    const Bitmap topDown = noise(40, 30, 7);
    Bitmap bottomUp(40, 30, Bitmap::RowOrder::BottomUp);
    ASSERT_LT(bottomUp.stride(), 0);
    for (int y = 0; y < 30; ++y) {
        std::copy_n(topDown.scanLine(y), 120, bottomUp.scanLine(y));
    }
    Bitmap a(70, 70);
    Bitmap b(70, 70, Bitmap::RowOrder::BottomUp);
    ResampleBitmap(topDown, a, MitchellFilter, 2.0f);
    ResampleBitmap(bottomUp, b, MitchellFilter, 2.0f);
    expectSamePixels(a, b);
}

TEST(ResampleBitmap, EmptySourceFailsAndLeavesTheDestinationAlone) {
    for (const auto& [w, h] : {std::pair{0, 0}, std::pair{5, 0}, std::pair{0, 5}}) {
        Bitmap src(w, h);
        Bitmap dst(4, 4);
        fill(dst, 9, 8, 7);
        try {
            ResampleBitmap(src, dst, MitchellFilter, 2.0f);
            ADD_FAILURE() << "no error for " << w << 'x' << h;
        } catch (const std::exception& e) {
            EXPECT_STREQ(e.what(), "Source bitmap too small");
        }
        EXPECT_EQ(dst.scanLine(3)[11], 7);
        EXPECT_EQ(dst.scanLine(0)[0], 9);
    }
}
