#pragma once

class ApplicationServices;
class ConsolePage;
class Observer;
class Scene;

// What the menu's commands act on and where they register. Any of them may be
// null in tests; commands then act on nothing.
struct MenuTargets {
    ApplicationServices* application = nullptr;
    Scene* scene = nullptr;
    Observer* observer = nullptr;
    ConsolePage* console = nullptr;
};
