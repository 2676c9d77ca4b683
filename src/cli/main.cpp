#include <iostream>
#include <string>
#include <vector>

#include "cli/Cli.h"
#include "platform/HidapiTransport.h"

int main(int argc, char** argv) {
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    solvane::CliEnvironment environment;
    environment.dataFolder = solvane::DataFolderSourcesFromEnvironment();
    environment.hardware = [] { return std::make_unique<solvane::HidapiTransport>(); };
    return solvane::RunCli(arguments, std::cout, std::cerr, environment);
}
