#pragma once
// The song-server dialog dlgServer: uploads the selected song by mail to the server's upload
// mailbox, or opens the server's download page in the desktop's browser.

#include "mail/exchange.h"
#include "mail/ui/mailcontext.h"

#include <QDialog>

#include <memory>

class QCheckBox;
class QLabel;
class QPushButton;

namespace sarvo::mail {

class ExchangeDriver;
class ExchangeLog;

class ServerDialog : public QDialog {
    Q_OBJECT

public:
    // The dialog keeps its own copy of the context and reads the two server settings.
    explicit ServerDialog(MailContext context, QWidget* parent = nullptr);
    ~ServerDialog() override;

    // cmdMail: uploads the song selected in the music box (the current song when none is).
    void upload();
    // cmdGET: opens the download page and closes the dialog.
    void download();
    bool exchangeRunning() const;

signals:
    void exchangeFinished(bool ok);

protected:
    void done(int result) override;

private:
    MailContext m_context;
    QCheckBox* m_publish = nullptr;
    QLabel* m_uploads = nullptr;
    QPushButton* m_upload = nullptr;
    ExchangeLog* m_log = nullptr;
    std::unique_ptr<Exchange> m_exchange;
    std::unique_ptr<ExchangeDriver> m_driver;
    SystemMailClock m_clock;
};

} // namespace sarvo::mail
