// Lands made from elevation data that the test makes with GDAL: heights and placing
// on the globe are checked against the surface itself, through the test's own
// coordinate transformation.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>

#include <gdal_priv.h>
#include <ogr_spatialref.h>

#include "../support/WorkingFolder.h"
#include "LandMaker.h"
#include "LandRecipe.h"
#include "io/KeyValueFile.h"
#include "world/terrain/Terrain.h"

namespace {
constexpr double centreLat = 46.05, centreLon = 6.32;
// The raster: 6 km across around the centre in UTM zone 32N, 10 m pixels, in feet.
constexpr double left = 292671.077 - 3000, top = 5103095.052 + 3000;

double surface(double east, double north) { // metres over sea level
    return 900.0 + 300.0 * std::sin(east / 700.0) * std::cos(north / 900.0) + 0.05 * north;
}

bool inHole(int column, int row) {
    return (column / 25 + row / 25) % 7 == 3;
}

void writeRaster(const char* path, bool georeferenced) {
    GDALAllRegister();
    GDALDataset* data = GetGDALDriverManager()->GetDriverByName("GTiff")->Create(
        path, 600, 600, 1, GDT_Float32, nullptr);
    double transform[6] = {left, 10, 0, top, 0, -10};
    data->SetGeoTransform(transform);
    OGRSpatialReference utm;
    utm.importFromEPSG(32632);
    if (georeferenced) data->SetSpatialRef(&utm);
    std::vector<float> feet(600 * 600);
    for (int n = 0; n < 600 * 600; ++n) // values at pixel centres
        feet[n] =
            inHole(n % 600, n / 600)
                ? -9999.0f
                : float(surface(left + 10 * (n % 600 + 0.5), top - 10 * (n / 600 + 0.5)) / 0.3048);
    GDALRasterBand* band = data->GetRasterBand(1);
    band->SetUnitType("ft");
    band->SetNoDataValue(-9999);
    EXPECT_EQ(band->RasterIO(GF_Write, 0, 0, 600, 600, feet.data(), 600, 600, GDT_Float32, 0, 0),
              CE_None);
    GDALClose(data);
}

// The land's frame, made here from its definition rather than by the land maker.
std::unique_ptr<OGRCoordinateTransformation> frameTo(int epsg) {
    OGRSpatialReference frame, target;
    frame.importFromProj4("+proj=tmerc +lat_0=46.05 +lon_0=6.32 +k=1 +x_0=0 +y_0=0 +datum=WGS84");
    target.importFromEPSG(epsg);
    frame.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
    target.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
    return std::unique_ptr<OGRCoordinateTransformation>(
        OGRCreateCoordinateTransformation(&frame, &target));
}

// Makes the land "geo" from the side file's keys; keys given first win.
bool make(const std::string& extra, bool georeferenced, std::string& error) {
    std::filesystem::create_directories("lands/geo");
    writeRaster("lands/geo/dem.tif", georeferenced);
    KeyValueFile file;
    file.openText(extra +
                  "land.name = \"geo\"\nland.dem = \"dem.tif\"\nland.tolerance = \"0.5\"\n");
    LandRecipe recipe;
    MadeLandSummary summary;
    return recipe.read(file, "lands/geo", error) && makeLand(recipe, summary, error);
}
} // namespace

// The land's heights are the raster's at the same geographic point, holes
// filled, feet turned into metres; the land sits on the globe where asked and
// its northdir points the frame's +y along the meridian.
TEST(GeoLand, HeightsAndPlaceMatchTheRasterAtTheSameGeographicPoint) {
    testsupport::WorkingFolder folder;
    std::string error;
    ASSERT_TRUE(
        make("land.center = \"46.05 6.32\"\nland.size.x = \"3000\"\nland.size.y = \"2400\"\n", true,
             error))
        << error;
    KeyValueFile land;
    ASSERT_TRUE(land.open("lands/geo/geo.map"));
    EXPECT_NEAR(std::stod(land.getString("terrain.latitud")), centreLat, 1e-6);
    EXPECT_NEAR(std::stod(land.getString("terrain.longitud")), centreLon, 1e-6);
    EXPECT_EQ(land.getString("terrain.basetimezone"), "0"); // 6.32 / 15, rounded
    Terrain terrain;
    terrain.SetName("geo");
    ASSERT_TRUE(terrain.Load(land));
    EXPECT_EQ(std::make_pair(terrain.box().maxX, terrain.box().maxY),
              std::make_pair(3000.f, 2400.f));
    double x[2] = {0, 0}, y[2] = {0, 1000};
    frameTo(4326)->Transform(2, x, y);
    const double bearing =
        std::atan2((x[1] - x[0]) * std::cos(centreLat * M_PI / 180), y[1] - y[0]);
    EXPECT_NEAR(bearing * 180 / M_PI + land.getFloat("terrain.northdir", 0), 90.0, 0.01);

    auto toUtm = frameTo(32632);
    std::mt19937 random(14);
    std::uniform_real_distribution<double> across(1.0, 2999.0), up(1.0, 2399.0);
    for (int n = 0; n < 300; ++n) {
        const double lx = across(random), ly = up(random);
        double east = lx - 1500, north = ly - 1200;
        toUtm->Transform(1, &east, &north);
        const int c = int((east - left) / 10), r = int((top - north) / 10);
        bool nearHole = false; // filled holes need not match the surface
        for (int d = 0; d < 16; ++d)
            nearHole = nearHole || inHole(c + d % 4 - 1, r + d / 4 - 1);
        const float height = terrain.HeightAt(float(lx), float(ly));
        ASSERT_TRUE(nearHole || std::fabs(height - surface(east, north)) < 1.05)
            << lx << ", " << ly;
    }
}

TEST(GeoLand, BadInputIsRefusedWithAClearMessageAndNothingWritten) {
    const struct {
        const char* extra;
        bool georeferenced;
        const char* message;
    } cases[] = {
        {"land.dem = \"none.tif\"\n", true, "cannot find lands/geo/none.tif"},
        {"land.dem = \"geo.land\"\n", true, "GDAL cannot open lands/geo/geo.land"},
        {"land.size.x = \"8000\"\nland.size.y = \"3000\"\n", true,
         "runs past dem.tif: its west edge by 1"},
        {"", false, "has no georeference: give the land's size"},
    };
    for (const auto& c : cases) {
        testsupport::WorkingFolder folder;
        std::filesystem::create_directories("lands/geo");
        std::ofstream("lands/geo/geo.land") << "not a raster";
        std::string error;
        EXPECT_FALSE(
            make(std::string(c.extra) + "land.ground = \"g.tga\"\nland.ground.paint = \"64\"\n",
                 c.georeferenced, error));
        EXPECT_NE(error.find(c.message), std::string::npos) << error;
        EXPECT_FALSE(std::filesystem::exists("lands/geo/geo.map") ||
                     std::filesystem::exists("lands/geo/g.tga"));
    }
}
