// velmora: the desktop clock; velmora --help tells its command line.
#include "app/velmora_app.h"

int main(int argc, char** argv) {
    CVelmoraApp program;
    return program.run(argc, argv);
}
