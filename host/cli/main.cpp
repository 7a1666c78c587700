#include "host/cli/HostProgram.h"

#include <exception>

int main(int argc, char** argv)
{
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
