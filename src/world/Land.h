#pragma once

#include <array>
#include <memory>
#include <vector>

#include "world/clouds/CloudLayer.h"
#include "world/scenery/Scenery.h"
#include "world/sky/SkyBox.h"
#include "world/sun/Sun.h"
#include "world/terrain/Terrain.h"

class KeyValueFile;
class Observer;
class SceneDate;

/*
===============================================================================
Land: one flying site as the scene holds it: terrain and spots, sky box and
fog, sun, cloud layer, sceneries, and the three show flags ("sun.show",
"clouds.show", "decors.show", all set at construction).

load reads the land file at the terrain's first real load only; later loads
recompute the sun, the ground shading, the sky box and the clouds.
draw is the world pass: sky box without fog, the sun's glow and the clouds
when shown, then with fog the ground and (when shown) the sceneries.
Release and restore of GL objects act only once a load has succeeded.
===============================================================================
*/
class Land {
  public:
    Land();
    ~Land();
    Land(const Land&) = delete;
    Land& operator=(const Land&) = delete;

    // False when the land has no name, its file cannot be read or is bad.
    bool load(SceneDate& date);
    // The same from a land file already open (read only when the terrain
    // needs a load; pictures are looked up by the terrain's name).
    bool loadFrom(KeyValueFile& landFile, SceneDate& date);
    // Writes the spots back into the land's own file; false when it cannot.
    bool saveSpots();
    void readParams(KeyValueFile& savedGame);
    void saveParams(KeyValueFile& savedGame) const;
    // Drifts the clouds with the wind when they are shown.
    void update(const std::array<float, 3>& wind, float elapsed);
    void draw(const Observer& observer);
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

  private:
    Texture* treeTexture = nullptr;
};
