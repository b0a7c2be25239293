#pragma once

#include "ui/toolkit/Container.h"

class Label;

/*
===============================================================================
NoticeBox: a 600 by 120 box in the middle of the window with a title, a
picture and a line of text, shown while a command works; the command closes
it when it is done. It stays in the middle when the window changes size.
===============================================================================
*/
class NoticeBox : public Container {
  public:
    NoticeBox();

    using Container::create;
    bool create(const char* message, const char* title);

    void resize(int windowWidth, int windowHeight) override;

    Label* picture = nullptr;
    Label* messageLabel = nullptr;
};

// The frame the notice and the progress box share: a 600 by 120 box in the
// middle of the window with its picture and its centred text.
void createNoticeFrame(Container* box, const char* message, const char* title, int pictureId,
                       Label*& picture, Label*& messageLabel);
