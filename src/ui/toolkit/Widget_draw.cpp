#include <GL/gl.h>

#include "ui/toolkit/Draw2d.h"
#include "ui/toolkit/Widget.h"

// The panel: bevel, then the texture or the fill colour inside it.
void Widget::draw() {
    glDisable(GL_TEXTURE_2D);
    drawBevel(bevelStyle, x, y, width, height, bevel->rgb);
    glEnable(GL_TEXTURE_2D);
    if (noFill) return;
    const int b = bevelWidth;
    if (texture) {
        drawTexturedRect(texture, x + b, y + b, x + width - b, y + height - b, textureAlpha);
        return;
    }
    fillRect(x + b, y + b, x + width - b, y + height - b, fill->rgb);
}
