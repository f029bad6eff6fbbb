// Writes the resource script of the main window's version component: the component is
// configured as the window configures it, marked as being designed, and given the
// script's name, which makes it write the script (it writes only inside this tool).

#include "components/MainWindowVersion.h"
#include "components/TVersionNoShort.h"

#include <exception>
#include <iostream>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "usage: tarvik-rcgen SCRIPT.rc\n";
        return 2;
    }
    try {
        TVersionNoShort version;
        ConfigureMainWindowVersion(version);
        version.SetDesigning(true);
        version.SetRCFileName(argv[1]);
    } catch (const std::exception& e) {
        std::cerr << "tarvik-rcgen: " << e.what() << '\n';
        return 1;
    }
    return 0;
}
