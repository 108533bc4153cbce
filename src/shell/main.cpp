#include "shell/zelt.h"

int main(int argc, char** argv) {
    return zelt::runProgram(argc, argv);
}
