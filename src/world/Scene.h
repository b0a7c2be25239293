#pragma once

// Payload of the scene's progress event (type 2): the message and how far the
// build has come, in percent.
struct ProgressReport {
    const char* text;
    float percent;
};

class Scene;
