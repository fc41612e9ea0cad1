#include "common/ui/coretext.h"

#include "common/englishtexts.h"

#include <QCoreApplication>

namespace sarvo::ui {
namespace {

constexpr char kCoreContext[] = "CoreText";

} // namespace

QString coreText(std::u16string_view japanese) {
    const QString text =
        QString::fromUtf16(japanese.data(), static_cast<qsizetype>(japanese.size()));
    return QCoreApplication::translate(kCoreContext, text.toUtf8().constData());
}

QString CoreTextTranslator::translate(const char* context, const char* sourceText,
                                      const char* /*disambiguation*/, int /*n*/) const {
    if (qstrcmp(context, kCoreContext) != 0)
        return {};
    return QString::fromStdU16String(toEnglish(QString::fromUtf8(sourceText).toStdU16String()));
}

UiLanguage systemLanguage() {
    return localeLanguage(qgetenv("LC_ALL").toStdString(), qgetenv("LC_MESSAGES").toStdString(),
                          qgetenv("LANG").toStdString());
}

bool installLanguage(QCoreApplication& app, UiLanguage language) {
    if (language == UiLanguage::Japanese)
        return true;
    QCoreApplication::installTranslator(new CoreTextTranslator(&app));
    auto* windows = new QTranslator(&app);
    if (!windows->load(QStringLiteral(":/i18n/sarvo_en.qm")))
        return false;
    return QCoreApplication::installTranslator(windows);
}

} // namespace sarvo::ui
