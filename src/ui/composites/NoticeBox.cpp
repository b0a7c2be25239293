#include "ui/composites/NoticeBox.h"

#include "shell/Accessors.h"
#include "ui/toolkit/Label.h"
#include "ui/toolkit/WidgetEvents.h"

NoticeBox::NoticeBox() {
    mask = EventChanged;
}

bool NoticeBox::create(const char* message, const char* title) {
    createNoticeFrame(this, message, title, 406, picture, messageLabel);
    return true;
}

void NoticeBox::resize(int windowWidth, int windowHeight) {
    centreIn(windowWidth, windowHeight);
}

void createNoticeFrame(Container* box, const char* message, const char* title, int pictureId,
                       Label*& picture, Label*& messageLabel) {
    constexpr int boxWidth = 600;
    constexpr int boxHeight = 120;
    box->createWithTitle(title, (clientWidth() - boxWidth) / 2, (clientHeight() - boxHeight) / 2,
                         boxWidth, boxHeight, nullptr, ::texture(431));
    picture = new Label;
    picture->create(nullptr, 10, 20, 64, 64, box, ::texture(pictureId));
    messageLabel = new Label;
    messageLabel->noFill = true;
    messageLabel->align = AlignCentre;
    messageLabel->create(message, 80, 60, boxWidth - 110, 20, box, nullptr);
}
