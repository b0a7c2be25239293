// Figures for lands made from elevation data: a 4 km x 4 km land from a
// 1-arc-second geographic raster and from a 1 m raster (4,000 x 4,000 samples,
// like a national LiDAR model), and a horizon painted from a 60 km x 60 km area.
// Prints the wall time of each and the process's peak memory after it.
#include <sys/resource.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <functional>
#include <string>

#include <gdal_priv.h>
#include <ogr_spatialref.h>

#include "Horizon.h"
#include "LandMaker.h"
#include "LandRecipe.h"
#include "io/KeyValueFile.h"

namespace {
namespace fs = std::filesystem;
constexpr double utmE = 292671.077, utmN = 5103095.052; // 46.05 N, 6.32 E in UTM 32N

double ground(double east, double north) {
    return 900.0 + 300.0 * std::sin(east / 700.0) * std::cos(north / 900.0) +
           40.0 * std::sin(east / 90.0 + north / 130.0) +
           0.3 * std::sin(east * 1.7) * std::cos(north * 1.3);
}

void writeRaster(const std::string& path, int epsg, const double (&transform)[6], int width,
                 int height, const std::function<float(double, double)>& value) {
    GDALAllRegister();
    GDALDataset* data = GetGDALDriverManager()->GetDriverByName("GTiff")->Create(
        path.c_str(), width, height, 1, GDT_Float32, nullptr);
    data->SetGeoTransform(const_cast<double*>(transform));
    OGRSpatialReference srs;
    srs.importFromEPSG(epsg);
    data->SetSpatialRef(&srs);
    std::vector<float> row(static_cast<std::size_t>(width));
    for (int r = 0; r < height; ++r) {
        for (int c = 0; c < width; ++c)
            row[std::size_t(c)] = value(transform[0] + transform[1] * (c + 0.5),
                                        transform[3] + transform[5] * (r + 0.5));
        if (data->GetRasterBand(1)->RasterIO(GF_Write, 0, r, width, 1, row.data(), width, 1,
                                             GDT_Float32, 0, 0) != CE_None)
            std::fprintf(stderr, "cannot write %s\n", path.c_str());
    }
    GDALClose(data);
}

// Processor time of the whole process, which on a shared machine says more than the wall clock.
double cpuSeconds() {
    return double(std::clock()) / CLOCKS_PER_SEC;
}

double peakMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) / 1024.0;
}

void makeFrom(const char* title, const fs::path& folder, const std::string& dem,
              const std::string& extra) {
    KeyValueFile side;
    side.openText("land.name = \"bench\"\nland.dem = \"" + dem +
                  "\"\nland.center = \"46.05 6.32\"\nland.size.x = \"4000\"\n"
                  "land.size.y = \"4000\"\nland.tolerance = \"0.5\"\n" +
                  extra);
    LandRecipe recipe;
    MadeLandSummary summary;
    std::string error;
    const auto start = std::chrono::steady_clock::now();
    const double cpuStart = cpuSeconds();
    const bool made = recipe.read(side, folder.string(), error) && makeLand(recipe, summary, error);
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (!made) {
        std::printf("%-44s failed: %s\n", title, error.c_str());
        return;
    }
    std::printf("%-40s %6.2f s (%.2f s CPU)  grid %d, %zu triangles, peak memory %.0f MB\n", title,
                seconds, cpuSeconds() - cpuStart, summary.gridSize, summary.triangles,
                peakMegabytes());
}
} // namespace

int main() {
    const fs::path folder = fs::temp_directory_path() / "ventrix-bench-geoland";
    fs::create_directories(folder);
    const double arc = 1.0 / 3600.0;
    // 5 km of each raster around the centre, so the 4 km land fits inside.
    const double arcTransform[6] = {6.32 - 0.035, arc, 0, 46.05 + 0.025, 0, -arc};
    const double metreTransform[6] = {utmE - 2100, 1, 0, utmN + 2100, 0, -1};
    const double horizonTransform[6] = {utmE - 30000, 30, 0, utmN + 30000, 0, -30};
    auto fromUtm = [](double e, double n) { return float(ground(e, n)); };
    auto fromDegrees = [](double lon, double lat) {
        return float(ground((lon - 6.32) * 77000.0, (lat - 46.05) * 111000.0));
    };
    std::printf("writing the rasters in %s...\n", folder.c_str());
    writeRaster((folder / "arcsecond.tif").string(), 4326, arcTransform, 252, 180, fromDegrees);
    writeRaster((folder / "metre.tif").string(), 32632, metreTransform, 4200, 4200, fromUtm);
    writeRaster((folder / "area.tif").string(), 32632, horizonTransform, 2000, 2000, fromUtm);
    std::printf("peak memory before making lands: %.0f MB\n", peakMegabytes());

    makeFrom("4 km land, 1-arc-second raster", folder, "arcsecond.tif", "");
    makeFrom("4 km land, 1 m raster (4,200 x 4,200)", folder, "metre.tif", "");

    GeoRaster area;
    std::string error;
    LocalFrame frame(46.05, 6.32);
    Horizon horizon;
    const auto start = std::chrono::steady_clock::now();
    const double cpuStart = cpuSeconds();
    if (!area.open((folder / "area.tif").string(), error) ||
        !horizon.read(area, frame, 30000, error)) {
        std::printf("horizon failed: %s\n", error.c_str());
        return 1;
    }
    WallBox box{0, 4000, 0, 4000, 600, 1300, 2000, 2000, 1000};
    const RgbPicture picture = horizon.paint(box, 1024, 512, 1);
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("%-40s %6.2f s (%.2f s CPU)  %d x %d picture, peak memory %.0f MB\n",
                "horizon from a 60 km x 60 km area (30 m)", seconds, cpuSeconds() - cpuStart,
                picture.width, picture.height, peakMegabytes());
    fs::remove_all(folder);
    return 0;
}
