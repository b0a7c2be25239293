#include "ui/console/ConsoleInterpreter.h"

#include "platform/Resources.h"
#include "shell/Accessors.h"
#include "ui/commands/Command.h"

namespace {

constexpr std::size_t maxWords = 10;
constexpr int unknownCommandText = 44;

std::string_view tableText(int id) {
    const char* found = text(id);
    return found ? found : "";
}

Command* findCommand(const std::vector<Command*>& commands, const std::string& name) {
    for (Command* command : commands)
        if (command && command->name == name) return command;
    return nullptr;
}

void printHelp(const std::vector<Command*>& commands, const ConsolePrinter& print) {
    print("help");
    print("version");
    for (const Command* command : commands)
        if (command) print(command->name);
}

// A command's answer may run over several lines.
void printLines(std::string_view answer, const ConsolePrinter& print) {
    while (!answer.empty()) {
        const std::size_t end = answer.find('\n');
        print(answer.substr(0, end));
        if (end == std::string_view::npos) break;
        answer.remove_prefix(end + 1);
    }
}

} // namespace

std::vector<std::string> splitConsoleWords(std::string_view line) {
    constexpr std::string_view blanks = " \t";
    std::vector<std::string> words;
    std::size_t start = line.find_first_not_of(blanks);
    while (start != std::string_view::npos && words.size() < maxWords) {
        const std::size_t end = line.find_first_of(blanks, start);
        words.emplace_back(line.substr(start, end - start));
        if (end == std::string_view::npos) break;
        start = line.find_first_not_of(blanks, end);
    }
    return words;
}

void interpretConsoleLine(const std::string& line, const std::vector<Command*>& commands,
                          const ConsolePrinter& print) {
    if (line.empty()) return;
    if (line == "version") {
        print(tableText(VersionTextId));
        return;
    }
    if (line == "help") {
        printHelp(commands, print);
        return;
    }
    std::vector<std::string> words = splitConsoleWords(line);
    Command* command = words.empty() ? nullptr : findCommand(commands, words.front());
    if (!command) {
        print(tableText(unknownCommandText));
        return;
    }
    words.erase(words.begin());
    printLines(command->runFromConsole(words), print);
}
