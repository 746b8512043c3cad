// The interface tables wayland-scanner writes for the virtual-pointer messages, built as C++
// after the header so that they keep the header's external C linkage.
#include "virtual_pointer_client.h"

// The tables' hidden visibility comes after the headers' declarations and is dropped.
#pragma GCC diagnostic ignored "-Wattributes"
#include "virtual_pointer_protocol.c"
