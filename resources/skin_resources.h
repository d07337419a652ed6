// The skin pictures are compiled into the static library vaticor_resources.
// A static library's resources are registered only when asked for, so the
// program calls vaticor::InitSkinResources() once, after creating the
// application object and before loading any ":/skin/..." picture.
#pragma once

#include <QtCore/qglobal.h>

// Q_INIT_RESOURCE declares the registration function in the scope it is
// used in, so it has to be used outside any namespace.
inline void VaticorInitSkinResourcesGlobal() { Q_INIT_RESOURCE(skin); }

namespace vaticor {

inline void InitSkinResources() { ::VaticorInitSkinResourcesGlobal(); }

}  // namespace vaticor
