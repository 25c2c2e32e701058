// vardeno-cli: the headless front end of Vardeno.
#include <string>
#include <vector>

#include "cli/CliApp.h"

#include "platform/Console.h"

int main(int argc, char** argv) {
  using namespace vardeno;
  PrepareConsoleOutput();
  return RunCli(ProgramArguments(argc, argv));
}
