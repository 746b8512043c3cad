// The layout of the customize dialog and its element toolbar.
#pragma once

#include "app/editor/dialog_template.h"
#include "app/editor/true_color_tool_bar.h"

#include <span>

// Its controls, by the ids of COptionsDial::ControlId, in dialog units.
const DialogTemplate& customizeTemplate();
// Copy | new hand, slice, text | delete | down, up; by the ids of COptionsDial::Command.
std::span<const ToolBarButton> customizeToolBar();
