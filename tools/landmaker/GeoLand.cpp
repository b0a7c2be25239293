#include "GeoLand.h"

#include <algorithm>
#include <cmath>
#include <filesystem>

#include "LandMaker.h"

namespace {
std::string metres(double value) {
    return std::to_string(long(std::lround(value))) + " m";
}

std::string folderPath(const LandRecipe& recipe, const std::string& file) {
    return (std::filesystem::path(recipe.folder.empty() ? "." : recipe.folder) / file).string();
}

// Natural contrast for pictures whose values are not bytes: the range between the
// darkest and brightest hundredth of all three bands, so colours keep their balance.
std::array<float, 2> stretchRange(const std::array<RasterSamples, 3>& bands) {
    std::vector<float> values;
    for (const RasterSamples& band : bands) {
        const std::size_t step = std::max<std::size_t>(1, band.values.size() / 200000);
        for (std::size_t k = 0; k < band.values.size(); k += step)
            if (!std::isnan(band.values[k])) values.push_back(band.values[k]);
    }
    if (values.empty()) return {0.0f, 255.0f};
    auto rank = [&](double share) {
        auto at = values.begin() + std::ptrdiff_t(share * double(values.size() - 1));
        std::nth_element(values.begin(), at, values.end());
        return *at;
    };
    const float low = rank(0.01), high = rank(0.99);
    return {low, high > low ? high : low + 1.0f};
}

// Lattice points for mapping a land of this extent: one every 100 m or so.
int latticeNodesFor(double extent) {
    return std::clamp(int(extent / 100.0) + 2, 2, 129);
}

// Largest half-size at which a square around the centre lies inside the raster.
template <typename Inside> double largestInside(double upper, Inside inside) {
    double lower = 0.0;
    for (int i = 0; i < 40 && upper - lower > 0.01; ++i) {
        const double middle = 0.5 * (lower + upper);
        (inside(middle) ? lower : upper) = middle;
    }
    return lower;
}
} // namespace

bool GeoLand::place(LandRecipe& recipe, std::vector<std::string>& notes, std::string& error) {
    if (!dem.open(folderPath(recipe, recipe.dem), error)) return false;
    if (!dem.georeferenced()) return readPlain(recipe, error);
    double latitude = 0, longitude = 0;
    if (recipe.center) {
        latitude = (*recipe.center)[0];
        longitude = (*recipe.center)[1];
    } else if (!dem.centre(latitude, longitude, error)) {
        return false;
    }
    if (!recipe.center)
        notes.push_back("centre " + std::to_string(latitude) + " " + std::to_string(longitude) +
                        ", the raster's centre; set land.center to change it");
    localFrame = std::make_unique<LocalFrame>(latitude, longitude);
    recipe.latitude = latitude;
    recipe.longitude = longitude;
    recipe.northDirection = 90.0f; // the frame's y axis is the centre's meridian
    PixelMap centre;
    if (!dem.mapFrame(*localFrame, -1, -1, 1, 1, 2, centre, error)) return false;
    const auto c = centre.at(0, 0);
    if (!(c[0] >= 0 && c[1] >= 0 && c[0] <= dem.width() && c[1] <= dem.height())) {
        error = "the centre " + std::to_string(latitude) + " " + std::to_string(longitude) +
                " lies outside " + recipe.dem;
        return false;
    }
    if (!settleSize(recipe, notes, error) || !readGrid(recipe, error)) return false;
    const auto [low, high] = std::minmax_element(grid.values().begin(), grid.values().end());
    recipe.minHeight = *low;
    recipe.maxHeight = *high;
    if (!recipe.timeZoneGiven) {
        recipe.baseTimeZone = int(std::lround(longitude / 15.0));
        notes.push_back("time zone UTC" + std::string(recipe.baseTimeZone < 0 ? "" : "+") +
                        std::to_string(recipe.baseTimeZone) +
                        " from the longitude; set land.basetimezone to change it");
    }
    return true;
}

bool GeoLand::readPlain(LandRecipe& recipe, std::string& error) {
    if (!recipe.sizeGiven) {
        error = recipe.dem +
                " has no georeference: give the land's size with land.size.x and land.size.y";
        return false;
    }
    if (recipe.center) {
        recipe.latitude = (*recipe.center)[0];
        recipe.longitude = (*recipe.center)[1];
    }
    const int columns = std::min(dem.width(), 4097), rows = std::min(dem.height(), 4097);
    RasterSamples samples;
    if (!dem.readHeights({0, 0, dem.width(), dem.height()}, columns, rows, samples, error))
        return false;
    const auto [low, high] = std::minmax_element(samples.values.begin(), samples.values.end());
    recipe.minHeight = *low;
    recipe.maxHeight = *high;
    grid = HeightMap(columns, rows, std::move(samples.values));
    return true;
}

bool GeoLand::settleSize(LandRecipe& recipe, std::vector<std::string>& notes, std::string& error) {
    if (recipe.sizeGiven) return true;
    PixelMap probe;
    if (!dem.mapFrame(*localFrame, -500, -500, 500, 500, 2, probe, error)) return false;
    const auto b = probe.bounds();
    const double metresPerPixel = 1000.0 / std::max(b[1] - b[0], b[3] - b[2]);
    const double upper = 0.75 * std::hypot(dem.width(), dem.height()) * metresPerPixel;
    const double half = largestInside(upper, [&](double h) {
        PixelMap map;
        std::string ignored;
        if (!dem.mapFrame(*localFrame, -h, -h, h, h, 17, map, ignored)) return false;
        const auto e = map.bounds();
        return e[0] >= 0 && e[2] >= 0 && e[1] <= dem.width() && e[3] <= dem.height();
    });
    if (half < 1.0) {
        error = "the centre lies on the edge of " + recipe.dem + ": no land fits around it";
        return false;
    }
    recipe.sizeX = recipe.sizeY = float(2.0 * half);
    notes.push_back("size " + metres(recipe.sizeX) +
                    " a side, the largest square inside the raster; set land.size.x and "
                    "land.size.y to change it");
    return true;
}

bool GeoLand::checkInside(const LandRecipe& recipe, const PixelMap& map, std::string& error) const {
    const auto b = map.bounds();
    const double metresPerColumn = recipe.sizeX / std::max(b[1] - b[0], 1e-9);
    const double metresPerRow = recipe.sizeY / std::max(b[3] - b[2], 1e-9);
    const std::pair<const char*, double> overshoot[] = {
        {"west", -b[0] * metresPerColumn},
        {"east", (b[1] - dem.width()) * metresPerColumn},
        {"north", -b[2] * metresPerRow},
        {"south", (b[3] - dem.height()) * metresPerRow}};
    std::string sides;
    for (const auto& [side, distance] : overshoot)
        if (distance > 0.01)
            sides += std::string(sides.empty() ? "" : ", ") + "its " + side + " edge by " +
                     metres(std::max(distance, 1.0));
    if (sides.empty()) return true;
    error = "the land (" + metres(recipe.sizeX) + " x " + metres(recipe.sizeY) + ") runs past " +
            recipe.dem + ": " + sides;
    return false;
}

bool GeoLand::readGrid(const LandRecipe& recipe, std::string& error) {
    const double halfX = 0.5 * recipe.sizeX, halfY = 0.5 * recipe.sizeY;
    PixelMap map;
    if (!dem.mapFrame(*localFrame, -halfX, -halfY, halfX, halfY,
                      latticeNodesFor(std::max(recipe.sizeX, recipe.sizeY)), map, error) ||
        !checkInside(recipe, map, error))
        return false;
    const auto b = map.bounds();
    const int across = int(std::ceil(std::max(b[1] - b[0], b[3] - b[2]))) + 1;
    const int size = gridSizeFor(across, across, recipe.grid);
    const RasterWindow window = map.window(dem.width(), dem.height(), 2);
    // Finer than the grid is of no use: read at most two samples per grid step.
    const int columns = std::min(window.width, 2 * size);
    const int rows = std::min(window.height, 2 * size);
    RasterSamples samples;
    if (!dem.readHeights(window, columns, rows, samples, error)) return false;
    std::vector<float> heights(std::size_t(size) * size);
    for (int r = 0; r < size; ++r) {
        const double y = halfY - r * recipe.sizeY / (size - 1);
        for (int c = 0; c < size; ++c) {
            const auto p = map.at(-halfX + c * recipe.sizeX / (size - 1), y);
            heights[std::size_t(r) * size + c] = samples.at(p[0], p[1]);
        }
    }
    grid = HeightMap(size, size, std::move(heights));
    return true;
}

bool GeoLand::drapePhoto(const LandRecipe& recipe, RgbPicture& ground,
                         std::vector<std::string>& notes, std::string& error) const {
    GeoRaster photo;
    if (!photo.open(folderPath(recipe, recipe.photo), error)) return false;
    if (!photo.georeferenced() || !localFrame) {
        error = recipe.photo + " has no georeference, so it cannot be placed on the land" +
                (localFrame ? "" : " (nor can any picture on a land without one)");
        return false;
    }
    const double halfX = 0.5 * recipe.sizeX, halfY = 0.5 * recipe.sizeY;
    PixelMap map;
    if (!photo.mapFrame(*localFrame, -halfX, -halfY, halfX, halfY,
                        latticeNodesFor(std::max(recipe.sizeX, recipe.sizeY)), map, error))
        return false;
    const RasterWindow window = map.window(photo.width(), photo.height(), 2);
    std::array<RasterSamples, 3> bands;
    bool bytes = true;
    if (window.width > 0 && window.height > 0)
        for (int k = 0; k < 3; ++k) {
            const int columns = std::min(window.width, 2 * ground.width);
            const int rows = std::min(window.height, 2 * ground.height);
            if (!photo.read(recipe.photoBands[k], window, columns, rows, bands[k], error))
                return false;
            bytes = bytes && photo.bandIsByte(recipe.photoBands[k]);
        }
    const auto [low, high] = bytes ? std::array<float, 2>{0.0f, 255.0f} : stretchRange(bands);
    double missMinX = 1e300, missMaxX = -1e300, missMinY = 1e300, missMaxY = -1e300;
    std::size_t missing = 0;
    for (int row = 0; row < ground.height; ++row) {
        const double y = -halfY + (row + 0.5) * recipe.sizeY / ground.height;
        for (int column = 0; column < ground.width; ++column) {
            const double x = -halfX + (column + 0.5) * recipe.sizeX / ground.width;
            const auto p = map.at(x, y);
            std::array<float, 3> colour{};
            bool covered = p[0] >= 0 && p[1] >= 0 && p[0] <= photo.width() &&
                           p[1] <= photo.height() && window.width > 0 && window.height > 0;
            for (int k = 0; k < 3 && covered; ++k) {
                colour[k] = bands[k].at(p[0], p[1]);
                covered = !std::isnan(colour[k]);
            }
            if (!covered) {
                ++missing;
                missMinX = std::min(missMinX, x + halfX);
                missMaxX = std::max(missMaxX, x + halfX);
                missMinY = std::min(missMinY, y + halfY);
                missMaxY = std::max(missMaxY, y + halfY);
                continue;
            }
            std::uint8_t* texel = ground.at(column, row);
            for (int k = 0; k < 3; ++k)
                texel[k] = std::uint8_t(
                    std::clamp(std::lround((colour[k] - low) / (high - low) * 255.0f), 0L, 255L));
        }
    }
    if (missing > 0) {
        const double texelX = recipe.sizeX / ground.width, texelY = recipe.sizeY / ground.height;
        notes.push_back(
            recipe.photo + " does not cover x " + metres(missMinX - 0.5 * texelX) + " to " +
            metres(missMaxX + 0.5 * texelX) + ", y " + metres(missMinY - 0.5 * texelY) + " to " +
            metres(missMaxY + 0.5 * texelY) + " of the land (" +
            std::to_string(missing * 100 / (std::size_t(ground.width) * ground.height)) +
            " %); the ground is painted there");
    }
    return true;
}
