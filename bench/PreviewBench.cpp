#include "preview/ImageReader.h"
#include "preview/PreviewCanvas.h"

#include <benchmark/benchmark.h>

#include <random>
#include <vector>

using namespace tavrik;

namespace {

// A 1024x512 15-bit picture, the console's whole frame buffer, of random colours.
ImageFile FrameBufferPicture() {
    std::vector<unsigned char> bytes{0x10, 0, 0, 0, 2, 0, 0, 0};
    const std::uint32_t length = 12 + 1024 * 512 * 2;
    for (int i = 0; i < 4; ++i)
        bytes.push_back(static_cast<unsigned char>(length >> (8 * i)));
    for (unsigned v : {0u, 0u, 1024u, 512u}) {
        bytes.push_back(static_cast<unsigned char>(v & 0xff));
        bytes.push_back(static_cast<unsigned char>(v >> 8));
    }
    std::mt19937 gen(1);
    for (int i = 0; i < 1024 * 512 * 2; ++i)
        bytes.push_back(static_cast<unsigned char>(gen()));
    const std::uint64_t size = bytes.size();
    return ImageFile(std::move(bytes), size);
}

void BM_Decode15Bit1024x512(benchmark::State& state) {
    const ImageFile file = FrameBufferPicture();
    if (!file.HasPicture())
        state.SkipWithError(file.Info().problem.c_str());
    std::vector<Pixel> pixels;
    for (auto _ : state) {
        file.Decode(0, pixels);
        benchmark::DoNotOptimize(pixels.data());
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * 1024 * 512);
}

// The same picture decoded and composed into the 512x512 preview area, as the
// window does on every palette step.
void BM_DecodeAndCompose1024x512(benchmark::State& state) {
    const ImageFile file = FrameBufferPicture();
    std::vector<Pixel> pixels, area;
    for (auto _ : state) {
        file.Decode(0, pixels);
        ComposePreview(pixels, 1024, 512, FitScale(1024, 512), kPreviewArea, kPreviewArea, 0, area);
        benchmark::DoNotOptimize(area.data());
    }
}

BENCHMARK(BM_Decode15Bit1024x512)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DecodeAndCompose1024x512)->Unit(benchmark::kMicrosecond);

} // namespace
