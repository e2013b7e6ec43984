#pragma once

#include <memory>

#include "app/pictures.h"
#include "app/platform_actions.h"
#include "app/startup_values.h"
#include "calc/language_texts.h"

namespace mertano {

// What the whole program shares: made once by main and handed to the windows, so a
// test can build any window with a fresh one.
struct AppContext {
    StartupValues values;
    PictureList pictures;
    // The current language's texts; the engine's own English messages until a language
    // file is loaded.
    LanguageTexts texts = LanguageTexts::BuiltinEnglish();
    QString languageName;
    std::shared_ptr<PlatformActions> actions = std::make_shared<DesktopActions>();
};

}  // namespace mertano
