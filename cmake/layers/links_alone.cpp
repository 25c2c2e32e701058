// The program that links one core library alone (every object of it) with only the libraries it
// names: a reference to anything above it stays undefined and fails the link.
int main() { return 0; }
