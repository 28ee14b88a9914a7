// The program from its command line to its exit status.
#pragma once

namespace app {

int Main(int argc, char** argv);

}  // namespace app
