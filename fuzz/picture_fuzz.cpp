// Fuzz target: the picture decoders. The input is a picture file. It is decoded
// as a TGA file and as headerless pixels in three announced layouts (the TGA
// header's own, one that fits the data exactly, and one taken from the first
// bytes), and every decoded picture gets an alpha channel in each mode.
// A decoder either throws its error text or gives exactly width x height
// pixels of 1 to 4 bytes.

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "FuzzChecks.h"
#include "gfx/Image.h"
#include "platform/FatalError.h"

namespace {

void checkLayout(const Image& image) {
    fuzzRequire(image.Width() >= 0 && image.Height() >= 0, "sizes are not negative");
    fuzzRequire(image.BytesPerPixel() >= 1 && image.BytesPerPixel() <= 4,
                "one to four bytes per pixel");
    const std::size_t expected =
        static_cast<std::size_t>(image.Width()) * image.Height() * image.BytesPerPixel();
    fuzzRequire(image.PixelBytes() == expected, "pixel bytes match the layout");
}

void checkAlpha(const Image& decoded) {
    for (int mode = 0; mode <= 4; ++mode) {
        Image image = decoded;
        image.AddAlpha(mode, 0.5f);
        if (decoded.PixelBytes() == 0) continue;
        const int before = decoded.BytesPerPixel();
        const int expected = (before == 1 || before == 3) ? before + 1 : before;
        fuzzRequire(image.BytesPerPixel() == expected, "alpha gives 2 or 4 bytes per pixel");
        checkLayout(image);
        if (mode == AlphaConstant) {
            for (std::size_t i = expected - 1; i < image.PixelBytes(); i += expected)
                fuzzRequire(image.Pixels()[i] == 127, "a constant alpha of 0.5 is 127");
        }
    }
}

// The TGA decoder must name one of its errors, never read past the data.
void decodeTga(const std::uint8_t* data, std::size_t size) {
    std::vector<std::uint8_t> copy(data, data + size); // exact bounds for the sanitizer
    TgaImage image;
    try {
        image.Decode(copy.data(), copy.size());
    } catch (const FatalError& error) {
        fuzzRequire(std::strlen(error.what()) < 256, "error texts fit their buffer");
        return;
    }
    fuzzRequire(size >= 18, "no picture from less than a header");
    checkLayout(image);
    fuzzRequire(image.Width() == image.Header().width && image.Height() == image.Header().height,
                "the size comes from the header");
    checkAlpha(image);
}

void decodeRaw(const std::uint8_t* data, std::size_t size, int width, int height, int bytes) {
    std::vector<std::uint8_t> copy(data, data + size);
    RawImage image;
    image.LoadFile(nullptr, width, height, bytes); // stores the announced layout only
    try {
        image.Decode(copy.data(), copy.size());
    } catch (const FatalError&) {
        fuzzRequire(static_cast<long long>(width) * height * bytes !=
                            static_cast<long long>(size) ||
                        width < 0 || height < 0 || bytes < 0,
                    "raw data of exactly the announced size decodes");
        return;
    }
    fuzzRequire(image.PixelBytes() == size, "raw pixels are the data as it is");
    if (bytes >= 1 && bytes <= 4) {
        checkLayout(image);
        checkAlpha(image);
    }
}

int little16(const std::uint8_t* p) {
    return p[0] | (p[1] << 8);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    decodeTga(data, size);
    if (size >= 18)
        decodeRaw(data, size, little16(data + 12), little16(data + 14), (data[16] + 7) / 8);
    if (size > 0) decodeRaw(data, size, static_cast<int>(size), 1, 1);
    if (size >= 3) decodeRaw(data, size, data[0] - 8, data[1], data[2] % 6);
    return 0;
}
