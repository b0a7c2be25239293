#pragma once

#include <span>

#include "world/scenery/Scenery.h"

class Texture;

/*
A tree: a square billboard of side width, standing on its foot at (x, y, z)
and turned about the vertical to face the eye. All trees share the texture of
the built-in tree picture; the first tree gives it an alpha channel (black
becomes transparent) and uploads it again. Without a texture (no application)
the quad is drawn plain.
*/
class TreeScenery : public Scenery {
  public:
    static constexpr int pictureId = 404;

    TreeScenery(float footX, float footY, float footZ, float side, Texture* shared);

    void Build() override;
    void Draw(const Observer& observer) const override;
    // The quad in the tree's own frame, before it is turned and moved.
    void Emit(PolygonSink& sink) const override;
    // Degrees about z that turn the quad's -y side towards the eye.
    float FacingAngle(float eyeX, float eyeY) const;
    // The quad turned to face the eye and moved onto the tree's foot, as Draw
    // shows it, without a begin or an end so that many share one primitive.
    void EmitFacing(PolygonSink& sink, float eyeX, float eyeY) const;
    // Draws the trees as Draw does, one after the other, but with the state and
    // each texture set once and one primitive per texture, so that a land of
    // many trees costs the renderer a few draws rather than one per tree.
    static void DrawAll(std::span<const TreeScenery* const> trees, const Observer& observer);

  private:
    Texture* texture = nullptr;
};
