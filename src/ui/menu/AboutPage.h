#pragma once

#include "ui/composites/Page.h"

/*
===============================================================================
AboutPage: the program's picture alone, without a frame.
===============================================================================
*/
class AboutPage : public Page {
  public:
    bool create(int id, int x, int y, int width, int height, Widget* parent,
                Texture* background) override;
};
