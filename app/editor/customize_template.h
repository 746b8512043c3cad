// The layout of the customize dialog and its element toolbar.
#pragma once

#include "app/dialog_template.h"
#include "app/true_color_tool_bar.h"

#include <span>

// Its controls, by the ids of COptionsDial::ControlId, in dialog units.
const DialogTemplate& customizeTemplate();
// Copy | new hand, slice, text | delete | down, up; by the ids of COptionsDial::Command.
std::span<const ToolBarButton> customizeToolBar();
