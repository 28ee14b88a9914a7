// reedshot: the program's entry.
#include "app/run.h"

int main(int argc, char** argv) { return app::Main(argc, argv); }
