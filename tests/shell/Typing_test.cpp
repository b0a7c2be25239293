#include <gtest/gtest.h>

#include "Fakes.h"

// A press that moved the input (a shortcut asking for a name) types nothing into
// what it opened; the next press types there.
TEST(Typing, CharactersGoOnlyToTheLayerThatGotTheKeyPress) {
    FakeLayer scene{"scene"}, box{"box"}; // they outlive the application that lists them
    TestApplication app;
    app.showLayer(&scene, false, true);
    app.keyDown('v');
    app.showLayer(&box, false, true);
    app.characterTyped('v');
    app.keyDown('w');
    app.characterTyped('w');
    EXPECT_EQ(scene.typed + "|" + box.typed, "|w");
}
