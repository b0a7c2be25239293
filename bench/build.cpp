// Time of each step of building a world, from the first "Loading land..." to
// "Load completed", on the sample lands and on a large land of about 131,000
// leaf triangles with a 1024 x 1024 ground picture (made with the land maker).
//
// Needs a display (it uploads textures): xvfb-run -a ./bench_build [source dir [land...]]
// Lands named after the source folder are the only ones timed ("large" for the large one).
// The land maker is looked up next to this program.

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "gfx/GlTestWindow.h"
#include "io/KeyValueFile.h"
#include "world/Scene.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

double millisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// Stamps every progress report of a build.
class StepClock : public EventSubscriber {
  public:
    StepClock() : EventSubscriber(Scene::progressEvent) {}
    void onEvent(EventPublisher*, const Event& event) override {
        const auto* report = reinterpret_cast<const ProgressReport*>(event.payload);
        texts.emplace_back(report->text);
        stamps.push_back(Clock::now());
    }
    std::vector<std::string> texts;
    std::vector<Clock::time_point> stamps;
};

struct BuildTimes {
    double land = 0, wind = 0, thermals = 0, total = 0;
};

BuildTimes timeBuild(Scene& scene) {
    StepClock clock;
    scene.subscribe(&clock);
    scene.build();
    scene.unsubscribe(&clock);
    const auto& t = clock.stamps;
    auto ms = [&](int a, int b) {
        return std::chrono::duration<double, std::milli>(t[b] - t[a]).count();
    };
    return {ms(0, 1), ms(1, 2), ms(2, 3), ms(0, 3)};
}

std::string gameFor(const std::string& land, float x, float y) {
    return "terrain.name = \"" + land + "\"\nobs.x = \"" + std::to_string(x) + "\"\nobs.y = \"" +
           std::to_string(y) + "\"\n";
}

// The first spot after the land centre, so the build computes a real wind.
std::string gameAtFirstSpot(const std::string& land) {
    KeyValueFile landFile;
    landFile.open("lands/" + land + "/" + land + ".map");
    return gameFor(land, landFile.getFloat("spot1.x", 0.0f), landFile.getFloat("spot1.y", 0.0f));
}

// Breakdown of the land's first load, component by component, on fresh objects.
void printLandBreakdown(const std::string& land) {
    Land pieces;
    SceneDate date;
    KeyValueFile game;
    game.openText(gameFor(land, 0, 0));
    pieces.readParams(game);
    auto start = Clock::now();
    KeyValueFile landFile;
    landFile.open("lands/" + land + "/" + land + ".map");
    const double open = millisecondsSince(start);
    start = Clock::now();
    pieces.terrain.Load(landFile);
    const double terrain = millisecondsSince(start);
    start = Clock::now();
    pieces.sun.compute(pieces.terrain, date);
    pieces.terrain.ShadeGround(pieces.sun.direction());
    const double shade = millisecondsSince(start);
    start = Clock::now();
    pieces.sky.LoadSky(pieces.landBox(), landFile);
    const double sky = millisecondsSince(start);
    start = Clock::now();
    pieces.readSceneries(landFile);
    const double sceneries = millisecondsSince(start);
    start = Clock::now();
    pieces.clouds.Update(pieces.terrain);
    const double clouds = millisecondsSince(start);
    std::printf("  land load breakdown: read file %.1f ms, terrain %.1f ms, sun and shading "
                "%.1f ms, sky box %.1f ms, %zu sceneries %.1f ms, clouds %.1f ms\n",
                open, terrain, shade, sky, pieces.sceneries.size(), sceneries, clouds);
}

void benchLand(const std::string& land, int rounds) {
    const std::string game = gameAtFirstSpot(land);
    std::vector<BuildTimes> first, again, redated;
    std::size_t leaves = 0;
    int groundWidth = 0;
    for (int i = 0; i < rounds; ++i) {
        Scene scene;
        KeyValueFile savedGame;
        savedGame.openText(game);
        scene.readParams(savedGame);
        first.push_back(timeBuild(scene));
        again.push_back(timeBuild(scene));
        // A new date: the sun moves, the ground is shaded again, the files are not read.
        scene.sceneDate().set(14, 9, 2024, 10 + i, 0);
        redated.push_back(timeBuild(scene));
        leaves = scene.terrain().leafCount();
        groundWidth = scene.terrain().groundImage() ? scene.terrain().groundImage()->Width() : 0;
    }
    auto median = [](std::vector<BuildTimes> times, double BuildTimes::*field) {
        std::vector<double> values;
        for (const BuildTimes& t : times)
            values.push_back(t.*field);
        std::sort(values.begin(), values.end());
        return values[values.size() / 2];
    };
    std::printf("%s: %zu leaves, ground picture %d px wide, median of %d builds\n", land.c_str(),
                leaves, groundWidth, rounds);
    for (const auto& [label, times] :
         {std::pair{"first build", &first}, {"same again", &again}, {"new date", &redated}}) {
        std::printf("  %-12s  land %7.1f ms   wind %7.1f ms   thermals and observer %6.1f ms   "
                    "total %7.1f ms\n",
                    label, median(*times, &BuildTimes::land), median(*times, &BuildTimes::wind),
                    median(*times, &BuildTimes::thermals), median(*times, &BuildTimes::total));
    }
    printLandBreakdown(land);
}

// A 257 x 257 height map of rolling hills, refined fully by the land maker:
// 2 x 256 x 256 = 131,072 leaves.
bool makeLargeLand(const fs::path& landmaker) {
    const fs::path folder = "lands/large";
    fs::create_directories(folder);
    const int size = 257;
    std::ofstream pgm(folder / "large.pgm", std::ios::binary);
    pgm << "P5\n" << size << ' ' << size << "\n65535\n";
    for (int j = 0; j < size; ++j) {
        for (int i = 0; i < size; ++i) {
            const double h = 0.5 + 0.25 * std::sin(i * 0.05) * std::cos(j * 0.043) +
                             0.2 * std::sin((i + 2 * j) * 0.011);
            const int v = static_cast<int>(std::clamp(h, 0.0, 1.0) * 65535.0);
            pgm.put(static_cast<char>(v >> 8)).put(static_cast<char>(v & 255));
        }
    }
    pgm.close();
    std::ofstream side(folder / "large.land");
    side
        << "land.name = \"large\"\nland.heightmap = \"large.pgm\"\nland.grid = \"257\"\n"
           "land.size.x = \"6000\"\nland.size.y = \"6000\"\nland.height.min = \"100\"\n"
           "land.height.max = \"700\"\nland.tolerance = \"0\"\nland.ground = \"large_ground.tga\"\n"
           "land.ground.paint = \"1024\"\n"
           "[Spots]\nspot1.name = \"hill\"\nspot1.x = \"2500\"\nspot1.y = \"3200\"\n"
           "spot1.wind.speed = \"8\"\nspot1.wind.dir = \"90\"\n";
    side.close();
    const std::string command =
        "\"" + landmaker.string() + "\" " + (folder / "large.land").string() + " > /dev/null";
    return std::system(command.c_str()) == 0;
}

} // namespace

int main(int argc, char** argv) {
    const fs::path source =
        argc > 1 ? fs::path(argv[1]) : fs::path(__FILE__).parent_path().parent_path();
    const fs::path landmaker = fs::canonical("/proc/self/exe").parent_path() / "landmaker";
    char pattern[] = "/tmp/ventrix-bench-build-XXXXXX";
    if (mkdtemp(pattern) == nullptr) return 1;
    const fs::path work = pattern;
    fs::copy(source / "data" / "lands", work / "lands", fs::copy_options::recursive);
    fs::current_path(work);

    std::ifstream loadAverage("/proc/loadavg");
    std::string load;
    std::getline(loadAverage, load);
    std::printf("load average at start: %s\n", load.c_str());
    std::vector<std::string> lands(argv + std::min(argc, 2), argv + argc);
    if (lands.empty()) lands = {"ridge", "field", "large"};
    auto wanted = [&](const std::string& land) {
        return std::find(lands.begin(), lands.end(), land) != lands.end();
    };
    GlTestWindow window(320, 240);
    for (const char* land : {"ridge", "field"}) {
        if (wanted(land) && fs::exists(fs::path("lands") / land)) benchLand(land, 5);
    }
    if (wanted("large")) {
        if (fs::exists(landmaker) && makeLargeLand(landmaker))
            benchLand("large", 3);
        else
            std::printf("large land: no land maker at %s\n", landmaker.c_str());
    }
    fs::current_path("/");
    fs::remove_all(work);
    return 0;
}
