#include "ui/shortcuts/ShortcutListPage.h"

#include "shell/Accessors.h"
#include "ui/commands/Command.h"
#include "ui/shortcuts/KeyNames.h"
#include "ui/toolkit/Label.h"
#include "ui/toolkit/TextView.h"

namespace {

constexpr int consoleKeyLine = 148;
constexpr int escapeKeyLine = 149;

std::string tableText(int id) {
    const char* found = ::text(id);
    return found ? found : "";
}

} // namespace

std::vector<std::string> shortcutLines(const std::vector<std::unique_ptr<Page>>& pages) {
    std::vector<std::string> lines{tableText(consoleKeyLine), tableText(escapeKeyLine)};
    for (const auto& page : pages) {
        for (const auto& command : page->commands) {
            if (command->shortcutKey == 0) continue;
            lines.push_back(keyName(command->shortcutKey) + " : " + command->description);
        }
    }
    return lines;
}

bool ShortcutListPage::create(int id, int newX, int newY, int newWidth, int newHeight,
                              Widget* parent, const std::vector<std::unique_ptr<Page>>& pages) {
    Page::create(id, newX, newY, newWidth, newHeight, parent, ::texture(backgroundId));
    picture = new Label;
    picture->create(nullptr, 186, 320, 128, 128, this, ::texture(pictureId));
    list = new TextView;
    list->create(nullptr, 10, 10, 480, 300, this, nullptr, nullptr);
    for (const std::string& line : shortcutLines(pages))
        list->addLine(line);
    return true;
}
