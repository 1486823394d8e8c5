#include "preview/PreviewCanvas.h"

#include <algorithm>

namespace tavrik {

PreviewScale FitScale(int width, int height, int area) {
    PreviewScale scale;
    if (width <= 0 || height <= 0 || area <= 0)
        return scale;
    if (width <= area && height <= area) {
        scale.zoom = std::min(area / width, area / height);
    } else {
        scale.shrink = std::max((width + area - 1) / area, (height + area - 1) / area);
    }
    return scale;
}

PicturePlace PlacePicture(int width, int height, PreviewScale scale, int areaWidth,
                          int areaHeight) {
    PicturePlace place;
    place.width = (width + scale.shrink - 1) / scale.shrink * scale.zoom;
    place.height = (height + scale.shrink - 1) / scale.shrink * scale.zoom;
    place.left = (areaWidth - place.width) / 2;
    place.top = (areaHeight - place.height) / 2;
    return place;
}

void ComposePreview(const std::vector<Pixel>& pixels, int width, int height, PreviewScale scale,
                    int areaWidth, int areaHeight, Pixel background, std::vector<Pixel>& area) {
    area.assign(std::size_t(std::max(areaWidth, 0)) * std::size_t(std::max(areaHeight, 0)),
                background | 0xff000000u);
    if (width <= 0 || height <= 0 || pixels.size() < std::size_t(width) * std::size_t(height))
        return;
    const PicturePlace place = PlacePicture(width, height, scale, areaWidth, areaHeight);
    const int x0 = std::max(place.left, 0), x1 = std::min(place.left + place.width, areaWidth);
    const int y0 = std::max(place.top, 0), y1 = std::min(place.top + place.height, areaHeight);
    for (int y = y0; y < y1; ++y) {
        const int dy = y - place.top;
        const Pixel* source = pixels.data() + std::size_t(dy / scale.zoom * scale.shrink) * width;
        Pixel* out = area.data() + std::size_t(y) * areaWidth;
        for (int x = x0; x < x1; ++x) {
            const int dx = x - place.left;
            const Pixel pixel = source[dx / scale.zoom * scale.shrink];
            if (pixel >> 24 != 0)
                out[x] = pixel;
            else
                out[x] = ((dx / kCheckerSquare + dy / kCheckerSquare) & 1) ? kCheckerDark
                                                                           : kCheckerLight;
        }
    }
}

} // namespace tavrik
