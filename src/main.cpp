// Entry point: parses the command line, runs the simulator and reports fatal errors.
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include "platform/FatalError.h"
#include "platform/MessageBox.h"
#include "platform/Resources.h"
#include "platform/UserDataFolder.h"
#include "app/SimulatorApplication.h"

namespace {

struct CommandLine {
    bool fullScreen = false;
    bool help = false;
    bool version = false;
    std::string loadGame;
    std::string error;
};

const char* const usage =
    "Usage: ventrix [-fullscreen] [--load FILE.sav] [--help] [--version]\n"
    "\n"
    "  -fullscreen      start full screen (the word may appear anywhere on the line)\n"
    "  --load FILE.sav  build that saved game right after start-up\n"
    "  --help           show this text and exit\n"
    "  --version        show the version line and exit\n"
    "\n"
    "Ventrix reads ventrix.ini, lands/ and the saved games from the working folder.\n"
    "Installed, it works in ${XDG_DATA_HOME:-~/.local/share}/ventrix, which its first\n"
    "run fills with the sample lands and games.\n";

CommandLine parseCommandLine(int argc, char** argv) {
    CommandLine line;
    std::string whole;
    for (int i = 1; i < argc; ++i)
        whole += std::string(argv[i]) + " ";
    // Full screen is a plain substring test over the whole line, so "-fullscreenX" counts.
    line.fullScreen = whole.find("-fullscreen") != std::string::npos;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            line.help = true;
        } else if (arg == "--version") {
            line.version = true;
        } else if (arg == "--load") {
            if (i + 1 >= argc) {
                line.error = "--load needs a saved game file";
            } else {
                line.loadGame = argv[++i];
            }
        } else if (arg.starts_with("--") && arg.find("-fullscreen") == std::string::npos) {
            line.error = "unknown option " + arg;
        }
    }
    return line;
}

int fail(std::unique_ptr<SimulatorApplication>& application, const std::string& text) {
    application.reset(); // a full-screen window gives the desktop back before the box
    showErrorBox("Error", text.c_str());
    return 1;
}

} // namespace

int main(int argc, char** argv) {
    const CommandLine line = parseCommandLine(argc, argv);
    if (!line.error.empty()) {
        std::fprintf(stderr, "ventrix: %s\n\n%s", line.error.c_str(), usage);
        return 2;
    }
    if (line.help) {
        std::fputs(usage, stdout);
        return 0;
    }
    if (line.version) {
        const char* versionLine = resourceString(VersionTextId);
        std::printf("%s\n", versionLine ? versionLine : "");
        return 0;
    }
    if (std::string folderError; !enterUserDataFolder(folderError)) {
        std::fprintf(stderr, "ventrix: %s\n", folderError.c_str());
        return 1;
    }
    std::unique_ptr<SimulatorApplication> application;
    try {
        application = std::make_unique<SimulatorApplication>();
        application->startupGame = line.loadGame;
        if (!application->init("Ventrix", IconResourceId, "ventrix.ini", line.fullScreen)) {
            application.reset();
            return 1;
        }
        application->run();
        application.reset();
        return 0;
    } catch (const FatalError& error) {
        return fail(application, error.what());
    } catch (const char* text) {
        return fail(application, text ? text : "");
    } catch (...) {
        return fail(application, "Uncatched internal error");
    }
}
