#include "settings/ui/soundtab.h"

#include "common/ui/coretext.h"

#include "formats/tempounit.h"
#include "melody/notefont.h"
#include "sound/playbacktiming.h"
#include "sound/voicelist.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <algorithm>

namespace sarvo::settings {
namespace {

constexpr int kSlowestTempo = 40;
constexpr int kFastestTempo = 240;
constexpr const char* kTestCaption =
    QT_TRANSLATE_NOOP("sarvo::settings::SoundTab", "でドレミ…を試聴(&P)");
constexpr const char* kStopCaption = QT_TRANSLATE_NOOP("sarvo::settings::SoundTab", "停止(&P)");

QString text(std::u16string_view s) {
    return QString::fromUtf16(s.data(), static_cast<qsizetype>(s.size()));
}

// A label whose note codes in braces are drawn as notes: "{C}＝１００" shows a quarter note.
QLabel* noteLabel(const QString& pattern, QWidget* parent) {
    QString html = pattern.toHtmlEscaped();
    html.replace(QStringLiteral("{"), QStringLiteral("<span style=\"font-family:'%1'; "
                                                     "font-size:16pt\">")
                                          .arg(QLatin1String(melody::kNoteFontFamily)));
    html.replace(QStringLiteral("}"), QStringLiteral("</span>"));
    auto* label = new QLabel(html, parent);
    label->setTextFormat(Qt::RichText);
    return label;
}

void selectData(QComboBox* combo, const QString& entry) {
    const int row = combo->findText(entry);
    if (row >= 0)
        combo->setCurrentIndex(row);
}

} // namespace

SoundTab::SoundTab(sound::IMidiOutput& midi, sound::MidiOutputPort* port, QWidget* parent)
    : QWidget(parent)
    , m_midi(midi)
    , m_port(port)
    , m_scale(midi)
    , m_scaleTimer(m_scale, m_clock) {
    melody::installNoteFont();

    m_ports = new QComboBox(this);
    m_ports->setObjectName(QStringLiteral("cmbPort"));
    if (m_port) {
        for (const sound::MidiPortEntry& entry : m_port->ports())
            m_ports->addItem(text(entry.label));
        m_ports->setCurrentIndex(m_port->selectedRow());
    }
    m_voice = new QComboBox(this);
    m_voice->setObjectName(QStringLiteral("cmbNeiro"));
    for (const sound::Voice& voice : sound::voiceList())
        m_voice->addItem(ui::coreText(voice.text), voice.program);
    m_inputSound = new QComboBox(this);
    m_inputSound->setObjectName(QStringLiteral("cmbInpuOn"));
    for (auto sound : {InputSound::None, InputSound::Automatic, InputSound::FollowNote})
        m_inputSound->addItem(ui::coreText(inputSoundText(sound)));

    m_tempoNote = buildNoteCombo("cmbOnpu");
    m_tempo = new QComboBox(this);
    m_tempo->setObjectName(QStringLiteral("cmbTenpo"));
    // Editable, so a stored tempo outside the list is still shown and kept.
    m_tempo->setEditable(true);
    m_tempo->setValidator(new QIntValidator(1, 9999, m_tempo));
    for (int tempo = kSlowestTempo; tempo <= kFastestTempo; ++tempo)
        m_tempo->addItem(QString::number(tempo));
    m_testNote = buildNoteCombo("cmbOnpuTest");
    m_test = new QPushButton(tr(kTestCaption), this);
    m_test->setObjectName(QStringLiteral("cmdTest"));

    m_tempoBase = new QScrollBar(Qt::Vertical, this);
    m_tempoBase->setObjectName(QStringLiteral("VScroll1"));
    m_tempoBase->setRange(sound::kMinTempoBase, sound::kMaxTempoBase);
    m_tempoBase->setPageStep(1);
    m_tempoBase->setMinimumHeight(90);
    m_tempoBaseText = new QLineEdit(this);
    m_tempoBaseText->setObjectName(QStringLiteral("txtKT"));
    m_tempoBaseText->setReadOnly(true);
    m_tempoBaseText->setMaximumWidth(48);
    m_staffCursor = new QCheckBox(
        tr("再生時、５線譜の音符を カーソルが追いかけない。(再生テンポ正常化)"), this);
    m_staffCursor->setObjectName(QStringLiteral("chkCur5"));
    auto* reset = new QPushButton(tr("既定値に 戻す(&B)"), this);
    reset->setObjectName(QStringLiteral("cmdReset0"));

    auto* choices = new QGridLayout;
    int row = 0;
    choices->addWidget(new QLabel(tr("MIDI出力ポート"), this), row, 0);
    choices->addWidget(m_ports, row++, 1, 1, 3);
    choices->addWidget(new QLabel(tr("音色"), this), row, 0);
    choices->addWidget(m_voice, row++, 1, 1, 3);
    choices->addWidget(new QLabel(tr("入力音の長さ"), this), row, 0);
    choices->addWidget(m_inputSound, row++, 1);
    choices->addWidget(new QLabel(tr("テンポ"), this), row, 0);
    choices->addWidget(m_tempoNote, row, 1);
    choices->addWidget(new QLabel(tr("＝"), this), row, 2);
    choices->addWidget(m_tempo, row++, 3);
    choices->addWidget(new QLabel(tr("試聴"), this), row, 0);
    choices->addWidget(m_testNote, row, 1);
    choices->addWidget(m_test, row++, 2, 1, 2);
    choices->setColumnStretch(4, 1);

    auto* baseGroup = new QGroupBox(tr("テンポ基準値"), this);
    auto* baseLayout = new QGridLayout(baseGroup);
    baseLayout->addWidget(
        new QLabel(tr("この値をいじって携帯電話のテンポとＰＣのテンポを合わせて下さい。"),
                   baseGroup),
        0, 0, 1, 3);
    baseLayout->addWidget(new QLabel(tr("↑ 遅く"), baseGroup), 1, 0);
    baseLayout->addWidget(m_tempoBase, 1, 1, 2, 1);
    baseLayout->addWidget(m_tempoBaseText, 1, 2);
    baseLayout->addWidget(new QLabel(tr("↓ 速く"), baseGroup), 2, 0);
    auto* examples = new QVBoxLayout;
    examples->addWidget(
        noteLabel(tr("{C}＝１００ で、 {C} が0.3秒　　 {D} が0.15秒です。"), baseGroup));
    examples->addWidget(
        noteLabel(tr("{C}＝１５０で、 {C} が0.2秒　　 {D} が0.1秒です。"), baseGroup));
    baseLayout->addLayout(examples, 1, 3, 2, 1);
    baseLayout->setColumnStretch(3, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(choices);
    layout->addWidget(baseGroup);
    layout->addWidget(m_staffCursor);
    layout->addStretch(1);
    layout->addWidget(reset, 0, Qt::AlignRight);

    connect(m_ports, &QComboBox::activated, this, &SoundTab::choosePort);
    connect(m_voice, &QComboBox::activated, this, &SoundTab::chooseVoice);
    connect(m_test, &QPushButton::clicked, this, &SoundTab::toggleTestScale);
    connect(m_tempoBase, &QScrollBar::valueChanged, this, [this](int value) {
        m_tempoBaseText->setText(QString::number(value));
        updateTiming();
    });
    for (QComboBox* combo : {m_tempo, m_tempoNote, m_testNote})
        connect(combo, &QComboBox::currentTextChanged, this, &SoundTab::updateTiming);
    connect(reset, &QPushButton::clicked, this, &SoundTab::resetRequested);
}

SoundTab::~SoundTab() {
    stopTestScale();
}

QComboBox* SoundTab::buildNoteCombo(const char* name) {
    auto* combo = new QComboBox(this);
    combo->setObjectName(QString::fromLatin1(name));
    // The length codes are drawn as notes by the note font.
    combo->setFont(melody::melodyTextFont(14, false));
    for (const NoteLengthEntry& entry : noteLengthEntries())
        combo->addItem(text(entry.code), entry.tenths);
    return combo;
}

void SoundTab::setPreferences(const Preferences& preferences) {
    const QSignalBlocker blockVoice(m_voice);
    // Rows follow the voice list; the file names a voice by its Japanese text.
    const auto& voices = sound::voiceList();
    const auto named = std::ranges::find(voices, preferences.voice, &sound::Voice::text);
    const int voiceRow = named == voices.end() ? 0 : static_cast<int>(named - voices.begin());
    m_voice->setCurrentIndex(std::max(voiceRow, 0));
    m_inputSound->setCurrentIndex(static_cast<int>(preferences.inputSound));
    m_tempo->setCurrentText(QString::number(preferences.tempo));
    selectData(m_tempoNote, text(preferences.tempoNote));
    selectData(m_testNote, text(preferences.testNote));
    m_tempoBase->setValue(preferences.tempoBase);
    m_tempoBaseText->setText(QString::number(preferences.tempoBase));
    m_staffCursor->setChecked(preferences.staffCursorStays);
    updateTiming();
}

void SoundTab::readInto(Preferences& preferences) const {
    preferences.voice = std::u16string(
        sound::voiceList()[static_cast<size_t>(std::max(m_voice->currentIndex(), 0))].text);
    preferences.inputSound = static_cast<InputSound>(m_inputSound->currentIndex());
    bool number = false;
    const int tempo = m_tempo->currentText().toInt(&number);
    if (number && tempo > 0)
        preferences.tempo = tempo;
    preferences.tempoNote = m_tempoNote->currentText().toStdU16String();
    preferences.testNote = m_testNote->currentText().toStdU16String();
    preferences.tempoBase = m_tempoBase->value();
    preferences.staffCursorStays = m_staffCursor->isChecked();
}

int SoundTab::voiceProgram() const {
    return m_voice->currentData().toInt();
}

void SoundTab::choosePort(int row) {
    if (!m_port)
        return;
    stopTestScale();
    // The port tells the user when it cannot be opened.
    if (m_port->open(row))
        m_midi.sendShortMessage(sound::programChangeMessage(voiceProgram()));
}

void SoundTab::chooseVoice(int row) {
    const int program = m_voice->itemData(row).toInt();
    m_midi.sendShortMessage(sound::programChangeMessage(program));
    emit voiceChosen(program);
}

void SoundTab::toggleTestScale() {
    if (m_scale.isPlaying()) {
        stopTestScale();
        return;
    }
    updateTiming();
    m_test->setText(tr(kStopCaption));
    m_scale.start(m_clock.now());
    m_scaleTimer.run();
}

void SoundTab::stopTestScale() {
    m_scaleTimer.stop();
    m_scale.stop();
    m_test->setText(tr(kTestCaption));
}

void SoundTab::updateTiming() {
    Preferences shown;
    readInto(shown);
    const auto unit = formats::TempoUnit::fromTempo(shown.tempo, shown.tempoNote);
    m_scale.setTiming(unit ? sound::PlaybackTiming(*unit, shown.tempoBase)
                           : sound::PlaybackTiming());
    m_scale.setTestNoteTenths(noteLengthTenths(shown.testNote).value_or(40));
}

} // namespace sarvo::settings
