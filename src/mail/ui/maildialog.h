#pragma once
// The mail dialog dlgMail: the mail account, the mail type, subject and message, and one button
// each to send the selected songs and to receive ringtone mails, with the protocol log. An
// exchange runs on the dialog's event loop; the dialog stays responsive and refuses a second
// exchange while one runs.

#include "mail/exchange.h"
#include "mail/mailfields.h"
#include "mail/ui/mailcontext.h"

#include <QDialog>
#include <QSslCertificate>

#include <array>
#include <memory>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace sarvo::mail {

class ExchangeDriver;
class ExchangeLog;
class KeychainPasswordStore;

class MailDialog : public QDialog {
    Q_OBJECT

public:
    // The dialog keeps its own copy of the context and loads the mail settings.
    explicit MailDialog(MailContext context, QWidget* parent = nullptr);
    ~MailDialog() override;

    // cmdMail(0) and cmdMail(1).
    void send();
    void receive();
    // Seeds the servers and the user ID from the desktop mail client's default account.
    void importAccount();
    bool exchangeRunning() const;

    // Certificates trusted beside the system's (a server of one's own).
    void setExtraCertificates(QList<QSslCertificate> certificates) {
        m_extraCertificates = std::move(certificates);
    }

signals:
    void exchangeFinished(bool ok);

protected:
    // Entering the message, the i-mode address or a server field selects its whole text.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void build();
    void showForm(const MailForm& form);
    MailForm readForm() const;
    void chooseType(int index);
    void fillFromSmtpServer();
    // CheckMailFields and the settings; nullopt after a message.
    std::optional<MailAccount> checkedAccount(ExchangeKind kind);
    void runExchange(std::unique_ptr<Exchange> exchange, const ServerAddress& server);
    void exchangeDone(bool ok);
    void logProblem(const std::string& error);

    MailContext m_context;
    MailForm m_form;
    std::array<QComboBox*, kMailFieldCount> m_fields{};
    std::array<QLineEdit*, 2> m_ports{};
    std::array<QComboBox*, 2> m_tls{};
    QLineEdit* m_password = nullptr;
    QCheckBox* m_keepPassword = nullptr;
    QCheckBox* m_delete = nullptr;
    QCheckBox* m_auth = nullptr;
    QButtonGroup* m_types = nullptr;
    QLineEdit* m_subject = nullptr;
    QPlainTextEdit* m_body = nullptr;
    QGroupBox* m_imode = nullptr;
    QLineEdit* m_imodeAddress = nullptr;
    std::array<QPushButton*, 2> m_buttons{};
    ExchangeLog* m_log = nullptr;
    KeychainPasswordStore* m_passwordStore = nullptr;
    QList<QSslCertificate> m_extraCertificates;
    std::unique_ptr<Exchange> m_exchange;
    std::unique_ptr<ExchangeDriver> m_driver;
    SystemMailClock m_clock;
};

} // namespace sarvo::mail
