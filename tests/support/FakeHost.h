#pragma once

// A stand-in for the application and its boxes: it records what the commands
// ask for and lets a test answer the questions and entry boxes. The log holds every
// call in order: boxes as "text|title", the others by name.

#include <memory>
#include <string>
#include <vector>

#include "shell/Event.h"
#include "ui/commands/ScreenCommands.h"
#include "ui/toolkit/Widget.h"

namespace commandtest {

// A box as the commands see it: something to subscribe to, or to close.
class RecordingBox : public Widget {
  public:
    explicit RecordingBox(uint32_t boxMask = 0xFFFFF) { mask = boxMask; }
    void onEvent(EventPublisher*, const Event& event) override { heard.push_back(event.type); }
    std::vector<uint32_t> heard;
};

struct Question {
    std::string text;
    std::string title;
    Event answer;
    std::unique_ptr<EventPublisher> box = std::make_unique<EventPublisher>();
};

struct Notice {
    std::string text;
    std::string title;
    std::unique_ptr<RecordingBox> box = std::make_unique<RecordingBox>();
};

class FakeHost : public CommandHost {
  public:
    void requestClose() override { ++closeRequests, log.push_back("close"); }
    bool isFullScreen() const override { return fullScreen; }
    void setFullScreen(bool on) override { fullScreen = on; }
    std::vector<DisplayMode> displayModes(int capacity) const override {
        std::vector<DisplayMode> listed = modes;
        if (static_cast<int>(listed.size()) > capacity) listed.resize(capacity);
        return listed;
    }
    DisplayMode currentMode() const override { return current; }
    void changeResolution(const DisplayMode& mode) override {
        current = mode;
        log.push_back(displayModeName(mode));
    }
    bool screenInfoShown() const override { return screenInfo; }
    void setScreenInfoShown(bool shown) override { screenInfo = shown; }
    void applyScreenInfo() override { log.push_back("applyinfo"); }
    void showScene() override { ++sceneShown, log.push_back("showscene"); }
    void presentNow() override { log.push_back("present"); }

    EventPublisher* ask(const char* text, const char* title, const Event& yes) override {
        log.push_back(std::string(text) + "|" + title);
        questions.push_back(Question{text, title, Event(yes.type, yes.payload)});
        return questions.back().box.get();
    }
    EventPublisher* askText(const char* caption, const Event& accept) override {
        log.push_back(std::string(caption) + "|");
        entries.push_back(Question{caption, "", Event(accept.type, accept.payload)});
        return entries.back().box.get();
    }
    void showMessage(const char* text, const char* title) override {
        log.push_back(std::string(text) + "|" + title);
        messages.push_back(Notice{text, title});
    }
    Widget* showProgress(const char* text, const char* title) override {
        log.push_back(std::string(text) + "|" + title);
        progressBoxes.push_back(Notice{text, title});
        return progressBoxes.back().box.get();
    }
    Widget* showNotice(const char* text, const char* title) override {
        log.push_back(std::string(text) + "|" + title);
        notices.push_back(Notice{text, title});
        return notices.back().box.get();
    }

    // "Yes" on a question: its box publishes the copy of the yes event.
    void answerYes(std::size_t question) {
        const Question& asked = questions.at(question);
        asked.box->publish(Event(asked.answer.type, asked.answer.payload));
    }
    // Return in an entry box: the accept event carries the typed text.
    void enterText(std::size_t entry, const std::string& typed) {
        const Question& asked = entries.at(entry);
        asked.box->publish(Event(asked.answer.type, reinterpret_cast<uintptr_t>(typed.c_str())));
    }

    std::vector<std::string> log;
    int closeRequests = 0;
    bool fullScreen = false;
    std::vector<DisplayMode> modes;
    DisplayMode current;
    bool screenInfo = true;
    int sceneShown = 0;
    std::vector<Question> questions;
    std::vector<Question> entries;
    std::vector<Notice> messages;
    std::vector<Notice> progressBoxes;
    std::vector<Notice> notices;
};

} // namespace commandtest
