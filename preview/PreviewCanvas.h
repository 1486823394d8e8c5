// The preview's picture area, without the window system: how large a picture
// is shown and what each pixel of the area becomes.
#pragma once

#include "preview/ImageReader.h"

#include <vector>

namespace tavrik {

// A picture is enlarged by the largest whole number that fits the area; one
// larger than the area is reduced by the smallest whole number that fits.
struct PreviewScale {
    int zoom = 1;
    int shrink = 1;
    bool operator==(const PreviewScale&) const = default;
};

constexpr int kPreviewArea = 512;
// See-through pixels show squares of these two greys, kCheckerSquare pixels
// wide on the screen, counted from the picture's top-left corner.
constexpr Pixel kCheckerLight = 0xffffffffu;
constexpr Pixel kCheckerDark = 0xffc0c0c0u;
constexpr int kCheckerSquare = 8;

PreviewScale FitScale(int width, int height, int area = kPreviewArea);

struct PicturePlace {
    int left = 0, top = 0, width = 0, height = 0; // in area pixels
};
// Where the scaled picture lands: centred in the area.
PicturePlace PlacePicture(int width, int height, PreviewScale scale, int areaWidth, int areaHeight);

// Paints the area (areaWidth x areaHeight, row by row from the top, opaque):
// the picture of |width| x |height| |pixels| at |scale| and centred, a
// checkerboard under its see-through pixels, |background| around it.
void ComposePreview(const std::vector<Pixel>& pixels, int width, int height, PreviewScale scale,
                    int areaWidth, int areaHeight, Pixel background, std::vector<Pixel>& area);

} // namespace tavrik
