// Lands made from elevation data that the tests make with GDAL: heights and placing
// on the globe are checked against the rasters themselves, through the tests' own
// coordinate transformations.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <functional>
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
constexpr double utmE = 292671.077, utmN = 5103095.052; // the centre in UTM zone 32N

struct Raster {
    int epsg;
    std::array<double, 6> transform;
    int width, height;
    std::function<double(double column, double row)> value; // at pixel centres
    const char* unit = "m";
};

void writeRaster(const std::string& path, const Raster& r) {
    GDALAllRegister();
    GDALDataset* data = GetGDALDriverManager()->GetDriverByName("GTiff")->Create(
        path.c_str(), r.width, r.height, 1, GDT_Float32, nullptr);
    data->SetGeoTransform(const_cast<double*>(r.transform.data()));
    if (r.epsg != 0) {
        OGRSpatialReference srs;
        srs.importFromEPSG(r.epsg);
        data->SetSpatialRef(&srs);
    }
    std::vector<float> values(std::size_t(r.width) * r.height);
    for (std::size_t n = 0; n < values.size(); ++n)
        values[n] = float(r.value(double(n % r.width), double(n / r.width)));
    GDALRasterBand* band = data->GetRasterBand(1);
    band->SetUnitType(r.unit);
    band->SetNoDataValue(-9999);
    EXPECT_EQ(band->RasterIO(GF_Write, 0, 0, r.width, r.height, values.data(), r.width, r.height,
                             GDT_Float32, 0, 0),
              CE_None);
    GDALClose(data);
}

// The land's frame, made here from its definition rather than by the land maker.
std::unique_ptr<OGRCoordinateTransformation> frameTo(int epsg, double lat, double lon) {
    OGRSpatialReference frame, target;
    frame.importFromProj4(("+proj=tmerc +lat_0=" + std::to_string(lat) +
                           " +lon_0=" + std::to_string(lon) + " +k=1 +x_0=0 +y_0=0 +datum=WGS84")
                              .c_str());
    target.importFromEPSG(epsg);
    frame.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
    target.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
    return std::unique_ptr<OGRCoordinateTransformation>(
        OGRCreateCoordinateTransformation(&frame, &target));
}

// Pixel position (GDAL's: corners at integers) of a frame point in a raster.
std::array<double, 2> pixelOf(const Raster& r, OGRCoordinateTransformation& t, double x, double y) {
    t.Transform(1, &x, &y);
    const auto& g = r.transform;
    return {(x - g[0]) / g[1], (y - g[3]) / g[5]};
}

double bilinear(const Raster& r, std::array<double, 2> p) {
    const double u = p[0] - 0.5, v = p[1] - 0.5;
    const int i = int(std::floor(u)), j = int(std::floor(v));
    const double fu = u - i, fv = v - j;
    return (r.value(i, j) * (1 - fu) + r.value(i + 1, j) * fu) * (1 - fv) +
           (r.value(i, j + 1) * (1 - fu) + r.value(i + 1, j + 1) * fu) * fv;
}

double surface(double east, double north) { // metres over sea level
    return 900.0 + 300.0 * std::sin(east / 700.0) * std::cos(north / 900.0) + 0.05 * north;
}

bool inHole(int column, int row) {
    return (column / 25 + row / 25) % 7 == 3;
}

// Two rasters about 6 km across around the same centre: one projected, in feet,
// with holes; one geographic, whose centre the land maker must find on its own.
std::vector<std::pair<const char*, Raster>> elevationCases() {
    const double left = utmE - 3000, top = utmN + 3000, arc = 1.0 / 3600.0;
    const auto feet = [=](double c, double r) {
        return inHole(int(c), int(r)) ? -9999.0 : surface(left + 10 * c, top - 10 * r) / 0.3048;
    };
    const auto geographic = [](double c, double r) {
        return 400.0 + 150.0 * std::sin(c / 30.0) * std::cos(r / 25.0) + 2.0 * r;
    };
    return {{"projected", {32632, {left, 10, 0, top, 0, -10}, 600, 600, feet, "ft"}},
            {"geographic",
             {4326, {centreLon - 0.04, arc, 0, centreLat + 0.03, 0, -arc}, 288, 216, geographic}}};
}

std::string sideFile(const std::string& extra) {
    // Keys given first win, so a case can name another elevation file.
    return extra + "land.name = \"geo\"\nland.dem = \"dem.tif\"\nland.tolerance = \"0.5\"\n";
}

bool make(const std::string& side, MadeLandSummary& summary, std::string& error) {
    KeyValueFile file;
    file.openText(side);
    LandRecipe recipe;
    return recipe.read(file, "lands/geo", error) && makeLand(recipe, summary, error);
}
} // namespace

TEST(GeoLand, HeightsAndPlaceMatchTheRasterAtTheSameGeographicPoint) {
    for (const auto& [name, raster] : elevationCases()) {
        SCOPED_TRACE(name);
        testsupport::WorkingFolder folder;
        std::filesystem::create_directories("lands/geo");
        writeRaster("lands/geo/dem.tif", raster);
        MadeLandSummary summary;
        std::string error;
        // The geographic raster's centre is the land's centre, the default the maker must find.
        const bool defaults = std::string(name) == "geographic";
        ASSERT_TRUE(
            make(sideFile(defaults ? ""
                                   : "land.center = \"46.05 6.32\"\nland.size.x = \"3000\"\n"
                                     "land.size.y = \"2400\"\n"),
                 summary, error))
            << error;
        KeyValueFile land;
        ASSERT_TRUE(land.open("lands/geo/geo.map"));
        EXPECT_NEAR(std::stod(land.getString("terrain.latitud")), centreLat, 1e-6);
        EXPECT_NEAR(std::stod(land.getString("terrain.longitud")), centreLon, 1e-6);
        EXPECT_EQ(land.getString("terrain.basetimezone"), "0"); // 6.32 / 15, rounded
        Terrain terrain;
        terrain.SetName("geo");
        ASSERT_TRUE(terrain.Load(land));
        const double sizeX = terrain.box().maxX, sizeY = terrain.box().maxY;
        if (defaults) { // the largest square inside 6.2 km x 6.7 km
            EXPECT_NEAR(sizeX, 6160, 40);
            EXPECT_EQ(sizeX, sizeY);
        }

        // North: the frame's +y must point along the meridian, which northdir says it does.
        auto toGeographic = frameTo(4326, centreLat, centreLon);
        double x[2] = {0, 0}, y[2] = {0, 1000};
        toGeographic->Transform(2, x, y);
        const double bearing =
            std::atan2((x[1] - x[0]) * std::cos(centreLat * M_PI / 180), y[1] - y[0]) * 180 / M_PI;
        EXPECT_NEAR(bearing + land.getFloat("terrain.northdir", 0), 90.0, 0.01);

        auto toRaster = frameTo(raster.epsg, centreLat, centreLon);
        std::mt19937 random(14);
        std::uniform_real_distribution<double> across(1.0, sizeX - 1), up(1.0, sizeY - 1);
        for (int n = 0; n < 300; ++n) {
            const double lx = across(random), ly = up(random);
            const auto p = pixelOf(raster, *toRaster, lx - sizeX / 2, ly - sizeY / 2);
            // Filled holes need not match the surface; skip points near them.
            const int c = int(p[0] - 0.5), r = int(p[1] - 0.5);
            bool nearHole = false;
            for (int dr = -1; dr <= 2; ++dr)
                for (int dc = -1; dc <= 2; ++dc)
                    nearHole = nearHole || inHole(c + dc, r + dr);
            if (raster.unit[0] == 'f' && nearHole) continue;
            const double metres = bilinear(raster, p) * (raster.unit[0] == 'f' ? 0.3048 : 1);
            ASSERT_NEAR(terrain.HeightAt(float(lx), float(ly)), metres, 0.5 + 0.5 + 0.01)
                << "at " << lx << ", " << ly;
        }
    }
}

TEST(GeoLand, BadInputIsRefusedWithAClearMessageAndNothingWritten) {
    const struct {
        const char* extra;
        int epsg;
        const char* message;
    } cases[] = {
        {"land.dem = \"none.tif\"\n", 32632, "cannot find lands/geo/none.tif"},
        {"land.dem = \"geo.land\"\n", 32632, "GDAL cannot open lands/geo/geo.land"},
        {"land.center = \"45.0 6.32\"\n", 32632, "lies outside"},
        {"land.size.x = \"8000\"\nland.size.y = \"3000\"\n", 32632,
         "runs past dem.tif: its west edge by 1"},
        {"", 0, "has no georeference: give the land's size"},
        {"land.size.x = \"1000\"\nland.size.y = \"1000\"\nland.photo = \"dem.tif\"\n", 0,
         "cannot be placed"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        testsupport::WorkingFolder folder;
        std::filesystem::create_directories("lands/geo");
        Raster raster = elevationCases()[0].second;
        raster.epsg = c.epsg;
        writeRaster("lands/geo/dem.tif", raster);
        std::ofstream("lands/geo/geo.land") << "not a raster";
        MadeLandSummary summary;
        std::string error;
        EXPECT_FALSE(make(sideFile(std::string(c.extra) + "land.ground = \"g.tga\"\n"
                                                          "land.ground.paint = \"64\"\n"),
                          summary, error));
        EXPECT_NE(error.find(c.message), std::string::npos) << error;
        EXPECT_FALSE(std::filesystem::exists("lands/geo/geo.map"));
        EXPECT_FALSE(std::filesystem::exists("lands/geo/g.tga"));
    }
}
