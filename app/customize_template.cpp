// The layout of the customize dialog and its element toolbar.
#include "app/customize_template.h"

#include "app/options_dial.h"
#include "app/window_aligner.h"

namespace {

using Kind = TemplateItem::Kind;

constexpr TemplateItem kTemplate129Items[] = {
    {-1, Kind::Label, "Scheme:", {9, 6, 28, 8}, 0, "schemeLabel"},
    {COptionsDial::SchemeName,
     Kind::PathLabel,
     "",
     {43, 5, 136, 14},
     CWindowAligner::StretchRight,
     "schemeName"},
    {COptionsDial::SaveAsButton,
     Kind::Button,
     "Save As...",
     {208, 5, 43, 14},
     CWindowAligner::MoveRight,
     "saveAs"},
    {COptionsDial::LoadButton,
     Kind::Button,
     "Load...",
     {256, 5, 39, 14},
     CWindowAligner::MoveRight,
     "load"},
    {COptionsDial::ToolBarPlaceholder,
     Kind::Frame,
     "",
     {8, 21, 287, 21},
     CWindowAligner::StretchRight,
     "toolBarPlace"},
    {COptionsDial::TreePlaceholder,
     Kind::Frame,
     "",
     {8, 42, 287, 220},
     CWindowAligner::StretchRight | CWindowAligner::StretchDown,
     "treePlace"},
    {COptionsDial::UndoButton,
     Kind::Button,
     "Undo...",
     {8, 268, 39, 14},
     CWindowAligner::MoveDown,
     "undo"},
    {COptionsDial::RestoreDefaultsButton,
     Kind::Button,
     "Restore Defaults...",
     {50, 268, 77, 14},
     CWindowAligner::MoveDown,
     "restoreDefaults"},
    {COptionsDial::StepBackButton,
     Kind::Button,
     "\u21B6",
     {131, 268, 16, 14},
     CWindowAligner::MoveDown,
     "stepBack"},
    {COptionsDial::StepForwardButton,
     Kind::Button,
     "\u21B7",
     {149, 268, 16, 14},
     CWindowAligner::MoveDown,
     "stepForward"},
    {COptionsDial::OkButton,
     Kind::DefaultButton,
     "OK",
     {190, 268, 50, 14},
     CWindowAligner::MoveRight | CWindowAligner::MoveDown,
     "ok"},
    {COptionsDial::CancelButton,
     Kind::Button,
     "Cancel",
     {245, 268, 50, 14},
     CWindowAligner::MoveRight | CWindowAligner::MoveDown,
     "cancel"},
};

constexpr DialogTemplate kTemplate129{
    129, "VELMORA - Customizing...", {304, 290}, kTemplate129Items};

// Toolbar 141: copy | new hand, slice, text | delete | down, up.
constexpr ToolBarButton kToolBar141[] = {
    {COptionsDial::CopySelected, "Copy the selected element", "Copy"},
    {0, nullptr},
    {COptionsDial::NewHand, "New hand", "Hand"},
    {COptionsDial::NewSlice, "New time slice", "Slice"},
    {COptionsDial::NewText, "New digital display", "Text"},
    {0, nullptr},
    {COptionsDial::DeleteSelected, "Delete the selected element", "Delete"},
    {0, nullptr},
    {COptionsDial::MoveDown, "Move the selected element down (drawn later)", "Down"},
    {COptionsDial::MoveUp, "Move the selected element up (drawn earlier)", "Up"},
};

} // namespace

const DialogTemplate& customizeTemplate() {
    return kTemplate129;
}

std::span<const ToolBarButton> customizeToolBar() {
    return kToolBar141;
}
