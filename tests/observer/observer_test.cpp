// The observer: angles, side planes, the inner band, the ground clamp, moves,
// spots, the events it publishes and the wind it reads at the eye.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <map>
#include <string>
#include <vector>

#include "io/KeyValueFile.h"
#include "platform/Keys.h"
#include "world/observer/Observer.h"
#include "world/terrain/Terrain.h"
#include "world/wind/WindField.h"

namespace {
constexpr float pi = 3.14159265f;
constexpr float north = 1.5707964f;

// A square land 0..1000 x 0..1000 whose ground is z = slope * x + 100.
void load(Terrain& terrain, float slope) {
    auto z = [slope](float x) { return std::to_string(slope * x + 100.0f); };
    KeyValueFile file;
    file.openText("terrain.points = \"0 0 " + z(0) + " 1000 0 " + z(1000) + " 1000 1000 " +
                  z(1000) + " 0 1000 " + z(0) + "\"\nterrain.triangles = \"0 2 1 0 3 2\"\n" +
                  "terrain.tree = \"-1 0 1 -1 0 -1 -1 -1 1 -1 -1 -1\"\n");
    ASSERT_TRUE(terrain.Load(file));
}

float ground(float x) {
    return 0.05f * x + 100.0f;
}

// Keeps each event's type and its first number (or text), and the wind indicator's second.
class Recorder : public EventSubscriber {
  public:
    Recorder() : EventSubscriber(0xFFFFFFFF) {}
    void onEvent(EventPublisher*, const Event& event) override {
        types.push_back(event.type);
        if (event.type == Observer::spotNameEvent) {
            text = reinterpret_cast<const char*>(event.payload);
            return;
        }
        last[event.type] = *reinterpret_cast<const float*>(event.payload);
    }
    std::vector<uint32_t> types;
    std::map<uint32_t, float> last;
    std::string text;
};

class ObserverTest : public ::testing::Test {
  protected:
    void SetUp() override {
        load(terrain, 0.05f);
        observer.subscribe(&recorder);
    }
    void TearDown() override { observer.unsubscribe(&recorder); }
    Terrain terrain;
    Observer observer{terrain, nullptr};
    Recorder recorder;
};

float side(const Observer::Plane& p, float x, float y, float z) {
    return p[0] * x + p[1] * y + p[2] * z + p[3];
}
} // namespace

TEST_F(ObserverTest, SettingsRoundTripInTheirKeyOrderAndReadingStartsFromTheDefaults) {
    KeyValueFile saved;
    observer.setPosition(300, 400, 500);
    observer.setAzimuthSpeed(60);
    observer.setSpeed(12.5f);
    observer.saveParams(saved);
    std::size_t at = 0;
    for (const char* key : {"obs.x = \"300.000000\"", "obs.y", "obs.z", "obs.speed", "obs.fov",
                            "obs.alpha", "obs.beta", "obs.alphaspeed", "obs.betaspeed"})
        ASSERT_NE(at = saved.text().find(key, at), std::string::npos) << key;
    Observer other(terrain, nullptr);
    other.readParams(saved);
    EXPECT_EQ(other.position(), (Observer::Vec3{300.0f, 400.0f, 500.0f}));
    EXPECT_EQ(std::pair(other.movementSpeed(), other.azimuthPixelsPerRadian()),
              std::pair(12.5f, 60.0f));
    saved.openText("obs.fov = \"70\"\n");
    other.readParams(saved);
    EXPECT_EQ(other.position(), (Observer::Vec3{0.0f, 0.0f, 0.0f})) << "no place read: the origin";
    EXPECT_EQ(std::pair(other.movementSpeed(), other.azimuthPixelsPerRadian()),
              std::pair(10.0f, 80.0f));
}

// The pointer turns the view at 80 pixels per radian, clockwise from above;
// the elevation stops at a quarter turn.
TEST_F(ObserverTest, AnglesStayInTheirRangesAndThePointerTurnsTheView) {
    for (float a = -20.0f; a < 20.0f; a += 0.37f) { // within one turn above north
        observer.setAzimuth(a);
        EXPECT_GE(observer.azimuth(), north - 1e-5f) << a;
        EXPECT_LT(observer.azimuth(), north + 2.0f * pi + 1e-5f) << a;
        EXPECT_NEAR(std::remainder(observer.azimuth() - a, 2.0f * pi), 0.0f, 1e-4f) << a;
    }
    observer.setHeading(0.0f, 0.0f); // looking north
    const float before = observer.azimuth();
    observer.rotateByPixels(-80.0f, 0.0f); // pointer 80 pixels to the right
    EXPECT_NEAR(observer.azimuth(), before - 1.0f + 2.0f * pi, 1e-4f);
    observer.rotateByPixels(0.0f, -80.0f); // pointer 80 pixels up
    EXPECT_NEAR(observer.elevation(), -1.0f, 1e-6f);
    observer.rotateByPixels(0.0f, -80.0f);
    EXPECT_EQ(observer.elevation(), -north);
}

// Both planes pass through the eye; 20 degrees either side of the view is
// inside both, 30 degrees is outside one, whatever the elevation and heading.
TEST_F(ObserverTest, SidePlanesHoldTheHorizontalFieldOfViewThroughTheEye) {
    observer.setFieldOfView(50);
    EXPECT_NEAR(observer.tanHalfField(), std::tan(25.0f * pi / 180.0f), 1e-6f);
    for (const auto& [heading, elevation] :
         {std::pair{-north, 0.0f}, {0.4f, 0.3f}, {2.5f, -0.6f}}) {
        SCOPED_TRACE(heading);
        observer.setPosition(500, 450, 300);
        observer.setHeading(heading, elevation);
        const auto& d = observer.viewDirection();
        const auto& l = observer.leftPlane();
        const auto& r = observer.rightPlane();
        EXPECT_NEAR(side(l, 500, 450, 300), 0.0f, 1e-2f);
        EXPECT_NEAR(side(r, 500, 450, 300), 0.0f, 1e-2f);
        // Turn the view about the vertical of the view's own frame.
        const float h = std::hypot(d[0], d[1]);
        const float across[3] = {-d[1] / h, d[0] / h, 0.0f};         // to the left
        for (float degrees : {-30.0f, -20.0f, 0.0f, 20.0f, 30.0f}) { // 25 either side is in
            const float t = std::tan(degrees * pi / 180.0f);
            const float p[3] = {500 + 100 * (d[0] + t * across[0]),
                                450 + 100 * (d[1] + t * across[1]), 300 + 100 * d[2]};
            EXPECT_EQ(side(l, p[0], p[1], p[2]) > 0.0f, degrees < 25.0f) << degrees;
            EXPECT_EQ(side(r, p[0], p[1], p[2]) > 0.0f, degrees > -25.0f) << degrees;
        }
    }
}

// The band keeps 5 % of the land clear along each edge (its edges are in);
// the eye stays 2 m over the ground. Each key moves speed x time along the view
// (forward, back) or square to it on the level (left, right).
TEST_F(ObserverTest, MovesFollowTheViewInsideTheBandTwoMetresOverTheGround) {
    const struct {
        int key;
        float forward, left;
    } keys[] = {
        {Key::Up, 1, 0}, {Key::Down, -1, 0}, {Key::Left, 0, 1}, {Key::Right, 0, -1}, {'a', 0, 0}};
    for (const auto& c : keys) {
        observer.setPosition(500, 500, 400);
        observer.setHeading(0.7f, -0.4f);
        const auto d = observer.viewDirection();
        const auto from = observer.position();
        observer.moveByKey(c.key, 2.0f); // 20 m at 10 m/s
        const auto& to = observer.position();
        EXPECT_NEAR(to[0] - from[0], 20.0f * (c.forward * d[0] - c.left * d[1]), 1e-3f) << c.key;
        EXPECT_NEAR(to[1] - from[1], 20.0f * (c.forward * d[1] + c.left * d[0]), 1e-3f) << c.key;
        EXPECT_NEAR(to[2] - from[2], 20.0f * c.forward * d[2], 1e-3f) << c.key;
    }
    for (const auto& [x, y] : {std::pair{50.0f, 50.0f}, {950.0f, 950.0f}}) {
        observer.setPosition(x, y, 400);
        EXPECT_EQ(observer.position(), (Observer::Vec3{x, y, 400.0f})) << "the band's edge is in";
    }
    observer.setPosition(49.9f, 40, 400);
    observer.setPosition(500, 950.1f, 400);
    EXPECT_EQ(observer.position(), (Observer::Vec3{500.0f, 950.0f, 400.0f})) << "each axis alone";
    observer.setPosition(400, 500, 0);
    EXPECT_NEAR(observer.positionZ(), ground(400) + 2.0f, 1e-3f);
    EXPECT_EQ(observer.listener().position(), observer.position()) << "the ear follows";
}

TEST_F(ObserverTest, MovesTurnsAndSpotsPublishTheirEventsInOrder) {
    observer.setPosition(500, 510, 400);
    EXPECT_EQ(recorder.types, (std::vector<uint32_t>{1, 8, 16, 128, 32, 64}));
    EXPECT_EQ(std::vector<float>({recorder.last[8], recorder.last[16], recorder.last[128]}),
              std::vector<float>({500.0f, 510.0f, 400.0f}));
    recorder.types.clear();
    observer.rotateByPixels(0.0f, 8.0f);
    EXPECT_EQ(recorder.types, (std::vector<uint32_t>{2, 4, 32, 64}));
    EXPECT_NEAR(recorder.last[4], 0.1f * 57.29578f, 1e-3f);
    EXPECT_NEAR(recorder.last[2], observer.azimuth() * 57.29578f, 1e-3f);

    terrain.AddSpot("Launch", 300, 300, 0, 0.5f, 0, 0); // names come within ten metres
    observer.setPosition(305, 305, 0);
    EXPECT_EQ(recorder.text, "Launch");
    observer.setPosition(320, 300, 0);
    EXPECT_EQ(recorder.text, "");
    observer.goToSpot(terrain.spots()[1]);
    EXPECT_NEAR(observer.azimuth(), north + 0.5f, 1e-5f) << "facing the spot's way";
}

TEST_F(ObserverTest, PlacementAfterALoadUsesTheLandCentreWhenOutsideAndSetsTheEar) {
    KeyValueFile saved;
    saved.openText("obs.x = \"990\"\nobs.y = \"500\"\nobs.z = \"5000\"\nobs.alpha = \"2\"\n");
    observer.readParams(saved);
    terrain.NextSpot();
    observer.placeAfterLoad(nullptr);
    EXPECT_EQ(observer.position(), (Observer::Vec3{500.0f, 500.0f, ground(500) + 2.0f}))
        << "the land's centre at the eye's height, not the stored one";
    EXPECT_EQ(terrain.currentSpot(), 0u);
    EXPECT_NEAR(observer.viewDirection()[0], std::cos(2.0f), 1e-5f);
    const auto& ear = observer.listener();
    EXPECT_EQ(ear.position(), observer.position());
    EXPECT_EQ(ear.velocity(), (Listener::Vec3{0.0f, 0.0f, 0.0f}));
    EXPECT_TRUE(observer.ambientSource().IsLooping()) << "the wind's sound loops";

    saved.openText("obs.x = \"200\"\nobs.y = \"700\"\n");
    observer.readParams(saved);
    observer.placeAfterLoad(nullptr);
    EXPECT_EQ(std::pair(observer.positionX(), observer.positionY()), std::pair(200.0f, 700.0f))
        << "a place inside the band is kept";
}

TEST_F(ObserverTest, TheEyeReadsTheWindFieldAndPublishesItsSpeed) {
    WindField wind(terrain);
    wind.setWind(0.0f, 5.0f); // along north, +y
    ASSERT_TRUE(wind.compute());
    Observer eye(terrain, &wind);
    eye.subscribe(&recorder);
    eye.setPosition(500, 500, 400);
    EXPECT_NEAR(eye.windProbe().speed(), 5.0f, 0.5f);
    EXPECT_EQ(recorder.last[Observer::windSpeedEvent], eye.windProbe().speed());
    eye.unsubscribe(&recorder);
}

// Found by fuzzing saved games: the largest speed one may hold.
TEST_F(ObserverTest, AHugeWalkingSpeedNeverTakesTheEyeToInfinity) {
    observer.placeAfterLoad(nullptr);
    observer.setSpeed(std::numeric_limits<float>::max());
    observer.setHeading(0.3f, -1.0f); // looking up
    const auto finite = [&] {
        return std::isfinite(observer.position()[0] + observer.position()[1] +
                             observer.position()[2]);
    };
    for (int step = 0; step < 40; ++step) {
        observer.moveByKey(Key::Up, 0.1f);
        ASSERT_TRUE(finite()) << "after " << step + 1 << " steps up";
    }
    observer.moveByKey(Key::Up, 3.0f); // a step long enough to overflow the distance
    observer.moveByKey(Key::Down, 0.1f);
    EXPECT_TRUE(finite());
    EXPECT_GE(observer.positionZ(),
              terrain.HeightAt(observer.positionX(), observer.positionY()) + 2.0f);
    EXPECT_TRUE(terrain.containsXY(observer.positionX(), observer.positionY()));
}
