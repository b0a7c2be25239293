#include "world/scenery/Scenery.h"

#include <GL/gl.h>

#include "shell/Accessors.h"
#include "world/scenery/GableHouse.h"
#include "world/scenery/PolygonSink.h"
#include "world/scenery/RoundHouse.h"
#include "world/scenery/ShedHouse.h"
#include "world/scenery/TowerScenery.h"
#include "world/scenery/TreeScenery.h"

void Scenery::Build() {}

void Scenery::ReleaseGl() {
    list.reset();
}

void Scenery::Draw(const Observer&) const {}

void Scenery::Emit(PolygonSink&) const {}

std::unique_ptr<Scenery> Scenery::Create(int type) {
    switch (type) {
    case Tree:
        return std::make_unique<TreeScenery>(0.0f, 0.0f, 0.0f, 0.0f,
                                             texture(TreeScenery::pictureId));
    case Tower:
        return std::make_unique<TowerScenery>();
    case Gable:
        return std::make_unique<GableHouse>();
    case Shed:
        return std::make_unique<ShedHouse>();
    case Round:
        return std::make_unique<RoundHouse>();
    default:
        return nullptr;
    }
}

void Scenery::CompileFlat() {
    ReleaseGl();
    list = GlDisplayList::generate();
    glNewList(list.get(), GL_COMPILE);
    glDisable(GL_TEXTURE_2D);
    GlPolygonSink sink;
    Emit(sink);
    glEnable(GL_TEXTURE_2D);
    glEndList();
}

void Scenery::DrawRotated() const {
    glPushMatrix();
    glRotatef(rx, 1.0f, 0.0f, 0.0f);
    glRotatef(ry, 0.0f, 1.0f, 0.0f);
    glRotatef(rz, 0.0f, 0.0f, 1.0f);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glDisable(GL_CULL_FACE);
    glCallList(list.get());
    glPolygonMode(GL_FRONT, GL_FILL);
    glEnable(GL_CULL_FACE);
    glPopMatrix();
}
