#pragma once

#include <string>
#include <vector>

#include "app/SimulatorApplication.h"
#include "shell/Element.h"

// A layer that records what the application asks of it.
class FakeLayer : public Element {
  public:
    explicit FakeLayer(std::string layerName, int size = 100) : name(std::move(layerName)) {
        setRect(0, 0, size, size);
    }
    ~FakeLayer() override {
        if (deleted) *deleted = true;
    }
    void draw() override { ++draws; }
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
    void mouseEnter() override { hovered = true; }
    void mouseLeave() override { hovered = false; }
    bool hitTest(int px, int py) override {
        ++hitTests;
        return Element::hitTest(px, py);
    }

    std::string name;
    bool* deleted = nullptr;
    bool keepOpen = true, passKeys = true, hovered = false;
    int updates = 0, hitTests = 0, draws = 0;
    std::vector<int> keys;
    std::string typed;
    std::vector<bool> buttons;
};

// An application without a window: the pointer is wherever the test puts it.
class TestApplication : public SimulatorApplication {
  public:
    void readPointer(int& x, int& y) const override {
        x = pointerX;
        y = pointerY;
    }
    bool sceneHasWorld() const override { return worldBuilt; }

    int pointerX = -1000, pointerY = -1000;
    bool worldBuilt = false;
};
