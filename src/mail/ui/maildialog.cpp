#include "mail/ui/maildialog.h"

#include "common/ui/coretext.h"

#include "mail/accountimport.h"
#include "mail/mailcompose.h"
#include "mail/mailkind.h"
#include "mail/mailparse.h"
#include "mail/mailsongs.h"
#include "mail/net/exchangedriver.h"
#include "mail/pop3session.h"
#include "mail/smtpsession.h"
#include "mail/ui/exchangelog.h"
#include "mail/ui/keychainpasswordstore.h"
#include "settings/profilenumbers.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QVBoxLayout>

namespace sarvo::mail {
namespace {

QString q(std::u16string_view text) {
    return QString::fromStdU16String(std::u16string(text));
}

std::u16string u(const QString& text) {
    return text.toStdU16String();
}

constexpr const char* kFieldLabels[kMailFieldCount] = {
    QT_TRANSLATE_NOOP("sarvo::mail::MailDialog", "SMTP(送信)"),
    QT_TRANSLATE_NOOP("sarvo::mail::MailDialog", "POP3(受信)"),
    QT_TRANSLATE_NOOP("sarvo::mail::MailDialog", "宛先(送信)"),
    QT_TRANSLATE_NOOP("sarvo::mail::MailDialog", "自分(受信)"),
    QT_TRANSLATE_NOOP("sarvo::mail::MailDialog", "ユーザＩＤ：")};
constexpr const char* kTlsCaptions[] = {QT_TRANSLATE_NOOP("sarvo::mail::MailDialog", "暗号化なし"),
                                        "STARTTLS", "SSL/TLS"};
// A keychain that has not answered by then counts as none (a hung service, a locked keyring).
constexpr std::chrono::seconds kKeychainBound{10};

} // namespace

MailDialog::MailDialog(MailContext context, QWidget* parent)
    : QDialog(parent)
    , m_context(std::move(context)) {
    setObjectName(QStringLiteral("dlgMail"));
    setWindowTitle(tr("メイル送受信"));
    build();
    const settings::SettingsFile file = m_context.settingsFile();
    m_passwordStore = new KeychainPasswordStore(q(mailPasswordEntry(file)), kKeychainBound, this);
    m_form = loadMailSettings(file);
    showForm(m_form);
    if (m_form.settings.keepPassword) {
        m_passwordStore->read([this](std::optional<std::u16string> kept) {
            // The keychain's password wins over the settings file's, not over one typed since.
            if (kept && !m_password->isModified()) {
                m_form.password = *kept;
                m_password->setText(q(*kept));
            }
        });
    }
}

MailDialog::~MailDialog() = default;

void MailDialog::build() {
    auto* account = new QGroupBox(tr("サーバとアドレス"));
    auto* grid = new QGridLayout(account);
    for (int i = 0; i < kMailFieldCount; ++i) {
        m_fields[i] = new QComboBox;
        m_fields[i]->setEditable(true);
        m_fields[i]->setObjectName(QStringLiteral("cmbMail%1").arg(i));
        m_fields[i]->setMinimumWidth(200);
        grid->addWidget(new QLabel(tr(kFieldLabels[i])), i, 0);
        grid->addWidget(m_fields[i], i, 1);
    }
    for (int i = 0; i < 2; ++i) {
        m_ports[i] = new QLineEdit;
        m_ports[i]->setObjectName(QStringLiteral("txtPort%1").arg(i));
        m_ports[i]->setMaximumWidth(60);
        m_tls[i] = new QComboBox;
        m_tls[i]->setObjectName(i == 0 ? QStringLiteral("cmbSmtpTls")
                                       : QStringLiteral("cmbPop3Tls"));
        for (const char* caption : kTlsCaptions)
            m_tls[i]->addItem(tr(caption));
        grid->addWidget(new QLabel(tr("ポート")), i, 2);
        grid->addWidget(m_ports[i], i, 3);
        grid->addWidget(m_tls[i], i, 4);
    }
    m_auth = new QCheckBox(tr("SMTP 認証"));
    m_auth->setObjectName(QStringLiteral("chkAuth"));
    grid->addWidget(m_auth, 2, 2, 1, 3);
    m_password = new QLineEdit;
    m_password->setObjectName(QStringLiteral("txtPass"));
    m_password->setEchoMode(QLineEdit::Password);
    m_keepPassword = new QCheckBox(tr("保存"));
    m_keepPassword->setObjectName(QStringLiteral("chkPass"));
    m_delete = new QCheckBox(tr("後、サーバ　から削除"));
    m_delete->setObjectName(QStringLiteral("chkDel"));
    auto* passwordRow = new QHBoxLayout;
    passwordRow->addWidget(new QLabel(tr("パスワード：")));
    passwordRow->addWidget(m_password, 1);
    passwordRow->addWidget(m_keepPassword);
    grid->addLayout(passwordRow, 5, 0, 1, 2);
    grid->addWidget(m_delete, 5, 2, 1, 3);

    auto* types = new QGroupBox(tr("メイルの種類"));
    auto* typeRow = new QGridLayout(types);
    m_types = new QButtonGroup(this);
    for (int i = 0; i < kMailKindCount; ++i) {
        auto* option = new QRadioButton(ui::coreText(mailKindInfo(*mailKindOfIndex(i)).caption));
        option->setObjectName(QStringLiteral("optMT%1").arg(i));
        m_types->addButton(option, i);
        typeRow->addWidget(option, i / 3, i % 3);
    }
    connect(m_types, &QButtonGroup::idClicked, this, &MailDialog::chooseType);

    m_subject = new QLineEdit;
    m_subject->setObjectName(QStringLiteral("txtSub"));
    m_body = new QPlainTextEdit(q(kDefaultBody));
    m_body->setObjectName(QStringLiteral("txtBody"));
    m_body->setTabChangesFocus(true);
    m_body->setMaximumHeight(60);
    auto* text = new QGridLayout;
    text->addWidget(new QLabel(tr("曲名：")), 0, 0);
    text->addWidget(m_subject, 0, 1);
    text->addWidget(new QLabel(tr("コメント：")), 1, 0, Qt::AlignTop);
    text->addWidget(m_body, 1, 1);

    m_imode = new QGroupBox(tr("i-mode 携帯電話のメールアドレス入力"));
    m_imode->setObjectName(QStringLiteral("fraimode"));
    auto* imodeRow = new QHBoxLayout(m_imode);
    m_imodeAddress = new QLineEdit;
    m_imodeAddress->setObjectName(QStringLiteral("txtiMail"));
    imodeRow->addWidget(m_imodeAddress, 1);
    imodeRow->addWidget(new QLabel(tr("※曲のサイズ制限がありません")));

    const QString captions[] = {tr("送信(&S)"), tr("受信(&R)")};
    auto* buttons = new QHBoxLayout;
    for (int i = 0; i < 2; ++i) {
        m_buttons[i] = new QPushButton(captions[i]);
        m_buttons[i]->setObjectName(QStringLiteral("cmdMail%1").arg(i));
        buttons->addWidget(m_buttons[i]);
    }
    connect(m_buttons[0], &QPushButton::clicked, this, &MailDialog::send);
    connect(m_buttons[1], &QPushButton::clicked, this, &MailDialog::receive);
    m_log = new ExchangeLog;
    auto* clear = new QPushButton(tr("ログ↓クリア(&C)"));
    clear->setObjectName(QStringLiteral("cmdLog"));
    connect(clear, &QPushButton::clicked, m_log, &ExchangeLog::reset);
    auto* close = new QPushButton(tr("閉じる(&Q)"));
    close->setObjectName(QStringLiteral("cmdEnd"));
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    auto* import = new QPushButton(tr("アカウント取込(&I)"));
    import->setObjectName(QStringLiteral("cmdImport"));
    import->setToolTip(
        tr("メイルソフトの既定のアカウントから、サーバとユーザＩＤを取り込みます"));
    connect(import, &QPushButton::clicked, this, &MailDialog::importAccount);
    buttons->addStretch();
    buttons->addWidget(import);
    buttons->addWidget(clear);
    buttons->addWidget(close);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(account);
    layout->addWidget(types);
    layout->addLayout(text);
    layout->addWidget(m_imode);
    layout->addLayout(buttons);
    layout->addWidget(m_log, 1);
    resize(640, 580);

    connect(m_fields[SmtpServer]->lineEdit(), &QLineEdit::editingFinished, this,
            &MailDialog::fillFromSmtpServer);
    m_body->installEventFilter(this);
    m_imodeAddress->installEventFilter(this);
    for (QComboBox* field : m_fields)
        field->lineEdit()->installEventFilter(this);
}

bool MailDialog::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn) {
        // After the click that gave the focus, which would place the caret instead.
        QTimer::singleShot(0, watched, [watched] {
            if (auto* line = qobject_cast<QLineEdit*>(watched); line && !line->hasSelectedText())
                line->selectAll();
            else if (auto* text = qobject_cast<QPlainTextEdit*>(watched);
                     text && !text->textCursor().hasSelection())
                text->selectAll();
        });
    }
    return QDialog::eventFilter(watched, event);
}

void MailDialog::showForm(const MailForm& form) {
    const std::vector<std::u16string> settings::MailSettings::*lists[kMailFieldCount] = {
        &settings::MailSettings::smtpServers, &settings::MailSettings::pop3Servers,
        &settings::MailSettings::destinations, &settings::MailSettings::ownAddresses,
        &settings::MailSettings::userIds};
    for (int i = 0; i < kMailFieldCount; ++i) {
        m_fields[i]->clear();
        for (const std::u16string& entry : form.settings.*lists[i])
            m_fields[i]->addItem(q(entry));
        m_fields[i]->setEditText(q(form.fieldTexts[i]));
    }
    m_ports[0]->setText(q(form.settings.smtpPort));
    m_ports[1]->setText(q(form.settings.pop3Port));
    m_tls[0]->setCurrentIndex(static_cast<int>(form.options.smtpTls));
    m_tls[1]->setCurrentIndex(static_cast<int>(form.options.pop3Tls));
    m_auth->setChecked(form.options.smtpAuth);
    m_password->setText(q(form.password));
    m_keepPassword->setChecked(form.settings.keepPassword);
    m_delete->setChecked(form.settings.deleteAfterReceiving);
    m_imodeAddress->setText(q(form.settings.imodeAddress));
    m_types->button(form.settings.mailType)->setChecked(true);
    chooseType(form.settings.mailType);
}

MailForm MailDialog::readForm() const {
    MailForm form = m_form;
    for (int i = 0; i < kMailFieldCount; ++i)
        form.fieldTexts[i] = u(m_fields[i]->currentText());
    form.settings.mailType = std::max(0, m_types->checkedId());
    form.settings.smtpPort = u(m_ports[0]->text());
    form.settings.pop3Port = u(m_ports[1]->text());
    form.settings.imodeAddress = u(m_imodeAddress->text());
    form.settings.keepPassword = m_keepPassword->isChecked();
    form.settings.deleteAfterReceiving = m_delete->isChecked();
    form.password = u(m_password->text());
    form.options.smtpTls = static_cast<TlsMode>(m_tls[0]->currentIndex());
    form.options.pop3Tls = static_cast<TlsMode>(m_tls[1]->currentIndex());
    form.options.smtpAuth = m_auth->isChecked();
    return form;
}

void MailDialog::chooseType(int index) {
    const bool notice = index == static_cast<int>(MailKind::IMelodyUrl);
    m_imode->setVisible(notice);
    m_buttons[1]->setEnabled(!notice && !exchangeRunning());
    if (notice) {
        m_imode->raise();
        m_imodeAddress->setFocus();
    }
}

void MailDialog::fillFromSmtpServer() {
    const QString server = m_fields[SmtpServer]->currentText().trimmed();
    if (server.isEmpty())
        return;
    if (m_fields[OwnAddress]->currentText().trimmed().isEmpty())
        m_fields[OwnAddress]->setEditText(q(suggestedOwnAddress(u(server))));
    if (m_fields[Pop3Server]->currentText().trimmed().isEmpty())
        m_fields[Pop3Server]->setEditText(server);
}

std::optional<MailAccount> MailDialog::checkedAccount(ExchangeKind kind) {
    const settings::SettingsFile file = m_context.settingsFile();
    m_form = readForm();
    const FieldCheck check = checkMailFields(m_form, kind, songServerSettings(file));
    if (!check.account) {
        m_context.ui.showMessage(check.message);
        if (check.focusField == kPop3PortField)
            m_ports[1]->setFocus();
        else if (check.focusField >= 0)
            m_fields[check.focusField]->setFocus();
        return std::nullopt;
    }
    logProblem(saveMailSettings(file, m_form));
    if (m_form.settings.keepPassword)
        keepMailPassword(*m_passwordStore, file, m_form.password,
                         [this](const std::string& error) { logProblem(error); });
    const MailForm shown = m_form;
    showForm(shown);
    return check.account;
}

void MailDialog::importAccount() {
    const auto account = readThunderbirdAccount(QDir::homePath().toStdU16String());
    if (!account) {
        m_context.ui.showMessage(kNoMailClientMessage);
        return;
    }
    const settings::SettingsFile file = m_context.settingsFile();
    logProblem(saveImportedAccount(file, *account));
    const std::u16string password = u(m_password->text()); // perhaps the keychain's
    m_form = loadMailSettings(file);
    m_form.password = password;
    showForm(m_form);
}

void MailDialog::logProblem(const std::string& error) {
    if (!error.empty())
        m_log->append(QStringLiteral("? ") + QString::fromStdString(error) + QStringLiteral("\n"));
}

bool MailDialog::exchangeRunning() const {
    return m_driver && m_driver->running();
}

void MailDialog::send() {
    if (exchangeRunning())
        return;
    if (m_context.melody.find_first_not_of(u" \r\n") == std::u16string::npos) {
        m_context.ui.showMessage(u"曲が入力されていないので送信はできません。");
        reject();
        return;
    }
    if (m_fields[SmtpServer]->currentText().trimmed().isEmpty()) {
        m_fields[SmtpServer]->setEditText(q(songServerSettings(m_context.settingsFile()).smtpHost));
        m_ports[0]->setText(QStringLiteral("25"));
    }
    const auto account = checkedAccount(ExchangeKind::Send);
    if (!account)
        return;
    const MailKind kind = *mailKindOfIndex(m_form.settings.mailType);
    const settings::Preferences preferences = m_context.settingsFile().preferences();

    OutgoingMail mail;
    mail.kind = kind;
    mail.ownAddress = account->ownAddress;
    mail.destination = kind == MailKind::IMelodyUrl
                           ? songServerSettings(m_context.settingsFile()).uploadMailbox
                           : account->destination;
    mail.userName = preferences.userName;
    mail.subject = u(m_subject->text());
    mail.body = u(m_body->toPlainText());
    mail.imodeAddress = m_form.settings.imodeAddress;
    mail.songName = m_context.song.name;
    mail.kashu = m_context.song.kashu;
    mail.jan = m_context.song.jan;
    mail.time = MailTime::now();

    formats::Ringtone ringtone{
        m_context.song.name,
        formats::TempoUnit::fromTempo(
            settings::integerFrom(m_context.song.tenpo).value_or(preferences.tempo),
            preferences.tempoNote)
            .value_or(formats::TempoUnit::quarterNotes(100)),
        {{m_context.melody,
          settings::integerIn(m_context.song.neiro, 0, 127).value_or(formats::kDefaultVoice)}}};
    if (mailKindInfo(kind).chord && !m_context.selected.empty()) {
        const auto songs =
            loadMailSongs(m_context.library, chordParts(m_context.selected, m_context.ui),
                          preferences.tempoNote, preferences.tempo);
        ringtone = songs.ok() ? songs.value.ringtone : formats::Ringtone{};
    }
    Converted<Attachment> attachment =
        ringtone.parts.empty() ? Converted<Attachment>{{}, u"no part"}
                               : encodeAttachment(kind, ringtone, mail.subject, m_context.ui);
    Converted<std::string> text;
    if (attachment.ok()) {
        mail.attachment = std::move(attachment.value);
        text = composeMail(mail);
    }
    if (!attachment.ok() || !text.ok()) {
        m_log->append(q(kEncodeFailureLog));
        return;
    }
    SmtpJob job{account->smtp.tls,    "", "", mail.ownAddress, mail.destination, mail.subject,
                std::move(text.value)};
    if (account->smtpAuth) {
        job.authUser = q(account->userId).toStdString();
        job.authPassword = q(account->password).toStdString();
    }
    runExchange(std::make_unique<SmtpSession>(std::move(job), m_clock,
                                              std::chrono::seconds(m_form.options.idleSeconds)),
                account->smtp);
}

void MailDialog::receive() {
    if (exchangeRunning())
        return;
    const auto account = checkedAccount(ExchangeKind::Receive);
    if (!account)
        return;
    const MailKind kind = *mailKindOfIndex(m_form.settings.mailType);
    Pop3Job job{account->pop3.tls,
                q(account->userId).toStdString(),
                q(account->password).toStdString(),
                m_form.settings.deleteAfterReceiving,
                m_form.options.sizeLimit,
                {}};
    bool offered = false;
    job.handleMessage = [this, kind, offered](std::string_view message) mutable {
        const auto songs = parseMail(kind, message, m_context.ui);
        if (!songs || songs->empty())
            return MessageVerdict{};
        if (!offered && m_context.offerToSaveEditedSong)
            m_context.offerToSaveEditedSong();
        offered = true;
        const settings::SettingsFile file = m_context.settingsFile();
        const NameClashChooser chooser =
            m_context.chooseOnClash ? m_context.chooseOnClash
                                    : fixedNameClashChoice(m_context.library, std::nullopt);
        const StoredSongs stored = storeReceivedSongs(
            m_context.library, *songs, u(QString::number(m_context.voiceProgram)),
            file.preferences().phoneTypes, chooser, m_context.ui);
        if (!stored.names.empty() && m_context.songsStored)
            m_context.songsStored(stored.names);
        return MessageVerdict{stored.error.empty(),
                              stored.names.empty() ? songs->front().name : stored.names.back()};
    };
    QApplication::setOverrideCursor(Qt::WaitCursor);
    runExchange(std::make_unique<Pop3Session>(std::move(job), m_clock,
                                              std::chrono::seconds(m_form.options.idleSeconds)),
                account->pop3);
}

void MailDialog::runExchange(std::unique_ptr<Exchange> exchange, const ServerAddress& server) {
    m_driver.reset();
    m_exchange = std::move(exchange);
    m_driver = std::make_unique<ExchangeDriver>(*m_exchange, server, m_extraCertificates);
    connect(m_driver.get(), &ExchangeDriver::logged, m_log, &ExchangeLog::append);
    connect(m_driver.get(), &ExchangeDriver::logLengthCheck, m_log, &ExchangeLog::resetWhenLong);
    connect(m_driver.get(), &ExchangeDriver::finished, this, &MailDialog::exchangeDone);
    for (QPushButton* button : m_buttons)
        button->setEnabled(false);
    m_driver->start();
}

void MailDialog::exchangeDone(bool ok) {
    if (QApplication::overrideCursor())
        QApplication::restoreOverrideCursor();
    m_buttons[0]->setEnabled(true);
    chooseType(m_types->checkedId());
    emit exchangeFinished(ok);
}

} // namespace sarvo::mail
