#include "app/program.h"

int main(int argc, char** argv) { return vaticor::RunVaticor(argc, argv); }
