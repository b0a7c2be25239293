#include "world/Land.h"

#include <GL/gl.h>

#include <algorithm>

#include "gfx/LandPath.h"
#include "io/KeyValueFile.h"
#include "shell/Accessors.h"
#include "world/observer/Observer.h"
#include "world/scenery/TreeScenery.h"
#include "world/wind/LiftMap.h"

namespace {
std::string decorKey(int number, const char* field) {
    return "decor" + std::to_string(number) + "." + field;
}

const char* flagText(bool value) {
    return value ? "TRUE" : "FALSE";
}
} // namespace

Land::Land() = default;

Land::~Land() {
    clearSceneries();
}

bool Land::isSafeName(const std::string& name) {
    if (name.empty() || name == "." || name == "..") return false;
    return std::none_of(name.begin(), name.end(), [](unsigned char c) {
        return c == '/' || c == '\\' || c < 32 || c == 127;
    });
}

void Land::forgetLand() {
    terrain.Clear();
    clearSceneries();
    loadedLand.clear();
    dropGraphics();
}

// Once graphicsReady is clear nothing releases the sky's and the clouds' GL
// objects around a new context, so they go now and the next load makes them.
void Land::dropGraphics() {
    if (!graphicsReady) return;
    sky.ReleaseGl();
    clouds.ReleaseGl();
    graphicsReady = false;
}

bool Land::load(SceneDate& date) {
    const std::string name = terrain.name();
    if (!terrain.needsLoad() && name != loadedLand) forgetLand();
    KeyValueFile landFile;
    if (terrain.needsLoad()) {
        clearSceneries();
        if (!isSafeName(name) || !landFile.open(LandPath(name, name + ".map"))) return false;
    }
    return loadFrom(landFile, date);
}

bool Land::loadFrom(KeyValueFile& landFile, SceneDate& date) {
    if (terrain.needsLoad()) {
        clearSceneries();
        loadedLand.clear();
        dropGraphics();
    }
    if (!terrain.Load(landFile)) return false;
    if (terrain.justLoaded()) loadedLand = terrain.name();
    if (!sun.compute(terrain, date)) return false;
    if (sun.changed() || terrain.justLoaded()) {
        terrain.ShadeGround(sun.direction());
        if (terrain.justLoaded() && !sky.LoadSky(landBox(), landFile)) return false;
        if (!terrain.justLoaded()) sky.UpdateBox(landBox());
    } else {
        sky.UpdateBox(landBox());
    }
    if (terrain.justLoaded()) readSceneries(landFile);
    clouds.Update(terrain);
    graphicsReady = true;
    return true;
}

bool Land::saveSpots() {
    if (terrain.needsLoad() || !isSafeName(loadedLand)) return false;
    KeyValueFile landFile;
    if (!landFile.open(LandPath(loadedLand, loadedLand + ".map"))) return false;
    terrain.WriteSpots(landFile);
    return landFile.write();
}

void Land::relight(SceneDate& date) {
    if (!graphicsReady || terrain.needsLoad()) return;
    sun.compute(terrain, date);
    if (sun.changed()) terrain.ShadeGround(sun.direction());
}

void Land::readParams(KeyValueFile& savedGame) {
    showSun = savedGame.getBool("sun.show", true);
    showClouds = savedGame.getBool("clouds.show", true);
    showSceneries = savedGame.getBool("decors.show", true);
    terrain.SetName(savedGame);
    clouds.ReadParams(savedGame);
}

void Land::saveParams(KeyValueFile& savedGame) const {
    savedGame.setValue("sun.show", flagText(showSun));
    savedGame.setValue("clouds.show", flagText(showClouds));
    savedGame.setValue("decors.show", flagText(showSceneries));
    terrain.WriteName(savedGame);
    clouds.WriteParams(savedGame);
}

void Land::update(const std::array<float, 3>& wind, float elapsed) {
    if (showClouds) clouds.Move(wind[0] * elapsed, wind[1] * elapsed);
}

void Land::draw(const Observer& observer) {
    if (!graphicsReady) return;
    sky.Draw();
    if (showSun) sun.draw(observer);
    if (showClouds) clouds.Draw();
    glEnable(GL_FOG);
    if (groundTint) groundTint->bind();
    terrain.Draw(observer.rightPlane(), observer.leftPlane());
    if (groundTint) groundTint->unbind();
    if (showSceneries) drawSceneries(observer);
    glDisable(GL_FOG);
}

// The trees go together at the end: one draw for all of them rather than one
// each (hundreds on a wooded land).
void Land::drawSceneries(const Observer& observer) {
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    treeBatch.clear();
    for (const auto& scenery : sceneries) {
        if (const auto* tree = dynamic_cast<const TreeScenery*>(scenery.get()))
            treeBatch.push_back(tree);
        else
            scenery->Draw(observer);
    }
    TreeScenery::DrawAll(treeBatch, observer);
}

void Land::releaseGraphics() {
    if (!graphicsReady) return;
    terrain.ReleaseGl();
    sky.ReleaseGl();
    clouds.ReleaseGl();
    for (const auto& scenery : sceneries)
        scenery->ReleaseGl();
}

void Land::restoreGraphics() {
    if (!graphicsReady) return;
    for (const auto& scenery : sceneries)
        scenery->Build();
    terrain.RestoreGl();
    sky.RestoreGl();
    clouds.RestoreGl();
}

void Land::clearSceneries() {
    sceneries.clear();
}

void Land::addScenery(std::unique_ptr<Scenery> scenery) {
    if (scenery) sceneries.push_back(std::move(scenery));
}

void Land::readSceneries(KeyValueFile& landFile) {
    for (int n = 1; landFile.find(decorKey(n, "name")); ++n) {
        const int type = landFile.getInt(decorKey(n, "type"), 0);
        const float x = landFile.getFloat(decorKey(n, "x"), 0.0f);
        const float y = landFile.getFloat(decorKey(n, "y"), 0.0f);
        const float z = landFile.getFloat(decorKey(n, "z"), 0.0f);
        const float width = landFile.getFloat(decorKey(n, "width"), 0.0f);
        std::unique_ptr<Scenery> scenery;
        if (type == Scenery::Tree)
            scenery = std::make_unique<TreeScenery>(
                x, y, z, width, treeTexture ? treeTexture : texture(TreeScenery::pictureId));
        else
            scenery = Scenery::Create(type);
        if (!scenery) continue;
        scenery->x = x;
        scenery->y = y;
        scenery->z = z;
        scenery->width = width;
        scenery->rx = landFile.getFloat(decorKey(n, "rx"), 0.0f);
        scenery->ry = landFile.getFloat(decorKey(n, "ry"), 0.0f);
        scenery->rz = landFile.getFloat(decorKey(n, "rz"), 0.0f);
        scenery->height = landFile.getFloat(decorKey(n, "height"), 0.0f);
        scenery->depth = landFile.getFloat(decorKey(n, "depth"), 0.0f);
        if (Scenery::HasRoof(type))
            scenery->roofHeight = landFile.getFloat(decorKey(n, "roofheight"), 0.0f);
        if (type != Scenery::Tree) // trees are built by their constructor
            scenery->Build();
        addScenery(std::move(scenery));
    }
}

SkyBox::Box Land::landBox() const {
    const TerrainBox& b = terrain.box();
    return {b.maxX, b.minX, b.maxY, b.minY, b.maxZ, b.minZ};
}
