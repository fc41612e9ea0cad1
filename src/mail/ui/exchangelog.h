#pragma once
// The protocol log box of the mail and server dialogs: read-only, always scrolled to its end,
// reset to its heading by "ログ↓クリア" and before it passes 30 000 characters while mails arrive.

#include <QPlainTextEdit>

namespace sarvo::mail {

class ExchangeLog : public QPlainTextEdit {
    Q_OBJECT

public:
    explicit ExchangeLog(QWidget* parent = nullptr);

    void append(const QString& text);
    void reset();
    void resetWhenLong();
};

} // namespace sarvo::mail
