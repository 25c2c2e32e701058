// vardeno-cli: the headless front end. Its commands are being built; this entry says so.
#include <cstdio>

int main() {
  std::puts("vardeno-cli " VARDENO_VERSION ": the command-line front end is not built yet.");
  return 0;
}
