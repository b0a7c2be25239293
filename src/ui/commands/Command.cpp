#include "ui/commands/Command.h"

#include "shell/Accessors.h"
#include "ui/composites/Page.h"
#include "ui/console/ConsolePage.h"
#include "ui/toolkit/Widget.h"
#include "ui/toolkit/WidgetEvents.h"

Command::Command(std::string_view commandName, int descriptionId, uint32_t subscriberMask,
                 Page* page, ConsolePage* console)
    : EventSubscriber(subscriberMask), name(commandName),
      ownHost(std::make_unique<ApplicationHost>()), currentHost(ownHost.get()) {
    const char* described = text(descriptionId);
    description = described ? described : "";
    if (page) page->addCommand(this);
    if (console) console->registerCommand(this);
}

void Command::hostApplication(ApplicationServices* application) {
    const bool ownHostInUse = currentHost == ownHost.get();
    ownHost = std::make_unique<ApplicationHost>(application);
    if (ownHostInUse) currentHost = ownHost.get();
}

void Command::onEvent(EventPublisher*, const Event&) {
    execute();
}

void Command::setValue(const CommandValue& newValue) {
    value = newValue;
    pending = true;
}

bool Command::onKey(int key) {
    if (shortcutKey == 0 || key != shortcutKey) return false;
    return execute();
}

std::string Command::runFromConsole(const std::vector<std::string>&) {
    execute();
    return {};
}

std::string eventText(const Event& event) {
    const char* carried = nullptr;
    switch (event.kind()) {
    case KindValue:
        carried = ValueEvent::textOf(event);
        break;
    case KindText:
        carried = static_cast<const TextEvent&>(event).text;
        break;
    case KindList:
        carried = static_cast<const ListEvent&>(event).text;
        break;
    default:
        break;
    }
    return carried ? carried : "";
}

std::string joinWords(const std::vector<std::string>& words) {
    std::string joined;
    for (const std::string& word : words) {
        if (!joined.empty()) joined += ' ';
        joined += word;
    }
    return joined;
}

void linkControl(Command& command, Widget& control) {
    control.subscribe(&command);
    command.valuePublisher.subscribe(&control);
}

void listenTo(Command& command, Widget& button) {
    button.subscribe(&command);
}
