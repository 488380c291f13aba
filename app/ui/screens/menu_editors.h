#pragma once

#include "ui/screens/menu_pages.h"
#include "ui/screens/slider_lists.h"

#include <QList>
#include <QString>
#include <QStringList>

struct StructConfiguration;

enum class EnumEditorKind {
    None,    // the row does something else
    Slider,  // UxSubMenuValue on a float field
    Single,  // UxSubMenuItemSingle on an int field
    Multi,   // UxSubMenuItemMulti on int flags
    Image,   // UxSubMenuImage on an int field
    File,    // UxDialogFile; the chosen file goes to the receiver of the tag
};

// The editor a menu row opens and the field it edits. The title is the row's text.
struct StructMenuEditor {
    EnumEditorKind kind = EnumEditorKind::None;
    QString title;
    // Slider.
    StructSliderList slider;
    float* value = nullptr;
    // Single choice and check boxes.
    QStringList rows;
    int* choice = nullptr;
    QList<int*> checks;
    // Image chooser: "background" or "color".
    QString imageKind;
    // File chooser.
    QString folder;
    QString pattern;
    QString tag;
};

namespace MenuEditors {

// The editor of a row on the record cfg; kind None for rows that run a command or open a
// screen of their own.
StructMenuEditor editorFor(EnumMenuAction action, const QString& title, StructConfiguration& cfg);

}  // namespace MenuEditors
