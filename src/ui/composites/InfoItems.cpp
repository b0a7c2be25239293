#include "ui/composites/InfoItems.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "gfx/Texture.h"
#include "shell/Accessors.h"
#include "ui/toolkit/WidgetEvents.h"

// The formats are the program's own texts, never user input.
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
#pragma GCC diagnostic ignored "-Wformat-security"

std::string formatValue(const std::string& format, double value) {
    if (format.empty()) return {};
    char shown[256];
    std::snprintf(shown, sizeof shown, format.c_str(), value);
    return shown;
}

std::string formatText(const std::string& format, const std::string& value) {
    if (format.empty()) return {};
    char shown[256];
    std::snprintf(shown, sizeof shown, format.c_str(), value.c_str());
    return shown;
}

InfoValue::InfoValue(uint32_t itemId) {
    mask = itemId;
}

std::string InfoValue::shownText() const {
    return formatValue(text, value);
}

void InfoValue::onEvent(EventPublisher*, const Event& event) {
    if (event.kind() != KindValue) return;
    if (const float* sent = ValueEvent::pointerOf<float>(event)) value = *sent;
}

InfoText::InfoText(uint32_t itemId) {
    mask = itemId;
}

std::string InfoText::shownText() const {
    return formatText(text, value);
}

void InfoText::onEvent(EventPublisher*, const Event& event) {
    if (event.kind() != KindValue) return;
    if (const char* sent = ValueEvent::pointerOf<char>(event)) value = sent;
}

WindIndicator::WindIndicator(uint32_t itemId) {
    mask = itemId;
    for (int k = 0; k < 8; ++k) {
        const double angle = k * 45.0 * 3.14159265358979 / 180.0;
        ring[k][0] = static_cast<float>(std::cos(angle));
        ring[k][1] = static_cast<float>(std::sin(angle));
    }
}

std::string WindIndicator::shownText() const {
    return formatValue(text, strength);
}

void WindIndicator::onEvent(EventPublisher*, const Event& event) {
    if (event.kind() != KindValue) return;
    const float* sent = ValueEvent::pointerOf<float>(event);
    if (sent == nullptr) return;
    direction = sent[0];
    strength = sent[1];
}

void WindIndicator::draw() {
    Widget::draw();
    drawSock();
    drawText();
}

// Model units, scaled by 5 on the screen: the pole stands along the view axis; the
// sock's mouth is on the pole's top and its tail lies along +x once fully lifted.
// Depth is left unscaled so the sock stays inside the 2D view's depth range.
void WindIndicator::drawSock() const {
    constexpr float poleHeight = 1.6f;
    constexpr float sockLength = 3.4f;
    constexpr float mouthRadius = 1.0f;
    const float lift = 90.0f * std::clamp(strength, 0.0f, 1.0f);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glPushAttrib(GL_ENABLE_BIT);
    glDisable(GL_CULL_FACE);
    glDisable(GL_LIGHTING);
    glTranslatef(static_cast<float>(x + width / 2), static_cast<float>(y), 0.0f);
    glScalef(5.0f, 5.0f, 1.0f);
    glRotatef(direction + 90.0f, 0.0f, 0.0f, 1.0f);
    glDisable(GL_TEXTURE_2D);
    glColor3f(0.85f, 0.85f, 0.85f);
    glBegin(GL_LINES);
    glVertex3f(0.0f, 0.0f, 0.0f);
    glVertex3f(0.0f, 0.0f, poleHeight);
    glEnd();
    glTranslatef(0.0f, 0.0f, poleHeight);
    // Hanging, the sock points away from the viewer; lifting turns it towards +x.
    glRotatef(-lift, 0.0f, 1.0f, 0.0f);
    Texture* cloth = ::texture(405);
    if (cloth) {
        glEnable(GL_TEXTURE_2D);
        cloth->Bind();
        glColor3f(1.0f, 1.0f, 1.0f);
    } else {
        glColor3f(1.0f, 0.45f, 0.1f);
    }
    // The cloth's stripes run across the sock: s along its length, t around it.
    glBegin(GL_TRIANGLE_FAN);
    glTexCoord2f(1.0f, 0.5f);
    glVertex3f(0.0f, 0.0f, -sockLength);
    for (int k = 0; k <= 8; ++k) {
        const float* point = ring[k % 8];
        glTexCoord2f(0.0f, k / 8.0f);
        glVertex3f(point[0] * mouthRadius, point[1] * mouthRadius, 0.0f);
    }
    glEnd();
    glPopAttrib();
    glEnable(GL_TEXTURE_2D);
    glPopMatrix();
}
