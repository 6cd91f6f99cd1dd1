// Quintaron's entry point. Until the main window stands, it says what the program can do.
#include <iostream>

int main() {
    std::cout << "Quintaron 0.1\n"
                 "This build has the platform core only: clock, messages, timers, settings\n"
                 "files and byte files. It cannot reach an instrument or show a window yet.\n";
    return 0;
}
