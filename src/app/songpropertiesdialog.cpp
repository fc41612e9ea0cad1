#include "app/songpropertiesdialog.h"

#include "app/qtext.h"
#include "common/ui/coretext.h"
#include "melody/notefont.h"
#include "settings/preferences.h"
#include "sound/voicelist.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFocusEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace sarvo::app {
namespace {

constexpr int kSlowestTempo = 40;
constexpr int kFastestTempo = 240;

QLineEdit* textField(const char* objectName, QWidget* parent) {
    auto* field = new QLineEdit(parent);
    field->setObjectName(QString::fromLatin1(objectName));
    return field;
}

QComboBox* combo(const char* objectName, QWidget* parent) {
    auto* box = new QComboBox(parent);
    box->setObjectName(QString::fromLatin1(objectName));
    return box;
}

} // namespace

SongPropertiesDialog::SongPropertiesDialog(IInteractive& ui, QWidget* parent)
    : QDialog(parent)
    , m_ui(ui) {
    setObjectName(QStringLiteral("dlgM"));
    setModal(true);

    m_name = textField("txt0", this);
    m_musician = textField("txt2", this);
    m_comment = textField("txt1", this);

    m_genre = combo("cmbJan", this);
    m_genre->setEditable(true);
    for (std::u16string_view genre : library::genres())
        m_genre->addItem(ui::coreText(genre), toQString(genre));

    // The first entry, "none", leaves the comment alone.
    m_partKind = combo("cmbCM", this);
    m_partKind->addItem(QString());
    for (std::u16string_view kind : library::partKinds())
        m_partKind->addItem(ui::coreText(kind), toQString(kind));

    m_tempoNote = buildTempoNoteCombo();
    m_tempo = combo("cmbTenpo", this);
    // Editable, so a stored tempo outside the list is still shown and kept.
    m_tempo->setEditable(true);
    m_tempo->setValidator(new QIntValidator(1, 999, m_tempo));
    for (int tempo = kSlowestTempo; tempo <= kFastestTempo; ++tempo)
        m_tempo->addItem(QString::number(tempo));
    m_tempo->setCurrentText(QStringLiteral("120"));

    m_voice = combo("cmbNeiro", this);
    for (const sound::Voice& voice : sound::voiceList())
        m_voice->addItem(ui::coreText(voice.text), voice.program);

    auto* form = new QGridLayout;
    int row = 0;
    form->addWidget(new QLabel(tr("曲名："), this), row, 0);
    form->addWidget(m_name, row++, 1, 1, 3);
    form->addWidget(new QLabel(tr("※変更すると別名で保存されます。"), this), row++, 1, 1, 3);
    form->addWidget(new QLabel(tr("ミュージシャン：："), this), row, 0);
    form->addWidget(m_musician, row++, 1, 1, 3);
    form->addWidget(new QLabel(tr("ジャンル："), this), row, 0);
    form->addWidget(m_genre, row++, 1, 1, 3);
    form->addWidget(new QLabel(tr("コメント："), this), row, 0);
    form->addWidget(m_comment, row, 1, 1, 2);
    form->addWidget(m_partKind, row++, 3);
    form->addWidget(new QLabel(tr("テンポ："), this), row, 0);
    auto* tempoRow = new QHBoxLayout;
    tempoRow->addWidget(m_tempoNote);
    tempoRow->addWidget(new QLabel(QStringLiteral("="), this));
    tempoRow->addWidget(m_tempo);
    tempoRow->addWidget(new QLabel(tr("↑ 遅く\n↓ 速く"), this));
    tempoRow->addStretch(1);
    form->addLayout(tempoRow, row++, 1, 1, 3);
    form->addWidget(new QLabel(tr("音色："), this), row, 0);
    form->addWidget(m_voice, row++, 1, 1, 3);
    form->setColumnStretch(1, 1);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(tr("ＯＫ(&O)"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("cmd0"));
    ok->setDefault(true);
    QPushButton* cancel = buttons->addButton(tr("ｷｬﾝｾﾙ(&C)"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("cmd1"));
    connect(buttons, &QDialogButtonBox::accepted, this, &SongPropertiesDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &SongPropertiesDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);

    for (QLineEdit* field : {m_name, m_musician, m_comment})
        field->installEventFilter(this);
    connect(m_partKind, &QComboBox::activated, this, &SongPropertiesDialog::choosePartKind);
    setMinimumWidth(440);
}

QComboBox* SongPropertiesDialog::buildTempoNoteCombo() {
    QComboBox* box = combo("cmbOnpu", this);
    // The codes are drawn as notes by the note font.
    box->setFont(melody::noteFont(20));
    // Room for a dotted note beside the drop-down arrow.
    box->setMinimumWidth(72);
    for (const settings::NoteLengthEntry& entry : settings::noteLengthEntries())
        box->addItem(toQString(entry.code), entry.tenths);
    box->setCurrentText(QStringLiteral("C"));
    return box;
}

void SongPropertiesDialog::setForm(const library::SongPropertiesForm& form) {
    m_name->setText(toQString(form.name));
    m_comment->setText(toQString(form.body));
    m_musician->setText(toQString(form.kashu));
    m_genre->setCurrentIndex(-1);
    m_genre->setEditText(toQString(form.jan));
    if (const int listed = m_genre->findData(toQString(form.jan)); listed >= 0)
        m_genre->setCurrentIndex(listed);
    if (form.tempoNote && form.tempo) {
        m_tempoNote->setCurrentText(toQString(*form.tempoNote));
        m_tempo->setCurrentText(toQString(*form.tempo));
    }
    if (form.voiceProgram) {
        const int entry = m_voice->findData(*form.voiceProgram);
        if (entry >= 0)
            m_voice->setCurrentIndex(entry);
    }
}

library::SongProperties SongPropertiesDialog::properties() const {
    library::SongProperties properties;
    properties.name = library::nameAfterEditing(toU16(m_name->text()));
    properties.kashu = toU16(m_musician->text());
    properties.jan = toU16(storedGenre());
    properties.body = toU16(m_comment->text());
    properties.tenpo = toU16(m_tempo->currentText());
    const QVariant program = m_voice->currentData();
    if (program.isValid())
        properties.neiro = toU16(QString::number(program.toInt()));
    return properties;
}

void SongPropertiesDialog::accept() {
    m_confirmed = true;
    if (!library::confirmSongName(toU16(m_name->text()), m_ui)) {
        m_confirmed = false;
        m_name->setFocus();
        return;
    }
    QDialog::accept();
}

void SongPropertiesDialog::showEvent(QShowEvent* event) {
    m_confirmed = false;
    QDialog::showEvent(event);
}

bool SongPropertiesDialog::eventFilter(QObject* watched, QEvent* event) {
    auto* field = qobject_cast<QLineEdit*>(watched);
    if (field && event->type() == QEvent::FocusIn) {
        // Deferred, so that the click that gave the focus does not place a caret over it.
        QTimer::singleShot(0, field, &QLineEdit::selectAll);
    } else if (field && event->type() == QEvent::FocusOut) {
        field->deselect();
        if (field == m_name)
            m_name->setText(toQString(library::nameAfterEditing(toU16(m_name->text()))));
    }
    return QDialog::eventFilter(watched, event);
}

// The genre as the song file keeps it: a listed genre by its Japanese name, whatever the
// interface shows, anything typed as typed.
QString SongPropertiesDialog::storedGenre() const {
    const int index = m_genre->currentIndex();
    if (index >= 0 && m_genre->itemText(index) == m_genre->currentText())
        return m_genre->itemData(index).toString();
    return m_genre->currentText();
}

void SongPropertiesDialog::choosePartKind(int index) {
    if (index <= 0)
        return;
    m_comment->setText(toQString(library::prefixComment(
        toU16(m_partKind->itemData(index).toString()), toU16(m_comment->text()))));
}

} // namespace sarvo::app
