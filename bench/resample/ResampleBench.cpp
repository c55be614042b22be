// Times ResampleBitmap with "Mitchell" (support 2) on a generated picture and writes the same
// pixels as a binary PPM, so the run script can time ImageMagick on exactly that picture.
// Usage: resample_bench WIDTH HEIGHT OUT.ppm RUNS
// Prints the median time of one resample in milliseconds.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "Bitmap.h"
#include "Filters.h"
#include "ResampleBitmap.h"

namespace {

// A smooth gradient with noise on top: the resampler's time does not depend on content, but
// the picture should not be trivially compressible for ImageMagick's reader either.
nowplaying::Bitmap makePicture(int width, int height) {
    nowplaying::Bitmap picture(width, height);
    std::mt19937 random(42);
    for (int y = 0; y < height; ++y) {
        std::uint8_t* row = picture.scanLine(y);
        for (int x = 0; x < width; ++x) {
            const int noise = static_cast<int>(random() % 32);
            row[x * 3] = static_cast<std::uint8_t>((x * 255 / width + noise) & 0xFF);
            row[x * 3 + 1] = static_cast<std::uint8_t>((y * 255 / height + noise) & 0xFF);
            row[x * 3 + 2] = static_cast<std::uint8_t>(((x + y) & 0xFF) ^ noise);
        }
    }
    return picture;
}

bool writePpm(const nowplaying::Bitmap& picture, const std::string& path) {
    std::ofstream out(path, std::ios::binary);
    out << "P6\n" << picture.width() << ' ' << picture.height() << "\n255\n";
    for (int y = 0; y < picture.height(); ++y) {
        out.write(reinterpret_cast<const char*>(picture.scanLine(y)), picture.width() * 3);
    }
    return static_cast<bool>(out);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 5) {
        std::fprintf(stderr, "usage: %s WIDTH HEIGHT OUT.ppm RUNS\n", argv[0]);
        return 2;
    }
    const int width = std::atoi(argv[1]);
    const int height = std::atoi(argv[2]);
    const int runs = std::max(1, std::atoi(argv[4]));
    const nowplaying::Bitmap picture = makePicture(width, height);
    if (!writePpm(picture, argv[3])) {
        std::fprintf(stderr, "cannot write %s\n", argv[3]);
        return 1;
    }
    std::vector<double> times;
    nowplaying::Bitmap cover(70, 70);
    for (int i = 0; i < runs; ++i) {
        const auto start = std::chrono::steady_clock::now();
        nowplaying::ResampleBitmap(picture, cover, nowplaying::MitchellFilter, 2.0f);
        const std::chrono::duration<double, std::milli> took =
            std::chrono::steady_clock::now() - start;
        times.push_back(took.count());
    }
    std::nth_element(times.begin(), times.begin() + runs / 2, times.end());
    std::printf("%.3f\n", times[static_cast<std::size_t>(runs / 2)]);
    return 0;
}
