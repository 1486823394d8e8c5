// Arbitrary bytes as a source file: the reader must never read past them (the
// sanitizers watch), and what it reports must hold together.

#include "preview/ImageReader.h"
#include "preview/PreviewCanvas.h"

#include <cstdlib>
#include <vector>

using namespace tavrik;

namespace {

void Check(bool condition) {
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
    const ImageFile file(std::vector<unsigned char>(data, data + size), size);
    const ImageInfo& info = file.Info();
    Check(!DescribeImage("f", info).empty());
    Check(info.kind != ImageKind::Raw || info.problem.empty());
    if (!file.HasPicture()) {
        Check(file.Decode().empty());
        return 0;
    }
    Check(info.width > 0 && info.height > 0);
    // The first, a middle and the last palette, and numbers outside the range.
    std::vector<Pixel> pixels;
    for (int palette : {-1, 0, info.paletteCount / 2, info.paletteCount - 1, info.paletteCount}) {
        file.Decode(palette, pixels);
        Check(pixels.size() == static_cast<std::size_t>(info.width) * info.height);
        for (Pixel p : pixels) {
            Check(p >> 24 == 0 || p >> 24 == 0xff);
            Check(p >> 24 == 0xff || info.mode != PixelMode::Direct24);
        }
    }
    std::vector<Pixel> area;
    ComposePreview(pixels, info.width, info.height, FitScale(info.width, info.height, 48), 48, 48,
                   0, area);
    for (Pixel p : area)
        Check(p >> 24 == 0xff);
    return 0;
}
