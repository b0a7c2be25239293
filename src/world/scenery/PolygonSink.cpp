#include "world/scenery/PolygonSink.h"

#include <GL/gl.h>

void GlPolygonSink::begin(unsigned mode) {
    glBegin(mode);
}
void GlPolygonSink::end() {
    glEnd();
}
void GlPolygonSink::colour(float r, float g, float b) {
    glColor3f(r, g, b);
}
void GlPolygonSink::texCoord(float s, float t) {
    glTexCoord2f(s, t);
}
void GlPolygonSink::vertex(float x, float y, float z) {
    glVertex3f(x, y, z);
}
