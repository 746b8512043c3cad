// The layout of the customize dialog and its element toolbar.
#include "app/editor/customize_template.h"

#include "app/dialogs/window_aligner.h"
#include "app/editor/options_dial.h"

#include <QCoreApplication>

namespace {

using Kind = TemplateItem::Kind;

constexpr TemplateItem kTemplate129Items[] = {
    {-1,
     Kind::Label,
     QT_TRANSLATE_NOOP("DialogTemplate", "Scheme:"),
     {9, 6, 28, 8},
     0,
     "schemeLabel"},
    {COptionsDial::SchemeName,
     Kind::PathLabel,
     "",
     {43, 5, 136, 14},
     CWindowAligner::StretchRight,
     "schemeName"},
    {COptionsDial::SaveAsButton,
     Kind::Button,
     QT_TRANSLATE_NOOP("DialogTemplate", "&Save As..."),
     {208, 5, 43, 14},
     CWindowAligner::MoveRight,
     "saveAs"},
    {COptionsDial::LoadButton,
     Kind::Button,
     QT_TRANSLATE_NOOP("DialogTemplate", "&Load..."),
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
    {COptionsDial::RevertButton,
     Kind::Button,
     QT_TRANSLATE_NOOP("DialogTemplate", "&Revert..."),
     {8, 268, 39, 14},
     CWindowAligner::MoveDown,
     "revert"},
    {COptionsDial::RestoreDefaultsButton,
     Kind::Button,
     QT_TRANSLATE_NOOP("DialogTemplate", "Restore &Defaults..."),
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
     QT_TRANSLATE_NOOP("DialogTemplate", "&OK"),
     {190, 268, 50, 14},
     CWindowAligner::MoveRight | CWindowAligner::MoveDown,
     "ok"},
    {COptionsDial::CancelButton,
     Kind::Button,
     QT_TRANSLATE_NOOP("DialogTemplate", "&Cancel"),
     {245, 268, 50, 14},
     CWindowAligner::MoveRight | CWindowAligner::MoveDown,
     "cancel"},
};

constexpr DialogTemplate kTemplate129{
    129,
    QT_TRANSLATE_NOOP("DialogTemplate", "VELMORA - Customizing..."),
    {304, 290},
    kTemplate129Items};

// Toolbar 141: copy | new hand, slice, text | delete | down, up.
constexpr ToolBarButton kToolBar141[] = {
    {COptionsDial::CopySelected, QT_TRANSLATE_NOOP("ToolBar", "Copy the selected element"),
     QT_TRANSLATE_NOOP("ToolBar", "Copy")},
    {0, nullptr},
    {COptionsDial::NewHand, QT_TRANSLATE_NOOP("ToolBar", "New hand"),
     QT_TRANSLATE_NOOP("ToolBar", "Hand")},
    {COptionsDial::NewSlice, QT_TRANSLATE_NOOP("ToolBar", "New time slice"),
     QT_TRANSLATE_NOOP("ToolBar", "Slice")},
    {COptionsDial::NewText, QT_TRANSLATE_NOOP("ToolBar", "New digital display"),
     QT_TRANSLATE_NOOP("ToolBar", "Text")},
    {0, nullptr},
    {COptionsDial::DeleteSelected, QT_TRANSLATE_NOOP("ToolBar", "Delete the selected element"),
     QT_TRANSLATE_NOOP("ToolBar", "Delete")},
    {0, nullptr},
    {COptionsDial::MoveDown,
     QT_TRANSLATE_NOOP("ToolBar", "Move the selected element down (drawn later)"),
     QT_TRANSLATE_NOOP("ToolBar", "Down")},
    {COptionsDial::MoveUp,
     QT_TRANSLATE_NOOP("ToolBar", "Move the selected element up (drawn earlier)"),
     QT_TRANSLATE_NOOP("ToolBar", "Up")},
};

} // namespace

const DialogTemplate& customizeTemplate() {
    return kTemplate129;
}

std::span<const ToolBarButton> customizeToolBar() {
    return kToolBar141;
}
