#pragma once

#include <string>
#include <vector>

#include "ui/console/ConsoleBuffer.h"
#include "ui/toolkit/TextView.h"

class Command;

/*
===============================================================================
ConsolePage: the text area of the console window, in "Courier New" 14.

Shows the output lines and the input line "> text_" below them, keeps the
history of entered lines and answers them: "version", "help" (the registered
commands in registration order), a registered command's name followed by its
arguments (the command runs), else "unknown command".

Keys count only while the page takes the keys (the console window holds the
input); it returns false for the keys it uses and true for the others, so
Escape and the console key reach the application. Every new line moves the
linked scroll-mode slider (type 2 with the count and rows, 32 with the first
visible line); the slider scrolls the page back with type 32.

Commands registered here must outlive every use of the console.
===============================================================================
*/
class ConsolePage : public TextView {
  public:
    ConsolePage() = default;

    using TextView::create;
    // Sizes the view from the font's "W" and shows the version line and the hint.
    bool create(const char* text, int x, int y, int width, int height, Widget* parent,
                Texture* normal, Texture* hover) override;
    void addLine(const std::string& line) override;
    void registerCommand(Command* command);

    bool keyDown(int key) override;
    bool characterTyped(int character) override;
    void draw() override;
    void onEvent(EventPublisher* publisher, const Event& event) override;

    const ConsoleBuffer& buffer() const { return console; }
    const std::vector<Command*>& registeredCommands() const { return commands; }

  private:
    void interpret(const std::string& line);
    void publishScrollState();
    void blinkCursor();

    ConsoleBuffer console;
    std::vector<Command*> commands;
    double blinkTime = 0.0;
    bool cursorOn = true; // the cursor shows as soon as the console opens
};
