#include "Module1.h"

int main(int argc, char** argv)
{
    return tellumo::Module1::Main(argc, argv);
}
