#include "ui/commands/ScreenCommands.h"

#include <cstdio>

#include "ui/toolkit/WidgetEvents.h"

FullScreenCommand::FullScreenCommand(Page* page, ConsolePage* console,
                                     ApplicationServices* application)
    : SwitchCommand({"fullscreen", 129, [this] { return host().isFullScreen(); },
                     [this](bool on) { host().setFullScreen(on); }},
                    page, console) {
    hostApplication(application);
}

ShowInfoCommand::ShowInfoCommand(Page* page, ConsolePage* console, ApplicationServices* application)
    : SwitchCommand({"showinfo", 143, [this] { return host().screenInfoShown(); },
                     [this](bool on) {
                         host().setScreenInfoShown(on);
                         host().applyScreenInfo();
                     }},
                    page, console) {
    hostApplication(application);
}

// ---------------------------------------------------------------------------

std::string displayModeName(const DisplayMode& mode) {
    char name[64];
    std::snprintf(name, sizeof name, "%dx%d-%dbits", mode.width, mode.height, mode.bits);
    return name;
}

ResizeScreenCommand::ResizeScreenCommand(Page* page, ConsolePage* console,
                                         ApplicationServices* application)
    : Command("resizescreen", 130, resizeMask, page, console) {
    hostApplication(application);
}

void ResizeScreenCommand::onEvent(EventPublisher*, const Event& event) {
    if (event.type & CommandEvent::Chosen) {
        CommandValue chosen;
        if (event.kind() == KindList)
            chosen.index = static_cast<const ListEvent&>(event).selected;
        else if (event.kind() == KindValue)
            chosen.index = ValueEvent::intOf(event);
        if (chosen.index >= 0) setValue(chosen);
    }
    if ((event.type & CommandEvent::Activate) && pending) execute();
    if (event.type & CommandEvent::Refresh) publishValue();
}

bool ResizeScreenCommand::execute() {
    pending = false;
    if (modes.empty()) modes = host().displayModes(modeCapacity);
    if (value.index < 0 || value.index >= static_cast<int>(modes.size())) return false;
    const DisplayMode& chosen = modes[static_cast<std::size_t>(value.index)];
    // Setting the mode in use would only re-create the window.
    if (chosen == host().currentMode()) return true;
    host().changeResolution(chosen);
    return true;
}

void ResizeScreenCommand::publishValue() {
    modes = host().displayModes(modeCapacity);
    valuePublisher.publish(ValueEvent::ofText(CommandEvent::Changed, nullptr));
    std::string current;
    for (const DisplayMode& mode : modes) {
        const std::string item = displayModeName(mode);
        valuePublisher.publish(ValueEvent::ofText(CommandEvent::Changed, item.c_str()));
        if (mode == host().currentMode()) current = item;
    }
    if (!current.empty())
        valuePublisher.publish(ValueEvent::ofText(CommandEvent::Chosen, current.c_str()));
    // A list that reports the selection back must not leave a change pending.
    pending = false;
}

std::string ResizeScreenCommand::modeList() const {
    std::string list;
    for (std::size_t i = 0; i < modes.size(); ++i) {
        if (!list.empty()) list += '\n';
        list += std::to_string(i) + "  " + displayModeName(modes[i]);
    }
    return list.empty() ? name + ": no display modes" : list;
}

std::string ResizeScreenCommand::runFromConsole(const std::vector<std::string>& arguments) {
    modes = host().displayModes(modeCapacity);
    const auto number = arguments.empty() ? std::nullopt : parseNumberWord(arguments.front());
    const int index = number ? static_cast<int>(*number) : -1;
    if (!number || *number != static_cast<float>(index) || index < 0 ||
        index >= static_cast<int>(modes.size()))
        return modeList();
    CommandValue chosen;
    chosen.index = index;
    setValue(chosen);
    execute();
    return {};
}
