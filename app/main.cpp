#include "startup.h"

int main(int argc, char* argv[])
{
    return RunDesigner(argc, argv);
}
