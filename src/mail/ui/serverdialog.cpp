#include "mail/ui/serverdialog.h"

#include "common/textcodec.h"
#include "mail/mailfields.h"
#include "mail/net/exchangedriver.h"
#include "mail/serversettings.h"
#include "mail/smtpsession.h"
#include "mail/ui/exchangelog.h"
#include "mail/uploadmail.h"
#include "settings/privateprofile.h"

#include <QCheckBox>
#include <QDesktopServices>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

namespace sarvo::mail {

ServerDialog::ServerDialog(MailContext context, QWidget* parent)
    : QDialog(parent)
    , m_context(std::move(context)) {
    setObjectName(QStringLiteral("dlgServer"));
    setWindowTitle(tr("Sarvoサーバ(曲のアップロード・ダウンロード)"));
    const settings::SettingsFile file = m_context.settingsFile();

    auto* title = new QLabel(tr("Sarvo サーバ"));
    QFont big = title->font();
    big.setPointSize(big.pointSize() + 4);
    big.setBold(true);
    title->setFont(big);
    m_upload = new QPushButton(tr("に、選択中の曲を送信して登録(アップロード) (&S)"));
    m_upload->setObjectName(QStringLiteral("cmdMail"));
    auto* get = new QPushButton(tr("から、曲をGET(ダウンロード) (&R)"));
    get->setObjectName(QStringLiteral("cmdGET"));
    m_publish = new QCheckBox(tr("E-Mail アドレス公開"));
    m_publish->setObjectName(QStringLiteral("chk"));
    m_publish->setChecked(file.publishAddress());
    m_uploads = new QLabel(QString::number(file.uploadCount()));
    m_uploads->setObjectName(QStringLiteral("lblUpNum"));
    auto* count = new QHBoxLayout;
    count->addWidget(m_uploads);
    count->addWidget(new QLabel(tr("回、送信して登録(アップロード)しました。")));
    count->addStretch();

    m_log = new ExchangeLog;
    auto* clear = new QPushButton(tr("ログ↓クリア(&C)"));
    clear->setObjectName(QStringLiteral("cmdLog"));
    auto* close = new QPushButton(tr("閉じる(&Q)"));
    close->setObjectName(QStringLiteral("cmdEnd"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(clear);
    buttons->addWidget(close);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(title);
    auto* actions = new QGridLayout;
    actions->addWidget(m_upload, 0, 0);
    actions->addWidget(m_publish, 0, 1);
    actions->addWidget(get, 1, 0);
    layout->addLayout(actions);
    layout->addLayout(count);
    layout->addWidget(new QLabel(tr("※1 サーバにすでにある曲は登録できません。")));
    layout->addWidget(
        new QLabel(tr("※2 ただし、貴殿が前に登録した曲であれば上書きします。")));
    layout->addLayout(buttons);
    layout->addWidget(m_log, 1);
    resize(560, 420);

    connect(m_upload, &QPushButton::clicked, this, &ServerDialog::upload);
    connect(get, &QPushButton::clicked, this, &ServerDialog::download);
    connect(clear, &QPushButton::clicked, m_log, &ExchangeLog::reset);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
}

ServerDialog::~ServerDialog() = default;

bool ServerDialog::exchangeRunning() const {
    return m_driver && m_driver->running();
}

void ServerDialog::done(int result) {
    const settings::SettingsFile file = m_context.settingsFile();
    file.savePublishAddress(m_publish->isChecked());
    QDialog::done(result);
}

void ServerDialog::download() {
    const SongServerSettings server = songServerSettings(m_context.settingsFile());
    QDesktopServices::openUrl(QUrl(QString::fromStdU16String(server.downloadPage)));
    accept();
}

void ServerDialog::upload() {
    if (exchangeRunning())
        return;
    if (m_context.melody.find_first_not_of(u" \r\n") == std::u16string::npos) {
        m_context.ui.showMessage(u"曲が入力されていないので送信はできません。");
        return;
    }
    const settings::SettingsFile file = m_context.settingsFile();
    const SongServerSettings server = songServerSettings(file);
    const MailForm form = loadMailSettings(file);
    const std::u16string own = form.fieldTexts[OwnAddress].empty()
                                   ? std::u16string(kPlaceholderAddress)
                                   : form.fieldTexts[OwnAddress];
    if (m_context.saveEditedSong)
        m_context.saveEditedSong();
    const std::u16string name =
        m_context.selected.empty() ? m_context.song.name : m_context.selected.front();
    const auto loaded = settings::PrivateProfile::load(m_context.library.songFile(name));
    std::optional<std::u16string> text;
    if (loaded.error.empty())
        text = fromCp932(loaded.profile.bytes());
    while (text && (text->ends_with(u'\n') || text->ends_with(u'\r')))
        text->pop_back();
    const Converted<std::string> mail =
        composeUploadMail({name, text.value_or(u""), file.preferences().userName, own,
                           server.uploadMailbox, m_publish->isChecked()});
    if (!loaded.error.empty() || !mail.ok()) {
        m_log->append(QStringLiteral("? ") + QString::fromStdU16String(name) +
                      tr(" を読めません\n"));
        return;
    }
    m_driver.reset();
    m_exchange = std::make_unique<SmtpSession>(
        SmtpJob{TlsMode::None, "", "", own, server.uploadMailbox, name, mail.value}, m_clock,
        std::chrono::seconds(form.options.idleSeconds));
    m_driver = std::make_unique<ExchangeDriver>(
        *m_exchange, ServerAddress{server.smtpHost, server.smtpPort, TlsMode::None});
    connect(m_driver.get(), &ExchangeDriver::logged, m_log, &ExchangeLog::append);
    connect(m_driver.get(), &ExchangeDriver::finished, this, [this, name](bool ok) {
        if (ok) {
            if (const std::string error = writeBackListIcon(m_context.library, name);
                !error.empty())
                m_log->append(QStringLiteral("? ") + QString::fromStdString(error) +
                              QStringLiteral("\n"));
        }
        m_upload->setEnabled(true);
        emit exchangeFinished(ok);
    });
    m_upload->setEnabled(false);
    m_driver->start();
    // The count grows with every upload that reached the exchange.
    const int uploads = file.uploadCount() + 1;
    file.saveUploadCount(uploads);
    m_uploads->setText(QString::number(uploads));
}

} // namespace sarvo::mail
