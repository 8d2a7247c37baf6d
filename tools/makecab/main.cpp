// makecab: makes cabinets from directive files or one file, as Windows'
// makecab.exe does for the command lines the builders write.
#include <iostream>
#include <string>
#include <vector>

#include "platform/program_arguments.h"
#include "tools/makecab/makecab_run.h"

int main(int argc, char** argv) {
    const std::vector<std::string> args = platform::programArguments(argc, argv);
    return makecab::runMakecab(args, std::cout, std::cerr);
}
