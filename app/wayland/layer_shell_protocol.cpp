// The interface tables wayland-scanner writes for the layer-shell, xdg-shell,
// relative-pointer, xdg-output and viewporter messages.
// The project builds C++ only: the headers' declarations come first, so that the tables
// keep the external C linkage the headers give them.
#include "layer_shell_client.h"
#include "relative_pointer_client.h"
#include "viewporter_client.h"
#include "xdg_output_client.h"
#include "xdg_shell_client.h"

// The tables' hidden visibility comes after the headers' declarations and is dropped.
#pragma GCC diagnostic ignored "-Wattributes"
#include "layer_shell_protocol.c"
#include "relative_pointer_protocol.c"
#include "viewporter_protocol.c"
#include "xdg_output_protocol.c"
#include "xdg_shell_protocol.c"
