#include "world/thermals/Thermal.h"

#include "world/terrain/Terrain.h"
#include "world/wind/WindField.h"

#include <GL/gl.h>

#include <cmath>

Thermal::Thermal(const Birth& birth, const Terrain& ground, WindField& windField)
    : lifeLength(birth.lifetime), topHeight(birth.foot + birth.height), verticalSpeed(birth.speed),
      radiusSquared(birth.radius * birth.radius), terrain(&ground), wind(&windField) {
    const float z = verticalSpeed > 0.0f ? birth.foot : topHeight;
    chain.reserve(10);
    chain.push_back({birth.x, birth.y, z});
    chain.push_back(chain.front());
    headAir = tailAir = windAt(chain.front());
}

float Thermal::radius() const {
    return std::sqrt(radiusSquared);
}

Thermal::Vec3 Thermal::windAt(const Vec3& point) const {
    return wind->windAtPoint(point[0], point[1], point[2]);
}

float Thermal::groundInside(float x, float y) const {
    return terrain->containsXY(x, y) ? terrain->HeightAt(x, y) : -1.0f;
}

void Thermal::move(Vec3& point, const Vec3& air, float dt) const {
    point[0] += air[0] * dt;
    point[1] += air[1] * dt;
    point[2] += (air[2] + verticalSpeed) * dt;
}

void Thermal::update(double dt) {
    ageSeconds += static_cast<float>(dt);
    // One step per update: air that cannot rise must not hold up the frame.
    if (isGrowing) grow(static_cast<float>(dt));
    if (ageSeconds > lifeLength && tail < head) followTail(static_cast<float>(dt));
}

void Thermal::grow(float dt) {
    const Vec3& newest = chain[head];
    const Vec3& before = chain[head - 1];
    const float gapX = newest[0] - before[0], gapY = newest[1] - before[1],
                gapZ = newest[2] - before[2];
    if (gapX * gapX + gapY * gapY + gapZ * gapZ >= pointSpacing * pointSpacing) {
        chain.push_back(chain[head]);
        ++head;
        headAir = windAt(chain[head]);
    }
    move(chain[head], headAir, dt);
    stopHead();
}

void Thermal::stopHead() {
    Vec3& point = chain[head];
    const float ground = groundInside(point[0], point[1]);
    if (ground < 0.0f) {
        // Off the land: the column ends where it is.
        if (rising()) topHeight = point[2];
        isGrowing = false;
        return;
    }
    if (point[2] >= ground) {
        if (rising() && point[2] >= topHeight) isGrowing = false;
        return;
    }
    if (rising()) {
        point[2] = ground + 0.01f;
        headAir = windAt(point);
    } else if (sinking()) {
        isGrowing = false;
    }
}

void Thermal::followTail(float dt) {
    const float tailZ = chain[tail][2];
    const float nextZ = chain[tail + 1][2];
    if ((rising() && tailZ >= nextZ) || (sinking() && tailZ <= nextZ)) {
        ++tail;
        tailAir = windAt(chain[tail]);
    }
    Vec3& point = chain[tail];
    move(point, tailAir, dt);
    const float ground = groundInside(point[0], point[1]);
    if (ground > point[2] && rising()) {
        point[2] = ground + 0.01f;
        tailAir = windAt(point);
    }
    isAlive = tail < head;
}

void Thermal::compileList() {
    list = GlDisplayList::generate();
    if (!list) return;
    const float r = radius();
    glNewList(list.get(), GL_COMPILE);
    if (rising())
        glColor3f(1.0f, 0.0f, 0.0f);
    else
        glColor3f(0.0f, 0.0f, 1.0f);
    glBegin(GL_LINE_STRIP);
    for (int k = 0; k <= 8; ++k) {
        const float a = k * 0.7853982f;
        glVertex3f(std::cos(a) * r, std::sin(a) * r, 0.0f);
    }
    glEnd();
    glEndList();
}

void Thermal::releaseDisplayList() {
    list.reset();
}

void Thermal::rebuildDisplayList() {
    releaseDisplayList();
    compileList();
}

void Thermal::draw() {
    if (!list) compileList();
    glPushMatrix();
    glTranslatef(chain[tail][0], chain[tail][1], chain[tail][2]);
    glCallList(list.get());
    for (int p = tail + 1; p <= head; ++p) {
        glTranslatef(chain[p][0] - chain[p - 1][0], chain[p][1] - chain[p - 1][1],
                     chain[p][2] - chain[p - 1][2]);
        glCallList(list.get());
    }
    glPopMatrix();
}
