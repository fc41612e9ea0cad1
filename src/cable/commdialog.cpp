#include "cable/commdialog.h"

#include "cable/qserialtransport.h"
#include "cable/serialports.h"
#include "common/ui/coretext.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

namespace sarvo::cable {
namespace {

constexpr std::u16string_view kSection = u"ケーブル接続";
constexpr std::u16string_view kPortKey = u"PORT";

QString qs(std::u16string_view text) {
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}
std::u16string u16(const QString& text) {
    return text.toStdU16String();
}

} // namespace

CommDialog::CommDialog(settings::SettingsFile settings, IInteractive& ui, QWidget* parent)
    : QDialog(parent)
    , m_settings(std::move(settings))
    , m_ui(ui) {
    setObjectName(QStringLiteral("frmComm"));
    setWindowTitle(tr("シリアルケーブルでの着信音編集"));
    m_port = new QSerialTransport(this);
    m_timer = new QTimer(this);
    m_timer->setSingleShot(true);
    connect(m_timer, &QTimer::timeout, this, &CommDialog::pump);
    connect(m_port, &QSerialTransport::readyRead, this, &CommDialog::pump);
    m_link = std::make_unique<Link>(*m_port, m_log, m_clock);
    buildControls();
    m_log.setListener([this](std::u16string_view text, bool reset) {
        if (reset) {
            m_txtLog->setPlainText(qs(text));
        } else {
            m_txtLog->moveCursor(QTextCursor::End);
            m_txtLog->insertPlainText(qs(text));
        }
        m_txtLog->moveCursor(QTextCursor::End);
    });
    m_log.logClr();
    restoreSettings();
}

CommDialog::~CommDialog() {
    m_runner.reset();
    m_port->close();
}

void CommDialog::buildControls() {
    m_cmbPort = new QComboBox(this);
    m_cmbPort->setObjectName(QStringLiteral("cmbPort"));
    m_cmbPort->setEditable(true); // a device path may be typed
    for (const SerialPortEntry& port : serialPorts())
        m_cmbPort->addItem(port.text, port.location);

    m_cmbMNo = new QComboBox(this);
    m_cmbMNo->setObjectName(QStringLiteral("cmbMNo"));
    for (int slot = 1; slot <= kSlotCount; ++slot)
        m_cmbMNo->addItem(ui::coreText(ringtoneSlotName(slot)));

    m_cmb = new QComboBox(this);
    m_cmb->setObjectName(QStringLiteral("cmb"));
    for (const CableTypeInfo& type : cableTypes())
        m_cmb->addItem(qs(cableEntryText(type.type)));

    m_txtPass = new QLineEdit(QStringLiteral("1357"), this);
    m_txtPass->setObjectName(QStringLiteral("txtPass"));
    m_txtPass->setMaxLength(4);

    m_cmdRead[0] = new QPushButton(tr("読込 [携帯電話→Sarvo] (&R)"), this);
    m_cmdRead[1] = new QPushButton(tr("書込 [Sarvo→携帯電話] (&W)"), this);
    m_cmdRead[0]->setObjectName(QStringLiteral("cmdRead0"));
    m_cmdRead[1]->setObjectName(QStringLiteral("cmdRead1"));
    connect(m_cmdRead[0], &QPushButton::clicked, this, [this] { startTransfer(Direction::Read); });
    connect(m_cmdRead[1], &QPushButton::clicked, this, [this] { startTransfer(Direction::Write); });
    m_cmdLog = new QPushButton(tr("ログ↓クリア(&C)"), this);
    m_cmdLog->setObjectName(QStringLiteral("cmdLog"));
    connect(m_cmdLog, &QPushButton::clicked, this, [this] { m_log.logClr(); });
    m_cmdEnd = new QPushButton(tr("閉じる(&Q)"), this);
    m_cmdEnd->setObjectName(QStringLiteral("cmdEnd"));
    connect(m_cmdEnd, &QPushButton::clicked, this, &QDialog::close);

    m_txtLog = new QPlainTextEdit(this);
    m_txtLog->setObjectName(QStringLiteral("txtLog"));
    m_txtLog->setReadOnly(true);
    m_txtLog->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));

    auto* fields = new QGridLayout;
    const std::pair<const char*, QWidget*> rows[] = {{QT_TR_NOOP("ポート"), m_cmbPort},
                                                     {QT_TR_NOOP("着信音"), m_cmbMNo},
                                                     {QT_TR_NOOP("機種"), m_cmb},
                                                     {QT_TR_NOOP("暗証番号"), m_txtPass}};
    int row = 0;
    for (const auto& [label, field] : rows) {
        auto* text = new QLabel(tr(label), this);
        text->setBuddy(field);
        fields->addWidget(text, row, 0);
        fields->addWidget(field, row++, 1);
    }
    fields->setColumnStretch(1, 1);

    auto* transfer = new QHBoxLayout;
    transfer->addWidget(m_cmdRead[0]);
    transfer->addWidget(m_cmdRead[1]);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(m_cmdLog);
    bottom->addStretch();
    bottom->addWidget(m_cmdEnd);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addLayout(transfer);
    layout->addWidget(m_txtLog, 1);
    layout->addLayout(bottom);
    resize(560, 440);
}

QString CommDialog::portPath() const {
    const int index = m_cmbPort->currentIndex();
    if (index >= 0 && m_cmbPort->itemText(index) == m_cmbPort->currentText())
        return m_cmbPort->itemData(index).toString();
    return m_cmbPort->currentText().trimmed();
}

void CommDialog::restoreSettings() {
    const settings::CableSettings stored = m_settings.cableSettings();
    // "PORT" holds the device path; an old file's number is the index of the list it had.
    const std::u16string port = m_settings.profile().value(kSection, kPortKey);
    if (stored.port) {
        if (*stored.port >= 0 && *stored.port < m_cmbPort->count())
            m_cmbPort->setCurrentIndex(*stored.port);
    } else if (!port.empty()) {
        const int index = m_cmbPort->findData(qs(port));
        if (index >= 0)
            m_cmbPort->setCurrentIndex(index);
        else
            m_cmbPort->setEditText(qs(port));
    }
    if (stored.melodySlot && *stored.melodySlot >= 0 && *stored.melodySlot < kSlotCount)
        m_cmbMNo->setCurrentIndex(*stored.melodySlot);
    if (!stored.type.empty()) {
        for (int i = 0; i < m_cmb->count(); ++i) {
            if (m_cmb->itemText(i).startsWith(qs(stored.type))) {
                m_cmb->setCurrentIndex(i);
                break;
            }
        }
    }
    if (stored.pin)
        m_txtPass->setText(qs(*stored.pin));
}

void CommDialog::saveSettings() {
    settings::CableSettings cable;
    cable.melodySlot = m_cmbMNo->currentIndex();
    cable.type = u16(m_cmb->currentText());
    cable.pin = u16(m_txtPass->text());
    m_settings.saveCableSettings(cable);
    const std::u16string path = u16(portPath());
    m_settings.update(
        [&](settings::PrivateProfile& profile) { profile.setValue(kSection, kPortKey, path); });
}

CableType CommDialog::chosenType() const {
    return cableTypes()[static_cast<size_t>(std::max(0, m_cmb->currentIndex()))].type;
}

void CommDialog::selectType(CableType type) {
    m_cmb->setCurrentIndex(static_cast<int>(type));
}

void CommDialog::startTransfer(Direction direction) {
    if (isTransferring())
        return;
    TransferRequest request;
    request.direction = direction;
    request.type = chosenType();
    request.slot = m_cmbMNo->currentIndex() + 1;
    request.slotName = u16(m_cmbMNo->currentText());
    request.pin = u16(m_txtPass->text());
    if (direction == Direction::Write && m_source) {
        CableWriteSource source = m_source();
        request.melody = std::move(source.melody);
        request.title = std::move(source.title);
        request.furtherParts = std::move(source.furtherParts);
        request.voice = source.voice;
    }
    m_port->setPortName(portPath());
    m_runner = std::make_unique<TransferRunner>(std::move(request), *m_link, m_ui,
                                                [this](CableType type, bool) {
                                                    selectType(type);
                                                    return true;
                                                });
    for (QPushButton* button : {m_cmdRead[0], m_cmdRead[1], m_cmdEnd})
        button->setEnabled(false);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    pump();
}

void CommDialog::pump() {
    if (!m_runner)
        return;
    // A message box shown by the transfer lets events run; they come back here afterwards.
    if (m_pumping) {
        m_pumpAgain = true;
        return;
    }
    m_pumping = true;
    std::optional<TimePoint> due;
    do {
        m_pumpAgain = false;
        due = m_runner->poll();
    } while (m_pumpAgain && due);
    m_pumping = false;
    if (!due) {
        finishTransfer();
        return;
    }
    const auto wait = std::chrono::ceil<std::chrono::milliseconds>(due.value() - m_clock.now());
    m_timer->start(static_cast<int>(std::max<int64_t>(0, wait.count())));
}

void CommDialog::finishTransfer() {
    m_timer->stop();
    const TransferOutcome outcome = m_runner->outcome();
    const bool reading = !outcome.melody.empty();
    m_runner.reset();
    QApplication::restoreOverrideCursor();
    for (QPushButton* button : {m_cmdRead[0], m_cmdRead[1], m_cmdEnd})
        button->setEnabled(true);
    saveSettings();
    if (outcome.completed && reading)
        emit melodyRead(qs(outcome.melody));
    emit transferFinished(outcome.completed);
}

void CommDialog::closeEvent(QCloseEvent* event) {
    if (isTransferring()) {
        event->ignore();
        return;
    }
    m_port->close();
    QDialog::closeEvent(event);
}

} // namespace sarvo::cable
