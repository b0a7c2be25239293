#pragma once

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

  private:
    Texture* texture = nullptr;
};
