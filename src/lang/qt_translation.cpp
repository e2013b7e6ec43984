// SPDX-License-Identifier: GPL-3.0-or-later
#include "lang/qt_translation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include "lang/language_file.h"

namespace mertano {

QLocale LocaleOfLanguageName(const QString& languageName) {
    const QString name = TrimLanguageName(languageName);
    if (name.isEmpty()) return QLocale::c();
    for (int l = QLocale::AnyLanguage + 1; l <= QLocale::LastLanguage; ++l) {
        const auto language = static_cast<QLocale::Language>(l);
        if (QLocale::languageToString(language).compare(name, Qt::CaseInsensitive) == 0)
            return QLocale(language);
    }
    return QLocale::c();
}

QtTranslation::QtTranslation(QString folder)
    : folder_(folder.isEmpty() ? QLibraryInfo::path(QLibraryInfo::TranslationsPath)
                               : std::move(folder)) {}

QtTranslation::~QtTranslation() {
    if (translator_) QCoreApplication::removeTranslator(translator_.get());
}

bool QtTranslation::setLanguage(const QString& languageName) {
    if (translator_) {
        QCoreApplication::removeTranslator(translator_.get());
        translator_.reset();
    }
    const QLocale locale = LocaleOfLanguageName(languageName);
    // Qt's texts are written in English: there is nothing to load for it.
    if (locale.language() == QLocale::C || locale.language() == QLocale::English) return false;
    auto translator = std::make_unique<QTranslator>();
    // qtbase holds the texts of Core, Gui, Widgets and PrintSupport.
    if (!translator->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"), folder_))
        return false;
    QCoreApplication::installTranslator(translator.get());
    translator_ = std::move(translator);
    return true;
}

}  // namespace mertano
