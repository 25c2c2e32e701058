// vardeno-cli: the headless front end of Vardeno.
#include <string>
#include <vector>

#include "cli/CliApp.h"

int main(int argc, char** argv) { return RunCli(std::vector<std::string>(argv + 1, argv + argc)); }
