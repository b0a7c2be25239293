#pragma once

#include <string>
#include <vector>

#include "shell/Element.h"
#include "app/SimulatorApplication.h"

// A layer that records what the application asks of it.
class FakeLayer : public Element {
  public:
    explicit FakeLayer(std::string layerName, std::vector<std::string>* journal = nullptr)
        : name(std::move(layerName)), log(journal) {
        setRect(0, 0, 100, 100);
    }
    ~FakeLayer() override {
        if (deleted) *deleted = true;
    }
    void draw() override {
        ++draws;
        if (log) log->push_back("draw " + name);
    }
    bool update(double) override {
        ++updates;
        return keepOpen;
    }
    bool keyDown(int key) override {
        keys.push_back(key);
        return passKeys;
    }
    bool characterTyped(int character) override {
        typed += static_cast<char>(character);
        return passKeys;
    }
    bool leftButton(int, int, int, bool down) override {
        buttons.push_back(down);
        return true;
    }
    bool hitTest(int px, int py) override {
        ++hitTests;
        return Element::hitTest(px, py);
    }
    void resize(int w, int h) override {
        resizes.push_back({w, h});
        Element::resize(w, h);
    }

    std::string name;
    std::vector<std::string>* log;
    bool* deleted = nullptr;
    bool keepOpen = true;
    bool passKeys = true;
    int draws = 0;
    int updates = 0;
    int hitTests = 0;
    std::vector<int> keys;
    std::string typed;
    std::vector<bool> buttons;
    std::vector<std::pair<int, int>> resizes;
};

// An application without a window: the pointer is wherever the test puts it.
class TestApplication : public SimulatorApplication {
  public:
    void readPointer(int& x, int& y) const override {
        x = pointerX;
        y = pointerY;
    }
    bool sceneHasWorld() const override { return worldBuilt; }

    int pointerX = -1000;
    int pointerY = -1000;
    bool worldBuilt = false;
};
