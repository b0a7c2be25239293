#include "ui/toolkit/Draw2d.h"

#include <GL/gl.h>

#include "gfx/Texture.h"
#include "shell/Accessors.h"
#include "ui/toolkit/Widget.h"

void begin2dView() {
    int viewWidth = clientWidth();
    int viewHeight = clientHeight();
    if (viewWidth <= 0 || viewHeight <= 0) {
        GLint viewport[4] = {0, 0, 0, 0};
        glGetIntegerv(GL_VIEWPORT, viewport);
        viewWidth = viewport[2];
        viewHeight = viewport[3];
    }
    glDisable(GL_DEPTH_TEST);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0.0, viewWidth, 0.0, viewHeight, -10.0, 10.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

namespace {
struct Shades {
    float dark[3];
    float light[3];
};

Shades shadesOf(const float* colour) {
    constexpr float d = 0.2f;
    // Unclamped on purpose: OpenGL clamps colours itself.
    return Shades{{colour[0] - d, colour[1] - d, colour[2] - d},
                  {colour[0] + d, colour[1] + d, colour[2] + d}};
}

void strip(const float* colour, int x0, int y0, int x1, int y1, int x2, int y2) {
    glColor3fv(colour);
    glBegin(GL_LINE_STRIP);
    glVertex2i(x0, y0);
    glVertex2i(x1, y1);
    glVertex2i(x2, y2);
    glEnd();
}

// One bevel ring: the left-and-top strip in one colour, the right-and-bottom in the other.
void ring(const float* leftTop, const float* rightBottom, int left, int bottom, int right,
          int top) {
    strip(leftTop, left, bottom, left, top, right, top);
    strip(rightBottom, right, top, right, bottom, left, bottom);
}

void loop(const float* colour, int left, int bottom, int right, int top) {
    glColor3fv(colour);
    glBegin(GL_LINE_LOOP);
    glVertex2i(left, bottom);
    glVertex2i(right, bottom);
    glVertex2i(right, top);
    glVertex2i(left, top);
    glEnd();
}
} // namespace

void drawBevel(int style, int x, int y, int width, int height, const float* colour) {
    const Shades shade = shadesOf(colour);
    const int right = x + width;
    const int top = y + height;
    switch (style) {
    case BevelSunken:
        ring(shade.dark, shade.light, x + 1, y, right, top - 1);
        ring(shade.dark, shade.light, x + 2, y + 1, right - 1, top - 2);
        break;
    case BevelRaised:
        ring(shade.light, shade.dark, x + 1, y, right, top - 1);
        ring(shade.light, shade.dark, x + 2, y + 1, right - 1, top - 2);
        break;
    case BevelGroove:
        ring(shade.dark, shade.light, x + 1, y, right, top - 1);
        loop(colour, x + 2, y + 1, right - 1, top - 2);
        ring(shade.light, shade.dark, x + 3, y + 2, right - 2, top - 3);
        break;
    case BevelRidge:
        ring(shade.light, shade.dark, x + 1, y, right, top - 1);
        loop(colour, x + 2, y + 1, right - 1, top - 2);
        ring(shade.dark, shade.light, x + 3, y + 2, right - 2, top - 3);
        break;
    default:
        break;
    }
}

void fillRect(int left, int bottom, int right, int top, const float* colour) {
    glDisable(GL_TEXTURE_2D);
    glColor3fv(colour);
    glBegin(GL_QUADS);
    glVertex2i(left, top);
    glVertex2i(right, top);
    glVertex2i(right, bottom);
    glVertex2i(left, bottom);
    glEnd();
    glEnable(GL_TEXTURE_2D);
}

void outlineRect(int left, int bottom, int right, int top, const float* colour) {
    glDisable(GL_TEXTURE_2D);
    loop(colour, left, bottom, right, top);
    glEnable(GL_TEXTURE_2D);
}

void drawTexturedRect(const Texture* picture, int left, int bottom, int right, int top,
                      float alpha) {
    if (picture == nullptr) return;
    glEnable(GL_TEXTURE_2D);
    picture->Bind();
    if (alpha < 1.0f) glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glColor4f(1.0f, 1.0f, 1.0f, alpha < 0.0f ? 0.0f : alpha);
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
}
