#include "ResampleBitmap.h"

#include <array>
#include <cmath>
#include <cstring>
#include <stdexcept>

#include "Contributions.h"

namespace nowplaying {

namespace {

// Lanes 0-2 hold one pixel's three channels; lane 3 is the next pixel's and is ignored.
using Pixel4 = float __attribute__((vector_size(16)));

// Rows filtered together in the horizontal pass: they share every weight, and their independent
// sums keep the floating-point units busy while each sum stays strictly in list order.
constexpr int kRowsPerBlock = 8;

std::uint8_t clampRound(float sum) {
    if (sum > 255.0f) {
        return 255;
    }
    if (sum < 0.0f) {
        return 0;
    }
    return static_cast<std::uint8_t>(std::lrint(sum));
}

Pixel4 loadPixel(const float* channels) {
    Pixel4 pixel;
    std::memcpy(&pixel, channels, sizeof pixel);
    return pixel;
}

// Rows converted to float once, with one float of padding so the last pixel loads as a Pixel4.
class FloatRows {
public:
    explicit FloatRows(int width) : rowFloats_(static_cast<std::size_t>(width) * 3 + 1) {
        storage_.resize(rowFloats_ * kRowsPerBlock, 0.0f);
    }

    // Converts rows first..first+count-1; the unused slots repeat the first row.
    void load(const Bitmap& source, int first, int count) {
        const std::size_t bytes = rowFloats_ - 1;
        for (int r = 0; r < kRowsPerBlock; ++r) {
            const int slot = r < count ? r : 0;
            rows_[static_cast<std::size_t>(r)] = storage_.data() + rowFloats_ * slot;
        }
        for (int r = 0; r < count; ++r) {
            const std::uint8_t* in = source.scanLine(first + r);
            float* out = storage_.data() + rowFloats_ * static_cast<std::size_t>(r);
            for (std::size_t k = 0; k < bytes; ++k) {
                out[k] = in[k];
            }
        }
    }

    const float* row(int r) const { return rows_[static_cast<std::size_t>(r)]; }

private:
    std::size_t rowFloats_;
    std::vector<float> storage_;
    std::array<const float*, kRowsPerBlock> rows_{};
};

void horizontalPass(const Bitmap& source, Bitmap& intermediate,
                    const std::vector<ContributionList>& lists) {
    FloatRows rows(source.width());
    for (int first = 0; first < source.height(); first += kRowsPerBlock) {
        const int count = std::min(kRowsPerBlock, source.height() - first);
        rows.load(source, first, count);
        for (std::size_t i = 0; i < lists.size(); ++i) {
            Pixel4 sums[kRowsPerBlock] = {};
            for (const Contribution& c : lists[i]) {
                const Pixel4 weight = {c.weight, c.weight, c.weight, c.weight};
                const std::size_t offset = static_cast<std::size_t>(c.pixel) * 3;
                for (int r = 0; r < kRowsPerBlock; ++r) {
                    sums[r] += loadPixel(rows.row(r) + offset) * weight;
                }
            }
            for (int r = 0; r < count; ++r) {
                std::uint8_t* out = intermediate.scanLine(first + r) + i * 3;
                for (int channel = 0; channel < 3; ++channel) {
                    out[channel] = clampRound(sums[r][channel]);
                }
            }
        }
    }
}

void verticalPass(const Bitmap& intermediate, Bitmap& destination,
                  const std::vector<ContributionList>& lists) {
    const std::size_t rowBytes = static_cast<std::size_t>(destination.width()) * 3;
    std::vector<float> sums(rowBytes);
    for (std::size_t i = 0; i < lists.size(); ++i) {
        std::fill(sums.begin(), sums.end(), 0.0f);
        for (const Contribution& c : lists[i]) {
            const std::uint8_t* in = intermediate.scanLine(c.pixel);
            for (std::size_t k = 0; k < rowBytes; ++k) {
                sums[k] += static_cast<float>(in[k]) * c.weight;
            }
        }
        std::uint8_t* out = destination.scanLine(static_cast<int>(i));
        for (std::size_t k = 0; k < rowBytes; ++k) {
            out[k] = clampRound(sums[k]);
        }
    }
}

}  // namespace

void ResampleBitmap(const Bitmap& source, Bitmap& destination, FilterFunction filter,
                    float support) {
    if (source.width() < 1 || source.height() < 1) {
        throw std::invalid_argument("Source bitmap too small");
    }
    Bitmap intermediate(destination.width(), source.height());
    horizontalPass(source, intermediate,
                   MakeContributions(source.width(), destination.width(), filter, support));
    verticalPass(intermediate, destination,
                 MakeContributions(source.height(), destination.height(), filter, support));
}

}  // namespace nowplaying
