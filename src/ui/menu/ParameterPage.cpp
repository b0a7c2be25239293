#include "ui/menu/ParameterPage.h"

#include "ui/commands/Command.h"
#include "ui/menu/PageParts.h"
#include "ui/toolkit/Button.h"

void ParameterPage::addFrame(uint32_t resetReleaseType) {
    valid = addActionButton(*this, 60, 240, 45, 96, 32);
    reset = addActionButton(*this, 95, 370, 45, 96, 32);
    reset->releaseType = resetReleaseType;
}

void ParameterPage::addHeaderPicture(int imageId, int pictureHeight) {
    addPicture(*this, imageId, 80, 42, 128, pictureHeight);
}

void ParameterPage::connect(Widget* control, Command* command) {
    linkControl(*command, *control);
    listenTo(*command, *valid);
    listenTo(*command, *reset);
}
