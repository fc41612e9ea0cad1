#include "mail/ui/exchangelog.h"

#include "mail/exchange.h"

#include <QScrollBar>
#include <QTextCursor>

namespace sarvo::mail {

ExchangeLog::ExchangeLog(QWidget* parent)
    : QPlainTextEdit(parent) {
    setObjectName(QStringLiteral("txt"));
    setReadOnly(true);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    reset();
}

void ExchangeLog::append(const QString& text) {
    QString lines = text;
    lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    moveCursor(QTextCursor::End);
    insertPlainText(lines);
    verticalScrollBar()->setValue(verticalScrollBar()->maximum());
}

void ExchangeLog::reset() {
    setPlainText(QString::fromStdU16String(std::u16string(kLogResetText)).replace("\r\n", "\n") +
                 QStringLiteral("\n"));
}

void ExchangeLog::resetWhenLong() {
    if (toPlainText().size() > static_cast<qsizetype>(kLogLimit))
        reset();
}

} // namespace sarvo::mail
