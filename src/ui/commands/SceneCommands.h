#pragma once

#include <string>
#include <vector>

#include "ui/commands/Command.h"

class Application;
class Scene;

/*
===============================================================================
Scene commands: they run on every event they hear.

  "createscene" builds the world from the current parameters.
  "loadscene"   takes the path an event carries, reads that saved game and
                builds it; a file that does not open or holds nothing gives
                "File open error" and leaves the world as it was.
  "changespot"  moves the observer to the next spot, once a world exists.

A build shows the progress box, which hears the scene's progress reports while
the world is built and closes afterwards; then the scene is shown and the
screen-info setting applied.
===============================================================================
*/
class CreateSceneCommand : public Command {
  public:
    CreateSceneCommand(Page* page, ConsolePage* console, Scene* scene);
    bool execute() override;

  private:
    Scene* scene;
};

class LoadSceneCommand : public Command {
  public:
    LoadSceneCommand(Page* page, ConsolePage* console, Scene* scene);
    void onEvent(EventPublisher* publisher, const Event& event) override;
    bool execute() override;
    std::string runFromConsole(const std::vector<std::string>& arguments) override;

  private:
    Scene* scene;
};

class ChangeSpotCommand : public Command {
  public:
    ChangeSpotCommand(Page* page, ConsolePage* console, Scene* scene);
    bool execute() override;

  private:
    Scene* scene;
};

// Builds the scene behind a progress box, then shows it.
void buildSceneWithProgress(CommandHost& host, Scene& scene);
