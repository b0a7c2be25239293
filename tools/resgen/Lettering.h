#pragma once

#include <memory>
#include <string>
#include <vector>

/*
Lettering: anti-aliased text for the generated pictures, drawn with an
installed sans-serif face (fontconfig's choice for the family asked for).
Coverage maps are the canvas size, one float per pixel, top row first.
*/
class Lettering {
  public:
    // Throws std::runtime_error when no face can be opened.
    Lettering(const char* family, bool bold, bool italic = false);
    ~Lettering();

    // Width in pixels of text at that em size (letter spacing added between glyphs).
    float measure(const std::string& text, float size, float spacing = 0) const;
    // Adds the text's coverage with its baseline starting at (x, y).
    void draw(std::vector<float>& coverage, int width, int height, const std::string& text, float x,
              float y, float size, float spacing = 0) const;

  private:
    struct Impl;
    std::unique_ptr<Impl> impl;
};
