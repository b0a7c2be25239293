#include "ui/menu/WorldState.h"

#include "world/Scene.h"

bool worldLoaded(const Scene* scene) {
    return scene != nullptr && scene->isLoaded();
}
