// Frame benchmark: the program's own application, at 800 x 600, with a saved
// game loaded and everything shown (the spot's wind applied, wind arrows,
// thermals, sun, clouds, sceneries, info bar), renders a fixed number of
// frames from a fixed spot and prints:
//   - the median time of a whole frame (update, clear, every layer, swap) and
//     its frame rate;
//   - the same frame cut into its parts, each timed between two glFinish calls
//     (scene update, sky, sun, clouds, ground, sceneries, wind arrows,
//     thermals, user interface, clear and swap);
//   - a bare baseline: the same terrain leaves, as the ground draw sends them
//     from that spot, called from one display list with the same texture and
//     fog; and the ratio of the two frame times;
//   - the whole frame without the wind arrows against a same-picture
//     baseline (sky box, clouds and those terrain leaves, each called from
//     one display list), and what the arrows add on their own;
//   - the peak resident memory of the process.
// With --bare-context instead, it prints what a bare GL window keeps resident.
// Usage: bench_frame GAME.sav [FRAMES] [SPOT] [PICTURE.ppm]   (run in a folder
// holding lands/); the picture, when named, is the last whole frame, so that a
// change made for speed can be checked to leave the picture as it was.

#include <GL/gl.h>
#include <SDL2/SDL.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <numeric>
#include <string>
#include <utility>
#include <vector>

#include "platform/Resources.h"
#include "shell/Accessors.h"
#include "app/SimulatorApplication.h"
#include "world/Scene.h"

namespace {

using Clock = std::chrono::steady_clock;

double millisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double median(std::vector<double> values) {
    if (values.empty()) return 0.0;
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : 0.5 * (values[n / 2 - 1] + values[n / 2]);
}

// A field of /proc/self/status in KiB ("VmHWM:" the peak, "VmRSS:" the current).
long statusKiB(const char* field) {
    std::ifstream status("/proc/self/status");
    std::string line;
    const std::size_t length = std::strlen(field);
    while (std::getline(status, line))
        if (line.compare(0, length, field) == 0)
            return std::strtol(line.c_str() + length, nullptr, 10);
    return 0;
}
long peakResidentKiB() {
    return statusKiB("VmHWM:");
}

double mib(std::size_t bytes) {
    return static_cast<double>(bytes) / (1024.0 * 1024.0);
}

// The program's application without the 6-second splash.
class BenchApplication : public SimulatorApplication {
  protected:
    std::unique_ptr<Element> createSplash() override { return nullptr; }
};

class FrameBench {
  public:
    FrameBench(BenchApplication& application, Scene& benchScene)
        : app(application), scene(benchScene), land(benchScene.theLand()) {}

    void showEverything(int spot) {
        scene.setShowWind(true);
        scene.setShowThermals(true);
        scene.setShowSun(true);
        scene.setShowClouds(true);
        scene.setShowSceneries(true);
        app.showScreenInfo = true;
        app.applyScreenInfo();
        land.terrain.FirstSpot();
        for (int i = 0; i < spot; ++i)
            scene.nextSpot();
    }

    // Lets the menu and the progress box leave and everything settle.
    void warmUp(int frames) {
        for (int i = 0; i < frames; ++i)
            wholeFrame();
    }

    double wholeFrame() {
        const Clock::time_point start = Clock::now();
        app.pumpOneEvent();
        app.update();
        app.renderFrame();
        return millisecondsSince(start);
    }

    // One frame drawn as the scene and the application draw it, each part
    // finished and timed on its own.
    void partedFrame(std::map<std::string, std::vector<double>>& parts) {
        const Observer& observer = scene.theObserver();
        auto timed = [&](const char* name, const std::function<void()>& work) {
            glFinish();
            const Clock::time_point start = Clock::now();
            work();
            glFinish();
            parts[name].push_back(millisecondsSince(start));
        };
        app.pumpOneEvent();
        timed("scene update", [&] { app.update(); });
        timed("clear", [] { glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT); });
        glEnable(GL_DEPTH_TEST);
        loadSceneView();
        timed("wind arrows", [&] {
            scene.windField().draw(observer.leftPlane(), observer.rightPlane(),
                                   land.terrain.extents()[0] * 0.001f);
        });
        timed("thermals", [&] { scene.thermalSet().draw(); });
        timed("sky", [&] { land.sky.Draw(); });
        timed("sun", [&] { land.sun.draw(observer); });
        timed("clouds", [&] { land.clouds.Draw(); });
        timed("ground", [&] {
            glEnable(GL_FOG);
            if (land.groundTint) land.groundTint->bind();
            land.terrain.Draw(observer.rightPlane(), observer.leftPlane());
            if (land.groundTint) land.groundTint->unbind();
        });
        timed("sceneries", [&] {
            land.drawSceneries(observer);
            glDisable(GL_FOG);
        });
        if (scene.liftMap().shown()) {
            timed("lift legend", [&] {
                scene.liftMap().drawLegend(scene.width, scene.height,
                                           ::font("Arial", 14, false, false));
            });
        }
        timed("user interface", [&] {
            for (std::size_t i = app.layerPosition(&scene) + 1; i < app.layerCount(); ++i)
                app.layerAt(i)->draw();
            int x = 0, y = 0, width = 0, height = 0;
            mousePosition(x, y);
            app.clientSize(width, height);
            app.cursor.draw(x, y, width, height);
        });
        timed("swap", [&] { SDL_GL_SwapWindow(app.sdlWindow()); });
    }

    // The leaves the ground draw sends from this spot, in one display list.
    GLuint compileBareTerrain() const {
        const Observer& observer = scene.theObserver();
        const TerrainMesh& mesh = land.terrain.mesh();
        const GLuint list = glGenLists(1);
        glNewList(list, GL_COMPILE);
        glBegin(GL_TRIANGLES);
        land.terrain.VisitVisible(
            observer.rightPlane(), observer.leftPlane(),
            [&](std::span<const TriangleNode* const> leaves) {
                for (const TriangleNode* leaf : leaves)
                    for (int32_t index : mesh.triangles[static_cast<std::size_t>(leaf->triangle)]) {
                        const auto& uv = mesh.textureCoordinates[static_cast<std::size_t>(index)];
                        const auto& p = mesh.points[static_cast<std::size_t>(index)];
                        glTexCoord2f(uv[0], uv[1]);
                        glVertex3f(p[0], p[1], p[2]);
                    }
            });
        glEnd();
        glEndList();
        return list;
    }

    // Every measured frame starts the same: events, a cleared screen, the scene's view.
    void startSceneFrame() {
        app.pumpOneEvent();
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glEnable(GL_DEPTH_TEST);
        loadSceneView();
        glEnable(GL_TEXTURE_2D);
    }

    double bareFrame(GLuint list) {
        const Clock::time_point start = Clock::now();
        startSceneFrame();
        land.terrain.groundTexture().Bind();
        glFogfv(GL_FOG_COLOR, land.sky.fogColour().data());
        glFogf(GL_FOG_DENSITY, SkyBox::fogDensity);
        glEnable(GL_FOG);
        glCallList(list);
        glDisable(GL_FOG);
        SDL_GL_SwapWindow(app.sdlWindow());
        return millisecondsSince(start);
    }

    // The clouds as they are drawn now, in one display list.
    GLuint compileClouds() const {
        const GLuint list = glGenLists(1);
        glNewList(list, GL_COMPILE);
        land.clouds.Draw();
        glEndList();
        return list;
    }

    // The sky box, the clouds and the ground, each one list: the least the
    // scene's picture can cost.
    double baselineFrame(GLuint terrainList, GLuint cloudList) {
        const Clock::time_point start = Clock::now();
        startSceneFrame();
        glCallList(land.sky.displayList());
        glCallList(cloudList);
        land.terrain.groundTexture().Bind();
        glEnable(GL_FOG);
        glCallList(terrainList);
        glDisable(GL_FOG);
        SDL_GL_SwapWindow(app.sdlWindow());
        return millisecondsSince(start);
    }

    double wholeFrameWithoutArrows() {
        scene.setShowWind(false);
        const double time = wholeFrame();
        scene.setShowWind(true);
        return time;
    }

    std::size_t visibleLeaves() const {
        std::size_t count = 0;
        const Observer& observer = scene.theObserver();
        land.terrain.VisitVisible(
            observer.rightPlane(), observer.leftPlane(),
            [&](std::span<const TriangleNode* const> leaves) { count += leaves.size(); });
        return count;
    }

  private:
    // The scene's projection and the observer's view.
    void loadSceneView() const {
        const double f = scene.theObserver().tanHalfField();
        const double w = std::max(scene.width, 1), h = std::max(scene.height, 1);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glFrustum(-f, f, -f * h / w, f * h / w, 1.0, 10000.0);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        scene.theObserver().applyView();
    }

    BenchApplication& app;
    Scene& scene;
    Land& land;
};

// The back buffer as it stands, as a binary PPM, top row first.
bool writeFrame(const std::string& path, int width, int height) {
    std::vector<unsigned char> rgb(static_cast<std::size_t>(width) * height * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    std::ofstream out(path, std::ios::binary);
    out << "P6\n" << width << ' ' << height << "\n255\n";
    for (int row = height - 1; row >= 0; --row)
        out.write(reinterpret_cast<const char*>(&rgb[static_cast<std::size_t>(row) * width * 3]),
                  width * 3);
    return static_cast<bool>(out);
}

// What the window system and the GL driver alone keep resident: an 800 x 600
// window with a GL context drawing one triangle for 50 frames, nothing of ours.
int reportBareContext() {
    if (SDL_Init(SDL_INIT_VIDEO) != 0) return 1;
    SDL_Window* window = SDL_CreateWindow("bare", 0, 0, 800, 600, SDL_WINDOW_OPENGL);
    SDL_GLContext context = window ? SDL_GL_CreateContext(window) : nullptr;
    if (context == nullptr) return 1;
    for (int frame = 0; frame < 50; ++frame) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glEnable(GL_DEPTH_TEST);
        glBegin(GL_TRIANGLES);
        glVertex2f(-1.0f, -1.0f);
        glVertex2f(1.0f, -1.0f);
        glVertex2f(0.0f, 1.0f);
        glEnd();
        SDL_GL_SwapWindow(window);
    }
    std::printf("bare GL window and context: peak resident %.1f MiB (%.1f MiB of files)\n",
                peakResidentKiB() / 1024.0, statusKiB("RssFile:") / 1024.0);
    SDL_GL_DeleteContext(context);
    SDL_DestroyWindow(window);
    SDL_Quit();
    return 0;
}

std::string writeSettings(int width, int height) {
    const auto path = std::filesystem::temp_directory_path() /
                      ("ventrix-frame-bench-" + std::to_string(getpid()) + ".ini");
    std::ofstream(path) << "app.width = \"" << width << "\"\napp.height = \"" << height
                        << "\"\napp.colorbits = \"24\"\napp.fullscreen = \"FALSE\"\n";
    return path.string();
}

void printParts(const std::map<std::string, std::vector<double>>& parts, double whole) {
    static const char* const order[] = {
        "scene update", "clear",          "sky",       "sun",
        "clouds",       "ground",         "sceneries", "wind arrows",
        "thermals",     "user interface", "swap"};
    double sum = 0.0;
    for (const char* name : order) {
        const auto it = parts.find(name);
        if (it == parts.end()) continue;
        const double m = median(it->second);
        sum += m;
        std::printf("  part %-15s %8.3f ms  %5.1f %%\n", name, m,
                    whole > 0 ? 100.0 * m / whole : 0);
    }
    std::printf("  parts together    %8.3f ms (each finished on its own)\n", sum);
}

} // namespace

// Frames with the lift map on at 40 m and off, taking turns so that a change
// in the machine's load falls on both alike: what the map adds to the whole
// frame and to the ground, and what its legend costs.
void reportLiftMap(FrameBench& bench, Scene& scene, int frames) {
    std::vector<double> wholes[2];
    std::map<std::string, std::vector<double>> parts[2];
    for (int i = 0; i < 2 * frames; ++i) {
        const int on = i % 2;
        scene.setLiftHeight(on ? 40.0f : 0.0f);
        wholes[on].push_back(bench.wholeFrame());
        bench.partedFrame(parts[on]);
    }
    scene.setLiftHeight(0.0f);
    const double lifted = median(wholes[1]), plain = median(wholes[0]);
    const double ground = median(parts[1].at("ground")),
                 plainGround = median(parts[0].at("ground"));
    std::printf("  lift map at 40 m  %8.3f ms whole (%+.3f ms), ground %.3f ms (%+.3f ms),"
                " legend %.3f ms\n",
                lifted, lifted - plain, ground, ground - plainGround,
                median(parts[1].at("lift legend")));
}

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench_frame GAME.sav [FRAMES] [SPOT] [PICTURE.ppm]\n");
        return 2;
    }
    if (std::strcmp(argv[1], "--bare-context") == 0) return reportBareContext();
    const std::string game = argv[1];
    const int frames = argc > 2 ? std::max(10, std::atoi(argv[2])) : 300;
    const int spot = argc > 3 ? std::max(0, std::atoi(argv[3])) : 1;
    const std::string settings = writeSettings(800, 600);

    const long residentAtStart = statusKiB("VmRSS:");
    BenchApplication app;
    app.startupGame = game;
    if (!app.init("Ventrix", IconResourceId, settings.c_str(), false)) return 1;
    std::filesystem::remove(settings);
    auto* scene = dynamic_cast<Scene*>(app.scene.get());
    if (scene == nullptr || !scene->isLoaded() || !scene->theLand().graphicsReady) {
        std::fprintf(stderr, "bench_frame: %s did not build a world\n", game.c_str());
        return 1;
    }
    const long residentBuilt = statusKiB("VmRSS:");
    FrameBench bench(app, *scene);
    bench.showEverything(spot);
    bench.warmUp(30);

    const Observer& observer = scene->theObserver();
    int width = 0, height = 0;
    app.clientSize(width, height);
    std::printf("game %s at %dx%d, spot %d \"%s\" (x %.0f, y %.0f), %d frames\n", game.c_str(),
                width, height, spot, observer.spotName().c_str(), observer.positionX(),
                observer.positionY(), frames);
    std::printf("  thermals %zu, sceneries %zu, leaves %zu of %zu in view, wind %s\n",
                scene->thermalSet().list().size(), scene->theLand().sceneries.size(),
                bench.visibleLeaves(), scene->terrain().leafCount(),
                scene->windField().empty() ? "none" : "applied");

    // Whole, parted and bare frames take turns, so a change in the machine's load
    // falls on all of them alike.
    std::vector<double> wholes, bare, noArrows, baseline;
    std::map<std::string, std::vector<double>> parts;
    const GLuint list = bench.compileBareTerrain();
    const GLuint cloudList = bench.compileClouds();
    for (int i = 0; i < frames; ++i) {
        wholes.push_back(bench.wholeFrame());
        bench.partedFrame(parts);
        bare.push_back(bench.bareFrame(list));
        noArrows.push_back(bench.wholeFrameWithoutArrows());
        baseline.push_back(bench.baselineFrame(list, cloudList));
    }
    glDeleteLists(list, 1);
    glDeleteLists(cloudList, 1);
    if (argc > 4) {
        // Drawn but not swapped, so the back buffer holds the whole frame.
        app.update();
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        app.draw();
        if (!writeFrame(argv[4], width, height))
            std::fprintf(stderr, "bench_frame: cannot write %s\n", argv[4]);
    }
    const double whole = median(wholes);
    const double bareMedian = median(bare);

    std::printf("  whole frame       %8.3f ms  %6.1f fps\n", whole, whole > 0 ? 1000.0 / whole : 0);
    // The info bar's rate counts every frame, slow ones included.
    const double mean = std::accumulate(wholes.begin(), wholes.end(), 0.0) / wholes.size();
    std::printf("  mean whole frame  %8.3f ms  %6.1f fps (slowest %.3f ms)\n", mean, 1000.0 / mean,
                *std::max_element(wholes.begin(), wholes.end()));
    printParts(parts, whole);
    std::printf("  bare terrain      %8.3f ms  %6.1f fps\n", bareMedian,
                bareMedian > 0 ? 1000.0 / bareMedian : 0);
    std::printf("  ratio whole/bare  %8.2f\n", bareMedian > 0 ? whole / bareMedian : 0);
    const double plain = median(noArrows), least = median(baseline);
    std::printf("  without arrows    %8.3f ms; the wind arrows add %.3f ms\n", plain,
                whole - plain);
    std::printf("  sky+clouds+ground %8.3f ms (each one display list)\n", least);
    std::printf("  ratio without arrows/baseline %.2f\n", least > 0 ? plain / least : 0);
    std::printf("  peak resident     %8.1f MiB (at start %.1f, world built %.1f, now %.1f)\n",
                peakResidentKiB() / 1024.0, residentAtStart / 1024.0, residentBuilt / 1024.0,
                statusKiB("VmRSS:") / 1024.0);
    std::printf(
        "  resident now      %.1f MiB anonymous (heap, textures, JIT code), %.1f MiB of files"
        " (program and libraries), %.1f MiB shared\n",
        statusKiB("RssAnon:") / 1024.0, statusKiB("RssFile:") / 1024.0,
        statusKiB("RssShmem:") / 1024.0);
    Land& land = scene->theLand();
    const std::size_t groundBytes =
        land.terrain.groundImage() ? land.terrain.groundImage()->PixelBytes() : 0;
    std::printf(
        "  pictures kept     ground %.1f + shaded %.1f, sky %.1f, skyline %.1f, clouds %.1f MiB;"
        " %d built-in pictures cached\n",
        mib(groundBytes), mib(land.terrain.groundTexture().KeptPicture().PixelBytes()),
        mib(land.sky.skyTexture().KeptPicture().PixelBytes()),
        mib(land.sky.skylineTexture().KeptPicture().PixelBytes()),
        mib(land.clouds.CloudTexture().KeptPicture().PixelBytes()), app.textures.Count());
    std::printf("RESULT game=%s whole_ms=%.3f fps=%.1f bare_ms=%.3f ratio=%.2f peak_mib=%.1f"
                " baseline_ratio=%.2f\n",
                std::filesystem::path(game).filename().c_str(), whole, 1000.0 / whole, bareMedian,
                whole / bareMedian, peakResidentKiB() / 1024.0, plain / least);
    reportLiftMap(bench, *scene, frames);
    GLenum error = glGetError();
    if (error != GL_NO_ERROR) std::printf("  OpenGL error 0x%x\n", error);
    return 0;
}
