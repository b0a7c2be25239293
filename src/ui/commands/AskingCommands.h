#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "ui/commands/Command.h"

class ApplicationServices;
class Scene;

/*
===============================================================================
Asking commands: they open a question ("Yes" / "No") or an entry box, listen
to it, and act in confirm when the answer comes back as a type-256 event.
"No" sends nothing and leaves them idle.

  "exit"      asks "Quit Ventrix ?", then asks the window to close.
  "savescene" takes the path of an activate event (only while a world is
              loaded); a path naming another existing file than the world's
              own saved game asks "File exists. Overwrite ?" first.
  "savemap"   asks "Save land file ?" once the land is loaded, then writes the
              land's spots into its own file.
  "addspot"   asks for a name ("Spot") and adds a spot there.

Paths and names are copied when they arrive, and each question keeps the path
it asked about, so what is saved is what was asked about, whatever happened
meanwhile. A spot or game name holding a double quote, "//", "[" or a line
break would break the file it goes into: it is refused with a message box.
Failed writes are reported with "File open error".
===============================================================================
*/
class ExitCommand : public Command {
  public:
    ExitCommand(Page* page, ConsolePage* console, ApplicationServices* application);
    void onEvent(EventPublisher* publisher, const Event& event) override;
    bool execute() override;
    void confirm() override;
};

class SaveSceneCommand : public Command {
  public:
    SaveSceneCommand(Page* page, ConsolePage* console, Scene* scene);
    void onEvent(EventPublisher* publisher, const Event& event) override;
    bool execute() override;
    void confirm() override;
    std::string runFromConsole(const std::vector<std::string>& arguments) override;

  private:
    bool save(const std::string& path);

    Scene* scene;
    std::map<uintptr_t, std::string> askedPaths;
    uintptr_t lastQuestion = 0;
};

class SaveMapCommand : public Command {
  public:
    SaveMapCommand(Page* page, ConsolePage* console, Scene* scene);
    void onEvent(EventPublisher* publisher, const Event& event) override;
    bool execute() override;
    void confirm() override;

  private:
    Scene* scene;
};

class AddSpotCommand : public Command {
  public:
    AddSpotCommand(Page* page, ConsolePage* console, Scene* scene);
    void onEvent(EventPublisher* publisher, const Event& event) override;
    bool execute() override;
    void confirm() override;
    // "addspot" asks for the name; "addspot NAME" takes it at once.
    std::string runFromConsole(const std::vector<std::string>& arguments) override;

  private:
    Scene* scene;
};

// False for names holding a double quote, "//", "[" or a line break.
bool isStorableName(std::string_view name);
