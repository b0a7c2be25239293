#include "ui/composites/ProgressBox.h"

#include <cassert>

#include "shell/Accessors.h"
#include "ui/composites/NoticeBox.h"
#include "ui/toolkit/Gauge.h"
#include "ui/toolkit/Label.h"
#include "ui/toolkit/WidgetEvents.h"
#include "world/Scene.h"

ProgressBox::ProgressBox() {
    mask = EventChanged;
}

bool ProgressBox::create(const char* message, const char* title) {
    createNoticeFrame(this, message, title, 201, picture, messageLabel);
    gauge = new Gauge;
    gauge->vertical = false;
    gauge->create(nullptr, 80, 20, width - 110, 20, this, nullptr, nullptr, nullptr);
    return true;
}

void ProgressBox::report(const char* message, float percent) {
    messageLabel->setText(message);
    gauge->setValue(percent);
    presentNow();
}

void ProgressBox::resize(int windowWidth, int windowHeight) {
    centreIn(windowWidth, windowHeight);
}

void ProgressBox::onEvent(EventPublisher*, const Event& event) {
    if (event.kind() != KindValue || (event.type & EventChanged) == 0) return;
    const auto* progress = ValueEvent::pointerOf<ProgressReport>(event);
    assert(progress &&
           "a progress event carries its report; publish it with Scene::reportProgress");
    if (progress == nullptr) return;
    report(progress->text, progress->percent);
}
