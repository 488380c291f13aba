#pragma once

#include "link/link_state.h"

#include <QStringList>

namespace ModuleVersions {

// The radio module's, the sonar box's, the GPS's and the autopilot's versions as the system
// information shows them, each with its own mark for a module that has not said.
QStringList texts(const StructLinkSnapshot& s);

}  // namespace ModuleVersions
