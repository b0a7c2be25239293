#pragma once

// Pictures compared with approved ones, tests/golden/<name>.png (VENTRIX_UPDATE_GOLDEN=1
// writes them); a mismatch leaves the picture and a difference picture for a person to see.

#include <gtest/gtest.h>
#include <png.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace testsupport {

// RGB rows, the top one first, as a picture file keeps them.
struct Picture {
    int width = 0, height = 0;
    std::vector<std::uint8_t> rgb;
};

// A rectangle of a picture kept bottom row first (read back from GL, a land's ground).
template <class Frame>
Picture cropped(const Frame& frame, int left, int bottom, int width, int height) {
    Picture picture{width, height, {}};
    for (int y = bottom + height; y-- > bottom;) {
        const auto row = frame.rgb.begin() + (std::ptrdiff_t(y) * frame.width + left) * 3;
        picture.rgb.insert(picture.rgb.end(), row, row + width * 3);
    }
    return picture;
}

inline bool writePng(const std::filesystem::path& path, const Picture& picture) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.format = PNG_FORMAT_RGB;
    image.width = png_uint_32(picture.width);
    image.height = png_uint_32(picture.height);
    return png_image_write_to_file(&image, path.c_str(), 0, picture.rgb.data(), 0, nullptr);
}

// Where the test program began, not a temporary folder a test made.
inline const std::filesystem::path startFolder = std::filesystem::current_path();

// Another machine with the same renderer and fonts may round a few channels differently;
// a shifted edge, a wrong picture or a missing blend changes many pixels by far more.
inline ::testing::AssertionResult matchesGolden(const std::string& name, const Picture& made) {
    const std::string approved = VENTRIX_SOURCE_DIR "/tests/golden/" + name + ".png";
    if (const char* update = std::getenv("VENTRIX_UPDATE_GOLDEN"); update && *update == '1')
        return ::testing::AssertionResult(writePng(approved, made)) << "cannot write " << approved;
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    std::vector<std::uint8_t> expected(made.rgb.size());
    bool read = png_image_begin_read_from_file(&image, approved.c_str());
    image.format = PNG_FORMAT_RGB;
    read = read && int(image.width) == made.width && int(image.height) == made.height &&
           png_image_finish_read(&image, nullptr, expected.data(), 0, nullptr);
    png_image_free(&image); // when the sizes differ, nothing else frees it
    int differing = read ? 0 : -1;
    Picture difference = made; // red where a pixel differs, the rest dimmed
    for (std::size_t i = 0; read && i < made.rgb.size(); i += 3) {
        bool differs = false;
        for (std::size_t c = i; c < i + 3; ++c)
            differs = differs || std::abs(made.rgb[c] - expected[c]) > 8;
        differing += differs;
        for (std::size_t c = i; c < i + 3; ++c)
            difference.rgb[c] = differs ? 255 * (c == i) : made.rgb[c] / 4;
    }
    if (read && differing <= 6) return ::testing::AssertionSuccess();
    writePng(startFolder / (name + ".png"), made);
    writePng(startFolder / (name + "-diff.png"), difference);
    return ::testing::AssertionFailure()
           << name << ": " << differing << " pixels differ from " << approved
           << " (-1: missing or not " << made.width << "x" << made.height << "); see "
           << (startFolder / name).string() << ".png and -diff.png";
}

} // namespace testsupport
