#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "world/Random.h"
#include "world/thermals/Thermal.h"

class KeyValueFile;
class Terrain;
class WindField;

/*
===============================================================================
Thermals

The population of thermals ("pompes") over the current land. compute() rebuilds
it when the land was just loaded, the wind field was rebuilt or the settings
changed; update() advances every living thermal, removes at most one dead one
per frame and spawns new ones until nbmax are alive. Births are drawn from the
program's 15-bit generator: one draw sets the size, strength, height and
lifetime together, another the sign, so about half the thermals sink.

Saved values are kept within bounds: nbmax 0 to 10,000, every range within
0 ... 1e7 with its minimum not above its maximum. Terrain and wind field are not owned
and must outlive the thermals.
===============================================================================
*/
class Thermals {
  public:
    static constexpr int maxCount = 10000;

    struct Ranges {
        float rayonMin = 8.0f, rayonMax = 50.0f;
        float timeMin = 30.0f, timeMax = 300.0f;
        float vitesseMin = 0.2f, vitesseMax = 8.0f;
        float altitudeMin = 300.0f, altitudeMax = 800.0f;
    };

    Thermals(const Terrain& terrain, WindField& wind);
    ~Thermals();
    Thermals(const Thermals&) = delete;
    Thermals& operator=(const Thermals&) = delete;

    void resetDefaults();
    void readParams(KeyValueFile& file);
    void saveParams(KeyValueFile& file) const;

    bool compute();
    void update(double dt);
    void draw();
    void releaseDisplayLists();
    void rebuildDisplayLists();
    void clear();

    // Sets the ranges (bounded as on reading) and marks the population dirty.
    void setRanges(const Ranges& ranges);
    void setMaxCount(int count);
    // The generator that births draw from; compute() seeds it from the clock.
    Random& random() { return generator; }

    const Ranges& ranges() const { return range; }
    int nbmax() const { return targetCount; }
    int livingCount() const;
    bool changed() const { return changedFlag; }
    bool dirty() const { return dirtyFlag; }
    const std::vector<std::unique_ptr<Thermal>>& list() const { return thermals; }

  private:
    void spawn();
    static Ranges bounded(Ranges ranges);

    std::vector<std::unique_ptr<Thermal>> thermals;
    Ranges range;
    const Terrain& terrain;
    WindField& wind;
    int targetCount = 20;
    bool dirtyFlag = true;
    bool changedFlag = false;
    Random generator;
};
