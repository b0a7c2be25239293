// The land maker: triangulation, height maps, side files made into lands, painted pictures,
// and lands made from elevation data written here with GDAL, checked through GDAL.
#include <gdal_priv.h>
#include <gtest/gtest.h>
#include <ogr_spatialref.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <random>
#include <tuple>

#include "Bintree.h"
#include "LandMaker.h"
#include "LandRecipe.h"
#include "Noise.h"
#include "Painter.h"
#include "io/KeyValueFile.h"
#include "support/Golden.h"
#include "support/WorkingFolder.h"
#include "world/terrain/Terrain.h"

namespace {

constexpr float landSize = 640.0f;

HeightMap bumpyGrid(int size, uint32_t seed) {
    std::vector<float> heights(std::size_t(size) * size);
    for (int r = 0; r < size; ++r)
        for (int c = 0; c < size; ++c)
            heights[std::size_t(r) * size + c] =
                120.0f * fractalNoise(c / 9.0f, r / 9.0f, seed, 4) + 30.0f * (c > size / 2);
    return HeightMap(size, size, std::move(heights));
}

// Flat, with one sharp spike: every split around it has to drag its neighbours along.
HeightMap spikeGrid(int size) {
    std::vector<float> heights(std::size_t(size) * size, 50.0f);
    heights[std::size_t(size / 3) * size + size / 3 + 1] = 90.0f;
    return HeightMap(size, size, std::move(heights));
}

std::vector<uint8_t> bytes(const std::string& text) {
    return {text.begin(), text.end()};
}

std::vector<uint8_t> pgm16(int width, int height, const std::vector<unsigned>& samples) {
    auto data = bytes("P5\n# by hand\n" + std::to_string(width) + " " + std::to_string(height) +
                      "\n65535\n");
    for (unsigned v : samples)
        data.insert(data.end(), {uint8_t(v >> 8), uint8_t(v & 0xFF)});
    return data;
}

std::vector<uint8_t> greyTga(int width, int height, bool topFirst, std::vector<uint8_t> rows) {
    std::vector<uint8_t> data(18, 0);
    data[2] = 3;
    data[12] = uint8_t(width);
    data[14] = uint8_t(height);
    data[16] = 8;
    data[17] = topFirst ? 0x20 : 0x00;
    data.insert(data.end(), rows.begin(), rows.end());
    return data;
}

// Every leaf clockwise from above, every edge but the border's shared by two: no cracks.
inline void expectClockwiseAndCrackFree(const Terrain& terrain) {
    const auto& points = terrain.mesh().points;
    std::map<std::pair<int, int>, int> edges;
    for (const TriangleNode* leaf : terrain.treeRoot().leaves) {
        const auto& t = terrain.mesh().triangles[leaf->triangle];
        const auto &a = points[t[0]], &b = points[t[1]], &p = points[t[2]];
        ASSERT_LT((b[0] - a[0]) * (p[1] - a[1]) - (p[0] - a[0]) * (b[1] - a[1]), 0.0f);
        for (int i = 0; i < 3; ++i)
            ++edges[{std::min(t[i], t[(i + 1) % 3]), std::max(t[i], t[(i + 1) % 3])}];
    }
    const TerrainBox& box = terrain.box();
    for (const auto& [edge, count] : edges) {
        const auto &p = points[edge.first], &q = points[edge.second];
        const bool border = (p[0] == q[0] && (p[0] == box.minX || p[0] == box.maxX)) ||
                            (p[1] == q[1] && (p[1] == box.minY || p[1] == box.maxY));
        ASSERT_EQ(count, border ? 1 : 2) << "edge " << edge.first << "-" << edge.second;
    }
}

const char* sideFile =
    "land.name = \"test\"\n"
    "land.heightmap = \"test.pgm\"\n"
    "land.size.x = \"400\"\nland.size.y = \"400\"\n"
    "land.height.min = \"10\"\nland.height.max = \"60\"\n"
    "land.tolerance = \"0.5\"\nland.northdir = \"80\"\n"
    "spot1.name = \"Top\"\nspot1.x = \"300\"\nspot1.y = \"200\"\n"
    "spot1.orientation = \"90\"\nspot1.wind.speed = \"6\"\nspot1.wind.dir = \"45\"\n"
    "spot2.name = \"Fixed\"\nspot2.x = \"50\"\nspot2.y = \"50\"\nspot2.z = \"99\"\n"
    "spot3.name = \"Shore\"\nspot3.x = \"0\"\nspot3.y = \"200\"\n"
    "decor1.name = \"house\"\ndecor1.type = \"21\"\ndecor1.x = \"100\"\n"
    "decor1.y = \"100\"\ndecor1.width = \"10\"\ndecor1.depth = \"8\"\n"
    "decor1.height = \"6\"\ndecor1.roofheight = \"2\"\n"
    "forest1.x = \"200\"\nforest1.y = \"300\"\nforest1.radius = \"60\"\n"
    "forest1.trees = \"25\"\n"
    "treeline1.x0 = \"20\"\ntreeline1.y0 = \"20\"\ntreeline1.x1 = \"380\"\n"
    "treeline1.y1 = \"20\"\ntreeline1.trees = \"10\"\n";

HeightMap slope() { // rising to the east, out of the water
    std::vector<float> heights(33 * 33);
    for (int r = 0; r < 33; ++r)
        for (int c = 0; c < 33; ++c)
            heights[std::size_t(r) * 33 + c] =
                -3.0f + 50.0f * c / 32.0f + 3.0f * std::sin(r * 0.7f);
    return HeightMap(33, 33, std::move(heights));
}

bool readRecipe(const std::string& text, LandRecipe& recipe, std::string& error) {
    KeyValueFile file;
    file.openText(text);
    return recipe.read(file, "", error);
}
} // namespace

// Refined where the ground asks: flat, two halves; a spike, a few splits; below 0, all.
TEST(LandMakerTriangulation, LoadsClockwiseCrackFreeWithinTheToleranceRefiningWhereAsked) {
    const HeightMap flat(33, 33, std::vector<float>(33 * 33, 12.0f));
    const struct {
        HeightMap grid;
        float tolerance;
        std::size_t fewest, most;
    } cases[] = {{bumpyGrid(65, 7), 0.5f, 3, 8192},  {bumpyGrid(33, 11), 4.0f, 3, 2048},
                 {bumpyGrid(33, 11), 0.5f, 3, 2048}, {flat, 0.0f, 2, 2},
                 {spikeGrid(33), -1.0f, 2048, 2048}, {spikeGrid(33), 0.1f, 3, 511}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.tolerance);
        Bintree tree(c.grid);
        tree.refine(c.tolerance);
        EXPECT_GE(tree.leafCount(), c.fewest);
        EXPECT_LE(tree.leafCount(), c.most);
        KeyValueFile file;
        file.openText(landGeometryText(tree, landSize, landSize));
        Terrain terrain;
        ASSERT_TRUE(terrain.Load(file));
        EXPECT_EQ(terrain.leafCount(), tree.leafCount());
        EXPECT_EQ(terrain.mesh().triangleCount(), int(tree.nodes().size()));
        expectClockwiseAndCrackFree(terrain);
        // Every grid sample lies within the tolerance of the ground over it.
        const int n = c.grid.width();
        const float cell = landSize / float(n - 1);
        for (int at = 0; at < n * n; ++at)
            ASSERT_NEAR(terrain.HeightAt(at % n * cell, (n - 1 - at / n) * cell),
                        c.grid.at(at % n, at / n), std::max(c.tolerance, 0.0f) + 1e-3f)
                << at;
    }
}

TEST(HeightMapReading, PgmAndTgaSamplesSpreadOverTheHeightRangeRowZeroNorth) {
    HeightMap map;
    std::string error;
    ASSERT_TRUE(map.loadPgm(pgm16(3, 2, {0, 32768, 65535, 65535, 0, 16384}), 100, 200, error));
    EXPECT_EQ(map.width() * 10 + map.height(), 32);
    EXPECT_FLOAT_EQ(map.at(0, 0), 100.0f);
    EXPECT_NEAR(map.at(1, 0), 150.0f, 0.01f);
    EXPECT_NEAR(map.at(2, 1), 125.0f, 0.01f) << "big-endian samples, row after row";
    auto eight = bytes("P5 2 2 255\n");
    eight.insert(eight.end(), {0, 51, 255, 102});
    ASSERT_TRUE(map.loadPgm(eight, 0, 10, error)) << error;
    EXPECT_FLOAT_EQ(map.at(1, 1), 4.0f);
    // Bottom-left origin: the file's first row is the south edge.
    ASSERT_TRUE(map.loadTga(greyTga(2, 2, false, {10, 10, 250, 250}), 0, 255, error)) << error;
    EXPECT_FLOAT_EQ(map.at(0, 0), 250.0f);
    EXPECT_FLOAT_EQ(map.at(0, 1), 10.0f);
    ASSERT_TRUE(map.loadTga(greyTga(2, 2, true, {10, 10, 250, 250}), 0, 255, error)) << error;
    EXPECT_FLOAT_EQ(map.at(0, 0), 10.0f);

    auto colour = greyTga(2, 2, false, std::vector<uint8_t>(12, 0));
    colour[2] = 2;
    colour[16] = 24;
    const std::tuple<bool, std::vector<uint8_t>, const char*> bad[] = {
        {true, pgm16(4, 4, {1, 2, 3}), "shorter"},    {true, bytes("P2\n2 2\n255\n0 0 0 0\n"), ""},
        {true, bytes("P5\n2 2\n70000\n"), ""},        {true, bytes("P5\n1 9\n255\n123456789"), ""},
        {true, bytes("P5\n2 2\n255x0123"), "PGM"},    {false, colour, "greyscale"},
        {false, greyTga(4, 4, false, {1, 2, 3}), ""}, {false, bytes("tiny"), ""}};
    for (const auto& [pgm, data, reason] : bad) { // each refused with a reason
        error.clear();
        EXPECT_FALSE(pgm ? map.loadPgm(data, 0, 1, error) : map.loadTga(data, 0, 1, error));
        EXPECT_TRUE(!error.empty() && error.find(reason) != std::string::npos) << error;
    }
}

TEST(HeightMapReading, ResamplingInterpolatesAndGridsArePowersOfTwoPlusOne) {
    const HeightMap fine = HeightMap(2, 2, {0, 10, 20, 30}).resampled(3);
    EXPECT_EQ(std::vector<float>({fine.at(0, 0), fine.at(2, 2), fine.at(1, 1), fine.at(1, 0)}),
              std::vector<float>({0, 30, 15, 5}));
    const int sizes[][4] = {{257, 257, 0, 257},     {300, 200, 0, 513},   {2, 2, 0, 3},
                            {1000, 1000, 100, 129}, {60000, 10, 0, 4097}, {1000, 1000, 1, 3}};
    for (const auto& s : sizes)
        EXPECT_EQ(gridSizeFor(s[0], s[1], s[2]), s[3]) << s[0] << "x" << s[1];
    for (const auto& [width, height, suitable] : {std::tuple{33, 33, true}, {33, 17, false}})
        EXPECT_EQ(Bintree::suitable(HeightMap(width, height, std::vector<float>(width * height))),
                  suitable);
}

TEST(LandMakerRecipe, MadeLandPutsSpotsAndSceneriesOnTheGround) {
    LandRecipe recipe;
    std::string error;
    ASSERT_TRUE(readRecipe(sideFile, recipe, error)) << error;
    MadeLandSummary summary;
    const std::string text = makeLandText(recipe, slope(), summary, error);
    ASSERT_FALSE(text.empty()) << error;

    KeyValueFile file;
    file.openText(text);
    Terrain terrain;
    ASSERT_TRUE(terrain.Load(file));
    ASSERT_EQ(terrain.spots().size(), 4u);
    const Spot& top = terrain.spots()[1];
    EXPECT_NEAR(top.z, terrain.HeightAt(300, 200), 1e-3f);
    EXPECT_NEAR(top.windDirection, 45 * 0.01745329252f, 1e-5f);
    EXPECT_EQ(terrain.spots()[2].z, 99.0f) << "a given height is kept";
    EXPECT_EQ(terrain.spots()[3].z, 0.0f) << "a spot over the water stands on it";
    EXPECT_NEAR(terrain.northDirection(), 80 * 0.01745329252f, 1e-5f);

    // The house sits at the lowest of its corners, a little sunk.
    float lowest = 1e9f;
    for (float dx : {0.0f, 10.0f})
        for (float dy : {0.0f, 8.0f})
            lowest = std::min(lowest, terrain.HeightAt(100 + dx, 100 + dy));
    EXPECT_NEAR(file.getFloat("decor1.z", 0), lowest - 0.2f, 1e-3f);

    const Painter painter(recipe, slope());
    int trees = 0;
    for (int n = 2; file.find("decor" + std::to_string(n) + ".name"); ++n, ++trees) {
        const std::string key = "decor" + std::to_string(n) + ".";
        EXPECT_EQ(file.getInt(key + "type", 0), 1);
        const float x = file.getFloat(key + "x", -1), y = file.getFloat(key + "y", -1);
        EXPECT_NEAR(file.getFloat(key + "z", 0), terrain.HeightAt(x, y) - 0.4f, 1e-3f);
        if (n <= 26) {
            EXPECT_TRUE(painter.inForest(recipe.forests[0], 0, x, y))
                << "tree " << n << " off its wood";
        }
    }
    EXPECT_EQ(trees, 25 + 10);
    EXPECT_EQ(summary.sceneries, 36u);
    EXPECT_GT(text.rfind("[Spot]"), text.rfind("decor")) << "the spot section comes last";
    EXPECT_EQ(text.substr(text.rfind("[Spot]")), terrain.SpotSectionText())
        << "saving spots in the game changes nothing";
}

TEST(LandMakerRecipe, BadSideFilesAreRefusedWithAReason) {
    // No name, no height map, a path for a name, a negative size, heights upside down.
    const std::string named = "land.name = \"x\"\nland.heightmap = \"a.pgm\"\n";
    LandRecipe recipe;
    std::string error;
    for (const std::string& text :
         {std::string("land.heightmap = \"a.pgm\"\n"), std::string("land.name = \"x\"\n"),
          "land.name = \"../x\"\n" + named, "land.size.x = \"-5\"\n" + named,
          "land.height.min = \"9\"\nland.height.max = \"3\"\n" + named}) {
        error.clear();
        EXPECT_FALSE(readRecipe(text, recipe, error)) << text;
        EXPECT_FALSE(error.empty()) << text;
    }
    MadeLandSummary summary;
    recipe = LandRecipe();
    ASSERT_TRUE(readRecipe("land.name = \"x\"\nland.heightmap = \"missing.pgm\"\n", recipe, error));
    recipe.folder = "/nonexistent-folder";
    EXPECT_FALSE(makeLand(recipe, summary, error));
    EXPECT_NE(error.find("missing.pgm"), std::string::npos) << error;
}

// One of each thing painted on a gentle rise (heath on its top), north up, and the
// sky and the skyline's hills under it, as approved; the TGA file keeps the ground's pixels.
TEST(LandMakerPictures, GroundAndSkylineLookAsApprovedAndTheTgaKeepsThem) {
    LandRecipe recipe;
    recipe.sizeX = recipe.sizeY = 400;
    recipe.maxHeight = 1;                           // from 0
    recipe.forests.push_back({200, 60, 50, 0, 12}); // along the south edge
    recipe.tracks.push_back({{{20, 380}, {200, 200}, {380, 260}}, 8});
    recipe.strips.push_back({300, 100, 120, 30, 20});
    recipe.fieldAreas.push_back({0, 150, 400, 330, 60, 15, 0.01f});
    recipe.sceneries.push_back({"house", 21, 80, 300, {}, 0, 0, 0, 6, 10, 8, 2});
    const HeightMap rise(2, 2, {1, 1, 0, 0}); // the painter keeps a reference
    const Painter painter(recipe, rise);
    const RgbPicture ground = painter.paintGround(160), sky = painter.paintSky(32);
    const std::pair<const char*, testsupport::Picture> pictures[] = {
        {"land_ground", testsupport::cropped(ground, 0, 0, 160, 160)},
        {"land_sky", {32, 32, sky.rgb}},
        {"land_skyline", {256, 160, painter.paintSkyline(256, 160, 0.3f).rgb}}};
    for (const auto& [name, picture] : pictures)
        EXPECT_TRUE(testsupport::matchesGolden(name, picture));
    testsupport::WorkingFolder folder;
    ASSERT_TRUE(writeTga("ground.tga", ground, false));
    std::ifstream in("ground.tga", std::ios::binary);
    const std::vector<uint8_t> tga{std::istreambuf_iterator<char>(in), {}};
    ASSERT_EQ(tga.size(), 18 + ground.rgb.size() + 26);
    for (std::size_t i = 0; i < ground.rgb.size(); ++i) // blue, green, red
        ASSERT_EQ(tga[18 + i], ground.rgb[i / 3 * 3 + 2 - i % 3]) << i;
}

namespace {
constexpr double centreLat = 46.05, centreLon = 6.32;
constexpr double utmE = 292671.077, utmN = 5103095.052; // the centre in UTM zone 32N

// A tilted plane in metres: any swapped or mirrored axis moves every height.
double surface(double east, double north) {
    return 900.0 + 0.05 * (east - utmE) - 0.03 * (north - utmN);
}

} // namespace

TEST(GeoLand, HeightsAndPlaceMatchTheRasterAtTheSameGeographicPoint) {
    testsupport::WorkingFolder folder;
    std::filesystem::create_directories("lands/geo");
    constexpr int size = 600;
    double transform[6] = {utmE - 3000, 10, 0, utmN + 3000, 0, -10};
    GDALAllRegister();
    GDALDataset* dem = GetGDALDriverManager()->GetDriverByName("GTiff")->Create(
        "lands/geo/dem.tif", size, size, 1, GDT_Float32, nullptr);
    dem->SetGeoTransform(transform);
    OGRSpatialReference frame, utm;
    utm.importFromEPSG(32632);
    dem->SetSpatialRef(&utm);
    std::vector<float> values(size * size);
    for (int row = 0; row < size; ++row)
        for (int column = 0; column < size; ++column)
            values[row * size + column] =
                float(surface(transform[0] + 10 * (column + 0.5), transform[3] - 10 * (row + 0.5)));
    ASSERT_EQ(dem->GetRasterBand(1)->RasterIO(GF_Write, 0, 0, size, size, values.data(), size, size,
                                              GDT_Float32, 0, 0),
              CE_None);
    GDALClose(dem);
    KeyValueFile side;
    side.openText("land.name = \"geo\"\nland.dem = \"dem.tif\"\nland.tolerance = \"0.5\"\n"
                  "land.center = \"46.05 6.32\"\nland.size.x = \"3000\"\nland.size.y = \"2400\"\n");
    LandRecipe recipe;
    MadeLandSummary summary;
    std::string error;
    ASSERT_TRUE(recipe.read(side, "lands/geo", error) && makeLand(recipe, summary, error)) << error;
    KeyValueFile land;
    ASSERT_TRUE(land.open("lands/geo/geo.map"));
    EXPECT_NEAR(land.getFloat("terrain.latitud", 0), centreLat, 1e-5);
    EXPECT_NEAR(land.getFloat("terrain.longitud", 0), centreLon, 1e-5);
    Terrain terrain;
    terrain.SetName("geo");
    ASSERT_TRUE(terrain.Load(land));
    const float sizeX = terrain.box().maxX, sizeY = terrain.box().maxY;
    EXPECT_NEAR(sizeX, 3000, 20);
    EXPECT_NEAR(sizeY, 2400, 20);
    // The land's frame is a transverse Mercator about its centre, x east, y north.
    frame.importFromProj4("+proj=tmerc +lat_0=46.05 +lon_0=6.32 +k=1 +x_0=0 +y_0=0 +datum=WGS84");
    utm.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
    std::unique_ptr<OGRCoordinateTransformation> toUtm(
        OGRCreateCoordinateTransformation(&frame, &utm));
    std::mt19937 random(14);
    std::uniform_real_distribution<float> across(1, sizeX - 1), up(1, sizeY - 1);
    for (int n = 0; n < 100; ++n) {
        const float x = across(random), y = up(random);
        double east = x - sizeX / 2, north = y - sizeY / 2;
        toUtm->Transform(1, &east, &north);
        ASSERT_NEAR(terrain.HeightAt(x, y), surface(east, north), 1.0) << "at " << x << ", " << y;
    }
}
