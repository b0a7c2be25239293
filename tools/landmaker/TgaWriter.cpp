#include "TgaWriter.h"

#include <filesystem>
#include <fstream>

namespace {
void writeHeader(std::ofstream& out, int imageType, int width, int height, int depth,
                 bool topFirst) {
    std::uint8_t header[18] = {};
    header[2] = std::uint8_t(imageType);
    header[12] = std::uint8_t(width & 0xFF);
    header[13] = std::uint8_t(width >> 8);
    header[14] = std::uint8_t(height & 0xFF);
    header[15] = std::uint8_t(height >> 8);
    header[16] = std::uint8_t(depth);
    header[17] = topFirst ? 0x20 : 0x00;
    out.write(reinterpret_cast<const char*>(header), sizeof header);
}

void writeFooter(std::ofstream& out) {
    const char footer[26] = "\0\0\0\0\0\0\0\0TRUEVISION-XFILE.";
    out.write(footer, 26);
}

// The picture goes to a temporary file that replaces the old one only once it
// is whole, so a failed write never leaves half a picture behind.
template <typename Body> bool writeWhole(const std::string& path, Body body) {
    const std::string temporary = path + ".part";
    {
        std::ofstream out(temporary, std::ios::binary);
        if (!out) return false;
        body(out);
        out.flush();
        if (!out) {
            out.close();
            std::filesystem::remove(temporary);
            return false;
        }
    }
    std::error_code error;
    std::filesystem::rename(temporary, path, error);
    if (error) std::filesystem::remove(temporary, error);
    return !error;
}
} // namespace

bool writeTga(const std::string& path, const RgbPicture& picture, bool topFirst) {
    if (picture.width <= 0 || picture.height <= 0 || picture.width > 65535 ||
        picture.height > 65535)
        return false;
    std::vector<std::uint8_t> bgr(picture.rgb.size());
    for (std::size_t i = 0; i + 2 < bgr.size(); i += 3) {
        bgr[i] = picture.rgb[i + 2];
        bgr[i + 1] = picture.rgb[i + 1];
        bgr[i + 2] = picture.rgb[i];
    }
    return writeWhole(path, [&](std::ofstream& out) {
        writeHeader(out, 2, picture.width, picture.height, 24, topFirst);
        out.write(reinterpret_cast<const char*>(bgr.data()), std::streamsize(bgr.size()));
        writeFooter(out);
    });
}

bool writeGreyTga(const std::string& path, int width, int height,
                  const std::vector<std::uint8_t>& grey, bool topFirst) {
    if (width <= 0 || height <= 0 || width > 65535 || height > 65535 ||
        grey.size() != std::size_t(width) * height)
        return false;
    return writeWhole(path, [&](std::ofstream& out) {
        writeHeader(out, 3, width, height, 8, topFirst);
        out.write(reinterpret_cast<const char*>(grey.data()), std::streamsize(grey.size()));
        writeFooter(out);
    });
}
