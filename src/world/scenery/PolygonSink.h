#pragma once

/*
===============================================================================
PolygonSink: where generated geometry goes. The drawing code hands it to
GlPolygonSink, which issues the immediate-mode calls (inside a display list
when one is being compiled); tests hand it to a recorder and check the
polygons without a GL context. Modes are the GL primitive enums.
===============================================================================
*/
class PolygonSink {
  public:
    virtual ~PolygonSink() = default;
    virtual void begin(unsigned mode) = 0;
    virtual void end() = 0;
    virtual void colour(float r, float g, float b) = 0;
    virtual void texCoord(float s, float t) = 0;
    virtual void vertex(float x, float y, float z) = 0;
};

class GlPolygonSink : public PolygonSink {
  public:
    void begin(unsigned mode) override;
    void end() override;
    void colour(float r, float g, float b) override;
    void texCoord(float s, float t) override;
    void vertex(float x, float y, float z) override;
};
