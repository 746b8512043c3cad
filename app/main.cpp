// velmora: the desktop clock. It takes no arguments.
#include "app/velmora_app.h"

int main(int argc, char** argv) {
    CVelmoraApp program;
    return program.run(argc, argv);
}
