#pragma once

// Drawn or painted pictures compared with approved ones, tests/golden/<name>.png.
// VENTRIX_UPDATE_GOLDEN=1 writes the approved picture instead of comparing; a mismatch
// leaves the picture made and a difference picture in the working folder for a person.

#include <gtest/gtest.h>
#include <png.h>

#include <cstdint>
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

// A rectangle of a frame read back from GL (rows bottom first), turned top row first.
template <class Frame>
Picture cropped(const Frame& frame, int left, int bottom, int width, int height) {
    Picture picture{width, height, {}};
    for (int y = bottom + height; y-- > bottom;) {
        const auto row = frame.rgb.begin() + (std::ptrdiff_t(y) * frame.width + left) * 3;
        picture.rgb.insert(picture.rgb.end(), row, row + width * 3);
    }
    return picture;
}

inline bool writePng(const std::string& path, const Picture& picture) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = picture.width, image.height = picture.height, image.format = PNG_FORMAT_RGB;
    return png_image_write_to_file(&image, path.c_str(), 0, picture.rgb.data(), 0, nullptr) != 0;
}

inline bool readPng(const std::string& path, Picture& picture) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str())) return false;
    image.format = PNG_FORMAT_RGB;
    picture.width = int(image.width), picture.height = int(image.height);
    picture.rgb.resize(PNG_IMAGE_SIZE(image));
    return png_image_finish_read(&image, nullptr, picture.rgb.data(), 0, nullptr) != 0;
}

// Another machine with the same renderer and fonts may round a few channels differently;
// a shifted edge, a wrong picture or a missing blend changes many pixels by far more.
inline ::testing::AssertionResult matchesGolden(const std::string& name, const Picture& made,
                                                int mostDiffering = 6) {
    const std::string approved = VENTRIX_SOURCE_DIR "/tests/golden/" + name + ".png";
    if (const char* update = std::getenv("VENTRIX_UPDATE_GOLDEN"); update && *update == '1') {
        if (writePng(approved, made)) return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << "cannot write " << approved;
    }
    Picture expected;
    if (!readPng(approved, expected))
        return ::testing::AssertionFailure() << "no approved picture " << approved;
    if (expected.width != made.width || expected.height != made.height)
        return ::testing::AssertionFailure()
               << name << " is " << made.width << "x" << made.height << ", approved "
               << expected.width << "x" << expected.height;
    Picture difference = made;
    int differing = 0;
    for (std::size_t i = 0; i < made.rgb.size(); i += 3) {
        bool differs = false;
        for (std::size_t c = i; c < i + 3; ++c)
            differs = differs || std::abs(made.rgb[c] - expected.rgb[c]) > 8;
        differing += differs;
        for (std::size_t c = i; c < i + 3; ++c)
            difference.rgb[c] = differs ? 255 * (c == i) : made.rgb[c] / 4;
    }
    if (differing <= mostDiffering) return ::testing::AssertionSuccess();
    const char* started = std::getenv("PWD"); // where the test began, not a folder it made
    const std::filesystem::path here = started ? started : std::filesystem::current_path();
    writePng((here / (name + ".png")).string(), made);
    writePng((here / (name + "-diff.png")).string(), difference);
    return ::testing::AssertionFailure() << name << ": " << differing << " pixels differ; see "
                                         << (here / name).string() << ".png and -diff.png";
}

} // namespace testsupport
