#pragma once

class Scene;

// Whether a world has been built in the scene (false without a scene).
bool worldLoaded(const Scene* scene);
