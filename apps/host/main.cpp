// trackquery: the host program of the tracking library and its tools (apps/host/host_program.h).

#include <apps/host/host_program.h>

#include <iostream>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    return apps::RunHostProgram(std::vector<std::string>(argv, argv + argc), std::cin, std::cout,
                                std::cerr);
}
