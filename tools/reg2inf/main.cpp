// reg2inf: the registry file converter (see reg2inf.h).
#include <iostream>
#include <string>
#include <vector>

#include "platform/process.h"
#include "platform/program_arguments.h"
#include "platform/program_main.h"
#include "tools/reg2inf/reg2inf.h"

int main(int argc, char** argv) {
    platform::endWithParent();
    return platform::runProgram("reg2inf", std::cerr, [&] {
        const std::vector<std::string> args = platform::programArguments(argc, argv);
        return reg2inf::runReg2Inf(args, std::cout, std::cerr);
    });
}
