#pragma once

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "world/clouds/CloudLayer.h"
#include "world/scenery/Scenery.h"
#include "world/sky/SkyBox.h"
#include "world/sun/Sun.h"
#include "world/terrain/Terrain.h"

class KeyValueFile;
class Observer;
class TreeScenery;
class SceneDate;

/*
===============================================================================
Land: one flying site as the scene holds it: terrain and spots, sky box and
fog, sun, cloud layer, sceneries, and the three show flags ("sun.show",
"clouds.show", "decors.show", all set at construction).

load reads the land file at the terrain's first real load, and again whenever
the terrain has been given another land's name since; other loads only
recompute the sun, the ground shading, the sky box and the clouds. A land name
that could reach outside the lands folder (a path separator, "." or "..") is
refused. Spots are only ever written into the file of the land they were read
with.
draw is the world pass: sky box without fog, the sun's glow and the clouds
when shown, then with fog the ground and (when shown) the sceneries.
Release, restore and drawing act only once a load has succeeded.
===============================================================================
*/
class LiftMap;

class Land {
  public:
    Land();
    ~Land();
    Land(const Land&) = delete;
    Land& operator=(const Land&) = delete;

    // False when the land has no name or an unsafe one, or its file cannot be
    // read or is bad.
    bool load(SceneDate& date);
    // The same from a land file already open (read only when the terrain
    // needs a load; pictures are looked up by the terrain's name).
    bool loadFrom(KeyValueFile& landFile, SceneDate& date);
    // Writes the spots back into the file of the land they were read with;
    // false when no land is loaded or the file cannot be read or written.
    bool saveSpots();
    // A name that can only mean a folder right under "lands/".
    static bool isSafeName(const std::string& name);
    // The land whose files the terrain holds (empty when none).
    const std::string& loadedName() const { return loadedLand; }
    void readParams(KeyValueFile& savedGame);
    void saveParams(KeyValueFile& savedGame) const;
    // Places the sun for a new date or hour and shades the ground for it,
    // once a land is loaded.
    void relight(SceneDate& date);
    // Drifts the clouds with the wind when they are shown.
    void update(const std::array<float, 3>& wind, float elapsed);
    void draw(const Observer& observer);
    // The sceneries as draw shows them (blending set, trees together at the end).
    void drawSceneries(const Observer& observer);
    void releaseGraphics();
    void restoreGraphics();

    void clearSceneries();
    void addScenery(std::unique_ptr<Scenery> scenery);
    // The "decor%d" entries of a land file, built and appended in entry order.
    void readSceneries(KeyValueFile& landFile);
    // The sky box's box: the terrain's bounding box in its order.
    SkyBox::Box landBox() const;
    // The trees' shared picture; by default the application's built-in 404.
    void setTreeTexture(Texture* shared) { treeTexture = shared; }

    Terrain terrain;
    SkyBox sky;
    Sun sun;
    CloudLayer clouds;
    std::vector<std::unique_ptr<Scenery>> sceneries;
    bool showSun = true;
    bool showClouds = true;
    bool showSceneries = true;
    bool graphicsReady = false;
    // Laid over the ground while it is drawn, when set (not owned).
    LiftMap* groundTint = nullptr;

  private:
    // Drops the terrain, its spots and the sceneries so the next load reads
    // the files of the land now named.
    void forgetLand();
    void dropGraphics();

    Texture* treeTexture = nullptr;
    std::string loadedLand;
    std::vector<const TreeScenery*> treeBatch; // kept to spare an allocation each frame
};
