#include "gfx/Image.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "platform/FatalError.h"
#include "platform/Resources.h"

namespace {

// Decoding errors end the program: the entry point shows the message.
[[noreturn]] void throwImageError(const char* format, ...) __attribute__((format(printf, 1, 2)));

[[noreturn]] void throwImageError(const char* format, ...) {
    char message[256];
    va_list args;
    va_start(args, format);
    std::vsnprintf(message, sizeof message, format, args);
    va_end(args);
    throw FatalError(message);
}

std::uint16_t readLittle16(const std::uint8_t* data) {
    return static_cast<std::uint16_t>(data[0] | (data[1] << 8));
}

TgaHeader parseTgaHeader(const std::uint8_t* data) {
    TgaHeader header;
    header.idLength = data[0];
    header.colourMapType = data[1];
    header.imageType = data[2];
    header.colourMapFirst = readLittle16(data + 3);
    header.colourMapLength = readLittle16(data + 5);
    header.colourMapEntryBits = data[7];
    header.xOrigin = readLittle16(data + 8);
    header.yOrigin = readLittle16(data + 10);
    header.width = readLittle16(data + 12);
    header.height = readLittle16(data + 14);
    header.pixelDepth = data[16];
    header.descriptor = data[17];
    return header;
}

constexpr std::size_t TgaHeaderSize = 18;

int bytesPerPixelOfDepth(int depth) {
    switch (depth) {
    case 8:
        return 1;
    case 16:
        return 2;
    case 24:
        return 3;
    case 32:
        return 4;
    default:
        throwImageError("Unexpected pixel size (%d)", depth);
    }
}

std::uint8_t alphaConstant(float value) {
    if (value >= 1.0f) return 255;
    if (value > 0.0f) return static_cast<std::uint8_t>(value * 255.0f);
    return 0;
}

// The alpha byte a mode gives a pixel; false when the mode leaves it alone.
bool alphaFor(int mode, int grey, std::uint8_t constant, std::uint8_t& alpha) {
    switch (mode) {
    case AlphaConstant:
        alpha = constant;
        return true;
    case AlphaGrey:
        alpha = static_cast<std::uint8_t>(grey);
        return true;
    case AlphaInverseGrey:
        alpha = static_cast<std::uint8_t>(255 - grey);
        return true;
    case AlphaBlackClear:
        alpha = grey > 0 ? 255 : 0;
        return true;
    default:
        return false;
    }
}

} // namespace

Image::Image(int newWidth, int newHeight, std::vector<std::uint8_t> newPixels, int newBytesPerPixel)
    : pixels(std::move(newPixels)), width(newWidth), height(newHeight),
      bytesPerPixel(newBytesPerPixel) {}

void Image::Decode(const std::uint8_t*, std::size_t) {}

void Image::StoreLayout(int newWidth, int newHeight, int newBytesPerPixel) {
    width = newWidth;
    height = newHeight;
    bytesPerPixel = newBytesPerPixel;
}

bool Image::LoadResource(int id, int newWidth, int newHeight, int newBytesPerPixel) {
    StoreLayout(newWidth, newHeight, newBytesPerPixel);
    ResourceBytes bytes;
    if (!findResource(id, "RT_RCDATA", bytes)) throwImageError("Picture resource %d not found", id);
    Decode(bytes.data(), bytes.size());
    return true;
}

bool Image::LoadFile(const char* path, int newWidth, int newHeight, int newBytesPerPixel) {
    StoreLayout(newWidth, newHeight, newBytesPerPixel);
    if (path == nullptr || *path == '\0') return false;
    std::ifstream file(path, std::ios::binary);
    if (!file) return false;
    std::error_code error;
    const auto size = std::filesystem::file_size(path, error);
    if (error || size == 0) return false;
    std::vector<std::uint8_t> buffer(size);
    file.read(reinterpret_cast<char*>(buffer.data()), static_cast<std::streamsize>(size));
    if (static_cast<std::uintmax_t>(file.gcount()) < size) return false;
    file.close();
    Decode(buffer.data(), buffer.size());
    return true;
}

void Image::AddAlpha(int mode, float value) {
    const std::uint8_t constant = alphaConstant(value);
    const bool addsChannel = bytesPerPixel == 1 || bytesPerPixel == 3;
    const bool rewritesChannel = bytesPerPixel == 2 || bytesPerPixel == 4;
    if (!addsChannel && !rewritesChannel) return;
    const std::size_t count = static_cast<std::size_t>(width) * height;
    if (pixels.size() < count * bytesPerPixel) return;
    const int source = bytesPerPixel;
    const int target = addsChannel ? source + 1 : source;
    std::vector<std::uint8_t> result(count * target);
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint8_t* in = &pixels[i * source];
        std::uint8_t* out = &result[i * target];
        std::memcpy(out, in, static_cast<std::size_t>(source));
        const int grey = source == 3 ? (in[0] + in[1] + in[2]) / 3 : in[0];
        std::uint8_t alpha = 0;
        if (!alphaFor(mode, grey, constant, alpha)) {
            if (rewritesChannel) return; // unknown mode: the picture stays as it was
            alpha = 255;                 // no caller does this; give an opaque channel
        }
        out[target - 1] = alpha;
    }
    pixels = std::move(result);
    bytesPerPixel = target;
}

void TgaImage::Decode(const std::uint8_t* data, std::size_t size) {
    header = TgaHeader{};
    idText.clear();
    if (data == nullptr || size < TgaHeaderSize)
        throwImageError("Image header truncated (%d bytes)", static_cast<int>(data ? size : 0));
    header = parseTgaHeader(data);
    std::size_t offset = TgaHeaderSize;
    if (header.idLength != 0) {
        const std::size_t available = size - offset;
        idText.assign(reinterpret_cast<const char*>(data + offset),
                      std::min<std::size_t>(header.idLength, available));
        offset += header.idLength;
    }
    if (header.colourMapType != 0)
        offset += static_cast<std::size_t>(header.colourMapLength) *
                  ((header.colourMapEntryBits + 7) / 8);
    if (header.imageType == 0) throwImageError("No image data included");
    if (header.imageType > 3) throwImageError("Unreadable image data type (RLE compressed ?)");
    const int newBytesPerPixel = bytesPerPixelOfDepth(header.pixelDepth);
    StoreLayout(header.width, header.height, newBytesPerPixel);
    pixels.clear();
    const std::size_t byteCount = static_cast<std::size_t>(width) * height * bytesPerPixel;
    if (offset > size || byteCount > size - offset)
        throwImageError("Bitmap size (%d,%d) not good", width, height);
    pixels.assign(data + offset, data + offset + byteCount);
    if (bytesPerPixel >= 3)
        for (std::size_t i = 0; i < byteCount; i += bytesPerPixel)
            std::swap(pixels[i], pixels[i + 2]);
}

void RawImage::Decode(const std::uint8_t* data, std::size_t size) {
    const std::size_t expected = static_cast<std::size_t>(std::max(width, 0)) *
                                 std::max(height, 0) * std::max(bytesPerPixel, 0);
    if (data == nullptr || size != expected)
        throwImageError("Bitmap size (%d,%d) not good (ImRaw::create)", width, height);
    pixels.assign(data, data + size);
}
