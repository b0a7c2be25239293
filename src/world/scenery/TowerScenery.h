#pragma once

#include "world/scenery/Scenery.h"

/*
A lattice tower on a 1 m block. The list holds one face (48 flat ribbons);
Draw adds the block, turns the face about the tower's axis to make the other
three, and tops it with a rod. Meant for square footprints: with width and
depth unequal the turned faces miss the corners.
*/
class TowerScenery : public Scenery {
  public:
    void Build() override { CompileFlat(); }
    void Draw(const Observer& observer) const override;
    // The face of the list.
    void Emit(PolygonSink& sink) const override;
    // What Draw adds around the list: the block's five faces and the rod.
    void EmitBlock(PolygonSink& sink) const;
    void EmitRod(PolygonSink& sink) const;

    // A flat ribbon from p0 to p1 in the y-z plane (alongY) or the x-z plane.
    static void Ribbon(PolygonSink& sink, bool alongY, const float p0[3], const float p1[3],
                       float ribbonWidth);
};
