#include "host/app/HelpOpener.h"

win::ShellOpener MakeHelpOpener(win::ShellOpener desktop, std::function<void(const std::string&)> tell) {
    return [desktop = std::move(desktop), tell = std::move(tell)](const std::string& path, const std::string& directory) {
        if (desktop && desktop(path, directory)) return true;
        tell("no desktop opener (xdg-open) could be started to show " + path +
             "; open that file in a text viewer or browser, or install xdg-utils");
        return false;
    };
}
