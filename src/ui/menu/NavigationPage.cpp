#include "ui/menu/NavigationPage.h"

#include <utility>

#include "ui/menu/PageParts.h"
#include "ui/toolkit/Button.h"
#include "ui/toolkit/WidgetEvents.h"

NavigationPage::NavigationPage(int pictureId, std::vector<Link> pageLinks)
    : picture(pictureId), links(std::move(pageLinks)) {}

void addPagePicture(Page& page, int imageId) {
    addPicture(page, imageId, 80, 10, 128, 128);
}

bool NavigationPage::build() {
    for (const Link& link : links)
        placed.push_back({addNavigationButton(*this, link.textId, link.y), link.targetPage});
    addPagePicture(*this, picture);
    return true;
}

Button* NavigationPage::buttonFor(int targetPage) const {
    for (const Placed& entry : placed) {
        if (entry.targetPage == targetPage) return entry.button;
    }
    return nullptr;
}

void NavigationPage::onEvent(EventPublisher* publisher, const Event& event) {
    if ((event.type & EventActivated) == 0) return;
    for (const Placed& entry : placed) {
        if (publisher == entry.button) {
            publish(ValueEvent::ofInt(EventActivated, entry.targetPage));
            return;
        }
    }
    onRelease(publisher, event);
}
