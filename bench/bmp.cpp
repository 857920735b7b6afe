// Saving a full 1920x1080 screen as a 24-bit BMP file (target: 50 ms), and
// the in-memory encoding alone.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <vector>

#include "capture/BmpFile.h"

namespace {

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;

std::vector<std::uint32_t> Screen() {
    std::vector<std::uint32_t> px(static_cast<std::size_t>(kWidth) * kHeight);
    for (std::size_t i = 0; i < px.size(); ++i)
        px[i] = 0xFF000000u | static_cast<std::uint32_t>(i * 2654435761u >> 8);
    return px;
}

void BM_EncodeBmp24(benchmark::State& state) {
    const auto px = Screen();
    const qelvar::ArgbImageView view{px, kWidth, kHeight, kWidth};
    for (auto _ : state) benchmark::DoNotOptimize(qelvar::EncodeBmp(view, 24));
}
BENCHMARK(BM_EncodeBmp24)->Unit(benchmark::kMillisecond);

void BM_WriteBmpFile24(benchmark::State& state) {
    const auto px = Screen();
    const qelvar::ArgbImageView view{px, kWidth, kHeight, kWidth};
    const auto path = (std::filesystem::temp_directory_path() /
                       ("qelvar-bench-" + std::to_string(::getpid()) + ".bmp"))
                          .string();
    for (auto _ : state) {
        if (!qelvar::WriteBmpFile(view, 24, path).ok) state.SkipWithError("write failed");
    }
    std::filesystem::remove(path);
}
BENCHMARK(BM_WriteBmpFile24)->Unit(benchmark::kMillisecond);

}  // namespace
