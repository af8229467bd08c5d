#include "tools/SdkCli.h"

#include <cstdio>
#include <iostream>
#include <unistd.h>

int main(int argc, char **argv)
{
    std::ios::sync_with_stdio(false);
    std::vector<std::string> args(argv + 1, argv + argc);
    SdkCli::Options options;
    options.progress = isatty(fileno(stderr)) != 0;
    int code = SdkCli::Run(args, std::cin, std::cout, std::cerr, options);
    std::cout.flush();
    return code;
}
