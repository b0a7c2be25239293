#include "ui/composites/MessageBox.h"

#include "shell/Accessors.h"
#include "ui/toolkit/Button.h"
#include "ui/toolkit/Label.h"
#include "ui/toolkit/WidgetEvents.h"

bool MessageBox::create(const char* message, const char* title, int icon) {
    constexpr int boxWidth = 600;
    constexpr int boxHeight = 200;
    createWithTitle(title, (clientWidth() - boxWidth) / 2, (clientHeight() - boxHeight) / 2,
                    boxWidth, boxHeight, nullptr, ::texture(420));
    if (icon == 1) {
        picture = new Label;
        picture->create(nullptr, 0, 50, 64, 64, this, ::texture(406));
    }
    closeButton = new Button;
    closeButton->create(::text(5), 200, 10, 80, 30, this, nullptr, nullptr, nullptr);
    messageLabel = new Label;
    messageLabel->font = defaultFont("Arial", 20, true, true);
    messageLabel->noFill = true;
    messageLabel->align = AlignCentre;
    messageLabel->create(message, 0, 80, boxWidth, 20, this, nullptr);
    return true;
}

void MessageBox::resize(int windowWidth, int windowHeight) {
    centreIn(windowWidth, windowHeight);
}

void MessageBox::onEvent(EventPublisher* publisher, const Event& event) {
    if (publisher == closeButton && (event.type & EventActivated)) close();
}
