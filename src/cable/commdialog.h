#pragma once
// The cable dialog frmComm: port, ringtone slot, phone type and PIN, the read and write buttons,
// the protocol log. A transfer runs the core's TransferRunner on the GUI thread: the port's
// readyRead and a single-shot timer call it again, so the window stays responsive and the
// mouse pointer shows the busy shape until the transfer ends.

#include "cable/protocollog.h"
#include "cable/transferrunner.h"
#include "common/interaction.h"
#include "settings/settingsfile.h"
#include "sound/clock.h"

#include <QDialog>

#include <functional>
#include <memory>

class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTimer;

namespace sarvo::cable {

class QSerialTransport;

// What a write sends: the melody being edited, its song's name, the songs after it in the
// music box (the further parts of a chord) and the voice of the settings.
struct CableWriteSource {
    std::u16string melody;
    std::u16string title;
    std::vector<std::u16string> furtherParts;
    int voice = formats::kDefaultVoice;
};

class CommDialog : public QDialog {
    Q_OBJECT

public:
    // settings: the settings file whose "ケーブル接続" keys and PIN the dialog restores and
    // saves; ui: the message boxes and questions of a transfer.
    CommDialog(settings::SettingsFile settings, IInteractive& ui, QWidget* parent = nullptr);
    ~CommDialog() override;

    void setWriteSource(std::function<CableWriteSource()> source) { m_source = std::move(source); }
    bool isTransferring() const { return m_runner != nullptr; }
    // The device path of the chosen or typed port.
    QString portPath() const;

    // cmdRead(index): 0 reads the chosen slot, 1 writes into it.
    void startTransfer(Direction direction);

signals:
    // A read ended with a melody, which belongs into the editor.
    void melodyRead(const QString& melody);
    void transferFinished(bool completed);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildControls();
    void restoreSettings();
    void saveSettings();
    void pump();
    void finishTransfer();
    void selectType(CableType type);
    CableType chosenType() const;

    settings::SettingsFile m_settings;
    IInteractive& m_ui;
    std::function<CableWriteSource()> m_source;

    QComboBox* m_cmbPort = nullptr;
    QComboBox* m_cmbMNo = nullptr;
    QComboBox* m_cmb = nullptr;
    QLineEdit* m_txtPass = nullptr;
    QPushButton* m_cmdRead[2] = {nullptr, nullptr};
    QPushButton* m_cmdLog = nullptr;
    QPushButton* m_cmdEnd = nullptr;
    QPlainTextEdit* m_txtLog = nullptr;

    QSerialTransport* m_port = nullptr;
    QTimer* m_timer = nullptr;
    ProtocolLog m_log;
    sound::SystemClock m_clock;
    std::unique_ptr<Link> m_link;
    std::unique_ptr<TransferRunner> m_runner;
    bool m_pumping = false;
    bool m_pumpAgain = false;
};

} // namespace sarvo::cable
