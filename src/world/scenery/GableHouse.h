#pragma once

#include "world/scenery/Scenery.h"

// A house with a ridge roof along y: four walls up to the eaves, two gables,
// two roof slopes overhanging the walls by 0.2 m.
class GableHouse : public Scenery {
  public:
    void Build() override { CompileFlat(); }
    void Draw(const Observer&) const override { DrawRotated(); }
    void Emit(PolygonSink& sink) const override;
};
