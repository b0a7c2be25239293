// Fuzz target: a saved game read into the world. The input is a saved game's
// text. It is read by the scene (observer, date, land flags and clouds, wind,
// thermals) over one of the sample lands, loaded once, and the world is then
// computed as a build computes it (sun, cloud layer, wind field with the launch
// spot's wind, thermals, observer placement) and run for a few frames, without
// a window. Every number that comes out must be finite, and the parameters the
// scene saves must read back to the same parameters.
//
// Two limits keep each run short: the wind grid is cut to 8 x 8 x 6 and the
// thermals to 64. Larger grids and populations are the same code run longer.
// The cloud picture itself is not generated (it costs 65,536 texels); its texel
// rule is checked with the cover and blur that were read.

#include <cstdint>
#include <memory>
#include <numbers>
#include <string>
#include <vector>

#include "FuzzChecks.h"
#include "io/KeyValueFile.h"
#include "platform/Keys.h"
#include "world/Scene.h"

namespace {

constexpr int maxColumns = 8;
constexpr int maxLayers = 6;
constexpr int maxThermals = 64;

// One scene per sample land, each built once; a saved game naming "field"
// goes to the field, anything else to the ridge.
struct SampleWorld {
    std::string landName;
    std::unique_ptr<Scene> scene;
};

std::unique_ptr<Scene> buildSample(const std::string& name) {
    auto scene = std::make_unique<Scene>();
    Land& land = scene->theLand();
    land.terrain.SetName(name);
    KeyValueFile landFile;
    const std::string path =
        std::string(VENTRIX_SOURCE_DIR) + "/data/lands/" + name + "/" + name + ".map";
    fuzzRequire(landFile.open(path), "the sample land file opens");
    fuzzRequire(land.loadFrom(landFile, scene->sceneDate()), "the sample land loads");
    scene->build();
    fuzzRequire(scene->isLoaded(), "the sample world is built");
    return scene;
}

std::vector<SampleWorld>& samples() {
    static std::vector<SampleWorld> worlds = [] {
        std::vector<SampleWorld> w;
        for (const char* name : {"ridge", "field"})
            w.push_back({name, buildSample(name)});
        return w;
    }();
    return worlds;
}

Scene& sceneFor(KeyValueFile& savedGame) {
    std::vector<SampleWorld>& worlds = samples();
    const std::string named = savedGame.getString("terrain.name");
    SampleWorld& world = named == worlds[1].landName ? worlds[1] : worlds[0];
    // Keep the land loaded: switching lands reads the land files again, which the
    // land target covers.
    savedGame.setValue("terrain.name", world.landName);
    return *world.scene;
}

// What a build does after the land load, minus the ground shading (a picture
// pass whose only input, the sun's direction, is checked here).
void computeAsBuild(Scene& scene, std::uint32_t seed) {
    Land& land = scene.theLand();
    scene.sceneDate().takeChange();
    fuzzRequire(land.sun.compute(land.terrain, scene.sceneDate()), "the sun computes");
    land.clouds.Fit(land.terrain);
    WindField& wind = scene.windField();
    wind.setGrid(std::min(wind.nx(), maxColumns), std::min(wind.nz(), maxLayers));
    const std::vector<Spot>& spots = land.terrain.spots();
    const Spot& launch = spots.size() > 1 ? spots[1] : spots[0];
    wind.setWind(launch.windDirection + std::numbers::pi_v<float>, launch.windSpeed);
    wind.compute();
    Thermals& thermals = scene.thermalSet();
    thermals.setMaxCount(std::min(thermals.nbmax(), maxThermals));
    thermals.compute();
    // The same population every run of this input.
    thermals.random().seed(seed);
    thermals.clear();
    thermals.update(0.0);
    scene.theObserver().placeAfterLoad(nullptr);
    scene.theObserver().updateOrientation();
}

void checkSun(const Sun& sun) {
    fuzzRequire(allFinite({sun.s0(), sun.s1(), sun.s2(), sun.s3()}),
                "the sun's numbers are finite");
    fuzzRequire(std::fabs(sun.s0() * sun.s0() + sun.s1() * sun.s1() - 1.0f) < 1e-3f,
                "elevation sine and cosine belong together");
    fuzzRequire(std::fabs(sun.s2() * sun.s2() + sun.s3() * sun.s3() - 1.0f) < 1e-3f,
                "direction sine and cosine belong together");
    for (const auto& point : sun.haloRing())
        fuzzRequire(allFinite(point), "the sun's halo is finite");
}

void checkClouds(const CloudLayer& clouds) {
    fuzzRequire(
        allFinite({clouds.Radius(), clouds.LayerHeight(), clouds.CentreX(), clouds.CentreY()}),
        "the cloud layer's place is finite");
    fuzzRequire(clouds.Radius() >= 10000.0f, "the cloud layer spans at least 10 km");
    fuzzRequire(allFinite({clouds.S0(), clouds.S1(), clouds.T0(), clouds.T1()}),
                "the cloud texture coordinates are finite");
    for (float noise : {0.0f, 0.3f, 0.6f, 1.0f, 1.248f})
        (void)NoiseTexture::coverValue(noise, clouds.Density(), clouds.Blur());
}

void checkWind(WindField& wind, const Terrain& terrain) {
    const TerrainBox& b = terrain.box();
    for (int i = -1; i <= 4; ++i) {
        for (int j = -1; j <= 4; ++j) {
            const float x = b.minX + (b.maxX - b.minX) * static_cast<float>(i) / 3.0f;
            const float y = b.minY + (b.maxY - b.minY) * static_cast<float>(j) / 3.0f;
            for (float h : {-5.0f, 0.0f, 0.7f, 40.0f, 1e5f})
                fuzzRequire(allFinite(wind.windAt(x, y, h)), "the wind is finite everywhere");
        }
    }
}

void checkThermals(const Thermals& thermals) {
    fuzzRequire(thermals.livingCount() <= thermals.nbmax(), "no more thermals than asked for");
    for (const auto& thermal : thermals.list()) {
        fuzzRequire(allFinite({thermal->radius(), thermal->top(), thermal->speed()}),
                    "a thermal's size is finite");
        for (const auto& point : thermal->points())
            fuzzRequire(allFinite(point), "a thermal's points are finite");
    }
}

void checkObserver(const Observer& observer) {
    fuzzRequire(allFinite(observer.position()), "the observer stands somewhere");
    fuzzRequire(allFinite(observer.viewDirection()), "the observer looks somewhere");
    fuzzRequire(allFinite(observer.leftPlane()) && allFinite(observer.rightPlane()),
                "the side planes are finite");
    fuzzRequire(observer.fieldOfView() >= 1.0f && observer.fieldOfView() <= 179.0f,
                "the field of view is kept within 1 to 179 degrees");
    fuzzRequire(std::isfinite(observer.tanHalfField()) && observer.tanHalfField() > 0.0f,
                "the projection has a width");
}

void runFrames(Scene& scene) {
    Observer& observer = scene.theObserver();
    for (double dt : {0.02, 0.5, 3.0, 0.0}) {
        scene.update(dt);
        observer.rotateByPixels(37.0f, -11.0f);
        observer.moveByKey(Key::Up, static_cast<float>(dt));
        observer.moveByKey(Key::Left, 0.1f);
    }
    observer.rotateByPixels(1e7f, -1e7f);
}

bool numbersAgree(float a, float b) {
    return std::fabs(a - b) <= 1e-4f + 1e-5f * std::fabs(a);
}

// Saving, reading back and saving again gives the same parameters.
void checkSavedGameRoundTrip(Scene& scene) {
    KeyValueFile first;
    scene.saveParams(first);
    scene.readParams(first);
    KeyValueFile second;
    scene.saveParams(second);
    std::size_t lineStart = 0;
    const std::string& text = first.text();
    while (lineStart < text.size()) {
        const std::size_t space = text.find(' ', lineStart);
        const std::size_t lf = text.find('\n', lineStart);
        if (space == std::string::npos || lf == std::string::npos) break;
        const std::string key = text.substr(lineStart, space - lineStart);
        const std::string a = first.getString(key), b = second.getString(key);
        const float fa = first.getFloat(key, 0.0f), fb = second.getFloat(key, 0.0f);
        const bool angle = key == "obs.alpha";
        const float turn = 2.0f * std::numbers::pi_v<float>;
        const bool same = a == b || numbersAgree(fa, fb) ||
                          (angle && std::fabs(std::remainder(fa - fb, turn)) < 1e-4f);
        if (!same)
            std::fprintf(stderr, "%s: \"%s\" then \"%s\"\n", key.c_str(), a.c_str(), b.c_str());
        fuzzRequire(same, "a saved game reads back to the same parameters");
        lineStart = lf + 1;
    }
}

std::uint32_t seedOf(const std::uint8_t* data, std::size_t size) {
    std::uint32_t h = 2166136261u;
    for (std::size_t i = 0; i < size; ++i)
        h = (h ^ data[i]) * 16777619u;
    return h;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    samples();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    KeyValueFile savedGame;
    savedGame.openText(inputText(data, size));
    Scene& scene = sceneFor(savedGame);
    scene.readParams(savedGame);
    computeAsBuild(scene, seedOf(data, size));
    checkSun(scene.theLand().sun);
    checkClouds(scene.theLand().clouds);
    checkWind(scene.windField(), scene.terrain());
    checkThermals(scene.thermalSet());
    checkObserver(scene.theObserver());
    runFrames(scene);
    checkThermals(scene.thermalSet());
    checkClouds(scene.theLand().clouds);
    checkObserver(scene.theObserver());
    checkSavedGameRoundTrip(scene);
    return 0;
}
