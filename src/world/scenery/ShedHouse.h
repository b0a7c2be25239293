#pragma once

#include "world/scenery/Scenery.h"

// A shed: one roof slope rising from the eaves on the y side to the full
// height on the y + depth side, overhanging by 0.2 m on three sides.
class ShedHouse : public Scenery {
  public:
    void Build() override { CompileFlat(); }
    void Draw(const Observer&) const override { DrawRotated(); }
    void Emit(PolygonSink& sink) const override;
};
