// The observer: angles, side planes, the inner band, the ground clamp, moves,
// spots, the events it publishes and the wind it reads at the eye.
#include <gtest/gtest.h>

#include <cmath>
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

// A square land 0..1000 x 0..1000 whose ground rises to the east: z = 0.05 x + 100.
std::string landText(float slope) {
    auto z = [slope](float x) { return std::to_string(slope * x + 100.0f); };
    return "terrain.points = \"0 0 " + z(0) + " 1000 0 " + z(1000) + " 1000 1000 " + z(1000) +
           " 0 1000 " + z(0) + "\"\n" +
           "terrain.triangles = \"0 2 1 0 3 2\"\n"
           "terrain.tree = \"-1 0 1 -1 0 -1 -1 -1 1 -1 -1 -1\"\n";
}

float ground(float x) {
    return 0.05f * x + 100.0f;
}

struct Heard {
    uint32_t type;
    float first;
    float second;
    std::string text;
};

class Recorder : public EventSubscriber {
  public:
    Recorder() : EventSubscriber(0xFFFFFFFF) {}
    void onEvent(EventPublisher*, const Event& event) override {
        Heard heard{event.type, 0.0f, 0.0f, {}};
        if (event.type == Observer::spotNameEvent)
            heard.text = reinterpret_cast<const char*>(event.payload);
        else {
            const float* values = reinterpret_cast<const float*>(event.payload);
            heard.first = values[0];
            if (event.type == Observer::windIndicatorEvent) heard.second = values[1];
        }
        log.push_back(heard);
    }
    std::vector<uint32_t> types() const {
        std::vector<uint32_t> result;
        for (const Heard& h : log)
            result.push_back(h.type);
        return result;
    }
    const Heard* last(uint32_t type) const {
        for (auto it = log.rbegin(); it != log.rend(); ++it)
            if (it->type == type) return &*it;
        return nullptr;
    }
    std::vector<Heard> log;
};

class ObserverTest : public ::testing::Test {
  protected:
    void SetUp() override {
        KeyValueFile file;
        file.openText(landText(0.05f));
        ASSERT_TRUE(terrain.Load(file));
        observer.subscribe(&recorder);
    }
    void TearDown() override { observer.unsubscribe(&recorder); }

    Terrain terrain;
    Observer observer{terrain, nullptr};
    Recorder recorder;
};
} // namespace

TEST_F(ObserverTest, SettingsRoundTripInTheirKeyOrder) {
    KeyValueFile saved;
    saved.openText("");
    observer.setPosition(300, 400, 500);
    observer.setSpeed(12.5f);
    observer.setFieldOfView(70);
    observer.setAzimuthSpeed(60);
    observer.saveParams(saved);
    const std::string& text = saved.text();
    const char* order[] = {"obs.x",     "obs.y",    "obs.z",          "obs.speed",    "obs.fov",
                           "obs.alpha", "obs.beta", "obs.alphaspeed", "obs.betaspeed"};
    std::size_t at = 0;
    for (const char* key : order) {
        const std::size_t found = text.find(key, at);
        ASSERT_NE(found, std::string::npos) << key;
        at = found;
    }
    EXPECT_NE(text.find("obs.x = \"300.000000\""), std::string::npos);

    Observer other(terrain, nullptr);
    other.readParams(saved);
    EXPECT_EQ(other.positionX(), 300.0f);
    EXPECT_EQ(other.positionZ(), 500.0f);
    EXPECT_EQ(other.movementSpeed(), 12.5f);
    EXPECT_EQ(other.fieldOfView(), 70.0f);
    EXPECT_EQ(other.azimuthPixelsPerRadian(), 60.0f);
    EXPECT_EQ(other.elevationPixelsPerRadian(), 80.0f);

    KeyValueFile empty;
    empty.openText("");
    other.readParams(empty);
    EXPECT_EQ(other.fieldOfView(), 50.0f) << "reading resets to the defaults first";
    EXPECT_EQ(other.movementSpeed(), 10.0f);
}

// Azimuth within one turn above north, elevation clamped to a quarter turn,
// the pointer turning the view at 80 pixels per radian, clockwise from above.
TEST_F(ObserverTest, AnglesStayInTheirRangesAndThePointerTurnsTheView) {
    for (float a = -20.0f; a < 20.0f; a += 0.37f) {
        observer.setAzimuth(a);
        EXPECT_GE(observer.azimuth(), north - 1e-5f) << a;
        EXPECT_LT(observer.azimuth(), north + 2.0f * pi + 1e-5f) << a;
        EXPECT_NEAR(std::remainder(observer.azimuth() - a, 2.0f * pi), 0.0f, 1e-4f) << a;
    }
    for (const auto& [set, expected] :
         {std::pair{1.6f, 1.5707964f}, {-3.0f, -1.5707964f}, {0.4f, 0.4f}}) {
        observer.setElevation(set);
        EXPECT_EQ(observer.elevation(), expected) << set;
    }
    observer.setHeading(0.0f, 0.0f); // looking north
    const float before = observer.azimuth();
    observer.rotateByPixels(-80.0f, 0.0f); // pointer 80 pixels to the right
    EXPECT_NEAR(observer.azimuth(), before - 1.0f + 2.0f * pi, 1e-4f);
    observer.rotateByPixels(0.0f, -80.0f); // pointer 80 pixels up
    EXPECT_NEAR(observer.elevation(), -1.0f, 1e-6f);
    EXPECT_GT(observer.viewDirection()[2], 0.8f) << "the view rises";
    observer.rotateByPixels(0.0f, -80.0f);
    EXPECT_EQ(observer.elevation(), -1.5707964f);
}

TEST_F(ObserverTest, SidePlanesHoldTheHorizontalFieldOfView) {
    observer.setPosition(500, 500, 300);
    observer.setFieldOfView(50);
    observer.setHeading(-north, 0.0f); // azimuth 0: looking along +x
    auto side = [](const Observer::Plane& p, float x, float y, float z) {
        return p[0] * x + p[1] * y + p[2] * z + p[3];
    };
    const auto& l = observer.leftPlane();
    const auto& r = observer.rightPlane();
    // 20 degrees either side of the view is inside, 30 degrees is outside.
    for (float degrees : {-20.0f, 0.0f, 20.0f}) {
        const float a = degrees * 0.01745329f;
        const float x = 500 + 100 * std::cos(a), y = 500 + 100 * std::sin(a);
        EXPECT_GT(side(l, x, y, 300), 0.0f) << degrees;
        EXPECT_GT(side(r, x, y, 300), 0.0f) << degrees;
    }
    const float a = 30.0f * 0.01745329f;
    EXPECT_LT(side(r, 500 + 100 * std::cos(a), 500 - 100 * std::sin(a), 300), 0.0f) << "right";
    EXPECT_LT(side(l, 500 + 100 * std::cos(a), 500 + 100 * std::sin(a), 300), 0.0f) << "left";
    EXPECT_TRUE(side(l, 400, 500, 300) < 0.0f || side(r, 400, 500, 300) < 0.0f)
        << "behind the eye is outside";
    EXPECT_NEAR(observer.tanHalfField(), std::tan(25.0f * 0.01745329f), 1e-6f);
    observer.setFieldOfView(90);
    EXPECT_NEAR(observer.tanHalfField(), 1.0f, 1e-6f);
}

TEST_F(ObserverTest, MovesFollowTheViewInsideTheBandAndTwoMetresOverTheGround) {
    observer.setPosition(500, 500, 400);
    observer.setPosition(960, 600, 400);
    EXPECT_EQ(observer.positionX(), 500.0f) << "x beyond 950 is refused";
    EXPECT_EQ(observer.positionY(), 600.0f) << "y still moves";
    observer.setPosition(50, 949, 400);
    observer.setPosition(49.9f, 40, 400);
    EXPECT_EQ(observer.position(), (Observer::Vec3{50.0f, 949.0f, 400.0f}));
    observer.setPosition(400, 500, 0);
    EXPECT_NEAR(observer.positionZ(), ground(400) + 2.0f, 1e-3f);

    observer.setPosition(500, 500, 400);
    observer.setHeading(0.0f, 0.0f); // north, +y
    observer.moveByKey(Key::Up, 2.0f);
    EXPECT_NEAR(observer.positionY(), 520.0f, 1e-3f);
    observer.moveByKey(Key::Right, 1.0f);
    EXPECT_NEAR(observer.positionX(), 510.0f, 1e-3f) << "right of north is east";
    observer.moveByKey(Key::Left, 3.0f);
    EXPECT_NEAR(observer.positionX(), 480.0f, 1e-3f);
    observer.setHeading(0.0f, 0.5f);
    const float z = observer.positionZ();
    observer.moveByKey(Key::Left, 1.0f);
    EXPECT_EQ(observer.positionZ(), z) << "sideways keeps the height";
    EXPECT_NEAR(observer.positionX(), 480.0f - 10.0f * std::cos(0.5f), 1e-3f);
    const auto before = observer.position();
    observer.moveByKey('a', 5.0f);
    EXPECT_EQ(observer.position(), before) << "other keys do nothing";
    // Looking straight down and walking forward ends on the ground, not in it.
    observer.setHeading(0.0f, 1.5f);
    for (int i = 0; i < 200; ++i)
        observer.moveByKey(Key::Up, 1.0f);
    EXPECT_NEAR(observer.positionZ(), ground(observer.positionX()) + 2.0f, 1e-2f);
    observer.moveByKey(Key::Down, 10.0f);
    EXPECT_GT(observer.positionZ(), ground(observer.positionX()) + 11.0f) << "back up freely";
}

TEST_F(ObserverTest, MovesTurnsAndSpotsPublishTheirEventsInOrder) {
    observer.setPosition(500, 500, 400);
    EXPECT_EQ(recorder.types(), (std::vector<uint32_t>{1, 8, 16, 128, 32, 64}));
    EXPECT_EQ(recorder.last(8)->first, 500.0f);
    EXPECT_EQ(recorder.last(128)->first, 400.0f);
    recorder.log.clear();
    observer.setPosition(500, 500, 400); // nothing changes: still published
    EXPECT_EQ(recorder.log.size(), 6u);
    recorder.log.clear();
    observer.rotateByPixels(0.0f, 8.0f);
    EXPECT_EQ(recorder.types(), (std::vector<uint32_t>{2, 4, 32, 64}));
    EXPECT_NEAR(recorder.last(4)->first, 0.1f * 57.29578f, 1e-3f);
    EXPECT_NEAR(recorder.last(2)->first, observer.azimuth() * 57.29578f, 1e-3f);

    terrain.AddSpot("Launch", 300, 300, 0, 0.5f, 0, 0); // names come within ten metres
    observer.setPosition(305, 305, 0);
    EXPECT_EQ(recorder.last(1)->text, "Launch");
    observer.setPosition(320, 300, 0);
    EXPECT_EQ(recorder.last(1)->text, "");
    observer.goToSpot(terrain.spots()[1]);
    EXPECT_EQ(observer.spotName(), "Launch");
    EXPECT_NEAR(observer.azimuth(), north + 0.5f, 1e-5f);
    EXPECT_NEAR(observer.positionZ(), ground(300) + 2.0f, 1e-3f);
}

TEST_F(ObserverTest, PlacementAfterALoadUsesTheLandCentreWhenOutside) {
    KeyValueFile saved;
    saved.openText("obs.x = \"990\"\nobs.y = \"500\"\nobs.z = \"5000\"\nobs.alpha = \"2\"\n");
    observer.readParams(saved);
    terrain.NextSpot();
    observer.placeAfterLoad(nullptr);
    EXPECT_EQ(observer.positionX(), 500.0f);
    EXPECT_EQ(observer.positionY(), 500.0f);
    EXPECT_NEAR(observer.positionZ(), ground(500) + 2.0f, 1e-3f) << "the stored height is not used";
    EXPECT_EQ(terrain.currentSpot(), 0u);
    EXPECT_NEAR(observer.viewDirection()[0], std::cos(2.0f), 1e-5f);
    const auto& ear = observer.listener();
    EXPECT_EQ(ear.position(), observer.position());
    EXPECT_EQ(ear.up(), (Listener::Vec3{0.0f, 0.0f, 1.0f}));
    EXPECT_NEAR(ear.at()[1], std::sin(2.0f), 1e-5f);

    saved.openText("obs.x = \"200\"\nobs.y = \"700\"\n");
    observer.readParams(saved);
    observer.placeAfterLoad(nullptr);
    EXPECT_EQ(observer.positionX(), 200.0f) << "a place inside the band is kept";
    EXPECT_EQ(observer.positionY(), 700.0f);
}

TEST(ObserverWind, TheEyeReadsTheWindFieldAndPublishesItsSpeed) {
    Terrain flat;
    KeyValueFile file;
    file.openText(landText(0.0f));
    ASSERT_TRUE(flat.Load(file));
    WindField wind(flat);
    wind.setWind(0.0f, 5.0f); // along north, +y
    ASSERT_TRUE(wind.compute());
    Observer observer(flat, &wind);
    Recorder recorder;
    observer.subscribe(&recorder);
    observer.setPosition(500, 500, 0);
    ASSERT_NE(recorder.last(64), nullptr);
    EXPECT_NEAR(recorder.last(64)->first, 5.0f, 0.05f);
    EXPECT_NEAR(observer.windProbe().speed(), 5.0f, 0.05f);
    EXPECT_NEAR(recorder.last(32)->second, 5.0f * 0.04f, 0.005f);
    // The indicator's angle turns against the view: half a radian to the left
    // moves it half a radian (28.6 degrees) the other way.
    observer.setHeading(0.0f, 0.0f);
    const float lookingNorth = recorder.last(32)->first;
    EXPECT_NEAR(lookingNorth,
                (std::atan2(observer.windProbe().wind[1], observer.windProbe().wind[0]) -
                 observer.azimuth() + north) *
                    57.29578f,
                1e-3f);
    observer.setHeading(0.5f, 0.0f);
    EXPECT_NEAR(recorder.last(32)->first, lookingNorth - 28.64789f, 1e-2f);
    observer.unsubscribe(&recorder);

    Observer still(flat, nullptr);
    still.setPosition(500, 500, 0);
    EXPECT_EQ(still.windProbe().speed(), 0.0f);
}
