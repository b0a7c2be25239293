#pragma once

#include <memory>

#include "gfx/GlNames.h"

class Observer;
class PolygonSink;

/*
===============================================================================
Scenery: a fixed object of a land, generated from a handful of numbers into
one OpenGL display list of flat-coloured polygons (trees: one textured quad
that turns to face the observer).

(x, y, z) is the corner of the footprint with the smallest x and y and its
base height (a tree: its foot); height is the total height above z, width the
extent along x, depth along y; rx, ry, rz are degrees about the world axes,
which turn the object about the world's origin (the lists hold world
coordinates). Build compiles the list, also again after ReleaseGl; Emit hands
the same polygons to any sink, so their shape can be checked without GL.
===============================================================================
*/
class Scenery {
  public:
    enum Type { Tree = 1, Tower = 11, Gable = 21, Shed = 22, Round = 23 };

    Scenery() = default;
    Scenery(const Scenery&) = delete;
    Scenery& operator=(const Scenery&) = delete;
    virtual ~Scenery() = default;

    virtual void Build();
    virtual void ReleaseGl();
    virtual void Draw(const Observer& observer) const;
    virtual void Emit(PolygonSink& sink) const;

    // A new, unbuilt scenery of a land file's type number; null for other numbers.
    static std::unique_ptr<Scenery> Create(int type);
    static bool HasRoof(int type) { return type == Gable || type == Shed || type == Round; }

    unsigned displayList() const { return list.get(); }

    float x = 0.0f, y = 0.0f, z = 0.0f;
    float height = 0.0f, width = 0.0f, depth = 0.0f;
    float rx = 0.0f, ry = 0.0f, rz = 0.0f;
    float roofHeight = 0.0f;

  protected:
    // A list of flat-coloured polygons from Emit, texturing off while it runs.
    void CompileFlat();
    // The rotations, fill both sides, no culling, the list; then back.
    void DrawRotated() const;

    GlDisplayList list;
};
