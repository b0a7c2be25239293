#pragma once

#include <vector>

#include "platform/DisplayModes.h"

class ApplicationServices;
class Event;
class EventPublisher;
class Widget;

/*
===============================================================================
CommandHost: what the commands need from the application and its boxes.

ApplicationHost, the one the program uses, forwards to an application (the
command's target, or applicationServices() when none was given) and to the box
functions; without an application the application calls do nothing and the
state reads as windowed with no modes. Tests stand in for it with a host that
records the calls and answers the questions themselves.

The question and entry boxes return the publisher the command subscribes to,
which sends the copied yes or accept event; the progress and notice boxes
return the box, which the command closes (closeRequested) when its work ends.
===============================================================================
*/
class CommandHost {
  public:
    virtual ~CommandHost() = default;

    virtual void requestClose() = 0;
    virtual bool isFullScreen() const = 0;
    virtual void setFullScreen(bool fullScreen) = 0;
    virtual std::vector<DisplayMode> displayModes(int capacity) const = 0;
    // The window's client size and colour depth.
    virtual DisplayMode currentMode() const = 0;
    virtual void changeResolution(const DisplayMode& mode) = 0;
    virtual bool screenInfoShown() const = 0;
    virtual void setScreenInfoShown(bool shown) = 0;
    virtual void applyScreenInfo() = 0;
    virtual void showScene() = 0;
    virtual void presentNow() = 0;

    // A question with "Yes" and "No"; "Yes" publishes a copy of yesEvent.
    virtual EventPublisher* ask(const char* text, const char* title, const Event& yesEvent) = 0;
    // An entry box; Return publishes a copy of acceptEvent carrying the typed text.
    virtual EventPublisher* askText(const char* caption, const Event& acceptEvent) = 0;
    virtual void showMessage(const char* text, const char* title) = 0;
    virtual Widget* showProgress(const char* text, const char* title) = 0;
    virtual Widget* showNotice(const char* text, const char* title) = 0;
};

class ApplicationHost : public CommandHost {
  public:
    explicit ApplicationHost(ApplicationServices* application = nullptr) : target(application) {}

    void requestClose() override;
    bool isFullScreen() const override;
    void setFullScreen(bool fullScreen) override;
    std::vector<DisplayMode> displayModes(int capacity) const override;
    DisplayMode currentMode() const override;
    void changeResolution(const DisplayMode& mode) override;
    bool screenInfoShown() const override;
    void setScreenInfoShown(bool shown) override;
    void applyScreenInfo() override;
    void showScene() override;
    void presentNow() override;

    EventPublisher* ask(const char* text, const char* title, const Event& yesEvent) override;
    EventPublisher* askText(const char* caption, const Event& acceptEvent) override;
    void showMessage(const char* text, const char* title) override;
    Widget* showProgress(const char* text, const char* title) override;
    Widget* showNotice(const char* text, const char* title) override;

  private:
    ApplicationServices* application() const;

    ApplicationServices* target;
};
