#pragma once
// Conversions between the core's UTF-16 strings and Qt's strings.

#include <QString>

#include <string>
#include <string_view>

namespace sarvo::app {

inline QString toQString(std::u16string_view text) {
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

inline std::u16string toU16(const QString& text) {
    return text.toStdU16String();
}

} // namespace sarvo::app
