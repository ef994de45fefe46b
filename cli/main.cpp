#include "cli/Cli.h"

int main(int argc, char** argv)
{
    Output out(1);
    return runCli(argc, argv, out);
}
