#include <gtest/gtest.h>

#include "Fakes.h"
#include "platform/Keys.h"

// The character a key press types reaches the layer that got the press, and only
// while that layer still holds the input: a shortcut that opens a box asking for a
// name, or the console key, must not type its own character into what it opened.
TEST(Typing, CharactersGoOnlyToTheLayerThatGotTheKeyPress) {
    TestApplication app;
    FakeLayer scene{"scene"}, box{"box"};
    app.showLayer(&scene, false, true);
    app.keyDown('x');
    app.characterTyped('x');
    EXPECT_EQ(scene.typed, "x");

    app.keyDown('v');
    app.showLayer(&box, false, true); // the press opened a box
    EXPECT_TRUE(app.characterTyped('v'));
    EXPECT_EQ(scene.typed, "x");
    EXPECT_EQ(box.typed, "");

    app.keyDown('w');
    app.characterTyped('w');
    EXPECT_EQ(box.typed, "w");
    app.removeLayer(1);
    EXPECT_TRUE(app.characterTyped('z')) << "the layer that got the press is gone";
    EXPECT_EQ(scene.typed, "x");
}
