#include "host/cli/HostProgram.h"

#include <csignal>
#include <exception>

int main(int argc, char** argv)
{
    // A reader of an output (a --trace pipe, standard output) that leaves
    // fails the write, which is reported; the run still ends as it should.
    std::signal(SIGPIPE, SIG_IGN);
    try
    {
        return RunHostProgram(argc, argv, stdout, stderr);
    }
    catch (const std::exception& e)
    {
        std::fprintf(stderr, "sonvarek-host: %s\n", e.what());
        return 1;
    }
}
