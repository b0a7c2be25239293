#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

class Command;

/*
===============================================================================
The console's answer to one entered line.

"version" and "help" are compared with the whole line, so " help" and "Help"
are not them. Otherwise, when the first word names a registered command, the
command runs with the words that follow it (at most ten words in all); what it
reports back is printed. Any other non-empty line is an "unknown command"; an
empty line gets no answer.
===============================================================================
*/
using ConsolePrinter = std::function<void(std::string_view line)>;

// At most ten words, separated by runs of blanks and tabs.
std::vector<std::string> splitConsoleWords(std::string_view line);

void interpretConsoleLine(const std::string& line, const std::vector<Command*>& commands,
                          const ConsolePrinter& print);
