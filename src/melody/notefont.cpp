#include "melody/notefont.h"

#include <QFontDatabase>
#include <QStringList>

namespace sarvo::melody {

namespace {
QString family() {
    return QString::fromLatin1(kNoteFontFamily);
}
} // namespace

bool installNoteFont() {
    if (QFontDatabase::families().contains(family()))
        return true;
    return QFontDatabase::addApplicationFont(QStringLiteral(":/fonts/Sarvo.ttf")) >= 0;
}

QFont noteFont(qreal pixelSize) {
    installNoteFont();
    QFont font(family());
    font.setPixelSize(qMax(1, qRound(pixelSize)));
    // Only the note font's own glyphs: the staff never prints anything else.
    font.setStyleStrategy(QFont::NoFontMerging);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

QFont melodyTextFont(int pointSize, bool bold) {
    installNoteFont();
    QFont font;
    // The note font draws the length codes; octave marks and pitch names come from a Japanese
    // font further down the list.
    font.setFamilies({family(), QStringLiteral("IPAGothic"), QStringLiteral("IPAPGothic"),
                      QStringLiteral("Noto Sans CJK JP")});
    font.setPointSize(qMax(1, pointSize));
    font.setBold(bold);
    return font;
}

} // namespace sarvo::melody
