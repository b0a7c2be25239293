#pragma once

#include <cstdint>
#include <set>

/*
===============================================================================
Events: publish/subscribe by bit masks. An event lives on the sender's stack for
the length of one publish. kind() names the event's class (0 for the plain
Event; the widget events return 1, 2, 4 and 8); type is a bit set matched
against each subscriber's mask.
===============================================================================
*/
class Event {
  public:
    explicit Event(uint32_t eventType = 0, uintptr_t eventPayload = 0)
        : type(eventType), payload(eventPayload) {}
    virtual ~Event() = default;
    virtual int kind() const { return 0; }

    uint32_t type;
    uintptr_t payload; // a value, or a pointer to a sender-defined structure
};

class EventPublisher;

class EventSubscriber {
  public:
    explicit EventSubscriber(uint32_t subscriberMask = 0) : mask(subscriberMask) {}
    virtual ~EventSubscriber() = default;
    virtual void onEvent(EventPublisher* publisher, const Event& event) = 0;

    uint32_t mask;
};

// Holds subscribers ordered by address, each at most once; never owns them.
class EventPublisher {
  public:
    virtual ~EventPublisher() = default;
    virtual void publish(const Event& event);

    void subscribe(EventSubscriber* subscriber);
    void unsubscribe(EventSubscriber* subscriber);
    bool isSubscribed(const EventSubscriber* subscriber) const;
    std::size_t subscriberCount() const { return subscribers.size(); }

  private:
    std::set<EventSubscriber*> subscribers;
};
