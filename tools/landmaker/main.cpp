// landmaker: makes a land directory from a height map and a side file.
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

#include "LandMaker.h"
#include "LandRecipe.h"
#include "io/KeyValueFile.h"

namespace {
void usage() {
    std::puts("usage: landmaker SIDEFILE...\n"
              "Reads each side file (see tools/landmaker/README.md), triangulates its height\n"
              "map or elevation data and writes NAME.map and the painted pictures next to the side "
              "file.");
}
} // namespace

int main(int argc, char** argv) {
    if (argc < 2 || std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0) {
        usage();
        return argc < 2 ? 2 : 0;
    }
    int failures = 0;
    for (int i = 1; i < argc; ++i) {
        KeyValueFile side;
        std::string error;
        LandRecipe recipe;
        const std::filesystem::path path(argv[i]);
        if (!side.open(argv[i])) {
            std::fprintf(stderr, "landmaker: cannot read %s\n", argv[i]);
            ++failures;
            continue;
        }
        MadeLandSummary summary;
        if (!recipe.read(side, path.parent_path().string(), error) ||
            !makeLand(recipe, summary, error)) {
            std::fprintf(stderr, "landmaker: %s: %s\n", argv[i], error.c_str());
            ++failures;
            continue;
        }
        std::printf("%s: grid %d, %zu points, %zu triangles (%zu leaves), %zu sceneries, "
                    "%zu spots, %zu bytes\n",
                    recipe.name.c_str(), summary.gridSize, summary.points, summary.triangles,
                    summary.leaves, summary.sceneries, summary.spots, summary.fileBytes);
        for (const std::string& note : summary.notes)
            std::printf("%s: %s\n", recipe.name.c_str(), note.c_str());
    }
    return failures == 0 ? 0 : 1;
}
