// Writes distinct values into one key of the registry store and names each one on stdout once
// WriteValue has returned true, before the next write. Usage: store_writer <key> <prefix> <count>
#include "RegistryFunctions.h"

#include <cstdlib>
#include <iostream>
#include <string>

int main(int argc, char** argv) {
    if (argc != 4) {
        std::cerr << "usage: store_writer <key path> <name prefix> <count>\n";
        return 2;
    }
    const std::string key = argv[1];
    const std::string prefix = argv[2];
    const int count = std::atoi(argv[3]);
    RegistryFunctions registry;
    for (int i = 0; i < count; ++i) {
        const std::string name = prefix + std::to_string(i);
        if (!registry.WriteValue(key, name, std::to_string(i), "REG_SZ")) {
            std::cerr << "write of " << name << " failed\n";
            return 1;
        }
        std::cout << name << std::endl;
    }
    return 0;
}
