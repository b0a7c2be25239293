#pragma once

#include "support/WorkingFolder.h"

// Test fixtures for the scene: a private working folder (land paths are
// relative to the working directory) and small hand-made lands written into
// it, with spots, sceneries and a comment that must survive rewrites.

#include <filesystem>
#include <string>
#include <vector>

namespace scenetest {

// Makes a fresh temporary folder the working directory for its lifetime and
// removes it afterwards, restoring the previous working directory.
using WorkingFolder = testsupport::WorkingFolder;

struct TestSpot {
    std::string name;
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
    float orientationDegrees = 0.0f;
    float windSpeed = 0.0f;
    float windDirectionDegrees = 0.0f;
};

struct TestScenery {
    int type = 21;
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
    float width = 8.0f;
    float depth = 6.0f;
    float height = 6.0f;
    float roofHeight = 2.0f;
};

// A square land whose ground is the plane z = baseHeight + slope * (x - originX),
// split along its diagonal into two triangles (the smallest well-formed tree).
struct TestLand {
    std::string name = "hill";
    float originX = 0.0f;
    float originY = 0.0f;
    float size = 1000.0f;
    float baseHeight = 100.0f;
    float slope = 0.1f;
    float northDegrees = 90.0f;
    std::vector<TestSpot> spots;
    std::vector<TestScenery> sceneries;
    // Text placed before the spot section, to check that rewrites keep it.
    std::string preamble = "// hand-made test land\nauthor = \"tests\"\n";

    float groundAt(float x) const { return baseHeight + slope * (x - originX); }
};

std::string landFileText(const TestLand& land);
// Writes lands/<name>/<name>.map under the working directory; returns its path.
std::filesystem::path writeLand(const TestLand& land);
std::string landFilePath(const std::string& name);

std::string readFile(const std::filesystem::path& path);
void writeFile(const std::filesystem::path& path, const std::string& text);

} // namespace scenetest
