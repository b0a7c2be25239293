#include "app/CursorSprite.h"

#include <GL/gl.h>

#include "gfx/Texture.h"

void CursorSprite::setTexture(Texture* picture) {
    texture = picture;
    hotX = 0;
    hotY = picture ? picture->Height() : 0;
}

void CursorSprite::draw(int x, int y, int clientWidth, int clientHeight) const {
    if (!shown || !texture) return;
    // The layers leave whatever projection they used: draw in window pixels.
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(0.0, clientWidth, 0.0, clientHeight, -1.0, 1.0);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();

    // Whatever the layers left switched on (culling, lighting, fog) must not touch it.
    glPushAttrib(GL_ENABLE_BIT);
    glDisable(GL_CULL_FACE);
    glDisable(GL_LIGHTING);
    glDisable(GL_FOG);
    glDisable(GL_DEPTH_TEST);
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    texture->Bind();
    const int left = x - hotX;
    const int bottom = y - hotY;
    const int right = left + texture->Width();
    const int top = bottom + texture->Height();
    glBegin(GL_QUADS);
    glTexCoord2f(0.0f, 1.0f);
    glVertex2i(left, bottom);
    glTexCoord2f(0.0f, 0.0f);
    glVertex2i(left, top);
    glTexCoord2f(1.0f, 0.0f);
    glVertex2i(right, top);
    glTexCoord2f(1.0f, 1.0f);
    glVertex2i(right, bottom);
    glEnd();
    glPopAttrib();
    glEnable(GL_DEPTH_TEST);
    glDisable(GL_BLEND);

    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
}
