#pragma once

#include <optional>
#include <string>

#include "audio/Sound.h"
#include "shell/Element.h"
#include "shell/Event.h"
#include "world/Land.h"
#include "world/observer/Observer.h"
#include "world/sun/SceneDate.h"
#include "world/thermals/Thermals.h"
#include "world/wind/LiftMap.h"
#include "world/wind/WindField.h"

class KeyValueFile;

// Payload of the progress event (type Scene::progressEvent): the message and
// how far the build has come, in percent.
struct ProgressReport {
    const char* text;
    float percent;
};

/*
===============================================================================
Scene: the world. One layer that owns the wind field, the thermals, the land
(terrain, sky box, sun, clouds, sceneries), the ambient sound buffer, the date
and the observer, and publishes progress events while it builds and a key
event for every key that reaches it.

build() makes a world from the current parameters; the land reads its files
at its first build and again only when the saved game names another land.
Until a world is built the scene neither updates nor draws. readParams() and
saveParams() take and put every world parameter in the saved game's group
order; values a hand-edited file could make harmful are kept within bounds.

The first pointer motion after the scene gets the input only records the
pointer, so the view never jumps when the menu or a box closes.

The air can also be set directly (the console's wind, date, hour, showlift
and windsolver): a wind set before any world exists, or read from a saved
game's "wind.speed" and "wind.dir", is applied at the next build in place of
the spot's; a game without those keys takes the spot's wind as before.
===============================================================================
*/
class Scene : public Element, public EventPublisher {
  public:
    static constexpr uint32_t progressEvent = 2;
    static constexpr uint32_t keyEvent = 256;
    static constexpr int ambientSoundId = 411;

    Scene();
    ~Scene() override;

    void setActive(bool isActive) override;
    bool keyUp(int key) override;
    bool keyDown(int key) override;
    bool mouseMove(int x, int y) override;
    void draw() override;
    bool update(double elapsed) override;
    void mouseEnter() override;

    // Builds the world from the current parameters, reporting progress.
    bool build();
    void readParams(KeyValueFile& savedGame);
    void saveParams(KeyValueFile& savedGame);
    // Opens a saved game and reads it; false (nothing changed) when the file
    // cannot be opened or holds no text.
    bool readSavedGame(const std::string& path);
    // Writes every parameter to a new saved game at path, replacing any earlier
    // file only once the new one is whole; the path becomes fileName().
    bool writeSavedGame(const std::string& path);
    // Writes the land's spots back into its own land file.
    bool saveLandSpots();

    void setSound(bool on);
    // Adds a spot at the observer's place with the current wind; false (and
    // nothing added) for a name a land file cannot hold.
    bool addSpot(const std::string& name);
    void nextSpot();
    // The wind as a spot records it: m/s, and the degrees it comes from counted
    // from the land's north. Rebuilds the field at once in a built world.
    void setWindFrom(float speed, float fromDegrees);
    float windSpeed() const;
    float windFromDegrees() const;
    // Date and clock; the sun and the ground's shading follow in a built world.
    void setDayAndMonth(int day, int month);
    void setClock(int hour, int minute);
    // Metres above the ground of the lift map, 0 for none.
    void setLiftHeight(float metres) { lift.setHeight(metres); }
    float liftHeight() const { return lift.height(); }
    const LiftMap& liftMap() const { return lift; }
    void setWindSolver(WindField::Solve kind);
    void reportProgress(const char* message, float percent);
    // Not empty, and free of what would break a land file's entry: a double
    // quote, "//", "[" or a line break.
    static bool spotNameStorable(const std::string& name);

    void releaseGraphics();
    void restoreGraphics();

    void setShowWind(bool show) { showWind = show; }
    void setShowThermals(bool show) { showThermals = show; }
    void setShowSun(bool show) { land.showSun = show; }
    void setShowClouds(bool show) { land.showClouds = show; }
    void setShowSceneries(bool show) { land.showSceneries = show; }

    bool windShown() const { return showWind; }
    bool thermalsShown() const { return showThermals; }
    bool soundIsOn() const { return soundOn; }
    bool sunShown() const { return land.showSun; }
    bool cloudsShown() const { return land.showClouds; }
    bool sceneriesShown() const { return land.showSceneries; }
    // The land's files are read and its pictures made: its spots can be saved.
    bool landReady() const { return land.graphicsReady; }
    bool isLoaded() const { return loaded; }
    const std::string& savedGamePath() const { return fileName; }

    WindField& windField() { return wind; }
    Thermals& thermalSet() { return thermals; }
    Land& theLand() { return land; }
    Terrain& terrain() { return land.terrain; }
    SceneDate& sceneDate() { return date; }
    Observer& theObserver() { return observer; }
    const Observer& theObserver() const { return observer; }
    const Land& theLand() const { return land; }
    const WindField& windField() const { return wind; }
    SoundBuffer& soundBuffer() { return sound; }

  private:
    void boundObserver();
    void applySpotWind(const Spot& spot);
    bool windMatches(const Spot& spot) const;
    bool windCloseTo(const Spot& spot) const;
    float windAngleFromNorth() const;
    const Spot* spotAtPlacement() const;
    void setProjection() const;
    void rebuildWind();
    void readWind(KeyValueFile& savedGame);
    void relight();

    // The land comes first: the wind field, the thermals and the observer keep a
    // reference to its terrain.
    Land land;
    WindField wind;
    Thermals thermals;
    SoundBuffer sound;
    SceneDate date;
    Observer observer;
    LiftMap lift;
    // A wind to apply at the next build instead of the spot's: speed, degrees from.
    std::optional<std::array<float, 2>> windToApply;
    std::string fileName;
    int lastMouseX = -1;
    int lastMouseY = -1;
    // Set whenever the scene (re)gains the input: the next motion only records.
    bool pointerUnanchored = true;
    bool showWind = false;
    bool showThermals = false;
    bool soundOn = false;
    bool loaded = false;
};
