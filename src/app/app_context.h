// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>

#include "app/platform_actions.h"
#include "system/startup_values.h"
#include "lang/language_state.h"
#include "materials/material_store.h"
#include "pictures/pictures.h"

namespace mertano {

// What the whole program shares: made once by main and handed to the windows, so a
// test can build any window with a fresh one.
struct AppContext {
    StartupValues values;
    PictureList pictures;
    // The current language and its texts; the engine's own English messages until a
    // language is settled and loaded.
    LanguageState language{QString()};
    // Gravity.grv in the folder the program was started in.
    MaterialStore materials = MaterialStore::InWorkingFolder();
    std::shared_ptr<PlatformActions> actions = std::make_shared<DesktopActions>();
};

}  // namespace mertano
