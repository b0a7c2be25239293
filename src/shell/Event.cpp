#include "shell/Event.h"

#include <cassert>

#include <vector>

void EventPublisher::publish(const Event& event) {
    // A subscriber may unsubscribe itself or others while handling the event: walk a copy,
    // and skip those that left meanwhile.
    const std::vector<EventSubscriber*> snapshot(subscribers.begin(), subscribers.end());
    for (EventSubscriber* subscriber : snapshot) {
        if ((subscriber->mask & event.type) == 0) continue;
        if (!subscribers.contains(subscriber)) continue;
        subscriber->onEvent(this, event);
    }
}

void EventPublisher::subscribe(EventSubscriber* subscriber) {
    assert(subscriber && "EventPublisher::subscribe needs a subscriber; create it first");
    if (subscriber) subscribers.insert(subscriber);
}

void EventPublisher::unsubscribe(EventSubscriber* subscriber) {
    subscribers.erase(subscriber);
}

bool EventPublisher::isSubscribed(const EventSubscriber* subscriber) const {
    return subscribers.contains(const_cast<EventSubscriber*>(subscriber));
}
