#pragma once

#include <GL/gl.h>

namespace testsupport {

// The state the application sets up for each new GL context, for tests that
// draw the world in a context of their own.
inline void applyContextState() {
    glFrontFace(GL_CW);
    glCullFace(GL_BACK);
    glEnable(GL_CULL_FACE);
    glDepthFunc(GL_LEQUAL);
    glFogi(GL_FOG_MODE, GL_EXP2);
    glEnable(GL_TEXTURE_2D);
}

} // namespace testsupport
