#include "host/cli/HostProgram.h"

int main(int argc, char** argv) { return RunHostProgram(argc, argv, stdout, stderr); }
