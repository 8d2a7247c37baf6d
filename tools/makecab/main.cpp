// makecab: makes cabinets from directive files or one file, as Windows'
// makecab.exe does for the command lines the builders write.
#include <iostream>
#include <string>
#include <vector>

#include "platform/process.h"
#include "platform/program_arguments.h"
#include "platform/program_main.h"
#include "tools/makecab/makecab_run.h"

int main(int argc, char** argv) {
    platform::endWithParent();
    return platform::runProgram("makecab", std::cerr, [&] {
        const std::vector<std::string> args = platform::programArguments(argc, argv);
        return makecab::runMakecab(args, std::cout, std::cerr);
    });
}
