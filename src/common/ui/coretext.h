#pragma once
// The windows' side of the interface language. The window texts are translated by Qt's
// translator from the English catalogue built from translations/sarvo_en.ts; the texts the core
// libraries hand over (messages, list entries) are translated from the core catalogue
// (common/englishtexts.h) through a translator of their own context. With Japanese chosen no
// translator is installed and every text shows as written.

#include "common/uilanguage.h"

#include <QString>
#include <QTranslator>

#include <string_view>

class QCoreApplication;

namespace sarvo::ui {

// A text from the core libraries in the interface's language.
QString coreText(std::u16string_view japanese);

// Translates the core's texts from the core catalogue.
class CoreTextTranslator final : public QTranslator {
public:
    using QTranslator::QTranslator;
    bool isEmpty() const override { return false; }
    QString translate(const char* context, const char* sourceText, const char* disambiguation,
                      int n) const override;
};

// The language of the process's locale (LC_ALL, LC_MESSAGES, LANG).
UiLanguage systemLanguage();

// Installs the translators of a language on the application; false when the window catalogue
// could not be loaded.
bool installLanguage(QCoreApplication& app, UiLanguage language);

} // namespace sarvo::ui
