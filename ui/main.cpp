// Brindora: the program is run_brindora.cpp's, from its command line to its window.
#include "run_brindora.h"

int main(int argc, char* argv[]) {
    return brindora::runBrindora(argc, argv);
}
