#pragma once

#include <array>
#include <vector>

#include "gfx/GlNames.h"

class Terrain;
class WindField;

/*
===============================================================================
Thermal

One column of rising (speed > 0) or sinking (speed < 0) air. It is born as two
equal points: at its foot for rising air, at its top for sinking air. The head
point moves with the wind and the air's own speed, one step per update, and a
new point starts whenever the head is 30 m from the point before it; growth
ends at the top (rising), at the ground (sinking) or at the land's edge. Once
its lifetime is over the tail follows the same chain, one step per update, and
the thermal is dead when the tail reaches the head.

Points hold absolute heights; the wind is queried at their height above the
local ground. The drawn circle is compiled into a display list at the first
draw (so a thermal can live without a GL context) and is released and
rebuilt with the context.
===============================================================================
*/
class Thermal {
  public:
    using Vec3 = std::array<float, 3>;

    struct Birth {
        float x = 0.0f;
        float y = 0.0f;
        float foot = 0.0f; // absolute height of the foot
        float radius = 8.0f;
        float speed = 1.0f;
        float height = 300.0f; // of the top above the foot
        float lifetime = 30.0f;
    };

    static constexpr float pointSpacing = 30.0f;

    Thermal(const Birth& birth, const Terrain& terrain, WindField& wind);
    ~Thermal() = default;
    Thermal(const Thermal&) = delete;
    Thermal& operator=(const Thermal&) = delete;

    void update(double dt);
    void draw();
    void releaseDisplayList();
    void rebuildDisplayList();

    bool alive() const { return isAlive; }
    bool growing() const { return isGrowing; }
    bool rising() const { return verticalSpeed > 0.0f; }
    bool sinking() const { return verticalSpeed < 0.0f; }
    float lifetime() const { return lifeLength; }
    float top() const { return topHeight; }
    float speed() const { return verticalSpeed; }
    float radius() const;
    float age() const { return ageSeconds; }
    int tailIndex() const { return tail; }
    int headIndex() const { return head; }
    const std::vector<Vec3>& points() const { return chain; }
    const Vec3& headWind() const { return headAir; }
    const Vec3& tailWind() const { return tailAir; }
    unsigned displayList() const { return list.get(); }

  private:
    void grow(float dt);
    void stopHead();
    void followTail(float dt);
    void move(Vec3& point, const Vec3& air, float dt) const;
    Vec3 windAt(const Vec3& point) const;
    float groundInside(float x, float y) const;
    void compileList();

    float lifeLength;
    float topHeight;
    float verticalSpeed;
    float radiusSquared;
    bool isAlive = true;
    float ageSeconds = 0.0f;
    int tail = 0;
    int head = 1;
    std::vector<Vec3> chain;
    bool isGrowing = true;
    const Terrain* terrain;
    WindField* wind;
    Vec3 headAir{};
    Vec3 tailAir{};
    GlDisplayList list;
};
