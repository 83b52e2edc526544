#include "Vistello.h"

int main(int argc, char **argv)
{
    return Vistello::run(argc, argv);
}
